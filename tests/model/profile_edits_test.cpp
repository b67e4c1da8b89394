#include "model/profile_edits.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "model/text.h"

namespace velmaro {

// Readable failures; found by the printer through the type's namespace.
void PrintTo(const EditResult& r, std::ostream* os) {
    *os << "{refusal " << static_cast<int>(r.Refusal) << ", dirty " << int{r.Dirty.Bits()}
        << ", message " << r.Message << "}";
}

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

SensorTables Tables(uint16_t sensor_id) {
    SensorTables tables;
    tables.SensorId = sensor_id;
    tables.BuildDpiTables();
    return tables;
}

const DirtyGroups kMain{DirtyGroup::Main};
const DirtyGroups kButtons{DirtyGroup::Buttons};
const DirtyGroups kPower{DirtyGroup::Power};
const DirtyGroups kWakeup{DirtyGroup::Wakeup};

EditResult Ok(DirtyGroups dirty) {
    return {EditRefusal::None, dirty, 0};
}
EditResult No(EditRefusal why, uint16_t message = 0, DirtyGroups dirty = {}) {
    return {why, dirty, message};
}

// A profile at its defaults on the default sensor; every refusal must leave
// it exactly as it was.
class ProfileEditsTest : public ::testing::Test {
  protected:
    ProfileEditsTest() {
        ResetProfileDefaults(record, 0, language, kDefaultSensorId);
        before = record;
    }
    void ExpectUnchanged() const { EXPECT_TRUE(record == before); }

    LanguageTable language = NumberedLanguage();
    SensorTables sensor = Tables(kDefaultSensorId);
    ProfileRecord record;
    ProfileRecord before;
};

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
