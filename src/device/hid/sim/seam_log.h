// The record of every report that crossed the HID seam of the virtual mouse,
// and of every request the mouse found fault with. The command-line tool
// prints the log as trace lines.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "device/hid/sim/virtual_mouse_config.h"

namespace velmaro {

enum class SeamDirection : uint8_t {
    kSet,  // a feature report the program sent
    kGet,  // a feature report the program read back
    kIn,   // an input report the program read
};

struct SeamLogEntry {
    SeamDirection direction = SeamDirection::kSet;
    SimRole role = SimRole::kCable;
    // The report as it crossed, report-id byte first: 33 bytes, unless the
    // program read an input report into a shorter buffer.
    std::vector<uint8_t> bytes;

    friend bool operator==(const SeamLogEntry&, const SeamLogEntry&) = default;
};

// Upper-case hex, two digits a byte, no separators.
std::string FormatHexBytes(std::span<const uint8_t> bytes);

// "SET cable 0C0104...", "GET receiver 0C0120...", "IN cable 0506...".
std::string FormatSeamLogLine(const SeamLogEntry& entry);

// A request the mouse would not have taken as it was sent.
struct SimViolation {
    std::string path;  // the interface it was sent to
    uint32_t collection = 0;
    std::string reason;
    std::vector<uint8_t> bytes;
};

// "sim:cable:command#0: <reason>: 0C01..."
std::string FormatViolation(const SimViolation& violation);

}  // namespace velmaro
