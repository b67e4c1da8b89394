#include "app/macro/key_translation.h"

#include <QKeyEvent>
#include <array>
#include <utility>

namespace velmaro {

namespace {

using Pair = std::pair<uint32_t, uint8_t>;

// Keys with a name of their own (xkb keysyms).
constexpr std::array kKeysyms{
    Pair{0xff08, 0x08},  // BackSpace
    Pair{0xff09, 0x09},  // Tab
    Pair{0xfe20, 0x09},  // ISO_Left_Tab (Shift+Tab)
    Pair{0xff0b, 0x0C},  // Clear
    Pair{0xff0d, 0x0D},  // Return
    Pair{0xff13, 0x13},  // Pause
    Pair{0xff6b, 0x03},  // Break (Ctrl+Pause)
    Pair{0xff14, 0x91},  // Scroll_Lock
    Pair{0xff15, 0x2C},  // Sys_Req (Alt+Print)
    Pair{0xff1b, 0x1B},  // Escape
    Pair{0xffff, 0x2E},  // Delete
    Pair{0xff50, 0x24},  // Home
    Pair{0xff51, 0x25},  // Left
    Pair{0xff52, 0x26},  // Up
    Pair{0xff53, 0x27},  // Right
    Pair{0xff54, 0x28},  // Down
    Pair{0xff55, 0x21},  // Prior
    Pair{0xff56, 0x22},  // Next
    Pair{0xff57, 0x23},  // End
    Pair{0xff58, 0x0C},  // Begin
    Pair{0xff60, 0x29},  // Select
    Pair{0xff61, 0x2C},  // Print
    Pair{0xff62, 0x2B},  // Execute
    Pair{0xff63, 0x2D},  // Insert
    Pair{0xff67, 0x5D},  // Menu
    Pair{0xff6a, 0x2F},  // Help
    Pair{0xff7f, 0x90},  // Num_Lock
    Pair{0xff22, 0x1D},  // Muhenkan
    Pair{0xff23, 0x1C},  // Henkan
    Pair{0xff27, 0x15},  // Hiragana_Katakana
    Pair{0xff31, 0x15},  // Hangul
    Pair{0xff34, 0x19},  // Hangul_Hanja
    // Keypad with NumLock off: the editing keys, as on the main block.
    Pair{0xff80, 0x20},  // KP_Space
    Pair{0xff89, 0x09},  // KP_Tab
    Pair{0xff8d, 0x0D},  // KP_Enter
    Pair{0xff95, 0x24},  // KP_Home
    Pair{0xff96, 0x25},  // KP_Left
    Pair{0xff97, 0x26},  // KP_Up
    Pair{0xff98, 0x27},  // KP_Right
    Pair{0xff99, 0x28},  // KP_Down
    Pair{0xff9a, 0x21},  // KP_Prior
    Pair{0xff9b, 0x22},  // KP_Next
    Pair{0xff9c, 0x23},  // KP_End
    Pair{0xff9d, 0x0C},  // KP_Begin
    Pair{0xff9e, 0x2D},  // KP_Insert
    Pair{0xff9f, 0x2E},  // KP_Delete
    // Keypad operators, and the digits with NumLock on.
    Pair{0xffaa, 0x6A},  // KP_Multiply
    Pair{0xffab, 0x6B},  // KP_Add
    Pair{0xffac, 0x6C},  // KP_Separator
    Pair{0xffad, 0x6D},  // KP_Subtract
    Pair{0xffae, 0x6E},  // KP_Decimal
    Pair{0xffaf, 0x6F},  // KP_Divide
    Pair{0xffb0, 0x60}, Pair{0xffb1, 0x61}, Pair{0xffb2, 0x62}, Pair{0xffb3, 0x63},
    Pair{0xffb4, 0x64}, Pair{0xffb5, 0x65}, Pair{0xffb6, 0x66}, Pair{0xffb7, 0x67},
    Pair{0xffb8, 0x68}, Pair{0xffb9, 0x69},
    // Modifiers, each side its own code. With Shift held the left Alt key
    // reports Meta_L on the common layouts.
    Pair{0xffe1, 0xA0},  // Shift_L
    Pair{0xffe2, 0xA1},  // Shift_R
    Pair{0xffe3, 0xA2},  // Control_L
    Pair{0xffe4, 0xA3},  // Control_R
    Pair{0xffe5, 0x14},  // Caps_Lock
    Pair{0xffe6, 0x14},  // Shift_Lock
    Pair{0xffe7, 0xA4},  // Meta_L
    Pair{0xffe8, 0xA5},  // Meta_R
    Pair{0xffe9, 0xA4},  // Alt_L
    Pair{0xffea, 0xA5},  // Alt_R
    Pair{0xfe03, 0xA5},  // ISO_Level3_Shift (AltGr)
    Pair{0xffeb, 0x5B},  // Super_L
    Pair{0xffec, 0x5C},  // Super_R
    // Media and browser keys.
    Pair{0x1008ff11, 0xAE},  // XF86AudioLowerVolume
    Pair{0x1008ff12, 0xAD},  // XF86AudioMute
    Pair{0x1008ff13, 0xAF},  // XF86AudioRaiseVolume
    Pair{0x1008ff14, 0xB3},  // XF86AudioPlay
    Pair{0x1008ff31, 0xB3},  // XF86AudioPause
    Pair{0x1008ff15, 0xB2},  // XF86AudioStop
    Pair{0x1008ff16, 0xB1},  // XF86AudioPrev
    Pair{0x1008ff17, 0xB0},  // XF86AudioNext
    Pair{0x1008ff18, 0xAC},  // XF86HomePage
    Pair{0x1008ff19, 0xB4},  // XF86Mail
    Pair{0x1008ff1b, 0xAA},  // XF86Search
    Pair{0x1008ff1d, 0xB7},  // XF86Calculator
    Pair{0x1008ff26, 0xA6},  // XF86Back
    Pair{0x1008ff27, 0xA7},  // XF86Forward
    Pair{0x1008ff28, 0xA9},  // XF86Stop
    Pair{0x1008ff29, 0xA8},  // XF86Refresh
    Pair{0x1008ff2f, 0x5F},  // XF86Sleep
    Pair{0x1008ff30, 0xAB},  // XF86Favorites
    Pair{0x1008ff32, 0xB5},  // XF86AudioMedia
    Pair{0x1008ff33, 0xB6},  // XF86MyComputer
};

// Key positions (evdev codes) of the main block, read as a US layout: digits
// and punctuation keep their code whatever Shift or the layout makes of them.
constexpr std::array kPositions{
    Pair{1, 0x1B},   Pair{2, 0x31},  Pair{3, 0x32},  Pair{4, 0x33},   Pair{5, 0x34},
    Pair{6, 0x35},   Pair{7, 0x36},  Pair{8, 0x37},  Pair{9, 0x38},   Pair{10, 0x39},
    Pair{11, 0x30},  Pair{12, 0xBD}, Pair{13, 0xBB}, Pair{14, 0x08},  Pair{15, 0x09},
    Pair{16, 'Q'},   Pair{17, 'W'},  Pair{18, 'E'},  Pair{19, 'R'},   Pair{20, 'T'},
    Pair{21, 'Y'},   Pair{22, 'U'},  Pair{23, 'I'},  Pair{24, 'O'},   Pair{25, 'P'},
    Pair{26, 0xDB},  Pair{27, 0xDD}, Pair{28, 0x0D}, Pair{29, 0xA2},  Pair{30, 'A'},
    Pair{31, 'S'},   Pair{32, 'D'},  Pair{33, 'F'},  Pair{34, 'G'},   Pair{35, 'H'},
    Pair{36, 'J'},   Pair{37, 'K'},  Pair{38, 'L'},  Pair{39, 0xBA},  Pair{40, 0xDE},
    Pair{41, 0xC0},  Pair{42, 0xA0}, Pair{43, 0xDC}, Pair{44, 'Z'},   Pair{45, 'X'},
    Pair{46, 'C'},   Pair{47, 'V'},  Pair{48, 'B'},  Pair{49, 'N'},   Pair{50, 'M'},
    Pair{51, 0xBC},  Pair{52, 0xBE}, Pair{53, 0xBF}, Pair{54, 0xA1},  Pair{56, 0xA4},
    Pair{57, 0x20},  Pair{58, 0x14}, Pair{97, 0xA3}, Pair{100, 0xA5}, Pair{125, 0x5B},
    Pair{126, 0x5C},
};

// X keycodes are evdev codes plus 8, on Wayland as on X11.
constexpr uint32_t kScanCodeOffset = 8;

// Printable ASCII (keysyms and Qt key codes agree here) to the US key that
// types it; letters are handled before.
uint8_t FromAscii(uint32_t c) {
    if (c >= '0' && c <= '9')
        return uint8_t(c);
    switch (c) {
        case ' ':
            return 0x20;
        case '!':
            return '1';
        case '@':
            return '2';
        case '#':
            return '3';
        case '$':
            return '4';
        case '%':
            return '5';
        case '^':
            return '6';
        case '&':
            return '7';
        case '*':
            return '8';
        case '(':
            return '9';
        case ')':
            return '0';
        case ';':
        case ':':
            return 0xBA;
        case '=':
        case '+':
            return 0xBB;
        case ',':
        case '<':
            return 0xBC;
        case '-':
        case '_':
            return 0xBD;
        case '.':
        case '>':
            return 0xBE;
        case '/':
        case '?':
            return 0xBF;
        case '`':
        case '~':
            return 0xC0;
        case '[':
        case '{':
            return 0xDB;
        case '\\':
        case '|':
            return 0xDC;
        case ']':
        case '}':
            return 0xDD;
        case '\'':
        case '"':
            return 0xDE;
        default:
            return 0;
    }
}

template <size_t N>
uint8_t Find(const std::array<Pair, N>& table, uint32_t key) {
    for (const Pair& p : table) {
        if (p.first == key)
            return p.second;
    }
    return 0;
}

uint8_t FromKeypadQtKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return uint8_t(0x60 + (key - Qt::Key_0));
    switch (key) {
        case Qt::Key_Asterisk:
            return 0x6A;
        case Qt::Key_Plus:
            return 0x6B;
        case Qt::Key_Comma:
            return 0x6C;
        case Qt::Key_Minus:
            return 0x6D;
        case Qt::Key_Period:
            return 0x6E;
        case Qt::Key_Slash:
            return 0x6F;
        default:
            return 0;
    }
}

// Events without native data (synthesised ones): Qt's key code. Modifiers
// cannot be told apart here and count as the left-hand ones.
uint8_t FromQtKey(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) {
        if (uint8_t vk = FromKeypadQtKey(key))
            return vk;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return uint8_t(key);
    if (key > 0 && key < 0x7f)
        return FromAscii(uint32_t(key));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return uint8_t(0x70 + (key - Qt::Key_F1));
    switch (key) {
        case Qt::Key_Escape:
            return 0x1B;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 0x09;
        case Qt::Key_Backspace:
            return 0x08;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 0x0D;
        case Qt::Key_Insert:
            return 0x2D;
        case Qt::Key_Delete:
            return 0x2E;
        case Qt::Key_Pause:
            return 0x13;
        case Qt::Key_Print:
        case Qt::Key_SysReq:
            return 0x2C;
        case Qt::Key_Clear:
            return 0x0C;
        case Qt::Key_Home:
            return 0x24;
        case Qt::Key_End:
            return 0x23;
        case Qt::Key_Left:
            return 0x25;
        case Qt::Key_Up:
            return 0x26;
        case Qt::Key_Right:
            return 0x27;
        case Qt::Key_Down:
            return 0x28;
        case Qt::Key_PageUp:
            return 0x21;
        case Qt::Key_PageDown:
            return 0x22;
        case Qt::Key_Shift:
            return 0xA0;
        case Qt::Key_Control:
            return 0xA2;
        case Qt::Key_Alt:
            return 0xA4;
        case Qt::Key_AltGr:
            return 0xA5;
        case Qt::Key_Meta:
        case Qt::Key_Super_L:
            return 0x5B;
        case Qt::Key_Super_R:
            return 0x5C;
        case Qt::Key_CapsLock:
            return 0x14;
        case Qt::Key_NumLock:
            return 0x90;
        case Qt::Key_ScrollLock:
            return 0x91;
        case Qt::Key_Menu:
            return 0x5D;
        case Qt::Key_Help:
            return 0x2F;
        case Qt::Key_Select:
            return 0x29;
        case Qt::Key_Execute:
            return 0x2B;
        case Qt::Key_Sleep:
            return 0x5F;
        case Qt::Key_Back:
            return 0xA6;
        case Qt::Key_Forward:
            return 0xA7;
        case Qt::Key_Refresh:
            return 0xA8;
        case Qt::Key_Stop:
            return 0xA9;
        case Qt::Key_Search:
            return 0xAA;
        case Qt::Key_Favorites:
            return 0xAB;
        case Qt::Key_HomePage:
            return 0xAC;
        case Qt::Key_VolumeMute:
            return 0xAD;
        case Qt::Key_VolumeDown:
            return 0xAE;
        case Qt::Key_VolumeUp:
            return 0xAF;
        case Qt::Key_MediaNext:
            return 0xB0;
        case Qt::Key_MediaPrevious:
            return 0xB1;
        case Qt::Key_MediaStop:
            return 0xB2;
        case Qt::Key_MediaPlay:
        case Qt::Key_MediaPause:
        case Qt::Key_MediaTogglePlayPause:
            return 0xB3;
        case Qt::Key_LaunchMail:
            return 0xB4;
        case Qt::Key_LaunchMedia:
            return 0xB5;
        case Qt::Key_Calculator:
            return 0xB7;
        default:
            return 0;
    }
}

}  // namespace

