#include "app/tray_icon.h"

#include "app/autostart.h"
#include "app/main_window.h"

namespace velmaro {

namespace {

// Runs `what` on the window's thread once the current signal has returned.
template <typename F>
void Later(CKorvaneDlg& window, F what) {
    QMetaObject::invokeMethod(&window, std::move(what), Qt::QueuedConnection);
}

}  // namespace

CTrayIcon::CTrayIcon(CKorvaneDlg& window) : window_(window) {
    const LanguageTable& language = window.State().Language;
    icon_.setIcon(TrayIconFor(ProgramIcon(), battery_));
    icon_.setToolTip(TrayToolTip(language, false, 0, 0));
    QAction* restore = menu_.addAction(window.Text(1));
    startAtLogin_ = menu_.addAction(TrayText(language, kTextStartAtLogin));
    startAtLogin_->setCheckable(true);
    startAtLogin_->setChecked(AutostartEnabled());
    menu_.addSeparator();
    QAction* exit = menu_.addAction(window.Text(2));
    QObject::connect(restore, &QAction::triggered, &window, [&window] {
        Later(window, [&window] { window.SendMessage(kMenuRestore, 0, 0); });
    });
    QObject::connect(exit, &QAction::triggered, &window, [&window] {
        Later(window, [&window] { window.SendMessage(kMenuExit, 0, 0); });
    });
    QObject::connect(startAtLogin_, &QAction::triggered, &window, [&window](bool checked) {
        Later(window, [&window, checked] { window.SetStartAtLogin(checked); });
    });
    // The entry may have been added or removed by hand meanwhile.
    QObject::connect(&menu_, &QMenu::aboutToShow, &window,
                     [this] { startAtLogin_->setChecked(AutostartEnabled()); });
    icon_.setContextMenu(&menu_);
    // D-Bus hosts send Trigger for a click (MiddleClick for the secondary
    // activation), XEmbed trays Trigger and DoubleClick: all of them bring
    // the window back.
    QObject::connect(&icon_, &QSystemTrayIcon::activated, &window,
                     [&window](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::Trigger ||
                             reason == QSystemTrayIcon::DoubleClick ||
                             reason == QSystemTrayIcon::MiddleClick)
                             Later(window, [&window] { window.SendMessage(kMsgRestore, 0, 0); });
                     });
    icon_.show();
}

CTrayIcon::~CTrayIcon() {
    icon_.hide();
}

void CTrayIcon::ShowBattery(bool wireless, uint8_t level, int chargeState) {
    const TrayBatteryState state = TrayBatteryStateFor(wireless, level, chargeState);
    if (state != battery_) {
        battery_ = state;
        icon_.setIcon(TrayIconFor(ProgramIcon(), battery_));
    }
    const QString tip = TrayToolTip(window_.State().Language, wireless, level, chargeState);
    if (tip != icon_.toolTip())
        icon_.setToolTip(tip);
}

}  // namespace velmaro
