#include "device/library_macro_lookup.h"

#include <gtest/gtest.h>

namespace velmaro {
namespace {

TEST(FlatLocationIndexTest, EverySlotOfTheTreeHasItsOwnNumber) {
    EXPECT_EQ(FlatLocationIndex(MacroItemLocation::Top(0)), 0u);
    EXPECT_EQ(FlatLocationIndex(MacroItemLocation::Top(59)), 59u);
    EXPECT_EQ(FlatLocationIndex(MacroItemLocation::Stage1(0, 0)), 60u);
    EXPECT_EQ(FlatLocationIndex(MacroItemLocation::Stage1(59, 59)), 60u + 3599u);
    EXPECT_EQ(FlatLocationIndex(MacroItemLocation::Stage2(0, 0, 0)), 3660u);
    EXPECT_EQ(FlatLocationIndex(MacroItemLocation::Stage2(59, 59, 59)), 3660u + 215999u);
}

TEST(LibraryMacroLookupTest, FindsAMacroInAFolderByItsKeyIndex) {
    MacroLibrary library;
    ASSERT_EQ(library.AddFolder(u"Games"), AddResult::Added);  // selected now
    ASSERT_EQ(library.AddMacro(u"Reload"), AddResult::Added);  // inside the folder
    const MacroItemLocation at = library.SelectedLocation;
    ASSERT_EQ(at, MacroItemLocation::Stage1(0, 0));
    const uint32_t key = library.ItemAt(at)->Macro->MacroKeyIndex;

    const LibraryMacroLookup lookup(library);
    const std::optional<FoundMacro> found = lookup.FindByKeyIndex(key);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->Macro, library.ItemAt(at)->Macro.get());
    EXPECT_EQ(found->Location, 60u);
    EXPECT_FALSE(lookup.FindByKeyIndex(key + 1).has_value());
    EXPECT_FALSE(lookup.FindByKeyIndex(0).has_value());
}

}  // namespace
}  // namespace velmaro
