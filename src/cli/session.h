// One run of velmaroctl: the backend (hidraw or the virtual mouse), the trace
// file, and the core started as the main window starts, driven on a manual
// clock; at the end the save at exit, with every file that could not be
// written or had to be put aside told on the error stream.
#pragma once

#include <atomic>
#include <fstream>
#include <functional>
#include <iosfwd>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/recording_file_system.h"
#include "device/app_core.h"
#include "device/core_ui.h"
#include "device/hid/hid_backend.h"
#include "model/timer_host.h"
#include "storage/storage_report.h"

namespace velmaro {
class VirtualMouse;
}

namespace velmaro::cli {

// The exit statuses scripts rely on.
enum ExitStatus : int {
    kExitOk = 0,
    kExitNoMouse = 1,  // a command that needs the mouse found none
    kExitUsage = 2,    // bad usage or a bad value
    kExitFiles = 3,    // a file could not be read or written, or an import was refused or partial
    kExitBusy = 4,     // the data folder's owner could not be reached; nothing was done
};

// What a command that needs the mouse says when there is none.
inline constexpr const char* kNoMouseFound =
    "no mouse found: check that the cable or the receiver is plugged in, that the udev rule "
    "70-velmaro.rules is installed (in /usr/lib/udev/rules.d or /etc/udev/rules.d) so the user "
    "may open the mouse, and what \"velmaroctl devices\" lists";

struct GlobalOptions {
    std::string DataDir;  // empty: the user's data folder
    bool Simulate = false;
    std::string SimulateOptions;
    std::string TracePath;  // empty: no trace
    bool Json = false;
    bool Verbose = false;  // say which process served the command
};

// A running program's core that commands run on instead of a core of their
// own (the window serving velmaroctl): its disk, its backend and what its
// start-up found. Every reference outlives the commands run on it.
struct AttachedCore {
    AppCore& Core;
    HidBackend& Backend;
    RecordingFileSystem& Files;
    const StartupReport& Startup;
    // Feature reports the program sent so far (counted at its HID seam).
    std::function<int()> SentSoFar;
    // Opens the command's --trace file beside the program's trace; an empty
    // path closes it. False when the file could not be opened.
    std::function<bool(const std::string&)> TraceCommandTo;
};

// Standard output for results, the error stream for messages.
struct Console {
    std::ostream& Out;
    std::ostream& Err;

    // "velmaroctl: <message>" on the error stream, with control characters
    // shown escaped (a file name can hold any of them); a message already
    // told in this run is not told again.
    void Message(std::string_view message) const;

    // Every message so far: the last one is the error a --json run reports.
    mutable std::vector<std::string> Messages{};

    // The messages told so far.
    mutable std::set<std::string> Told{};
};

// Control characters as \n, \t, \r, \\ or \xNN: one message stays one line.
std::string EscapeControls(std::string_view text);

// The data folder --data-dir names: the folder made absolute, with a
// trailing "/".
std::u16string DataFolderFromOption(std::string_view dir);

// Prints "kept the old <file> as <name>: <why>", the notes, and "could not
// write <file>: <the system's reason>" for a storage report; true when a
// write failed.
bool PrintStorageReport(const Console& console, const StorageReport& report);

using RealBackendFactory = std::function<std::unique_ptr<HidBackend>()>;

class Session {
  public:
    // `real` makes the system's backend; it is only called without --simulate.
    Session(const Console& console, RealBackendFactory real);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Opens the trace, makes the backend and starts the core; the apply the
    // scan asked for runs at once. kExitOk, or the status to end with.
    int Start(const GlobalOptions& options);
    // Runs on a running program's core instead (nothing is started; the
    // program's own start-up stands). kExitOk, or the status to end with.
    int Attach(const AttachedCore& attached, const GlobalOptions& options);

    AppCore& Core() { return *active_; }
    // The backend the core uses (traced when --trace was given).
    HidBackend& Backend() { return *backend_; }
    const StartupReport& Startup() const { return startup_; }
    // Runs on a running program's core (Attach).
    bool Attached() const { return attached_ != nullptr; }
    // Asks the mouse for its status now, as a start of its own does: a
    // running program polls it only where a battery is to be watched.
    void RefreshStatus();
    // A command interface of the mouse is open.
    bool HasMouse() const;
    // The disk the core and the commands write through.
    RecordingFileSystem& Files() { return *files_; }
    // Files written since the start-up, each once.
    const std::vector<std::string>& WrittenFiles() const { return files_->Written(); }
    // Feature reports sent to the mouse since the start-up.
    int SentReports() const;

    // Runs the deferred apply now, as its 20 ms timer would.
    void Apply();

    // The save at exit. Everything that could not be written is told; the
    // result is kExitFiles when that touches the command's own work
    // (`own_files`), else kExitOk.
    int Finish(bool own_files);

  private:
    int FinishAttached(bool own_files);

    const Console& console_;
    RealBackendFactory real_factory_;
    std::ofstream trace_;
    RecordingFileSystem ownFiles_{DefaultFileSystem()};
    RecordingFileSystem* files_ = &ownFiles_;
    std::atomic<int> sent_{0};
    std::atomic<bool> counting_{false};
    std::unique_ptr<VirtualMouse> sim_;
    std::unique_ptr<HidBackend> real_;
    std::unique_ptr<HidBackend> tracing_;
    HidBackend* backend_ = nullptr;
    ManualTimerHost timers_;
    std::unique_ptr<Pacer> pacer_;
    NullCoreUi ui_;
    std::unique_ptr<AppCore> core_;
    AppCore* active_ = nullptr;
    const AttachedCore* attached_ = nullptr;
    int sentAtAttach_ = 0;
    StartupReport startup_;
    bool finished_ = false;
};

}  // namespace velmaro::cli
