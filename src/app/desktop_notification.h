// The on-screen display as a desktop notification (org.freedesktop.
// Notifications on the session bus), for Wayland compositors, which place a
// program's own windows where they like and would not keep the display in
// the screen's corner. Each change replaces the one shown before; the
// notification is transient (it stays out of the notification history) and
// closes after the display's own time.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

#include "device/core_ui.h"

namespace velmaro {

class CDesktopNotification : public QObject {
  public:
    // Whether a notification service is on the session bus.
    static bool ServiceAvailable();

    // Shows the display's three texts, replacing the previous notification.
    // False when the service could not be reached.
    bool Show(const OsdTexts& texts, int timeoutMs);
    // Closes the one shown last.
    void Close();

  private:
    uint32_t id_ = 0;
};

}  // namespace velmaro
