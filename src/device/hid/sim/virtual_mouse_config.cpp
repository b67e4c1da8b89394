#include "device/hid/sim/virtual_mouse_config.h"

#include <charconv>

namespace velmaro {

namespace {

// Digits only, the whole text, within 0..255.
bool ParseByte(std::string_view text, int base, uint8_t& out) {
    if (text.empty())
        return false;
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc{} || end != text.data() + text.size() || value > 0xFF)
        return false;
    out = static_cast<uint8_t>(value);
    return true;
}

// Built by appending: GCC 12 at -O3 reports a false -Wrestrict overlap for
// "literal" + std::string.
std::string Message(std::string_view before, std::string_view part, std::string_view after = {}) {
    std::string text;
    text.reserve(before.size() + part.size() + after.size() + 2);
    text.append(before).append(1, '"').append(part).append(1, '"').append(after);
    return text;
}

}  // namespace

std::string_view SimRoleName(SimRole role) {
    return role == SimRole::kCable ? "cable" : "receiver";
}

uint16_t SimRoleProductId(SimRole role) {
    return role == SimRole::kCable ? kSimCableProductId : kSimReceiverProductId;
}

SimulateOptionsResult ParseSimulateOptions(std::string_view options) {
    SimulateOptionsResult result;
    if (options.empty())
        return result;

    bool cable = false;
    bool receiver = false;
    size_t start = 0;
    while (start <= options.size()) {
        const size_t comma = options.find(',', start);
        const size_t end = comma == std::string_view::npos ? options.size() : comma;
        const std::string_view part = options.substr(start, end - start);
        start = end + 1;

        if (part == "cable") {
            cable = true;
        } else if (part == "receiver") {
            receiver = true;
        } else if (part == "both") {
            cable = receiver = true;
        } else if (part == "no-access") {
            result.config.no_access = true;
        } else if (part.starts_with("sensor=")) {
            // Always hexadecimal with its prefix: "25" would be read one way
            // by some and another way by others.
            const std::string_view value = part.substr(7);
            if (!(value.starts_with("0x") || value.starts_with("0X")) ||
                !ParseByte(value.substr(2), 16, result.config.status.sensor_code)) {
                result.error = Message("bad sensor code in ", part, " (expected 0x00..0xFF)");
                return result;
            }
        } else if (part.starts_with("battery=")) {
            if (!ParseByte(part.substr(8), 10, result.config.status.battery)) {
                result.error = Message("bad battery level in ", part, " (expected 0..255)");
                return result;
            }
        } else if (part.starts_with("charge=")) {
            if (!ParseByte(part.substr(7), 10, result.config.status.charge)) {
                result.error = Message("bad charging state in ", part, " (expected 0..255)");
                return result;
            }
        } else {
            result.error = part.empty() ? Message("empty simulate option in ", options)
                                        : Message("unknown simulate option ", part);
            return result;
        }
        if (comma == std::string_view::npos)
            break;
    }
    if (cable || receiver) {
        result.config.cable = cable;
        result.config.receiver = receiver;
    }
    return result;
}

}  // namespace velmaro
