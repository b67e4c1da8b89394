// The main window: owns the core (device link, settings writer, program
// state), implements what the core asks of the user interface, and routes
// every message to the page or section that owns it. The window-level
// controls (exit, minimise, reset, the mouse settings button, the user guide
// link, the area titles and the battery gauge) are its own.
#pragma once

#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "device/app_core.h"
#include "device/core_ui.h"
#include "model/profile_edits.h"
#include "model/reason.h"
#include "model/timer_host.h"
#include "ui/dlg_base.h"
#include "ui/file_chooser.h"

namespace velmaro {

class CMainWindowPage;
class CButtonPage;
class CDpiSection;
class CLightingSection;
class CProfilesPage;
class CSettingsSections;
class CRateSection;
class CLiftOffSection;
class CPointerSection;
class CDebounceSection;
class CPowerArea;
class COsdWindow;
class CTrayIcon;
class CDataFolderWatcher;
class CTrayWatch;
class CDesktopNotification;
class FileSystem;
class HidBackend;

// Control ids of the window itself.
inline constexpr uint32_t kExitButtonId = 0x7D1;           // 2001
inline constexpr uint32_t kMinimiseButtonId = 0x7D2;       // 2002
inline constexpr uint32_t kResetButtonId = 0x7FD;          // 2045
inline constexpr uint32_t kMouseSettingsButtonId = 0xD02;  // 3330
inline constexpr uint32_t kUserGuideLinkId = 0xDAF;        // 3503
inline constexpr uint32_t kTitleButtonsId = 0xBBF;         // 3007
inline constexpr uint32_t kTitlePerformanceId = 0xBC0;     // 3008
inline constexpr uint32_t kTitlePowerId = 0xBC2;           // 3010
inline constexpr uint32_t kBatteryGaugeId = 0xD4E;         // 3406
inline constexpr uint32_t kBatteryTextId = 0xD4D;          // 3405
inline constexpr uint32_t kMousePictureId = 0xD60;

// Messages of the window.
inline constexpr uint32_t kMsgMouseSideChange = 0x42B;
inline constexpr uint32_t kMsgRestore = 2999;
inline constexpr uint32_t kMenuRestore = 2075;
inline constexpr uint32_t kMenuExit = 2076;

// The unscaled window size.
inline constexpr int kMainWindowWidth = 1127;
inline constexpr int kMainWindowHeight = 740;

// Everything the window runs on; the references must outlive it.
struct MainWindowSetup {
    HidBackend* Backend = nullptr;  // required
    FileSystem* Files = nullptr;    // null: the real file system
    Pacer* Pacing = nullptr;        // null: real sleeps
    AppCoreOptions Core;
    // Null: the window's own timers on the event loop. Tests pass a manual
    // clock and fire the window's timers through it.
    TimerHost* Timers = nullptr;
    // Runs a small dialog modally and returns its result; null: DoModal.
    // Tests answer dialogs here without a nested event loop.
    std::function<int(CDlgBase&)> RunModal;
    // The data folder as the start read it beside the application object's
    // construction (waits for that read; called once). Null: the window's
    // core reads the folder itself.
    std::function<FolderStart&()> ReadFolder;
    // The open and save file dialogs; null: the desktop's (QFileDialog).
    FileChooser* Chooser = nullptr;
    // Whether the desktop has a notification area; none: ask the system,
    // and follow a tray that comes or goes after the start.
    std::optional<bool> TrayAvailable;
    // Whether the on-screen display is a desktop notification; none: on
    // Wayland, when the notification service is on the session bus.
    std::optional<bool> OsdAsNotification;
    // The user guide the link opens.
    QString UserGuideUrl;
    // Support text of the hidden key sequence; empty: the language's.
    QString SupportText;
    // The udev rule the access message tells the user to install; empty
    // names it only.
    QString UdevRule;
    // What the autostart entry runs (before --hidden); empty: this program.
    QString AutostartCommand;
};

class CKorvaneDlg : public CDlgBase, public CoreUi {
  public:
    CKorvaneDlg(UiContext& ui, const MainWindowSetup& setup);
    ~CKorvaneDlg() override;

    // Start-up: the core (folders, language, macros, settings, profiles, DPI
    // tables, scan, status), the controls of every page, the first refresh,
    // size and place, the start-up check timer.
    bool OnInitDialog() override;
    void DrawWindow(QPainter& dc, const Rect& updateRect) override;
    void InitUI(int left, int top, int right, int bottom) override;

