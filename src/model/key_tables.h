// Windows virtual-key codes (0..255) to display names and to keyboard usages
// (HID keyboard page). The names label key combinations and the keyboard
// actions of macros; the usages are what the mouse receives for a key.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmaro {

inline constexpr std::u16string_view kUndefinedKeyName = u"Undefined";

// Display name of a virtual-key code; codes without a name read "Undefined".
// The view refers to static storage and stays valid for the program's life.
std::u16string_view KeyNameOf(uint8_t code);

// Keyboard usage of a virtual-key code; 0 when the key has none.
uint8_t KeyUsageOf(uint8_t code);

// A key the mouse can send as a keyboard key: it has a keyboard usage and is
// not one of the mouse actions that only macros use (0xE0..0xE7).
bool IsKeyboardKey(uint8_t code);

// The code whose display name equals `name`, ignoring ASCII case ("page up",
// "F5", ","). Never gives a code whose name is "Undefined".
std::optional<uint8_t> KeyCodeFromName(std::u16string_view name);

}  // namespace velmaro
