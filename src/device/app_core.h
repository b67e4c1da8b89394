// Everything the main window owns that is not drawing: the program state,
// the macro library, the settings writer, the device link and the picture of
// the mouse, with the start-up order, the timers, the posted-event handling,
// the device-change handling, the profile switch, the factory reset and the
// save at exit. The desktop program drives it from its event loop; the
// command-line tool drives it directly, on a manual clock.
//
// Everything here runs on one thread (the user-interface thread). Other
// threads only post to Events(); DrainPostedEvents() handles what they
// posted.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "device/core_ui.h"
#include "device/device_link.h"
#include "device/factory_reset.h"
#include "device/feature_report.h"
#include "device/library_macro_lookup.h"
#include "device/posted_events.h"
#include "device/settings_writer.h"
#include "device/status_poller.h"
#include "macro/macro_library.h"
#include "macro/macro_library_file.h"
#include "model/program_state.h"
#include "model/timer_host.h"
#include "storage/file_system.h"
#include "storage/profile_file.h"
#include "storage/settings_file.h"
#include "storage/storage_report.h"
#include "storage/tracked_file_system.h"

namespace velmaro {

struct AppCoreOptions {
    // The data folder; empty takes the user's default (DefaultDataFolder).
    std::u16string DataFolder;
    // The locale that picks the language of a first start; none takes the
    // environment's (UserLocale).
    std::optional<std::string> Locale;
    // Scales the UI font height the language chooses.
    double UiScale = 1.0;
    // Start the backend's device-change watch (arrivals and removals).
    bool WatchDeviceChanges = true;
    // The virtual mouse runs: with no DataFolder given, the simulated data
    // folder (SimulatedDataFolder) is used, never the user's real one.
    bool Simulated = false;
};

// What the start-up did, step by step.
struct StartupReport {
    // With a trailing "/"; empty when no folder could be found (no home
    // folder): the program then runs on defaults and writes no file.
    std::u16string DataFolder;
    // The folders exist and the language files are in place.
    bool DataFolderReady = false;
    // The chosen language file was read to its end.
    bool LanguageLoaded = false;
    MacroLibraryLoad Macros;
    bool ConfigFolderReady = false;
    // What the settings and profile files held, what was rebuilt or kept.
    LoadSettingsResult Settings;
    // The sensor is known, so DPI steps exist.
    bool DpiTablesBuilt = false;
    HidError Notifications;
    ScanReport Scan;
    // The first status query, when a mouse was found.
    std::optional<StatusQueryOutcome> Status;

    bool DevicePresent() const { return Scan.DevicePresent; }
};

struct ShutdownReport {
    // A save was scheduled and ran; Save lists the files not written.
    bool Saved = false;
    StorageReport Save;
    // The macros changed, so the library file was written (or tried).
    bool LibrarySaveTried = false;
    bool LibrarySaved = false;
};

// What a start reads from the data folder before anything reaches the
// mouse: the folders and language files put in place, the language, the
// macro library, the settings and profiles (repaired where damaged), the DPI
// tables, and what each file held when it was read. It touches only the files
// and its own state, so the desktop program reads it on another thread while
// the application object is built and hands it to AppCore::Initialize.
class FolderStart {
  public:
    // `fs` must be the file system the core is given.
    explicit FolderStart(FileSystem& fs) : files_(fs) {}
    FolderStart(const FolderStart&) = delete;
    FolderStart& operator=(const FolderStart&) = delete;

    // Initialize chooses the font again for its own options.UiScale.
    void Read(const AppCoreOptions& options);
    // The language's font once Read has returned; its face does not depend
    // on the scale.
    const UiFont& Font() const { return state_.Language.Font; }

  private:
    friend class AppCore;
    TrackedFileSystem files_;
    ProgramState state_;
    MacroLibrary library_;
    StartupReport report_;
};

class AppCore {
  public:
    // Every reference must outlive the core.
    AppCore(HidBackend& backend, FileSystem& fs, TimerHost& timers, Pacer& pacer, CoreUi& ui);
    ~AppCore();
    AppCore(const AppCore&) = delete;
    AppCore& operator=(const AppCore&) = delete;

    // The main window's start-up without the window: data folder, language,
    // macro library, settings and profiles, DPI tables, defaults, device
    // notifications, the current profile taken as held by the mouse, the
    // scan, the first status query when a mouse is there, and the start-up
    // check two seconds later. `read`: the data folder as read beforehand
    // with the same options (UiScale aside); it is taken over, and whatever
    // changed in the folder since it was read counts as changed from
    // outside. Null: the folder is read here.
    StartupReport Initialize(const AppCoreOptions& options = {}, FolderStart* read = nullptr);

    // Timer dispatch: apply (30), display countdown (50), save (70), start-up
    // check (80), status (110). False for any other id.
    bool OnTimer(int id);

    // Handles what other threads posted, oldest first; the number handled.
    // Stops once the program is to end (the mouse is gone).
    int DrainPostedEvents();
    void HandleEvent(const PostedEvent& event);

    // A full scan: the link's scan, the status timer (re)started when a mouse
    // is there, and an apply of everything 20 ms later without progress.
    ScanReport ScanDevices();
    // Device-change handling: a HID interface of any device came or went.
    void OnInterfaceArrival();
    void OnInterfaceRemoval();
    // The mouse changed its DPI level or report rate: the current profile
    // follows, the pages refresh, the writer takes it as held by the mouse,
    // and the on-screen display shows it.
    void OnMouseSideChange(const MouseSideChange& change);
    // Opens or refreshes the on-screen display for the current profile.
    void ShowOsd();

