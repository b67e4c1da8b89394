#include <gtest/gtest.h>

#include "cli/library_output.h"
#include "cli/profile_output.h"
#include "macro/library_outline.h"

namespace velmaro::cli {
namespace {

TEST(RawProfileJsonTest, FieldsUnderTheRecordsNames) {
    LanguageTable language;
    language.Entries[20] = u"Left Click";
    SensorTables sensor;
    sensor.SensorId = kDefaultSensorId;
    sensor.BuildDpiTables();
    ProfileRecord r;
    ResetProfileDefaults(r, 2, language, kDefaultSensorId);
    r.Keys[1].Macro.MacroName = u"Burst";
    r.Keys[1].Macro.InsertAction(0, MacroAction::Make(0x41, 0, 0, 0));
    r.Keys[1].Macro.InsertAction(1, MacroAction::Delay(50));
    r.Keys[1].Macro.InsertAction(2, MacroAction::Make(0x41, 0x80, 0, 0));

    const Json j = RawProfileJson(r, 2, sensor);
    EXPECT_EQ(j["Slot"], 2);
    EXPECT_EQ(j["SettingPairs"].size(), 20u);
    EXPECT_EQ(j["SettingPairs"][18], (Json{{"name", "KeyDebounce"}, {"value", "12"}}));
    EXPECT_EQ(j["Keys"][0]["KeyName"], "Left Click");
    EXPECT_EQ(j["Keys"][0]["KeyValue"], "100100");
    EXPECT_EQ(j["Keys"][5]["KeyValue"], "400100");
    EXPECT_EQ(j["Keys"][1]["MacroName"], "Burst");
    EXPECT_EQ(j["Keys"][1]["MacroActionNum"], 3);
    EXPECT_EQ(j["Keys"][1]["AllAction"][1],
              (Json{{"text", "50ms"}, {"icon", "clock"}, {"bytes", "03000032"}}));
    EXPECT_EQ(j["Keys"][1]["AllAction"][2]["icon"], "release");
    EXPECT_EQ(j["PollingRateName"], "500HZ");
    EXPECT_EQ(j["PollingRateValue"], "020000");
    EXPECT_EQ(j["Lighting1ModeValue"], "010000");
    EXPECT_EQ(j["Lighting1FixedColor"][2][0], "FF0000");  // stored 0x0000FF: red
    EXPECT_EQ(j["Lighting1ColorSelected"][2][6], 1);
    EXPECT_EQ(j["DPIOffOnFlagValue"], 0x1F);
    EXPECT_EQ(j["CurrentDPILevelValue"], 1);
    EXPECT_EQ(j["DPILevelIndication"][2], "0000FF");  // blue
    EXPECT_EQ(j["XYSettingValue"][1], 14);
    EXPECT_EQ(j["DPI"][1], 1600);
    EXPECT_EQ(j["DPI"].size(), 8u);
    // Record order, so a reader sees the fields as the file lists them.
    EXPECT_EQ(j.begin().key(), "Slot");
    EXPECT_EQ(std::next(j.begin()).key(), "SettingPairs");
}

TEST(LibraryJsonTest, NestedFoldersAndMacros) {
    MacroLibrary lib;
    velmaro::testing::Build(lib, "A F/ F/x F/G/ F/G/y");
    const Json j = LibraryJson(lib);
    EXPECT_EQ(j["schema"], 1);
    EXPECT_EQ(j["next_key_index"], 4);
    const Json& items = j["items"];
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]["name"], "A");
    EXPECT_EQ(items[0]["folder"], false);
    EXPECT_EQ(items[0]["key_index"], 1);
    EXPECT_EQ(items[0]["play_mode"], 2);
    EXPECT_EQ(items[0]["repeat"], 1);
    EXPECT_EQ(items[0]["action_count"], 1);
    EXPECT_EQ(items[0]["actions"][0]["text"], "A");
    EXPECT_EQ(items[1]["folder"], true);
    EXPECT_EQ(items[1]["location"], (Json{0, 1, 0, 0}));
    EXPECT_EQ(items[1]["items"][1]["name"], "G");
    EXPECT_EQ(items[1]["items"][1]["items"][0]["name"], "y");
    EXPECT_EQ(items[1]["items"][1]["items"][0]["location"], (Json{2, 1, 1, 0}));
    EXPECT_EQ(items[1]["items"][1]["items"][0]["path"], "F/G/y");

    EXPECT_EQ(LibraryText(lib),
              "A  (key 1, mode 2 x1, 1 actions)\n"
              "F/\n"
              "  x  (key 2, mode 2 x1, 1 actions)\n"
              "  G/\n"
              "    y  (key 3, mode 2 x1, 1 actions)\n");
}

// A macro from a file written elsewhere, longer than the mouse plays, is
// listed whole and marked, as the macro manager marks it.
TEST(LibraryJsonTest, AMacroTooLongForTheMouseIsMarked) {
    MacroLibrary lib;
    velmaro::testing::Build(lib, "Short Long");
    MacroRecord& m = *lib.MutableItemAt(MacroItemLocation::Top(1))->Macro;
    for (uint32_t i = 0; i < 168; ++i)
        m.InsertAction(i, MacroAction::Make(0x41, i % 2 ? 0x80 : 0x00, 0, 0));
    m.MacroCommandActionNum = 168;

    const Json items = LibraryJson(lib)["items"];
    EXPECT_EQ(items[0]["fits_mouse"], true);
    EXPECT_EQ(items[1]["fits_mouse"], false);
    EXPECT_EQ(LibraryText(lib),
              "Short  (key 1, mode 2 x1, 1 actions)\n"
              "Long  (key 2, mode 2 x1, 169 actions, too long for the mouse)\n");
}

}  // namespace
}  // namespace velmaro::cli
