#include "device/command_payloads.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace velmaro {
namespace {

// The whole 33-byte report: the given leading bytes, zeros after them.
FeatureReport Report(std::initializer_list<uint8_t> head) {
    FeatureReport r;
    std::copy(head.begin(), head.end(), r.Bytes.begin());
    return r;
}

// The report a payload goes out in as the first request after start.
FeatureReport FirstRequest(const CommandPayload& p) {
    RequestBuilder builder;
    return BuildRequest(builder, p);
}

class DefaultProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProfileDefaults(record, 0, LanguageTable{}, 0x3325);
        sensor.SensorId = 0x3325;
        ASSERT_TRUE(sensor.BuildDpiTables());
    }
    ProfileRecord record;
    SensorTables sensor;
};

struct CommandCase {
    std::string name;
    std::function<CommandPayload(const ProfileRecord&, const SensorTables&)> compose;
    FeatureReport expected;
};

void PrintTo(const CommandCase& c, std::ostream* os) {
    *os << c.name;
}

class DefaultCommandTest : public DefaultProfileTest,
                           public ::testing::WithParamInterface<CommandCase> {};

TEST_P(DefaultCommandTest, ReportBytes) {
    const CommandCase& c = GetParam();
    EXPECT_EQ(FirstRequest(c.compose(record, sensor)).Bytes, c.expected.Bytes);
}

