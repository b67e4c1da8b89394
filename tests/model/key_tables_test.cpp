#include "model/key_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/text.h"

namespace velmaro {
namespace {

struct KeyCase {
    uint8_t code;
    std::u16string_view name;
    uint8_t usage;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << "code 0x" << std::hex << int{c.code};
}

class KeyTableTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTableTest, NameAndUsage) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(ToUtf8(KeyNameOf(c.code)), ToUtf8(c.name));
    EXPECT_EQ(KeyUsageOf(c.code), c.usage);
}

// Ends of every run and the codes where name and usage do not go together.
INSTANTIATE_TEST_SUITE_P(
    SpotChecks, KeyTableTest,
    ::testing::Values(
        KeyCase{0x00, u"Undefined", 0x00}, KeyCase{0x01, u"LBUTTON", 0x00},
        KeyCase{0x08, u"Backspace", 0x2A}, KeyCase{0x0D, u"Enter", 0x28},
        KeyCase{0x0E, u"Undefined", 0x58},  // a usage without a name
        KeyCase{0x13, u"Pause", 0x48}, KeyCase{0x14, u"CapsLock", 0x39},
        KeyCase{0x17, u"junja", 0x00}, KeyCase{0x1B, u"Esc", 0x29}, KeyCase{0x20, u"Space", 0x2C},
        KeyCase{0x21, u"Page Up", 0x4B}, KeyCase{0x28, u"Down Arrow", 0x51},
        KeyCase{0x29, u"Select", 0x00}, KeyCase{0x2C, u"Print Screen", 0x46},
        KeyCase{0x2E, u"Del", 0x4C}, KeyCase{0x2F, u"Help", 0x00},
        KeyCase{0x30, u"0", 0x27},  // 0 follows 9 on the usage page
        KeyCase{0x31, u"1", 0x1E}, KeyCase{0x39, u"9", 0x26}, KeyCase{0x3A, u"Undefined", 0x00},
        KeyCase{0x3B, u"Undefined", 0x29},  // same usage as Esc
        KeyCase{0x40, u"Undefined", 0x00}, KeyCase{0x41, u"A", 0x04}, KeyCase{0x5A, u"Z", 0x1D},
        KeyCase{0x5B, u"Win_L", 0x00}, KeyCase{0x5C, u"Win_R", 0x00}, KeyCase{0x5D, u"App", 0x65},
        KeyCase{0x5E, u"Undefined", 0x00}, KeyCase{0x5F, u"Sleep", 0x82},
        KeyCase{0x60, u"Num0", 0x62}, KeyCase{0x61, u"Num1", 0x59}, KeyCase{0x69, u"Num9", 0x61},
        KeyCase{0x6A, u"Multiply", 0x55}, KeyCase{0x6B, u"Add", 0x57},
        KeyCase{0x6C, u"Separator", 0x00}, KeyCase{0x6D, u"Subtract", 0x56},
        KeyCase{0x6E, u"Decimal", 0x63}, KeyCase{0x6F, u"Divide", 0x54}, KeyCase{0x70, u"F1", 0x3A},
        KeyCase{0x74, u"F5", 0x3E}, KeyCase{0x7B, u"F12", 0x45}, KeyCase{0x7C, u"F13", 0x00},
        KeyCase{0x87, u"F24", 0x00}, KeyCase{0x88, u"Undefined", 0x00},
        KeyCase{0x90, u"Num Lock", 0x53}, KeyCase{0x91, u"Scroll Lock", 0x47},
        KeyCase{0xA0, u"Shift_L", 0x00}, KeyCase{0xA5, u"Alt_R", 0x00},
        KeyCase{0xA6, u"Undefined", 0x00}, KeyCase{0xBA, u";", 0x33}, KeyCase{0xBB, u"=", 0x2E},
        KeyCase{0xBC, u",", 0x36}, KeyCase{0xBD, u"-", 0x2D}, KeyCase{0xBE, u".", 0x37},
        KeyCase{0xBF, u"/", 0x38}, KeyCase{0xC0, u"~", 0x35}, KeyCase{0xC1, u"Undefined", 0x00},
        KeyCase{0xDB, u"[", 0x2F}, KeyCase{0xDC, u"\\", 0x31}, KeyCase{0xDD, u"]", 0x30},
        KeyCase{0xDE, u"'", 0x34}, KeyCase{0xDF, u"Undefined", 0x00}, KeyCase{0xE0, u"L Key", 0xF0},
        KeyCase{0xE1, u"R Key", 0xF1}, KeyCase{0xE2, u"M Key", 0xF2}, KeyCase{0xE3, u"K4", 0xF3},
        KeyCase{0xE4, u"K5", 0xF4}, KeyCase{0xE5, u"Mouse X", 0xF5},
        KeyCase{0xE6, u"Mouse Y", 0xF6}, KeyCase{0xE7, u"Mouse Wheel", 0xF7},
        KeyCase{0xE8, u"Undefined", 0x00}, KeyCase{0xF0, u"Undefined", 0x81},
        KeyCase{0xF2, u"Undefined", 0x32}, KeyCase{0xFB, u"Undefined", 0x91},
        KeyCase{0xFC, u"Undefined", 0x00}, KeyCase{0xFF, u"Undefined", 0x00}));

