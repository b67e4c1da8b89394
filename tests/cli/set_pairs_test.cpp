#include "cli/set_pairs.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "cli/button_values.h"
#include "cli/value_words.h"
#include "model/text.h"

namespace velmaro::cli {
namespace {

// Entry n of the language reads "T<n>", so a name shows where it came from.
LanguageTable NumberedLanguage() {
    LanguageTable language;
    for (size_t n = 0; n < language.Entries.size(); ++n)
        language.Entries[n] = u"T" + FormatDecimal(static_cast<int64_t>(n));
    return language;
}

std::u16string T(int n) {
    return u"T" + FormatDecimal(n);
}

class SetPairsTest : public ::testing::Test {
  protected:
    SetPairsTest() {
        sensor.SensorId = kDefaultSensorId;
        sensor.BuildDpiTables();
        ResetProfileDefaults(record, 0, language, kDefaultSensorId);
        library.AddFolder(u"Games");
        library.AddMacro(u"Burst");  // inside Games, which AddFolder selected
        library.SelectedLocation = MacroItemLocation::None();
        library.AddMacro(u"Top");
        // A macro from a file written elsewhere, longer than the mouse plays.
        library.SelectedLocation = MacroItemLocation::None();
        library.AddMacro(u"Long");
        MacroRecord& longMacro = *library.MutableItemAt(library.SelectedLocation)->Macro;
        for (uint32_t i = 0; i < 168; ++i)
            longMacro.InsertAction(i, MacroAction::Make(0x41, i % 2 ? 0x80 : 0x00, 0, 0));
        longMacro.MacroCommandActionNum = 168;
        library.SelectedLocation = MacroItemLocation::None();
    }

    SetOutcome Set(std::vector<std::string> pairs) { return ApplySetPairs(record, env, pairs); }

