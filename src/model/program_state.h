// The program-wide state: five profiles, the program settings, the sensor
// tables and the UI texts. Owned by whoever runs the program (the main window
// or the command-line tool) and passed by reference; tests build their own.
#pragma once

#include <array>
#include <string>

#include "model/app_settings.h"
#include "model/language_table.h"
#include "model/profile_record.h"
#include "model/sensor_tables.h"

namespace velmaro {

struct ProgramState {
    std::array<ProfileRecord, kProfileSlots> Profiles;
    AppSettings Settings;
    SensorTables Sensor;
    LanguageTable Language;
    // Mirrors CurrentProfile while the pages run; stored back on save.
    int CurrentProfileTab = 0;
    // 16-bit complement of PreST as the sensor check found it.
    uint16_t PreSTComplement = 0;
    // The data folder, with a trailing "/"; config/ below it holds the files.
    std::u16string DataFolder;

    ProfileRecord& CurrentRecord() { return Profiles[Settings.CurrentProfile()]; }
    const ProfileRecord& CurrentRecord() const { return Profiles[Settings.CurrentProfile()]; }
};

}  // namespace velmaro
