#include "device/app_core.h"

#include <memory>
#include <optional>
#include <type_traits>
#include <variant>

#include "model/profile_edits.h"
#include "model/text.h"
#include "model/text_entries.h"
#include "storage/data_folder.h"
#include "storage/language_file.h"
#include "storage/profile_file.h"

namespace velmaro {

namespace {

constexpr unsigned kAllGroups = kGroupButtons | kGroupMain | kGroupPower | kGroupWakeup;

}  // namespace

AppCore::AppCore(HidBackend& backend, FileSystem& fs, TimerHost& timers, Pacer& pacer, CoreUi& ui)
    : backend_(backend),
      files_(fs),
      fs_(files_),
      timers_(timers),
      pacer_(pacer),
      ui_(ui),
      link_(backend, events_),
      writer_(state_, requests_, link_, lookup_, ui, timers, pacer) {
    writer_.SetSaveHandler([this] { SaveFiles(); });
    writer_.SetStatusPollReset([this] { device_.StatusPollCounter = 0; });
}

AppCore::~AppCore() {
    Shutdown();
}

StartupReport AppCore::Initialize(const AppCoreOptions& options, FolderStart* read) {
    // A folder start is large: on the heap, not the stack of the GUI thread.
    std::unique_ptr<FolderStart> own;
    if (read == nullptr) {
        own = std::make_unique<FolderStart>(files_.Inner());
        own->Read(options);
        read = own.get();
    }
    state_ = std::move(read->state_);
    library_ = std::move(read->library_);
    files_.TakeOver(std::move(read->files_));
    StartupReport report = std::move(read->report_);
    if (report.LanguageLoaded)
        state_.Language.Font = ChooseUiFont(state_.Language, options.UiScale);
    if (HasDataFolder()) {
        NoteLibraryLoad(report.Macros);
        report.Settings.Report.Append(KeepRepairedLibrary(report.Macros));
    }

    device_ = DeviceState{};
    ui_.RefreshControls();
    if (options.WatchDeviceChanges) {
        report.Notifications = link_.RegisterDeviceNotifications();
    } else {
        link_.Shutdown();
    }
    device_.StatusQueryPending = true;
    writer_.RebuildLastSent();
    report.Scan = ScanDevices();
    if (link_.DevicePresent() && device_.StatusQueryPending) {
        device_.StatusQueryPending = false;
        report.Status = QueryStatus();
        ui_.RefreshControls();
    }
    timers_.StartTimer(kTimerStartupCheck, kStartupCheckDelayMs);
    return report;
}

bool AppCore::OnTimer(int id) {
    switch (id) {
        case kTimerApply:
        case kTimerSave:
            return writer_.HandleTimer(id);
        case kTimerOsd:
            OnOsdTimer();
            return true;
        case kTimerStartupCheck:
            OnStartupCheckTimer();
            return true;
        case kTimerStatus:
            OnStatusTimer();
            return true;
        default:
            return false;
    }
}

int AppCore::DrainPostedEvents() {
    int handled = 0;
    for (const PostedEvent& event : events_.TakeAll()) {
        if (end_requested_)
            break;
        HandleEvent(event);
        ++handled;
    }
    return handled;
}

void AppCore::HandleEvent(const PostedEvent& event) {
    std::visit(
        [this](const auto& e) {
            using E = std::decay_t<decltype(e)>;
            if constexpr (std::is_same_v<E, MouseSideChange>) {
                OnMouseSideChange(e);
            } else if constexpr (std::is_same_v<E, InterfaceArrived>) {
                OnInterfaceArrival();
            } else {
                OnInterfaceRemoval();
            }
        },
        event);
}

ScanReport AppCore::ScanDevices() {
    ScanReport report = link_.ScanDevices();
    if (report.DevicePresent)
        timers_.StartTimer(kTimerStatus, kStatusPeriodMs);
    writer_.MarkAfterScan();
    return report;
}

void AppCore::OnInterfaceArrival() {
    if (link_.CableFound() && link_.ReceiverFound())
        return;
    ScanDevices();
    device_.StatusPollCounter = kStatusCounterAfterScan;
    if (link_.DevicePresent() && device_.StatusQueryPending) {
        device_.StatusQueryPending = false;
        QueryStatus();
        ui_.RefreshControls();
    }
    ui_.RefreshControls();
}

void AppCore::OnInterfaceRemoval() {
    if (!link_.CableFound() && !link_.ReceiverFound())
        return;
    ScanDevices();
    device_.StatusPollCounter = kStatusCounterAfterScan;
    if (!link_.DevicePresent()) {
        device_.StatusQueryPending = true;
        end_requested_ = true;
        ui_.DeviceGone();
    }
}

void AppCore::OnMouseSideChange(const MouseSideChange& change) {
    // The rebuild below takes the whole current profile as held by the mouse;
    // a change the user made that is still waiting for its apply would never
    // be sent. It goes out first.
    if (timers_.IsTimerRunning(kTimerApply) || writer_.ButtonsDirty() || writer_.MainDirty() ||
        writer_.PowerDirty() || writer_.WakeupDirty()) {
        writer_.OnApplyTimer();
    }
    if (!ApplyMouseSideChange(state_.CurrentRecord(), device_, change))
        return;
    ui_.RefreshControls();
    writer_.RebuildLastSent();
    ShowOsd();
}

void AppCore::ShowOsd() {
    const OsdTexts texts =
        ComposeOsdTexts(state_.CurrentRecord(), state_.Sensor, device_.CurrentDpiOrdinal);
    if (device_.OsdOpen) {
        ui_.UpdateOsd(texts);
    } else {
        ui_.ShowOsd(texts);
        timers_.StartTimer(kTimerOsd, kOsdPeriodMs);
        device_.OsdOpen = true;
    }
    device_.OsdCountdown = kOsdCountdownTicks;
}

void AppCore::OnOsdTimer() {
    if (device_.OsdCountdown != 0) {
        --device_.OsdCountdown;
        return;
    }
    timers_.StopTimer(kTimerOsd);
    if (device_.OsdOpen) {
        device_.OsdOpen = false;
        ui_.CloseOsd();
    }
}

StatusQueryOutcome AppCore::QueryStatus() {
    const StatusExchange exchange = ExchangeStatusQuery(link_, requests_, pacer_);
    if (exchange.Outcome != StatusQueryOutcome::Answered)
        return exchange.Outcome;
    return ParseStatus(exchange.Answer);
}

StatusQueryOutcome AppCore::ParseStatus(const FeatureReport& answer) {
    const std::optional<StatusAnswer> fields = ReadStatusAnswer(answer);
    if (!fields)
        return StatusQueryOutcome::Rejected;
    if (fields->SensorId && *fields->SensorId != state_.Sensor.SensorId) {
        // The files follow the new sensor; without a data folder there are none.
        if (HasDataFolder()) {
            last_sensor_change_ = ChangeSensor(state_, fs_, *fields->SensorId);
        } else {
            AdoptSensor(state_, *fields->SensorId);
        }
        ui_.SensorChanged(state_.Sensor.ExtendedSensorFlag != 0);
    }
    ApplyBatteryStatus(device_, fields->BatteryLevel, fields->ChargeByte);
    return StatusQueryOutcome::Parsed;
}

void AppCore::OnStatusTimer() {
    if (device_.StatusPollCounter >= kStatusQueryDue) {
        device_.StatusPollCounter = 0;
        // A role that is found but lost its reader gets a new one.
        if (link_.CableFound() && !link_.ReaderBusy(DeviceRole::Cable)) {
            ScanDevices();
            device_.StatusPollCounter = kStatusCounterAfterScan;
        }
        if (link_.ReceiverFound() && !link_.ReaderBusy(DeviceRole::Receiver)) {
            ScanDevices();
            device_.StatusPollCounter = kStatusCounterAfterScan;
        }
        QueryStatus();
    } else {
        ++device_.StatusPollCounter;
    }
    ui_.UpdateBattery(AdvanceBatteryDisplay(device_));
}

void AppCore::OnStartupCheckTimer() {
    timers_.StopTimer(kTimerStartupCheck);
    if (!link_.HasCommandInterface())
        ui_.ShowAttention(kAttentionTitle, kTextNoDevice);
}

bool AppCore::SwitchProfile(int slot) {
    if (slot < 0 || slot >= kProfileSlots)
        return false;
    state_.Settings.SetCurrentProfile(slot);
    state_.CurrentProfileTab = slot;
    ui_.RefreshControls();
    // Every group: the new profile's sleep time and motion wake-up belong to
    // it as much as its buttons and DPI levels. Only what differs is sent.
    writer_.MarkChanged(kAllGroups);
    return true;
}

ProfileReadResult AppCore::ImportProfile(int slot, const std::u16string& path) {
    ProfileReadResult result;
    if (!HasDataFolder()) {
        result.Problem = "there is no data folder to keep it in";
        return result;
    }
    result = velmaro::ImportProfile(state_, slot, path, fs_);
    if (!result.Ok)
        return result;
    ui_.RefreshControls();
    if (slot == state_.CurrentProfileTab)
        writer_.MarkChanged(kAllGroups);
    return result;
}

bool AppCore::ApplyNow() {
    if (!timers_.IsTimerRunning(kTimerApply))
        return false;
    writer_.OnApplyTimer();
    return true;
}

FactoryResetResult AppCore::FactoryReset() {
    FactoryResetResult result = ResetMouseAndCurrentProfile(state_, fs_, link_, requests_);
    writer_.RebuildLastSent();
    ui_.RefreshControls();
    device_.StatusPollCounter = 0;
    ui_.ShowProgress(state_.Language.Text(kTextProgressWriting));
    return result;
}

void AppCore::NoteLibraryLoad(const MacroLibraryLoad& load) {
    const std::string path = MacroLibraryPath(state_.DataFolder);
    if (!load.Opened)
        library_problem_ = UnreadableFileReason(fs_, path);
    else if (!load.HasMark)
        library_problem_ = Reason::Of(text::kLibraryFirstLines);
    else if (load.SkippedItems != 0)
        library_problem_ = Reason::Of(text::kLibraryItemsTooMany);
    else if (!load.Complete)
        library_problem_ = Reason::Of(text::kLibraryCutShort);
    else if (!load.Repairs.empty())
        library_problem_ = Reason::Of(text::kLibraryRepaired);
    else
        library_problem_ = Reason();
    library_repaired_ = !load.Repairs.empty();
    lookup_.HoldBack(load.RepairedKeys);
    writer_.SetLibraryComplete(library_problem_.Empty());
}

StorageReport AppCore::KeepRepairedLibrary(const MacroLibraryLoad& load) {
    StorageReport report;
    if (load.Repairs.empty())
        return report;
    Reason repairs = load.Repairs.front();
    for (size_t i = 1; i < load.Repairs.size(); ++i)
        repairs = Reason::Of(text::kReasonsJoined, {repairs, load.Repairs[i]});
    KeepBeforeReplacing(fs_, MacroLibraryPath(state_.DataFolder), report,
                        Reason::Of(text::kLibraryRepairsKept, {repairs}));
    return report;
}

namespace {
// Buttons as the user counts them, from 1, as a list.
Reason ButtonList(const std::vector<int>& buttons) {
    std::vector<Reason> numbers;
    for (const int button : buttons)
        numbers.push_back(Reason::Number(button + 1));
    return ListOf(std::move(numbers));
}
}  // namespace

Reason AppCore::CurrentProfileLabel() const {
    const int slot = int(state_.CurrentProfileTab);
    const std::u16string name = slot >= 0 && slot < kProfileSlots
                                    ? state_.Profiles[size_t(slot)].Setting(kProfileName)
                                    : std::u16string();
    return ProfileLabel(slot, name);
}

std::optional<Reason> AppCore::TakeLibraryAttention() {
    // A macro the mouse cannot take is told once for each set of buttons.
    const std::vector<int>& unsent = writer_.UnsentMacroButtons();
    if (unsent != unsent_told_) {
        unsent_told_ = unsent;
        if (!unsent.empty())
            return Reason::Of(unsent.size() > 1 ? text::kMacrosNotSent : text::kMacroNotSent,
                              {ButtonList(unsent), CurrentProfileLabel()});
    }
    const std::vector<int>& buttons = writer_.UnfoundMacroButtons();
    if (library_attention_told_ || buttons.empty())
        return std::nullopt;
    library_attention_told_ = true;
    const bool many = buttons.size() > 1;
    const uint16_t entry =
        library_repaired_
            ? (many ? text::kLibraryKeepsManyRepaired : text::kLibraryKeepsOneRepaired)
            : (many ? text::kLibraryKeepsMany : text::kLibraryKeepsOne);
    return Reason::Of(entry, {Reason::Text(MacroLibraryPath(state_.DataFolder)), library_problem_,
                              ButtonList(buttons), CurrentProfileLabel()});
}

void AppCore::SaveFiles() {
    last_save_ = StorageReport{};
    if (!HasDataFolder())
        return;
    // What came from outside since the last look is taken in or kept first.
    CheckOutsideChanges();
    last_save_.NoteWrite(SaveSettings(state_, fs_), ToUtf8(SettingsFilePath(state_)), fs_);
    last_save_.Append(WriteAllProfileFiles(state_, fs_));
    // The save's report tells what was kept too (velmaroctl prints it); the
    // window hears it from TakeOutsideChanges.
    outside_.Append(files_.TakeKeptBeforeWrites());
    for (const KeptFile& kept : outside_.KeptFiles)
        last_save_.KeptFiles.push_back(kept);
}

std::optional<bool> AppCore::SaveMacrosNow() {
    if (!macros_changed_ || !HasDataFolder())
        return std::nullopt;
    const bool saved = SaveMacroLibrary(MacroLibraryPath(state_.DataFolder), library_, fs_);
    if (saved)
        macros_changed_ = false;
    return saved;
}

ShutdownReport AppCore::Shutdown() {
    ShutdownReport report;
    if (shut_down_)
        return report;
    shut_down_ = true;
    // A change made in the last 20 ms has not been applied yet: send it now,
    // which also schedules its save, rather than lose it with the program.
    ApplyNow();
    // No more posts from the watch or the readers, and no handle left open.
    link_.Shutdown();
    report.Saved = writer_.FlushOnExit();
    if (report.Saved)
        report.Save = last_save_;
    if (macros_changed_ && HasDataFolder()) {
        report.LibrarySaveTried = true;
        report.LibrarySaved = SaveMacroLibrary(MacroLibraryPath(state_.DataFolder), library_, fs_);
        if (report.LibrarySaved)
            macros_changed_ = false;
    }
    return report;
}

}  // namespace velmaro
