// The program's picture of the mouse: battery, charging, sensor and current
// DPI level. It is refreshed by the status query at start-up, on attach and
// every 21 seconds, and by the events the mouse raises itself, which also
// open the on-screen display.
//
// These are the pieces; the owner (AppCore) runs them from its timers and
// its posted-event handler on the user-interface thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "device/core_ui.h"
#include "device/feature_channel.h"
#include "device/feature_report.h"
#include "device/posted_events.h"
#include "model/program_state.h"
#include "model/timer_host.h"
#include "storage/file_system.h"
#include "storage/storage_report.h"

namespace velmaro {

// Status timer (110): one tick a second; a query is due once the counter has
// reached 20, i.e. every 21 ticks. Device changes and rescans set the counter
// to 19, which brings the query two ticks later.
inline constexpr int kStatusPeriodMs = 1000;
inline constexpr int kStatusQueryDue = 20;
inline constexpr int kStatusCounterAfterScan = 19;
// The mouse needs this long before the answer can be read.
inline constexpr int kStatusAnswerPauseMs = 10;
inline constexpr int kStatusAttempts = 2;

// Start-up check (timer 80): no command interface two seconds after start
// brings the attention dialog with this message (title kAttentionTitle).
inline constexpr int kStartupCheckDelayMs = 2000;
inline constexpr uint16_t kTextNoDevice = 155;

// On-screen display (timer 50): it closes after five ticks without an event.
inline constexpr int kOsdPeriodMs = 300;
inline constexpr int kOsdCountdownTicks = 5;

// Status answer bytes.
inline constexpr size_t kAnswerSensorCode = 15;
inline constexpr size_t kAnswerBatteryLevel = 18;
inline constexpr size_t kAnswerChargeState = 19;

struct DeviceState {
    uint8_t BatteryLevel = 10;  // percent, as last reported
    int ChargeState = 0;        // 0 on battery, 1 charging, 2 full
    int CurrentDpiOrdinal = 2;  // current level among the enabled levels, from 0
    bool StatusQueryPending = true;
    int StatusPollCounter = 0;  // status ticks since the last query
    int GaugeStep = 0;          // battery gauge animation
    bool OsdOpen = false;
    int OsdCountdown = 0;  // display timer ticks left before it closes
};

// ---- The status query --------------------------------------------------------

enum class StatusQueryOutcome : uint8_t {
    NoInterface,  // no command interface open: nothing sent
    SendFailed,   // the request could not be sent
    ReadFailed,   // the answer could not be read
    NoAnswer,     // both answers were empty (payload length 0)
    Answered,     // a non-empty answer was read (the exchange's result only)
    Rejected,     // an answer came, but not for the status command or with a status
    Parsed,       // an answer was taken
};

std::string_view StatusQueryOutcomeName(StatusQueryOutcome outcome);

struct StatusExchange {
    // NoInterface, SendFailed, ReadFailed, NoAnswer, or Answered with the
    // answer in Answer (not yet checked by the parser).
    StatusQueryOutcome Outcome = StatusQueryOutcome::NoInterface;
    int Attempts = 0;
    FeatureReport Answer;
};

// Up to two attempts: send the query, wait 10 ms, read the answer into a
// buffer of 0x0C and 0xFF; stop at the first failure or non-empty answer.
StatusExchange ExchangeStatusQuery(FeatureChannel& channel, RequestBuilder& requests, Pacer& pacer);

// The fields of an accepted answer (echo 0x20, status 0).
struct StatusAnswer {
    uint8_t SensorCode = 0;
    std::optional<uint16_t> SensorId;  // none for a code outside the table
    uint8_t BatteryLevel = 0;
    uint8_t ChargeByte = 0;
};
std::optional<StatusAnswer> ReadStatusAnswer(const FeatureReport& answer);

// Charging state 1 is charging, 2 is full (which reads as 100 %), anything
// else is on battery.
void ApplyBatteryStatus(DeviceState& device, uint8_t level, uint8_t charge_byte);

// The mouse reports another sensor: store it (Sensor and PreST, "0x%4X"),
// give every profile the sensor's DPI defaults and build the new DPI tables.
void AdoptSensor(ProgramState& state, uint16_t sensor_id);
// AdoptSensor, then save the settings and write all profile files. The
// report lists the files not written.
StorageReport ChangeSensor(ProgramState& state, FileSystem& fs, uint16_t sensor_id);

// ---- Displays --------------------------------------------------------------

// One status tick of the battery display: a level above 100 becomes 0, the
// gauge animation moves on by 25, and the percentage shows unless charging.
BatteryDisplay AdvanceBatteryDisplay(DeviceState& device);

// "125Hz", "250Hz", "500Hz", "1000Hz" for polling index 0, 1, 2 and anything else.
std::u16string_view PollingRateText(int index);
// Report interval in milliseconds to polling index: 8 -> 0, 4 -> 1, 2 -> 2,
// anything else 3.
int PollingIndexForInterval(uint8_t interval_ms);

// The display's lines for the level that `ordinal` designates among the
// enabled levels: "DPI-<level + 1>", its DPI, the profile's report rate.
OsdTexts ComposeOsdTexts(const ProfileRecord& record, const SensorTables& sensor, int ordinal);

// The mouse changed its DPI level or report rate: the current ordinal and
// the profile's current level and report rate follow it. False (nothing
// changed) for a level byte outside 1..8, which names no level.
bool ApplyMouseSideChange(ProfileRecord& record, DeviceState& device,
                          const MouseSideChange& change);

}  // namespace velmaro