    // --- timers: the window's own, or the test clock ----------------------
    void StartTimer(int id, int period_ms) override;
    void StopTimer(int id) override;
    bool IsTimerRunning(int id) const override;
    // Runs the handler of timer `id` as if it had fired.
    void FireTimer(int id) { OnTimer(id); }

    // --- for the pages ----------------------------------------------------
    AppCore& Core() { return *core_; }
    const AppCore& Core() const { return *core_; }
    ProgramState& State() { return core_->State(); }
    ProfileRecord& Profile() { return core_->State().CurrentRecord(); }
    // LanguageTable entry n as a QString.
    QString Text(int entry) const;
    // A reason of the core, worded in the user's language.
    QString Text(const Reason& reason) const;
    const StartupReport& Startup() const { return startup_; }
    // A page's change: `edit` changes the current profile through
    // model/profile_edits; when accepted, its groups are marked for the
    // writer, the apply timer restarts (20 ms) and every page refreshes.
    // A refusal with a message shows the attention dialog.
    EditResult ApplyEdit(const std::function<EditResult(ProfileRecord&)>& edit);
    // The same for the changes that run the window's collect step: once the
    // edit is in and the pages show it, every page reads its controls back,
    // so the values only carried through (debounce, pointer) are normalised
    // and sent with the change.
    EditResult ApplyEditAndCollect(const std::function<EditResult(ProfileRecord&)>& edit);
    // Marks groups and restarts the apply timer without an edit function
    // (a page that collected its controls itself).
    void MarkChanged(DirtyGroups groups);
    // Every page reads its controls into the current profile.
    void CollectPages();
    // Runs a small dialog modally (or through the test hook).
    int RunModal(CDlgBase& dialog);
    // The file dialogs (the test's, or the desktop's).
    FileChooser& Chooser() { return setup_.Chooser ? *setup_.Chooser : desktopChooser_; }
    // The file system the core reads and writes (the test's, or the real one).
    FileSystem& Files();
    // The open-dialog table: secondary dialogs enter themselves while open
    // so that the end of the program closes them.
    void RegisterDialog(QWidget* dialog);
    void UnregisterDialog(QWidget* dialog);
    std::vector<QWidget*> OpenDialogs() const;

    CButtonPage& Buttons() { return *buttons_; }
    CDpiSection& Dpi() { return *dpi_; }
    CLightingSection& Lighting() { return *lighting_; }
    CProfilesPage& ProfilesPage() { return *profiles_; }
    CSettingsSections& Sections() { return *sections_; }
    CRateSection& Rate() { return *rate_; }
    CLiftOffSection& LiftOff() { return *liftOff_; }
    CPointerSection& Pointer() { return *pointer_; }
    CDebounceSection& Debounce() { return *debounce_; }
    CPowerArea& Power() { return *power_; }

    // --- CoreUi -----------------------------------------------------------
    void RefreshControls() override;
    void ShowProgress(const std::u16string& text) override;
    void MarkProfileChanged() override;
    void ShowAttention(uint16_t title_entry, uint16_t message_entry) override;
    void ShowOsd(const OsdTexts& texts) override;
    void UpdateOsd(const OsdTexts& texts) override;
    void CloseOsd() override;
    void UpdateBattery(const BatteryDisplay& battery) override;
    void SensorChanged(bool extended_sensor) override;
    void DeviceGone() override;

