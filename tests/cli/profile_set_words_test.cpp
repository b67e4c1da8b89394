#include "cli/profile_set_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/profile_output.h"
#include "model/text.h"

namespace velmaro::cli {
namespace {

// Entry n of the language reads "T<n>".
LanguageTable NumberedLanguage() {
    LanguageTable language;
    for (size_t n = 0; n < language.Entries.size(); ++n)
        language.Entries[n] = u"T" + FormatDecimal(static_cast<int64_t>(n));
    return language;
}

class ProfileSetWordsTest : public ::testing::Test {
  protected:
    ProfileSetWordsTest() {
        sensor.SensorId = kDefaultSensorId;
        sensor.BuildDpiTables();
        library.AddFolder(u"Games");
        library.AddMacro(u"Burst");
        library.SelectedLocation = MacroItemLocation::None();
        ResetProfileDefaults(defaults, 0, language, kDefaultSensorId);
    }

    // The record the pairs make on a fresh profile, or the refusal.
    ProfileRecord Replay(const std::vector<std::string>& lines) {
        std::vector<std::string> pairs;
        for (const std::string& line : lines) {
            if (!line.starts_with('#'))
                pairs.push_back(line);
        }
        ProfileRecord fresh = defaults;
        const SetOutcome out = ApplySetPairs(fresh, env, pairs);
        EXPECT_TRUE(out.Ok) << out.Error;
        return fresh;
    }

    LanguageTable language = NumberedLanguage();
    SensorTables sensor;
    MacroLibrary library;
    SetEnvironment env{language, sensor, library};
    ProfileRecord defaults;
};

TEST_F(ProfileSetWordsTest, PairsFedBackGiveTheSameProfile) {
    // Each case is made by set itself, in an order that the pairs shown
    // have to put right (the left click moves, a level goes off, the
    // current mode's colours and other modes' settings).
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"name=Jeux d'été #2", "rate=250"},
        {"button.2=left", "button.1=right", "button.6=macro:Games/Burst", "button.4=office:copy",
         "button.5=key:ctrl+c"},
        {"dpi.0.enabled=off", "dpi.2.enabled=off", "dpi.current=4", "dpi.4=450", "dpi.1=10000",
         "dpi.3.color=#010203"},
        {"lighting.mode=breathing", "lighting.color.0.on=off", "lighting.color.3=pink",
         "lighting.speed=1", "lighting.mode=static", "lighting.brightness=25",
         "lighting.mode=marquee", "lighting.speed=3"},
        {"lighting.mode=breathing", "lighting.color.1.on=off", "lighting.color.2.on=off",
         "lighting.color.3.on=off", "lighting.color.4.on=off", "lighting.color.5.on=off",
         "lighting.color.6.on=off", "lighting.color.0.on=on", "lighting.mode=wave",
         "lighting.direction=down", "rate=125", "sleep=10", "debounce=0", "wakeup=off",
         "move-lighting=on"},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        ProfileRecord record = defaults;
        const SetOutcome made = ApplySetPairs(record, env, cases[i]);
        ASSERT_TRUE(made.Ok) << made.Error;
        for (const bool every_mode : {false, true}) {
            const ProfileSetLines lines = ProfileAsSetLines(record, env, defaults, every_mode);
            EXPECT_TRUE(lines.LeftOut.empty());
            EXPECT_EQ(Replay(lines.Lines), record);
        }
    }
}

TEST_F(ProfileSetWordsTest, WhatNoPairCanGiveIsLeftOutAndSaid) {
    ProfileRecord record = defaults;
    record.Keys[3].Value = {0x60, 0x07, 0x00};
    record.Keys[4].Value = {0x90, 0x01, 0x00};  // a macro not in the library
    record.Keys[4].KeyName = u"T190Gone";
    record.Lighting1ModeValue = {6, 0, 0};  // shown only, never chosen
    const ProfileSetLines lines = ProfileAsSetLines(record, env, defaults, false);
    EXPECT_EQ(lines.LeftOut,
              (std::vector<std::string>{"lighting.mode: mode 6 cannot be chosen",
                                        "button.4: function 600700 has no set word",
                                        "button.5: function 900100 is a macro that is not in "
                                        "the library"}));
    for (const std::string& line : lines.Lines)
        EXPECT_FALSE(line.starts_with("button.4=") || line.starts_with("button.5=")) << line;
}

TEST_F(ProfileSetWordsTest, JsonTakesTheSameValuesWithNullForNone) {
    ProfileRecord record = defaults;
    ASSERT_TRUE(ApplySetPairs(record, env,
                              std::vector<std::string>{"lighting.mode=static", "dpi.3.enabled=off",
                                                       "button.3=key:ctrl+c"})
                    .Ok);
    record.Keys[3].Value = {0x60, 0x07, 0x00};
    const Json j = ProfileJson(record, 2, false, env);
    EXPECT_EQ(j["schema"], 1);
    EXPECT_EQ(j["slot"], 2);
    EXPECT_EQ(j["current"], false);
    EXPECT_EQ(j["rate"], 500);
    EXPECT_EQ(j["dpi"]["current"], 1);
    EXPECT_EQ(j["dpi"]["levels"].size(), 5u);
    EXPECT_EQ(j["dpi"]["levels"][1],
              (Json{{"level", 1}, {"dpi", 1600}, {"enabled", true}, {"color", "#00FF00"}}));
    EXPECT_EQ(j["dpi"]["levels"][3]["enabled"], false);
    EXPECT_EQ(j["liftoff"], nullptr);  // this sensor has none
    EXPECT_EQ(j["move_lighting"], false);
    EXPECT_EQ(j["lighting"]["mode"], "static");
    EXPECT_EQ(j["lighting"]["speed"], nullptr);
    EXPECT_EQ(j["lighting"]["brightness"], 100);
    EXPECT_EQ(j["lighting"]["colors"],
              (Json::array({{{"slot", 0}, {"color", "#FF00FF"}, {"on", true}}})));
    EXPECT_EQ(
        j["buttons"][2],
        (Json{{"button", 3}, {"function", "key:ctrl+c"}, {"name", "Ctrl+C"}, {"bytes", "700106"}}));
    EXPECT_EQ(j["buttons"][3]["function"], nullptr);
}

}  // namespace
}  // namespace velmaro::cli
