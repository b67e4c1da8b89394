#include "model/key_tables.h"

#include <array>
#include <utility>

namespace velmaro {

namespace {

struct NamedKey {
    uint8_t code;
    std::u16string_view name;
};

// Every named code; the rest read "Undefined". 0xE0..0xE7 are not keyboard
// keys: they name the mouse actions of macros.
// clang-format off
constexpr NamedKey kNamedKeys[] = {
    {0x01, u"LBUTTON"}, {0x02, u"RBUTTON"}, {0x03, u"CANCEL"}, {0x04, u"MBUTTON"},
    {0x05, u"XBUTTON1"}, {0x06, u"XBUTTON2"}, {0x08, u"Backspace"}, {0x09, u"Tab"},
    {0x0C, u"Clear"}, {0x0D, u"Enter"}, {0x10, u"Shift"}, {0x11, u"Ctrl"},
    {0x12, u"Alt"}, {0x13, u"Pause"}, {0x14, u"CapsLock"}, {0x15, u"Kana"},
    {0x17, u"junja"}, {0x18, u"Final"}, {0x19, u"Hanja"}, {0x1B, u"Esc"},
    {0x1C, u"Convert"}, {0x1D, u"Nonconvert"}, {0x1E, u"Accept"}, {0x1F, u"ModeChange"},
    {0x20, u"Space"}, {0x21, u"Page Up"}, {0x22, u"Page Down"}, {0x23, u"End"},
    {0x24, u"Home"}, {0x25, u"Left Arrow"}, {0x26, u"Up Arrow"}, {0x27, u"Right Arrow"},
    {0x28, u"Down Arrow"}, {0x29, u"Select"}, {0x2A, u"Print"}, {0x2B, u"Execute"},
    {0x2C, u"Print Screen"}, {0x2D, u"Ins"}, {0x2E, u"Del"}, {0x2F, u"Help"},
    {0x30, u"0"}, {0x31, u"1"}, {0x32, u"2"}, {0x33, u"3"},
    {0x34, u"4"}, {0x35, u"5"}, {0x36, u"6"}, {0x37, u"7"},
    {0x38, u"8"}, {0x39, u"9"}, {0x41, u"A"}, {0x42, u"B"},
    {0x43, u"C"}, {0x44, u"D"}, {0x45, u"E"}, {0x46, u"F"},
    {0x47, u"G"}, {0x48, u"H"}, {0x49, u"I"}, {0x4A, u"J"},
    {0x4B, u"K"}, {0x4C, u"L"}, {0x4D, u"M"}, {0x4E, u"N"},
    {0x4F, u"O"}, {0x50, u"P"}, {0x51, u"Q"}, {0x52, u"R"},
    {0x53, u"S"}, {0x54, u"T"}, {0x55, u"U"}, {0x56, u"V"},
    {0x57, u"W"}, {0x58, u"X"}, {0x59, u"Y"}, {0x5A, u"Z"},
    {0x5B, u"Win_L"}, {0x5C, u"Win_R"}, {0x5D, u"App"}, {0x5F, u"Sleep"},
    {0x60, u"Num0"}, {0x61, u"Num1"}, {0x62, u"Num2"}, {0x63, u"Num3"},
    {0x64, u"Num4"}, {0x65, u"Num5"}, {0x66, u"Num6"}, {0x67, u"Num7"},
    {0x68, u"Num8"}, {0x69, u"Num9"}, {0x6A, u"Multiply"}, {0x6B, u"Add"},
    {0x6C, u"Separator"}, {0x6D, u"Subtract"}, {0x6E, u"Decimal"}, {0x6F, u"Divide"},
    {0x70, u"F1"}, {0x71, u"F2"}, {0x72, u"F3"}, {0x73, u"F4"},
    {0x74, u"F5"}, {0x75, u"F6"}, {0x76, u"F7"}, {0x77, u"F8"},
    {0x78, u"F9"}, {0x79, u"F10"}, {0x7A, u"F11"}, {0x7B, u"F12"},
    {0x7C, u"F13"}, {0x7D, u"F14"}, {0x7E, u"F15"}, {0x7F, u"F16"},
    {0x80, u"F17"}, {0x81, u"F18"}, {0x82, u"F19"}, {0x83, u"F20"},
    {0x84, u"F21"}, {0x85, u"F22"}, {0x86, u"F23"}, {0x87, u"F24"},
    {0x90, u"Num Lock"}, {0x91, u"Scroll Lock"}, {0xA0, u"Shift_L"}, {0xA1, u"Shift_R"},
    {0xA2, u"Ctrl_L"}, {0xA3, u"Ctrl_R"}, {0xA4, u"Alt_L"}, {0xA5, u"Alt_R"},
    {0xBA, u";"}, {0xBB, u"="}, {0xBC, u","}, {0xBD, u"-"},
    {0xBE, u"."}, {0xBF, u"/"}, {0xC0, u"~"}, {0xDB, u"["},
    {0xDC, u"\\"}, {0xDD, u"]"}, {0xDE, u"'"}, {0xE0, u"L Key"},
    {0xE1, u"R Key"}, {0xE2, u"M Key"}, {0xE3, u"K4"}, {0xE4, u"K5"},
    {0xE5, u"Mouse X"}, {0xE6, u"Mouse Y"}, {0xE7, u"Mouse Wheel"},
};
// clang-format on

constexpr std::array<std::u16string_view, 256> MakeNameTable() {
    std::array<std::u16string_view, 256> table{};
    table.fill(kUndefinedKeyName);
    for (const NamedKey& k : kNamedKeys)
        table[k.code] = k.name;
    return table;
}

// Usages that do not follow from a run of codes. Some look odd (0x0E and 0x3B
// have no key name of their own, 0xF0..0xFB are OEM codes) but key
// combinations already stored in profiles carry them, so they stand.
constexpr std::pair<uint8_t, uint8_t> kSingleUsages[] = {
    {0x08, 0x2A}, {0x09, 0x2B}, {0x0D, 0x28}, {0x0E, 0x58}, {0x13, 0x48}, {0x14, 0x39},
    {0x1B, 0x29}, {0x20, 0x2C}, {0x21, 0x4B}, {0x22, 0x4E}, {0x23, 0x4D}, {0x24, 0x4A},
    {0x25, 0x50}, {0x26, 0x52}, {0x27, 0x4F}, {0x28, 0x51}, {0x2C, 0x46}, {0x2D, 0x49},
    {0x2E, 0x4C}, {0x3B, 0x29}, {0x5D, 0x65}, {0x5F, 0x82}, {0x6A, 0x55}, {0x6B, 0x57},
    {0x6D, 0x56}, {0x6E, 0x63}, {0x6F, 0x54}, {0x90, 0x53}, {0x91, 0x47}, {0xBA, 0x33},
    {0xBB, 0x2E}, {0xBC, 0x36}, {0xBD, 0x2D}, {0xBE, 0x37}, {0xBF, 0x38}, {0xC0, 0x35},
    {0xDB, 0x2F}, {0xDC, 0x31}, {0xDD, 0x30}, {0xDE, 0x34}, {0xF0, 0x81}, {0xF1, 0x83},
    {0xF2, 0x32}, {0xF3, 0x64}, {0xF4, 0x85}, {0xF5, 0x87}, {0xF6, 0x88}, {0xF7, 0x89},
    {0xF8, 0x8A}, {0xF9, 0x8B}, {0xFA, 0x90}, {0xFB, 0x91},
};

constexpr std::array<uint8_t, 256> MakeUsageTable() {
    std::array<uint8_t, 256> table{};
    auto run = [&table](int first_code, int last_code, int first_usage) {
        for (int c = first_code; c <= last_code; ++c)
            table[c] = static_cast<uint8_t>(first_usage + (c - first_code));
    };
    run(0x41, 0x5A, 0x04);  // A..Z
    run(0x31, 0x39, 0x1E);  // 1..9; 0 comes after 9 on the usage page
    run(0x30, 0x30, 0x27);
    run(0x70, 0x7B, 0x3A);  // F1..F12; F13..F24 have none
    run(0x60, 0x60, 0x62);  // keypad 0
    run(0x61, 0x69, 0x59);  // keypad 1..9
    run(0xE0, 0xE7, 0xF0);  // mouse actions of macros
    for (const auto& [code, usage] : kSingleUsages)
        table[code] = usage;
    return table;
}

constexpr auto kNames = MakeNameTable();
constexpr auto kUsages = MakeUsageTable();

constexpr char16_t AsciiLower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

}  // namespace

std::u16string_view KeyNameOf(uint8_t code) {
    return kNames[code];
}

uint8_t KeyUsageOf(uint8_t code) {
    return kUsages[code];
}

bool IsKeyboardKey(uint8_t code) {
    return kUsages[code] != 0 && (code < 0xE0 || code > 0xE7);
}

std::optional<uint8_t> KeyCodeFromName(std::u16string_view name) {
    for (const NamedKey& k : kNamedKeys) {
        if (EqualsIgnoringAsciiCase(k.name, name))
            return k.code;
    }
    return std::nullopt;
}

}  // namespace velmaro
