// The part of a start that only reads (and where needed repairs) the data
// folder; AppCore::Initialize takes it over.
#include <string>

#include "device/app_core.h"
#include "model/profile_edits.h"
#include "storage/data_folder.h"
#include "storage/language_file.h"
#include "storage/profile_file.h"

namespace velmaro {

void FolderStart::Read(const AppCoreOptions& options) {
    std::u16string folder = options.DataFolder;
    if (folder.empty())
        folder = options.Simulated ? DefaultSimulatedDataFolder() : DefaultDataFolder();
    if (!folder.empty() && folder.back() != u'/')
        folder += u'/';
    state_.DataFolder = folder;
    report_.DataFolder = folder;

    if (!folder.empty()) {
        const std::string locale = options.Locale ? *options.Locale : UserLocale();
        report_.DataFolderReady = PrepareDataFolder(folder, locale, files_);
        report_.LanguageLoaded = LoadLanguage(folder, state_.Language, options.UiScale, files_);
        // Before anything else is read: an edit made while it is read shows
        // later as a change from outside.
        const std::string config = ToUtf8(folder) + "config/";
        files_.SetFolder(config);
        for (const std::string& name : files_.Inner().ListFolder(config)) {
            if (name.find(".bad-") == std::string::npos)
                files_.Remember(config + name);
        }
        files_.Remember(config + "config.ini");
        files_.Remember(MacroLibraryPath(folder));
        for (int slot = 0; slot < kProfileSlots; ++slot)
            files_.Remember(config + "default" + std::to_string(slot) + ".psf");
        report_.Macros = LoadMacroLibrary(MacroLibraryPath(folder), library_, files_);
        report_.ConfigFolderReady = EnsureConfigFolder(state_, files_);
        report_.Settings = LoadSettings(state_, files_);
    } else {
        // Without a home there is nowhere to keep files: run on defaults.
        state_.Settings.SetDefaultSettings(folder);
        state_.Sensor.SensorId = state_.Settings.Sensor();
        state_.PreSTComplement = state_.Sensor.SensorId;
        for (int slot = 0; slot < kProfileSlots; ++slot)
            ResetProfileDefaults(state_.Profiles[slot], slot, state_.Language,
                                 state_.Sensor.SensorId);
        state_.CurrentProfileTab = state_.Settings.CurrentProfile();
    }
    report_.DpiTablesBuilt = state_.Sensor.BuildDpiTables();
}

}  // namespace velmaro
