// The 500 UI texts addressed by number, and the program-wide UI font that the
// chosen language decides. Filled by the language loader at start-up.
#pragma once

#include <array>
#include <string>

namespace velmaro {

inline constexpr size_t kLanguageEntries = 500;

struct UiFont {
    std::u16string Face = u"宋体";
    int Height = 12;
    int CharSet = 134;  // GB2312

    friend bool operator==(const UiFont&, const UiFont&) = default;
};

struct LanguageTable {
    std::array<std::u16string, kLanguageEntries> Entries;
    UiFont Font;

    // Entry n; numbers outside the table read as an empty text.
    const std::u16string& Text(size_t n) const {
        static const std::u16string kEmpty;
        return n < Entries.size() ? Entries[n] : kEmpty;
    }
};

}  // namespace velmaro
