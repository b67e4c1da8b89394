// The main window in the desktop session: its icon in the notification area
// as the area comes and goes, the hidden start that waits for one, and the
// on-screen display as a notification where the compositor places windows.
#include <QTimer>

#include "app/desktop_notification.h"
#include "app/main_window.h"
#include "app/tray_icon.h"
#include "app/tray_watch.h"
#include "app/window_activation.h"

namespace velmaro {

void CKorvaneDlg::MakeTray() {
    tray_ = std::make_unique<CTrayIcon>(*this);
    if (startup_.DevicePresent())
        tray_->ShowBattery(WirelessOnly(), lastBattery_.Level, lastBattery_.ChargeState);
}

bool CKorvaneDlg::WirelessOnly() const {
    return core_->Link().CommandRole() == DeviceRole::Receiver;
}

void CKorvaneDlg::SetTrayAvailable(bool available) {
    if (ended_)
        return;
    trayAvailable_ = available;
    // A panel that restarts wants the icon registered anew.
    tray_.reset();
    if (!available || !IsInitialized())
        return;
    MakeTray();
    // A hidden start that waited for it stays hidden.
    StopTimer(kTimerTrayWait);
}

void CKorvaneDlg::EnsureTrayWatch() {
    if (!trayWatchPending_ || ended_)
        return;
    trayWatchPending_ = false;
    trayWatch_ = std::make_unique<CTrayWatch>([this](bool available) {
        // From the bus or a timer, never from inside the icon's signals.
        SetTrayAvailable(available);
    });
    if (trayWatch_->Available())
        SetTrayAvailable(true);
}

void CKorvaneDlg::ShowAtStart(bool hidden) {
    Initialize();
    if (hidden)
        EnsureTrayWatch();
    if (hidden && trayAvailable_)
        return;
    if (hidden && trayWatch_) {
        // Started at login before the panel: the window shows only when no
        // notification area turned up meanwhile, as it could not be found
        // again otherwise.
        StartTimer(kTimerTrayWait, kTrayWaitMs);
        return;
    }
    const QString token = TakeStartActivationToken();
    if (OnWayland())
        BringToFront(this, token);
    else
        show();
    // The first paint asks for the notification area; a window the system
    // never lets paint asks a moment later all the same.
    QTimer::singleShot(kTrayWatchLatestMs, this, [this] { EnsureTrayWatch(); });
}

bool CKorvaneDlg::WaitingForTray() const {
    return IsTimerRunning(kTimerTrayWait);
}

void CKorvaneDlg::OnTrayWaitOver() {
    if (!trayAvailable_)
        BringToFront(this, QString());
}

bool CKorvaneDlg::OsdAsNotification() const {
    if (setup_.OsdAsNotification)
        return *setup_.OsdAsNotification;
    return OnWayland() && CDesktopNotification::ServiceAvailable();
}

}  // namespace velmaro
