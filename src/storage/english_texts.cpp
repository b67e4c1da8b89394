#include "storage/english_texts.h"

#include <algorithm>
#include <string_view>

#include "model/text.h"

namespace velmaro {

namespace {

LanguageTable ReadShipped(std::string_view bytes) {
    LanguageTable table;
    // UTF-16LE after a byte order mark; "[Setting]" first, then "n=text".
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text.push_back(char16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
    size_t start = 0;
    bool header = true;
    while (start < text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos)
            end = text.size();
        const std::u16string_view line(text.data() + start, end - start);
        start = end + 1;
        if (header) {
            header = false;
            continue;
        }
        const size_t eq = line.find(u'=');
        if (eq == std::u16string_view::npos || eq == 0)
            continue;
        size_t n = 0;
        for (char16_t c : line.substr(0, eq))
            n = c >= u'0' && c <= u'9' ? std::min(n * 10 + size_t(c - u'0'), kLanguageEntries)
                                       : kLanguageEntries;
        if (n < kLanguageEntries)
            table.Entries[n] = std::u16string(line.substr(eq + 1));
    }
    return table;
}

}  // namespace

const LanguageTable& ShippedTable(ShippedLanguage language) {
    static const LanguageTable english = ReadShipped(ShippedLanguageFile(ShippedLanguage::English));
    static const LanguageTable chinese = ReadShipped(ShippedLanguageFile(ShippedLanguage::Chinese));
    return language == ShippedLanguage::English ? english : chinese;
}

const LanguageTable& ShippedEnglish() {
    return ShippedTable(ShippedLanguage::English);
}

std::string EnglishText(const Reason& reason) {
    return ToUtf8(RenderReason(ShippedEnglish(), reason));
}

}  // namespace velmaro
