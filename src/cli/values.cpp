#include "cli/values.h"

#include <charconv>

namespace velmaro::cli {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::optional<int64_t> ParseInteger(std::string_view text) {
    int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::optional<uint32_t> ParseRgbColor(std::string_view text) {
    if (text.size() != 6)
        return std::nullopt;
    uint32_t rgb = 0;
    for (char c : text) {
        const int d = HexDigit(c);
        if (d < 0)
            return std::nullopt;
        rgb = (rgb << 4) | static_cast<uint32_t>(d);
    }
    const uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return r | (g << 8) | (b << 16);
}

std::string FormatRgbColor(uint32_t color) {
    const uint8_t bytes[3] = {static_cast<uint8_t>(color), static_cast<uint8_t>(color >> 8),
                              static_cast<uint8_t>(color >> 16)};
    return HexBytes(bytes, 3);
}

std::string HexBytes(const uint8_t* bytes, size_t count) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(count * 2);
    for (size_t i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

}  // namespace velmaro::cli
