#include "cli/commands.h"

#include <gtest/gtest.h>

namespace velmaro::cli {
namespace {

TEST(ParseSelectTest, FourNumbersExactly) {
    EXPECT_EQ(ParseSelect("0,1,0,0"), MacroItemLocation::Top(1));
    EXPECT_EQ(ParseSelect("2,3,4,5"), MacroItemLocation::Stage2(3, 4, 5));
    EXPECT_EQ(ParseSelect("-1,0,0,0"), MacroItemLocation::None());
    for (const char* bad : {"", "0", "0,1,0", "0,1,0,0,0", "0,1,,0", "0,a,0,0", "0,1,0,0,"})
        EXPECT_FALSE(ParseSelect(bad)) << bad;
}

TEST(CommandOwnsSaveTest, OnlyCommandsThatChangeFiles) {
    for (const char* own : {"set", "switch", "import", "reset", "macro-import"})
        EXPECT_TRUE(CommandOwnsSave(own)) << own;
    for (const char* other :
         {"devices", "status", "push", "show", "export", "macros", "macro-export"})
        EXPECT_FALSE(CommandOwnsSave(other)) << other;
}

}  // namespace
}  // namespace velmaro::cli
