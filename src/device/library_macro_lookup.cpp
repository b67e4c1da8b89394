#include "device/library_macro_lookup.h"

#include <algorithm>

namespace velmaro {

uint32_t FlatLocationIndex(const MacroItemLocation& loc) {
    constexpr uint32_t n = kMacroListSlots;
    const auto i0 = static_cast<uint32_t>(loc.stage0Index);
    const auto i1 = static_cast<uint32_t>(loc.stage1Index);
    const auto i2 = static_cast<uint32_t>(loc.stage2Index);
    switch (loc.stage) {
        case 0:
            return i0;
        case 1:
            return n + i0 * n + i1;
        default:
            return n + n * n + (i0 * n + i1) * n + i2;
    }
}

std::optional<FoundMacro> LibraryMacroLookup::FindByKeyIndex(uint32_t key_index) const {
    if (std::find(held_back_.begin(), held_back_.end(), key_index) != held_back_.end())
        return std::nullopt;
    const MacroItemLocation loc = library_.FindByKeyIndex(key_index);
    if (!loc.IsSlot())
        return std::nullopt;
    const MacroItem* item = library_.ItemAt(loc);
    if (item == nullptr || !item->Macro)
        return std::nullopt;
    return FoundMacro{item->Macro.get(), FlatLocationIndex(loc)};
}

}  // namespace velmaro
