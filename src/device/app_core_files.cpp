// The core and the data folder's files changed from outside while it runs:
// taken in when they read cleanly, otherwise kept beside themselves before
// the program's own version replaces them.
#include <algorithm>
#include <memory>
#include <utility>

#include "device/app_core.h"
#include "model/text.h"
#include "model/text_entries.h"

namespace velmaro {

namespace {

constexpr unsigned kAllGroups = kGroupButtons | kGroupMain | kGroupPower | kGroupWakeup;

// Changed outside while the program had changes of its own for it.
Reason Clash() {
    return Reason::Of(text::kOutsideClash);
}

}  // namespace

StorageReport AppCore::TakeOutsideChanges() {
    if (HasDataFolder())
        CheckOutsideChanges();
    outside_.Append(files_.TakeKeptBeforeWrites());
    return std::exchange(outside_, StorageReport{});
}

void AppCore::CheckOutsideChanges() {
    if (outside_held_)
        return;
    std::string bytes;
    const std::string settings = ToUtf8(SettingsFilePath(state_));
    if (files_.ChangedOutside(settings, &bytes))
        TakeSettingsFromOutside(settings, bytes);
    for (int slot = 0; slot < kProfileSlots; ++slot) {
        const std::string path = ToUtf8(state_.Settings.ProfileSlotPath(slot));
        if (files_.ChangedOutside(path, &bytes))
            TakeProfileFromOutside(slot, path, bytes);
    }
    const std::string library = MacroLibraryPath(state_.DataFolder);
    if (files_.ChangedOutside(library, &bytes))
        TakeLibraryFromOutside(library, bytes);
}

void AppCore::KeepOutsideVersion(const std::string& path, const std::string& bytes,
                                 const Reason& why) {
    KeepBeforeReplacing(files_.Inner(), path, outside_, why);
    // Handled: the save that follows replaces it without keeping it again.
    files_.Saw(path, bytes);
    // The program's version goes back soon (the save after an apply).
    writer_.MarkChanged(0);
}

void AppCore::TakeSettingsFromOutside(const std::string& path, const std::string& bytes) {
    AppSettings own = state_.Settings;
    own.SetCurrentProfile(state_.CurrentProfileTab);
    if (!files_.IsOwnVersion(path, SettingsFileBytes(own)))
        return KeepOutsideVersion(path, bytes, Clash());
    // The whole state is large: on the heap, not the stack of the GUI thread.
    const auto state = std::make_unique<ProgramState>();
    ProgramState& read = *state;
    read.DataFolder = state_.DataFolder;
    read.Settings = state_.Settings;
    Reason problem = ReadSettingsPairs(read, files_);
    StorageReport mended;
    if (problem.Empty()) {
        MendSettingNumbers(read, mended);
        if (!mended.Notes.empty())
            problem = mended.Notes.front();
        else if (SettingsFileBytes(read.Settings) != bytes)
            problem = Reason::Of(text::kNotAsWritten);
    }
    // The sensor and the profile files belong to the mouse and the folder:
    // they do not change while the program runs.
    for (int k : {int(kSensor), int(kPreST)}) {
        if (problem.Empty() && read.Settings.Pairs[k] != state_.Settings.Pairs[k])
            problem =
                Reason::Of(text::kMouseLineChanged, {Reason::Text(state_.Settings.Pairs[k].Name)});
    }
    for (int slot = 0; slot < kProfileSlots && problem.Empty(); ++slot) {
        if (read.Settings.ProfileSlotPath(slot) != state_.Settings.ProfileSlotPath(slot))
            problem = Reason::Of(text::kSlotFileChanged, {ProfileLabel(slot)});
    }
    if (!problem.Empty())
        return KeepOutsideVersion(path, bytes, Reason::Of(text::kOutsideKeepsOwn, {problem}));
    files_.Remember(path, bytes);
    const int slot = read.Settings.CurrentProfile();
    state_.Settings = read.Settings;
    if (slot != state_.CurrentProfileTab)
        SwitchProfile(slot);
    else
        ui_.RefreshControls();
}

void AppCore::TakeProfileFromOutside(int slot, const std::string& path, const std::string& bytes) {
    ProfileRecord& own = state_.Profiles[size_t(slot)];
    if (!files_.IsOwnVersion(path, ProfileFileBytes(own)))
        return KeepOutsideVersion(path, bytes, Clash());
    ProfileRecord read = own;
    const ProfileParse parse = ParseProfileFile(ToU16(path), files_, read);
    Reason problem = parse.Ok ? Reason() : parse.Why;
    if (parse.Ok && (parse.FirstDifferentLine != 0 || ProfileFileBytes(read) != bytes))
        problem = Reason::Of(text::kLineNotAsWritten,
                             {Reason::Number(std::max(parse.FirstDifferentLine, 1))});
    if (!problem.Empty())
        return KeepOutsideVersion(
            path, bytes,
            Reason::Of(text::kOutsideKeepsProfile,
                       {problem, ProfileLabel(slot, own.Setting(kProfileName))}));
    files_.Remember(path, bytes);
    own = std::move(read);
    // Only what differs from what the mouse holds is sent.
    if (slot == state_.CurrentProfileTab)
        writer_.MarkChanged(kAllGroups);
    ui_.RefreshControls();
}

void AppCore::TakeLibraryFromOutside(const std::string& path, const std::string& bytes) {
    if (macros_changed_)
        return KeepOutsideVersion(path, bytes, Clash());
    // Tried on the scratch library first: a damaged file replaces nothing.
    const MacroLibraryLoad trial = LoadMacroLibrary(path, scratch_, files_);
    scratch_.ClearLibrary();
    if (!trial.Complete || !trial.Repairs.empty()) {
        const Reason problem =
            !trial.Repairs.empty() ? trial.Repairs.front() : Reason::Of(text::kNotReadToEnd);
        KeepOutsideVersion(path, bytes, Reason::Of(text::kOutsideKeepsLibrary, {problem}));
        macros_changed_ = true;
        return;
    }
    files_.Remember(path, bytes);
    NoteLibraryLoad(LoadMacroLibrary(path, library_, files_));
    writer_.RequestMacroRefresh();
    writer_.MarkChanged(kGroupButtons);
    ui_.RefreshControls();
}

}  // namespace velmaro
