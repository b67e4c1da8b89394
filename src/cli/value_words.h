// The words values are written in on velmaroctl's command line: what `set`
// takes after "=" and what `show` prints, so one can be fed to the other.
// Parsers accept friendly spellings (any case, on/yes/true, colour names,
// key aliases); formatters give the one canonical word.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmaro::cli {

// on/off, yes/no, true/false, 1/0, in any case.
std::optional<bool> ParseSwitchWord(std::string_view text);
std::string SwitchWord(bool on);  // "on" or "off"

struct ColorName {
    std::string_view Name;
    uint32_t Rgb;  // 0xRRGGBB
};
std::span<const ColorName> ColorNames();

// "#RRGGBB", "RRGGBB" or a colour name, as the program stores colours
// (0x00BBGGRR).
std::optional<uint32_t> ParseColorWord(std::string_view text);
// 0x00BBGGRR as "#RRGGBB", upper case.
std::string ColorWord(uint32_t color);

// The lighting modes by name ("wave", "colour-cycle"), in any case and with
// or without "-", or by number 0..9.
std::optional<int> ParseLightingModeWord(std::string_view text);
// The name of mode 0..9; empty outside.
std::string_view LightingModeWord(int mode);

// Key names for key combinations: every named key, whether or not the mouse
// can send it (the caller refuses those it cannot).
std::optional<uint8_t> ParseKeyWord(std::string_view text);
// The canonical word of a named key: its name in lower case without spaces,
// punctuation spelled out ("comma"), so it needs no quoting in a shell.
std::string KeyWord(uint8_t code);

// Every key a key combination can send, in code order.
struct KeyboardKey {
    uint8_t Code;
    std::string Word;
    std::string Name;  // as the key combination shows it
};
const std::vector<KeyboardKey>& KeyboardKeys();
// Other spellings the key names take ("escape", "pgup").
struct KeyAlias {
    std::string_view Alias;
    uint8_t Code;
};
std::span<const KeyAlias> KeyAliases();

// The modifier words of key combinations, with their other spellings.
struct ModifierWord {
    std::string_view Word;
    uint8_t Bit;  // kModifierCtrl ...
};
std::span<const ModifierWord> ModifierWords();
std::optional<uint8_t> ParseModifierWord(std::string_view text);

}  // namespace velmaro::cli
