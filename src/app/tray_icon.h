// The icon in the notification area: its tip, a double click that brings the
// window back, and the menu with restore, "Start at login" (checked while the
// autostart entry exists), a separator and exit. Restore and exit reach the
// main window as its messages (restore request, menu items 2075, 2076).
#pragma once

#include <QMenu>
#include <QSystemTrayIcon>
#include <memory>

namespace velmaro {

class CKorvaneDlg;

class CTrayIcon {
  public:
    explicit CTrayIcon(CKorvaneDlg& window);
    ~CTrayIcon();

    QSystemTrayIcon& Icon() { return icon_; }
    QMenu& Menu() { return menu_; }
    QAction& StartAtLogin() { return *startAtLogin_; }

  private:
    QSystemTrayIcon icon_;
    QMenu menu_;
    QAction* startAtLogin_ = nullptr;
};

}  // namespace velmaro
