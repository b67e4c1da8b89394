#include "cli/library_output.h"

#include "cli/library_paths.h"
#include "model/text.h"

namespace velmaro::cli {

namespace {

// Calls visit(location, item) for each used item of the list `first` belongs to.
template <typename Visit>
void ForEachInList(const MacroLibrary& library, const MacroItemLocation& first, Visit&& visit) {
    for (int32_t i = 0; i < kMacroListSlots; ++i) {
        const MacroItemLocation at = first.Sibling(i);
        const MacroItem* item = library.ItemAt(at);
        if (item == nullptr || !item->IsUsed())
            return;
        visit(at, *item);
    }
}

Json ListJson(const MacroLibrary& library, const MacroItemLocation& first) {
    Json items = Json::array();
    ForEachInList(library, first, [&](const MacroItemLocation& at, const MacroItem& item) {
        Json j;
        j["name"] = ToUtf8(item.MacroItemName);
        j["path"] = ToUtf8(ItemPath(library, at));
        j["location"] = {at.stage, at.stage0Index, at.stage1Index, at.stage2Index};
        j["folder"] = item.IsFolder();
        if (item.IsFolder()) {
            j["open"] = item.MacroItemFolderIsOpen != 0;
            // Only two folder levels hold anything a program can reach.
            j["items"] = at.stage < 2 ? ListJson(library, at.Child(0)) : Json::array();
        } else if (item.Macro) {
            const MacroRecord& m = *item.Macro;
            j["macro_name"] = ToUtf8(m.MacroName);
            j["key_index"] = m.MacroKeyIndex;
            j["play_mode"] = m.MacroKeyLoopType;
            j["repeat"] = m.MacroKeyLoopNum;
            j["action_count"] = m.UsedCount();
            j["fits_mouse"] = m.FitsMouse();
            j["actions"] = MacroActionsJson(m);
        }
        items.push_back(std::move(j));
    });
    return items;
}

void ListText(const MacroLibrary& library, const MacroItemLocation& first, int depth,
              std::string& text) {
    ForEachInList(library, first, [&](const MacroItemLocation& at, const MacroItem& item) {
        text += std::string(static_cast<size_t>(depth) * 2, ' ') + ToUtf8(item.MacroItemName);
        if (item.IsFolder()) {
            text += "/\n";
            if (at.stage < 2)
                ListText(library, at.Child(0), depth + 1, text);
            return;
        }
        if (item.Macro) {
            const MacroRecord& m = *item.Macro;
            text += "  (key " + std::to_string(m.MacroKeyIndex) + ", mode " +
                    std::to_string(m.MacroKeyLoopType);
            if (m.MacroKeyLoopType == 2)
                text += " x" + std::to_string(m.MacroKeyLoopNum);
            text += ", " + std::to_string(m.UsedCount()) + " actions";
            // As the macro manager marks it: a button cannot take it.
            if (!m.FitsMouse())
                text += ", too long for the mouse";
            text += ")";
        }
        text += "\n";
    });
}

}  // namespace

Json LibraryJson(const MacroLibrary& library) {
    Json j;
    j["schema"] = 1;
    j["next_key_index"] = library.NextMacroKeyIndex;
    j["items"] = ListJson(library, MacroItemLocation::Top(0));
    return j;
}

std::string LibraryText(const MacroLibrary& library) {
    std::string text;
    ListText(library, MacroItemLocation::Top(0), 0, text);
    return text;
}

}  // namespace velmaro::cli
