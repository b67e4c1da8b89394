#include "macro/macro_library.h"

#include <utility>

namespace velmaro {

namespace {

using ItemList = std::array<MacroItem, kMacroListSlots>;

// What a slot of a list nobody has used yet reads as.
const MacroItem& FreeSlot() {
    static const MacroItem kFree;
    return kFree;
}

bool NameInList(const ItemList& list, std::u16string_view name) {
    if (name.empty())
        return false;
    for (const MacroItem& item : list)
        if (item.MacroItemName == name)
            return true;
    return false;
}

int FirstFree(const ItemList& list) {
    for (int i = 0; i < kMacroListSlots; ++i)
        if (!list[i].IsUsed())
            return i;
    return -1;
}

bool IsOpenFolder(const MacroItem& item) {
    return item.IsUsed() && item.MacroItemIsFolder == 1 && item.MacroItemFolderIsOpen == 1;
}

bool HoldsKey(const MacroItem& item, uint32_t key) {
    return item.Macro && item.Macro->MacroKeyIndex == key;
}

// Moves slots index+1..59 (and whatever travels with them) one down and
// empties slot 59.
template <typename Slots>
void CloseGap(Slots& slots, int index) {
    for (int j = index; j < kMacroListSlots - 1; ++j)
        slots[j] = std::move(slots[j + 1]);
    slots[kMacroListSlots - 1] = {};
}

}  // namespace

MacroLibrary::MacroLibrary() = default;
MacroLibrary::~MacroLibrary() = default;
MacroLibrary::MacroLibrary(MacroLibrary&&) noexcept = default;
MacroLibrary& MacroLibrary::operator=(MacroLibrary&&) noexcept = default;

const ItemList* MacroLibrary::ListOf(const MacroItemLocation& loc) const {
    switch (loc.stage) {
        case 0:
            return &top_;
        case 1: {
            const Stage1List* s1 = stage1_[loc.stage0Index].get();
            return s1 ? &s1->items : nullptr;
        }
        case 2: {
            const Stage1List* s1 = stage1_[loc.stage0Index].get();
            const Stage2List* s2 = s1 ? s1->children[loc.stage1Index].get() : nullptr;
            return s2 ? &s2->items : nullptr;
        }
        default:
            return nullptr;
    }
}

ItemList& MacroLibrary::MutableListOf(const MacroItemLocation& loc) {
    if (loc.stage == 0)
        return top_;
    std::unique_ptr<Stage1List>& s1 = stage1_[loc.stage0Index];
    if (!s1)
        s1 = std::make_unique<Stage1List>();
    if (loc.stage == 1)
        return s1->items;
    std::unique_ptr<Stage2List>& s2 = s1->children[loc.stage1Index];
    if (!s2)
        s2 = std::make_unique<Stage2List>();
    return s2->items;
}

const MacroItem* MacroLibrary::ItemAt(const MacroItemLocation& loc) const {
    if (!loc.IsSlot())
        return nullptr;
    const ItemList* list = ListOf(loc);
    return list ? &(*list)[loc.OwnIndex()] : &FreeSlot();
}

MacroItem* MacroLibrary::MutableItemAt(const MacroItemLocation& loc) {
    if (!loc.IsSlot())
        return nullptr;
    return &MutableListOf(loc)[loc.OwnIndex()];
}

MacroItemLocation MacroLibrary::AddTarget() const {
    const MacroItem* selected = ItemAt(SelectedLocation);
    if (selected && selected->IsFolder() && SelectedLocation.stage < 2)
        return SelectedLocation.Child(0);
    return MacroItemLocation::Top(0);
}

AddResult MacroLibrary::Add(std::u16string_view name, bool folder) {
    if (name.empty())
        return AddResult::NotAdded;  // an empty name is what a free slot has
    const MacroItemLocation target = AddTarget();
    if (folder && target.stage == 2)
        return AddResult::NotAdded;  // no third folder level
    const ItemList* list = ListOf(target);
    if (list && NameInList(*list, name))
        return AddResult::NameExists;
    const int free = list ? FirstFree(*list) : 0;
    if (free < 0)
        return AddResult::NotAdded;

    const MacroItemLocation loc = target.Sibling(free);
    MacroItem& slot = MutableListOf(loc)[free];
    slot.MacroItemName = std::u16string(name);
    slot.MacroItemFolderIsOpen = 0;
    if (folder) {
        slot.MacroItemIsFolder = 1;
        slot.Macro.reset();
    } else {
        slot.MacroItemIsFolder = 0;
        slot.Macro = std::make_unique<MacroRecord>();
        slot.Macro->MacroName = std::u16string(name);
        slot.Macro->MacroKeyIndex = NextMacroKeyIndex++;
    }
    SelectedLocation = loc;
    return AddResult::Added;
}

AddResult MacroLibrary::AddMacro(std::u16string_view name) {
    return Add(name, false);
}

AddResult MacroLibrary::AddFolder(std::u16string_view name) {
    return Add(name, true);
}

bool MacroLibrary::DeleteItem(const MacroItemLocation& loc) {
    if (!loc.IsSlot())
        return false;
    // Child lists travel with their slots, so the deleted item's lists are
    // dropped by the move and slot 59 leaves with empty ones.
    switch (loc.stage) {
        case 0:
            CloseGap(top_, loc.stage0Index);
            CloseGap(stage1_, loc.stage0Index);
            break;
        case 1:
            if (Stage1List* s1 = stage1_[loc.stage0Index].get()) {
                CloseGap(s1->items, loc.stage1Index);
                CloseGap(s1->children, loc.stage1Index);
            }
            break;
        default:
            if (Stage1List* s1 = stage1_[loc.stage0Index].get())
                if (Stage2List* s2 = s1->children[loc.stage1Index].get())
                    CloseGap(s2->items, loc.stage2Index);
            break;
    }
    return true;
}

void MacroLibrary::ClearLibrary() {
    // Everything, not only the run of used top-level slots: a file may have
    // put items behind a free slot or below a free slot, and a cleared
    // library must not keep them.
    for (MacroItem& item : top_)
        item = {};
    for (auto& s1 : stage1_)
        s1.reset();
}

bool MacroLibrary::PlaceMacro(std::u16string name, const MacroItemLocation& loc,
                              std::unique_ptr<MacroRecord> macro) {
    if (!loc.IsSlot() || name.empty())
        return false;
    MacroItem& slot = MutableListOf(loc)[loc.OwnIndex()];
    slot.MacroItemName = std::move(name);
    slot.Macro = std::move(macro);
    slot.MacroItemIsFolder = 0;
    slot.MacroItemFolderIsOpen = 0;
    return true;
}

bool MacroLibrary::PlaceFolder(std::u16string name, const MacroItemLocation& loc,
                               int32_t open_flag) {
    if (!loc.IsSlot() || name.empty())
        return false;
    MacroItem& slot = MutableListOf(loc)[loc.OwnIndex()];
    slot.MacroItemName = std::move(name);
    slot.Macro.reset();
    slot.MacroItemIsFolder = 1;
    slot.MacroItemFolderIsOpen = open_flag;
    return true;
}

MacroItemLocation MacroLibrary::FindByKeyIndex(uint32_t key) const {
    // Each list is searched up to its first free slot, as the lists are packed.
    auto search = [key](const ItemList& list, MacroItemLocation loc) {
        for (int i = 0; i < kMacroListSlots && list[i].IsUsed(); ++i)
            if (list[i].MacroItemIsFolder == 0 && HoldsKey(list[i], key))
                return loc.Sibling(i);
        return MacroItemLocation::None();
    };
    if (auto found = search(top_, MacroItemLocation::Top(0)); found.stage >= 0)
        return found;
    for (int i0 = 0; i0 < kMacroListSlots; ++i0)
        if (const Stage1List* s1 = stage1_[i0].get())
            if (auto found = search(s1->items, MacroItemLocation::Stage1(i0, 0)); found.stage >= 0)
                return found;
    for (int i0 = 0; i0 < kMacroListSlots; ++i0) {
        const Stage1List* s1 = stage1_[i0].get();
        if (!s1)
            continue;
        for (int i1 = 0; i1 < kMacroListSlots; ++i1)
            if (const Stage2List* s2 = s1->children[i1].get())
                if (auto found = search(s2->items, MacroItemLocation::Stage2(i0, i1, 0));
                    found.stage >= 0)
                    return found;
    }
    return MacroItemLocation::None();
}

bool MacroLibrary::SubtreeUsesKey(uint32_t key, const MacroItemLocation& loc) const {
    const MacroItem* item = ItemAt(loc);
    if (!item)
        return false;
    if (HoldsKey(*item, key))
        return true;
    // Everything a delete of this item would drop is searched, lists below a
    // slot that is not a folder included.
    auto search2 = [key](const Stage2List* s2) {
        if (s2)
            for (const MacroItem& child : s2->items)
                if (HoldsKey(child, key))
                    return true;
        return false;
    };
    if (loc.stage == 0) {
        const Stage1List* s1 = stage1_[loc.stage0Index].get();
        if (!s1)
            return false;
        for (int i1 = 0; i1 < kMacroListSlots; ++i1)
            if (HoldsKey(s1->items[i1], key) || search2(s1->children[i1].get()))
                return true;
    } else if (loc.stage == 1) {
        if (const Stage1List* s1 = stage1_[loc.stage0Index].get())
            return search2(s1->children[loc.stage1Index].get());
    }
    return false;
}

bool MacroLibrary::NameTakenAmongSiblings(std::u16string_view name,
                                          const MacroItemLocation& loc) const {
    if (!loc.IsSlot())
        return false;
    const ItemList* list = ListOf(loc);
    return list && NameInList(*list, name);
}

bool MacroLibrary::NameTakenAtTarget(std::u16string_view name) const {
    return NameTakenAmongSiblings(name, AddTarget());
}

template <typename Visit>
bool MacroLibrary::VisitRows(Visit&& visit) const {
    for (int i0 = 0; i0 < kMacroListSlots; ++i0) {
        const MacroItem& top = top_[i0];
        if (!top.IsUsed())
            continue;
        if (visit(MacroItemLocation::Top(i0)))
            return true;
        const Stage1List* s1 = stage1_[i0].get();
        if (!IsOpenFolder(top) || !s1)
            continue;
        for (int i1 = 0; i1 < kMacroListSlots; ++i1) {
            const MacroItem& mid = s1->items[i1];
            if (!mid.IsUsed())
                continue;
            if (visit(MacroItemLocation::Stage1(i0, i1)))
                return true;
            const Stage2List* s2 = s1->children[i1].get();
            if (!IsOpenFolder(mid) || !s2)
                continue;
            for (int i2 = 0; i2 < kMacroListSlots; ++i2)
                if (s2->items[i2].IsUsed() && visit(MacroItemLocation::Stage2(i0, i1, i2)))
                    return true;
        }
    }
    return false;
}

int MacroLibrary::VisibleRowCount() const {
    int rows = 0;
    VisitRows([&rows](const MacroItemLocation&) {
        ++rows;
        return false;
    });
    return rows;
}

MacroItemLocation MacroLibrary::RowToLocation(int row) const {
    MacroItemLocation found = MacroItemLocation::None();
    if (row < 0)
        return found;
    VisitRows([&](const MacroItemLocation& loc) {
        if (row-- != 0)
            return false;
        found = loc;
        return true;
    });
    return found;
}

int MacroLibrary::LocationToRow(const MacroItemLocation& loc) const {
    int row = 0;
    const bool shown = VisitRows([&](const MacroItemLocation& at) {
        if (at == loc)
            return true;
        ++row;
        return false;
    });
    return shown ? row : -1;
}

bool MacroLibrary::Empty() const {
    for (const MacroItem& item : top_)
        if (item.IsUsed())
            return false;
    for (const auto& s1 : stage1_) {
        if (!s1)
            continue;
        for (const MacroItem& item : s1->items)
            if (item.IsUsed())
                return false;
        for (const auto& s2 : s1->children)
            if (s2)
                for (const MacroItem& item : s2->items)
                    if (item.IsUsed())
                        return false;
    }
    return true;
}

}  // namespace velmaro
