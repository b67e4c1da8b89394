#include "cli/session.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <ostream>

#include "cli/file_reasons.h"
#include "cli/tracing_backend.h"
#include "device/hid/sim/virtual_mouse.h"
#include "model/text.h"
#include "storage/english_texts.h"
#include "storage/file_system.h"

namespace velmaro::cli {

namespace {

// The virtual mouse answers at once; pausing for it would only slow scripts.
class NoPausePacer : public Pacer {
  public:
    void Pause(int) override {}
};

}  // namespace

std::string EscapeControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (u < 0x20 || u == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

void Console::Message(std::string_view message) const {
    std::string text = EscapeControls(message);
    if (!Told.insert(text).second)
        return;
    Messages.push_back(text);
    Err << "velmaroctl: " << text << '\n';
}

std::u16string DataFolderFromOption(std::string_view dir) {
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(std::filesystem::path(dir), ec);
    if (ec)
        path = std::filesystem::path(dir);
    std::string text = path.lexically_normal().string();
    if (text.empty() || text.back() != '/')
        text += '/';
    return ToU16(text);
}

bool PrintStorageReport(const Console& console, const StorageReport& report) {
    for (const KeptFile& kept : report.KeptFiles) {
        const std::string why = kept.Why.Empty() ? std::string() : ": " + EnglishText(kept.Why);
        if (kept.KeptAs.empty())
            console.Message("could not keep " + kept.Path + " before replacing it" + why);
        else if (kept.MadeNow)
            console.Message("kept the old " + kept.Path + " as " + kept.KeptAs + why);
    }
    for (const Reason& note : report.Notes)
        console.Message(EnglishText(note));
    for (size_t i = 0; i < report.FailedWrites.size(); ++i) {
        const std::string& error = i < report.WriteErrors.size() ? report.WriteErrors[i] : "";
        console.Message("could not write " + report.FailedWrites[i] +
                        (error.empty() ? std::string() : ": " + error));
    }
    return !report.FailedWrites.empty();
}

Session::Session(const Console& console, RealBackendFactory real)
    : console_(console), real_factory_(std::move(real)) {}

Session::~Session() {
    // The core's readers use the backend: stop them before it goes.
    core_.reset();
    if (attached_ != nullptr) {
        files_->EndCommand();
        if (attached_->TraceCommandTo)
            attached_->TraceCommandTo(std::string());
    }
}

int Session::Attach(const AttachedCore& attached, const GlobalOptions& options) {
    attached_ = &attached;
    active_ = &attached.Core;
    files_ = &attached.Files;
    backend_ = &attached.Backend;
    startup_ = attached.Startup;
    if (!options.TracePath.empty() && attached.TraceCommandTo &&
        !attached.TraceCommandTo(options.TracePath)) {
        console_.Message("could not write " + options.TracePath + ": " + std::strerror(errno));
        return kExitFiles;
    }
    files_->Forget();
    sentAtAttach_ = attached.SentSoFar ? attached.SentSoFar() : 0;
    return kExitOk;
}

void Session::RefreshStatus() {
    if (HasMouse())
        startup_.Status = active_->QueryStatus();
}

int Session::SentReports() const {
    if (attached_ != nullptr)
        return attached_->SentSoFar ? attached_->SentSoFar() - sentAtAttach_ : 0;
    return sent_;
}

int Session::Start(const GlobalOptions& options) {
    if (options.Simulate) {
        const SimulateOptionsResult sim = ParseSimulateOptions(options.SimulateOptions);
        if (!sim.Ok()) {
            console_.Message("--simulate: " + sim.error);
            return kExitUsage;
        }
        sim_ = std::make_unique<VirtualMouse>(sim.config);
        backend_ = sim_.get();
        pacer_ = std::make_unique<NoPausePacer>();
    } else {
        real_ = real_factory_();
        backend_ = real_.get();
        pacer_ = std::make_unique<SleepingPacer>();
    }
    if (!options.TracePath.empty()) {
        trace_.open(options.TracePath, std::ios::out | std::ios::app);
        if (!trace_) {
            console_.Message("could not write " + options.TracePath + ": " + std::strerror(errno));
            return kExitFiles;
        }
    }
    // Every report is counted for the command's result, and traced on request.
    tracing_ = std::make_unique<TracingHidBackend>(*backend_, [this](const std::string& line) {
        if (counting_ && line.starts_with("SET "))
            ++sent_;
        if (trace_.is_open()) {
            trace_ << line << '\n';
            trace_.flush();
        }
    });
    backend_ = tracing_.get();

    core_ = std::make_unique<AppCore>(*backend_, *files_, timers_, *pacer_, ui_);
    active_ = core_.get();
    AppCoreOptions core_options;
    if (!options.DataDir.empty())
        core_options.DataFolder = DataFolderFromOption(options.DataDir);
    core_options.Simulated = options.Simulate;
    // A command ends long before a device change could matter.
    core_options.WatchDeviceChanges = false;
    startup_ = core_->Initialize(core_options);
    if (startup_.DataFolder.empty())
        console_.Message("no data folder (HOME is not set): running on defaults, nothing is saved");
    PrintStorageReport(console_, startup_.Settings.Report);
    PrintStorageReport(console_, core_->LastSensorChangeReport());
    for (const OpenFailure& failure : startup_.Scan.OpenFailures) {
        std::string text = "could not open " + failure.Info.path + ": " +
                           std::string(HidErrorKindName(failure.Error.kind));
        if (failure.Error.kind == HidErrorKind::kAccessDenied)
            text += " (the udev rule packaging/70-velmaro.rules gives the user access)";
        console_.Message(text);
    }
    // The apply the scan asked for; it finds the mouse holding the profile.
    Apply();
    files_->Forget();
    counting_ = true;
    return kExitOk;
}

bool Session::HasMouse() const {
    return active_ != nullptr && active_->Link().HasCommandInterface();
}

void Session::Apply() {
    active_->ApplyNow();
    if (const auto attention = active_->TakeLibraryAttention())
        console_.Message(EnglishText(*attention));
}

int Session::Finish(bool own_files) {
    if (finished_ || active_ == nullptr)
        return kExitOk;
    finished_ = true;
    if (attached_ != nullptr)
        return FinishAttached(own_files);
    const ShutdownReport report = core_->Shutdown();
    bool failed = report.Saved && PrintStorageReport(console_, report.Save);
    if (report.LibrarySaveTried && !report.LibrarySaved) {
        const std::string why = DefaultFileSystem().LastErrorText();
        console_.Message("could not write " + MacroLibraryPath(core_->State().DataFolder) +
                         (why.empty() ? std::string() : ": " + why));
        failed = true;
    }
    // The synchronisation at exit may be the first to meet such a button.
    if (const auto attention = core_->TakeLibraryAttention())
        console_.Message(EnglishText(*attention));
    return failed && own_files ? kExitFiles : kExitOk;
}

int Session::FinishAttached(bool own_files) {
    // The program goes on: what the command changed is saved now, as a
    // command of its own saves at its end, so the files hold it when the
    // command returns.
    bool failed = false;
    if (active_->Writer().SaveScheduled()) {
        active_->OnTimer(kTimerSave);
        failed = PrintStorageReport(console_, active_->LastSaveReport());
    }
    if (const auto saved = active_->SaveMacrosNow(); saved && !*saved) {
        const std::string why = files_->LastErrorText();
        console_.Message("could not write " + MacroLibraryPath(active_->State().DataFolder) +
                         (why.empty() ? std::string() : ": " + why));
        failed = true;
    }
    if (const auto attention = active_->TakeLibraryAttention())
        console_.Message(EnglishText(*attention));
    return failed && own_files ? kExitFiles : kExitOk;
}

}  // namespace velmaro::cli
