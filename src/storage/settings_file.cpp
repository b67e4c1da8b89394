#include "storage/settings_file.h"

#include "model/text.h"
#include "storage/profile_file.h"
#include "storage/stdio_file_ex.h"

namespace velmaro {

namespace {

constexpr char16_t kHeader[] = u"[Setting]";

// A line feed inside a value would split its line and make the whole file
// unreadable next time; it is written as a space.
std::u16string OneLine(std::u16string text) {
    for (char16_t& c : text) {
        if (c == u'\n')
            c = u' ';
    }
    return text;
}

// Reads the pairs into the settings. False when the file is missing, cannot
// be opened for update, or is malformed; pairs after the last line read keep
// their values.
bool ReadSettingsFile(ProgramState& state, FileSystem& fs) {
    CStdioFileEx file(fs);
    if (!file.Open(SettingsFilePath(state), CStdioFileEx::Mode::Read))
        return false;
    std::u16string line;
    if (!file.ReadString(line) || line != kHeader)
        return false;
    for (int k = 0; file.ReadString(line); ++k) {
        // A seventeenth pair line of any kind, even an empty one, is too many.
        if (k == kAppSettingCount)
            return false;
        // A non-empty name and a non-empty value.
        const size_t p = line.find(u'=');
        if (p == std::u16string::npos || p < 1 || p + 1 >= line.size())
            return false;
        state.Settings.Pairs[k] = {line.substr(0, p), line.substr(p + 1)};
    }
    return true;
}

// Missing or bad file: defaults for the settings and all five profiles,
// written at once. The files they replace are kept first.
void RebuildDefaults(ProgramState& state, FileSystem& fs, LoadSettingsResult& result) {
    StorageReport& report = result.Report;
    const std::string settings_path = ToUtf8(SettingsFilePath(state));
    KeepBeforeReplacing(fs, settings_path, report);
    state.Settings.SetDefaultSettings(state.DataFolder);
    report.NoteWrite(WriteSettingsFile(state, fs), settings_path);

    state.Sensor.SensorId = state.Settings.Sensor();
    for (int s = 0; s < kProfileSlots; ++s) {
        ResetProfileDefaults(state.Profiles[s], s, state.Language, state.Sensor.SensorId);
        const std::u16string& path = state.Settings.ProfileSlotPath(s);
        KeepBeforeReplacing(fs, ToUtf8(path), report);
        const bool written = WriteProfileFile(state, s, path, fs);
        report.NoteWrite(written, ToUtf8(path));
        // A slot file that could not be replaced is read again below as it is.
        result.SlotReset[s] = written;
    }
    result.SettingsRebuilt = true;
}

// The profiles' DPI step indexes belong to the sensor PreST names; another
// sensor gets its own defaults in every profile.
void SensorCheck(ProgramState& state, FileSystem& fs, LoadSettingsResult& result) {
    const uint16_t sensor = state.Settings.Sensor();
    state.Sensor.SensorId = sensor;
    state.PreSTComplement = static_cast<uint16_t>(state.Settings.PreST() ^ 0xFFFF);
    if (state.PreSTComplement == sensor)
        return;
    state.PreSTComplement = sensor;
    state.Settings.SetPreST(static_cast<uint16_t>(sensor ^ 0xFFFF));
    result.Report.NoteWrite(SaveSettings(state, fs), ToUtf8(SettingsFilePath(state)));
    for (ProfileRecord& record : state.Profiles)
        ApplySensorDpiDefaults(record, sensor);
    result.Report.Append(WriteAllProfileFiles(state, fs));
    result.SensorChanged = true;
}

}  // namespace

std::u16string SettingsFilePath(const ProgramState& state) {
    return state.DataFolder + u"config/config.ini";
}

bool EnsureConfigFolder(const ProgramState& state, FileSystem& fs) {
    return fs.CreateDirectories(ToUtf8(state.DataFolder + u"config"));
}

LoadSettingsResult LoadSettings(ProgramState& state, FileSystem& fs) {
    LoadSettingsResult result;
    if (!ReadSettingsFile(state, fs))
        RebuildDefaults(state, fs, result);

    // A slot file that fails to read is reset for the sensor the settings
    // name, not for whatever sensor id was set before.
    state.Sensor.SensorId = state.Settings.Sensor();
    for (int s = 0; s < kProfileSlots; ++s) {
        ProfileReadResult read = ReadProfileFile(state, s, state.Settings.ProfileSlotPath(s), fs);
        if (!read.Ok)
            result.SlotReset[s] = true;
        result.Report.Append(read.Report);
    }

    // Take the current profile from the file before the sensor check, whose
    // save would otherwise store slot 0 over the user's choice.
    state.CurrentProfileTab = state.Settings.CurrentProfile();
    SensorCheck(state, fs, result);
    return result;
}

bool SaveSettings(ProgramState& state, FileSystem& fs) {
    state.Settings.SetCurrentProfile(state.CurrentProfileTab);
    return WriteSettingsFile(state, fs);
}

bool WriteSettingsFile(const ProgramState& state, FileSystem& fs) {
    std::u16string text = kHeader;
    text += u'\n';
    for (const SettingPair& pair : state.Settings.Pairs) {
        text += OneLine(pair.Name);
        text += u'=';
        text += OneLine(pair.Value);
        text += u'\n';
    }
    CStdioFileEx file(fs);
    if (!file.Open(SettingsFilePath(state), CStdioFileEx::Mode::Write))
        return false;
    file.WriteString(text);
    return file.Close();
}

}  // namespace velmaro
