#include "app/app_bus.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QThread>
#include <QVariantMap>

namespace velmaro {

namespace {

constexpr char kApplicationInterface[] = "org.freedesktop.Application";

const char kIntrospection[] =
    R"(<!DOCTYPE node PUBLIC "-//freedesktop//DTD D-BUS Object Introspection 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd">
<node>
  <interface name="org.freedesktop.DBus.Introspectable">
    <method name="Introspect">
      <arg type="s" name="xml_data" direction="out"/>
    </method>
  </interface>
  <interface name="org.freedesktop.DBus.Peer">
    <method name="Ping"/>
  </interface>
  <interface name="org.freedesktop.Application">
    <method name="Activate">
      <arg type="a{sv}" name="platform_data" direction="in"/>
    </method>
    <method name="Open">
      <arg type="as" name="uris" direction="in"/>
      <arg type="a{sv}" name="platform_data" direction="in"/>
    </method>
    <method name="ActivateAction">
      <arg type="s" name="action_name" direction="in"/>
      <arg type="av" name="parameter" direction="in"/>
      <arg type="a{sv}" name="platform_data" direction="in"/>
    </method>
  </interface>
  <interface name="io.github.velmaro.Velmaro.Control">
    <method name="Run">
      <arg type="s" name="data_folder" direction="in"/>
      <arg type="s" name="working_folder" direction="in"/>
      <arg type="as" name="arguments" direction="in"/>
      <arg type="ay" name="input" direction="in"/>
      <arg type="i" name="status" direction="out"/>
      <arg type="ay" name="output" direction="out"/>
      <arg type="ay" name="errors" direction="out"/>
    </method>
    <method name="SimulateEvent">
      <arg type="s" name="event" direction="in"/>
      <arg type="s" name="answer" direction="out"/>
    </method>
  </interface>
</node>
)";

// The activation token of an Activate, Open or ActivateAction call.
QString TokenOf(const QVariant& platformData) {
    const QVariantMap map = qdbus_cast<QVariantMap>(platformData);
    return map.value(QStringLiteral("activation-token")).toString();
}

QDBusMessage Call(const QString& interface, const QString& method) {
    QDBusMessage call = QDBusMessage::createMethodCall(kAppBusName, kAppBusPath, interface, method);
    // Only a running copy answers: the bus must not start one.
    call.setAutoStartService(false);
    return call;
}

// The running copy takes its turn before it comes on the bus, a moment
// later: a call made in between waits for its name as long as it may wait
// for an answer, and then has that long for the answer.
QDBusMessage CallRunningCopy(QDBusConnection connection, const QDBusMessage& call, int timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    while (true) {
        const QDBusMessage reply = connection.call(call, QDBus::Block, timeoutMs);
        const bool notYet =
            reply.type() == QDBusMessage::ErrorMessage &&
            (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
             reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"));
        if (!notYet || waited.elapsed() + 10 >= timeoutMs)
            return reply;
        QThread::msleep(10);
    }
}

}  // namespace

CAppBus::~CAppBus() {
    if (registered_) {
        connection_.unregisterService(kAppBusName);
        connection_.unregisterObject(kAppBusPath);
    }
}

bool CAppBus::Register(QDBusConnection connection) {
    connection_ = connection;
    if (!connection.isConnected()) {
        problem_ = QStringLiteral("no session bus");
        return false;
    }
    if (!connection.registerVirtualObject(kAppBusPath, this)) {
        problem_ = connection.lastError().message();
        return false;
    }
    // The name is ours alone; a copy on another bus keeps its own.
    const auto reply = connection.interface()->registerService(
        kAppBusName, QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        problem_ = reply.isValid() ? QStringLiteral("the name is taken") : reply.error().message();
        connection.unregisterObject(kAppBusPath);
        return false;
    }
    registered_ = true;
    return true;
}

QString CAppBus::introspect(const QString& path) const {
    return path == kAppBusPath ? QString::fromUtf8(kIntrospection) : QString();
}

bool CAppBus::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    if (message.type() != QDBusMessage::MethodCallMessage || message.path() != kAppBusPath)
        return false;
    const QString interface = message.interface();
    const QString member = message.member();
    const QList<QVariant> args = message.arguments();
    auto reply = [&](const QList<QVariant>& values) {
        connection.send(message.createReply(values));
        return true;
    };
    auto invalid = [&](const QString& why) {
        connection.send(message.createErrorReply(QDBusError::InvalidArgs, why));
        return true;
    };
    // velmaroctl asks whether the window is there before it hands over.
    if (interface == "org.freedesktop.DBus.Peer" && member == "Ping")
        return reply({});
    if (interface == "org.freedesktop.DBus.Introspectable" && member == "Introspect")
        return reply({introspect(message.path())});
    if (interface == kApplicationInterface || interface.isEmpty()) {
        if (member == "Activate" && args.size() == 1) {
            if (handlers_.Activate)
                handlers_.Activate(TokenOf(args[0]));
            return reply({});
        }
        if (member == "Open" && args.size() == 2) {
            // The program opens no documents: it comes to the front.
            if (handlers_.Activate)
                handlers_.Activate(TokenOf(args[1]));
            return reply({});
        }
        if (member == "ActivateAction" && args.size() == 3) {
            if (args[0].toString() != "restore")
                return invalid("unknown action \"" + args[0].toString() + "\"");
            if (handlers_.Activate)
                handlers_.Activate(TokenOf(args[2]));
            return reply({});
        }
    }
    if (interface == kAppBusControl || interface.isEmpty()) {
        if (member == "SimulateEvent" && args.size() == 1) {
            const QString answer =
                handlers_.SimulateEvent ? handlers_.SimulateEvent(args[0].toString()) : "refused";
            return reply({answer});
        }
        if (member == "Run" && args.size() == 4 && message.signature() == "ssasay") {
            // Answered from the event loop, one command after the other.
            message.setDelayedReply(true);
            queue_.push_back({message, connection});
            if (!running_)
                QMetaObject::invokeMethod(
                    this, [this] { RunQueued(); }, Qt::QueuedConnection);
            return true;
        }
    }
    connection.send(message.createErrorReply(
        QDBusError::UnknownMethod,
        "no method " + interface + "." + member + " with signature " + message.signature()));
    return true;
}

