// The rules a request to the mouse's command interface must keep, checked one
// report at a time. The virtual mouse records a report that breaks one of
// them instead of acting on it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace velmaro {

// Byte 5 of a macro data chunk: chunk index in the high nibble, chunk count
// in the low one.
struct MacroChunkHeader {
    uint8_t index = 0;
    uint8_t count = 0;

    static MacroChunkHeader From(uint8_t byte5) {
        return {static_cast<uint8_t>(byte5 >> 4), static_cast<uint8_t>(byte5 & 0x0F)};
    }
    bool IsLast() const { return index + 1 == count; }
};

// Byte 6 the lighting command needs for a payload beginning with `mode` (and,
// for mode 2, the colour count `colours`): 2..23, or 0 for modes of 10 and up.
// None for mode 2 with more than seven colours.
std::optional<uint8_t> RequiredLightingLength(uint8_t mode, uint8_t colours);

// Why `report` is not a request the mouse takes, or none when it is one:
// 33 bytes; report id 12; byte 1 = 1; status byte 0; a command the mouse
// knows; byte 5 = 1 for setting writes, 0 for the status query, a chunk
// header with index < count (count 1..15) for macro data; byte 6 = the length
// the command needs (26 for every macro chunk but the last, 1..26 for the
// last); every byte after the payload 0; and the few payload values the
// commands fix (button index 0..5, report interval 1/2/4/8, lift-off code 1
// or 2, the reset byte 0xFF, macro slot 0..15, the DPI level count and the
// six zero bytes of the DPI payload).
std::optional<std::string> CheckRequestFrame(std::span<const uint8_t> report);

}  // namespace velmaro
