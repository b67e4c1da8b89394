// Key events to virtual-key codes: native keysyms and key positions as X11 and
// Wayland report them, and Qt-only events as synthesised ones arrive.
#include "app/macro/key_translation.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

namespace velmaro {
namespace {

struct KeyCase {
    const char* what;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    uint32_t keysym;
    uint32_t scanCode;  // X keycode: evdev code + 8
    int expected;
};

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;

const KeyCase kCases[] = {
    // Letters follow the layout; a keysym is never a code of its own.
    {"a", Qt::Key_A, kNone, 0x61, 38, 0x41},
    {"shifted A", Qt::Key_A, kShift, 0x41, 38, 0x41},
    {"azerty a on the Q key", Qt::Key_A, kNone, 0x61, 24, 0x41},
    {"cyrillic ef on the A key", 0x424, kNone, 0x6c6, 38, 0x41},
    {"z", Qt::Key_Z, kNone, 0x7a, 52, 0x5A},
    // Digits and punctuation by position, whatever Shift makes of them.
    {"1", Qt::Key_1, kNone, 0x31, 10, 0x31},
    {"shifted 1 (!)", Qt::Key_Exclam, kShift, 0x21, 10, 0x31},
    {"azerty & on the 1 key", Qt::Key_Ampersand, kNone, 0x26, 10, 0x31},
    {"0", Qt::Key_0, kNone, 0x30, 19, 0x30},
    {"minus", Qt::Key_Minus, kNone, 0x2d, 20, 0xBD},
    {"equal", Qt::Key_Equal, kNone, 0x3d, 21, 0xBB},
    {"bracket left", Qt::Key_BracketLeft, kNone, 0x5b, 34, 0xDB},
    {"brace right", Qt::Key_BraceRight, kShift, 0x7d, 35, 0xDD},
    {"semicolon", Qt::Key_Semicolon, kNone, 0x3b, 47, 0xBA},
    {"apostrophe", Qt::Key_Apostrophe, kNone, 0x27, 48, 0xDE},
    {"grave", Qt::Key_QuoteLeft, kNone, 0x60, 49, 0xC0},
    {"backslash", Qt::Key_Backslash, kNone, 0x5c, 51, 0xDC},
    {"comma", Qt::Key_Comma, kNone, 0x2c, 59, 0xBC},
    {"period", Qt::Key_Period, kNone, 0x2e, 60, 0xBE},
    {"slash", Qt::Key_Slash, kNone, 0x2f, 61, 0xBF},
    {"space", Qt::Key_Space, kNone, 0x20, 65, 0x20},
    {"comma without a position", Qt::Key_Comma, kNone, 0x2c, 0, 0xBC},
    {"tilde without a position", Qt::Key_AsciiTilde, kShift, 0x7e, 0, 0xC0},
    // Function keys F1..F24, none beyond.
    {"F1", Qt::Key_F1, kNone, 0xffbe, 67, 0x70},
    {"F12", Qt::Key_F12, kNone, 0xffc9, 96, 0x7B},
    {"F24", Qt::Key_F24, kNone, 0xffd5, 202, 0x87},
    {"F25", Qt::Key_F25, kNone, 0xffd6, 0, 0},
    // The keypad with NumLock on and off.
    {"KP_7", Qt::Key_7, kPad, 0xffb7, 79, 0x67},
    {"KP_0", Qt::Key_0, kPad, 0xffb0, 90, 0x60},
    {"KP_Home (NumLock off)", Qt::Key_Home, kPad, 0xff95, 79, 0x24},
    {"KP_Insert (NumLock off)", Qt::Key_Insert, kPad, 0xff9e, 90, 0x2D},
    {"KP_Begin (NumLock off)", Qt::Key_Clear, kPad, 0xff9d, 84, 0x0C},
    {"KP_Decimal", Qt::Key_Period, kPad, 0xffae, 91, 0x6E},
    {"KP_Delete (NumLock off)", Qt::Key_Delete, kPad, 0xff9f, 91, 0x2E},
    {"KP_Add", Qt::Key_Plus, kPad, 0xffab, 86, 0x6B},
    {"KP_Subtract", Qt::Key_Minus, kPad, 0xffad, 82, 0x6D},
    {"KP_Multiply", Qt::Key_Asterisk, kPad, 0xffaa, 63, 0x6A},
    {"KP_Divide", Qt::Key_Slash, kPad, 0xffaf, 106, 0x6F},
    {"KP_Enter", Qt::Key_Enter, kPad, 0xff8d, 104, 0x0D},
    {"Num_Lock", Qt::Key_NumLock, kNone, 0xff7f, 77, 0x90},
    // Arrows and editing keys.
    {"Left", Qt::Key_Left, kNone, 0xff51, 113, 0x25},
    {"Up", Qt::Key_Up, kNone, 0xff52, 111, 0x26},
    {"Right", Qt::Key_Right, kNone, 0xff53, 114, 0x27},
    {"Down", Qt::Key_Down, kNone, 0xff54, 116, 0x28},
    {"Prior", Qt::Key_PageUp, kNone, 0xff55, 112, 0x21},
    {"Next", Qt::Key_PageDown, kNone, 0xff56, 117, 0x22},
    {"Home", Qt::Key_Home, kNone, 0xff50, 110, 0x24},
    {"End", Qt::Key_End, kNone, 0xff57, 115, 0x23},
    {"Insert", Qt::Key_Insert, kNone, 0xff63, 118, 0x2D},
    {"Delete", Qt::Key_Delete, kNone, 0xffff, 119, 0x2E},
    {"BackSpace", Qt::Key_Backspace, kNone, 0xff08, 22, 0x08},
    {"Tab", Qt::Key_Tab, kNone, 0xff09, 23, 0x09},
    {"Shift+Tab", Qt::Key_Backtab, kShift, 0xfe20, 23, 0x09},
    {"Return", Qt::Key_Return, kNone, 0xff0d, 36, 0x0D},
    {"Escape", Qt::Key_Escape, kNone, 0xff1b, 9, 0x1B},
    {"Print", Qt::Key_Print, kNone, 0xff61, 107, 0x2C},
    {"Pause", Qt::Key_Pause, kNone, 0xff13, 127, 0x13},
    {"Menu", Qt::Key_Menu, kNone, 0xff67, 135, 0x5D},
    {"Caps_Lock", Qt::Key_CapsLock, kNone, 0xffe5, 66, 0x14},
    // Modifiers, left and right told apart.
    {"Shift_L", Qt::Key_Shift, kShift, 0xffe1, 50, 0xA0},
    {"Shift_R", Qt::Key_Shift, kShift, 0xffe2, 62, 0xA1},
    {"Control_L", Qt::Key_Control, kNone, 0xffe3, 37, 0xA2},
    {"Control_R", Qt::Key_Control, kNone, 0xffe4, 105, 0xA3},
    {"Alt_L", Qt::Key_Alt, kNone, 0xffe9, 64, 0xA4},
    {"Alt_L with Shift held (Meta_L)", Qt::Key_Meta, kShift, 0xffe7, 64, 0xA4},
    {"Alt_R", Qt::Key_Alt, kNone, 0xffea, 108, 0xA5},
    {"AltGr", Qt::Key_AltGr, kNone, 0xfe03, 108, 0xA5},
    {"Super_L", Qt::Key_Super_L, kNone, 0xffeb, 133, 0x5B},
    {"Super_R", Qt::Key_Super_R, kNone, 0xffec, 134, 0x5C},
    {"right Ctrl by position only", Qt::Key_Control, kNone, 0, 105, 0xA3},
    // Media keys.
    {"AudioPlay", Qt::Key_MediaPlay, kNone, 0x1008ff14, 172, 0xB3},
    {"AudioMute", Qt::Key_VolumeMute, kNone, 0x1008ff12, 121, 0xAD},
    {"AudioLowerVolume", Qt::Key_VolumeDown, kNone, 0x1008ff11, 122, 0xAE},
    {"AudioRaiseVolume", Qt::Key_VolumeUp, kNone, 0x1008ff13, 123, 0xAF},
    {"AudioNext", Qt::Key_MediaNext, kNone, 0x1008ff17, 171, 0xB0},
    {"AudioPrev", Qt::Key_MediaPrevious, kNone, 0x1008ff16, 173, 0xB1},
    // Synthesised events: Qt's key code only.
    {"Qt A", Qt::Key_A, kNone, 0, 0, 0x41},
    {"Qt 5", Qt::Key_5, kNone, 0, 0, 0x35},
    {"Qt keypad 5", Qt::Key_5, kPad, 0, 0, 0x65},
    {"Qt F5", Qt::Key_F5, kNone, 0, 0, 0x74},
    {"Qt Shift", Qt::Key_Shift, kShift, 0, 0, 0xA0},
    {"Qt Control", Qt::Key_Control, kNone, 0, 0, 0xA2},
    {"Qt Delete", Qt::Key_Delete, kNone, 0, 0, 0x2E},
    {"Qt VolumeUp", Qt::Key_VolumeUp, kNone, 0, 0, 0xAF},
    {"Qt question mark", Qt::Key_Question, kShift, 0, 0, 0xBF},
    // Keys without a code.
    {"unknown keysym", 0, kNone, 0x1234567, 0, 0},
    {"nothing at all", 0, kNone, 0, 0, 0},
};

TEST(KeyTranslation, NativeAndQtKeysGiveVirtualKeyCodes) {
    for (const KeyCase& c : kCases) {
        const NativeKey key{c.qtKey, c.modifiers, c.keysym, c.scanCode};
        EXPECT_EQ(int(VirtualKeyOf(key)), c.expected) << c.what;
    }
}

TEST(KeyTranslation, ReadsTheEventsNativeFields) {
    const QKeyEvent semicolon(QEvent::KeyPress, Qt::Key_Colon, Qt::ShiftModifier, 47, 0x3a, 0x1);
    EXPECT_EQ(int(VirtualKeyOf(semicolon)), 0xBA);
    const QKeyEvent rightShift(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier, 62, 0xffe2, 0);
    EXPECT_EQ(int(VirtualKeyOf(rightShift)), 0xA1);
}

}  // namespace
}  // namespace velmaro