TEST(KeyTablesTest, UndefinedCodesAreExactlyTheUnnamedOnes) {
    struct Range {
        int first, last;
    };
    const Range unnamed[] = {{0x00, 0x00}, {0x07, 0x07}, {0x0A, 0x0B}, {0x0E, 0x0F}, {0x16, 0x16},
                             {0x1A, 0x1A}, {0x3A, 0x40}, {0x5E, 0x5E}, {0x88, 0x8F}, {0x92, 0x9F},
                             {0xA6, 0xB9}, {0xC1, 0xDA}, {0xDF, 0xDF}, {0xE8, 0xFF}};
    std::vector<bool> expected(256, false);
    for (const Range& r : unnamed) {
        for (int c = r.first; c <= r.last; ++c)
            expected[c] = true;
    }
    for (int c = 0; c < 256; ++c) {
        const auto name = KeyNameOf(static_cast<uint8_t>(c));
        EXPECT_EQ(name == u"Undefined", expected[c]) << "code 0x" << std::hex << c;
        EXPECT_FALSE(name.empty()) << "code 0x" << std::hex << c;
    }
}

TEST(KeyTablesTest, LettersAndFunctionKeysRunInOrder) {
    for (int i = 0; i < 26; ++i) {
        const auto code = static_cast<uint8_t>(0x41 + i);
        EXPECT_EQ(KeyNameOf(code), std::u16string(1, static_cast<char16_t>(u'A' + i)));
        EXPECT_EQ(KeyUsageOf(code), 0x04 + i);
    }
    for (int i = 0; i < 24; ++i) {
        const auto code = static_cast<uint8_t>(0x70 + i);
        EXPECT_EQ(KeyNameOf(code), u"F" + ToU16(std::to_string(i + 1)));
        EXPECT_EQ(KeyUsageOf(code), i < 12 ? 0x3A + i : 0);
    }
}

TEST(KeyCodeFromNameTest, EveryNameLeadsBackToItsCode) {
    // Also proves no two codes share a name.
    for (int c = 0; c < 256; ++c) {
        const auto code = static_cast<uint8_t>(c);
        if (KeyNameOf(code) == kUndefinedKeyName)
            continue;
        EXPECT_EQ(KeyCodeFromName(KeyNameOf(code)), code) << "code 0x" << std::hex << c;
    }
}

TEST(KeyCodeFromNameTest, IgnoresCaseButNothingElse) {
    struct Case {
        std::u16string_view text;
        std::optional<uint8_t> code;
    };
    const Case cases[] = {
        {u"f5", 0x74},   {u"CTRL", 0x11},    {u"page up", 0x21}, {u"JUNJA", 0x17},
        {u"num0", 0x60}, {u",", 0xBC},       {u"\\", 0xDC},      {u"mouse wheel", 0xE7},
        {u"a", 0x41},    {u"Undefined", {}}, {u"undefined", {}}, {u"", {}},
        {u"pageup", {}}, {u" f5", {}},       {u"F25", {}},       {u"ctrl+", {}},
        {u"\u0130", {}},  // no folding beyond ASCII
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyCodeFromName(c.text), c.code) << ToUtf8(c.text);
}

}  // namespace
}  // namespace velmaro
