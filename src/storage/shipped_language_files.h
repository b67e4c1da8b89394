// The two language files that come with the program. Their texts are kept as
// readable sources in assets/lang/ and turned into the program's own file
// format when the program is built; the bytes below are what the first start
// writes into a data folder that has no language files yet.
#pragma once

#include <array>
#include <string_view>

namespace velmaro {

enum class ShippedLanguage { English, Chinese };

inline constexpr std::array<ShippedLanguage, 2> kShippedLanguages = {ShippedLanguage::English,
                                                                     ShippedLanguage::Chinese};

// The file's name in the config folder: the code "EN" selects the English
// file, every other code the Chinese one.
constexpr std::string_view ShippedLanguageFileName(ShippedLanguage language) {
    return language == ShippedLanguage::English ? "Lan_EN.txt" : "Lan.txt";
}

// The whole file as shipped: UTF-16LE with byte order mark, "[Setting]" on
// the first line, then one "number=text" line per entry, lines ended by "\n".
std::string_view ShippedLanguageFile(ShippedLanguage language);

}  // namespace velmaro
