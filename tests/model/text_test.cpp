#include "model/text.h"

#include <gtest/gtest.h>

namespace velmaro {
namespace {

TEST(TextTest, DecimalConversionStopsAtFirstNonDigit) {
    const std::pair<std::u16string, int32_t> cases[] = {
        {u"12", 12}, {u"  7x", 7}, {u"-3", -3}, {u"+4", 4},
        {u"abc", 0}, {u"", 0},     {u"007", 7}, {u"99999999999", 2147483647},
        {u"6\r", 6}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseDecimal(text), value) << ToUtf8(text);
}

TEST(TextTest, HexConversionAcceptsPrefixAndStops) {
    const std::pair<std::u16string, uint32_t> cases[] = {{u"0x3325", 0x3325},
                                                         {u"3325", 0x3325},
                                                         {u"0xCCDA", 0xCCDA},
                                                         {u"0x CD8", 0},
                                                         {u"00G6", 0},
                                                         {u"6", 6},
                                                         {u"", 0},
                                                         {u"ff", 0xFF},
                                                         {u"0x", 0},
                                                         {u"0xFFFFFFFFF", 0xFFFFFFFF}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseHex(text), value) << ToUtf8(text);
    EXPECT_EQ(ParseHexPiece(u"=0006", 1, 4), 6u);
    EXPECT_EQ(ParseHexPiece(u"=6", 1, 4), 6u);
    EXPECT_EQ(ParseHexPiece(u"=", 1, 2), 0u);
}

TEST(TextTest, Formatting) {
    EXPECT_EQ(FormatHexSpacePadded(0xCCD8), u"0xCCD8");
    EXPECT_EQ(FormatHexSpacePadded(0x0CD8), u"0x CD8");
    EXPECT_EQ(FormatHexSpacePadded(0x12345), u"0x12345");
    EXPECT_EQ(FormatHexUpper(0x0A, 2), u"0A");
    EXPECT_EQ(FormatHexUpper(0x3B, 4), u"003B");
    EXPECT_EQ(FormatDecimal(-12), u"-12");
}

TEST(TextTest, Utf8RoundTrip) {
    const std::string s = "Profil ä 宋体 \xF0\x9F\x8E\xAE";
    EXPECT_EQ(ToUtf8(ToU16(s)), s);
    EXPECT_EQ(ToU16("\xFF"), u"\uFFFD");
}

}  // namespace
}  // namespace velmaro
