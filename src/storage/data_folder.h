// The per-user data folder and what the first start puts into it.
//
// The data folder holds config/ with the settings, profile, language and
// macro files. At start the program makes sure both folders exist and that
// the language files and the language choice are there, writing the shipped
// ones where they are missing; a file the user already has is never
// replaced.
#pragma once

#include <string>
#include <string_view>

#include "storage/file_system.h"

namespace velmaro {

inline constexpr std::u16string_view kDataFolderName = u"VelmaroData20240507A";

// The data folder for these environment values (null when unset):
// $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share, plus
// "/VelmaroData20240507A/" (with the trailing "/"). Empty when neither
// gives a folder.
std::u16string DataFolderFor(const char* xdg_data_home, const char* home);

// The same from this process's environment.
std::u16string DefaultDataFolder();

// The data folder of a run on the virtual mouse: beside the real one, as
// "VelmaroData20240507A-simulated/", so a simulation never changes the
// user's files. Empty when no folder can be found.
inline constexpr std::u16string_view kSimulatedDataFolderName = u"VelmaroData20240507A-simulated";
std::u16string SimulatedDataFolderFor(const char* xdg_data_home, const char* home);
std::u16string DefaultSimulatedDataFolder();

// The locale that decides the messages' language: the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty; empty when none is.
std::string PickLocale(const char* lc_all, const char* lc_messages, const char* lang);

// The same from this process's environment.
std::string UserLocale();

// True for a Chinese locale ("zh", "zh_CN.UTF-8", "zh_TW", ...).
bool IsChineseLocale(std::string_view locale);

// The language code the first start writes into LanSetting.ini: "CN" for a
// Chinese locale, "EN" for every other.
std::u16string_view LanguageCodeForLocale(std::string_view locale);

// Creates the data folder and its config/ folder when missing, and writes
// into config/ whatever of Lan_EN.txt, Lan.txt and LanSetting.ini is missing
// (the language choice from `locale`). True when the folders exist and every
// one of the three files is in place afterwards.
bool PrepareDataFolder(const std::u16string& data_folder, std::string_view locale,
                       FileSystem& fs = DefaultFileSystem());

}  // namespace velmaro
