#include "cli/library_paths.h"

#include <gtest/gtest.h>

#include "macro/library_outline.h"
#include "model/text.h"

namespace velmaro::cli {
namespace {

TEST(LibraryPathsTest, FindsItemsByTheirFolderPath) {
    MacroLibrary lib;
    velmaro::testing::Build(lib, "A F/ F/x F/G/ F/G/y a/ a/b");
    EXPECT_EQ(FindItemByPath(lib, u"A"), MacroItemLocation::Top(0));
    EXPECT_EQ(FindItemByPath(lib, u"F/x"), MacroItemLocation::Stage1(1, 0));
    EXPECT_EQ(FindItemByPath(lib, u"F/G/y"), MacroItemLocation::Stage2(1, 1, 0));
    EXPECT_EQ(FindItemByPath(lib, u"F/G"), MacroItemLocation::Stage1(1, 1));
    for (const char16_t* missing : {u"", u"x", u"F/", u"F/y", u"f/x", u"F/G/y/z"})
        EXPECT_EQ(FindItemByPath(lib, missing).stage, -1) << ToUtf8(missing);

    for (const MacroItemLocation& loc : {MacroItemLocation::Top(0), MacroItemLocation::Stage1(1, 0),
                                         MacroItemLocation::Stage2(1, 1, 0)})
        EXPECT_EQ(FindItemByPath(lib, ItemPath(lib, loc)), loc);
    EXPECT_EQ(ItemPath(lib, MacroItemLocation::Stage2(1, 1, 0)), u"F/G/y");
    EXPECT_EQ(ItemPath(lib, MacroItemLocation::Top(5)), u"");
}

TEST(LibraryPathsTest, NamesMayHoldTheSeparator) {
    MacroLibrary lib;
    velmaro::testing::Build(lib, "F/ F/x");
    lib.SelectedLocation = MacroItemLocation::None();
    ASSERT_EQ(lib.AddMacro(u"F/x"), AddResult::Added);  // a top-level name with "/"
    lib.SelectedLocation = MacroItemLocation::None();
    ASSERT_EQ(lib.AddMacro(u"a/b"), AddResult::Added);
    // The folder comes first in index order, so "F/x" is the macro inside it.
    EXPECT_EQ(FindItemByPath(lib, u"F/x"), MacroItemLocation::Stage1(0, 0));
    EXPECT_EQ(FindItemByPath(lib, u"a/b"), MacroItemLocation::Top(2));
}

}  // namespace
}  // namespace velmaro::cli
