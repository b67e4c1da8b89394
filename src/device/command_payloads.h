// What each command carries, composed from a profile in one place: the
// settings writer, the rebuild of the last-sent payloads, the factory reset,
// the status query and the macro upload all take their payloads from here, so
// a payload composed twice from the same profile is always the same.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/feature_report.h"
#include "model/profile_record.h"
#include "model/sensor_tables.h"

namespace velmaro {

// The part of a request that varies by command: bytes 2, 5, 6 and 7..32.
struct CommandPayload {
    uint8_t Command = 0;
    uint8_t Header = 0;  // byte 5: write flag or macro chunk header
    uint8_t Length = 0;  // byte 6
    std::array<uint8_t, kMaxPayloadBytes> Data{};

    // The payload bytes the length announces.
    std::span<const uint8_t> Announced() const {
        return {Data.data(), Length < Data.size() ? Length : Data.size()};
    }

    // Equal when the mouse is told the same thing: command, header, length and
    // the announced bytes. Bytes past the length take no part, so two lighting
    // modes of 10 or more (length 0) compare equal and are not sent again.
    friend bool operator==(const CommandPayload& a, const CommandPayload& b);
};

// A request for the payload, with the builder's next sequence number.
FeatureReport BuildRequest(RequestBuilder& builder, const CommandPayload& payload);

// Device button index 0..5 carries the profile's Keys 0, 1, 2, 4, 3, 5.
inline constexpr std::array<int, kButtonCount> kDeviceButtonOrder = {0, 1, 2, 4, 3, 5};

// CMD_SET_BUTTON for device button indexes 0..5, in that order.
std::array<CommandPayload, kButtonCount> ComposeButtons(const ProfileRecord& record);

// CMD_SET_DPI_LEVELS: level byte, enable mask, codes of levels 0..4, zeros.
CommandPayload ComposeDpiLevels(const ProfileRecord& record, const SensorTables& sensor);
// CMD_SET_DPI_COLORS: R, G, B of levels 0..7.
CommandPayload ComposeDpiColors(const ProfileRecord& record);
// CMD_SET_POLLING_RATE: report interval in milliseconds.
CommandPayload ComposePollingRate(const ProfileRecord& record);
// CMD_SET_LIGHTING for the profile's current lighting mode.
CommandPayload ComposeLighting(const ProfileRecord& record);
CommandPayload ComposeLiftOff(const ProfileRecord& record);
CommandPayload ComposeDebounce(const ProfileRecord& record);
CommandPayload ComposePowerSaving(const ProfileRecord& record);
CommandPayload ComposeMotionWakeup(const ProfileRecord& record);
CommandPayload ComposeFactoryReset();
CommandPayload ComposeStatusQuery();

// Polling rate index (PollingRateValue byte 0) to report interval: 0 -> 8 ms,
// 1 -> 4, 2 -> 2, anything else 1 (1000 Hz).
uint8_t PollingIntervalMs(uint8_t index);

// Macro data go out in chunks of 25 bytes; chunk index and chunk count share
// byte 5 as two 4-bit fields, so at most 15 chunks can be framed.
inline constexpr size_t kMacroChunkDataBytes = 25;
inline constexpr size_t kMaxMacroChunks = 15;
inline constexpr size_t kMaxMacroDataBytes = kMacroChunkDataBytes * kMaxMacroChunks;  // 375
inline constexpr size_t kMacroEntryBytes = 3;
inline constexpr size_t kMaxMacroEntries = kMaxMacroDataBytes / kMacroEntryBytes;  // 125
inline constexpr uint8_t kMacroSlotCount = 16;

// The CMD_SET_MACRO_DATA chunks for a slot's data bytes (3 per entry): at
// least one chunk, each carrying the slot and 25 data bytes (zeros past the
// end). Refused (no chunks) for a slot above 15 or for more than 375 data
// bytes: a 16th chunk would wrap the 4-bit fields and the mouse would take it
// for another chunk, and cutting the data could drop a key release and leave
// the key held on the mouse. The mouse then keeps the slot's previous macro.
std::optional<std::vector<CommandPayload>> ComposeMacroChunks(uint8_t slot,
                                                              std::span<const uint8_t> data);

}  // namespace velmaro