    // Sends the status query and parses the answer.
    StatusQueryOutcome QueryStatus();
    // Takes a status answer: sensor change, battery level, charging state.
    // Rejected for a wrong echo or status byte (nothing changes).
    StatusQueryOutcome ParseStatus(const FeatureReport& answer);

    void OnStatusTimer();
    void OnStartupCheckTimer();
    void OnOsdTimer();

    // The profile list's choice: slot 0..4 becomes current and every group
    // is marked for the apply 20 ms later. False for another slot.
    bool SwitchProfile(int slot);

    // The profiles page's import: the file is read completely before it
    // replaces slot 0..4, then the settings and profile files are saved
    // (storage ImportProfile). Into the current slot, every group is marked
    // for the apply 20 ms later, so the mouse holds what the pages show.
    ProfileReadResult ImportProfile(int slot, const std::u16string& path);

    // Runs a pending apply now instead of 20 ms later; false when none was due.
    bool ApplyNow();

    // After the user confirmed: the mouse and the current profile go back to
    // their defaults, the writer takes the mouse to hold them, the pages
    // refresh and the progress dialog shows.
    FactoryResetResult FactoryReset();

    // Files of the data folder (settings, profiles, macro library) changed
    // from outside since the program last read or wrote them. Each one that
    // reads cleanly, while the program has no change of its own waiting for
    // it, is taken in: the mouse gets what differs 20 ms later and the pages
    // refresh. Any other (damaged, or clashing with the program's own
    // change) is kept beside itself and the program's version is saved; the
    // report says so, together with what saves kept meanwhile. Runs before
    // every save too.
    StorageReport TakeOutsideChanges();
    // While a dialog works on the program's state (the macro manager on the
    // library), nothing is taken in from outside; a save still keeps an
    // outside change before it writes over it.
    void HoldOutsideChanges(bool held) { outside_held_ = held; }

    // The macro library changed; it is written at shutdown.
    void MarkMacrosChanged() { macros_changed_ = true; }
    // Writes the library now when it changed: none when nothing was due,
    // else whether it was written.
    std::optional<bool> SaveMacrosNow();

    // The library was (re)loaded from its file: whether it loaded completely
    // decides what the macro synchronisation does with a button whose macro
    // it lacks (SettingsWriter::SetLibraryComplete).
    void NoteLibraryLoad(const MacroLibraryLoad& load);
    // Once per run, after a synchronisation left macro buttons as they were
    // because the library did not load completely: what to tell the user
    // (the window words it in its language, velmaroctl in English). Also,
    // once for each set of buttons, that a button's macro was not sent
    // because the mouse cannot take it.
    std::optional<Reason> TakeLibraryAttention();
    // A library file with values that had to be repaired (load.Repairs) is
    // kept beside itself at once; the report tells which values.
    StorageReport KeepRepairedLibrary(const MacroLibraryLoad& load);

    // The save at exit when one is scheduled (and the library when the macros
    // changed), then the readers stopped and every handle closed. Runs once;
    // the destructor runs it when nobody did.
    ShutdownReport Shutdown();

    // The last interface of the mouse went away: the program is to end.
    bool EndRequested() const { return end_requested_; }

    ProgramState& State() { return state_; }
    const ProgramState& State() const { return state_; }
    MacroLibrary& Library() { return library_; }
    // The disk the core reads and writes (the window's macro manager saves
    // the library through it too).
    FileSystem& Files() { return fs_; }
    MacroLibrary& ScratchLibrary() { return scratch_; }
    SettingsWriter& Writer() { return writer_; }
    DeviceLink& Link() { return link_; }
    const DeviceLink& Link() const { return link_; }
    DeviceState& Device() { return device_; }
    const DeviceState& Device() const { return device_; }
    RequestBuilder& Requests() { return requests_; }
    // What the readers and the device-change watch post. The desktop program
    // sets its wake hook before Initialize, when no thread posts yet.
    PostedEventQueue& Events() { return events_; }
    // The files the last delayed save or sensor change could not write.
    const StorageReport& LastSaveReport() const { return last_save_; }
    const StorageReport& LastSensorChangeReport() const { return last_sensor_change_; }

  private:
    // The current profile as the user names it in messages.
    Reason CurrentProfileLabel() const;
    void SaveFiles();
    void CheckOutsideChanges();
    void TakeSettingsFromOutside(const std::string& path, const std::string& bytes);
    void TakeProfileFromOutside(int slot, const std::string& path, const std::string& bytes);
    void TakeLibraryFromOutside(const std::string& path, const std::string& bytes);
    void KeepOutsideVersion(const std::string& path, const std::string& bytes, const Reason& why);
    bool HasDataFolder() const { return !state_.DataFolder.empty(); }

    HidBackend& backend_;
    // The core's disk: everything it reads and writes goes through it, so
    // outside changes to the data folder are seen.
    TrackedFileSystem files_;
    FileSystem& fs_;
    TimerHost& timers_;
    Pacer& pacer_;
    CoreUi& ui_;

    ProgramState state_;
    MacroLibrary library_;
    MacroLibrary scratch_;
    LibraryMacroLookup lookup_{library_};
    RequestBuilder requests_;
    PostedEventQueue events_;
    DeviceLink link_;
    SettingsWriter writer_;
    DeviceState device_;

    StorageReport last_save_;
    StorageReport last_sensor_change_;
    // Outside changes kept aside and not yet told.
    StorageReport outside_;
    bool outside_held_ = false;
    bool macros_changed_ = false;
    // Why the library did not load completely; empty when it did.
    Reason library_problem_;
    bool library_attention_told_ = false;
    // The buttons whose unsendable macro was last told.
    std::vector<int> unsent_told_;
    bool library_repaired_ = false;
    bool end_requested_ = false;
    bool shut_down_ = false;
};

}  // namespace velmaro
