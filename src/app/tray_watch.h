// Whether the desktop has a notification area, followed after the start: a
// panel started after the program (a login where the program comes first,
// a panel that restarts) shows up either as the D-Bus tray watcher
// (org.kde.StatusNotifierWatcher, with a host registered) appearing on the
// session bus, or, on X11, as an XEmbed tray. The watcher's coming and going
// is reported by the bus; both kinds are also asked for every half second
// during the first minute and for ten seconds after the watcher appeared.
#pragma once

#include <QDBusServiceWatcher>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

namespace velmaro {

// Asks now. Qt settles once per process, at its first look, whether it uses
// the D-Bus tray or the XEmbed one, so Qt is asked only once one of them is
// there: the D-Bus watcher with a host, or on X11 the owner of the XEmbed
// tray's selection.
bool TrayAvailableNow();

class CTrayWatch : public QObject {
  public:
    // `changed` runs with the new answer whenever it changes.
    explicit CTrayWatch(std::function<void(bool)> changed);

    bool Available() const { return available_; }
    // Asks again now (and runs `changed` when the answer differs).
    void Check();

  private:
    void PollFor(int milliseconds);

    std::function<void(bool)> changed_;
    QDBusServiceWatcher watcher_;
    QTimer poll_;
    QElapsedTimer pollClock_;
    qint64 pollUntil_ = 0;
    bool available_ = false;
};

}  // namespace velmaro
