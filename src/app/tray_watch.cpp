#include "app/tray_watch.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QGuiApplication>
#include <QSystemTrayIcon>
#include <cstdlib>

#ifdef VELMARO_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace velmaro {

namespace {

const char kWatcherService[] = "org.kde.StatusNotifierWatcher";
const char kWatcherPath[] = "/StatusNotifierWatcher";
constexpr int kPollInterval = 500;
constexpr int kPollAfterStart = 60000;
constexpr int kPollAfterWatcher = 10000;
// A watcher that does not answer at once is taken as absent for now.
constexpr int kAskTimeout = 500;

bool DBusTrayPresent() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || bus.interface() == nullptr)
        return false;
    if (!bus.interface()->isServiceRegistered(QString::fromLatin1(kWatcherService)))
        return false;
    QDBusInterface watcher(QString::fromLatin1(kWatcherService), QString::fromLatin1(kWatcherPath),
                           QString::fromLatin1(kWatcherService), bus);
    watcher.setTimeout(kAskTimeout);
    return watcher.property("IsStatusNotifierHostRegistered").toBool();
}

// An XEmbed tray owns the selection _NET_SYSTEM_TRAY_S<screen> on the X
// server (the default screen 0 here).
bool XEmbedTrayPresent() {
#ifdef VELMARO_HAVE_XCB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr)
        return false;
    xcb_connection_t* connection = x11->connection();
    static const char kSelection[] = "_NET_SYSTEM_TRAY_S0";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, sizeof kSelection - 1, kSelection), nullptr);
    if (atom == nullptr)
        return false;
    xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
    const bool present = owner != nullptr && owner->owner != XCB_NONE;
    free(owner);
    free(atom);
    return present;
#else
    // Without the X library Qt is asked; it then settles on XEmbed for good.
    return QSystemTrayIcon::isSystemTrayAvailable();
#endif
}

}  // namespace

bool TrayAvailableNow() {
    if (DBusTrayPresent())
        return QSystemTrayIcon::isSystemTrayAvailable();
    if (QGuiApplication::platformName() == QLatin1String("xcb") && XEmbedTrayPresent())
        return QSystemTrayIcon::isSystemTrayAvailable();
    return false;
}

CTrayWatch::CTrayWatch(std::function<void(bool)> changed) : changed_(std::move(changed)) {
    available_ = TrayAvailableNow();
    watcher_.setConnection(QDBusConnection::sessionBus());
    watcher_.addWatchedService(QString::fromLatin1(kWatcherService));
    // A new watcher: its host registers a moment later.
    connect(&watcher_, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        Check();
        PollFor(kPollAfterWatcher);
    });
    connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this, [this] { Check(); });
    poll_.setInterval(kPollInterval);
    connect(&poll_, &QTimer::timeout, this, [this] {
        Check();
        if (pollClock_.elapsed() >= pollUntil_)
            poll_.stop();
    });
    pollClock_.start();
    PollFor(kPollAfterStart);
}

void CTrayWatch::PollFor(int milliseconds) {
    pollUntil_ = std::max(pollUntil_, pollClock_.elapsed() + milliseconds);
    if (!poll_.isActive())
        poll_.start();
}

void CTrayWatch::Check() {
    const bool now = TrayAvailableNow();
    if (now == available_)
        return;
    available_ = now;
    if (changed_)
        changed_(now);
}

}  // namespace velmaro
