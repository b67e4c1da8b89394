#include "app/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "app/autostart.h"
#include "app/button_page.h"
#include "app/data_folder_watcher.h"
#include "app/debounce_section.h"
#include "app/desktop_actions.h"
#include "app/desktop_notification.h"
#include "app/device_access.h"
#include "app/dpi_section.h"
#include "app/firmware_reset_dlg.h"
#include "app/lift_off_section.h"
#include "app/lighting_section.h"
#include "app/osd_window.h"
#include "app/pointer_section.h"
#include "app/power_area.h"
#include "app/profiles_page.h"
#include "app/rate_section.h"
#include "app/settings_sections.h"
#include "app/tray_icon.h"
#include "app/tray_watch.h"
#include "app/window_activation.h"
#include "model/text_entries.h"
#include "skin_layout.h"
#include "storage/file_system.h"
#include "ui/attention_dlg.h"
#include "ui/battery.h"
#include "ui/check_button.h"
#include "ui/image_button.h"
#include "ui/link_button.h"
#include "ui/progress_bar_dlg.h"
#include "ui/static_image.h"
#include "ui/static_text.h"

namespace velmaro {

namespace layout = velmaro::skin_layout;

namespace {

constexpr ColorRef kBatteryTextColor = 0xB4B4B4;
// Five letters typed twice each, in this order, show the support text.
constexpr char kKeySequence[] = "VVEELLMMOO";
constexpr int kKeySequenceLength = 10;

}  // namespace

CKorvaneDlg::CKorvaneDlg(UiContext& ui, const MainWindowSetup& setup)
    : CDlgBase(ui), setup_(setup) {
    SetWindowSize(Px(kMainWindowWidth), Px(kMainWindowHeight));
    if (setup_.Pacing == nullptr)
        ownPacer_ = std::make_unique<SleepingPacer>();
    FileSystem& files = setup_.Files != nullptr ? *setup_.Files : DefaultFileSystem();
    core_ =
        std::make_unique<AppCore>(*setup_.Backend, files, *this,
                                  setup_.Pacing != nullptr ? *setup_.Pacing : *ownPacer_, *this);
    // Readers and the device-change watch post from their own threads; the
    // queue is drained on this window's thread.
    core_->Events().SetWakeHook([this] {
        QMetaObject::invokeMethod(
            this, [this] { DrainPostedEvents(); }, Qt::QueuedConnection);
    });
    // The system is asked for a notification area once the window is up
    // (EnsureTrayWatch).
    if (setup_.TrayAvailable)
        trayAvailable_ = *setup_.TrayAvailable;
    else
        trayWatchPending_ = true;

    buttons_ = std::make_unique<CButtonPage>(*this);
    dpi_ = std::make_unique<CDpiSection>(*this);
    lighting_ = std::make_unique<CLightingSection>(*this);
    profiles_ = std::make_unique<CProfilesPage>(*this);
    sections_ = std::make_unique<CSettingsSections>(*this);
    rate_ = std::make_unique<CRateSection>(*this);
    liftOff_ = std::make_unique<CLiftOffSection>(*this);
    pointer_ = std::make_unique<CPointerSection>(*this);
    debounce_ = std::make_unique<CDebounceSection>(*this);
    power_ = std::make_unique<CPowerArea>(*this);
    pages_ = {sections_.get(), buttons_.get(), dpi_.get(),      lighting_.get(), rate_.get(),
              liftOff_.get(),  pointer_.get(), debounce_.get(), power_.get(),    profiles_.get()};
}

CKorvaneDlg::~CKorvaneDlg() {
    osd_.reset();
    tray_.reset();
    trayWatch_.reset();
    // The save at exit, when nothing ran it yet, and the readers stopped
    // before the backend goes.
    core_->Shutdown();
    core_.reset();
}

// --- start-up -----------------------------------------------------------------

bool CKorvaneDlg::OnInitDialog() {
    AppCoreOptions options = setup_.Core;
    options.UiScale = Scale();
    // Folders, language, macros, settings and profiles, DPI tables, defaults,
    // device notifications, the profile taken as held by the mouse, the scan,
    // the first status query and timer 80. Its refreshes wait for the controls.
    startup_ = setup_.ReadFolder ? core_->Initialize(options, &setup_.ReadFolder())
                                 : core_->Initialize(options);
    // Taken once; what it read goes after the start.
    setup_.ReadFolder = nullptr;
    Ui().Font = State().Language.Font;
    if (!State().DataFolder.empty()) {
        watcher_ = std::make_unique<CDataFolderWatcher>(
            QString::fromStdU16String(State().DataFolder) + "config",
            [this] { StartTimer(kTimerOutsideChanges, kOutsideChangesDelayMs); });
    }
    // What the start repaired and kept, once the window is up.
    QMetaObject::invokeMethod(
        this, [this] { ShowKeptFiles(kTextFilesRepaired, startup_.Settings.Report); },
        Qt::QueuedConnection);

    // Icon, title, size and every control of every page.
    CDlgBase::OnInitDialog();
    PlaceWindow();
    if (trayAvailable_)
        MakeTray();
    RefreshControls();
    // The gauge shows what the first status answer said, before the status
    // timer's first tick.
    if (startup_.DevicePresent()) {
        DeviceState shown = core_->Device();
        UpdateBattery(AdvanceBatteryDisplay(shown));
    }
    LoadBackground(kBackgroundResource);
    return true;
}

void CKorvaneDlg::PlaceWindow() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    // The available geometry stands for a maximised window's client area.
    const QRect area = screen->availableGeometry();
    const QSize size = WindowSize();
    const int x = area.width() > size.width() ? (area.width() - size.width()) / 2 : 0;
    const int y = area.height() > size.height() ? (area.height() - size.height()) / 2 : 0;
    move(area.left() + x, area.top() + y);
}

