#include "app/macro/macro_tree_source.h"

namespace velmaro {

ListRow MacroTreeSource::Row(int index) const {
    const MacroItemLocation loc = library_.RowToLocation(index);
    const MacroItem* item = library_.ItemAt(loc);
    if (item == nullptr || !item->IsUsed())
        return {};
    ListRow row;
    row.Text = QString::fromStdU16String(item->MacroItemName);
    row.Level = loc.stage;
    row.IsFolder = item->IsFolder();
    row.Open = row.IsFolder && item->MacroItemFolderIsOpen != 0;
    if (!row.IsFolder && item->Macro && !item->Macro->FitsMouse())
        row.Text += tooLong_;
    return row;
}

void MacroTreeSource::SelectRow(int index) {
    library_.SelectedLocation =
        index < 0 ? MacroItemLocation::None() : library_.RowToLocation(index);
}

void MacroTreeSource::ToggleFolder(int index) {
    const MacroItemLocation loc = library_.RowToLocation(index);
    const MacroItem* item = library_.ItemAt(loc);
    if (item == nullptr || !item->IsFolder())
        return;
    MacroItem* folder = library_.MutableItemAt(loc);
    folder->MacroItemFolderIsOpen = folder->MacroItemFolderIsOpen != 0 ? 0 : 1;
}

void MacroTreeSource::CloseAllFolders() {
    // Only folders are touched, so lists never used stay unallocated.
    auto close = [this](const MacroItemLocation& loc) {
        const MacroItem* item = library_.ItemAt(loc);
        if (item != nullptr && item->IsFolder() && item->MacroItemFolderIsOpen != 0)
            library_.MutableItemAt(loc)->MacroItemFolderIsOpen = 0;
        return item != nullptr && item->IsFolder();
    };
    for (int32_t i0 = 0; i0 < kMacroListSlots; ++i0) {
        if (!close(MacroItemLocation::Top(i0)))
            continue;
        for (int32_t i1 = 0; i1 < kMacroListSlots; ++i1)
            close(MacroItemLocation::Stage1(i0, i1));
    }
}

}  // namespace velmaro
