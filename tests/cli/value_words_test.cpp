#include "cli/value_words.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "model/button_functions.h"

namespace velmaro::cli {
namespace {

TEST(ValueWordsTest, SwitchesColoursAndModes) {
    for (const char* on : {"on", "ON", "yes", "True", "1"})
        EXPECT_EQ(ParseSwitchWord(on), true) << on;
    for (const char* off : {"off", "No", "FALSE", "0"})
        EXPECT_EQ(ParseSwitchWord(off), false) << off;
    for (const char* bad : {"", "2", "oui", "onn"})
        EXPECT_FALSE(ParseSwitchWord(bad)) << bad;

    // Stored as 0x00BBGGRR, written "#RRGGBB".
    EXPECT_EQ(ParseColorWord("#FF8000"), 0x0080FFu);
    EXPECT_EQ(ParseColorWord("ff8000"), 0x0080FFu);
    EXPECT_EQ(ParseColorWord("Orange"), 0x0080FFu);
    EXPECT_EQ(ParseColorWord("red"), 0x0000FFu);
    EXPECT_EQ(ColorWord(0x0080FF), "#FF8000");
    for (const char* bad : {"#", "##FF8000", "#FF80", "reddish", "#GG0000"})
        EXPECT_FALSE(ParseColorWord(bad)) << bad;
    // A name's colour is written back as its #RRGGBB.
    for (const ColorName& c : ColorNames()) {
        char rgb[8];
        std::snprintf(rgb, sizeof rgb, "#%06X", static_cast<unsigned>(c.Rgb));
        EXPECT_EQ(ColorWord(ParseColorWord(c.Name).value_or(0xFF000000)), rgb) << c.Name;
    }

    for (int mode = 0; mode < 10; ++mode) {
        EXPECT_EQ(ParseLightingModeWord(LightingModeWord(mode)), mode);
        EXPECT_EQ(ParseLightingModeWord(std::to_string(mode)), mode);
    }
    EXPECT_EQ(ParseLightingModeWord("TWO-TONE"), 7);
    EXPECT_EQ(ParseLightingModeWord("color cycle"), 4);
    for (const char* bad : {"10", "-1", "", "rainbow"})
        EXPECT_FALSE(ParseLightingModeWord(bad)) << bad;
}

TEST(ValueWordsTest, KeyWordsNeedNoQuotingAndReadBack) {
    ASSERT_FALSE(KeyboardKeys().empty());
    for (const KeyboardKey& k : KeyboardKeys()) {
        SCOPED_TRACE(k.Name);
        EXPECT_EQ(ParseKeyWord(k.Word), k.Code);
        EXPECT_EQ(ParseKeyWord(k.Name), k.Code);
        EXPECT_EQ(k.Word.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789"),
                  std::string::npos);
        EXPECT_FALSE(IsIgnoredCombinationKey(k.Code));
    }
    // Keys the mouse cannot send are named but not offered.
    for (const char* name : {"f13", "f24", "lbutton", "mouse wheel", "win_l"}) {
        ASSERT_TRUE(ParseKeyWord(name)) << name;
        for (const KeyboardKey& k : KeyboardKeys())
            EXPECT_NE(k.Code, *ParseKeyWord(name)) << name;
    }
    for (const KeyAlias& a : KeyAliases())
        EXPECT_EQ(ParseKeyWord(a.Alias), a.Code) << a.Alias;
    EXPECT_EQ(ParseModifierWord("Super"), kModifierWin);
    EXPECT_EQ(ParseModifierWord("meta"), kModifierWin);
    EXPECT_FALSE(ParseModifierWord("hyper"));
}

}  // namespace
}  // namespace velmaro::cli
