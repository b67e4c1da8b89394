#include "model/button_functions.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "model/text.h"

namespace velmaro {
namespace {

// Entry n of the language reads "T<n>", so a name shows where it came from.
LanguageTable NumberedLanguage() {
    LanguageTable language;
    for (size_t n = 0; n < language.Entries.size(); ++n)
        language.Entries[n] = u"T" + FormatDecimal(static_cast<int64_t>(n));
    return language;
}

std::string Hex(const KeyValue& v) {
    return ToUtf8(FormatHexUpper(v[0], 2) + u" " + FormatHexUpper(v[1], 2) + u" " +
                  FormatHexUpper(v[2], 2));
}

struct ListEntry {
    uint16_t name_entry;
    const char* bytes;
};

void ExpectList(std::span<const FixedFunction> list, std::span<const ListEntry> expected,
                const char* what) {
    ASSERT_EQ(list.size(), expected.size()) << what;
    for (size_t i = 0; i < list.size(); ++i) {
        SCOPED_TRACE(std::string(what) + " entry " + std::to_string(i + 1));
        EXPECT_EQ(list[i].NameEntry, expected[i].name_entry);
        EXPECT_EQ(Hex(list[i].Value), expected[i].bytes);
    }
}

TEST(FixedListsTest, NamesAndBytes) {
    const ListEntry dpi[] = {{40, "40 02 00"}, {41, "40 03 00"}, {42, "40 01 00"}};
    const ListEntry media[] = {
        {45, "80 83 01"}, {46, "80 B6 00"}, {47, "80 B5 00"}, {48, "80 B7 00"}, {49, "80 CD 00"},
        {50, "80 E2 00"}, {51, "80 E9 00"}, {52, "80 EA 00"}, {53, "80 8A 01"}, {54, "80 92 01"}};
    const ListEntry office[] = {{60, "70 01 06"}, {61, "70 01 19"}, {62, "70 01 1B"},
                                {63, "70 01 04"}, {64, "70 01 11"}, {65, "70 01 16"},
                                {66, "70 01 13"}, {67, "70 08 08"}, {68, "70 01 1D"}};
    const ListEntry windows[] = {{75, "80 94 01"}, {76, "70 04 3D"}, {77, "70 08 07"},
                                 {78, "70 08 15"}, {79, "70 08 51"}, {80, "70 08 52"}};
    ExpectList(kDpiFunctionList, dpi, "DPI function");
    ExpectList(kMultimediaList, media, "multimedia");
    ExpectList(kOfficeList, office, "office");
    ExpectList(kWindowsList, windows, "Windows");
}

TEST(FixedListsTest, FixedChoiceTakesItsNameFromTheLanguage) {
    const LanguageTable language = NumberedLanguage();
    const ButtonChoice c = FixedChoice(language, kOfficeList[7]);
    EXPECT_EQ(c.Name, u"T67");
    EXPECT_EQ(c.Value, (KeyValue{0x70, 0x08, 0x08}));
}

TEST(ButtonMenuTest, DirectEntriesGiveTheirBytesOthersOpenSomething) {
    struct MenuCase {
        uint16_t name_entry;
        MenuOpens opens;
        const char* bytes;  // of a direct choice
    };
    const MenuCase expected[] = {
        {20, MenuOpens::Nothing, "10 01 00"},     {21, MenuOpens::Nothing, "10 02 00"},
        {22, MenuOpens::Nothing, "10 04 00"},     {23, MenuOpens::Nothing, "10 10 00"},
        {24, MenuOpens::Nothing, "10 08 00"},     {25, MenuOpens::DpiFunctionList, nullptr},
        {26, MenuOpens::FireKeyDialog, nullptr},  {27, MenuOpens::Nothing, "30 32 03"},
        {28, MenuOpens::MacroSelection, nullptr}, {29, MenuOpens::KeyCombinationDialog, nullptr},
        {30, MenuOpens::MultimediaList, nullptr}, {31, MenuOpens::OfficeList, nullptr},
        {32, MenuOpens::WindowsList, nullptr},    {33, MenuOpens::Nothing, "60 04 00"},
        {36, MenuOpens::DpiLockList, nullptr},    {34, MenuOpens::Nothing, "00 00 00"},
    };
    const LanguageTable language = NumberedLanguage();
    ASSERT_EQ(kButtonFunctionMenu.size(), std::size(expected));
    for (size_t i = 0; i < kButtonFunctionMenu.size(); ++i) {
        SCOPED_TRACE("menu entry " + std::to_string(i + 1));
        const ButtonMenuEntry& entry = kButtonFunctionMenu[i];
        EXPECT_EQ(entry.NameEntry, expected[i].name_entry);
        EXPECT_EQ(entry.Opens, expected[i].opens);
        const auto choice = MenuChoice(language, entry);
        if (expected[i].bytes) {
            ASSERT_TRUE(choice);
            EXPECT_EQ(choice->Name, u"T" + FormatDecimal(expected[i].name_entry));
            EXPECT_EQ(Hex(choice->Value), expected[i].bytes);
        } else {
            EXPECT_FALSE(choice);
        }
    }
}

TEST(DpiLockTest, ByteOneIsTheEntryNumberAndTheNameCarriesTheDpi) {
    const LanguageTable language = NumberedLanguage();
    for (int n = 1; n <= 11; ++n) {
        SCOPED_TRACE(n);
        const auto choice = DpiLockChoice(language, n);
        ASSERT_TRUE(choice);
        EXPECT_EQ(choice->Value, (KeyValue{0x50, static_cast<uint8_t>(n), 0x00}));
        EXPECT_EQ(choice->Name, u"T36-" + FormatDecimal((n + 1) * 100));
        EXPECT_EQ(kDpiLockList[n - 1].Value, choice->Value);
    }
    EXPECT_EQ(DpiLockChoice(language, 7)->Name, u"T36-800");
    EXPECT_FALSE(DpiLockChoice(language, 0));
    EXPECT_FALSE(DpiLockChoice(language, 12));
}

TEST(FireKeyTest, DialogResultMatchesThePresetInBytesButNotInName) {
    const LanguageTable language = NumberedLanguage();
    const auto dialog = FireKeyChoice(language, 50, 3);
    const auto preset = MenuChoice(language, kButtonFunctionMenu[7]);
    ASSERT_TRUE(dialog && preset);
    EXPECT_EQ(dialog->Value, preset->Value);
    EXPECT_EQ(dialog->Name, u"T26");
    EXPECT_EQ(preset->Name, u"T27");
}

TEST(FireKeyTest, NumbersOutsideTheirRangesGiveNothing) {
    struct Case {
        int first, second;
        bool valid;
    };
    const Case cases[] = {{5, 0, true},    {255, 255, true}, {4, 0, false},  {256, 0, false},
                          {50, -1, false}, {50, 256, false}, {-50, 0, false}};
    const LanguageTable language = NumberedLanguage();
    for (const Case& c : cases) {
        const auto choice = FireKeyChoice(language, c.first, c.second);
        ASSERT_EQ(choice.has_value(), c.valid) << c.first << ", " << c.second;
        if (choice) {
            EXPECT_EQ(choice->Value, (KeyValue{0x30, static_cast<uint8_t>(c.first),
                                               static_cast<uint8_t>(c.second)}));
        }
    }
}

TEST(MacroChoiceTest, NamedAfterTheItemOrDisabledWithoutOne) {
    const LanguageTable language = NumberedLanguage();
    EXPECT_EQ(MacroChoice(language, u"Reload"), (ButtonChoice{u"T190Reload", {0x90, 0, 0}}));
    EXPECT_EQ(MacroChoice(language, u""), (ButtonChoice{u"T190", {0x90, 0, 0}}));
    EXPECT_EQ(MacroChoice(language, std::nullopt), (ButtonChoice{u"T34", {0, 0, 0}}));
}

struct ComboCase {
    const char* what;
    std::vector<uint8_t> presses;
    KeyModifiers ticks;
    bool no_modifier;
    std::optional<ButtonChoice> result;
};

void PrintTo(const ComboCase& c, std::ostream* os) {
    *os << c.what;
}

class KeyCombinationTest : public ::testing::TestWithParam<ComboCase> {};

TEST_P(KeyCombinationTest, PressesAndTicksGiveNameAndBytes) {
    const ComboCase& c = GetParam();
    KeyCombinationCapture capture;
    for (uint8_t code : c.presses)
        capture.Press(code);
    const auto result = capture.Encode(c.ticks, c.no_modifier);
    ASSERT_EQ(result.has_value(), c.result.has_value());
    if (result) {
        EXPECT_EQ(ToUtf8(result->Name), ToUtf8(c.result->Name));
        EXPECT_EQ(Hex(result->Value), Hex(c.result->Value));
    }
}

constexpr KeyModifiers kNone{};
constexpr KeyModifiers kCtrl{.Ctrl = true};
constexpr KeyModifiers kShift{.Shift = true};
constexpr KeyModifiers kWin{.Win = true};
constexpr KeyModifiers kCtrlAlt{.Ctrl = true, .Alt = true};
constexpr KeyModifiers kAll{true, true, true, true};

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyCombinationTest,
    ::testing::Values(
        ComboCase{
            "CtrlAltF5", {0x74}, kCtrlAlt, false, ButtonChoice{u"Ctrl+Alt+F5", {0x70, 0x05, 0x3E}}},
        ComboCase{"ShiftWithoutKey", {}, kShift, false, ButtonChoice{u"Shift", {0x70, 0x02, 0x00}}},
        ComboCase{"AllModifiersInOrder",
                  {0x41},
                  kAll,
                  false,
                  ButtonChoice{u"Ctrl+Shift+Alt+Win+A", {0x70, 0x0F, 0x04}}},
        ComboCase{"KeyAlone", {0xBC}, kNone, false, ButtonChoice{u",", {0x70, 0x00, 0x36}}},
        ComboCase{"LastKeyWins",
                  {0x41, 0x42, 0x30},
                  kCtrl,
                  false,
                  ButtonChoice{u"Ctrl+0", {0x70, 0x01, 0x27}}},
        ComboCase{"ModifierKeysAreNeverCaptured",
                  {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5},
                  kNone,
                  false,
                  std::nullopt},
        ComboCase{"WindowsKeyGivesNoUsage",
                  {0x5B, 0x5C},
                  kWin,
                  false,
                  ButtonChoice{u"Win", {0x70, 0x08, 0x00}}},
        ComboCase{"IgnoredKeyKeepsTheEarlierOne",
                  {0x41, 0x5B, 0xA2},
                  kWin,
                  false,
                  ButtonChoice{u"Win+A", {0x70, 0x08, 0x04}}},
        ComboCase{"NoModifierOptionDropsTicks",
                  {0x74},
                  kAll,
                  true,
                  ButtonChoice{u"F5", {0x70, 0x00, 0x3E}}},
        ComboCase{"NoModifierOptionWithoutKey", {}, kCtrlAlt, true, std::nullopt},
        ComboCase{"NothingAtAll", {}, kNone, false, std::nullopt},
        ComboCase{
            "KeyWithoutUsage", {0x7C}, kCtrl, false, ButtonChoice{u"Ctrl+F13", {0x70, 0x01, 0x00}}},
        ComboCase{"GenericShiftIsAKey",
                  {0x10},
                  kNone,
                  false,
                  ButtonChoice{u"Shift", {0x70, 0x00, 0x00}}}));

TEST(KeyCombinationCaptureTest, ReportsWhatItHolds) {
    KeyCombinationCapture capture;
    EXPECT_EQ(capture.KeyText(), u"");
    EXPECT_EQ(capture.Usage(), 0);
    EXPECT_TRUE(capture.Press(0xDC));
    EXPECT_FALSE(capture.Press(0x5C));
    EXPECT_EQ(capture.Code(), 0xDC);
    EXPECT_EQ(capture.KeyText(), u"\\");
    EXPECT_EQ(capture.Usage(), 0x31);
    capture.Clear();
    EXPECT_FALSE(capture.Code());
    EXPECT_FALSE(capture.Encode(kNone, false));
}

TEST(KeyCombinationEncodeTest, AnIgnoredCodeGivenDirectlyCountsAsNoKey) {
    EXPECT_EQ(EncodeKeyCombination(0x5B, kWin, false), (ButtonChoice{u"Win", {0x70, 0x08, 0x00}}));
    EXPECT_FALSE(EncodeKeyCombination(0xA3, kNone, false));
    EXPECT_EQ(EncodeKeyCombination(0x74, kCtrlAlt, false),
              (ButtonChoice{u"Ctrl+Alt+F5", {0x70, 0x05, 0x3E}}));
}

}  // namespace
}  // namespace velmaro
