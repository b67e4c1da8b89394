#include "macro/macro_library.h"

#include <gtest/gtest.h>

#include "macro/library_outline.h"

namespace velmaro {
namespace {

using testing::Build;
using testing::FindPath;
using testing::Outline;
using L = MacroItemLocation;

std::unique_ptr<MacroRecord> MacroWithKey(uint32_t key) {
    auto m = std::make_unique<MacroRecord>();
    m->MacroKeyIndex = key;
    return m;
}

TEST(MacroLibraryTest, KeyIndexesCountUpAndAreNeverGivenBack) {
    MacroLibrary lib;
    Build(lib, "a b c");
    EXPECT_EQ(lib.ItemAt(L::Top(2))->Macro->MacroKeyIndex, 3u);
    EXPECT_EQ(lib.ItemAt(L::Top(2))->Macro->MacroName, u"c");
    lib.DeleteItem(L::Top(2));
    lib.SelectedLocation = L::None();
    ASSERT_EQ(lib.AddMacro(u"d"), AddResult::Added);
    EXPECT_EQ(lib.ItemAt(L::Top(2))->Macro->MacroKeyIndex, 4u);
    EXPECT_EQ(lib.NextMacroKeyIndex, 5u);
}

// Where new items go, depending on what is selected.
TEST(MacroLibraryTest, AddPlacesRelativeToSelection) {
    struct Case {
        const char* selected;  // a path, "" for nothing, "#5" for free top-level slot 5
        L macro_at;
        L folder_at;  // stage -1: AddFolder adds nothing
    };
    const Case cases[] = {
        {"", L::Top(2), L::Top(2)},
        {"F", L::Stage1(0, 2), L::Stage1(0, 2)},
        {"M", L::Top(2), L::Top(2)},
        {"F/N", L::Top(2), L::Top(2)},  // a macro inside a folder: top level
        {"F/G", L::Stage2(0, 0, 1), L::None()},
        {"#5", L::Top(2), L::Top(2)},
    };
    for (const Case& c : cases) {
        for (const bool folder : {false, true}) {
            SCOPED_TRACE(std::string(c.selected) + (folder ? " folder" : " macro"));
            MacroLibrary lib;
            Build(lib, "F/ F/G/ F/G/y F/N M");
            const L selected = c.selected[0] == '#' ? L::Top(5) : FindPath(lib, c.selected);
            lib.SelectedLocation = selected;
            const L expected = folder ? c.folder_at : c.macro_at;
            const AddResult r = folder ? lib.AddFolder(u"new") : lib.AddMacro(u"new");
            if (expected.stage < 0) {
                EXPECT_EQ(r, AddResult::NotAdded);
                EXPECT_EQ(lib.SelectedLocation, selected);
                continue;
            }
            ASSERT_EQ(r, AddResult::Added);
            EXPECT_EQ(lib.SelectedLocation, expected);
            const MacroItem* item = lib.ItemAt(expected);
            EXPECT_EQ(item->MacroItemName, u"new");
            EXPECT_EQ(item->MacroItemIsFolder, folder ? 1 : 0);
            EXPECT_EQ(item->MacroItemFolderIsOpen, 0);
            EXPECT_EQ(item->Macro != nullptr, !folder);
        }
    }
}

TEST(MacroLibraryTest, NamesClashOnlyExactlyAndOnlyInTheTargetList) {
    MacroLibrary lib;
    Build(lib, "F/ F/x M");
    const uint32_t next = lib.NextMacroKeyIndex;

    EXPECT_EQ(lib.AddMacro(u"M"), AddResult::NameExists);
    EXPECT_EQ(lib.AddFolder(u"F"), AddResult::NameExists);
    EXPECT_EQ(lib.SelectedLocation, L::None());
    EXPECT_EQ(lib.NextMacroKeyIndex, next);
    EXPECT_TRUE(lib.NameTakenAtTarget(u"M"));
    EXPECT_FALSE(lib.NameTakenAtTarget(u"m"));
    EXPECT_EQ(lib.AddMacro(u"m"), AddResult::Added);  // letter case differs

    lib.SelectedLocation = L::Top(0);  // folder F: its own list is the target
    EXPECT_FALSE(lib.NameTakenAtTarget(u"M"));
    EXPECT_TRUE(lib.NameTakenAtTarget(u"x"));
    EXPECT_EQ(lib.AddMacro(u"x"), AddResult::NameExists);
    EXPECT_EQ(lib.AddMacro(u"M"), AddResult::Added);

    EXPECT_TRUE(lib.NameTakenAmongSiblings(u"x", L::Stage1(0, 1)));
    EXPECT_FALSE(lib.NameTakenAmongSiblings(u"F", L::Stage1(0, 1)));
    EXPECT_TRUE(lib.NameTakenAmongSiblings(u"F", L::Top(7)));
    EXPECT_FALSE(lib.NameTakenAmongSiblings(u"", L::Top(7)));  // free slots are not names
}

TEST(MacroLibraryTest, FullListAndEmptyNameAddNothing) {
    MacroLibrary lib;
    for (int i = 0; i < kMacroListSlots; ++i)
        ASSERT_EQ(lib.AddMacro(ToU16(std::to_string(i))), AddResult::Added);
    lib.SelectedLocation = L::Top(3);
    const uint32_t next = lib.NextMacroKeyIndex;
    EXPECT_EQ(lib.AddMacro(u"more"), AddResult::NotAdded);
    EXPECT_EQ(lib.AddFolder(u"more"), AddResult::NotAdded);
    EXPECT_EQ(lib.SelectedLocation, L::Top(3));
    EXPECT_EQ(lib.NextMacroKeyIndex, next);

    MacroLibrary empty;
    EXPECT_EQ(empty.AddMacro(u""), AddResult::NotAdded);
    EXPECT_TRUE(empty.Empty());
}

TEST(MacroLibraryTest, DeleteClosesTheGapMovingChildListsAlong) {
    struct Case {
        const char* remove;
        const char* after;
    };
    const Case cases[] = {
        {"A/", "B/ B/G/ B/G/g B/b C"},     {"B", "A/ A/a C"},
        {"B/G", "A/ A/a B/ B/b C"},        {"B/G/g", "A/ A/a B/ B/G/ B/b C"},
        {"C", "A/ A/a B/ B/G/ B/G/g B/b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.remove);
        MacroLibrary lib;
        Build(lib, "A/ A/a B/ B/G/ B/G/g B/b C");
        std::string path = c.remove;
        if (path.back() == '/')
            path.pop_back();
        ASSERT_TRUE(lib.DeleteItem(FindPath(lib, path)));
        EXPECT_EQ(Outline(lib), c.after);
    }
    MacroLibrary lib;
    EXPECT_FALSE(lib.DeleteItem(L{3, 0, 0, 0}));
    EXPECT_FALSE(lib.DeleteItem(L::Top(60)));
}

// A child list belongs to the slot index, not to a folder.
TEST(MacroLibraryTest, ChildListsFollowTheirSlotWhetherOrNotItIsAFolder) {
    MacroLibrary lib;
    Build(lib, "a b c");
    ASSERT_TRUE(lib.PlaceMacro(u"under-c", L::Stage1(2, 0), MacroWithKey(9)));
    lib.DeleteItem(L::Top(0));
    EXPECT_EQ(Outline(lib), "b c c/under-c");
    EXPECT_TRUE(lib.SubtreeUsesKey(9, L::Top(1)));
    // The last slot leaves with empty lists.
    lib.DeleteItem(L::Top(1));
    EXPECT_EQ(Outline(lib), "b");
    EXPECT_EQ(lib.FindByKeyIndex(9), L::None());
}

TEST(MacroLibraryTest, ClearEmptiesTheWholeTreeButKeepsTheKeyCounter) {
    MacroLibrary lib;
    Build(lib, "F/ F/G/ F/G/y");
    // Items a file can put behind a free slot or below one.
    lib.PlaceMacro(u"late", L::Top(7), MacroWithKey(50));
    lib.PlaceMacro(u"orphan", L::Stage2(9, 9, 9), MacroWithKey(51));
    lib.ClearLibrary();
    EXPECT_TRUE(lib.Empty());
    EXPECT_EQ(lib.NextMacroKeyIndex, 2u);
}

TEST(MacroLibraryTest, FindByKeyIndexSearchesStageByStageUpToEachFreeSlot) {
    MacroLibrary lib;
    lib.PlaceMacro(u"t0", L::Top(0), MacroWithKey(1));
    lib.PlaceFolder(u"t1", L::Top(1), 0);
    lib.PlaceMacro(u"t3", L::Top(3), MacroWithKey(2));  // behind the free slot 2
    lib.PlaceMacro(u"s", L::Stage1(1, 0), MacroWithKey(3));
    lib.PlaceMacro(u"under-macro", L::Stage1(0, 0), MacroWithKey(4));
    lib.PlaceMacro(u"deep", L::Stage2(0, 0, 0), MacroWithKey(5));
    lib.PlaceMacro(u"later", L::Stage1(9, 0), MacroWithKey(5));
    lib.PlaceMacro(u"deep-a", L::Stage2(4, 1, 0), MacroWithKey(6));
    lib.PlaceMacro(u"deep-b", L::Stage2(3, 5, 0), MacroWithKey(6));
    lib.PlaceMacro(u"dup", L::Stage1(1, 1), MacroWithKey(1));
    const std::pair<uint32_t, L> cases[] = {
        {1, L::Top(0)},
        {2, L::None()},
        {3, L::Stage1(1, 0)},
        {4, L::Stage1(0, 0)},
        {5, L::Stage1(9, 0)},  // every stage-1 list before any stage-2
                               // list
        {6, L::Stage2(3, 5, 0)},
        {7, L::None()},
    };
    for (const auto& [key, where] : cases)
        EXPECT_EQ(lib.FindByKeyIndex(key), where) << key;
}

TEST(MacroLibraryTest, SubtreeUsesKeyLooksBelowFolders) {
    MacroLibrary lib;
    Build(lib, "F/ F/G/ F/G/y F/x M");  // keys: y 1, x 2, M 3
    EXPECT_TRUE(lib.SubtreeUsesKey(1, FindPath(lib, "F")));
    EXPECT_TRUE(lib.SubtreeUsesKey(1, FindPath(lib, "F/G")));
    EXPECT_TRUE(lib.SubtreeUsesKey(2, FindPath(lib, "F")));
    EXPECT_FALSE(lib.SubtreeUsesKey(2, FindPath(lib, "F/G")));
    EXPECT_TRUE(lib.SubtreeUsesKey(3, FindPath(lib, "M")));
    EXPECT_FALSE(lib.SubtreeUsesKey(3, FindPath(lib, "F")));
    EXPECT_FALSE(lib.SubtreeUsesKey(1, L::None()));
}

TEST(MacroLibraryTest, TreeRowsShowOpenFoldersContents) {
    MacroLibrary lib;
    Build(lib, "F/ F/G/ F/G/y F/G/z F/x M C/ C/c");
    auto open = [&](const char* path, int flag) {
        lib.MutableItemAt(FindPath(lib, path))->MacroItemFolderIsOpen = flag;
    };
    auto rows = [&] {
        std::vector<L> out;
        for (int r = 0; r < lib.VisibleRowCount(); ++r)
            out.push_back(lib.RowToLocation(r));
        return out;
    };
    EXPECT_EQ(rows(), (std::vector<L>{L::Top(0), L::Top(1), L::Top(2)}));
    open("F/G", 1);  // open inside a closed folder: still hidden
    EXPECT_EQ(lib.VisibleRowCount(), 3);
    EXPECT_EQ(lib.LocationToRow(FindPath(lib, "F/G/z")), -1);
    open("F", 1);
    EXPECT_EQ(rows(), (std::vector<L>{L::Top(0), L::Stage1(0, 0), L::Stage2(0, 0, 0),
                                      L::Stage2(0, 0, 1), L::Stage1(0, 1), L::Top(1), L::Top(2)}));
    for (int r = 0; r < lib.VisibleRowCount(); ++r)
        EXPECT_EQ(lib.LocationToRow(lib.RowToLocation(r)), r);
    open("F/G", 0);
    EXPECT_EQ(lib.VisibleRowCount(), 5);
    EXPECT_EQ(lib.RowToLocation(5), L::None());
    EXPECT_EQ(lib.RowToLocation(-1), L::None());
    EXPECT_EQ(lib.LocationToRow(L::Top(9)), -1);  // a free slot
    EXPECT_EQ(lib.LocationToRow(L::None()), -1);
}

TEST(MacroLibraryTest, ItemAtAnswersOnlyForSlotsOfTheTree) {
    MacroLibrary lib;
    const MacroLibrary& view = lib;
    EXPECT_EQ(view.ItemAt(L::None()), nullptr);
    EXPECT_EQ(view.ItemAt(L{3, 0, 0, 0}), nullptr);
    EXPECT_EQ(view.ItemAt(L::Stage1(0, 60)), nullptr);
    EXPECT_EQ(view.ItemAt(L::Stage2(-1, 0, 0)), nullptr);
    const MacroItem* unused = view.ItemAt(L::Stage2(59, 59, 59));
    ASSERT_NE(unused, nullptr);
    EXPECT_FALSE(unused->IsUsed());
    EXPECT_FALSE(lib.PlaceMacro(u"x", L::Top(60), MacroWithKey(1)));
    EXPECT_FALSE(lib.PlaceFolder(u"x", L{-1, 0, 0, 0}, 0));
    EXPECT_TRUE(lib.Empty());
}

}  // namespace
}  // namespace velmaro
