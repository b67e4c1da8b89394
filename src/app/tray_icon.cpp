#include "app/tray_icon.h"

#include "app/autostart.h"
#include "app/main_window.h"

namespace velmaro {

CTrayIcon::CTrayIcon(CKorvaneDlg& window) {
    icon_.setIcon(window.windowIcon());
    icon_.setToolTip(QString::fromUtf16(kDeviceDisplayName));
    QAction* restore = menu_.addAction(window.Text(1));
    // The language files have no entry for it.
    startAtLogin_ = menu_.addAction(QStringLiteral("Start at login"));
    startAtLogin_->setCheckable(true);
    startAtLogin_->setChecked(AutostartEnabled());
    menu_.addSeparator();
    QAction* exit = menu_.addAction(window.Text(2));
    QObject::connect(restore, &QAction::triggered, &window,
                     [&window] { window.SendMessage(kMenuRestore, 0, 0); });
    QObject::connect(exit, &QAction::triggered, &window,
                     [&window] { window.SendMessage(kMenuExit, 0, 0); });
    QObject::connect(startAtLogin_, &QAction::triggered, &window,
                     [&window](bool checked) { window.SetStartAtLogin(checked); });
    // The entry may have been added or removed by hand meanwhile.
    QObject::connect(&menu_, &QMenu::aboutToShow, &window,
                     [this] { startAtLogin_->setChecked(AutostartEnabled()); });
    icon_.setContextMenu(&menu_);
    QObject::connect(&icon_, &QSystemTrayIcon::activated, &window,
                     [&window](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::DoubleClick)
                             window.SendMessage(kMsgRestore, 0, 0);
                     });
    icon_.show();
}

CTrayIcon::~CTrayIcon() {
    icon_.hide();
}

}  // namespace velmaro
