#include "model/profile_record.h"

#include <gtest/gtest.h>

namespace velmaro {
namespace {

LanguageTable NamedLanguage() {
    LanguageTable lang;
    lang.Entries[20] = u"Left";
    lang.Entries[42] = u"DPI cycle";
    lang.Entries[88] = u"Profile 4";
    lang.Entries[100] = u"Off";
    lang.Entries[101] = u"Wave";
    return lang;
}

TEST(ProfileDefaultsTest, ResetSlotThreeWithSensor3325) {
    ProfileRecord r;
    ResetProfileDefaults(r, 3, NamedLanguage(), 0x3325);
    EXPECT_EQ(r.Setting(kProfileName), u"Profile 4");
    EXPECT_EQ(r.PollingRateName, u"500HZ");
    EXPECT_EQ(r.Setting(kKeyDebounce), u"12");
    EXPECT_EQ(r.Keys[5].Value, (KeyValue{0x40, 0x01, 0x00}));
    EXPECT_EQ(r.Keys[5].KeyName, u"DPI cycle");
    EXPECT_EQ(r.Keys[0].KeyName, u"Left");
    EXPECT_EQ(r.XYSettingValue, (std::array<uint16_t, 8>{6, 14, 30, 48, 58, 58, 58, 50}));
    // The default effect is mode 1 and is named after it.
    EXPECT_EQ(r.Lighting1ModeValue, (Bytes3{1, 0, 0}));
    EXPECT_EQ(r.Lighting1Name, u"Wave");
    EXPECT_EQ(r.Lighting2Name, u"Off");
}

TEST(ProfileDefaultsTest, EveryFieldDefault) {
    ProfileRecord r;
    ResetProfileDefaults(r, 0, LanguageTable{}, 0x3104);
    const char16_t* names[] = {u"ProfileName",
                               u"GameFile0",
                               u"GameFile1",
                               u"GameFile2",
                               u"DoubleClickSpeed",
                               u"PointerSpeed",
                               u"AccelerationEnable",
                               u"ScrollWheelSpeed",
                               u"ScrollWheelPageEnable",
                               u"TiltSpeed",
                               u"Sensitivity_X",
                               u"Sensitivity_Y",
                               u"XYSynchronous",
                               u"X_DPI",
                               u"Y_DPI",
                               u"MoveLightingOnOffMode",
                               u"PowerDownTime",
                               u"LiftDetectionHeight",
                               u"KeyDebounce",
                               u"MotionWakeup"};
    const char16_t* values[] = {u"",  u"",  u"",  u"",  u"6", u"5", u"1", u"2", u"0",  u"2",
                                u"4", u"4", u"1", u"1", u"1", u"0", u"6", u"2", u"12", u"1"};
    for (int i = 0; i < kProfileSettingCount; ++i) {
        EXPECT_EQ(r.SettingPairs[i].Name, names[i]) << i;
        EXPECT_EQ(r.SettingPairs[i].Value, values[i]) << i;
    }
    const KeyValue keys[] = {{0x10, 1, 0},    {0x10, 2, 0}, {0x10, 4, 0},
                             {0x10, 0x10, 0}, {0x10, 8, 0}, {0x40, 1, 0}};
    for (int i = 0; i < kButtonCount; ++i) {
        EXPECT_EQ(r.Keys[i].Value, keys[i]) << i;
        EXPECT_EQ(r.Keys[i].MacroKeyIndex, 0u);
        EXPECT_EQ(r.Keys[i].Macro, MacroRecord{});
    }
    EXPECT_EQ(r.PollingRateValue, (Bytes3{2, 0, 0}));
    EXPECT_EQ(r.Lighting1OffOn, 1);
    EXPECT_EQ(r.Lighting1ModeValue, (Bytes3{1, 0, 0}));
    EXPECT_EQ(r.Lighting1Speed, (std::array<uint8_t, 10>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(r.Lighting1Brightness, (std::array<uint8_t, 10>{1, 1, 1, 3, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(r.Lighting1Direction, (std::array<uint8_t, 10>{0, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(r.Lighting1ColorSelected[6], (std::array<uint8_t, 10>{1, 1, 1, 1, 1, 1, 1, 1, 0, 0}));
    EXPECT_EQ(r.Lighting1FixedColor[6][7], 0xFF46FAu);
    EXPECT_EQ(r.Lighting1FixedColor[7][1], 0x6A00FAu);
    EXPECT_EQ(r.Lighting1FixedColor[3][0], 0xFF00FFu);
    EXPECT_EQ(r.Lighting1FixedColor[2][3], 0xFFFF00u);
    for (int mode : {0, 1, 4, 5, 8, 9}) {
        EXPECT_EQ(r.Lighting1ColorSelected[mode], (std::array<uint8_t, 10>{})) << mode;
        EXPECT_EQ(r.Lighting1FixedColor[mode], (std::array<uint32_t, 10>{})) << mode;
    }
    EXPECT_EQ(r.Lighting2OffOn, 0);
    EXPECT_EQ(r.Lighting2ModeValue, (Bytes3{1, 0, 0}));
    EXPECT_EQ(r.DPIOffOnFlagValue, 0x1F);
    EXPECT_EQ(r.XYSettingValue, (std::array<uint16_t, 8>{4, 15, 23, 31, 39, 41, 58, 50}));
    EXPECT_EQ(r.CurrentDPILevelValue, 1);
    EXPECT_EQ(r.DPILevelIndication,
              (std::array<uint32_t, 8>{0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFF00FF,
                                       0xFFFFFF, 0xFFFFFF}));
    EXPECT_EQ(r.AngleSnapValue, 0);
    EXPECT_EQ(r.LiftDetectionValue, 2);
}

TEST(ProfileDefaultsTest, SlotOutsideFiveGetsNumberedName) {
    ProfileRecord r;
    ResetProfileDefaults(r, 7, NamedLanguage(), 0x3325);
    EXPECT_EQ(r.Setting(kProfileName), u"Profile8");
}

TEST(ProfileDefaultsTest, UnknownSensorKeepsStepsButResetsTheRest) {
    ProfileRecord r;
    r.XYSettingValue = {1, 2, 3, 4, 5, 6, 7, 8};
    r.DPIOffOnFlagValue = 0x03;
    r.CurrentDPILevelValue = 4;
    r.DPILevelIndication.fill(0x123456);
    r.AngleSnapValue = 9;
    r.LiftDetectionValue = 9;
    ApplySensorDpiDefaults(r, 0x1111);
    EXPECT_EQ(r.XYSettingValue, (std::array<uint16_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(r.DPIOffOnFlagValue, 0x1F);
    EXPECT_EQ(r.CurrentDPILevelValue, 1);
    EXPECT_EQ(r.DPILevelIndication[0], 0x0000FFu);
    EXPECT_EQ(r.AngleSnapValue, 0);
    EXPECT_EQ(r.LiftDetectionValue, 2);
}

class AssignButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProfileDefaults(record, 0, LanguageTable{}, 0x3325);
        macro.MacroName = u"Reload";
        macro.MacroKeyIndex = 7;
        macro.MacroKeyLoopType = 4;
        ASSERT_TRUE(macro.InsertAction(0, MacroAction::Make(0x41, 0, 0, 0)));
        ASSERT_TRUE(macro.InsertAction(1, MacroAction::Make(0x41, 0x80, 0, 0)));
        macro.MacroCommandActionNum = 2;
    }
    ProfileRecord record;
    MacroRecord macro;
};

TEST_F(AssignButtonTest, ControlIdSelectsKey) {
    EXPECT_TRUE(AssignButton(record, 2016, u"Copy", {0x70, 0x01, 0x06}, nullptr));
    EXPECT_EQ(record.Keys[3].KeyName, u"Copy");
    EXPECT_EQ(record.Keys[3].Value, (KeyValue{0x70, 0x01, 0x06}));

    const ProfileRecord before = record;
    EXPECT_FALSE(AssignButton(record, 2012, u"X", {0, 0, 0}, nullptr));
    EXPECT_FALSE(AssignButton(record, 2019, u"X", {0, 0, 0}, nullptr));
    EXPECT_EQ(record, before);
}

TEST_F(AssignButtonTest, MacroIsCopiedAndWithoutMacroOnlyActionsGo) {
    ASSERT_TRUE(AssignButton(record, 2014, u"MacroReload", {0x90, 0, 0}, &macro));
    const KeyRecord& key = record.Keys[1];
    EXPECT_EQ(key.MacroKeyIndex, 7u);
    EXPECT_EQ(key.Macro.MacroName, u"Reload");
    EXPECT_EQ(key.Macro.MacroActionNum, 2u);
    EXPECT_EQ(key.Macro.MacroKeyLoopType, 4);
    EXPECT_EQ(key.Macro.AllAction[1], MacroAction::Make(0x41, 0x80, 0, 0));

    ASSERT_TRUE(AssignButton(record, 2014, u"Right", {0x10, 0x02, 0}, nullptr));
    EXPECT_EQ(key.MacroKeyIndex, 7u);
    EXPECT_EQ(key.Macro.MacroName, u"Reload");
    EXPECT_EQ(key.Macro.MacroActionNum, 0u);
}

TEST(ProfileSettersTest, PowerAndRate) {
    ProfileRecord r;
    SetMoveLightingOnOff(r, 5);
    EXPECT_EQ(r.Setting(kMoveLightingOnOffMode), u"1");
    SetMoveLightingOnOff(r, -1);
    EXPECT_EQ(r.Setting(kMoveLightingOnOffMode), u"0");
    SetPowerDownTime(r, 10);
    EXPECT_EQ(r.Setting(kPowerDownTime), u"10");
    SetMotionWakeup(r, 0);
    EXPECT_EQ(r.Setting(kMotionWakeup), u"0");
    SetPollingRate(r, 3);
    EXPECT_EQ(r.PollingRateName, u"1000HZ");
    EXPECT_EQ(r.PollingRateValue, (Bytes3{3, 0, 0}));
}

}  // namespace
}  // namespace velmaro
