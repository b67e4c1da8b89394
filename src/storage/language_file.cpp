#include "storage/language_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "storage/shipped_language_files.h"
#include "storage/stdio_file_ex.h"

namespace velmaro {

namespace {

constexpr std::u16string_view kChooserHeader = u"[ChangeLanguage]";
constexpr std::u16string_view kLanguageHeader = u"[Setting]";
constexpr std::u16string_view kChineseName = u"中文";

std::u16string ConfigPath(const std::u16string& data_folder, std::u16string_view name) {
    std::u16string path = data_folder;
    if (!path.empty() && path.back() != u'/')
        path += u'/';
    path += u"config/";
    path += name;
    return path;
}

// Position of the first "=" when it has at least one unit before it and at
// least one after it; npos otherwise.
size_t SplitPosition(std::u16string_view line) {
    const size_t p = line.find(u'=');
    if (p == std::u16string_view::npos || p < 1 || p + 1 >= line.size())
        return std::u16string_view::npos;
    return p;
}

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

// The entry number before the "=", read the way the files read decimals
// (leading blanks and a sign, up to the first non-digit). -1 when there is
// no digit at all or the number is not one of the table's entries: such a
// line must never reach the table.
long EntryNumber(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i >= text.size() || text[i] < u'0' || text[i] > u'9')
        return -1;
    long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value >= static_cast<long>(kLanguageEntries))
            return -1;
    }
    if (negative && value != 0)
        return -1;
    return value;
}

// The program's own entries (300 and up) came after the original files: a
// language file written by an earlier version lacks those added since, and
// they come from the file of the same name that comes with the program. The
// entries a file holds stay as they are.
constexpr long kOwnEntriesFrom = 300;
void FillFromShipped(LanguageTable& table, std::u16string_view file_name) {
    for (const ShippedLanguage language : kShippedLanguages) {
        const std::string_view name = ShippedLanguageFileName(language);
        if (!std::equal(name.begin(), name.end(), file_name.begin(), file_name.end()))
            continue;
        // UTF-16LE after the byte order mark, lines ended by "\n".
        const std::string_view bytes = ShippedLanguageFile(language);
        std::u16string text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) |
                                          static_cast<uint8_t>(bytes[i + 1]) << 8);
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find(u'\n', start);
            if (end == std::u16string::npos)
                end = text.size();
            const std::u16string_view line = std::u16string_view(text).substr(start, end - start);
            start = end + 1;
            const size_t p = SplitPosition(line);
            if (p == std::u16string_view::npos)
                continue;
            const long number = EntryNumber(line.substr(0, p));
            if (number < kOwnEntriesFrom)
                continue;
            std::u16string& entry = table.Entries[static_cast<size_t>(number)];
            if (entry.empty())
                entry = line.substr(p + 1);
        }
    }
}

}  // namespace

std::u16string ReadLanguageCode(const std::u16string& data_folder, FileSystem& fs) {
    CStdioFileEx file(fs);
    if (!file.Open(ConfigPath(data_folder, u"LanSetting.ini"), CStdioFileEx::Mode::Read))
        return {};
    std::u16string line;
    file.ReadString(line);
    if (line != kChooserHeader)
        return line;
    file.ReadString(line);
    const size_t p = SplitPosition(line);
    return p == std::u16string::npos ? line : line.substr(p + 1);
}

std::u16string_view LanguageFileNameFor(std::u16string_view code) {
    return code == u"EN" ? u"Lan_EN.txt" : u"Lan.txt";
}

UiFont ChooseUiFont(const LanguageTable& table, double ui_scale) {
    // The scale is 1.0, 1.5 or 2.0; anything unusable must not become a
    // nonsense (or undefined) font height.
    if (!std::isfinite(ui_scale) || ui_scale <= 0.0 || ui_scale > 16.0)
        ui_scale = 1.0;
    if (table.Entries[0] == kChineseName)
        return UiFont{u"宋体", static_cast<int>(12 * ui_scale), 134};
    return UiFont{u"Tahoma", static_cast<int>(16 * ui_scale), 1};
}

bool ReadLanguageFile(const std::u16string& path, LanguageTable& table, double ui_scale,
                      FileSystem& fs) {
    table = LanguageTable{};
    CStdioFileEx file(fs);
    if (!file.Open(path, CStdioFileEx::Mode::Read))
        return false;
    std::u16string line;
    if (!file.ReadString(line) || line != kLanguageHeader)
        return false;
    while (file.ReadString(line)) {
        const size_t p = SplitPosition(line);
        if (p == std::u16string::npos)
            return false;
        const long number = EntryNumber(std::u16string_view(line).substr(0, p));
        if (number < 0)
            continue;
        table.Entries[static_cast<size_t>(number)] = line.substr(p + 1);
    }
    table.Font = ChooseUiFont(table, ui_scale);
    return true;
}

bool LoadLanguage(const std::u16string& data_folder, LanguageTable& table, double ui_scale,
                  FileSystem& fs) {
    const std::u16string code = ReadLanguageCode(data_folder, fs);
    const std::u16string_view name = LanguageFileNameFor(code);
    if (!ReadLanguageFile(ConfigPath(data_folder, name), table, ui_scale, fs))
        return false;
    FillFromShipped(table, name);
    return true;
}

}  // namespace velmaro
