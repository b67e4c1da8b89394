// Whether the desktop has a notification area, followed after the start: a
// panel started after the program (a login where the program comes first,
// a panel that restarts) shows up either as the D-Bus tray watcher
// (org.kde.StatusNotifierWatcher, with a host registered) appearing on the
// session bus, or, on X11, as an XEmbed tray. Both announce themselves: the
// bus reports the watcher's coming and going and the watcher its hosts, and
// an XEmbed tray tells every client when it takes its selection (the MANAGER
// message on the root window). Nothing is asked while the program idles;
// only for ten seconds after a watcher or a tray appeared is the answer
// asked again every half second, for hosts and trays that settle late.
#pragma once

#include <QDBusServiceWatcher>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

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
    ~CTrayWatch() override;

    bool Available() const { return available_; }
    // Asks again now (and runs `changed` when the answer differs).
    void Check();

  private:
    class TrayManagerFilter;

    void PollFor(int milliseconds);

    std::function<void(bool)> changed_;
    QDBusServiceWatcher watcher_;
    // Started by the watcher's host signal and by an XEmbed tray's arrival:
    // the answer is asked on the event loop, not inside the signal.
    QTimer announced_;
    std::unique_ptr<TrayManagerFilter> trayManagers_;
    QTimer poll_;
    QElapsedTimer pollClock_;
    qint64 pollUntil_ = 0;
    bool available_ = false;
};

}  // namespace velmaro
