// The macro library: a tree of at most three levels in which the user keeps
// macros and folders.
//
// It behaves as 60 top-level slots, 60 stage-1 slots for each top-level slot
// and 60 stage-2 slots for each stage-1 slot. A child list belongs to the slot
// with the same index whether or not that slot is a folder, every sibling list
// is packed (used slots first, the first free slot ends it), and deleting an
// item moves its later siblings down together with their child lists.
//
// Child lists are allocated the first time something is put into them, so an
// empty library costs a few kilobytes rather than the whole tree.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/macro_record.h"

namespace velmaro {

inline constexpr int32_t kMacroListSlots = 60;

// The place of an item: stage 0 = top level, 1 = inside a top-level folder,
// 2 = inside a stage-1 folder; stage -1 = no item. Indexes the stage does not
// use are 0.
struct MacroItemLocation {
    int32_t stage = -1;
    int32_t stage0Index = 0;
    int32_t stage1Index = 0;
    int32_t stage2Index = 0;

    static constexpr MacroItemLocation None() { return {}; }
    static constexpr MacroItemLocation Top(int32_t i0) { return {0, i0, 0, 0}; }
    static constexpr MacroItemLocation Stage1(int32_t i0, int32_t i1) { return {1, i0, i1, 0}; }
    static constexpr MacroItemLocation Stage2(int32_t i0, int32_t i1, int32_t i2) {
        return {2, i0, i1, i2};
    }

    // Stage 0..2 and every index 0..59: a slot of the tree.
    constexpr bool IsSlot() const {
        auto in = [](int32_t i) { return i >= 0 && i < kMacroListSlots; };
        return stage >= 0 && stage <= 2 && in(stage0Index) && in(stage1Index) && in(stage2Index);
    }
    // The index of the item within its own sibling list.
    constexpr int32_t OwnIndex() const {
        return stage == 0 ? stage0Index : stage == 1 ? stage1Index : stage2Index;
    }
    // The same list, another index.
    constexpr MacroItemLocation Sibling(int32_t index) const {
        MacroItemLocation l = *this;
        (stage == 0 ? l.stage0Index : stage == 1 ? l.stage1Index : l.stage2Index) = index;
        return l;
    }
    // Slot `index` of this item's child list (stage 0 and 1 only).
    constexpr MacroItemLocation Child(int32_t index) const {
        return stage == 0 ? Stage1(stage0Index, index) : Stage2(stage0Index, stage1Index, index);
    }

    friend bool operator==(const MacroItemLocation&, const MacroItemLocation&) = default;
};

// One slot of the tree. An empty name is a free slot.
struct MacroItem {
    std::u16string MacroItemName;
    std::unique_ptr<MacroRecord> Macro;  // present for a macro item only
    int32_t MacroItemIsFolder = 0;
    int32_t MacroItemFolderIsOpen = 0;

    bool IsUsed() const { return !MacroItemName.empty(); }
    bool IsFolder() const { return IsUsed() && MacroItemIsFolder != 0; }
};

enum class AddResult {
    Added,       // the new item is at SelectedLocation
    NameExists,  // a sibling in the target list has that name; nothing added
    NotAdded,    // the target list is full, there is no third folder level, or the name
                 // is empty; nothing added, SelectedLocation unchanged, nothing to report
};

class MacroLibrary {
  public:
    MacroLibrary();
    ~MacroLibrary();
    MacroLibrary(const MacroLibrary&) = delete;
    MacroLibrary& operator=(const MacroLibrary&) = delete;
    // A library read on another thread is moved into place.
    MacroLibrary(MacroLibrary&&) noexcept;
    MacroLibrary& operator=(MacroLibrary&&) noexcept;

    // The slot at a location; nullptr when the location is not a slot of the
    // tree (stage outside 0..2, an index outside 0..59). Slots of lists never
    // used read as free slots.
    const MacroItem* ItemAt(const MacroItemLocation& loc) const;
    // The same slot for changing it; allocates its list when it was never
    // used, so walks over the tree should use ItemAt.
    MacroItem* MutableItemAt(const MacroItemLocation& loc);

    // Add a new macro or folder relative to SelectedLocation: into a selected
    // top-level folder, into a selected stage-1 folder (macros only), else at
    // the top level. On Added, SelectedLocation is the new item. A new macro
    // takes NextMacroKeyIndex as its MacroKeyIndex.
    AddResult AddMacro(std::u16string_view name);
    AddResult AddFolder(std::u16string_view name);

    // Frees the item and everything below it and closes the gap. False when
    // the location is not a slot.
    bool DeleteItem(const MacroItemLocation& loc);
    // Empties the whole tree, lists of free slots included. NextMacroKeyIndex
    // and SelectedLocation are left alone.
    void ClearLibrary();

    // Write a slot directly, as the file readers do. False (and nothing
    // written) when the location is not a slot or the name is empty.
    bool PlaceMacro(std::u16string name, const MacroItemLocation& loc,
                    std::unique_ptr<MacroRecord> macro);
    bool PlaceFolder(std::u16string name, const MacroItemLocation& loc, int32_t open_flag);

    // The macro with that MacroKeyIndex: the top-level list first, then the
    // stage-1 lists, then the stage-2 lists, each up to its first free slot.
    // Stage -1 when there is none.
    MacroItemLocation FindByKeyIndex(uint32_t key) const;
    // The item is that macro, or a macro anywhere below it has that key.
    bool SubtreeUsesKey(uint32_t key, const MacroItemLocation& loc) const;
    // Exact (code unit) name tests against all 60 slots of a list: the list
    // the item at `loc` belongs to, or the list AddMacro would add to.
    bool NameTakenAmongSiblings(std::u16string_view name, const MacroItemLocation& loc) const;
    bool NameTakenAtTarget(std::u16string_view name) const;

    // Rows of the tree view, depth first: used top-level items in index order,
    // each open top-level folder followed by its used children, each open
    // stage-1 folder followed by its used children.
    int VisibleRowCount() const;
    MacroItemLocation RowToLocation(int row) const;         // stage -1 past the end
    int LocationToRow(const MacroItemLocation& loc) const;  // -1 when not shown

    // No used slot anywhere in the tree.
    bool Empty() const;

    // The item selected in the macro manager's tree; stage -1 for none.
    MacroItemLocation SelectedLocation;
    // The MacroKeyIndex the next new macro gets; stored in the library file.
    uint32_t NextMacroKeyIndex = 1;

    // Set by a load that did not take the whole file (a fault part-way, or
    // items that had no place in the tree): the path of that file, which must
    // not be overwritten before its content has been kept. Empty otherwise.
    std::string IncompleteLoadPath;

  private:
    struct Stage2List {
        std::array<MacroItem, kMacroListSlots> items;
    };
    struct Stage1List {
        std::array<MacroItem, kMacroListSlots> items;
        std::array<std::unique_ptr<Stage2List>, kMacroListSlots> children;
    };

    // The list holding the item at `loc`, or nullptr when it was never used.
    const std::array<MacroItem, kMacroListSlots>* ListOf(const MacroItemLocation& loc) const;
    std::array<MacroItem, kMacroListSlots>& MutableListOf(const MacroItemLocation& loc);
    // Where AddMacro puts a new item: a location in that list (index 0).
    MacroItemLocation AddTarget() const;
    AddResult Add(std::u16string_view name, bool folder);

    template <typename Visit>
    bool VisitRows(Visit&& visit) const;

    std::array<MacroItem, kMacroListSlots> top_;
    std::array<std::unique_ptr<Stage1List>, kMacroListSlots> stage1_;
};

}  // namespace velmaro