void CAppBus::RunQueued() {
    // A command that runs a modal dialog (the factory reset's progress)
    // spins the event loop: later commands wait for it.
    if (running_)
        return;
    running_ = true;
    while (!queue_.empty()) {
        const Pending pending = queue_.front();
        queue_.pop_front();
        const QList<QVariant> args = pending.Message.arguments();
        BusCommand command;
        command.DataFolder = args[0].toString();
        command.WorkingFolder = args[1].toString();
        command.Args = args[2].toStringList();
        command.Input = args[3].toByteArray();
        BusCommandAnswer answer;
        if (handlers_.RunCommand)
            answer = handlers_.RunCommand(command);
        pending.Connection.send(
            pending.Message.createReply({answer.Status, answer.Out, answer.Err}));
        // Calls that came meanwhile join the queue now, so that commands
        // started together run back to back and the window repaints once
        // after them rather than between each two.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    }
    running_ = false;
}

bool ActivateRunningCopy(QDBusConnection connection, int timeoutMs) {
    if (!connection.isConnected())
        return false;
    QVariantMap platformData;
    const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    if (!token.isEmpty())
        platformData.insert(QStringLiteral("activation-token"), token);
    const QString startupId = qEnvironmentVariable("DESKTOP_STARTUP_ID");
    if (!startupId.isEmpty())
        platformData.insert(QStringLiteral("desktop-startup-id"), startupId);
    QDBusMessage call = Call(kApplicationInterface, QStringLiteral("Activate"));
    call << platformData;
    const QDBusMessage reply = CallRunningCopy(connection, call, timeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

QString SendSimulateEvent(QDBusConnection connection, const QString& event, int timeoutMs) {
    if (!connection.isConnected())
        return QString();
    QDBusMessage call = Call(kAppBusControl, QStringLiteral("SimulateEvent"));
    call << event;
    const QDBusMessage reply = CallRunningCopy(connection, call, timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return QString();
    return reply.arguments().first().toString();
}

}  // namespace velmaro
