// Small strict parsers for values typed on the command line. Unlike the
// lenient conversions of the files, a value must be exactly a number or a
// colour: "12x" is no number here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmaro::cli {

// A decimal integer, optionally negative; nothing else around it.
std::optional<int64_t> ParseInteger(std::string_view text);

// "RRGGBB" (six hexadecimal digits, either case) as the program stores
// colours, 0x00BBGGRR.
std::optional<uint32_t> ParseRgbColor(std::string_view text);
// 0x00BBGGRR as "RRGGBB", upper case.
std::string FormatRgbColor(uint32_t color);

// Bytes as upper-case hexadecimal, two digits each, no separators.
std::string HexBytes(const uint8_t* bytes, size_t count);

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace velmaro::cli
