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

char16_t FoldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool SameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

void CollectIgnoringCase(const MacroLibrary& library, const MacroItemLocation& first,
                         std::u16string_view path, std::vector<MacroItemLocation>& found) {
    for (int32_t i = 0; i < kMacroListSlots; ++i) {
        const MacroItemLocation at = first.Sibling(i);
        const MacroItem* item = library.ItemAt(at);
        if (item == nullptr || !item->IsUsed())
            break;
        const std::u16string& name = item->MacroItemName;
        if (SameIgnoringCase(path, name)) {
            bool known = false;
            for (const MacroItemLocation& f : found)
                known = known || f == at;
            if (!known)
                found.push_back(at);
        }
        if (item->IsFolder() && at.stage < 2 && path.size() > name.size() + 1 &&
            SameIgnoringCase(path.substr(0, name.size()), name) && path[name.size()] == u'/')
            CollectIgnoringCase(library, at.Child(0), path.substr(name.size() + 1), found);
    }
}

}  // namespace

std::vector<MacroItemLocation> FindItemsByPathIgnoringCase(const MacroLibrary& library,
                                                           std::u16string_view path) {
    std::vector<MacroItemLocation> found;
    if (!path.empty())
        CollectIgnoringCase(library, MacroItemLocation::Top(0), path, found);
    return found;
}

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
