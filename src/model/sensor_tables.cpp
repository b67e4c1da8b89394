#include "model/sensor_tables.h"

#include <initializer_list>

namespace velmaro {

namespace {

struct Range {
    uint32_t from, to, step;
};

struct SensorDef {
    uint16_t id;
    uint8_t code;
    std::initializer_list<Range> values;
    uint16_t code_offset;  // code of step n is n + offset
    int extended;
    std::array<uint16_t, 8> defaults;
};

// Irregular steps stand as the mouse defines them (96, 128, 248, 480).
const SensorDef kSensors[] = {
    {0x3104,
     0x04,
     {{2, 80, 2}, {90, 90, 1}, {96, 96, 1}, {110, 160, 10}},
     0,
     0,
     {4, 15, 23, 31, 39, 41, 58, 50}},
    {0x3212, 0x12, {{4, 48, 2}, {60, 96, 2}}, 1, 0, {6, 10, 14, 22, 33, 12, 12, 12}},
    {0x3311, 0x11, {{2, 240, 2}}, 1, 0, {7, 15, 23, 31, 63, 99, 99, 59}},
    {0x3325,
     0x25,
     {{4, 100, 2}, {110, 120, 10}, {128, 128, 1}, {140, 200, 10}},
     1,
     0,
     {6, 14, 30, 48, 58, 58, 58, 50}},
    {0x3327,
     0x27,
     {{4, 124, 2}, {130, 240, 10}, {248, 248, 1}},
     1,
     0,
     {2, 6, 14, 30, 48, 58, 58, 58}},
    {0x3335, 0x35, {{2, 320, 2}}, 0, 1, {11, 23, 31, 63, 99, 159, 59, 59}},
    {0x3360, 0x60, {{2, 240, 2}, {480, 480, 1}}, 0, 1, {3, 7, 15, 31, 49, 59, 59, 59}},
    {0x3370, 0x70, {{1, 200, 1}, {202, 380, 2}}, 0, 1, {7, 15, 31, 63, 99, 119, 119, 119}},
    {0x3389, 0x89, {{2, 320, 2}}, 0, 1, {3, 7, 15, 31, 49, 59, 59, 59}},
    {0x3395, 0x95, {{1, 520, 1}}, 0, 1, {15, 31, 47, 95, 199, 379, 99, 99}},
    {0x3399, 0x99, {{1, 400, 1}}, 0, 1, {7, 15, 31, 63, 99, 99, 99, 99}},
};

const SensorDef* FindSensor(uint16_t id) {
    for (const auto& s : kSensors) {
        if (s.id == id)
            return &s;
    }
    return nullptr;
}

}  // namespace

bool IsKnownSensor(uint16_t sensor_id) {
    return FindSensor(sensor_id) != nullptr;
}

bool SensorTables::BuildDpiTables() {
    const SensorDef* def = FindSensor(SensorId);
    if (def == nullptr)
        return false;
    StepValues.fill(0);
    StepCodes.fill(0);
    uint32_t n = 0;
    for (const Range& r : def->values) {
        for (uint32_t v = r.from; v <= r.to && n < StepValues.size(); v += r.step) {
            StepValues[n] = v;
            StepCodes[n] = static_cast<uint16_t>(n + def->code_offset);
            ++n;
        }
    }
    StepCount = n;
    ExtendedSensorFlag = def->extended;
    return true;
}

uint32_t SensorTables::ClampStep(uint32_t step) const {
    if (StepCount == 0)
        return 0;
    return step < StepCount ? step : StepCount - 1;
}

uint32_t SensorTables::DisplayDpi(uint32_t step) const {
    if (StepCount == 0)
        return 0;
    return StepValues[ClampStep(step)] * 50;
}

uint16_t SensorTables::DeviceCode(uint32_t step) const {
    if (StepCount == 0)
        return 0;
    return StepCodes[ClampStep(step)];
}

std::optional<uint16_t> SensorIdFromCode(uint8_t code) {
    for (const auto& s : kSensors) {
        if (s.code == code)
            return s.id;
    }
    return std::nullopt;
}

std::optional<std::array<uint16_t, 8>> DefaultStepIndexes(uint16_t sensor_id) {
    const SensorDef* def = FindSensor(sensor_id);
    if (def == nullptr)
        return std::nullopt;
    return def->defaults;
}

int SliderPosition(int i, int count, int track_start, int track_length) {
    if (count < 2 || i <= 0)
        return track_start;
    if (i >= count - 1)
        return track_start + track_length;
    return track_start + (i * track_length) / (count - 1);
}

}  // namespace velmaro