void CKorvaneDlg::InitUI(int, int, int, int) {
    if (controlsCreated_)
        return;
    CreateWindowControls();
    for (CMainWindowPage* page : pages_)
        page->InitUI();
    controlsCreated_ = true;
}

void CKorvaneDlg::CreateWindowControls() {
    UiContext& ui = Ui();
    auto R = [&](int l, int t, int w, int h) { return ui.ScaledRect(l, t, l + w, t + h); };
    auto L = [&](const layout::Rect& r) { return R(r.left, r.top, r.width, r.height); };
    auto skin = [&](const QString& file) { return ui.SkinFile(file); };

    auto* exit = MakeControl<CImageButton>(0, kExitButtonId, R(1092, 12, 15, 15), QString());
    exit->SetImages(skin("exit_nr.png"), skin("exit_ov.png"));
    auto* minimise =
        MakeControl<CImageButton>(0, kMinimiseButtonId, R(1072, 12, 15, 15), QString());
    minimise->SetImages(skin("min_nr.png"), skin("min_ov.png"));
    auto* reset = MakeControl<CImageButton>(0, kResetButtonId, R(1040, 700, 69, 20), Text(7));
    reset->SetImages(skin("button2_nr.png"), skin("button2_ov.png"));

    // Shown and placed by the pointer section.
    auto* mouseSettings = MakeControl<CImageButton>(CPointerSection::kLayer, kMouseSettingsButtonId,
                                                    R(789, 219, 215, 45), Text(260));
    mouseSettings->SetImages(skin("button4_nr.png"), skin("button4_nr.png"));

    auto* link = MakeControl<CLinkButton>(
        0, R(463, 660, 200, 18),
        UserGuideCaption(setup_.UserGuideUrl, Text(text::kUserGuideTitle)));
    link->SetFont(Px(12), "Tahoma");

    struct Title {
        uint32_t Id;
        int Caption;
        layout::Rect Place;
    };
    for (const Title& t : {Title{kTitleButtonsId, 15, layout::kTitleButtonSettings},
                           Title{kTitlePerformanceId, 9, layout::kTitlePerformance},
                           Title{kTitlePowerId, 265, layout::kTitlePower}}) {
        // Titles only: disabled, so a click neither toggles nor notifies.
        auto* title = MakeControl<CCheckButton>(0, t.Id, L(t.Place), Text(t.Caption), kDtLeft, true,
                                                true, true);
        title->SetImages(skin("header2_nr.png"), skin("header2_ov.png"), skin("header2_nr.png"));
        title->SetCheckedColor();
        title->SetTextMargin(Px(layout::kAreaTitleTextMargin));
    }

    // The mouse picture, under the button page's markers.
    auto* mouse =
        MakeControl<CStaticImage>(0, kMousePictureId,
                                  R(layout::kMousePicture.x, layout::kMousePicture.y,
                                    layout::kMousePictureWidth, layout::kMousePictureHeight),
                                  QString());
    mouse->SetImage(skin("mouse/mouse_nr.png"));

    auto* battery = MakeControl<CBattery>(0, R(80, 433, 30, 61), QString());
    battery->SetImages(skin("battery_full.png"), skin("battery_empty.png"),
                       skin("battery_charging.png"), skin("battery_lighting.png"));
    auto* percent = MakeControl<CStaticText>(0, kBatteryTextId, R(115, 480, 40, 18), QString(),
                                             kBatteryTextColor);
    percent->SetFont(Px(16), "Tahoma");
}