    // --- the program's end and the window's looks ----------------------------
    // Runs what other threads posted (input reports, device changes).
    void DrainPostedEvents();
    // Brings the window back from the notification area or the task bar;
    // `activationToken` is the desktop's token of the request that asked
    // for it (org.freedesktop.Application.Activate), empty when none came;
    // on Wayland the window takes the focus with it.
    void Restore(const QString& activationToken = QString());
    // While a velmaroctl command runs on the window: no progress dialog.
    void SetServingCommand(bool serving) { servingCommand_ = serving; }
    // Closes the open dialogs, saves what is pending and ends the program.
    void EndProgram();
    bool Ended() const { return ended_; }
    // Called once the program is to end (the application quits its loop).
    void SetEndHandler(std::function<void()> handler) { endHandler_ = std::move(handler); }
    // Called once, after the window's first paint reached the screen.
    void SetFirstPaintHandler(std::function<void()> handler) {
        firstPaintHandler_ = std::move(handler);
    }
    bool TrayAvailable() const { return trayAvailable_; }
    // Looks for the notification area now if the window has not yet: a
    // window shown at start looks right after its first paint (asking the
    // session bus and the X server takes time the first paint need not wait
    // for), a hidden start before deciding whether to show.
    void EnsureTrayWatch();
    // A notification area came or went: the icon is added or removed, and
    // the close button hides or ends accordingly.
    void SetTrayAvailable(bool available);
    // The first showing: `hidden` (velmaro --hidden) starts in the
    // notification area without the window, where there is one. When the
    // system is asked and has none yet, the window waits up to
    // kTrayWaitMs for one before it shows.
    void ShowAtStart(bool hidden);
    static constexpr int kTrayWaitMs = 30000;
    static constexpr int kTimerTrayWait = 130;
    // The compiled-in bitmap the window draws as its background.
    static constexpr int kBackgroundResource = 364;
    // A window shown at start asks for the notification area after its first
    // paint, and at the latest this long after it was shown.
    static constexpr int kTrayWatchLatestMs = 500;
    // A hidden start waiting for a notification area.
    bool WaitingForTray() const;
    // The tray's "Start at login": writes or removes the autostart entry; a
    // failure is told in the attention dialog. The entry's check follows the
    // file.
    void SetStartAtLogin(bool enabled);
    // A message of several lines in the long attention dialog, run modally.
    void ShowNotice(const QString& message);
    // The notification-area icon; null without a notification area.
    CTrayIcon* Tray() const { return tray_.get(); }
    // The on-screen display while it is open.
    COsdWindow* Osd() const { return osd_.get(); }
    // The modeless start-up message while it is open.
    CDlgBase* StartupMessage() const;
    // Titles of the attention dialogs shown so far (for the tests of the
    // hidden key sequence and the page warnings).
    int KeySequencePosition() const { return keySequence_; }

  protected:
    intptr_t DispatchMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    void OnTimer(int id) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void CreateWindowControls();
    bool HandleWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    void OnExitOrMinimise(bool exitButton);
    void OnFactoryReset();
    void OnMouseSettings();
    void OnUserGuide();
    void OnKeySequence(int key);
    void ShowSupportMessage();
    void ShowLibraryAttention();
    // Files of the data folder kept aside at start or after an outside
    // change: told in the attention dialog.
    void ShowKeptFiles(int headingEntry, const StorageReport& report);
    void OnOutsideChanges();
    // No notification area came within kTrayWaitMs of a hidden start.
    void OnTrayWaitOver();
    void PlaceWindow();
    void MakeTray();
    bool OsdAsNotification() const;
    // The mouse is reached through its receiver only (its battery counts).
    bool WirelessOnly() const;
    // How long the on-screen display's notification stays: the display's
    // 300 ms countdown of five ticks.
    static constexpr int kOsdNotificationMs = 1500;

    MainWindowSetup setup_;
    QtFileChooser desktopChooser_;
    std::unique_ptr<Pacer> ownPacer_;
    std::unique_ptr<AppCore> core_;
    StartupReport startup_;
    bool controlsCreated_ = false;
    bool trayAvailable_ = false;
    // No tray was given by the setup and the system has not been asked yet.
    bool trayWatchPending_ = false;
    bool ended_ = false;
    bool dragging_ = false;
    // Modal dialogs running now; an end asked for meanwhile waits for them.
    int modalDepth_ = 0;
    bool endPending_ = false;
    // A slider dragged from outside it reported a change (apply at the drag's end).
    bool outsideDrag_ = false;
    bool dragChanged_ = false;
    int keySequence_ = 0;
    std::function<void()> endHandler_;
    std::function<void()> firstPaintHandler_;
    std::array<QPointer<QWidget>, 10> openDialogs_;
    std::unique_ptr<COsdWindow> osd_;
    std::unique_ptr<CTrayIcon> tray_;
    std::unique_ptr<CDataFolderWatcher> watcher_;
    std::unique_ptr<CTrayWatch> trayWatch_;
    std::unique_ptr<CDesktopNotification> notification_;
    // What the battery showed last, for an icon added later.
    BatteryDisplay lastBattery_;
    QPointer<CDlgBase> startupMessage_;

    std::unique_ptr<CButtonPage> buttons_;
    std::unique_ptr<CDpiSection> dpi_;
    std::unique_ptr<CLightingSection> lighting_;
    std::unique_ptr<CProfilesPage> profiles_;
    std::unique_ptr<CSettingsSections> sections_;
    std::unique_ptr<CRateSection> rate_;
    std::unique_ptr<CLiftOffSection> liftOff_;
    std::unique_ptr<CPointerSection> pointer_;
    std::unique_ptr<CDebounceSection> debounce_;
    std::unique_ptr<CPowerArea> power_;
    // Every page, in routing order.
    std::vector<CMainWindowPage*> pages_;
    bool servingCommand_ = false;
};

}  // namespace velmaro
