#include "device/hid/sim/mouse_settings.h"

#include <algorithm>

#include "model/language_table.h"
#include "model/profile_record.h"
#include "model/sensor_tables.h"

namespace velmaro {

namespace {

template <size_t N>
void CopyPayload(std::array<uint8_t, N>& to, std::span<const uint8_t> payload) {
    std::copy_n(payload.begin(), N, to.begin());
}

std::span<const uint8_t> LightingBytes(std::span<const uint8_t> payload, uint8_t length) {
    return payload.first(length == 0 ? 2 : length);
}

// The payload of a write as the mouse reads it: `length` bytes from byte 7.
bool Apply(MouseSettings& s, uint8_t command, uint8_t length, std::span<const uint8_t> p) {
    switch (command) {
        case CMD_SET_BUTTON:
            if (p[0] >= s.buttons.size())
                return false;
            std::copy_n(p.begin() + 1, 3, s.buttons[p[0]].begin());
            return true;
        case CMD_SET_DPI_LEVELS:
            CopyPayload(s.dpi_levels, p);
            return true;
        case CMD_SET_DPI_COLORS:
            CopyPayload(s.dpi_colors, p);
            return true;
        case CMD_SET_POLLING_RATE:
            s.polling_interval_ms = p[0];
            return true;
        case CMD_SET_LIGHTING: {
            const auto bytes = LightingBytes(p, length);
            s.lighting.assign(bytes.begin(), bytes.end());
            return true;
        }
        case CMD_SET_LIFT_OFF:
            s.lift_off = p[0];
            return true;
        case CMD_SET_DEBOUNCE:
            s.debounce_ms = p[0];
            return true;
        case CMD_SET_POWER_SAVING:
            s.sleep_time = p[0];
            s.move_lighting = p[1];
            return true;
        case CMD_SET_MOTION_WAKEUP:
            s.motion_wakeup = p[0];
            return true;
        default:
            return false;
    }
}

}  // namespace

bool MouseSettings::Holds(const CommandPayload& payload) const {
    MouseSettings after = *this;
    if (!Apply(after, payload.Command, payload.Length, payload.Data))
        return false;
    return after == *this;
}

MouseSettings FactorySettings(uint8_t sensor_code) {
    const uint16_t sensor_id = SensorIdFromCode(sensor_code).value_or(kDefaultSensorId);
    SensorTables tables;
    tables.SensorId = sensor_id;
    tables.BuildDpiTables();
    ProfileRecord profile;
    ResetProfileDefaults(profile, 0, LanguageTable{}, sensor_id);

    MouseSettings s;
    for (const CommandPayload& button : ComposeButtons(profile))
        Apply(s, button.Command, button.Length, button.Data);
    for (const CommandPayload& p :
         {ComposeDpiLevels(profile, tables), ComposeDpiColors(profile), ComposePollingRate(profile),
          ComposeLighting(profile), ComposeLiftOff(profile), ComposeDebounce(profile),
          ComposePowerSaving(profile), ComposeMotionWakeup(profile)}) {
        Apply(s, p.Command, p.Length, p.Data);
    }
    return s;
}

bool ApplySettingWrite(MouseSettings& settings, std::span<const uint8_t, 33> report) {
    return Apply(settings, report[2], report[6], report.subspan(kPayloadOffset));
}

}  // namespace velmaro
