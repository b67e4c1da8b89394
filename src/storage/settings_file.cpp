#include "storage/settings_file.h"

#include <algorithm>
#include <filesystem>

#include "model/profile_show_list.h"
#include "model/sensor_tables.h"
#include "model/text.h"
#include "model/text_entries.h"
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

std::u16string FormatSettings(const AppSettings& settings) {
    std::u16string text = kHeader;
    text += u'\n';
    for (const SettingPair& pair : settings.Pairs) {
        text += OneLine(pair.Name);
        text += u'=';
        text += OneLine(pair.Value);
        text += u'\n';
    }
    return text;
}

std::string Utf16FileBytes(std::u16string_view text) {
    std::string bytes("\xFF\xFE", 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

// Reads the pairs into the settings. An empty reason when the file was
// read; otherwise why it is missing, cannot be opened for update, or is
// malformed. Pairs after the last line read keep their values.
Reason ReadSettingsFile(ProgramState& state, FileSystem& fs) {
    const std::string path = ToUtf8(SettingsFilePath(state));
    CStdioFileEx file(fs);
    if (!file.Open(path, CStdioFileEx::Mode::Read))
        return Reason::Of(text::kSettingsUnreadable, {UnreadableFileReason(fs, path)});
    std::u16string line;
    if (!file.ReadString(line) || line != kHeader)
        return Reason::Of(text::kSettingsNoHeader);
    for (int k = 0; file.ReadString(line); ++k) {
        const Reason line_number = Reason::Number(k + 2);
        // A seventeenth pair line of any kind, even an empty one, is too many.
        if (k == kAppSettingCount)
            return Reason::Of(text::kSettingsLineTooMany, {line_number});
        // A non-empty name and a non-empty value.
        const size_t p = line.find(u'=');
        if (p == std::u16string::npos)
            return Reason::Of(text::kSettingsNoEquals, {line_number});
        if (p < 1)
            return Reason::Of(text::kSettingsNoName, {line_number});
        if (p + 1 >= line.size())
            return Reason::Of(text::kSettingsNoValue, {line_number});
        state.Settings.Pairs[k] = {line.substr(0, p), line.substr(p + 1)};
    }
    return {};
}

// Short enough for one message line.
std::u16string Shortened(const std::u16string& text) {
    constexpr size_t kMax = 80;
    std::u16string out = text.size() > kMax ? text.substr(0, kMax) : text;
    if (text.size() > kMax)
        out += u"...";
    return out;
}

// A line of the file as "name=value", shortened, for a message.
Reason PairText(const SettingPair& pair) {
    return Reason::Text(Shortened(pair.Name) + u"=" + Shortened(pair.Value));
}

// The file's line of setting `k` (the header is line 1).
Reason LineOf(int k) {
    return Reason::Number(k + 2);
}

// Why a slot path from the file is not used, or an empty text. Profiles are
// only ever written into the data folder's config/: a path that another
// line's value took by mistake, a relative one, or one outside it (a copied
// data folder still naming the original) would write somewhere else.
Reason SlotPathProblem(const ProgramState& state, int slot) {
    const std::u16string& path = state.Settings.ProfileSlotPath(slot);
    if (path.empty())
        return Reason::Of(text::kSlotPathEmpty);
    if (path.front() != u'/')
        return Reason::Of(text::kSlotPathRelative);
    for (const char16_t c : path) {
        if (c < 0x20 || c == 0x7F)
            return Reason::Of(text::kSlotPathControl);
    }
    const std::filesystem::path normal = std::filesystem::path(ToUtf8(path)).lexically_normal();
    const std::string name = normal.filename().string();
    if (name.size() <= 4 || !name.ends_with(".psf"))
        return Reason::Of(text::kSlotPathNotPsf);
    const std::filesystem::path config =
        std::filesystem::path(ToUtf8(state.DataFolder + u"config/x")).lexically_normal();
    if (normal.parent_path() != config.parent_path())
        return Reason::Of(text::kSlotPathElsewhere,
                          {Reason::Text(config.parent_path().string() + "/")});
    return {};
}

std::filesystem::path NormalPath(const std::u16string& path) {
    return std::filesystem::path(ToUtf8(path)).lexically_normal();
}

// Slot paths that are not used get the slot's default path.
void MendSlotPaths(ProgramState& state, StorageReport& report) {
    AppSettings defaults;
    defaults.SetDefaultSettings(state.DataFolder);
    auto mend = [&](int s, const Reason& problem) {
        SettingPair& pair = state.Settings.Pairs[kProfileSlot0Url + s];
        const std::u16string fallback = defaults.ProfileSlotPath(s);
        report.Note(
            Reason::Of(text::kSlotPathNotUsed, {LineOf(kProfileSlot0Url + s), PairText(pair),
                                                ProfileLabel(s), problem, Reason::Text(fallback)}));
        pair.Value = fallback;
        if (pair.Name.empty())
            pair.Name = defaults.Pairs[kProfileSlot0Url + s].Name;
    };
    for (int s = 0; s < kProfileSlots; ++s) {
        if (const Reason problem = SlotPathProblem(state, s); !problem.Empty())
            mend(s, problem);
    }
    // Two slots on one file would overwrite each other. The slot whose
    // default it is keeps it, otherwise the first; the other moves to its
    // own default. Each move puts a slot on its default, and defaults
    // differ, so this ends.
    for (bool moved = true; moved;) {
        moved = false;
        for (int a = 0; a < kProfileSlots && !moved; ++a) {
            for (int b = a + 1; b < kProfileSlots && !moved; ++b) {
                const std::filesystem::path path = NormalPath(state.Settings.ProfileSlotPath(a));
                if (path != NormalPath(state.Settings.ProfileSlotPath(b)))
                    continue;
                const bool b_owns = path == NormalPath(defaults.ProfileSlotPath(b));
                const int move = b_owns ? a : b;
                mend(move, Reason::Of(text::kSlotPathShared, {ProfileLabel(move == a ? b : a)}));
                moved = true;
            }
        }
    }
}

// A value is taken exactly when the whole of it is the number: "0x" and hex
// digits (or hex digits alone) up to 0xFFFF, or decimal digits within
// [0, max]. Anything else would be read as some other number up to its first
// stray character, and written back as that number later.
bool WholeHex16(std::u16string_view t) {
    if (t.size() > 2 && t[0] == u'0' && (t[1] == u'x' || t[1] == u'X'))
        t.remove_prefix(2);
    if (t.empty() || t.size() > 4)
        return false;
    return std::all_of(t.begin(), t.end(), [](char16_t c) {
        return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
    });
}

bool WholeDecimal(std::u16string_view t, int max) {
    if (t.empty() || t.size() > 2)
        return false;
    int value = 0;
    for (const char16_t c : t) {
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c - u'0');
    }
    return value <= max;
}

// Numbers that are not taken exactly are mended to the value the program
// uses and told; the caller keeps the file before writing them back. A
// damaged sensor line must not pass for another sensor (which would reset
// the DPI settings of every profile): the intact one of Sensor and PreST
// names the sensor, and with both damaged the default sensor is taken.
void MendNumbers(ProgramState& state, StorageReport& report) {
    AppSettings& settings = state.Settings;
    const SettingPair sensor_pair = settings.Pairs[kSensor];
    const SettingPair prest_pair = settings.Pairs[kPreST];
    const bool sensor_ok = WholeHex16(sensor_pair.Value);
    const bool prest_ok = WholeHex16(prest_pair.Value);
    if (!sensor_ok || !prest_ok) {
        uint16_t sensor = kDefaultSensorId;
        if (sensor_ok)
            sensor = settings.Sensor();
        else if (prest_ok)
            sensor = static_cast<uint16_t>(settings.PreST() ^ 0xFFFF);
        const Reason hex = Reason::Text(u"0x" + FormatHexUpper(sensor, 4));
        if (!sensor_ok) {
            settings.Value(kSensor) = FormatHexSpacePadded(sensor);
            report.Note(
                Reason::Of(text::kSensorNotHex, {LineOf(kSensor), PairText(sensor_pair), hex}));
        }
        if (!prest_ok) {
            settings.SetPreST(static_cast<uint16_t>(sensor ^ 0xFFFF));
            report.Note(
                Reason::Of(text::kPreSTNotHex, {LineOf(kPreST), PairText(prest_pair), hex}));
        }
    }

    const SettingPair current = settings.Pairs[kCurrentProfile];
    if (!WholeDecimal(current.Value, kProfileSlots - 1)) {
        settings.SetCurrentProfile(settings.CurrentProfile());
        report.Note(Reason::Of(text::kCurrentNotNumber, {LineOf(kCurrentProfile), PairText(current),
                                                         ProfileLabel(settings.CurrentProfile())}));
    }

    // The profile list: a count and the five slots in display order, each
    // slot once.
    bool list_ok = WholeDecimal(settings.Value(kProfileShowCount), kProfileSlots);
    std::array<bool, kProfileSlots> seen{};
    for (int i = 0; i < kProfileSlots && list_ok; ++i) {
        const std::u16string& value = settings.Pairs[kProfileShowList0 + i].Value;
        list_ok = WholeDecimal(value, kProfileSlots - 1) && !seen[ParseDecimal(value)];
        if (list_ok)
            seen[ParseDecimal(value)] = true;
    }
    if (!list_ok) {
        // The lines as the file holds them: "name=value, name=value".
        std::u16string was;
        for (int k = kProfileShowCount; k < kProfileShowList0 + kProfileSlots; ++k)
            was += (was.empty() ? u"" : u", ") + PairText(settings.Pairs[k]).Literal;
        StoreShowList(settings, LoadShowList(settings));
        std::u16string now;
        for (int k = kProfileShowCount; k < kProfileShowList0 + kProfileSlots; ++k)
            now += (now.empty() ? u"" : u", ") + settings.Pairs[k].Value;
        report.Note(Reason::Of(text::kShowListBad, {LineOf(kProfileShowCount),
                                                    LineOf(kProfileShowList0 + kProfileSlots - 1),
                                                    Reason::Text(was), Reason::Text(now)}));
    }
}

// Missing or bad file: defaults for the settings and all five profiles,
// written at once. The files they replace are kept first. When the new
// settings cannot be written nothing would keep the choice: the profiles
// are then read as they are.
void RebuildDefaults(ProgramState& state, FileSystem& fs, const Reason& problem,
                     LoadSettingsResult& result) {
    StorageReport& report = result.Report;
    const std::string settings_path = ToUtf8(SettingsFilePath(state));
    const bool existed = fs.Exists(settings_path);
    KeepBeforeReplacing(fs, settings_path, report, problem);
    state.Settings.SetDefaultSettings(state.DataFolder);
    state.CurrentProfileTab = state.Settings.CurrentProfile();
    const bool settings_written = WriteSettingsFile(state, fs);
    report.NoteWrite(settings_written, settings_path, fs);
    result.SettingsRebuilt = true;
    state.Sensor.SensorId = state.Settings.Sensor();
    if (!settings_written) {
        if (!report.KeptFiles.empty() && report.KeptFiles.back().Path == settings_path)
            report.KeptFiles.back().Why =
                Reason::Of(text::kSettingsKeptNotReplaced, {report.KeptFiles.back().Why});
        else
            report.Note(Reason::Of(text::kSettingsNotReplaced, {problem}));
        return;
    }
    if (!report.KeptFiles.empty() && report.KeptFiles.back().Path == settings_path)
        report.KeptFiles.back().Why =
            Reason::Of(text::kSettingsReset, {report.KeptFiles.back().Why});
    else if (existed)  // a first start has no file: nothing to tell
        report.Note(Reason::Of(text::kSettingsReset, {problem}));

    for (int s = 0; s < kProfileSlots; ++s)
        ResetProfileDefaults(state.Profiles[s], s, state.Language, state.Sensor.SensorId);
    // A slot file that holds the defaults already has nothing to keep.
    KeepChangedProfileFiles(state, fs, report,
                            Reason::Of(text::kProfilesResetWithSettings, {problem}));
    for (int s = 0; s < kProfileSlots; ++s) {
        const std::u16string& path = state.Settings.ProfileSlotPath(s);
        const bool written = WriteProfileFile(state, s, path, fs);
        report.NoteWrite(written, ToUtf8(path), fs);
        // A slot file that could not be replaced is read again below as it is.
        result.SlotReset[s] = written;
    }
}

// The profiles' DPI step indexes belong to the sensor PreST names; another
// sensor gets its own defaults in every profile.
void SensorCheck(ProgramState& state, FileSystem& fs, LoadSettingsResult& result) {
    const uint16_t sensor = state.Settings.Sensor();
    state.Sensor.SensorId = sensor;
    const auto before = static_cast<uint16_t>(state.Settings.PreST() ^ 0xFFFF);
    state.PreSTComplement = before;
    if (state.PreSTComplement == sensor)
        return;
    state.PreSTComplement = sensor;
    state.Settings.SetPreST(static_cast<uint16_t>(sensor ^ 0xFFFF));
    result.Report.NoteWrite(SaveSettings(state, fs), ToUtf8(SettingsFilePath(state)), fs);
    for (ProfileRecord& record : state.Profiles)
        ApplySensorDpiDefaults(record, sensor);
    KeepChangedProfileFiles(state, fs, result.Report, SensorChangeReason(before, sensor));
    result.Report.Append(WriteAllProfileFiles(state, fs));
    result.SensorChanged = true;
}

}  // namespace

