// The 512-byte image of one macro as the mouse stores it under a slot number,
// built from a button's own macro copy.
#pragma once

#include <array>
#include <cstdint>

#include "model/macro_record.h"

namespace velmaro {

inline constexpr size_t kMacroImageSize = 512;
inline constexpr size_t kMacroImageHeader = 4;
using MacroImage = std::array<uint8_t, kMacroImageSize>;

// Key code (virtual-key code, or the mouse action codes 0xE0..0xE7) to the
// code the mouse plays: keyboard usages, and its own codes from 0xE0 up.
uint8_t DeviceKeyCode(uint8_t key_code);

// Longest delay one entry can carry (12 bits).
inline constexpr uint32_t kMaxEntryDelayMs = 4095;

// Header 09 90 slot count, then one 3-byte entry per non-delay action with the
// delay that follows it folded in; zeros after the entries. `count` is the
// copy's MacroCommandActionNum, the number of entries the mouse is told about.
MacroImage BuildMacroImage(const MacroRecord& macro, uint8_t slot);

}  // namespace velmaro
