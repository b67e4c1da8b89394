#include "device/command_payloads.h"

#include <algorithm>
#include <bit>

#include "model/text.h"

namespace velmaro {

namespace {

// Appends bytes to a payload and keeps its length.
class PayloadWriter {
  public:
    PayloadWriter(uint8_t command, uint8_t header) {
        payload_.Command = command;
        payload_.Header = header;
    }

    void Byte(uint8_t b) { payload_.Data[pos_++] = b; }
    // Colours are stored 0x00BBGGRR and sent red, green, blue.
    void Color(uint32_t bbggrr) {
        Byte(static_cast<uint8_t>(bbggrr));
        Byte(static_cast<uint8_t>(bbggrr >> 8));
        Byte(static_cast<uint8_t>(bbggrr >> 16));
    }
    void Zeros(size_t n) { pos_ += n; }
    size_t Position() const { return pos_; }

    CommandPayload Done() {
        payload_.Length = static_cast<uint8_t>(pos_);
        return payload_;
    }
    CommandPayload Done(uint8_t length) {
        payload_.Length = length;
        return payload_;
    }

  private:
    CommandPayload payload_;
    size_t pos_ = 0;
};

// Text settings go out as the low byte of their decimal value.
uint8_t SettingByte(const ProfileRecord& record, ProfileSetting n) {
    return static_cast<uint8_t>(record.SettingNumber(n));
}

constexpr uint8_t kMode2 = 2;
constexpr uint8_t kMode3 = 3;
constexpr uint8_t kMode6 = 6;
constexpr uint8_t kMode7 = 7;
constexpr size_t kMode2MaxColors = 7;
constexpr size_t kMode6Positions = 7;
constexpr size_t kMode7Positions = 2;

}  // namespace

bool operator==(const CommandPayload& a, const CommandPayload& b) {
    if (a.Command != b.Command || a.Header != b.Header || a.Length != b.Length)
        return false;
    const auto x = a.Announced();
    const auto y = b.Announced();
    return std::equal(x.begin(), x.end(), y.begin(), y.end());
}

FeatureReport BuildRequest(RequestBuilder& builder, const CommandPayload& payload) {
    return builder.Build(payload.Command, payload.Header, payload.Length, payload.Data);
}

std::array<CommandPayload, kButtonCount> ComposeButtons(const ProfileRecord& record) {
    std::array<CommandPayload, kButtonCount> buttons;
    for (int device = 0; device < kButtonCount; ++device) {
        PayloadWriter w(CMD_SET_BUTTON, kWriteFlag);
        w.Byte(static_cast<uint8_t>(device));
        for (uint8_t b : record.Keys[kDeviceButtonOrder[device]].Value)
            w.Byte(b);
        buttons[device] = w.Done();
    }
    return buttons;
}

CommandPayload ComposeDpiLevels(const ProfileRecord& record, const SensorTables& sensor) {
    constexpr int kLevelsWithCode = 5;
    constexpr size_t kTrailingZeros = 6;
    PayloadWriter w(CMD_SET_DPI_LEVELS, kWriteFlag);
    const int enabled = std::popcount(record.DPIOffOnFlagValue);
    w.Byte(static_cast<uint8_t>(((record.CurrentDPILevelValue + 1) << 4) | (enabled & 0x0F)));
    w.Byte(record.DPIOffOnFlagValue);
    for (int level = 0; level < kLevelsWithCode; ++level) {
        const uint16_t code = sensor.DeviceCode(record.XYSettingValue[level]);
        w.Byte(static_cast<uint8_t>(code));
        w.Byte(static_cast<uint8_t>(code >> 8));
    }
    w.Zeros(kTrailingZeros);
    return w.Done();
}

CommandPayload ComposeDpiColors(const ProfileRecord& record) {
    PayloadWriter w(CMD_SET_DPI_COLORS, kWriteFlag);
    for (uint32_t color : record.DPILevelIndication)
        w.Color(color);
    return w.Done();
}

uint8_t PollingIntervalMs(uint8_t index) {
    switch (index) {
        case 0:
            return 8;
        case 1:
            return 4;
        case 2:
            return 2;
        default:
            return 1;
    }
}

CommandPayload ComposePollingRate(const ProfileRecord& record) {
    PayloadWriter w(CMD_SET_POLLING_RATE, kWriteFlag);
    w.Byte(PollingIntervalMs(record.PollingRateValue[0]));
    return w.Done();
}

CommandPayload ComposeLighting(const ProfileRecord& record) {
    const uint8_t mode = record.Lighting1ModeValue[0];
    const bool known = mode < kLightingModes;
    // A mode beyond the tables (only a damaged profile holds one) has no
    // brightness or speed of its own: read both as 0 rather than past the end.
    const uint8_t brightness = known ? record.Lighting1Brightness[mode] : 0;
    const uint8_t speed = known ? record.Lighting1Speed[mode] : 0;

    PayloadWriter w(CMD_SET_LIGHTING, kWriteFlag);
    w.Byte(mode);
    w.Byte(static_cast<uint8_t>(((brightness + 1) << 4) | ((speed + 1) & 0x0F)));
    if (!known)
        return w.Done(0);  // the mouse takes nothing for these modes

    const auto& selected = record.Lighting1ColorSelected[mode];
    const auto& colors = record.Lighting1FixedColor[mode];
    switch (mode) {
        case 1:
            w.Byte(record.Lighting1Direction[1]);
            break;
        case kMode2: {
            // Packed without gaps; a selected black colour is left out.
            const size_t count_at = w.Position();
            w.Byte(0);
            uint8_t n = 0;
            for (size_t i = 0; i < kMode2MaxColors; ++i) {
                if (selected[i] != 0 && colors[i] != 0) {
                    w.Color(colors[i]);
                    ++n;
                }
            }
            CommandPayload p = w.Done();
            p.Data[count_at] = n;
            return p;
        }
        case kMode3:
            w.Color(colors[0]);
            break;
        case kMode6:
        case kMode7: {
            // Every position keeps its place; an unselected one is black.
            const size_t positions = mode == kMode6 ? kMode6Positions : kMode7Positions;
            for (size_t i = 0; i < positions; ++i)
                w.Color(selected[i] != 0 ? colors[i] : 0);
            break;
        }
        default:  // 0, 4, 5, 8, 9: mode and brightness/speed only
            break;
    }
    return w.Done();
}

CommandPayload ComposeLiftOff(const ProfileRecord& record) {
    PayloadWriter w(CMD_SET_LIFT_OFF, kWriteFlag);
    w.Byte(record.SettingNumber(kLiftDetectionHeight) == 1 ? 1 : 2);
    w.Byte(0x00);
    return w.Done();
}

CommandPayload ComposeDebounce(const ProfileRecord& record) {
    PayloadWriter w(CMD_SET_DEBOUNCE, kWriteFlag);
    w.Byte(SettingByte(record, kKeyDebounce));
    return w.Done();
}

CommandPayload ComposePowerSaving(const ProfileRecord& record) {
    PayloadWriter w(CMD_SET_POWER_SAVING, kWriteFlag);
    w.Byte(SettingByte(record, kPowerDownTime));
    w.Byte(SettingByte(record, kMoveLightingOnOffMode));
    return w.Done();
}

CommandPayload ComposeMotionWakeup(const ProfileRecord& record) {
    PayloadWriter w(CMD_SET_MOTION_WAKEUP, kWriteFlag);
    w.Byte(SettingByte(record, kMotionWakeup));
    return w.Done();
}

CommandPayload ComposeFactoryReset() {
    PayloadWriter w(CMD_FACTORY_RESET, kWriteFlag);
    w.Byte(0xFF);
    return w.Done();
}

CommandPayload ComposeStatusQuery() {
    return PayloadWriter(CMD_QUERY_STATUS, 0x00).Done();
}

std::optional<std::vector<CommandPayload>> ComposeMacroChunks(uint8_t slot,
                                                              std::span<const uint8_t> data) {
    if (slot >= kMacroSlotCount || data.size() > kMaxMacroDataBytes)
        return std::nullopt;
    const size_t count =
        std::max<size_t>(1, (data.size() + kMacroChunkDataBytes - 1) / kMacroChunkDataBytes);
    std::vector<CommandPayload> chunks;
    chunks.reserve(count);
    for (size_t c = 0; c < count; ++c) {
        const size_t start = c * kMacroChunkDataBytes;
        const size_t remaining = data.size() - start;
        const size_t carried = std::min(remaining, kMacroChunkDataBytes);
        CommandPayload chunk;
        chunk.Command = CMD_SET_MACRO_DATA;
        chunk.Header = static_cast<uint8_t>((c << 4) | (count & 0x0F));
        chunk.Length = static_cast<uint8_t>(carried + 1);  // the slot byte counts too
        chunk.Data[0] = slot;
        std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(start), carried,
                    chunk.Data.begin() + 1);
        chunks.push_back(chunk);
    }
    return chunks;
}

}  // namespace velmaro
