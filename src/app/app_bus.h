// The program on the session bus. The running window owns the well-known
// name of its application id and serves, at its object path:
//   org.freedesktop.Application   Activate, Open (both bring the window back,
//                                 passing the desktop's activation token)
//                                 and ActivateAction ("restore")
//   io.github.velmaro.Velmaro.Control
//                                 Run: a velmaroctl command on the window's
//                                 own state; SimulateEvent: an event for the
//                                 simulated mouse (velmaro --sim)
// Commands are answered one at a time, in the order they came, so parallel
// callers never see each other half-way.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

namespace velmaro {

inline constexpr char kAppBusName[] = "io.github.velmaro.Velmaro";
inline constexpr char kAppBusPath[] = "/io/github/velmaro/Velmaro";
inline constexpr char kAppBusControl[] = "io.github.velmaro.Velmaro.Control";

// One velmaroctl command as the Run method carries it.
struct BusCommand {
    QString DataFolder;     // the folder the command is for
    QString WorkingFolder;  // relative file names are taken from here
    QStringList Args;       // velmaroctl's arguments without the program name
    QByteArray Input;       // standard input for set - and import SLOT -
};

// What velmaroctl prints and ends with.
struct BusCommandAnswer {
    int Status = 0;
    QByteArray Out, Err;
};

struct AppBusHandlers {
    // Activate and Open: the window comes back (with the token, possibly empty).
    std::function<void(const QString& activationToken)> Activate;
    // An event for the simulated mouse; the answer word ("ok", "unknown",
    // "refused", "failed").
    std::function<QString(const QString& event)> SimulateEvent;
    std::function<BusCommandAnswer(const BusCommand& command)> RunCommand;
};

class CAppBus : public QDBusVirtualObject {
  public:
    explicit CAppBus(AppBusHandlers handlers) : handlers_(std::move(handlers)) {}
    ~CAppBus() override;

    // Registers the object and takes the name on `connection`. False, with
    // Problem() saying why, when the bus is not there or the name is taken.
    bool Register(QDBusConnection connection);
    QString Problem() const { return problem_; }

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

  private:
    struct Pending {
        QDBusMessage Message;
        QDBusConnection Connection;
    };
    void RunQueued();

    AppBusHandlers handlers_;
    QString problem_;
    std::deque<Pending> queue_;
    bool running_ = false;
    bool registered_ = false;
    QDBusConnection connection_{QString()};
};

// From a later start: asks the running copy to come back (Activate with the
// desktop's activation token from the environment). False when it could
// not be reached.
bool ActivateRunningCopy(QDBusConnection connection, int timeoutMs = 2000);

// velmaro --sim: the running copy's answer word; empty when it could not
// be reached.
QString SendSimulateEvent(QDBusConnection connection, const QString& event, int timeoutMs = 3000);

}  // namespace velmaro
