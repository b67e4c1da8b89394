#include "cli/commands.h"

#include <cstdio>
#include <ostream>

#include "cli/file_reasons.h"
#include "cli/library_output.h"
#include "cli/library_paths.h"
#include "cli/profile_output.h"
#include "cli/profile_set_words.h"
#include "cli/set_pairs.h"
#include "cli/values.h"
#include "device/device_role.h"
#include "macro/macro_transfer.h"
#include "model/text.h"
#include "storage/english_texts.h"
#include "storage/profile_file.h"
#include "storage/settings_file.h"

namespace velmaro::cli {

namespace {

constexpr unsigned kAllWriterGroups = kGroupButtons | kGroupMain | kGroupPower | kGroupWakeup;

std::string Hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", value & 0xFFFF);
    return text;
}

int NoMouse(const Console& console) {
    console.Message(kNoMouseFound);
    return kExitNoMouse;
}

// Changes made without the mouse are kept, but a later start takes the mouse
// to hold the profile, so only a push brings them over.
void NoteOffline(CommandContext& c) {
    if (!c.Run.HasMouse()) {
        c.Out.Message(
            "no mouse found: the change is saved; run \"velmaroctl push\" once the mouse is "
            "attached");
    }
}

unsigned WriterGroupsOf(DirtyGroups dirty) {
    unsigned groups = 0;
    if (dirty.Has(DirtyGroup::Buttons))
        groups |= kGroupButtons;
    if (dirty.Has(DirtyGroup::Main))
        groups |= kGroupMain;
    if (dirty.Has(DirtyGroup::Power))
        groups |= kGroupPower;
    if (dirty.Has(DirtyGroup::Wakeup))
        groups |= kGroupWakeup;
    return groups;
}

// The --select location: stage -1 (nothing selected) or a used item of the
// library. Empty text selects nothing.
std::optional<MacroItemLocation> SelectedItem(CommandContext& c, const std::string& select) {
    if (select.empty())
        return MacroItemLocation::None();
    const auto loc = ParseSelect(select);
    if (!loc) {
        c.Out.Message("--select: expected STAGE,I0,I1,I2, four numbers");
        return std::nullopt;
    }
    if (loc->stage < 0)
        return MacroItemLocation::None();
    const MacroItem* item = c.Run.Core().Library().ItemAt(*loc);
    if (item == nullptr || !item->IsUsed()) {
        c.Out.Message("--select: no library item at " + select);
        return std::nullopt;
    }
    return loc;
}

bool IsFolderAt(const MacroLibrary& library, const MacroItemLocation& loc) {
    const MacroItem* item = library.ItemAt(loc);
    return item != nullptr && item->IsFolder();
}

}  // namespace

