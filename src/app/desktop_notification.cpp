#include "app/desktop_notification.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include "ui/dlg_base.h"

namespace velmaro {

namespace {

const char kService[] = "org.freedesktop.Notifications";
const char kPath[] = "/org/freedesktop/Notifications";
const char kAppId[] = "io.github.velmaro.Velmaro";

QDBusMessage Call(const char* method) {
    return QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                          QString::fromLatin1(kService),
                                          QString::fromLatin1(method));
}

}  // namespace

bool CDesktopNotification::ServiceAvailable() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() != nullptr &&
           bus.interface()->isServiceRegistered(QString::fromLatin1(kService));
}

bool CDesktopNotification::Show(const OsdTexts& texts, int timeoutMs) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    const QString summary = QString::fromStdU16String(texts.Level);
    const QString body =
        QString::fromStdU16String(texts.Dpi) + " DPI  " + QString::fromStdU16String(texts.Rate);
    QVariantMap hints;
    hints.insert("transient", true);
    hints.insert("desktop-entry", QString::fromLatin1(kAppId));
    hints.insert("urgency", QVariant::fromValue(uchar(0)));
    QDBusMessage call = Call("Notify");
    call << QString::fromUtf16(kDeviceDisplayName) << id_ << QString::fromLatin1(kAppId) << summary
         << body << QStringList() << hints << timeoutMs;
    // The service answers with the notification's id, which the next change
    // replaces.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* done) {
                QDBusPendingReply<uint32_t> reply = *done;
                if (!reply.isError())
                    id_ = reply.value();
                done->deleteLater();
            });
    return true;
}

void CDesktopNotification::Close() {
    if (id_ == 0)
        return;
    QDBusMessage call = Call("CloseNotification");
    call << id_;
    QDBusConnection::sessionBus().asyncCall(call);
    id_ = 0;
}

}  // namespace velmaro
