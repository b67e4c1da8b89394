#include "model/profile_edits.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "profile_edits_fixture.h"

namespace velmaro {
namespace {

using namespace edits_test;

// ---- Button functions --------------------------------------------------------

constexpr KeyValue kLeft{0x10, 0x01, 0x00};
constexpr KeyValue kRight{0x10, 0x02, 0x00};
constexpr KeyValue kMiddle{0x10, 0x04, 0x00};

TEST_F(ProfileEditsTest, LeftClickRule) {
    struct Case {
        const char* what;
        std::array<KeyValue, kButtonCount> keys;
        int button;
        int menu_entry;
        EditResult result;
        KeyValue stored;
        const char16_t* name;
    };
    const KeyValue dpi{0x40, 0x01, 0x00};
    const KeyValue both{0x10, 0x03, 0x00};  // left and right together is no plain left click
    const EditResult refused = No(EditRefusal::LeftClickRequired, 151);
    const Case cases[] = {
        {"the only left click is put back and nothing is sent",
         {kLeft, kRight, kMiddle, kMiddle, kMiddle, dpi},
         0,
         2,
         refused,
         kLeft,
         u"T20"},
        {"another button keeps the left click",
         {kLeft, kLeft, kMiddle, kMiddle, kMiddle, dpi},
         0,
         2,
         Ok(kButtons),
         kRight,
         u"T21"},
        {"a button other than the left click changes freely",
         {kLeft, kRight, kMiddle, kMiddle, kMiddle, dpi},
         3,
         16,
         Ok(kButtons),
         {0, 0, 0},
         u"T34"},
        {"choosing the left click is always kept",
         {kRight, kRight, kMiddle, kMiddle, kMiddle, dpi},
         4,
         1,
         Ok(kButtons),
         kLeft,
         u"T20"},
        {"without any left click the button takes it and it must be sent",
         {kRight, kRight, kMiddle, kMiddle, kMiddle, dpi},
         3,
         2,
         No(EditRefusal::LeftClickRequired, 151, kButtons),
         kLeft,
         u"T20"},
        {"a left click with other bits does not count",
         {kLeft, both, kMiddle, kMiddle, kMiddle, dpi},
         0,
         3,
         refused,
         kLeft,
         u"T20"},
        {"a left click with a stray third byte counts",
         {kLeft, {0x10, 0x01, 0x05}, kMiddle, kMiddle, kMiddle, dpi},
         0,
         3,
         Ok(kButtons),
         kMiddle,
         u"T22"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int i = 0; i < kButtonCount; ++i) {
            record.Keys[i].Value = c.keys[i];
            record.Keys[i].KeyName = u"was";
        }
        before = record;
        EXPECT_EQ(AssignMenuEntry(record, language, c.button, c.menu_entry), c.result);
        EXPECT_EQ(record.Keys[c.button].Value, c.stored);
        EXPECT_EQ(record.Keys[c.button].KeyName, c.name);
        for (int i = 0; i < kButtonCount; ++i) {
            if (i != c.button) {
                EXPECT_TRUE(record.Keys[i] == before.Keys[i]) << "button " << i;
            }
        }
    }
}

TEST_F(ProfileEditsTest, RefusedMacroLeavesNoTrace) {
    KeyRecord& key = record.Keys[0];  // the only left click
    key.MacroKeyIndex = 7;
    key.Macro.MacroName = u"old";
    MacroRecord macro;
    macro.MacroName = u"new";
    macro.MacroKeyIndex = 42;
    macro.InsertAction(0, MacroAction::Delay(10));

    EXPECT_EQ(AssignMacro(record, language, 0, &macro, u"Reload"),
              No(EditRefusal::LeftClickRequired, 151));
    EXPECT_EQ(key.Value, kLeft);
    EXPECT_EQ(key.MacroKeyIndex, 7u);
    EXPECT_EQ(key.Macro.MacroName, u"old");
    EXPECT_EQ(key.Macro.MacroActionNum, 0u);
}

TEST_F(ProfileEditsTest, MenuEntries) {
    struct Case {
        int entry;
        EditResult result;
        KeyValue stored;
        int name;
    };
    const EditResult indirect = No(EditRefusal::NotDirectChoice);
    const Case cases[] = {
        {1, Ok(kButtons), kLeft, 20},
        {2, Ok(kButtons), kRight, 21},
        {3, Ok(kButtons), kMiddle, 22},
        {4, Ok(kButtons), {0x10, 0x10, 0x00}, 23},
        {5, Ok(kButtons), {0x10, 0x08, 0x00}, 24},
        {6, indirect, {}, 0},
        {7, indirect, {}, 0},
        {8, Ok(kButtons), {0x30, 0x32, 0x03}, 27},
        {9, indirect, {}, 0},
        {10, indirect, {}, 0},
        {11, indirect, {}, 0},
        {12, indirect, {}, 0},
        {13, indirect, {}, 0},
        {14, Ok(kButtons), {0x60, 0x04, 0x00}, 33},
        {15, indirect, {}, 0},
        {16, Ok(kButtons), {0x00, 0x00, 0x00}, 34},
        {0, No(EditRefusal::OutOfRange), {}, 0},
        {17, No(EditRefusal::OutOfRange), {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        ResetProfileDefaults(record, 0, language, kDefaultSensorId);
        before = record;
        EXPECT_EQ(AssignMenuEntry(record, language, 2, c.entry), c.result);
        if (!c.result.Accepted()) {
            ExpectUnchanged();
            continue;
        }
        EXPECT_EQ(record.Keys[2].Value, c.stored);
        EXPECT_EQ(record.Keys[2].KeyName, T(c.name));
    }
    for (int button : {-1, 6}) {
        EXPECT_EQ(AssignMenuEntry(record, language, button, 1), No(EditRefusal::NoSuchButton));
        EXPECT_EQ(AssignFireKey(record, language, button, 50, 0), No(EditRefusal::NoSuchButton));
        EXPECT_EQ(AssignMacro(record, language, button, nullptr, u""),
                  No(EditRefusal::NoSuchButton));
    }
}

TEST_F(ProfileEditsTest, ListEntries) {
    struct Case {
        FunctionList list;
        int entry;
        KeyValue stored;  // all zero: refused as out of range
        std::u16string name;
    };
    const Case cases[] = {
        {FunctionList::Dpi, 1, {0x40, 0x02, 0x00}, T(40)},
        {FunctionList::Dpi, 3, {0x40, 0x01, 0x00}, T(42)},
        {FunctionList::Dpi, 4, {}, u""},
        {FunctionList::DpiLock, 1, {0x50, 0x01, 0x00}, T(36) + u"-200"},
        {FunctionList::DpiLock, 7, {0x50, 0x07, 0x00}, T(36) + u"-800"},
        {FunctionList::DpiLock, 11, {0x50, 0x0B, 0x00}, T(36) + u"-1200"},
        {FunctionList::DpiLock, 0, {}, u""},
        {FunctionList::DpiLock, 12, {}, u""},
        {FunctionList::Multimedia, 10, {0x80, 0x92, 0x01}, T(54)},
        {FunctionList::Multimedia, 11, {}, u""},
        {FunctionList::Office, 8, {0x70, 0x08, 0x08}, T(67)},
        {FunctionList::Office, 10, {}, u""},
        {FunctionList::Windows, 1, {0x80, 0x94, 0x01}, T(75)},
        {FunctionList::Windows, 7, {}, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.list) << " entry " << c.entry);
        ResetProfileDefaults(record, 0, language, kDefaultSensorId);
        before = record;
        const EditResult r = AssignListEntry(record, language, 1, c.list, c.entry);
        if (c.stored == KeyValue{}) {
            EXPECT_EQ(r, No(EditRefusal::OutOfRange));
            ExpectUnchanged();
            continue;
        }
        EXPECT_EQ(r, Ok(kButtons));
        EXPECT_EQ(record.Keys[1].Value, c.stored);
        EXPECT_EQ(record.Keys[1].KeyName, c.name);
    }
}

TEST_F(ProfileEditsTest, FireKeyDialog) {
    language.Entries[26] = u"Fire+";
    struct Case {
        int first;
        int second;
        EditResult result;
    };
    const Case cases[] = {
        {5, 0, Ok(kButtons)},
        {50, 3, Ok(kButtons)},
        {255, 255, Ok(kButtons)},
        {4, 0, No(EditRefusal::FireKeyFirstNumber, 174)},
        {0, 0, No(EditRefusal::FireKeyFirstNumber, 174)},
        {256, 0, No(EditRefusal::FireKeyFirstNumber, 174)},
        {50, 256, No(EditRefusal::FireKeySecondNumber, 176)},
        {50, -1, No(EditRefusal::FireKeySecondNumber, 176)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << ", " << c.second);
        ResetProfileDefaults(record, 0, language, kDefaultSensorId);
        before = record;
        EXPECT_EQ(AssignFireKey(record, language, 3, c.first, c.second), c.result);
        if (!c.result.Accepted()) {
            ExpectUnchanged();
            continue;
        }
        EXPECT_EQ(record.Keys[3].Value,
                  (KeyValue{0x30, static_cast<uint8_t>(c.first), static_cast<uint8_t>(c.second)}));
        EXPECT_EQ(record.Keys[3].KeyName, u"Fire");  // the dialog drops the "+"
    }
}

TEST_F(ProfileEditsTest, KeyCombinationDialog) {
    struct Case {
        const char* what;
        std::optional<uint8_t> code;
        KeyModifiers ticks;
        bool no_modifier;
        EditResult result;
        KeyValue stored;
        const char16_t* name;
    };
    const Case cases[] = {
        {"Ctrl alone",
         std::nullopt,
         {.Ctrl = true},
         false,
         Ok(kButtons),
         {0x70, 0x01, 0x00},
         u"Ctrl"},
        {"Ctrl and Alt with F5",
         0x74,
         {.Ctrl = true, .Alt = true},
         false,
         Ok(kButtons),
         {0x70, 0x05, 0x3E},
         u"Ctrl+Alt+F5"},
        {"no-modifier box drops the ticks",
         0x41,
         {.Shift = true},
         true,
         Ok(kButtons),
         {0x70, 0x00, 0x04},
         u"A"},
        {"nothing captured",
         std::nullopt,
         {},
         false,
         No(EditRefusal::EmptyKeyCombination),
         {},
         nullptr},
        {"only ticks under the no-modifier box",
         std::nullopt,
         {.Ctrl = true},
         true,
         No(EditRefusal::EmptyKeyCombination),
         {},
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProfileDefaults(record, 0, language, kDefaultSensorId);
        before = record;
        EXPECT_EQ(AssignKeyCombination(record, language, 4, c.code, c.ticks, c.no_modifier),
                  c.result);
        if (!c.result.Accepted()) {
            ExpectUnchanged();
            continue;
        }
        EXPECT_EQ(record.Keys[4].Value, c.stored);
        EXPECT_EQ(record.Keys[4].KeyName, c.name);
    }
    // The left-click rule holds here as for every choice.
    EXPECT_EQ(AssignKeyCombination(record, language, 0, 0x41, {}, false),
              No(EditRefusal::LeftClickRequired, 151));
    EXPECT_EQ(record.Keys[0].Value, kLeft);
}

TEST_F(ProfileEditsTest, MacroSelection) {
    MacroRecord macro;
    macro.MacroName = u"Reload";
    macro.MacroKeyIndex = 42;
    macro.InsertAction(0, MacroAction::Make(0x41, 0x00, 0, 0));
    macro.InsertAction(1, MacroAction::Make(0x41, 0x80, 0, 0));

    // A macro chosen: its item name after entry 190, 90 00 00, and a copy.
    record.Keys[0].Value = kLeft;
    record.Keys[1].Value = kLeft;
    EXPECT_EQ(AssignMacro(record, language, 0, &macro, u"Reload"), Ok(kButtons));
    const KeyRecord& key = record.Keys[0];
    EXPECT_EQ(key.Value, (KeyValue{0x90, 0x00, 0x00}));
    EXPECT_EQ(key.KeyName, T(190) + u"Reload");
    EXPECT_EQ(key.MacroKeyIndex, 42u);
    EXPECT_EQ(key.Macro.MacroName, u"Reload");
    EXPECT_EQ(key.Macro.MacroActionNum, 2u);

    // No macro chosen: the button is disabled, its macro index and name stay,
    // its actions go.
    EXPECT_EQ(AssignMacro(record, language, 0, nullptr, u"ignored"), Ok(kButtons));
    EXPECT_EQ(key.Value, (KeyValue{0x00, 0x00, 0x00}));
    EXPECT_EQ(key.KeyName, T(34));
    EXPECT_EQ(key.MacroKeyIndex, 42u);
    EXPECT_EQ(key.Macro.MacroName, u"Reload");
    EXPECT_EQ(key.Macro.MacroActionNum, 0u);
}

TEST_F(ProfileEditsTest, MacroTheMouseCannotPlayIsRefused) {
    // 125 key actions fit the mouse's 15 chunks; one more, or a count that
    // says more, does not.
    struct Case {
        uint32_t actions;
        uint8_t announced;
        bool fits;
    };
    for (const Case& c : {Case{125, 125, true}, Case{126, 126, false}, Case{168, 168, false},
                          Case{4, 130, false}}) {
        SCOPED_TRACE(c.actions);
        MacroRecord macro;
        for (uint32_t i = 0; i < c.actions; ++i) {
            macro.InsertAction(macro.MacroActionNum, MacroAction::Make(0x41, 0, 0, 0));
            macro.InsertAction(macro.MacroActionNum, MacroAction::Delay(10));
        }
        macro.MacroCommandActionNum = c.announced;
        record.Keys[1].Value = kLeft;
        const KeyRecord before = record.Keys[0];
        const EditResult r = AssignMacro(record, language, 0, &macro, u"M");
        EXPECT_EQ(macro.FitsMouse(), c.fits);
        if (c.fits) {
            EXPECT_TRUE(r.Accepted());
        } else {
            EXPECT_EQ(r.Refusal, EditRefusal::MacroTooLong);
            EXPECT_EQ(r.Message, kMessageMacroTooLong);
            EXPECT_EQ(record.Keys[0], before);
        }
    }
}

}  // namespace
}  // namespace velmaro
