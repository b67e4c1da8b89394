#include "device/status_poller.h"

#include "model/profile_edits.h"
#include "model/text.h"
#include "storage/profile_file.h"
#include "storage/settings_file.h"

namespace velmaro {

std::string_view StatusQueryOutcomeName(StatusQueryOutcome outcome) {
    switch (outcome) {
        case StatusQueryOutcome::NoInterface:
            return "no command interface";
        case StatusQueryOutcome::SendFailed:
            return "request not sent";
        case StatusQueryOutcome::ReadFailed:
            return "answer not read";
        case StatusQueryOutcome::NoAnswer:
            return "no answer";
        case StatusQueryOutcome::Answered:
            return "answered";
        case StatusQueryOutcome::Rejected:
            return "answer rejected";
        case StatusQueryOutcome::Parsed:
            return "answer taken";
    }
    return "unknown";
}

StatusExchange ExchangeStatusQuery(FeatureChannel& channel, RequestBuilder& requests,
                                   Pacer& pacer) {
    StatusExchange exchange;
    if (!channel.HasCommandInterface()) {
        exchange.Outcome = StatusQueryOutcome::NoInterface;
        return exchange;
    }
    for (int attempt = 0; attempt < kStatusAttempts; ++attempt) {
        ++exchange.Attempts;
        if (!channel.SendCommand(requests.BuildStatusQuery())) {
            exchange.Outcome = StatusQueryOutcome::SendFailed;
            return exchange;
        }
        pacer.Pause(kStatusAnswerPauseMs);
        exchange.Answer = StatusAnswerBuffer();
        if (!channel.ReadFeature(exchange.Answer)) {
            exchange.Outcome = StatusQueryOutcome::ReadFailed;
            return exchange;
        }
        if (AnswerHasPayload(exchange.Answer)) {
            exchange.Outcome = StatusQueryOutcome::Answered;
            return exchange;
        }
    }
    exchange.Outcome = StatusQueryOutcome::NoAnswer;
    return exchange;
}

std::optional<StatusAnswer> ReadStatusAnswer(const FeatureReport& answer) {
    if (!IsAcceptedStatusAnswer(answer))
        return std::nullopt;
    StatusAnswer fields;
    fields.SensorCode = answer.Bytes[kAnswerSensorCode];
    fields.SensorId = SensorIdFromCode(fields.SensorCode);
    fields.BatteryLevel = answer.Bytes[kAnswerBatteryLevel];
    fields.ChargeByte = answer.Bytes[kAnswerChargeState];
    return fields;
}

void ApplyBatteryStatus(DeviceState& device, uint8_t level, uint8_t charge_byte) {
    device.BatteryLevel = level;
    if (charge_byte == 1) {
        device.ChargeState = 1;
    } else if (charge_byte == 2) {
        device.ChargeState = 2;
        device.BatteryLevel = 100;
    } else {
        device.ChargeState = 0;
    }
}

void AdoptSensor(ProgramState& state, uint16_t sensor_id) {
    state.Sensor.SensorId = sensor_id;
    state.PreSTComplement = sensor_id;
    state.Settings.Value(kSensor) = FormatHexSpacePadded(sensor_id);
    state.Settings.SetPreST(static_cast<uint16_t>(sensor_id ^ 0xFFFF));
    // Step indexes are only valid against the table they were made for.
    for (ProfileRecord& record : state.Profiles)
        ApplySensorDpiDefaults(record, sensor_id);
    state.Sensor.BuildDpiTables();
}

StorageReport ChangeSensor(ProgramState& state, FileSystem& fs, uint16_t sensor_id) {
    const uint16_t old_sensor = state.Sensor.SensorId;
    AdoptSensor(state, sensor_id);
    StorageReport report;
    KeepChangedProfileFiles(state, fs, report, SensorChangeReason(old_sensor, sensor_id));
    report.NoteWrite(SaveSettings(state, fs), ToUtf8(SettingsFilePath(state)), fs);
    report.Append(WriteAllProfileFiles(state, fs));
    return report;
}

BatteryDisplay AdvanceBatteryDisplay(DeviceState& device) {
    if (device.BatteryLevel > 100)
        device.BatteryLevel = 0;
    device.GaugeStep += 25;
    if (device.GaugeStep > 100)
        device.GaugeStep = 25;
    BatteryDisplay shown;
    shown.Level = device.BatteryLevel;
    shown.ChargeState = device.ChargeState;
    shown.AnimationStep = device.GaugeStep;
    shown.Percent = FormatDecimal(device.BatteryLevel) + u"%";
    shown.PercentShown = device.ChargeState != 1;
    return shown;
}

std::u16string_view PollingRateText(int index) {
    switch (index) {
        case 0:
            return u"125Hz";
        case 1:
            return u"250Hz";
        case 2:
            return u"500Hz";
        default:
            return u"1000Hz";
    }
}

int PollingIndexForInterval(uint8_t interval_ms) {
    switch (interval_ms) {
        case 8:
            return 0;
        case 4:
            return 1;
        case 2:
            return 2;
        default:
            return 3;
    }
}

OsdTexts ComposeOsdTexts(const ProfileRecord& record, const SensorTables& sensor, int ordinal) {
    // With no level enabled there is nothing to point at; level 0 stands in.
    int level = AbsoluteDpiLevel(record.DPIOffOnFlagValue, ordinal);
    if (level < 0)
        level = 0;
    OsdTexts texts;
    texts.Level = u"DPI-" + FormatDecimal(level + 1);
    texts.Dpi = FormatDecimal(sensor.DisplayDpi(record.XYSettingValue[level]));
    texts.Rate = std::u16string(PollingRateText(record.PollingRateValue[0]));
    return texts;
}

bool ApplyMouseSideChange(ProfileRecord& record, DeviceState& device,
                          const MouseSideChange& change) {
    // Level byte 0 would store an ordinal of -1 (255 in the profile file and
    // in the next DPI command); more than eight levels do not exist.
    if (change.LevelByte == 0 || change.LevelByte > kDpiLevels)
        return false;
    const int ordinal = change.LevelByte - 1;
    device.CurrentDpiOrdinal = ordinal;
    record.CurrentDPILevelValue = static_cast<uint8_t>(ordinal);
    const int index = PollingIndexForInterval(change.ReportIntervalMs);
    record.PollingRateValue = {static_cast<uint8_t>(index), 0, 0};
    record.PollingRateName = std::u16string(PollingRateText(index));
    return true;
}

}  // namespace velmaro
