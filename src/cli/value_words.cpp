#include "cli/value_words.h"

#include <array>

#include "cli/values.h"
#include "model/button_functions.h"
#include "model/key_tables.h"
#include "model/text.h"

namespace velmaro::cli {

namespace {

constexpr std::array<ColorName, 11> kColorNames{{
    {"black", 0x000000},
    {"white", 0xFFFFFF},
    {"red", 0xFF0000},
    {"green", 0x00FF00},
    {"blue", 0x0000FF},
    {"yellow", 0xFFFF00},
    {"cyan", 0x00FFFF},
    {"magenta", 0xFF00FF},
    {"orange", 0xFF8000},
    {"purple", 0x8000FF},
    {"pink", 0xFF80C0},
}};

// Mode 4 is spelt both ways; the first is the one printed.
constexpr std::array<std::string_view, 10> kLightingModeWords{
    "off",  "wave",   "breathing", "static",  "colour-cycle",
    "neon", "custom", "two-tone",  "flicker", "marquee",
};

// Words for keys whose lower-case name would be punctuation or long.
constexpr std::array<KeyAlias, 18> kCanonicalWords{{
    {"escape", 0x1B},
    {"insert", 0x2D},
    {"delete", 0x2E},
    {"left", 0x25},
    {"up", 0x26},
    {"right", 0x27},
    {"down", 0x28},
    {"semicolon", 0xBA},
    {"equal", 0xBB},
    {"comma", 0xBC},
    {"minus", 0xBD},
    {"period", 0xBE},
    {"slash", 0xBF},
    {"grave", 0xC0},
    {"leftbracket", 0xDB},
    {"backslash", 0xDC},
    {"rightbracket", 0xDD},
    {"quote", 0xDE},
}};

constexpr std::array<KeyAlias, 16> kKeyAliases{{
    {"esc", 0x1B},
    {"del", 0x2E},
    {"ins", 0x2D},
    {"pgup", 0x21},
    {"pgdn", 0x22},
    {"return", 0x0D},
    {"bksp", 0x08},
    {"spacebar", 0x20},
    {"prtsc", 0x2C},
    {"menu", 0x5D},
    {"leftarrow", 0x25},
    {"uparrow", 0x26},
    {"rightarrow", 0x27},
    {"downarrow", 0x28},
    {"tilde", 0xC0},
    {"apostrophe", 0xDE},
}};

constexpr std::array<ModifierWord, 7> kModifierWords{{
    {"ctrl", kModifierCtrl},
    {"shift", kModifierShift},
    {"alt", kModifierAlt},
    {"win", kModifierWin},
    {"control", kModifierCtrl},
    {"super", kModifierWin},
    {"meta", kModifierWin},
}};

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Lower case without "-", "_" and spaces, for comparing mode names.
std::string Folded(std::string_view text) {
    std::string folded;
    for (char c : text) {
        if (c != '-' && c != '_' && c != ' ')
            folded += AsciiLower(c);
    }
    return folded;
}

}  // namespace

std::optional<bool> ParseSwitchWord(std::string_view text) {
    for (std::string_view on : {"on", "yes", "true", "1"}) {
        if (EqualsIgnoringAsciiCase(text, on))
            return true;
    }
    for (std::string_view off : {"off", "no", "false", "0"}) {
        if (EqualsIgnoringAsciiCase(text, off))
            return false;
    }
    return std::nullopt;
}

std::string SwitchWord(bool on) {
    return on ? "on" : "off";
}

std::span<const ColorName> ColorNames() {
    return kColorNames;
}

std::optional<uint32_t> ParseColorWord(std::string_view text) {
    for (const ColorName& c : kColorNames) {
        if (EqualsIgnoringAsciiCase(text, c.Name))
            return ((c.Rgb >> 16) & 0xFF) | (c.Rgb & 0xFF00) | ((c.Rgb & 0xFF) << 16);
    }
    if (text.starts_with('#'))
        text.remove_prefix(1);
    return ParseRgbColor(text);
}

std::string ColorWord(uint32_t color) {
    return "#" + FormatRgbColor(color);
}

std::optional<int> ParseLightingModeWord(std::string_view text) {
    if (const auto n = ParseInteger(text))
        return *n >= 0 && *n < static_cast<int64_t>(kLightingModeWords.size())
                   ? std::optional(static_cast<int>(*n))
                   : std::nullopt;
    const std::string folded = Folded(text);
    if (folded == "colorcycle")
        return 4;
    for (size_t m = 0; m < kLightingModeWords.size(); ++m) {
        if (Folded(kLightingModeWords[m]) == folded)
            return static_cast<int>(m);
    }
    return std::nullopt;
}

std::string_view LightingModeWord(int mode) {
    return mode >= 0 && mode < static_cast<int>(kLightingModeWords.size())
               ? kLightingModeWords[static_cast<size_t>(mode)]
               : std::string_view();
}

std::string KeyWord(uint8_t code) {
    for (const KeyAlias& w : kCanonicalWords) {
        if (w.Code == code)
            return std::string(w.Alias);
    }
    std::string word;
    for (char c : ToUtf8(KeyNameOf(code))) {
        if (c != ' ')
            word += AsciiLower(c);
    }
    return word;
}

std::optional<uint8_t> ParseKeyWord(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    for (const KeyAlias& w : kCanonicalWords) {
        if (EqualsIgnoringAsciiCase(text, w.Alias))
            return w.Code;
    }
    for (const KeyAlias& w : kKeyAliases) {
        if (EqualsIgnoringAsciiCase(text, w.Alias))
            return w.Code;
    }
    if (const auto code = KeyCodeFromName(ToU16(text)))
        return code;
    // The name without its spaces: "pageup", "printscreen".
    for (int code = 1; code < 256; ++code) {
        const auto c = static_cast<uint8_t>(code);
        if (KeyNameOf(c) != kUndefinedKeyName && EqualsIgnoringAsciiCase(text, KeyWord(c)))
            return c;
    }
    return std::nullopt;
}

const std::vector<KeyboardKey>& KeyboardKeys() {
    static const std::vector<KeyboardKey> keys = [] {
        std::vector<KeyboardKey> list;
        for (int code = 1; code < 256; ++code) {
            const auto c = static_cast<uint8_t>(code);
            if (KeyNameOf(c) != kUndefinedKeyName && IsKeyboardKey(c) &&
                !IsIgnoredCombinationKey(c) && c != 0x10 && c != 0x11 && c != 0x12)
                list.push_back({c, KeyWord(c), ToUtf8(KeyNameOf(c))});
        }
        return list;
    }();
    return keys;
}

std::span<const KeyAlias> KeyAliases() {
    return kKeyAliases;
}

std::span<const ModifierWord> ModifierWords() {
    return kModifierWords;
}

std::optional<uint8_t> ParseModifierWord(std::string_view text) {
    for (const ModifierWord& m : kModifierWords) {
        if (EqualsIgnoringAsciiCase(text, m.Word))
            return m.Bit;
    }
    return std::nullopt;
}

}  // namespace velmaro::cli