// --- drawing --------------------------------------------------------------------

void CKorvaneDlg::DrawWindow(QPainter& dc, const Rect& updateRect) {
    // The background covers the window; the fill shows only where it would not.
    FillOutsideBackground(dc, updateRect);
    DrawBackground(dc);
    // The column is laid out on every paint: headers move, frames go under
    // the open sections, the sections move to their origins.
    sections_->LayOut(&dc);
    for (CMainWindowPage* page : pages_)
        page->Draw(dc, updateRect);
    DrawControls(dc, updateRect);
}

// --- timers -----------------------------------------------------------------------

void CKorvaneDlg::StartTimer(int id, int period_ms) {
    if (setup_.Timers != nullptr)
        setup_.Timers->StartTimer(id, period_ms);
    else
        CDlgBase::StartTimer(id, period_ms);
}

void CKorvaneDlg::StopTimer(int id) {
    if (setup_.Timers != nullptr)
        setup_.Timers->StopTimer(id);
    else
        CDlgBase::StopTimer(id);
}

bool CKorvaneDlg::IsTimerRunning(int id) const {
    return setup_.Timers != nullptr ? setup_.Timers->IsTimerRunning(id)
                                    : CDlgBase::IsTimerRunning(id);
}

void CKorvaneDlg::OnTimer(int id) {
    if (ended_)
        return;
    if (id == kTimerOutsideChanges) {
        StopTimer(id);
        OnOutsideChanges();
        return;
    }
    if (id == kTimerTrayWait) {
        StopTimer(id);
        OnTrayWaitOver();
        return;
    }
    if (core_->OnTimer(id)) {
        // The first apply synchronises the macro buttons with the library.
        ShowLibraryAttention();
        // A save looks for outside changes first.
        if (id == kTimerSave)
            ShowKeptFiles(kTextChangedOutside, core_->TakeOutsideChanges());
        return;
    }
    for (CMainWindowPage* page : pages_) {
        if (page->OnTimer(id))
            return;
    }
    CDlgBase::OnTimer(id);
}

// --- for the pages ------------------------------------------------------------------

QString CKorvaneDlg::Text(int entry) const {
    return QString::fromStdU16String(core_->State().Language.Text(size_t(entry)));
}

QString CKorvaneDlg::Text(const Reason& reason) const {
    return QString::fromStdU16String(RenderReason(core_->State().Language, reason));
}

EditResult CKorvaneDlg::ApplyEdit(const std::function<EditResult(ProfileRecord&)>& edit) {
    const EditResult result = edit(Profile());
    if (result.Accepted()) {
        MarkChanged(result.Dirty);
        RefreshControls();
    } else if (result.Message != 0) {
        CAttentionDlg dialog(Ui(), State().Language, Text(kAttentionTitle), Text(result.Message),
                             this);
        RunModal(dialog);
    }
    return result;
}

EditResult CKorvaneDlg::ApplyEditAndCollect(const std::function<EditResult(ProfileRecord&)>& edit) {
    const EditResult result = ApplyEdit(edit);
    if (result.Accepted()) {
        // The refresh above set the working copies (the DPI ordinal) from
        // the edited profile, so collecting keeps the edit.
        CollectPages();
        RefreshControls();
    }
    return result;
}

void CKorvaneDlg::MarkChanged(DirtyGroups groups) {
    core_->Writer().MarkChanged(groups.Bits());
}

void CKorvaneDlg::CollectPages() {
    for (CMainWindowPage* page : pages_)
        page->Collect(Profile());
}