    LanguageTable language = NumberedLanguage();
    SensorTables sensor;
    MacroLibrary library;
    SetEnvironment env{language, sensor, library};
    ProfileRecord record;
};

struct Accepted {
    std::string pair;
    DirtyGroup group;
    std::function<bool(const ProfileRecord&)> check;
};

KeyValue Button(const ProfileRecord& r, int n) {
    return r.Keys[n - 1].Value;
}

TEST_F(SetPairsTest, EachKeyMakesThePageChange) {
    const std::vector<Accepted> cases = {
        {"rate=1000", DirtyGroup::Main,
         [](const ProfileRecord& r) { return r.PollingRateValue[0] == 3; }},
        // 1600 DPI is step 14 of this sensor; 1650 is not a step, the next above is taken.
        {"dpi.1=1600", DirtyGroup::Main,
         [](const ProfileRecord& r) { return r.XYSettingValue[1] == 14; }},
        {"dpi.1=1650", DirtyGroup::Main,
         [](const ProfileRecord& r) { return r.XYSettingValue[1] == 15; }},
        {"dpi.2.color=FF8000", DirtyGroup::Main,
         [](const ProfileRecord& r) { return r.DPILevelIndication[2] == 0x0080FF; }},
        {"dpi.4.enabled=0", DirtyGroup::Main,
         [](const ProfileRecord& r) { return r.DPIOffOnFlagValue == 0x0F; }},
        {"dpi.current=3", DirtyGroup::Main,
         [](const ProfileRecord& r) { return r.CurrentDPILevelValue == 3; }},
        {"debounce=4", DirtyGroup::Main,
         [](const ProfileRecord& r) { return r.Setting(kKeyDebounce) == u"4"; }},
        {"sleep=10", DirtyGroup::Power,
         [](const ProfileRecord& r) { return r.Setting(kPowerDownTime) == u"10"; }},
        {"move-lighting=1", DirtyGroup::Power,
         [](const ProfileRecord& r) { return r.Setting(kMoveLightingOnOffMode) == u"1"; }},
        {"wakeup=0", DirtyGroup::Wakeup,
         [](const ProfileRecord& r) { return r.Setting(kMotionWakeup) == u"0"; }},
        {"lighting.mode=2", DirtyGroup::Main,
         [](const ProfileRecord& r) {
             return r.Lighting1ModeValue[0] == 2 && r.Lighting1Name == T(102);
         }},
        {"lighting.speed=3", DirtyGroup::Main,
         [](const ProfileRecord& r) { return r.Lighting1Speed[1] == 2; }},
        {"lighting.direction=up", DirtyGroup::Main,
         [](const ProfileRecord& r) { return r.Lighting1Direction[1] == 1; }},
        {"button.4=back", DirtyGroup::Buttons,
         [](const ProfileRecord& r) {
             return Button(r, 4) == KeyValue{0x10, 0x08, 0} && r.Keys[3].KeyName == T(24);
         }},
        {"button.5=forward", DirtyGroup::Buttons,
         [](const ProfileRecord& r) {
             return Button(r, 5) == KeyValue{0x10, 0x10, 0};
         }},
        {"button.6=disable", DirtyGroup::Buttons,
         [](const ProfileRecord& r) {
             return Button(r, 6) == KeyValue{0, 0, 0};
         }},
        {"button.6=triple-click", DirtyGroup::Buttons,
         [](const ProfileRecord& r) {
             return Button(r, 6) == KeyValue{0x30, 50, 3};
         }},
        // dpi:N is the function code the mouse gets, named as the list names it.
        {"button.6=dpi:2", DirtyGroup::Buttons,
         [](const ProfileRecord& r) {
             return Button(r, 6) == KeyValue{0x40, 2, 0} && r.Keys[5].KeyName == T(40);
         }},
        {"button.6=dpi-lock:800", DirtyGroup::Buttons,
         [](const ProfileRecord& r) {
             return Button(r, 6) == KeyValue{0x50, 7, 0} && r.Keys[5].KeyName == T(36) + u"-800";
         }},
        {"button.6=fire:60,2", DirtyGroup::Buttons,
         [](const ProfileRecord& r) {
             return Button(r, 6) == KeyValue{0x30, 60, 2};
         }},
        {"button.3=key:ctrl+alt+f5", DirtyGroup::Buttons,
         [](const ProfileRecord& r) {
             return Button(r, 3) == KeyValue{0x70, 0x05, 0x3E} &&
                    r.Keys[2].KeyName == u"Ctrl+Alt+F5";
         }},
        {"button.3=key:Page Up", DirtyGroup::Buttons,
         [](const ProfileRecord& r) {
             return Button(r, 3) == KeyValue{0x70, 0, 0x4B} && r.Keys[2].KeyName == u"Page Up";
         }},
        // A last word that is a modifier, or nothing after the last "+",
        // gives modifiers alone.
        {"button.3=key:ctrl+shift", DirtyGroup::Buttons,
         [](const ProfileRecord& r) {
             return Button(r, 3) == KeyValue{0x70, 0x03, 0} && r.Keys[2].KeyName == u"Ctrl+Shift";
         }},
        {"button.3=key:shift+", DirtyGroup::Buttons,
         [](const ProfileRecord& r) {
             return Button(r, 3) == KeyValue{0x70, 0x02, 0} && r.Keys[2].KeyName == u"Shift";
         }},
        {"button.3=media:play-pause", DirtyGroup::Buttons,
         [](const ProfileRecord& r) {
             return Button(r, 3) == KeyValue{0x80, 0xCD, 0} && r.Keys[2].KeyName == T(49);
         }},
        {"button.3=office:copy", DirtyGroup::Buttons,
         [](const ProfileRecord& r) {
             return Button(r, 3) == KeyValue{0x70, 0x01, 0x06};
         }},
        {"button.3=windows:show-desktop", DirtyGroup::Buttons,
         [](const ProfileRecord& r) {
             return Button(r, 3) == KeyValue{0x70, 0x08, 0x07};
         }},
        {"button.3=macro:Games/Burst", DirtyGroup::Buttons,
         [](const ProfileRecord& r) {
             return Button(r, 3) == KeyValue{0x90, 0, 0} &&
                    r.Keys[2].KeyName == T(190) + u"Burst" && r.Keys[2].MacroKeyIndex == 1 &&
                    r.Keys[2].Macro.MacroName == u"Burst";
         }},
    };
    for (const Accepted& c : cases) {
        SCOPED_TRACE(c.pair);
        ResetProfileDefaults(record, 0, language, kDefaultSensorId);
        const SetOutcome out = Set({c.pair});
        ASSERT_TRUE(out.Ok) << out.Error;
        EXPECT_EQ(out.Dirty, DirtyGroups(c.group));
        EXPECT_TRUE(c.check(record));
    }
}

TEST_F(SetPairsTest, BadPairsChangeNothingAndSayWhy) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"rate", "expected KEY=VALUE"},
        {"=5", "expected KEY=VALUE"},
        {"colour=1", "unknown key \"colour\""},
        {"dpi.1.speed=1", "unknown key"},
        {"rate=300", "out of range (125, 250, 500 or 1000)"},
        {"rate=fast", "expected 125, 250, 500 or 1000"},
        {"rate=500x", "expected"},
        {"dpi.8=800", "no such DPI level (0..4)"},
        {"dpi.5=800", "no such DPI level (0..4)"},
        {"dpi.1=-5", "expected a DPI value"},
        {"dpi.0.color=12345", "expected #RRGGBB"},
        {"dpi.0.enabled=maybe", "expected on or off"},
        {"dpi.current=5", "out of range"},
        // Values the mouse would never see: off the sensor's step table.
        {"dpi.0=150", "below this sensor's lowest step, 200 DPI"},
        {"dpi.0=10001", "above this sensor's highest step, 10000 DPI"},
        {"liftoff=1", "this sensor has no lift-off setting"},
        {"debounce=3", "out of range (even milliseconds 0..30)"},
        {"sleep=2", "out of range"},
        {"lighting.mode=6", "lighting modes custom (6) and two-tone (7) cannot be chosen"},
        {"lighting.mode=two-tone", "cannot be chosen"},
        {"lighting.mode=rainbow", "expected a mode name"},
        {"lighting.brightness=50", "lighting mode wave (1) has no brightness (only static has)"},
        {"lighting.direction=left", "expected up or down"},
        {"lighting.color.0=FF0000", "lighting mode wave (1) shows 0 colour slots"},
        {"name=", "a profile needs a name"},
        {"name=two\nlines", "a profile name cannot hold control characters"},
        {"button.0=left", "no such button (1..6)"},
        {"button.7=left", "no such button (1..6)"},
        {"button.1=right", "at least one button must keep the left click"},
        {"button.2=jump", "not a button function"},
        {"button.2=dpi:4", "a DPI function is 1, 2 or 3"},
        {"button.2=dpi-lock:850", "a DPI lock is 200, 300, ... 1200"},
        {"button.2=fire:4,0", "the first fire key number must be 5..255"},
        {"button.2=fire:50,256", "the second fire key number must be 0..255"},
        {"button.2=fire:50", "fire:FIRST,SECOND"},
        {"button.2=key:hyper+a", "unknown modifier \"hyper\""},
        {"button.2=key:ctrl+nokey", "unknown key name \"nokey\""},
        {"button.2=key:win_l", "cannot be the key of a combination"},
        // Keys without a keyboard usage, and the mouse entries of macros.
        {"button.2=key:f13", "\"f13\" has no keyboard usage: the mouse cannot send it"},
        {"button.2=key:ctrl+F24", "has no keyboard usage"},
        {"button.2=key:lbutton", "has no keyboard usage"},
        {"button.2=key:Mouse Wheel", "is a mouse action only a macro can play"},
        {"button.2=key:shift+l key", "only a macro can play"},
        {"button.2=key:", "a key combination needs a key or a modifier"},
        {"button.2=media:louder", "unknown media name \"louder\" (one of player,"},
        {"button.2=office:paint", "unknown office name"},
        {"button.2=windows:lock", "unknown windows name"},
        {"button.2=macro:Burst", "no macro \"Burst\" in the library"},
        {"button.2=macro:Games", "\"Games\" is a folder, not a macro"},
        {"button.2=macro:Long", "\"Long\" has 168 key actions; the mouse plays at most 125"},
    };
    const ProfileRecord before = record;
    for (const auto& [pair, message] : cases) {
        SCOPED_TRACE(pair);
        const SetOutcome out = Set({pair});
        EXPECT_FALSE(out.Ok);
        EXPECT_TRUE(out.Error.starts_with(pair + ": ")) << out.Error;
        EXPECT_NE(out.Error.find(message), std::string::npos) << out.Error;
        EXPECT_EQ(record, before);
    }
}

