#include "device/hid/sim/request_rules.h"

#include <bit>

#include "device/feature_report.h"

namespace velmaro {

namespace {

std::string Hex(uint8_t b) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return std::string("0x") + kDigits[b >> 4] + kDigits[b & 0x0F];
}

std::string Dec(size_t n) {
    return std::to_string(n);
}

// Payload length of the setting writes with a fixed length.
std::optional<uint8_t> FixedLength(uint8_t command) {
    switch (command) {
        case CMD_SET_BUTTON:
            return 4;
        case CMD_SET_DPI_LEVELS:
            return 18;
        case CMD_SET_DPI_COLORS:
            return 24;
        case CMD_SET_POLLING_RATE:
        case CMD_SET_DEBOUNCE:
        case CMD_SET_MOTION_WAKEUP:
        case CMD_FACTORY_RESET:
            return 1;
        case CMD_SET_LIFT_OFF:
        case CMD_SET_POWER_SAVING:
            return 2;
        default:
            return std::nullopt;
    }
}

std::optional<std::string> CheckTrailingZeros(std::span<const uint8_t> r, size_t from) {
    for (size_t i = from; i < r.size(); ++i) {
        if (r[i] != 0)
            return "byte " + Dec(i) + " after the payload is " + Hex(r[i]) + ", not 0x00";
    }
    return std::nullopt;
}

std::optional<std::string> CheckMacroChunk(std::span<const uint8_t> r) {
    const MacroChunkHeader h = MacroChunkHeader::From(r[5]);
    if (h.count == 0)
        return "macro chunk header " + Hex(r[5]) + " gives a chunk count of 0";
    if (h.index >= h.count)
        return "macro chunk header " + Hex(r[5]) + ": index " + Dec(h.index) +
               " is not below the count " + Dec(h.count);
    const uint8_t length = r[6];
    if (!h.IsLast() && length != kMaxPayloadBytes)
        return "macro chunk " + Dec(h.index) + " of " + Dec(h.count) + " has length " +
               Dec(length) + ", not 26";
    if (h.IsLast() && (length < 1 || length > kMaxPayloadBytes))
        return "last macro chunk has length " + Dec(length) + ", not 1..26";
    if (r[kPayloadOffset] >= 16)
        return "macro slot " + Dec(r[kPayloadOffset]) + " is not 0..15";
    return CheckTrailingZeros(r, kPayloadOffset + length);
}

std::optional<std::string> CheckSettingPayload(std::span<const uint8_t> r) {
    const auto p = r.subspan(kPayloadOffset);
    switch (r[2]) {
        case CMD_SET_BUTTON:
            if (p[0] > 5)
                return "device button index " + Dec(p[0]) + " is not 0..5";
            break;
        case CMD_SET_DPI_LEVELS:
            if ((p[0] & 0x0F) != (std::popcount(p[1]) & 0x0F))
                return "DPI level byte " + Hex(p[0]) + " does not count the " +
                       Dec(static_cast<size_t>(std::popcount(p[1]))) + " levels of mask " +
                       Hex(p[1]);
            for (size_t i = 12; i < 18; ++i) {
                if (p[i] != 0)
                    return "DPI payload byte " + Dec(i) + " is " + Hex(p[i]) + ", not 0x00";
            }
            break;
        case CMD_SET_POLLING_RATE:
            if (p[0] != 1 && p[0] != 2 && p[0] != 4 && p[0] != 8)
                return "report interval " + Dec(p[0]) + " ms is not 1, 2, 4 or 8";
            break;
        case CMD_SET_LIFT_OFF:
            if ((p[0] != 1 && p[0] != 2) || p[1] != 0)
                return "lift-off payload " + Hex(p[0]) + " " + Hex(p[1]) + " is not 01/02 00";
            break;
        case CMD_FACTORY_RESET:
            if (p[0] != 0xFF)
                return "factory reset byte " + Hex(p[0]) + ", not 0xFF";
            break;
        default:
            break;
    }
    return std::nullopt;
}

}  // namespace

std::optional<uint8_t> RequiredLightingLength(uint8_t mode, uint8_t colours) {
    switch (mode) {
        case 0:
        case 4:
        case 5:
        case 8:
        case 9:
            return 2;
        case 1:
            return 3;
        case 2:
            if (colours > 7)
                return std::nullopt;
            return static_cast<uint8_t>(3 + 3 * colours);
        case 3:
            return 5;
        case 6:
            return 23;
        case 7:
            return 8;
        default:
            return 0;
    }
}

std::optional<std::string> CheckRequestFrame(std::span<const uint8_t> r) {
    if (r.size() != kFeatureReportSize)
        return "a request is 33 bytes, this one " + Dec(r.size());
    if (r[0] != kFeatureReportId)
        return "report id " + Hex(r[0]) + ", not 0x0C";
    if (r[1] != 0x01)
        return "byte 1 is " + Hex(r[1]) + ", not 0x01";
    if (r[3] != 0x00)
        return "status byte " + Hex(r[3]) + " in a request";

    const uint8_t command = r[2];
    if (command == CMD_QUERY_STATUS) {
        if (r[5] != 0x00)
            return "status query with byte 5 = " + Hex(r[5]) + ", not 0x00";
        if (r[6] != 0)
            return "status query with payload length " + Dec(r[6]) + ", not 0";
        return CheckTrailingZeros(r, kPayloadOffset);
    }
    if (command == CMD_SET_MACRO_DATA)
        return CheckMacroChunk(r);

    std::optional<uint8_t> length = FixedLength(command);
    size_t payload_end = 0;
    if (command == CMD_SET_LIGHTING) {
        const uint8_t mode = r[kPayloadOffset];
        length = RequiredLightingLength(mode, r[kPayloadOffset + 2]);
        if (!length)
            return "lighting mode 2 with " + Dec(r[kPayloadOffset + 2]) + " colours, at most 7";
        // Modes of 10 and up announce nothing but still carry their mode and
        // brightness/speed bytes.
        payload_end = kPayloadOffset + (*length == 0 ? 2 : *length);
    } else if (length) {
        payload_end = kPayloadOffset + *length;
    } else {
        return "unknown command " + Hex(command);
    }
    if (r[5] != kWriteFlag)
        return "setting write with byte 5 = " + Hex(r[5]) + ", not 0x01";
    if (r[6] != *length)
        return "command " + Hex(command) + " with payload length " + Dec(r[6]) + ", it takes " +
               Dec(*length);
    if (auto bad = CheckSettingPayload(r))
        return bad;
    return CheckTrailingZeros(r, payload_end);
}

}  // namespace velmaro