FileSystem& CKorvaneDlg::Files() {
    // The core's: what the pages write is known as the program's own.
    return core_->Files();
}

int CKorvaneDlg::RunModal(CDlgBase& dialog) {
    RegisterDialog(&dialog);
    ++modalDepth_;
    core_->HoldOutsideChanges(true);
    const int result = setup_.RunModal ? setup_.RunModal(dialog) : dialog.DoModal();
    --modalDepth_;
    UnregisterDialog(&dialog);
    if (modalDepth_ == 0) {
        core_->HoldOutsideChanges(false);
        // What came meanwhile is looked at now.
        StartTimer(kTimerOutsideChanges, kOutsideChangesDelayMs);
    }
    if (endPending_ && modalDepth_ == 0) {
        // The end came while the dialog ran; its caller finishes first.
        QMetaObject::invokeMethod(
            this, [this] { EndProgram(); }, Qt::QueuedConnection);
    }
    return result;
}

void CKorvaneDlg::RegisterDialog(QWidget* dialog) {
    // A dialog that enters itself is entered once.
    for (const QPointer<QWidget>& slot : openDialogs_) {
        if (slot.data() == dialog)
            return;
    }
    for (QPointer<QWidget>& slot : openDialogs_) {
        if (slot.isNull()) {
            slot = dialog;
            return;
        }
    }
}

void CKorvaneDlg::UnregisterDialog(QWidget* dialog) {
    // Later entries move down one place.
    std::vector<QWidget*> kept;
    for (const QPointer<QWidget>& slot : openDialogs_) {
        if (!slot.isNull() && slot.data() != dialog)
            kept.push_back(slot.data());
    }
    openDialogs_ = {};
    for (size_t i = 0; i < kept.size(); ++i)
        openDialogs_[i] = kept[i];
}

std::vector<QWidget*> CKorvaneDlg::OpenDialogs() const {
    std::vector<QWidget*> open;
    for (const QPointer<QWidget>& slot : openDialogs_) {
        if (!slot.isNull())
            open.push_back(slot.data());
    }
    return open;
}

CDlgBase* CKorvaneDlg::StartupMessage() const {
    return startupMessage_.data();
}

// --- CoreUi ---------------------------------------------------------------------

void CKorvaneDlg::RefreshControls() {
    // The core refreshes during its start-up, before the controls exist.
    if (!controlsCreated_)
        return;
    const ProfileRecord& profile = Profile();
    for (CMainWindowPage* page : pages_)
        page->Refresh(profile);
    InvalidateAll();
}

void CKorvaneDlg::ShowProgress(const std::u16string& text) {
    // The bar answers a click in the window; a velmaroctl command gets its
    // answer in its terminal and must not wait for the bar to fill.
    if (servingCommand_)
        return;
    CProgressBarDlg dialog(Ui(), QString(), QString::fromStdU16String(text), this);
    RunModal(dialog);
}

void CKorvaneDlg::MarkProfileChanged() {
    RefreshControls();
}

void CKorvaneDlg::ShowAttention(uint16_t title_entry, uint16_t message_entry) {
    if (!startupMessage_.isNull())
        return;
    // A mouse the system would not let us open is there: saying "no mouse"
    // would send the user looking for a cable fault.
    const bool denied = message_entry == kTextNoDevice && MouseAccessDenied(startup_.Scan);
    // Modeless and topmost: the program goes on while the user reads it.
    CAttentionDlg* dialog = CAttentionDlg::ShowModeless(
        Ui(), State().Language, Text(title_entry),
        denied ? DeviceAccessText(State().Language, setup_.UdevRule) : Text(message_entry),
        // A Wayland compositor places a window only relative to its parent.
        OnWayland() ? this : nullptr, denied ? AttentionLayout::Long : AttentionLayout::Short);
    startupMessage_ = dialog;
    RegisterDialog(dialog);
}

void CKorvaneDlg::ShowOsd(const OsdTexts& texts) {
    if (OsdAsNotification()) {
        if (!notification_)
            notification_ = std::make_unique<CDesktopNotification>();
        if (notification_->Show(texts, kOsdNotificationMs))
            return;
    }
    osd_ = std::make_unique<COsdWindow>(Scale(), QString::fromStdU16String(Ui().Font.Face));
    osd_->SetTexts(texts);
    osd_->ShowAtCorner();
}