TEST_F(SetPairsTest, PairsRunInOrderAndAllOrNothing) {
    // Each pair sees the ones before it: brightness exists in mode 3 only.
    EXPECT_FALSE(Set({"lighting.brightness=50", "lighting.mode=3"}).Ok);
    const SetOutcome ok = Set({"lighting.mode=3", "lighting.brightness=50", "sleep=4"});
    ASSERT_TRUE(ok.Ok) << ok.Error;
    EXPECT_EQ(record.Lighting1Brightness[3], 1);
    EXPECT_EQ(ok.Dirty, DirtyGroups(DirtyGroup::Main) | DirtyGroup::Power);

    // The left click moves when another button takes it first.
    ASSERT_TRUE(Set({"button.2=left", "button.1=right"}).Ok);
    EXPECT_EQ(Button(record, 1), (KeyValue{0x10, 0x02, 0}));

    // A bad pair after good ones leaves the record as it was.
    const ProfileRecord before = record;
    const SetOutcome bad = Set({"rate=250", "button.3=left", "wakeup=2"});
    EXPECT_FALSE(bad.Ok);
    EXPECT_TRUE(bad.Error.starts_with("wakeup=2: ")) << bad.Error;
    EXPECT_EQ(record, before);
}

TEST_F(SetPairsTest, ColourSlotsFollowTheModesRules) {
    ASSERT_TRUE(Set({"lighting.mode=2", "lighting.color.6=102030"}).Ok);
    EXPECT_EQ(record.Lighting1FixedColor[2][6], 0x302010u);
    // Mode 2 keeps at least one of its seven colours.
    ASSERT_TRUE(Set({"lighting.color.0.on=0", "lighting.color.1.on=0", "lighting.color.2.on=0",
                     "lighting.color.3.on=0", "lighting.color.4.on=0", "lighting.color.5.on=0"})
                    .Ok);
    const SetOutcome last = Set({"lighting.color.6.on=0"});
    EXPECT_NE(last.Error.find("lighting mode breathing (2) needs at least one colour"),
              std::string::npos)
        << last.Error;
    EXPECT_NE(Set({"lighting.color.7=FFFFFF"}).Error.find("shows 7 colour slots"),
              std::string::npos);
}

