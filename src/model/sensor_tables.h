// DPI step tables of the mouse's sensor. Profiles store step indexes; the
// tables turn them into DPI for display and 16-bit codes for the device.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace velmaro {

inline constexpr uint16_t kDefaultSensorId = 0x3325;

class SensorTables {
  public:
    uint16_t SensorId = 0;
    std::array<uint32_t, 520> StepValues{};  // units of 50 DPI
    std::array<uint16_t, 1000> StepCodes{};
    uint32_t StepCount = 0;
    int ExtendedSensorFlag = 0;

    // Fills the tables for SensorId; an unknown id changes nothing.
    bool BuildDpiTables();

    // A stored step index beyond the table is clamped to the last step; with
    // no table at all both give 0.
    uint32_t ClampStep(uint32_t step) const;
    uint32_t DisplayDpi(uint32_t step) const;
    uint16_t DeviceCode(uint32_t step) const;
};

bool IsKnownSensor(uint16_t sensor_id);

// Sensor id for the sensor code byte of the status answer.
std::optional<uint16_t> SensorIdFromCode(uint8_t code);

// Default step index of each of the eight DPI levels for a sensor; none for an
// unknown sensor.
std::optional<std::array<uint16_t, 8>> DefaultStepIndexes(uint16_t sensor_id);

// Pixel position of step i on a slider track starting at `track_start` with
// length `track_length`, for `count` >= 2 steps.
int SliderPosition(int i, int count, int track_start, int track_length);

}  // namespace velmaro
