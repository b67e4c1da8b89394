#include "model/sensor_tables.h"

#include <gtest/gtest.h>

namespace velmaro {
namespace {

struct StepCase {
    uint16_t sensor;
    uint32_t steps;
    int extended;
    uint32_t step;
    uint32_t dpi;
    uint16_t code;
};

void PrintTo(const StepCase& c, std::ostream* os) {
    *os << std::hex << "sensor 0x" << c.sensor << " step " << std::dec << c.step;
}

class SensorStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(SensorStepTest, DisplayValueAndDeviceCode) {
    const StepCase& c = GetParam();
    SensorTables t;
    t.SensorId = c.sensor;
    ASSERT_TRUE(t.BuildDpiTables());
    EXPECT_EQ(t.StepCount, c.steps);
    EXPECT_EQ(t.ExtendedSensorFlag, c.extended);
    EXPECT_EQ(t.DisplayDpi(c.step), c.dpi);
    EXPECT_EQ(t.DeviceCode(c.step), c.code);
}

// First and last steps of every sensor, and the irregular steps.
INSTANTIATE_TEST_SUITE_P(
    Tables, SensorStepTest,
    ::testing::Values(
        StepCase{0x3104, 48, 0, 0, 100, 0x0000}, StepCase{0x3104, 48, 0, 40, 4500, 40},  // 90
        StepCase{0x3104, 48, 0, 41, 4800, 41},  // 96, not 100
        StepCase{0x3104, 48, 0, 42, 5500, 42}, StepCase{0x3104, 48, 0, 47, 8000, 47},
        StepCase{0x3212, 42, 0, 0, 200, 1}, StepCase{0x3212, 42, 0, 22, 2400, 23},
        StepCase{0x3212, 42, 0, 23, 3000, 24}, StepCase{0x3212, 42, 0, 41, 4800, 42},
        StepCase{0x3311, 120, 0, 119, 12000, 120}, StepCase{0x3325, 59, 0, 0, 200, 0x0001},
        StepCase{0x3325, 59, 0, 50, 6000, 51},
        StepCase{0x3325, 59, 0, 51, 6400, 52},  // 128, not 130
        StepCase{0x3325, 59, 0, 52, 7000, 53}, StepCase{0x3325, 59, 0, 58, 10000, 59},
        StepCase{0x3327, 74, 0, 60, 6200, 61}, StepCase{0x3327, 74, 0, 61, 6500, 62},
        StepCase{0x3327, 74, 0, 73, 12400, 74},  // 248, not 250
        StepCase{0x3335, 160, 1, 159, 16000, 159}, StepCase{0x3360, 121, 1, 119, 12000, 119},
        StepCase{0x3360, 121, 1, 120, 24000, 120},  // jump to 480
        StepCase{0x3370, 290, 1, 199, 10000, 199}, StepCase{0x3370, 290, 1, 200, 10100, 200},
        StepCase{0x3370, 290, 1, 289, 19000, 289}, StepCase{0x3389, 160, 1, 0, 100, 0},
        StepCase{0x3395, 520, 1, 519, 26000, 0x0207}, StepCase{0x3399, 400, 1, 399, 20000, 399}));

TEST(SensorTablesTest, UnknownSensorLeavesTablesAsTheyWere) {
    SensorTables t;
    t.SensorId = 0x3325;
    ASSERT_TRUE(t.BuildDpiTables());
    t.SensorId = 0x1234;
    EXPECT_FALSE(t.BuildDpiTables());
    EXPECT_EQ(t.StepCount, 59u);
    EXPECT_EQ(t.DisplayDpi(0), 200u);

    SensorTables empty;
    empty.SensorId = 0x1234;
    EXPECT_FALSE(empty.BuildDpiTables());
    EXPECT_EQ(empty.StepCount, 0u);
    EXPECT_EQ(empty.DisplayDpi(3), 0u);
    EXPECT_EQ(empty.DeviceCode(3), 0u);
}

TEST(SensorTablesTest, StepIndexBeyondTableIsClampedToLastStep) {
    SensorTables t;
    t.SensorId = 0x3325;
    ASSERT_TRUE(t.BuildDpiTables());
    EXPECT_EQ(t.DisplayDpi(59), 10000u);
    EXPECT_EQ(t.DisplayDpi(0xFFFF), 10000u);
    EXPECT_EQ(t.DeviceCode(400), 59u);
}

TEST(SensorTablesTest, SensorCodeMap) {
    const std::pair<uint8_t, uint16_t> known[] = {{0x04, 0x3104}, {0x11, 0x3311}, {0x12, 0x3212},
                                                  {0x25, 0x3325}, {0x27, 0x3327}, {0x35, 0x3335},
                                                  {0x60, 0x3360}, {0x70, 0x3370}, {0x89, 0x3389},
                                                  {0x95, 0x3395}, {0x99, 0x3399}};
    for (const auto& [code, id] : known)
        EXPECT_EQ(SensorIdFromCode(code), id) << int{code};
    EXPECT_EQ(SensorIdFromCode(0x00), std::nullopt);
    EXPECT_EQ(SensorIdFromCode(0x33), std::nullopt);
}

TEST(SensorTablesTest, SliderPositions) {
    // Track at 100, 290 long, 59 steps.
    EXPECT_EQ(SliderPosition(0, 59, 100, 290), 100);
    EXPECT_EQ(SliderPosition(1, 59, 100, 290), 100 + 290 / 58);
    EXPECT_EQ(SliderPosition(29, 59, 100, 290), 100 + (29 * 290) / 58);
    EXPECT_EQ(SliderPosition(58, 59, 100, 290), 390);
}

}  // namespace
}  // namespace velmaro
