#include "cli/values.h"

#include <gtest/gtest.h>

namespace velmaro::cli {
namespace {

TEST(ParseIntegerTest, TakesOnlyAWholeNumber) {
    EXPECT_EQ(ParseInteger("800"), 800);
    EXPECT_EQ(ParseInteger("-3"), -3);
    for (const char* bad : {"", " 8", "8 ", "+8", "8x", "0x10", "1e3", "99999999999999999999"})
        EXPECT_FALSE(ParseInteger(bad)) << bad;
}

TEST(RgbColorTest, RedIsTheLowByteOfTheStoredColour) {
    EXPECT_EQ(ParseRgbColor("FF8000"), 0x0080FFu);
    EXPECT_EQ(ParseRgbColor("00ff7f"), 0x7FFF00u);
    EXPECT_EQ(FormatRgbColor(0x0080FF), "FF8000");
    EXPECT_EQ(FormatRgbColor(0xAA7FFF00), "00FF7F");  // the unused high byte is not shown
    for (const char* bad : {"", "FF800", "FF80000", "#FF800", "GG0000"})
        EXPECT_FALSE(ParseRgbColor(bad)) << bad;
}

}  // namespace
}  // namespace velmaro::cli
