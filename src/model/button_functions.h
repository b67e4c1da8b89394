// What a mouse button can do: the three KeyValue bytes of every kind of
// function, the fixed lists the button page offers, and the helpers that give
// a choice its display name and bytes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/language_table.h"
#include "model/profile_record.h"  // KeyValue

namespace velmaro {

// KeyValue byte 0: the kind of function. Bytes 1 and 2 are its parameters.
inline constexpr uint8_t kCategoryNone = 0x00;
inline constexpr uint8_t kCategoryMouseButton = 0x10;    // byte 1: button mask
inline constexpr uint8_t kCategoryFireKey = 0x30;        // bytes 1, 2: the two numbers
inline constexpr uint8_t kCategoryDpiFunction = 0x40;    // byte 1: function 1, 2 or 3
inline constexpr uint8_t kCategoryDpiLock = 0x50;        // byte 1: lock step 1..11
inline constexpr uint8_t kCategoryMouseFunction = 0x60;  // byte 1: 4
inline constexpr uint8_t kCategoryKey = 0x70;            // byte 1: modifiers, byte 2: usage
inline constexpr uint8_t kCategoryConsumer = 0x80;       // bytes 1, 2: usage, low byte first
inline constexpr uint8_t kCategoryMacro = 0x90;          // filled in by the macro upload

// Byte 1 of a mouse button function: the bits of the boot mouse report.
inline constexpr uint8_t kMouseLeft = 0x01;
inline constexpr uint8_t kMouseRight = 0x02;
inline constexpr uint8_t kMouseMiddle = 0x04;
inline constexpr uint8_t kMouseFourth = 0x08;
inline constexpr uint8_t kMouseFifth = 0x10;

// Byte 1 of a key function: the left-hand modifier bits of the keyboard report.
inline constexpr uint8_t kModifierCtrl = 0x01;
inline constexpr uint8_t kModifierShift = 0x02;
inline constexpr uint8_t kModifierAlt = 0x04;
inline constexpr uint8_t kModifierWin = 0x08;

inline constexpr KeyValue kNoFunction{kCategoryNone, 0, 0};

// LanguageTable entries that name functions built by rule.
inline constexpr uint16_t kTextFireKey = 26;     // fire key dialog result
inline constexpr uint16_t kTextNoFunction = 34;  // disabled button
inline constexpr uint16_t kTextDpiLock = 36;     // followed by "-" and the DPI
inline constexpr uint16_t kTextMacro = 190;      // followed by the macro's name

// Fire key numbers: byte 1 is 5..255, byte 2 is 0..255.
inline constexpr int kFireKeyFirstMin = 5;
inline constexpr int kFireKeyFirstDefault = 50;
inline constexpr int kFireKeySecondDefault = 0;

// One entry of a fixed list: the LanguageTable entry that names it and its bytes.
struct FixedFunction {
    uint16_t NameEntry;
    KeyValue Value;
};

// What a button-function menu entry does when chosen.
enum class MenuOpens : uint8_t {
    Nothing,  // a direct choice: the entry's own name and bytes
    DpiFunctionList,
    FireKeyDialog,
    MacroSelection,
    KeyCombinationDialog,
    MultimediaList,
    OfficeList,
    WindowsList,
    DpiLockList,
};

struct ButtonMenuEntry {
    uint16_t NameEntry;
    MenuOpens Opens;
    KeyValue Value;  // meaningful only when Opens is Nothing
};

// The menu shown when a button's assignment field is clicked, top to bottom
// (index 0 is menu entry 1).
inline constexpr std::array<ButtonMenuEntry, 16> kButtonFunctionMenu{{
    {20, MenuOpens::Nothing, {kCategoryMouseButton, kMouseLeft, 0}},
    {21, MenuOpens::Nothing, {kCategoryMouseButton, kMouseRight, 0}},
    {22, MenuOpens::Nothing, {kCategoryMouseButton, kMouseMiddle, 0}},
    {23, MenuOpens::Nothing, {kCategoryMouseButton, kMouseFifth, 0}},
    {24, MenuOpens::Nothing, {kCategoryMouseButton, kMouseFourth, 0}},
    {25, MenuOpens::DpiFunctionList, kNoFunction},
    {26, MenuOpens::FireKeyDialog, kNoFunction},
    {27, MenuOpens::Nothing, {kCategoryFireKey, 50, 3}},
    {28, MenuOpens::MacroSelection, kNoFunction},
    {29, MenuOpens::KeyCombinationDialog, kNoFunction},
    {30, MenuOpens::MultimediaList, kNoFunction},
    {31, MenuOpens::OfficeList, kNoFunction},
    {32, MenuOpens::WindowsList, kNoFunction},
    {33, MenuOpens::Nothing, {kCategoryMouseFunction, 4, 0}},
    {36, MenuOpens::DpiLockList, kNoFunction},
    {34, MenuOpens::Nothing, kNoFunction},
}};

inline constexpr std::array<FixedFunction, 3> kDpiFunctionList{{
    {40, {kCategoryDpiFunction, 2, 0}},
    {41, {kCategoryDpiFunction, 3, 0}},
    {42, {kCategoryDpiFunction, 1, 0}},
}};

// DPI lock entries 1..11; byte 1 is the entry number, not a DPI value.
struct DpiLockEntry {
    std::u16string_view Label;
    KeyValue Value;
};

inline constexpr std::array<DpiLockEntry, 11> kDpiLockList{{
    {u"200", {kCategoryDpiLock, 1, 0}},
    {u"300", {kCategoryDpiLock, 2, 0}},
    {u"400", {kCategoryDpiLock, 3, 0}},
    {u"500", {kCategoryDpiLock, 4, 0}},
    {u"600", {kCategoryDpiLock, 5, 0}},
    {u"700", {kCategoryDpiLock, 6, 0}},
    {u"800", {kCategoryDpiLock, 7, 0}},
    {u"900", {kCategoryDpiLock, 8, 0}},
    {u"1000", {kCategoryDpiLock, 9, 0}},
    {u"1100", {kCategoryDpiLock, 10, 0}},
    {u"1200", {kCategoryDpiLock, 11, 0}},
}};

// Consumer control usages, low byte first.
inline constexpr std::array<FixedFunction, 10> kMultimediaList{{
    {45, {kCategoryConsumer, 0x83, 0x01}},  // media player
    {46, {kCategoryConsumer, 0xB6, 0x00}},  // previous track
    {47, {kCategoryConsumer, 0xB5, 0x00}},  // next track
    {48, {kCategoryConsumer, 0xB7, 0x00}},  // stop
    {49, {kCategoryConsumer, 0xCD, 0x00}},  // play/pause
    {50, {kCategoryConsumer, 0xE2, 0x00}},  // mute
    {51, {kCategoryConsumer, 0xE9, 0x00}},  // volume up
    {52, {kCategoryConsumer, 0xEA, 0x00}},  // volume down
    {53, {kCategoryConsumer, 0x8A, 0x01}},  // email
    {54, {kCategoryConsumer, 0x92, 0x01}},  // calculator
}};

inline constexpr std::array<FixedFunction, 9> kOfficeList{{
    {60, {kCategoryKey, kModifierCtrl, 0x06}},  // Ctrl+C
    {61, {kCategoryKey, kModifierCtrl, 0x19}},  // Ctrl+V
    {62, {kCategoryKey, kModifierCtrl, 0x1B}},  // Ctrl+X
    {63, {kCategoryKey, kModifierCtrl, 0x04}},  // Ctrl+A
    {64, {kCategoryKey, kModifierCtrl, 0x11}},  // Ctrl+N
    {65, {kCategoryKey, kModifierCtrl, 0x16}},  // Ctrl+S
    {66, {kCategoryKey, kModifierCtrl, 0x13}},  // Ctrl+P
    {67, {kCategoryKey, kModifierWin, 0x08}},   // Win+E
    {68, {kCategoryKey, kModifierCtrl, 0x1D}},  // Ctrl+Z
}};

inline constexpr std::array<FixedFunction, 6> kWindowsList{{
    {75, {kCategoryConsumer, 0x94, 0x01}},     // file browser
    {76, {kCategoryKey, kModifierAlt, 0x3D}},  // Alt+F4
    {77, {kCategoryKey, kModifierWin, 0x07}},  // Win+D
    {78, {kCategoryKey, kModifierWin, 0x15}},  // Win+R
    {79, {kCategoryKey, kModifierWin, 0x51}},  // Win+Down Arrow
    {80, {kCategoryKey, kModifierWin, 0x52}},  // Win+Up Arrow
}};

// A function ready to be stored on a button: its display name and bytes.
struct ButtonChoice {
    std::u16string Name;
    KeyValue Value{};