std::optional<MacroItemLocation> ParseSelect(std::string_view text) {
    int32_t values[4];
    for (int i = 0; i < 4; ++i) {
        const size_t comma = text.find(',');
        if ((i < 3) == (comma == std::string_view::npos))
            return std::nullopt;
        const auto n = ParseInteger(text.substr(0, comma));
        if (!n || *n < INT32_MIN || *n > INT32_MAX)
            return std::nullopt;
        values[i] = static_cast<int32_t>(*n);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return MacroItemLocation{values[0], values[1], values[2], values[3]};
}

bool CommandOwnsSave(std::string_view command) {
    return command == "set" || command == "switch" || command == "import" || command == "reset" ||
           command == "macro-import";
}

int RunDevices(CommandContext& c) {
    std::vector<HidInterfaceInfo> mouse;
    for (const HidInterfaceInfo& info : c.Run.Backend().Enumerate()) {
        if (RoleOf(info.vendor_id, info.product_id))
            mouse.push_back(info);
    }
    Json list = Json::array();
    for (const HidInterfaceInfo& info : mouse) {
        const std::string_view role = RoleName(*RoleOf(info.vendor_id, info.product_id));
        // hidraw lists each collection of a node as its own interface.
        int sharing = 0;
        for (const HidInterfaceInfo& other : mouse)
            sharing += other.path == info.path ? 1 : 0;
        const std::string where = sharing > 1 ? info.InterfaceId() : info.path;
        if (c.Json) {
            list.push_back({{"role", role},
                            {"path", info.path},
                            {"collection", info.collection},
                            {"vendor", Hex4(info.vendor_id)},
                            {"product", Hex4(info.product_id)},
                            {"input", info.input_report_length},
                            {"feature", info.feature_report_length}});
        } else {
            c.Out.Out << role << ' ' << where << ' ' << Hex4(info.vendor_id) << ':'
                      << Hex4(info.product_id) << " input " << info.input_report_length
                      << " feature " << info.feature_report_length << '\n';
        }
    }
    if (c.Json)
        c.Result = Json{{"schema", 1}, {"devices", std::move(list)}};
    return mouse.empty() ? NoMouse(c.Out) : kExitOk;
}

int RunStatus(CommandContext& c) {
    if (!c.Run.HasMouse())
        return NoMouse(c.Out);
    // On a running window the answer is the mouse's now, not at its start.
    if (c.Run.Attached())
        c.Run.RefreshStatus();
    const auto& status = c.Run.Startup().Status;
    if (!status || *status != StatusQueryOutcome::Parsed) {
        c.Out.Message(
            "the mouse did not answer the status query (" +
            std::string(StatusQueryOutcomeName(status.value_or(StatusQueryOutcome::NoInterface))) +
            ")");
        return kExitNoMouse;
    }
    const ProgramState& state = c.Run.Core().State();
    const DeviceState& device = c.Run.Core().Device();
    const ProfileRecord& record = state.CurrentRecord();
    // A level above 100 is no level; "full" has already made it 100.
    const int battery = device.BatteryLevel > 100 ? -1 : static_cast<int>(device.BatteryLevel);
    const char* charging = device.ChargeState == 1   ? "yes"
                           : device.ChargeState == 2 ? "full"
                                                     : "no";
    const int level = AbsoluteDpiLevel(record.DPIOffOnFlagValue, record.CurrentDPILevelValue);
    const uint32_t dpi = level < 0 ? 0 : state.Sensor.DisplayDpi(record.XYSettingValue[level]);
    const int profile = state.Settings.CurrentProfile();
    char sensor[16];
    std::snprintf(sensor, sizeof sensor, "0x%04X", state.Sensor.SensorId);
    if (c.Json) {
        c.Result = Json{{"schema", 1},
                        {"sensor", sensor},
                        {"profile", profile},
                        {"level", level < 0 ? Json(nullptr) : Json(level)},
                        {"dpi", level < 0 ? Json(nullptr) : Json(dpi)},
                        {"battery", battery < 0 ? Json(nullptr) : Json(battery)},
                        {"charging", charging}};
    } else {
        c.Out.Out << "sensor " << sensor << "\nprofile " << profile << "\nlevel " << level
                  << "\ndpi " << dpi << "\nbattery "
                  << (battery < 0 ? std::string("unknown") : std::to_string(battery) + "%")
                  << "\ncharging " << charging << '\n';
    }
    return kExitOk;
}

int RunPush(CommandContext& c) {
    if (!c.Run.HasMouse())
        return NoMouse(c.Out);
    SettingsWriter& writer = c.Run.Core().Writer();
    writer.ForgetLastSent();
    writer.MarkChanged(kAllWriterGroups);
    c.Run.Apply();
    return kExitOk;
}

int RunSwitch(CommandContext& c, int slot) {
    if (!c.Run.Core().SwitchProfile(slot)) {
        c.Out.Message("switch: no profile slot " + std::to_string(slot) + " (0..4)");
        return kExitUsage;
    }
    c.Changed.push_back("profile=" + std::to_string(slot));
    c.Run.Apply();
    NoteOffline(c);
    return kExitOk;
}

int RunSet(CommandContext& c, const std::vector<std::string>& pairs) {
    AppCore& core = c.Run.Core();
    ProgramState& state = core.State();
    const SetEnvironment env{state.Language, state.Sensor, core.Library()};
    const SetOutcome outcome = ApplySetPairs(state.CurrentRecord(), env, pairs);
    if (!outcome.Ok) {
        c.Out.Message("set: " + outcome.Error);
        return kExitUsage;
    }
    c.Changed = outcome.Changed;
    c.Adjusted = outcome.Adjusted;
    for (const std::string& adjusted : outcome.Adjusted)
        c.Out.Message(adjusted + " (the sensor's next step)");
    // One apply for all pairs, as the 20 ms timer collapses quick changes.
    core.Writer().MarkChanged(WriterGroupsOf(outcome.Dirty));
    c.Run.Apply();
    NoteOffline(c);
    return kExitOk;
}

int RunShow(CommandContext& c, std::optional<int> slot, ShowForm form) {
    AppCore& core = c.Run.Core();
    const ProgramState& state = core.State();
    const int current = state.Settings.CurrentProfile();
    const int shown = slot.value_or(current);
    const ProfileRecord& record = state.Profiles[shown];
    const SetEnvironment env{state.Language, state.Sensor, core.Library()};
    if (form == ShowForm::Raw) {
        Json raw = RawProfileJson(record, shown, state.Sensor);
        if (c.Json)
            c.Result = Json{{"schema", 1}, {"slot", shown}, {"raw", std::move(raw)}};
        else
            c.Out.Out << raw.dump(2) << '\n';
    } else if (c.Json) {
        c.Result = ProfileJson(record, shown, shown == current, env);
    } else if (form == ShowForm::AsSet) {
        ProfileRecord defaults;
        ResetProfileDefaults(defaults, shown, state.Language, state.Sensor.SensorId);
        const ProfileSetLines lines = ProfileAsSetLines(record, env, defaults, true);
        for (const std::string& line : lines.Lines) {
            if (!line.starts_with('#'))
                c.Out.Out << line << '\n';
        }
        for (const std::string& left_out : lines.LeftOut)
            c.Out.Message("left out " + left_out);
    } else {
        ProfileRecord defaults;
        ResetProfileDefaults(defaults, shown, state.Language, state.Sensor.SensorId);
        c.Out.Out << ProfileText(record, shown, shown == current, env, defaults);
    }
    return kExitOk;
}

int RunExport(CommandContext& c, int slot, const std::string& file) {
    if (!WriteProfileFile(c.Run.Core().State(), slot, ToU16(file), c.Run.Files())) {
        c.Out.Message("could not write " + file + WriteFailureReason(file));
        return kExitFiles;
    }
    return kExitOk;
}

int RunImport(CommandContext& c, int slot, const std::string& file) {
    AppCore& core = c.Run.Core();
    const std::string shown = file == "-" ? "standard input" : file;
    // As the profile page's import: the file is read completely first, then
    // the settings and every profile file are saved.
    const ProfileReadResult result = core.ImportProfile(slot, ToU16(file));
    if (!result.Ok) {
        c.Out.Message("could not import " + shown + ": " + result.Problem + "; " +
                      EnglishText(ProfileLabel(slot)) + " is unchanged");
        return kExitFiles;
    }
    const bool write_failed = PrintStorageReport(c.Out, result.Report);
    // Into the current slot the core asked for an apply: the mouse gets
    // what the import changed.
    if (slot == core.State().CurrentProfileTab) {
        c.Run.Apply();
        NoteOffline(c);
    }
    c.Changed.push_back("profile." + std::to_string(slot));
    return write_failed ? kExitFiles : kExitOk;
}

int RunReset(CommandContext& c, bool confirmed) {
    if (!confirmed) {
        c.Out.Message("reset: the factory reset needs --yes");
        return kExitUsage;
    }
    const bool had_mouse = c.Run.HasMouse();
    const FactoryResetResult result = c.Run.Core().FactoryReset();
    c.Changed.push_back("profile." +
                        std::to_string(c.Run.Core().State().Settings.CurrentProfile()));
    if (!result.ProfileWritten) {
        c.Out.Message("could not write " + result.ProfilePath +
                      WriteFailureReason(result.ProfilePath));
        return kExitFiles;
    }
    if (!had_mouse) {
        c.Out.Message(
            "no mouse found: the current profile was reset to its defaults, the mouse was not "
            "reset");
        return kExitNoMouse;
    }
    c.Changed.push_back("mouse");
    return kExitOk;
}

int RunMacros(CommandContext& c) {
    const MacroLibrary& library = c.Run.Core().Library();
    if (c.Json)
        c.Result = LibraryJson(library);
    else
        c.Out.Out << LibraryText(library);
    return kExitOk;
}

int RunMacroExport(CommandContext& c, const std::string& file, const std::string& select) {
    const auto mark = SelectedItem(c, select);
    if (!mark)
        return kExitUsage;
    MacroLibrary& library = c.Run.Core().Library();
    // The file carries the selection as its mark, which fixes what an import
    // of it takes.
    library.SelectedLocation = *mark;
    const bool written = ExportCollectionFile(file, library, c.Run.Files());
    library.SelectedLocation = MacroItemLocation::None();
    if (!written) {
        c.Out.Message("could not write " + file + WriteFailureReason(file));
        return kExitFiles;
    }
    return kExitOk;
}

int RunMacroImport(CommandContext& c, const std::string& file, const std::string& select,
                   bool single) {
    const auto target = SelectedItem(c, select);
    if (!target)
        return kExitUsage;
    AppCore& core = c.Run.Core();
    MacroLibrary& library = core.Library();
    library.SelectedLocation = *target;
    const ImportResult result =
        single ? ImportMacroFile(file, library, core.ScratchLibrary(), c.Run.Files())
               : ImportCollectionFile(file, library, core.ScratchLibrary(), c.Run.Files());
    library.SelectedLocation = MacroItemLocation::None();
    switch (result.Status) {
        case ImportStatus::NameExists:
            c.Out.Message("could not import " + file + ": the name \"" +
                          ToUtf8(result.ClashingName) + "\" is already taken " +
                          (IsFolderAt(library, *target)
                               ? "in folder \"" + ToUtf8(ItemPath(library, *target)) + "\""
                               : std::string("at the top level")));
            return kExitFiles;
        case ImportStatus::Rejected: {
            const std::string why = ReadFailureReason(file);
            c.Out.Message("could not import " + file +
                          (why.empty() ? ": it cannot be read or marks no item to import" : why));
            return kExitFiles;
        }
        case ImportStatus::Imported:
            break;
    }
    if (result.ItemsCreated != 0)
        core.MarkMacrosChanged();
    const bool partial = !result.Skipped.empty() || !result.FileComplete;
    // A complete import is quiet; a partial one names what came in.
    if (partial && !result.ImportedNames.empty()) {
        std::string names;
        for (const std::u16string& name : result.ImportedNames)
            names += (names.empty() ? "\"" : ", \"") + ToUtf8(name) + "\"";
        c.Out.Message("imported from " + file + ": " + names);
    }
    for (const SkippedImport& skipped : result.Skipped)
        c.Out.Message("did not import \"" + ToUtf8(skipped.Name) + "\" from " + file + ": " +
                      skipped.Reason);
    if (!result.FileComplete)
        c.Out.Message(file +
                      " is cut short or damaged after its last complete item: what follows "
                      "it was not imported");
    if (result.ItemsCreated != 0)
        c.Changed.push_back("macros");
    if (result.ItemsCreated == 0) {
        c.Out.Message("nothing was imported from " + file);
        return kExitFiles;
    }
    return partial ? kExitFiles : kExitOk;
}

}  // namespace velmaro::cli
