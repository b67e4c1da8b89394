// How the settings writer finds the library macro a button refers to. The
// macro library answers it; tests use a small table.
#pragma once

#include <cstdint>
#include <optional>

#include "model/macro_record.h"

namespace velmaro {

struct FoundMacro {
    const MacroRecord* Macro = nullptr;  // never null in a found result
    // Identifies the macro's place in the library: two buttons that use the
    // same library macro see the same value and share a slot on the mouse.
    uint32_t Location = 0;
};

class MacroLookup {
  public:
    virtual ~MacroLookup() = default;
    // The first library macro with this MacroKeyIndex, in the library's search
    // order; none when the library has no such macro.
    virtual std::optional<FoundMacro> FindByKeyIndex(uint32_t key_index) const = 0;
};

}  // namespace velmaro
