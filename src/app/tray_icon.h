// The icon in the notification area: the battery of the wireless mouse in
// its picture and tip, a click that brings the window back, and the menu
// with restore, "Start at login" (checked while the autostart entry exists),
// a separator and exit. Restore and exit reach the main window as its
// messages (restore request, menu items 2075, 2076).
//
// Everything the icon and its menu start runs from the event loop after the
// signal that started it has returned: an exit deletes this object, which
// must not happen while its menu or the tray host is still delivering the
// click.
#pragma once

#include <QMenu>
#include <QSystemTrayIcon>

#include "app/tray_battery_icon.h"

namespace velmaro {

class CKorvaneDlg;

class CTrayIcon {
  public:
    explicit CTrayIcon(CKorvaneDlg& window);
    ~CTrayIcon();

    QSystemTrayIcon& Icon() { return icon_; }
    QMenu& Menu() { return menu_; }
    QAction& StartAtLogin() { return *startAtLogin_; }

    // The battery as the last status answer gave it (see TrayBatteryStateFor);
    // the picture is drawn again only when its state changes.
    void ShowBattery(bool wireless, uint8_t level, int chargeState);
    const TrayBatteryState& Battery() const { return battery_; }

  private:
    CKorvaneDlg& window_;
    QSystemTrayIcon icon_;
    QMenu menu_;
    QAction* startAtLogin_ = nullptr;
    TrayBatteryState battery_;
};

}  // namespace velmaro