TEST_F(SetPairsTest, LastEnabledLevelStaysOn) {
    ASSERT_TRUE(
        Set({"dpi.1.enabled=0", "dpi.2.enabled=0", "dpi.3.enabled=0", "dpi.4.enabled=0"}).Ok);
    const SetOutcome out = Set({"dpi.0.enabled=0"});
    EXPECT_NE(out.Error.find("the last enabled DPI level cannot be switched off"),
              std::string::npos);
    EXPECT_EQ(record.DPIOffOnFlagValue, 0x01);
}

TEST_F(SetPairsTest, LiftOffOnASensorThatHasIt) {
    sensor.SensorId = 0x3335;
    sensor.BuildDpiTables();
    const SetOutcome out = Set({"liftoff=1"});
    ASSERT_TRUE(out.Ok) << out.Error;
    EXPECT_EQ(record.Setting(kLiftDetectionHeight), u"1");
    EXPECT_FALSE(Set({"liftoff=3"}).Ok);
}

TEST_F(SetPairsTest, FriendlySpellingsMakeTheSameChange) {
    // Each row: spellings that must all give the record the first one gives.
    const std::vector<std::vector<std::string>> cases = {
        {"dpi.4.enabled=0", "dpi.4.enabled=off", "dpi.4.enabled=NO", "dpi.4.enabled=False"},
        {"move-lighting=1", "move-lighting=on", "move-lighting=YES", "move-lighting=true"},
        {"dpi.2.color=FF8000", "dpi.2.color=#ff8000", "dpi.2.color=orange", "dpi.2.color=Orange"},
        {"dpi.2.color=0000FF", "dpi.2.color=blue", "dpi.2.color=#0000fF"},
        {"lighting.mode=2", "lighting.mode=breathing", "lighting.mode=BREATHING"},
        {"lighting.mode=4", "lighting.mode=colour-cycle", "lighting.mode=Color-Cycle",
         "lighting.mode=colorcycle"},
        {"lighting.direction=up", "lighting.direction=UP"},
        {"button.3=key:Esc", "button.3=key:escape", "button.3=key:ESC"},
        {"button.3=key:Del", "button.3=key:delete", "button.3=key:del"},
        {"button.3=key:Page Up", "button.3=key:pageup", "button.3=key:pgup"},
        {"button.3=key:win+d", "button.3=key:super+d", "button.3=key:Meta+D"},
        {"button.3=key:ctrl+,", "button.3=key:control+comma"},
        {"button.3=macro:Games/Burst", "button.3=macro:games/BURST", "button.3=macro:Games/burst"},
    };
    for (const auto& spellings : cases) {
        ResetProfileDefaults(record, 0, language, kDefaultSensorId);
        ASSERT_TRUE(Set({spellings[0]}).Ok) << spellings[0];
        const ProfileRecord want = record;
        for (const std::string& other : spellings) {
            SCOPED_TRACE(other);
            ResetProfileDefaults(record, 0, language, kDefaultSensorId);
            const SetOutcome out = Set({other});
            ASSERT_TRUE(out.Ok) << out.Error;
            EXPECT_EQ(record, want);
        }
    }
}

