// config.ini as the program finds it at start-up: the settings, the five
// profile files it names and the sensor check. Whatever the load accepted
// must survive a save and a second load unchanged.
#include <set>

#include "fuzz_support.h"
#include "macro/memory_file_system.h"
#include "model/text.h"
#include "storage/profile_file.h"
#include "storage/settings_file.h"

using namespace velmaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testing::MemoryFileSystem fs;
    ProgramState state;
    state.DataFolder = u"/data/";
    fs.files["/data/config/config.ini"] = fuzz::Bytes(data, size);
    const LoadSettingsResult first = LoadSettings(state, fs);
    VELMARO_FUZZ_CHECK(first.Report.AllWritten());

    // A file of fewer than sixteen pairs leaves the rest empty, and a pair
    // written empty is refused on the next start: only complete files can
    // come back unchanged.
    for (const SettingPair& pair : state.Settings.Pairs)
        if (pair.Name.empty() || pair.Value.empty())
            return 0;

    // Slot files that share a path (or the settings file's) overwrite one
    // another; such a file cannot come back as five profiles.
    std::set<std::string> paths{ToUtf8(SettingsFilePath(state))};
    for (int s = 0; s < kProfileSlots; ++s)
        paths.insert(ToUtf8(state.Settings.ProfileSlotPath(s)));
    if (paths.size() != kProfileSlots + 1)
        return 0;

    VELMARO_FUZZ_CHECK(SaveSettings(state, fs));
    VELMARO_FUZZ_CHECK(WriteAllProfileFiles(state, fs).AllWritten());
    ProgramState again;
    again.DataFolder = state.DataFolder;
    const LoadSettingsResult second = LoadSettings(again, fs);
    VELMARO_FUZZ_CHECK(!second.SettingsRebuilt && !second.SensorChanged);
    for (int s = 0; s < kProfileSlots; ++s)
        VELMARO_FUZZ_CHECK(!second.SlotReset[s]);
    VELMARO_FUZZ_CHECK(again.Settings == state.Settings);
    VELMARO_FUZZ_CHECK(again.Profiles == state.Profiles);
    return 0;
}