void CKorvaneDlg::UpdateOsd(const OsdTexts& texts) {
    if (osd_ == nullptr) {
        // A notification is replaced by the next one.
        ShowOsd(texts);
        return;
    }
    osd_->SetTexts(texts);
}

void CKorvaneDlg::CloseOsd() {
    osd_.reset();
    // Hosts that keep notifications longer than asked are told.
    if (notification_)
        notification_->Close();
}

void CKorvaneDlg::UpdateBattery(const BatteryDisplay& display) {
    lastBattery_ = display;
    if (tray_)
        tray_->ShowBattery(WirelessOnly(), display.Level, display.ChargeState);
    if (auto* gauge = FindControlAs<CBattery>(kBatteryGaugeId)) {
        gauge->SetLevel(display.Level);
        gauge->SetMode(display.ChargeState);
        gauge->SetAnimation(display.AnimationStep);
        InvalidateRect(gauge->GetRect());
    }
    if (CControlBase* text = FindControl(kBatteryTextId)) {
        text->SetText(QString::fromStdU16String(display.Percent));
        text->SetPageVisible(display.PercentShown);
        InvalidateRect(text->GetRect());
    }
}

void CKorvaneDlg::SensorChanged(bool extended_sensor) {
    for (CMainWindowPage* page : pages_)
        page->SensorChanged(extended_sensor);
    RefreshControls();
}

void CKorvaneDlg::DeviceGone() {
    // The core is still inside its event handling: end from the event loop.
    hide();
    for (QWidget* dialog : OpenDialogs())
        dialog->close();
    QMetaObject::invokeMethod(
        this, [this] { EndProgram(); }, Qt::QueuedConnection);
}

// --- messages ---------------------------------------------------------------------

intptr_t CKorvaneDlg::DispatchMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (outsideDrag_ && lParam == NotifyDrag)
        dragChanged_ = true;
    if (HandleWindowMessage(msg, wParam, lParam))
        return 0;
    for (CMainWindowPage* page : pages_) {
        if (page->OnMessage(msg, wParam, lParam))
            return 0;
    }
    return CDlgBase::DispatchMessage(msg, wParam, lParam);
}

bool CKorvaneDlg::HandleWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    switch (msg) {
        case kExitButtonId:
        case kMinimiseButtonId:
            if (lParam == NotifyClick)
                OnExitOrMinimise(msg == kExitButtonId);
            return true;
        case kResetButtonId:
            if (lParam == NotifyClick)
                OnFactoryReset();
            return true;
        case kMouseSettingsButtonId:
            if (lParam == NotifyClick)
                OnMouseSettings();
            return true;
        case kUserGuideLinkId:
            if (lParam == NotifyClick)
                OnUserGuide();
            return true;
        case kMsgRestore:
        case kMenuRestore:
            Restore(QString());
            return true;
        case kMenuExit:
            EndProgram();
            return true;
        case kMsgMouseSideChange:
            if (wParam == 1)
                core_->ShowOsd();
            return true;
        default:
            return false;
    }
}

void CKorvaneDlg::OnExitOrMinimise(bool exitButton) {
    EnsureTrayWatch();
    if (trayAvailable_) {
        // The program goes on in the notification area; nothing is saved now.
        hide();
        return;
    }
    // Without a notification area a hidden window could never be found
    // again: exit ends the program (saving what is pending), minimise
    // minimises.
    if (exitButton)
        EndProgram();
    else
        showMinimized();
}

void CKorvaneDlg::OnFactoryReset() {
    CFirmwareResetDlg dialog(Ui(), State().Language, this);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    core_->FactoryReset();
}

void CKorvaneDlg::OnMouseSettings() {
    StartDesktopMouseSettings();
}

void CKorvaneDlg::OnUserGuide() {
    OpenUserGuide(setup_.UserGuideUrl);
}

void CKorvaneDlg::Restore(const QString& activationToken) {
    if (ended_)
        return;
    // The window no longer waits for a notification area.
    StopTimer(kTimerTrayWait);
    BringToFront(this, activationToken);
}

void CKorvaneDlg::DrainPostedEvents() {
    if (!ended_)
        core_->DrainPostedEvents();
}

