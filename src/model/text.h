// Text helpers shared by the core. Texts are UTF-16 (std::u16string): lengths,
// "=" positions and comparisons in the program's files are in UTF-16 code units.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velmaro {

// UTF-8 <-> UTF-16 at the edges (terminal, paths, JSON). Malformed input
// becomes U+FFFD rather than an error.
std::u16string ToU16(std::string_view utf8);
std::string ToUtf8(std::u16string_view text);

// Decimal conversion as the files use it: leading white space and a sign are
// accepted, conversion stops at the first non-digit, no number gives 0.
// Saturates at the int32 range.
int32_t ParseDecimal(std::u16string_view text);

// Hexadecimal conversion: leading white space, a sign and a "0x" prefix are
// accepted, conversion stops at the first non-hex digit, no number gives 0.
// Saturates at 0xFFFFFFFF.
uint32_t ParseHex(std::u16string_view text);

// Like ParseHex but only the first `width` code units (fewer when the text is
// shorter) take part: fixed-position pieces of profile lines.
uint32_t ParseHexPiece(std::u16string_view text, size_t pos, size_t width);

std::u16string FormatDecimal(int64_t value);                // "%d" / "%u"
std::u16string FormatHexUpper(uint32_t value, int digits);  // "%.2X", "%.4X"
// "0x%4X": at least four hex digits, padded on the left with spaces.
std::u16string FormatHexSpacePadded(uint32_t value);

}  // namespace velmaro
