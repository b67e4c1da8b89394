#include "app/tray_icon.h"

#include "app/main_window.h"

namespace velmaro {

CTrayIcon::CTrayIcon(CKorvaneDlg& window) {
    icon_.setIcon(window.windowIcon());
    icon_.setToolTip(QString::fromUtf16(kDeviceDisplayName));
    QAction* restore = menu_.addAction(window.Text(1));
    menu_.addSeparator();
    QAction* exit = menu_.addAction(window.Text(2));
    QObject::connect(restore, &QAction::triggered, &window,
                     [&window] { window.SendMessage(kMenuRestore, 0, 0); });
    QObject::connect(exit, &QAction::triggered, &window,
                     [&window] { window.SendMessage(kMenuExit, 0, 0); });
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
