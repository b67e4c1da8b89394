#include "storage/data_folder.h"

#include <cstdlib>

#include "model/text.h"
#include "storage/shipped_language_files.h"

namespace velmaro {

namespace {

bool IsSet(const char* value) {
    return value != nullptr && *value != '\0';
}

// UTF-16LE with byte order mark, as every file of the program.
std::string EncodeTextFile(std::u16string_view text) {
    std::string bytes("\xFF\xFE", 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

// Writes the file only when there is none; a file that appears meanwhile is
// left alone too. True when a file is there afterwards.
bool InstallIfMissing(FileSystem& fs, const std::string& path, std::string_view bytes) {
    if (fs.Exists(path))
        return true;
    return fs.CreateNewFile(path, bytes) || fs.Exists(path);
}

// $XDG_DATA_HOME or ~/.local/share plus `name` and "/"; empty when neither
// gives a folder.
std::u16string DataFolderNamed(const char* xdg_data_home, const char* home,
                               std::u16string_view name) {
    std::string base;
    // Relative values are to be ignored, as the XDG base directory rules say.
    if (IsSet(xdg_data_home) && xdg_data_home[0] == '/') {
        base = xdg_data_home;
    } else if (IsSet(home)) {
        base = home;
        while (!base.empty() && base.back() == '/')
            base.pop_back();
        base += "/.local/share";
    } else {
        return {};
    }
    while (!base.empty() && base.back() == '/')
        base.pop_back();
    std::u16string folder = ToU16(base);
    folder += u'/';
    folder += name;
    folder += u'/';
    return folder;
}

}  // namespace

std::u16string DataFolderFor(const char* xdg_data_home, const char* home) {
    return DataFolderNamed(xdg_data_home, home, kDataFolderName);
}

std::u16string DefaultDataFolder() {
    return DataFolderFor(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::u16string SimulatedDataFolderFor(const char* xdg_data_home, const char* home) {
    return DataFolderNamed(xdg_data_home, home, kSimulatedDataFolderName);
}

std::u16string DefaultSimulatedDataFolder() {
    return SimulatedDataFolderFor(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::string PickLocale(const char* lc_all, const char* lc_messages, const char* lang) {
    for (const char* value : {lc_all, lc_messages, lang}) {
        if (IsSet(value))
            return value;
    }
    return {};
}

std::string UserLocale() {
    return PickLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

bool IsChineseLocale(std::string_view locale) {
    return locale.starts_with("zh");
}

std::u16string_view LanguageCodeForLocale(std::string_view locale) {
    return IsChineseLocale(locale) ? u"CN" : u"EN";
}

bool PrepareDataFolder(const std::u16string& data_folder, std::string_view locale, FileSystem& fs) {
    if (data_folder.empty())
        return false;
    std::string folder = ToUtf8(data_folder);
    if (folder.back() != '/')
        folder += '/';
    const std::string config = folder + "config/";
    if (!fs.CreateDirectories(folder) || !fs.CreateDirectories(config))
        return false;

    bool ok = true;
    for (const ShippedLanguage language : kShippedLanguages) {
        if (!InstallIfMissing(fs, config + std::string(ShippedLanguageFileName(language)),
                              ShippedLanguageFile(language)))
            ok = false;
    }
    std::u16string chooser = u"[ChangeLanguage]\nLanguage=";
    chooser += LanguageCodeForLocale(locale);
    chooser += u'\n';
    if (!InstallIfMissing(fs, config + "LanSetting.ini", EncodeTextFile(chooser)))
        ok = false;
    return ok;
}

}  // namespace velmaro
