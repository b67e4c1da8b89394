#include "app/tray_watch.h"

#include <QAbstractNativeEventFilter>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QGuiApplication>
#include <QSystemTrayIcon>
#include <cstdlib>
#include <cstring>

#ifdef VELMARO_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace velmaro {

namespace {

const char kWatcherService[] = "org.kde.StatusNotifierWatcher";
const char kWatcherPath[] = "/StatusNotifierWatcher";
const char kHostRegistered[] = "StatusNotifierHostRegistered";
const char kHostUnregistered[] = "StatusNotifierHostUnregistered";
constexpr int kPollInterval = 500;
constexpr int kPollAfterArrival = 10000;
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

#ifdef VELMARO_HAVE_XCB
// The toolkit's own connection to the X server; null elsewhere.
xcb_connection_t* QtConnection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t Intern(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}
#endif

// An XEmbed tray owns the selection _NET_SYSTEM_TRAY_S<screen> on the X
// server (the default screen 0 here).
const char kTraySelection[] = "_NET_SYSTEM_TRAY_S0";

bool XEmbedTrayPresent() {
#ifdef VELMARO_HAVE_XCB
    xcb_connection_t* connection = QtConnection();
    if (connection == nullptr)
        return false;
    const xcb_atom_t selection = Intern(connection, kTraySelection);
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool present = owner != nullptr && owner->owner != XCB_NONE;
    free(owner);
    return present;
#else
    // Without the X library Qt is asked; it then settles on XEmbed for good.
    return QSystemTrayIcon::isSystemTrayAvailable();
#endif
}

}  // namespace

// An XEmbed tray that takes its selection sends MANAGER to the root window,
// for clients listening to its structure, as the toolkit's connection does.
class CTrayWatch::TrayManagerFilter : public QAbstractNativeEventFilter {
  public:
    explicit TrayManagerFilter(QTimer& announced) : announced_(announced) {
#ifdef VELMARO_HAVE_XCB
        if (xcb_connection_t* connection = QtConnection()) {
            manager_ = Intern(connection, "MANAGER");
            selection_ = Intern(connection, kTraySelection);
        }
#endif
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
#ifdef VELMARO_HAVE_XCB
        if (manager_ == XCB_ATOM_NONE || type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE)
            return false;
        const auto* client = static_cast<const xcb_client_message_event_t*>(message);
        if (client->type == manager_ && client->format == 32 &&
            client->data.data32[1] == selection_)
            announced_.start();
#else
        (void)type;
        (void)message;
#endif
        return false;
    }

  private:
    QTimer& announced_;
#ifdef VELMARO_HAVE_XCB
    xcb_atom_t manager_ = XCB_ATOM_NONE;
    xcb_atom_t selection_ = XCB_ATOM_NONE;
#endif
};

bool TrayAvailableNow() {
    if (DBusTrayPresent())
        return QSystemTrayIcon::isSystemTrayAvailable();
    if (QGuiApplication::platformName() == QLatin1String("xcb") && XEmbedTrayPresent())
        return QSystemTrayIcon::isSystemTrayAvailable();
    return false;
}

CTrayWatch::CTrayWatch(std::function<void(bool)> changed) : changed_(std::move(changed)) {
    available_ = TrayAvailableNow();
    announced_.setSingleShot(true);
    announced_.setInterval(0);
    connect(&announced_, &QTimer::timeout, this, [this] {
        Check();
        PollFor(kPollAfterArrival);
    });
    QDBusConnection bus = QDBusConnection::sessionBus();
    watcher_.setConnection(bus);
    watcher_.addWatchedService(QString::fromLatin1(kWatcherService));
    // A new watcher: its host registers a moment later.
    connect(&watcher_, &QDBusServiceWatcher::serviceRegistered, &announced_,
            [this] { announced_.start(); });
    connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this, [this] { Check(); });
    for (const char* signal : {kHostRegistered, kHostUnregistered}) {
        bus.connect(QString::fromLatin1(kWatcherService), QString::fromLatin1(kWatcherPath),
                    QString::fromLatin1(kWatcherService), QString::fromLatin1(signal), &announced_,
                    SLOT(start()));
    }
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        trayManagers_ = std::make_unique<TrayManagerFilter>(announced_);
        qGuiApp->installNativeEventFilter(trayManagers_.get());
    }
    poll_.setInterval(kPollInterval);
    connect(&poll_, &QTimer::timeout, this, [this] {
        Check();
        if (pollClock_.elapsed() >= pollUntil_)
            poll_.stop();
    });
    pollClock_.start();
}

CTrayWatch::~CTrayWatch() {
    if (trayManagers_ && qGuiApp != nullptr)
        qGuiApp->removeNativeEventFilter(trayManagers_.get());
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
