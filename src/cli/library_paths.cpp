#include "cli/library_paths.h"

namespace velmaro::cli {

namespace {

// Searches the list that `first` belongs to (and below) for the rest of the path.
MacroItemLocation FindIn(const MacroLibrary& library, const MacroItemLocation& first,
                         std::u16string_view path) {
    for (int32_t i = 0; i < kMacroListSlots; ++i) {
        const MacroItemLocation at = first.Sibling(i);
        const MacroItem* item = library.ItemAt(at);
        if (item == nullptr || !item->IsUsed())
            break;  // lists are packed: the first free slot ends them
        const std::u16string& name = item->MacroItemName;
        if (path == name)
            return at;
        if (item->IsFolder() && at.stage < 2 && path.size() > name.size() + 1 &&
            path.substr(0, name.size()) == name && path[name.size()] == u'/') {
            const MacroItemLocation below =
                FindIn(library, at.Child(0), path.substr(name.size() + 1));
            if (below.stage >= 0)
                return below;
        }
    }
    return MacroItemLocation::None();
}

}  // namespace

MacroItemLocation FindItemByPath(const MacroLibrary& library, std::u16string_view path) {
    if (path.empty())
        return MacroItemLocation::None();
    return FindIn(library, MacroItemLocation::Top(0), path);
}

std::u16string ItemPath(const MacroLibrary& library, const MacroItemLocation& loc) {
    const MacroItem* item = library.ItemAt(loc);
    if (item == nullptr || !item->IsUsed())
        return {};
    std::u16string path;
    if (loc.stage >= 1)
        path = library.ItemAt(MacroItemLocation::Top(loc.stage0Index))->MacroItemName + u"/";
    if (loc.stage == 2)
        path += library.ItemAt(MacroItemLocation::Stage1(loc.stage0Index, loc.stage1Index))
                    ->MacroItemName +
                u"/";
    return path + item->MacroItemName;
}

}  // namespace velmaro::cli