// Sensor 0x3325 steps 6, 14, 30, 48, 58 have codes 7, 15, 31, 49, 59.
INSTANTIATE_TEST_SUITE_P(
    Defaults, DefaultCommandTest,
    ::testing::Values(
        CommandCase{
            "DpiLevels",
            [](const ProfileRecord& r, const SensorTables& s) { return ComposeDpiLevels(r, s); },
            Report({0x0C, 0x01, 0x05, 0x00, 0x01, 0x01, 18, 0x25, 0x1F, 0x07, 0x00, 0x0F, 0x00,
                    0x1F, 0x00, 0x31, 0x00, 0x3B, 0x00})},
        CommandCase{"DpiColors",
                    [](const ProfileRecord& r, const SensorTables&) { return ComposeDpiColors(r); },
                    Report({0x0C, 0x01, 0x06, 0x00, 0x01, 0x01, 24,   0xFF, 0x00, 0x00, 0x00,
                            0xFF, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF,
                            0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})},
        CommandCase{
            "PollingRate",
            [](const ProfileRecord& r, const SensorTables&) { return ComposePollingRate(r); },
            Report({0x0C, 0x01, 0x07, 0x00, 0x01, 0x01, 1, 0x02})},
        // Mode 1, brightness 1 and speed 1 of mode 1, direction 1.
        CommandCase{"Lighting",
                    [](const ProfileRecord& r, const SensorTables&) { return ComposeLighting(r); },
                    Report({0x0C, 0x01, 0x08, 0x00, 0x01, 0x01, 3, 0x01, 0x22, 0x01})},
        CommandCase{"LiftOff",
                    [](const ProfileRecord& r, const SensorTables&) { return ComposeLiftOff(r); },
                    Report({0x0C, 0x01, 0x09, 0x00, 0x01, 0x01, 2, 0x02, 0x00})},
        CommandCase{"Debounce",
                    [](const ProfileRecord& r, const SensorTables&) { return ComposeDebounce(r); },
                    Report({0x0C, 0x01, 0x0A, 0x00, 0x01, 0x01, 1, 12})},
        CommandCase{
            "PowerSaving",
            [](const ProfileRecord& r, const SensorTables&) { return ComposePowerSaving(r); },
            Report({0x0C, 0x01, 0x0B, 0x00, 0x01, 0x01, 2, 6, 0})},
        CommandCase{
            "MotionWakeup",
            [](const ProfileRecord& r, const SensorTables&) { return ComposeMotionWakeup(r); },
            Report({0x0C, 0x01, 0x0C, 0x00, 0x01, 0x01, 1, 1})},
        CommandCase{"FactoryReset",
                    [](const ProfileRecord&, const SensorTables&) { return ComposeFactoryReset(); },
                    Report({0x0C, 0x01, 0x0F, 0x00, 0x01, 0x01, 1, 0xFF})},
        CommandCase{"StatusQuery",
                    [](const ProfileRecord&, const SensorTables&) { return ComposeStatusQuery(); },
                    Report({0x0C, 0x01, 0x20, 0x00, 0x01, 0x00, 0})}),
    [](const ::testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

TEST_F(DefaultProfileTest, ButtonsGoOutInDeviceOrderWithKeysThreeAndFourSwapped) {
    const auto buttons = ComposeButtons(record);
    const FeatureReport expected[kButtonCount] = {
        Report({0x0C, 0x01, 0x04, 0x00, 0x01, 0x01, 4, 0, 0x10, 0x01, 0x00}),
        Report({0x0C, 0x01, 0x04, 0x00, 0x01, 0x01, 4, 1, 0x10, 0x02, 0x00}),
        Report({0x0C, 0x01, 0x04, 0x00, 0x01, 0x01, 4, 2, 0x10, 0x04, 0x00}),
        Report({0x0C, 0x01, 0x04, 0x00, 0x01, 0x01, 4, 3, 0x10, 0x08, 0x00}),  // Keys 4
        Report({0x0C, 0x01, 0x04, 0x00, 0x01, 0x01, 4, 4, 0x10, 0x10, 0x00}),  // Keys 3
        Report({0x0C, 0x01, 0x04, 0x00, 0x01, 0x01, 4, 5, 0x40, 0x01, 0x00}),
    };
    for (int i = 0; i < kButtonCount; ++i)
        EXPECT_EQ(FirstRequest(buttons[i]).Bytes, expected[i].Bytes) << "device button " << i;

    // A change to Keys 3 shows up on device button 4 only.
    record.Keys[3].Value = {0x90, 0x21, 0x05};
    const auto changed = ComposeButtons(record);
    for (int i = 0; i < kButtonCount; ++i)
        EXPECT_EQ(changed[i] == buttons[i], i != 4) << "device button " << i;
    EXPECT_EQ(changed[4].Data[1], 0x90);
}

struct LevelCase {
    uint8_t mask;
    uint8_t current;
    uint8_t level_byte;
};

class DpiLevelByteTest : public DefaultProfileTest,
                         public ::testing::WithParamInterface<LevelCase> {};

TEST_P(DpiLevelByteTest, CurrentLevelAndEnabledCount) {
    record.DPIOffOnFlagValue = GetParam().mask;
    record.CurrentDPILevelValue = GetParam().current;
    const CommandPayload p = ComposeDpiLevels(record, sensor);
    EXPECT_EQ(p.Data[0], GetParam().level_byte);
    EXPECT_EQ(p.Data[1], GetParam().mask);
}

// Eight enabled levels count 8; the count is cut to 4 bits only past 15.
INSTANTIATE_TEST_SUITE_P(Levels, DpiLevelByteTest,
                         ::testing::Values(LevelCase{0x1F, 1, 0x25}, LevelCase{0x01, 0, 0x11},
                                           LevelCase{0xFF, 7, 0x88}, LevelCase{0x00, 0, 0x10},
                                           LevelCase{0xA0, 2, 0x32}));

TEST_F(DefaultProfileTest, DpiCodesCarryLevelsZeroToFourOnly) {
    const CommandPayload before = ComposeDpiLevels(record, sensor);
    record.XYSettingValue[6] = 3;  // no code for levels 5..7
    EXPECT_EQ(ComposeDpiLevels(record, sensor), before);

    // An index past the table goes out as the last step (0x3325: 59 steps, code 59).
    record.XYSettingValue[4] = 1000;
    record.XYSettingValue[0] = 0;
    const CommandPayload p = ComposeDpiLevels(record, sensor);
    EXPECT_EQ(p.Data[2], 0x01);
    EXPECT_EQ(p.Data[3], 0x00);
    EXPECT_EQ(p.Data[10], 59);
    EXPECT_EQ(p.Data[11], 0x00);
}

TEST(DpiCodesTest, SixteenBitCodeGoesLowByteFirst) {
    ProfileRecord record;
    ResetProfileDefaults(record, 0, LanguageTable{}, 0x3395);
    SensorTables sensor;
    sensor.SensorId = 0x3395;
    ASSERT_TRUE(sensor.BuildDpiTables());
    record.XYSettingValue[1] = 519;  // code 0x0207
    const CommandPayload p = ComposeDpiLevels(record, sensor);
    EXPECT_EQ(p.Data[4], 0x07);
    EXPECT_EQ(p.Data[5], 0x02);
}

struct PollingCase {
    uint8_t index;
    uint8_t interval;
};

class PollingRateTest : public ::testing::TestWithParam<PollingCase> {};

TEST_P(PollingRateTest, IndexToInterval) {
    ProfileRecord record;
    record.PollingRateValue = {GetParam().index, 0x55, 0x66};  // bytes 1, 2 never sent
    const CommandPayload p = ComposePollingRate(record);
    EXPECT_EQ(p.Length, 1);
    EXPECT_EQ(p.Data[0], GetParam().interval);
    EXPECT_EQ(p.Data[1], 0);
}

INSTANTIATE_TEST_SUITE_P(Rates, PollingRateTest,
                         ::testing::Values(PollingCase{0, 8}, PollingCase{1, 4}, PollingCase{2, 2},
                                           PollingCase{3, 1}, PollingCase{4, 1},
                                           PollingCase{255, 1}));

struct LightingCase {
    std::string name;
    std::function<void(ProfileRecord&)> setup;
    FeatureReport expected;
};

void PrintTo(const LightingCase& c, std::ostream* os) {
    *os << c.name;
}

class LightingTest : public DefaultProfileTest,
                     public ::testing::WithParamInterface<LightingCase> {};

TEST_P(LightingTest, ReportBytes) {
    GetParam().setup(record);
    EXPECT_EQ(FirstRequest(ComposeLighting(record)).Bytes, GetParam().expected.Bytes);
}

void Mode(ProfileRecord& r, uint8_t m) {
    r.Lighting1ModeValue = {m, 0x07, 0x09};  // bytes 1, 2 never sent
}

INSTANTIATE_TEST_SUITE_P(
    Modes, LightingTest,
    ::testing::Values(
        LightingCase{"Mode0", [](ProfileRecord& r) { Mode(r, 0); },
                     Report({0x0C, 0x01, 0x08, 0x00, 0x01, 0x01, 2, 0x00, 0x22})},
        // Brightness 4 and speed 15 of mode 9: (5 << 4) | (16 & 0x0F).
        LightingCase{"Mode9SpeedWraps",
                     [](ProfileRecord& r) {
                         Mode(r, 9);
                         r.Lighting1Brightness[9] = 4;
                         r.Lighting1Speed[9] = 15;
                     },
                     Report({0x0C, 0x01, 0x08, 0x00, 0x01, 0x01, 2, 0x09, 0x50})},
        LightingCase{"Mode1Direction",
                     [](ProfileRecord& r) {
                         Mode(r, 1);
                         r.Lighting1Direction[1] = 0;
                         r.Lighting1Speed[1] = 3;
                     },
                     Report({0x0C, 0x01, 0x08, 0x00, 0x01, 0x01, 3, 0x01, 0x24, 0x00})},
        LightingCase{"Mode2AllSeven", [](ProfileRecord& r) { Mode(r, 2); },
                     Report({0x0C, 0x01, 0x08, 0x00, 0x01, 0x01, 24,   0x02, 0x22, 7,
                             0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00,
                             0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF,
                             0xFF})},
        LightingCase{"Mode2BlackColourThreeSkipped",
                     [](ProfileRecord& r) {
                         Mode(r, 2);
                         r.Lighting1FixedColor[2][3] = 0;
                     },
                     Report({0x0C, 0x01, 0x08, 0x00, 0x01, 0x01, 21,   0x02, 0x22, 6,
                             0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0xFF,
                             0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF})},
        // Unselected colours close up; colours 7..9 never take part.
        LightingCase{"Mode2PackedWithoutGaps",
                     [](ProfileRecord& r) {
                         Mode(r, 2);
                         r.Lighting1ColorSelected[2] = {0, 1, 0, 0, 0, 0, 1, 1, 1, 1};
                         r.Lighting1FixedColor[2][7] = 0x123456;
                     },
                     Report({0x0C, 0x01, 0x08, 0x00, 0x01, 0x01, 9, 0x02, 0x22, 2, 0x00, 0xFF,
                             0x00, 0xFF, 0xFF, 0xFF})},
        LightingCase{"Mode2NoneSelected",
                     [](ProfileRecord& r) {
                         Mode(r, 2);
                         r.Lighting1ColorSelected[2].fill(0);
                     },
                     Report({0x0C, 0x01, 0x08, 0x00, 0x01, 0x01, 3, 0x02, 0x22, 0})},
        LightingCase{"Mode3ColourZero", [](ProfileRecord& r) { Mode(r, 3); },
                     Report({0x0C, 0x01, 0x08, 0x00, 0x01, 0x01, 5, 0x03, 0x42, 0xFF, 0x00,
                             0xFF})},
        // Position 2 unselected stays in place as black; position 7 is never sent.
        LightingCase{"Mode6FixedPositions",
                     [](ProfileRecord& r) {
                         Mode(r, 6);
                         r.Lighting1ColorSelected[6][2] = 0;
                     },
                     Report({0x0C, 0x01, 0x08, 0x00, 0x01, 0x01, 23,   0x06, 0x22, 0xFF,
                             0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF,
                             0x00, 0x00, 0xFF, 0xFF, 0xFA, 0x00, 0xFA, 0xFF, 0xFF, 0xFF})},
        LightingCase{"Mode7FirstUnselected",
                     [](ProfileRecord& r) {
                         Mode(r, 7);
                         r.Lighting1ColorSelected[7][0] = 0;
                     },
                     Report({0x0C, 0x01, 0x08, 0x00, 0x01, 0x01, 8, 0x07, 0x22, 0x00, 0x00,
                             0x00, 0xFA, 0x00, 0x6A})},
        LightingCase{"Mode7Both", [](ProfileRecord& r) { Mode(r, 7); },
                     Report({0x0C, 0x01, 0x08, 0x00, 0x01, 0x01, 8, 0x07, 0x22, 0x00, 0xFF,
                             0x00, 0xFA, 0x00, 0x6A})},
        // No brightness or speed for these modes: read as 0.
        LightingCase{"Mode10", [](ProfileRecord& r) { Mode(r, 10); },
                     Report({0x0C, 0x01, 0x08, 0x00, 0x01, 0x01, 0, 0x0A, 0x11})},
        LightingCase{"Mode255", [](ProfileRecord& r) { Mode(r, 255); },
                     Report({0x0C, 0x01, 0x08, 0x00, 0x01, 0x01, 0, 0xFF, 0x11})}),
    [](const ::testing::TestParamInfo<LightingCase>& info) { return info.param.name; });

TEST_F(DefaultProfileTest, LightingEqualityFollowsTheAnnouncedLength) {
    Mode(record, 6);
    const CommandPayload mode6 = ComposeLighting(record);
    record.Lighting1FixedColor[6][3] = 0x010203;
    EXPECT_NE(ComposeLighting(record), mode6);
    record.Lighting1ColorSelected[6][3] = 0;
    record.Lighting1FixedColor[6][4] = 0x040506;
    record.Lighting1ColorSelected[6][4] = 0;
    const CommandPayload off = ComposeLighting(record);
    record.Lighting1FixedColor[6][4] = 0x070809;  // unselected: carried as black either way
    EXPECT_EQ(ComposeLighting(record), off);

    // Two modes beyond the table both announce nothing.
    Mode(record, 10);
    const CommandPayload mode10 = ComposeLighting(record);
    Mode(record, 11);
    EXPECT_EQ(ComposeLighting(record), mode10);
    EXPECT_NE(ComposeLighting(record).Data, mode10.Data);
}

struct TextCase {
    ProfileSetting setting;
    std::u16string value;
    std::function<CommandPayload(const ProfileRecord&)> compose;
    std::vector<uint8_t> payload;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << "setting " << c.setting;
}

class TextSettingTest : public DefaultProfileTest,
                        public ::testing::WithParamInterface<TextCase> {};

TEST_P(TextSettingTest, ReadAsDecimalLowByte) {
    const TextCase& c = GetParam();
    record.Setting(c.setting) = c.value;
    const CommandPayload p = c.compose(record);
    ASSERT_EQ(p.Length, c.payload.size());
    EXPECT_TRUE(std::equal(c.payload.begin(), c.payload.end(), p.Data.begin()));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, TextSettingTest,
    ::testing::Values(TextCase{kLiftDetectionHeight, u"1", ComposeLiftOff, {1, 0}},
                      TextCase{kLiftDetectionHeight, u" 1mm", ComposeLiftOff, {1, 0}},
                      TextCase{kLiftDetectionHeight, u"3", ComposeLiftOff, {2, 0}},
                      TextCase{kLiftDetectionHeight, u"abc", ComposeLiftOff, {2, 0}},
                      TextCase{kKeyDebounce, u"300", ComposeDebounce, {0x2C}},
                      TextCase{kKeyDebounce, u"-2", ComposeDebounce, {0xFE}},
                      TextCase{kKeyDebounce, u"", ComposeDebounce, {0}},
                      TextCase{kPowerDownTime, u"10", ComposePowerSaving, {10, 0}},
                      TextCase{kMoveLightingOnOffMode, u"1", ComposePowerSaving, {6, 1}},
                      TextCase{kMotionWakeup, u"0", ComposeMotionWakeup, {0}}));

}  // namespace
}  // namespace velmaro
