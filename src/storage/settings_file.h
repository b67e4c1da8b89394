// The program settings file, config/config.ini in the data folder: a
// "[Setting]" line and the sixteen name=value pairs, taken by position.
// Loading it also decides whether the five profile files are trusted or
// everything is rebuilt from defaults.
#pragma once

#include <array>
#include <string>

#include "model/program_state.h"
#include "storage/file_system.h"
#include "storage/storage_report.h"

namespace velmaro {

// DataFolder + "config/config.ini".
std::u16string SettingsFilePath(const ProgramState& state);

// Creates the data folder and its config subfolder when missing. True when
// the config folder exists afterwards.
bool EnsureConfigFolder(const ProgramState& state, FileSystem& fs);

struct LoadSettingsResult {
    // config.ini was missing or bad: settings and all five profiles were
    // reset to defaults and written.
    bool SettingsRebuilt = false;
    // Slots that hold defaults now: those rebuilt (all five, unless a slot
    // file could not be replaced) and those whose file was missing or bad.
    std::array<bool, kProfileSlots> SlotReset{};
    // PreST did not match the sensor: every profile got the sensor's DPI
    // defaults and the files were rewritten.
    bool SensorChanged = false;
    StorageReport Report;
};

// Loads the settings and the five profiles and runs the sensor check. Sets
// Sensor.SensorId, PreSTComplement and CurrentProfileTab (from the file's
// CurrentProfile, so the sensor check's save keeps it). The config folder
// must exist (EnsureConfigFolder); the DPI tables are built by the caller.
LoadSettingsResult LoadSettings(ProgramState& state, FileSystem& fs);

// Stores CurrentProfileTab into CurrentProfile, then writes the file. True
// only when the file is on disk; otherwise the old file is unchanged.
bool SaveSettings(ProgramState& state, FileSystem& fs);

// Writes the file from the pairs as they are. True only when it is on disk.
bool WriteSettingsFile(const ProgramState& state, FileSystem& fs);

// The file's bytes for these settings, as WriteSettingsFile writes them.
std::string SettingsFileBytes(const AppSettings& settings);

// Reads the pairs of config.ini into state.Settings without any repair or
// further step: an empty reason when the file was read, otherwise why not.
Reason ReadSettingsPairs(ProgramState& state, FileSystem& fs);

// Mends the numbers of the settings that would not be taken exactly (a
// stray character, out of range, a profile listed twice), each told in
// `report`.
void MendSettingNumbers(ProgramState& state, StorageReport& report);

// The reason told when the profiles' DPI settings follow another sensor.
Reason SensorChangeReason(uint16_t old_sensor, uint16_t new_sensor);

}  // namespace velmaro
