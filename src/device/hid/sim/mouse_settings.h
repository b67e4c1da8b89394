// What the virtual mouse holds: the last value of every setting it was sent,
// and the macro data of each slot. Starts as the factory settings, which are
// the default profile's payloads for the mouse's sensor.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/command_payloads.h"

namespace velmaro {

struct MouseSettings {
    // KeyValue of each button, by device index 0..5.
    std::array<std::array<uint8_t, 3>, 6> buttons{};
    // The 18 payload bytes of the DPI command: level byte, enable mask, five
    // 16-bit codes, six zeros.
    std::array<uint8_t, 18> dpi_levels{};
    // R, G, B of DPI levels 0..7.
    std::array<uint8_t, 24> dpi_colors{};
    uint8_t polling_interval_ms = 0;
    // The lighting payload: the bytes its length announces, or for modes of 10
    // and up (length 0) the mode and brightness/speed bytes it still carries.
    std::vector<uint8_t> lighting;
    uint8_t lift_off = 0;  // 1 or 2
    uint8_t debounce_ms = 0;
    uint8_t sleep_time = 0;     // power saving, first byte
    uint8_t move_lighting = 0;  // power saving, second byte
    uint8_t motion_wakeup = 0;
    // Each slot's data as the last complete upload left it; none for a slot
    // that has not had one since the last reset.
    std::array<std::optional<std::vector<uint8_t>>, kMacroSlotCount> macros{};

    // The mouse holds what `payload` (a setting write, as composed for it)
    // would set. Macro chunks, the reset and the query are never held.
    bool Holds(const CommandPayload& payload) const;

    friend bool operator==(const MouseSettings&, const MouseSettings&) = default;
};

// The default profile's settings for the sensor with this status code; an
// unknown code gives the defaults of the usual sensor.
MouseSettings FactorySettings(uint8_t sensor_code);

// Takes the setting a checked write carries (commands 0x04..0x0C but the
// macro data). False for any other command.
bool ApplySettingWrite(MouseSettings& settings, std::span<const uint8_t, 33> report);

}  // namespace velmaro
