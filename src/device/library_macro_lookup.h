// The macro library as the settings writer sees it: a macro found by its
// MacroKeyIndex, identified by its place in the tree.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "device/macro_lookup.h"
#include "macro/macro_library.h"

namespace velmaro {

// One number per slot of the tree: the 60 top-level slots, then the 3,600
// stage-1 slots, then the 216,000 stage-2 slots, each in index order.
uint32_t FlatLocationIndex(const MacroItemLocation& loc);

class LibraryMacroLookup : public MacroLookup {
  public:
    explicit LibraryMacroLookup(const MacroLibrary& library) : library_(library) {}
    std::optional<FoundMacro> FindByKeyIndex(uint32_t key_index) const override;
    // Macros the library holds with values repaired at load: buttons do not
    // take them (they are found as absent) until the library loads clean.
    void HoldBack(std::vector<uint32_t> key_indexes) { held_back_ = std::move(key_indexes); }

  private:
    const MacroLibrary& library_;
    std::vector<uint32_t> held_back_;
};

}  // namespace velmaro