void CKorvaneDlg::EndProgram() {
    if (ended_)
        return;
    for (QWidget* dialog : OpenDialogs())
        dialog->close();
    if (modalDepth_ > 0) {
        // Inside a modal dialog the core is mid-way through its work (an
        // apply showing its progress): end once the dialog has returned.
        endPending_ = true;
        hide();
        return;
    }
    ended_ = true;
    osd_.reset();
    tray_.reset();
    trayWatch_.reset();
    StopTimer(kTimerTrayWait);
    hide();
    // The save at exit runs now, whatever ends the program.
    core_->Shutdown();
    if (endHandler_)
        endHandler_();
}

// --- input -------------------------------------------------------------------------

void CKorvaneDlg::mouseMoveEvent(QMouseEvent* event) {
    CDlgBase::mouseMoveEvent(event);
    const QPoint p = event->position().toPoint();
    // Only the lighting section's sliders follow a drag that left them.
    if (event->buttons() == Qt::LeftButton && event->modifiers() == Qt::NoModifier &&
        sections_->IsOpen(Section::Lighting)) {
        dragging_ = true;
        outsideDrag_ = true;
        for (CMainWindowPage* page : pages_)
            page->OnLeftDrag(Point{p.x(), p.y()});
        outsideDrag_ = false;
        return;
    }
    if (dragging_) {
        dragging_ = false;
        for (CMainWindowPage* page : pages_)
            page->OnDragEnd();
    }
    // A drag that changed a slider applies once it is over.
    if (dragChanged_ && core_->Writer().MainDirty()) {
        dragChanged_ = false;
        core_->Writer().RestartApplyTimer();
    }
}

void CKorvaneDlg::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        // Never close the main window.
        keySequence_ = 0;
        event->accept();
        return;
    }
    OnKeySequence(key);
    CDlgBase::keyPressEvent(event);
}

void CKorvaneDlg::OnKeySequence(int key) {
    if (key == kKeySequence[keySequence_])
        ++keySequence_;
    else
        keySequence_ = key == kKeySequence[0] ? 1 : 0;
    if (keySequence_ == kKeySequenceLength) {
        keySequence_ = 0;
        ShowSupportMessage();
    }
}

void CKorvaneDlg::ShowSupportMessage() {
    CAttentionDlg dialog(
        Ui(), State().Language, QString::fromUtf16(u"技术支持:"),
        setup_.SupportText.isEmpty() ? Text(text::kSupportText) : setup_.SupportText, this);
    RunModal(dialog);
}

void CKorvaneDlg::ShowLibraryAttention() {
    if (const std::optional<Reason> attention = core_->TakeLibraryAttention())
        ShowNotice(Text(*attention));
}

void CKorvaneDlg::OnOutsideChanges() {
    // What was taken in refreshed the pages already.
    ShowKeptFiles(kTextChangedOutside, core_->TakeOutsideChanges());
}

void CKorvaneDlg::ShowKeptFiles(int headingEntry, const StorageReport& report) {
    const QString text = DescribeKeptFiles(State().Language, Text(headingEntry), report);
    if (!text.isEmpty() && !ended_)
        ShowNotice(text);
}

void CKorvaneDlg::ShowNotice(const QString& message) {
    CAttentionDlg dialog(Ui(), State().Language, Text(kAttentionTitle), message, this,
                         AttentionLayout::Long);
    RunModal(dialog);
}

void CKorvaneDlg::SetStartAtLogin(bool enabled) {
    const QString command =
        setup_.AutostartCommand.isEmpty() ? AutostartCommand() : setup_.AutostartCommand;
    const Reason error = SetAutostart(enabled, command);
    if (tray_)
        tray_->StartAtLogin().setChecked(AutostartEnabled());
    if (!error.Empty())
        ShowNotice(Text(error));
}

void CKorvaneDlg::paintEvent(QPaintEvent* event) {
    CDlgBase::paintEvent(event);
    if (trayWatchPending_)
        QMetaObject::invokeMethod(
            this, [this] { EnsureTrayWatch(); }, Qt::QueuedConnection);
    if (firstPaintHandler_) {
        auto handler = std::move(firstPaintHandler_);
        firstPaintHandler_ = nullptr;
        handler();
    }
}

void CKorvaneDlg::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    // The window manager's close acts as the exit button.
    event->ignore();
    OnExitOrMinimise(true);
}

}  // namespace velmaro
