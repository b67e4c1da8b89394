#include "device/hid/sim/seam_log.h"

namespace velmaro {

std::string FormatHexBytes(std::span<const uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        text.push_back(kDigits[b >> 4]);
        text.push_back(kDigits[b & 0x0F]);
    }
    return text;
}

std::string FormatSeamLogLine(const SeamLogEntry& entry) {
    std::string line;
    switch (entry.direction) {
        case SeamDirection::kSet:
            line = "SET ";
            break;
        case SeamDirection::kGet:
            line = "GET ";
            break;
        case SeamDirection::kIn:
            line = "IN ";
            break;
    }
    line += SimRoleName(entry.role);
    line += ' ';
    line += FormatHexBytes(entry.bytes);
    return line;
}

std::string FormatViolation(const SimViolation& violation) {
    return violation.path + "#" + std::to_string(violation.collection) + ": " + violation.reason +
           ": " + FormatHexBytes(violation.bytes);
}

}  // namespace velmaro