std::string SettingsFileBytes(const AppSettings& settings) {
    return Utf16FileBytes(FormatSettings(settings));
}

Reason ReadSettingsPairs(ProgramState& state, FileSystem& fs) {
    return ReadSettingsFile(state, fs);
}

void MendSettingNumbers(ProgramState& state, StorageReport& report) {
    MendNumbers(state, report);
}

std::u16string SettingsFilePath(const ProgramState& state) {
    return state.DataFolder + u"config/config.ini";
}

bool EnsureConfigFolder(const ProgramState& state, FileSystem& fs) {
    return fs.CreateDirectories(ToUtf8(state.DataFolder + u"config"));
}

Reason SensorChangeReason(uint16_t old_sensor, uint16_t new_sensor) {
    return Reason::Of(text::kSensorChanged, {Reason::Text(u"0x" + FormatHexUpper(old_sensor, 4)),
                                             Reason::Text(u"0x" + FormatHexUpper(new_sensor, 4))});
}

LoadSettingsResult LoadSettings(ProgramState& state, FileSystem& fs) {
    LoadSettingsResult result;
    // A file of fewer than sixteen pairs leaves the rest at their defaults,
    // not empty: an empty slot path would lose that profile.
    state.Settings.SetDefaultSettings(state.DataFolder);
    if (const Reason problem = ReadSettingsFile(state, fs); !problem.Empty()) {
        RebuildDefaults(state, fs, problem, result);
    } else {
        MendNumbers(state, result.Report);
        MendSlotPaths(state, result.Report);
        // What the program would write for what was read differs from the
        // file (pairs missing, a slot path mended): the file is kept, then
        // written as it will be from now on.
        state.CurrentProfileTab = state.Settings.CurrentProfile();
        AppSettings written = state.Settings;
        written.SetCurrentProfile(state.CurrentProfileTab);
        std::string bytes;
        const std::string path = ToUtf8(SettingsFilePath(state));
        if (fs.ReadFile(path, bytes) && bytes != Utf16FileBytes(FormatSettings(written))) {
            KeepBeforeReplacing(fs, path, result.Report, Reason::Of(text::kSettingsRewritten));
            result.Report.NoteWrite(SaveSettings(state, fs), path, fs);
        }
    }

    // A slot file that fails to read is reset for the sensor the settings
    // name, not for whatever sensor id was set before.
    state.Sensor.SensorId = state.Settings.Sensor();
    for (int s = 0; s < kProfileSlots; ++s) {
        const ProfileReadResult read =
            ReadProfileFile(state, s, state.Settings.ProfileSlotPath(s), fs);
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
    const std::u16string text = FormatSettings(state.Settings);
    CStdioFileEx file(fs);
    if (!file.Open(SettingsFilePath(state), CStdioFileEx::Mode::Write))
        return false;
    file.WriteString(text);
    return file.Close();
}

}  // namespace velmaro
