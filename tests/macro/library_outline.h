// Libraries written and read as outlines: "A F/ F/x F/G/ F/G/y" is macro A,
// folder F holding macro x and folder G, and G holding macro y. Items are
// listed depth first in index order; a folder ends with "/".
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "macro/macro_library.h"
#include "model/text.h"

namespace velmaro::testing {

// The location of the item with that path ("F/G"), stage -1 when none.
inline MacroItemLocation FindPath(const MacroLibrary& lib, std::string_view path) {
    MacroItemLocation loc = MacroItemLocation::None();
    while (!path.empty()) {
        const size_t slash = path.find('/');
        const std::u16string name = ToU16(path.substr(0, slash));
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
        MacroItemLocation found = MacroItemLocation::None();
        for (int i = 0; i < kMacroListSlots; ++i) {
            const MacroItemLocation at = loc.stage < 0 ? MacroItemLocation::Top(i) : loc.Child(i);
            if (lib.ItemAt(at)->MacroItemName == name) {
                found = at;
                break;
            }
        }
        if (found.stage < 0)
            return found;
        loc = found;
    }
    return loc;
}

// Adds the outline's items with AddMacro / AddFolder. Every macro gets one
// key action whose code is the first letter of its name.
inline void Build(MacroLibrary& lib, const std::string& outline) {
    std::istringstream in(outline);
    std::string entry;
    while (in >> entry) {
        const bool folder = entry.back() == '/';
        if (folder)
            entry.pop_back();
        const size_t slash = entry.rfind('/');
        const std::string parent = slash == std::string::npos ? "" : entry.substr(0, slash);
        const std::string name = slash == std::string::npos ? entry : entry.substr(slash + 1);
        lib.SelectedLocation = FindPath(lib, parent);
        const AddResult r = folder ? lib.AddFolder(ToU16(name)) : lib.AddMacro(ToU16(name));
        ASSERT_EQ(r, AddResult::Added) << entry;
        if (!folder)
            lib.MutableItemAt(lib.SelectedLocation)
                ->Macro->InsertAction(0, MacroAction::Make(static_cast<uint8_t>(name[0]), 0, 0, 0));
    }
    lib.SelectedLocation = MacroItemLocation::None();
}

inline void Outline(const MacroLibrary& lib, const MacroItemLocation& list,
                    const std::string& prefix, std::string& out) {
    for (int i = 0; i < kMacroListSlots; ++i) {
        const MacroItemLocation at = list.Sibling(i);
        const MacroItem* item = lib.ItemAt(at);
        if (!item->IsUsed())
            continue;
        const std::string path = prefix + ToUtf8(item->MacroItemName);
        out += (out.empty() ? "" : " ") + path + (item->IsFolder() ? "/" : "");
        if (at.stage < 2)
            Outline(lib, at.Child(0), path + "/", out);
    }
}

// Every used slot, whatever the folder flags of the slots above it.
inline std::string Outline(const MacroLibrary& lib) {
    std::string out;
    Outline(lib, MacroItemLocation::Top(0), "", out);
    return out;
}

}  // namespace velmaro::testing
