#include "model/profile_edits.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "profile_edits_fixture.h"

namespace velmaro {
namespace {

using namespace edits_test;

// ---- Report rate, lift-off, debounce, power -------------------------------

TEST_F(ProfileEditsTest, ReportRate) {
    struct Case {
        int hz;
        int index;  // -1: refused
        const char16_t* name;
    };
    const Case cases[] = {{125, 0, u"125HZ"},   {250, 1, u"250HZ"}, {500, 2, u"500HZ"},
                          {1000, 3, u"1000HZ"}, {0, -1, nullptr},   {100, -1, nullptr},
                          {2000, -1, nullptr},  {-125, -1, nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hz);
        record.PollingRateValue = {7, 7, 7};
        before = record;
        const EditResult r = EditReportRate(record, c.hz);
        if (c.index < 0) {
            EXPECT_EQ(r, No(EditRefusal::OutOfRange));
            ExpectUnchanged();
            continue;
        }
        EXPECT_EQ(r, Ok(kMain));
        EXPECT_EQ(record.PollingRateValue, (Bytes3{static_cast<uint8_t>(c.index), 0, 0}));
        EXPECT_EQ(record.PollingRateName, c.name);
    }
}

TEST_F(ProfileEditsTest, LiftOffOnlyWithSensorsThatOfferIt) {
    const SensorTables extended = Tables(0x3335);
    struct Case {
        int height;
        EditResult result;
        const char16_t* stored;
    };
    const Case cases[] = {{1, Ok(kMain), u"1"},
                          {2, Ok(kMain), u"2"},
                          {0, No(EditRefusal::OutOfRange), u"2"},
                          {3, No(EditRefusal::OutOfRange), u"2"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height);
        record.Setting(kLiftDetectionHeight) = u"2";
        EXPECT_EQ(EditLiftOff(record, extended, c.height), c.result);
        EXPECT_EQ(record.Setting(kLiftDetectionHeight), c.stored);
    }
    // The section is hidden for a sensor without the extended flag.
    before = record;
    EXPECT_EQ(EditLiftOff(record, sensor, 1), No(EditRefusal::NotOffered));
    ExpectUnchanged();
}

TEST_F(ProfileEditsTest, DebounceIsAnEvenNumberOfMillisecondsUpTo30) {
    for (int ms : {0, 2, 12, 30}) {
        SCOPED_TRACE(ms);
        EXPECT_EQ(EditDebounce(record, ms), Ok(kMain));
        EXPECT_EQ(record.SettingNumber(kKeyDebounce), ms);
    }
    before = record;
    for (int ms : {-2, 1, 13, 31, 32}) {
        SCOPED_TRACE(ms);
        EXPECT_EQ(EditDebounce(record, ms), No(EditRefusal::OutOfRange));
        ExpectUnchanged();
    }
}

TEST_F(ProfileEditsTest, PowerSettingsMarkTheirOwnGroups) {
    for (int minutes = 3; minutes <= 10; ++minutes) {
        EXPECT_EQ(EditSleepTime(record, minutes), Ok(kPower));
        EXPECT_EQ(record.Setting(kPowerDownTime), FormatDecimal(minutes));
    }
    before = record;
    EXPECT_EQ(EditSleepTime(record, 2), No(EditRefusal::OutOfRange));
    EXPECT_EQ(EditSleepTime(record, 11), No(EditRefusal::OutOfRange));
    ExpectUnchanged();

    EXPECT_EQ(EditMoveLighting(record, true), Ok(kPower));
    EXPECT_EQ(record.Setting(kMoveLightingOnOffMode), u"1");
    EXPECT_EQ(EditMoveLighting(record, false), Ok(kPower));
    EXPECT_EQ(record.Setting(kMoveLightingOnOffMode), u"0");

    // Motion wake-up has a group of its own: a scan never re-marks it.
    EXPECT_EQ(EditMotionWakeup(record, false), Ok(kWakeup));
    EXPECT_EQ(record.Setting(kMotionWakeup), u"0");
    EXPECT_EQ(EditMotionWakeup(record, true), Ok(kWakeup));
    EXPECT_EQ(record.Setting(kMotionWakeup), u"1");
}

// ---- DPI levels ------------------------------------------------------------

TEST(DpiOrdinalTest, AbsoluteLevelAndOrdinal) {
    struct Case {
        uint8_t mask;
        int ordinal;
        int level;
    };
    const Case cases[] = {
        {0x1F, 0, 0}, {0x1F, 2, 2},  {0x1F, 4, 4},   {0x1F, 7, 2},  // wraps round
        {0x1A, 0, 1}, {0x1A, 1, 3},  {0x1A, 2, 4},   {0x80, 0, 7},
        {0x80, 3, 7}, {0x00, 0, -1}, {0x1F, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask " << int{c.mask} << " ordinal " << c.ordinal);
        EXPECT_EQ(AbsoluteDpiLevel(c.mask, c.ordinal), c.level);
        if (c.level >= 0 && c.ordinal < std::popcount(c.mask)) {
            EXPECT_EQ(DpiLevelOrdinal(c.mask, c.level), c.ordinal);
        }
    }
    EXPECT_EQ(DpiLevelOrdinal(0x1A, 0), -1);
    EXPECT_EQ(DpiLevelOrdinal(0x1A, 8), -1);
}

TEST_F(ProfileEditsTest, DpiLevelEnableKeepsTheCurrentLevel) {
    struct Case {
        uint8_t mask;
        uint8_t ordinal;
        int level;
        bool on;
        EditResult result;
        uint8_t new_mask;
        uint8_t new_ordinal;
    };
    const EditResult ok = Ok(kMain);
    const Case cases[] = {
        // The only enabled level stays on, and nothing is marked.
        {0x01, 0, 0, false, No(EditRefusal::LastEnabledLevel), 0x01, 0},
        {0x10, 0, 4, false, No(EditRefusal::LastEnabledLevel), 0x10, 0},
        // Current level 2: a level below it goes, the ordinal follows.
        {0x1F, 2, 0, false, ok, 0x1E, 1},
        // A level above it goes: the ordinal stays.
        {0x1F, 2, 3, false, ok, 0x17, 2},
        // The current level itself goes: the next lower one takes over...
        {0x1F, 2, 2, false, ok, 0x1B, 1},
        {0x1F, 4, 4, false, ok, 0x0F, 3},
        // ...or the next higher one when it was the lowest.
        {0x1F, 0, 0, false, ok, 0x1E, 0},
        // Switching on below the current level moves the ordinal up.
        {0x15, 1, 1, true, ok, 0x17, 2},
        {0x15, 1, 3, true, ok, 0x1D, 1},
        // Already in the asked state: nothing moves.
        {0x1F, 1, 1, true, ok, 0x1F, 1},
        {0x1E, 1, 0, false, ok, 0x1E, 1},
        // A hidden enabled level counts as enabled.
        {0x21, 0, 0, false, ok, 0x20, 0},
        // A stored ordinal past the enabled count is taken at its wrapped
        // value: 6 of four levels is level 3, and level 3 stays current.
        {0x1B, 6, 2, true, ok, 0x1F, 3},
        // Levels 5..7 have no controls; others do not exist.
        {0x1F, 1, 5, true, No(EditRefusal::NotOffered), 0x1F, 1},
        {0x1F, 1, 8, true, No(EditRefusal::OutOfRange), 0x1F, 1},
        {0x1F, 1, -1, false, No(EditRefusal::OutOfRange), 0x1F, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask " << int{c.mask} << " ordinal " << int{c.ordinal}
                                        << " level " << c.level << (c.on ? " on" : " off"));
        record.DPIOffOnFlagValue = c.mask;
        record.CurrentDPILevelValue = c.ordinal;
        EXPECT_EQ(EditDpiLevelEnabled(record, c.level, c.on), c.result);
        EXPECT_EQ(record.DPIOffOnFlagValue, c.new_mask);
        EXPECT_EQ(record.CurrentDPILevelValue, c.new_ordinal);
    }
}

TEST_F(ProfileEditsTest, DpiLevelStepByIndex) {
    // Sensor 0x3325 has 59 steps.
    EXPECT_EQ(EditDpiLevelStep(record, sensor, 0, 0), Ok(kMain));
    EXPECT_EQ(record.XYSettingValue[0], 0);
    EXPECT_EQ(EditDpiLevelStep(record, sensor, 4, 58), Ok(kMain));
    EXPECT_EQ(record.XYSettingValue[4], 58);
    before = record;
    EXPECT_EQ(EditDpiLevelStep(record, sensor, 1, 59), No(EditRefusal::OutOfRange));
    EXPECT_EQ(EditDpiLevelStep(record, sensor, 1, -1), No(EditRefusal::OutOfRange));
    EXPECT_EQ(EditDpiLevelStep(record, sensor, 5, 3), No(EditRefusal::NotOffered));
    EXPECT_EQ(EditDpiLevelStep(record, Tables(0x1234), 1, 0), No(EditRefusal::NoStepTable));
    ExpectUnchanged();
}

TEST(StepForTypedDpiTest, FirstStepAtOrAboveTheValueElseTheLast) {
    struct Case {
        uint16_t sensor;
        int32_t dpi;
        uint32_t step;
    };
    const Case cases[] = {
        // 0x3325: 200..5000 by 100 (steps 0..48), then 5500, 6000, 6400, 7000...10000.
        {0x3325, 0, 0},  // text without a number
        {0x3325, -500, 0},
        {0x3325, 200, 0},
        {0x3325, 201, 1},
        {0x3325, 250, 1},
        {0x3325, 300, 1},
        {0x3325, 5000, 48},
        {0x3325, 5001, 49},
        {0x3325, 6300, 51},
        {0x3325, 6400, 51},  // exactly a table value
        {0x3325, 9999, 58},
        {0x3325, 10000, 58},
        {0x3325, 99999, 58},
        // 0x3360 jumps from 12000 to 24000.
        {0x3360, 12000, 119},
        {0x3360, 12001, 120},
        {0x3360, 30000, 120},
        // No table at all.
        {0x1234, 800, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.sensor << std::dec << " " << c.dpi);
        EXPECT_EQ(StepForTypedDpi(Tables(c.sensor), c.dpi), c.step);
    }
}

TEST_F(ProfileEditsTest, DpiLevelByTypedValue) {
    EXPECT_EQ(EditDpiLevelDpi(record, sensor, 2, 6400), Ok(kMain));
    EXPECT_EQ(record.XYSettingValue[2], 51);
    EXPECT_EQ(EditDpiLevelDpi(record, sensor, 3, 1000000), Ok(kMain));
    EXPECT_EQ(record.XYSettingValue[3], 58);
    before = record;
    EXPECT_EQ(EditDpiLevelDpi(record, Tables(0x1234), 2, 800), No(EditRefusal::NoStepTable));
    EXPECT_EQ(EditDpiLevelDpi(record, sensor, 7, 800), No(EditRefusal::NotOffered));
    ExpectUnchanged();
}

TEST_F(ProfileEditsTest, DpiLevelColor) {
    EXPECT_EQ(EditDpiLevelColor(record, 2, 0x123456), Ok(kMain));
    EXPECT_EQ(record.DPILevelIndication[2], 0x123456u);
    before = record;
    EXPECT_EQ(EditDpiLevelColor(record, 2, 0x01000000), No(EditRefusal::OutOfRange));
    EXPECT_EQ(EditDpiLevelColor(record, 6, 0x00FF00), No(EditRefusal::NotOffered));
    ExpectUnchanged();
}

TEST_F(ProfileEditsTest, CurrentDpiLevelIsAnOrdinalAmongEnabledLevels) {
    struct Case {
        uint8_t mask;
        int ordinal;
        bool accepted;
    };
    const Case cases[] = {{0x1F, 0, true}, {0x1F, 4, true},  {0x1F, 5, false}, {0x1F, -1, false},
                          {0x05, 1, true}, {0x05, 2, false}, {0x00, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask " << int{c.mask} << " ordinal " << c.ordinal);
        record.DPIOffOnFlagValue = c.mask;
        record.CurrentDPILevelValue = 1;
        EXPECT_EQ(EditCurrentDpiLevel(record, c.ordinal),
                  c.accepted ? Ok(kMain) : No(EditRefusal::OutOfRange));
        EXPECT_EQ(record.CurrentDPILevelValue, c.accepted ? c.ordinal : 1);
    }
}

// ---- Lighting --------------------------------------------------------------

TEST_F(ProfileEditsTest, LightingModeFromThePopup) {
    const int names[] = {100, 101, 102, 103, 110, 105, 106, 111, 108, 109};
    for (int mode = 0; mode < kLightingModes; ++mode) {
        SCOPED_TRACE(mode);
        record.Lighting1ModeValue = {1, 9, 9};
        record.Lighting1Name = u"old";
        const bool offered = mode != 6 && mode != 7;
        EXPECT_EQ(EditLightingMode(record, language, mode),
                  offered ? Ok(kMain) : No(EditRefusal::NotOffered));
        if (offered) {
            EXPECT_EQ(record.Lighting1ModeValue, (Bytes3{static_cast<uint8_t>(mode), 0, 0}));
            EXPECT_EQ(record.Lighting1Name, T(names[mode]));
        } else {
            EXPECT_EQ(record.Lighting1ModeValue, (Bytes3{1, 9, 9}));
            EXPECT_EQ(record.Lighting1Name, u"old");
        }
    }
    EXPECT_EQ(EditLightingMode(record, language, 10), No(EditRefusal::OutOfRange));
    EXPECT_EQ(EditLightingMode(record, language, -1), No(EditRefusal::OutOfRange));
}

// Speed, brightness and direction act on the current mode and only where the
// page shows their control.
TEST_F(ProfileEditsTest, LightingSpeedBrightnessDirection) {
    struct Case {
        const char* what;
        uint8_t mode;
        int value;
        EditResult result;
        int stored;  // in the current mode's entry; -1: untouched
    };
    const Case cases[] = {
        {"speed", 1, 1, Ok(kMain), 0},
        {"speed", 2, 3, Ok(kMain), 2},
        {"speed", 9, 2, Ok(kMain), 1},
        {"speed", 1, 0, No(EditRefusal::OutOfRange), -1},
        {"speed", 1, 4, No(EditRefusal::OutOfRange), -1},
        {"speed", 0, 2, No(EditRefusal::NotOffered), -1},
        {"speed", 3, 2, No(EditRefusal::NotOffered), -1},
        {"speed", 6, 2, No(EditRefusal::NotOffered), -1},
        {"speed", 12, 2, No(EditRefusal::CurrentModeInvalid), -1},
        {"brightness", 3, 25, Ok(kMain), 0},
        {"brightness", 3, 50, Ok(kMain), 1},
        {"brightness", 3, 75, Ok(kMain), 2},
        {"brightness", 3, 100, Ok(kMain), 3},
        {"brightness", 3, 0, No(EditRefusal::OutOfRange), -1},
        {"brightness", 3, 30, No(EditRefusal::OutOfRange), -1},
        {"brightness", 3, 125, No(EditRefusal::OutOfRange), -1},
        {"brightness", 2, 50, No(EditRefusal::NotOffered), -1},
        {"brightness", 10, 50, No(EditRefusal::CurrentModeInvalid), -1},
        {"direction", 1, 1, Ok(kMain), 1},
        {"direction", 1, 0, Ok(kMain), 0},
        {"direction", 2, 1, No(EditRefusal::NotOffered), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.what << " mode " << int{c.mode} << " " << c.value);
        ResetProfileDefaults(record, 0, language, kDefaultSensorId);
        record.Lighting1ModeValue = {c.mode, 0, 0};
        // Values no control produces, so any write shows.
        record.Lighting1Speed.fill(7);
        record.Lighting1Brightness.fill(7);
        record.Lighting1Direction.fill(7);
        before = record;
        const std::string what = c.what;
        EditResult r;
        std::array<uint8_t, kLightingModes>* field = nullptr;
        if (what == "speed") {
            r = EditLightingSpeed(record, c.value);
            field = &record.Lighting1Speed;
        } else if (what == "brightness") {
            r = EditLightingBrightness(record, c.value);
            field = &record.Lighting1Brightness;
        } else {
            r = EditLightingDirection(record, c.value != 0);
            field = &record.Lighting1Direction;
        }
        EXPECT_EQ(r, c.result);
        if (c.stored < 0) {
            ExpectUnchanged();
            continue;
        }
        for (int m = 0; m < kLightingModes; ++m)
            EXPECT_EQ((*field)[m], m == c.mode ? c.stored : 7) << "mode " << m;
    }
}

TEST(LightingLabelsTest, ShownSpeedAndBrightness) {
    EXPECT_EQ(LightingSpeedShown(0), 1);
    EXPECT_EQ(LightingSpeedShown(2), 3);
    EXPECT_EQ(LightingBrightnessPercent(0), 25);
    EXPECT_EQ(LightingBrightnessPercent(3), 100);
    EXPECT_EQ(LightingBrightnessPercent(5), 50);  // labels repeat past the slider
}

TEST_F(ProfileEditsTest, LightingColorSlotSelection) {
    using Flags = std::array<uint8_t, kLightingColors>;
    struct Case {
        const char* what;
        uint8_t mode;
        Flags flags;
        int slot;
        bool on;
        EditResult result;
        Flags after;
    };
    const Flags mode2{1, 1, 1, 1, 1, 1, 1, 0, 0, 0};
    const Flags one4{0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
    const Flags two{1, 0, 0, 0, 0, 1, 0, 0, 0, 0};
    const Flags three{1, 0, 0, 0, 0, 1, 0, 1, 0, 0};
    const Flags first{1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const Flags none{};
    const EditResult ok = Ok(kMain);
    const EditResult one_needed = No(EditRefusal::ColorRequired, 153);
    const EditResult two_needed = No(EditRefusal::ColorRequired, 154);
    const EditResult hidden = No(EditRefusal::NotOffered);
    const Case cases[] = {
        {"mode 3 keeps its colour", 3, first, 0, false, one_needed, first},
        {"mode 3 shows one slot", 3, first, 1, true, hidden, first},
        {"mode 2 with seven", 2, mode2, 3, false, ok, {1, 1, 1, 0, 1, 1, 1, 0, 0, 0}},
        {"mode 2 last one", 2, one4, 4, false, one_needed, one4},
        {"mode 2 switch on", 2, one4, 6, true, ok, {0, 0, 0, 0, 1, 0, 1, 0, 0, 0}},
        {"mode 2 shows seven slots", 2, one4, 7, true, hidden, one4},
        {"mode 7 with two", 7, {1, 1}, 0, false, ok, {0, 1}},
        {"mode 7 last one", 7, {0, 1}, 1, false, one_needed, {0, 1}},
        {"mode 6 with two", 6, two, 5, false, two_needed, two},
        {"mode 6 with three", 6, three, 7, false, ok, two},
        {"mode 6 below two", 6, first, 0, false, two_needed, first},
        {"mode 6 shows eight slots", 6, two, 8, true, hidden, two},
        {"mode 0 has no slots", 0, none, 0, true, hidden, none},
        {"already off", 2, one4, 0, false, ok, one4},
        {"no such slot", 2, mode2, 10, true, No(EditRefusal::OutOfRange), mode2},
        {"bad stored mode", 11, mode2, 0, true, No(EditRefusal::CurrentModeInvalid), mode2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        record.Lighting1ModeValue = {c.mode, 0, 0};
        if (c.mode < kLightingModes)
            record.Lighting1ColorSelected[c.mode] = c.flags;
        EXPECT_EQ(EditLightingColorSelected(record, c.slot, c.on), c.result);
        if (c.mode < kLightingModes) {
            EXPECT_EQ(record.Lighting1ColorSelected[c.mode], c.after);
        }
    }
}

TEST_F(ProfileEditsTest, LightingColorSlotClickToggles) {
    record.Lighting1ModeValue = {3, 0, 0};
    EXPECT_EQ(ToggleLightingColorSelected(record, 0), No(EditRefusal::ColorRequired, 153));
    EXPECT_EQ(record.Lighting1ColorSelected[3][0], 1);

    record.Lighting1ModeValue = {2, 0, 0};
    EXPECT_EQ(ToggleLightingColorSelected(record, 0), Ok(kMain));
    EXPECT_EQ(record.Lighting1ColorSelected[2][0], 0);
    EXPECT_EQ(ToggleLightingColorSelected(record, 0), Ok(kMain));
    EXPECT_EQ(record.Lighting1ColorSelected[2][0], 1);
}

TEST_F(ProfileEditsTest, LightingColorValue) {
    record.Lighting1ModeValue = {6, 0, 0};
    EXPECT_EQ(EditLightingColor(record, 7, 0x102030), Ok(kMain));
    EXPECT_EQ(record.Lighting1FixedColor[6][7], 0x102030u);
    // A colour of a deselected slot is still stored.
    record.Lighting1ColorSelected[6][0] = 0;
    EXPECT_EQ(EditLightingColor(record, 0, 0xABCDEF), Ok(kMain));
    EXPECT_EQ(record.Lighting1FixedColor[6][0], 0xABCDEFu);

    record.Lighting1ModeValue = {2, 0, 0};
    before = record;
    EXPECT_EQ(EditLightingColor(record, 7, 0x102030), No(EditRefusal::NotOffered));
    EXPECT_EQ(EditLightingColor(record, 0, 0x1000000), No(EditRefusal::OutOfRange));
    EXPECT_EQ(EditLightingColor(record, -1, 0), No(EditRefusal::OutOfRange));
    ExpectUnchanged();
}

}  // namespace
}  // namespace velmaro
