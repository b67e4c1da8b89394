// The language choice (config/LanSetting.ini) and the language files
// (config/Lan_EN.txt, config/Lan.txt) that fill the LanguageTable.
//
// LanSetting.ini: "[ChangeLanguage]", then "name=code"; the name is not
// looked at. A file without the header is taken to hold the code itself on
// its first line.
//
// Language file: "[Setting]", then "number=text" lines in any order. A line
// needs a non-empty number and a non-empty text around its first "=", else
// reading stops there: the texts read so far stay and the UI font keeps its
// initial values. Numbers that do not name one of the 500 entries are
// skipped. Only a file read to its end chooses the font from entry 0.
#pragma once

#include <string>
#include <string_view>

#include "model/language_table.h"
#include "storage/file_system.h"

namespace velmaro {

// The code from config/LanSetting.ini below the data folder; empty when the
// file is missing or empty.
std::u16string ReadLanguageCode(const std::u16string& data_folder, FileSystem& fs);

// "Lan_EN.txt" for the code "EN" exactly (case and spaces count), else "Lan.txt".
std::u16string_view LanguageFileNameFor(std::u16string_view code);

// The UI font of a table whose file was read completely: "宋体" 12 x scale,
// GB2312 when entry 0 is "中文", else "Tahoma" 16 x scale, default charset.
// Heights are truncated.
UiFont ChooseUiFont(const LanguageTable& table, double ui_scale);

// Reads one language file into `table`, which starts empty with the initial
// font. True when the whole file was read (the font is then chosen).
bool ReadLanguageFile(const std::u16string& path, LanguageTable& table, double ui_scale,
                      FileSystem& fs);

// Start-up: the code from LanSetting.ini picks the language file in the data
// folder's config/ folder, which fills `table`. True when that file was read
// completely; false leaves what was read before the fault (possibly nothing).
bool LoadLanguage(const std::u16string& data_folder, LanguageTable& table, double ui_scale,
                  FileSystem& fs = DefaultFileSystem());

}  // namespace velmaro