uint8_t VirtualKeyOf(const NativeKey& key) {
    if (uint8_t vk = Find(kKeysyms, key.Keysym))
        return vk;
    // Function keys F1..F24 (F25 and above have no code).
    if (key.Keysym >= 0xffbe && key.Keysym <= 0xffbe + 23)
        return uint8_t(0x70 + (key.Keysym - 0xffbe));
    // Letters follow the layout, as the key caps do.
    if (key.Keysym >= 'a' && key.Keysym <= 'z')
        return uint8_t(key.Keysym - 'a' + 'A');
    if (key.Keysym >= 'A' && key.Keysym <= 'Z')
        return uint8_t(key.Keysym);
    if (key.ScanCode > kScanCodeOffset) {
        if (uint8_t vk = Find(kPositions, key.ScanCode - kScanCodeOffset))
            return vk;
    }
    if (key.Keysym > 0 && key.Keysym < 0x7f) {
        if (uint8_t vk = FromAscii(key.Keysym))
            return vk;
    }
    return FromQtKey(key.QtKey, key.Modifiers);
}

uint8_t VirtualKeyOf(const QKeyEvent& event) {
    return VirtualKeyOf(NativeKey{event.key(), event.modifiers(), event.nativeVirtualKey(),
                                  event.nativeScanCode()});
}

}  // namespace velmaro
