// Windows virtual-key codes from Qt key events. The mouse, the key-name table
// and the macro files all speak virtual-key codes, so every captured key is
// translated here: from the native keysym first (X11 and Wayland both report
// xkb keysyms), then from the key's position (the native scan code, an evdev
// code plus 8, read as a US layout), then from Qt's key code when the event
// carries no native data. A keysym is never taken as a virtual-key code.
#pragma once

#include <Qt>
#include <cstdint>

class QKeyEvent;

namespace velmaro {

struct NativeKey {
    int QtKey = 0;                    // Qt::Key
    Qt::KeyboardModifiers Modifiers;  // KeypadModifier marks the keypad
    uint32_t Keysym = 0;              // QKeyEvent::nativeVirtualKey()
    uint32_t ScanCode = 0;            // QKeyEvent::nativeScanCode()
};

// The virtual-key code 1..255, or 0 when the key has none.
uint8_t VirtualKeyOf(const NativeKey& key);
uint8_t VirtualKeyOf(const QKeyEvent& event);

}  // namespace velmaro