TEST_F(SetPairsTest, MacroPathsInAnotherCaseMustNameOneItem) {
    library.SelectedLocation = MacroItemLocation::None();
    library.AddMacro(u"TOP");  // "top" now names both Top and TOP
    const SetOutcome out = Set({"button.3=macro:top"});
    EXPECT_FALSE(out.Ok);
    EXPECT_NE(out.Error.find("names 2 library items when case is ignored: Top, TOP"),
              std::string::npos)
        << out.Error;
    // The exact name still picks its item.
    ASSERT_TRUE(Set({"button.3=macro:TOP"}).Ok);
    EXPECT_EQ(record.Keys[2].KeyName, T(190) + u"TOP");
}

TEST_F(SetPairsTest, TellsWhatChangedAndWhatWasRounded) {
    // 450 DPI lies between the steps 400 and 500; the default rate is 500.
    const SetOutcome out = Set({"dpi.0=450", "rate=500", "Rate=1000", "dpi.1=1600"});
    ASSERT_TRUE(out.Ok) << out.Error;
    EXPECT_EQ(out.Changed, (std::vector<std::string>{"dpi.0=500", "rate=1000"}));
    EXPECT_EQ(out.Adjusted, (std::vector<std::string>{"dpi.0=450 -> 500"}));
}

TEST_F(SetPairsTest, CurrentLevelIsNumberedAsShowListsIt) {
    // With level 1 off, level 3 is the third enabled level (ordinal 2).
    ASSERT_TRUE(Set({"dpi.1.enabled=off", "dpi.current=3"}).Ok);
    EXPECT_EQ(record.CurrentDPILevelValue, 2);
    EXPECT_EQ(SetValueWord(record, env, "dpi.current"), "3");
    const SetOutcome off = Set({"dpi.current=1"});
    EXPECT_NE(off.Error.find("DPI level 1 is not enabled"), std::string::npos) << off.Error;
}

TEST_F(SetPairsTest, EveryButtonWordReadsBackAsItself) {
    std::vector<std::string> words = {"left",
                                      "right",
                                      "middle",
                                      "forward",
                                      "back",
                                      "triple-click",
                                      "rate-switch",
                                      "disable",
                                      "dpi:1",
                                      "dpi:2",
                                      "dpi:3",
                                      "fire:60,2",
                                      "fire:50,3",
                                      "key:ctrl+c",
                                      "key:ctrl+alt+f5",
                                      "key:shift",
                                      "key:ctrl+shift+alt+win+z",
                                      "key:pageup",
                                      "key:comma",
                                      "key:num7",
                                      "key:escape",
                                      "macro:Games/Burst",
                                      "macro:Top"};
    for (int dpi = 200; dpi <= 1200; dpi += 100)
        words.push_back("dpi-lock:" + std::to_string(dpi));
    for (const NamedEntry& w : kMediaWords)
        words.push_back("media:" + std::string(w.Name));
    for (const NamedEntry& w : kOfficeWords)
        words.push_back("office:" + std::string(w.Name));
    for (const NamedEntry& w : kWindowsWords)
        words.push_back("windows:" + std::string(w.Name));
    for (const KeyboardKey& k : KeyboardKeys())
        words.push_back("key:alt+" + k.Word);
    for (const std::string& word : words) {
        SCOPED_TRACE(word);
        ResetProfileDefaults(record, 0, language, kDefaultSensorId);
        const SetOutcome out = Set({"button.3=" + word});
        ASSERT_TRUE(out.Ok) << out.Error;
        EXPECT_EQ(SetValueWord(record, env, "button.3"), word);
    }
    // Bytes no word makes have no word.
    record.Keys[2].Value = {0x60, 0x07, 0};
    EXPECT_EQ(SetValueWord(record, env, "button.3"), std::nullopt);
}

TEST(SetKeysHelpTest, ListsEveryKeyAndTheValueWords) {
    const std::string help = SetKeysHelp();
    for (const char* word : {"rate", "dpi.K.enabled", "lighting.color.I.on", "button.N",
                             "play-pause", "select-all", "show-desktop", "macro:PATH"})
        EXPECT_NE(help.find(word), std::string::npos) << word;
}

}  // namespace
}  // namespace velmaro::cli