    friend bool operator==(const ButtonChoice&, const ButtonChoice&) = default;
};

// An entry of one of the fixed lists.
ButtonChoice FixedChoice(const LanguageTable& language, const FixedFunction& entry);

// A menu entry chosen directly; none for an entry that opens a list or dialog.
std::optional<ButtonChoice> MenuChoice(const LanguageTable& language, const ButtonMenuEntry& entry);

// DPI lock entry 1..11 (200..1200 DPI); none outside that range.
std::optional<ButtonChoice> DpiLockChoice(const LanguageTable& language, int entry);

// Fire key dialog result; none when first is outside 5..255 or second outside 0..255.
std::optional<ButtonChoice> FireKeyChoice(const LanguageTable& language, int first, int second);

// Macro selection: the library item's name, or none when no macro was chosen
// (the button is then disabled). Bytes 1 and 2 stay 0 until the macro upload
// fills them in.
ButtonChoice MacroChoice(const LanguageTable& language,
                         std::optional<std::u16string_view> item_name);

// Modifier boxes of the key combination dialog.
struct KeyModifiers {
    bool Ctrl = false;
    bool Shift = false;
    bool Alt = false;
    bool Win = false;
};

// Windows keys and left/right Shift, Ctrl, Alt: a combination never takes
// them as its key, so a modifier alone is only expressed by its tick.
bool IsIgnoredCombinationKey(uint8_t code);

// Name and bytes of a key combination: the ticked modifiers (unless
// `no_modifier`) then the key's name, run together ("Ctrl+Alt+F5" ->
// 70 05 3E). Without a key the trailing "+" goes ("Shift" -> 70 02 00). An
// ignored key counts as no key. Gives none when the name would be empty.
std::optional<ButtonChoice> EncodeKeyCombination(std::optional<uint8_t> code, KeyModifiers ticks,
                                                 bool no_modifier);

// What the key combination dialog has captured so far: the last key pressed
// that is not an ignored one.
class KeyCombinationCapture {
  public:
    // Takes the key and returns true, or ignores it and returns false.
    bool Press(uint8_t code);
    void Clear() { code_.reset(); }

    std::optional<uint8_t> Code() const { return code_; }
    // The captured key's name, empty when none.
    std::u16string_view KeyText() const;
    // The captured key's usage, 0 when none.
    uint8_t Usage() const;

    std::optional<ButtonChoice> Encode(KeyModifiers ticks, bool no_modifier) const {
        return EncodeKeyCombination(code_, ticks, no_modifier);
    }

  private:
    std::optional<uint8_t> code_;
};

}  // namespace velmaro
