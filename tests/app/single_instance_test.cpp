// One copy per user, the hand-over of a later start over the session bus,
// velmaroctl's commands and the events a simulated copy takes from outside.
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>

#include <signal.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <future>

#include "app/app_bus.h"
#include "app/app_options.h"
#include "app/osd_window.h"
#include "app/sim_events.h"
#include "app/single_instance.h"
#include "app/ui_scale.h"
#include "main_window_fixture.h"

namespace velmaro::test {
namespace {

// A private session bus for one test: its own dbus-daemon, ended with it.
class PrivateBus {
  public:
    PrivateBus() {
        std::FILE* pipe =
            popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
        if (pipe == nullptr)
            return;
        char line[512] = {};
        if (std::fgets(line, sizeof line, pipe) != nullptr)
            address_ = QString::fromUtf8(line).trimmed();
        if (std::fgets(line, sizeof line, pipe) != nullptr)
            pid_ = std::atoi(line);
        pclose(pipe);
    }
    ~PrivateBus() {
        for (const QString& name : names_)
            QDBusConnection::disconnectFromBus(name);
        if (pid_ > 0)
            kill(pid_, SIGTERM);
    }
    bool Ok() const { return !address_.isEmpty() && pid_ > 0; }
    // A connection of its own, as another process would have.
    QDBusConnection Connect(const QString& name) {
        names_ << name;
        return QDBusConnection::connectToBus(address_, name);
    }

  private:
    QString address_;
    pid_t pid_ = 0;
    QStringList names_;
};

// Runs `call` on another thread while this one serves the bus, as a second
// process would.
template <typename F>
auto WhileServing(F call) {
    auto answer = std::async(std::launch::async, call);
    while (answer.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return answer.get();
}

TEST(SingleInstance, OneCopyHoldsTheLockWithoutABus) {
    QTemporaryDir dir;
    SingleInstance first(dir.path());
    ASSERT_TRUE(first.Acquire());
    SingleInstance second(dir.path());
    EXPECT_TRUE(second.OtherCopyRunning());
    EXPECT_FALSE(second.Acquire());
}

TEST(SingleInstance, AStaleLockNeverBlocksAStart) {
    QTemporaryDir dir;
    SingleInstance probe(dir.path());
    // What a crashed copy leaves: its lock (a child that takes it and dies
    // without unlocking).
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile held(probe.LockPath());
        _exit(held.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFile::exists(probe.LockPath()));

    SingleInstance next(dir.path());
    EXPECT_FALSE(next.OtherCopyRunning());
    ASSERT_TRUE(next.Acquire());
    EXPECT_TRUE(next.IsPrimary());
}

TEST(AppBus, ASecondStartActivatesTheRunningCopyWithItsToken) {
    PrivateBus bus;
    if (!bus.Ok())
        GTEST_SKIP() << "dbus-daemon is not installed";
    QStringList tokens;
    AppBusHandlers handlers;
    handlers.Activate = [&](const QString& token) { tokens << token; };
    CAppBus running(handlers);
    ASSERT_TRUE(running.Register(bus.Connect("running"))) << running.Problem().toStdString();

    // The name is one copy's: another registration is refused.
    CAppBus other(AppBusHandlers{});
    EXPECT_FALSE(other.Register(bus.Connect("other")));

    qputenv("XDG_ACTIVATION_TOKEN", "token-1");
    QDBusConnection second = bus.Connect("second");
    EXPECT_TRUE(WhileServing([&] { return ActivateRunningCopy(second); }));
    qunsetenv("XDG_ACTIVATION_TOKEN");
    EXPECT_TRUE(WhileServing([&] { return ActivateRunningCopy(second); }));
    EXPECT_EQ(tokens, QStringList({"token-1", ""}));
}

TEST(AppBus, CommandsAreAnsweredInOrderAndEventsByWord) {
    PrivateBus bus;
    if (!bus.Ok())
        GTEST_SKIP() << "dbus-daemon is not installed";
    QStringList ran;
    AppBusHandlers handlers;
    handlers.SimulateEvent = [](const QString& event) {
        return event == "dpi 2" ? QString("ok") : QString("unknown");
    };
    handlers.RunCommand = [&](const BusCommand& command) {
        ran << command.Args.join(' ');
        return BusCommandAnswer{int(ran.size()), command.Input, command.DataFolder.toUtf8()};
    };
    CAppBus running(handlers);
    ASSERT_TRUE(running.Register(bus.Connect("running")));
    QDBusConnection caller = bus.Connect("caller");
    EXPECT_EQ(WhileServing([&] { return SendSimulateEvent(caller, "dpi 2"); }), "ok");
    EXPECT_EQ(WhileServing([&] { return SendSimulateEvent(caller, "dpi 9"); }), "unknown");

    auto run = [&](const QString& args) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(kAppBusName, kAppBusPath, kAppBusControl, "Run");
        call << QString("/data/") << QString("/work") << args.split(' ')
             << QByteArray("in:" + args.toUtf8());
        return caller.asyncCall(call, 5000);
    };
    std::vector<QDBusPendingCall> calls;
    for (const char* args : {"status", "set rate=250", "show"})
        calls.push_back(run(args));
    for (QDBusPendingCall& call : calls)
        WhileServing([&] {
            call.waitForFinished();
            return 0;
        });
    EXPECT_EQ(ran, QStringList({"status", "set rate=250", "show"}));
    const QList<QVariant> second = calls[1].reply().arguments();
    ASSERT_EQ(second.size(), 3);
    EXPECT_EQ(second[0].toInt(), 2);
    EXPECT_EQ(second[1].toByteArray(), "in:set rate=250");
    EXPECT_EQ(second[2].toByteArray(), "/data/");

    // What busctl introspect shows.
    QDBusMessage introspect = QDBusMessage::createMethodCall(
        kAppBusName, kAppBusPath, "org.freedesktop.DBus.Introspectable", "Introspect");
    const QDBusMessage xml =
        WhileServing([&] { return caller.call(introspect, QDBus::Block, 2000); });
    ASSERT_EQ(xml.type(), QDBusMessage::ReplyMessage) << xml.errorMessage().toStdString();
    const QString text = xml.arguments().value(0).toString();
    EXPECT_TRUE(text.contains("org.freedesktop.Application"));
    EXPECT_TRUE(text.contains("io.github.velmaro.Velmaro.Control"));
}

struct SimEventCase {
    const char* Text;
    bool Known;
    SimEvent::Kind Kind;
    int Value;
};

TEST(SimEvents, Parse) {
    using K = SimEvent::Kind;
    const SimEventCase cases[] = {
        {"dpi 3", true, K::Dpi, 3},
        {"rate 500", true, K::Rate, 500},
        {"battery 40", true, K::Battery, 40},
        {"charge 2", true, K::Charge, 2},
        {"sensor 0x25", true, K::Sensor, 0x25},
        {"unplug receiver", true, K::Unplug, 0},
        {"plug cable", true, K::Plug, 0},
        {"dpi 0", false, K::Dpi, 0},
        {"rate 300", false, K::Rate, 0},
        {"charge 3", false, K::Charge, 0},
        {"sensor 25", false, K::Sensor, 0},
        {"unplug usb", false, K::Unplug, 0},
        {"dpi", false, K::Dpi, 0},
        {"dpi 3 4", false, K::Dpi, 0},
        {"wiggle 1", false, K::Dpi, 0},
    };
    for (const SimEventCase& c : cases) {
        const auto e = ParseSimEvent(c.Text);
        ASSERT_EQ(e.has_value(), c.Known) << c.Text;
        if (e) {
            EXPECT_EQ(e->What, c.Kind) << c.Text;
            if (c.Kind != K::Plug && c.Kind != K::Unplug) {
                EXPECT_EQ(e->Value, c.Value) << c.Text;
            }
        }
    }
}

TEST_F(MainWindowFixture, SimEventsReachTheWindowThroughTheMouse) {
    MainWindowOptions options;
    options.Mouse.receiver = true;
    Start(options);
    ASSERT_TRUE(Mouse().WaitForReader(SimRole::kCable, std::chrono::seconds(2)));
    ASSERT_TRUE(DeliverSimEvent(*ParseSimEvent("rate 250"), Mouse(), Window().Profile(),
                                Core().Device().CurrentDpiOrdinal));
    ASSERT_TRUE(WaitFor([&] { return Window().Osd() != nullptr; }));
    EXPECT_EQ(Window().Osd()->Texts().Rate, u"250Hz");
    EXPECT_EQ(Window().Profile().PollingRateValue[0], 1);

    ASSERT_TRUE(DeliverSimEvent(*ParseSimEvent("charge 1"), Mouse(), Window().Profile(), 0));
    EXPECT_EQ(Mouse().Status().charge, 1);
    ASSERT_TRUE(DeliverSimEvent(*ParseSimEvent("unplug cable"), Mouse(), Window().Profile(), 0));
    EXPECT_FALSE(DeliverSimEvent(*ParseSimEvent("unplug cable"), Mouse(), Window().Profile(), 0));
    ProcessEvents();
    EXPECT_FALSE(Window().Ended());
}

struct ScaleCase {
    int Width;
    int Height;
    double Scale;
};

TEST(UiScale, FromTheAvailableArea) {
    const ScaleCase cases[] = {
        {1920, 1017, 1.0}, {2560, 1377, 1.5}, {3840, 2097, 2.0}, {2560, 1200, 1.0},
        {3000, 1500, 1.5}, {1800, 1400, 1.0}, {1366, 728, 1.0},
    };
    for (const ScaleCase& c : cases)
        EXPECT_EQ(UiScaleFor(c.Width, c.Height), c.Scale) << c.Width << "x" << c.Height;
}

TEST(AppOptions, CommandLine) {
    AppOptions o = ParseAppOptions({"--simulate=receiver,battery=5", "--data-dir", "/tmp/x",
                                    "--trace=/tmp/t", "--screenshot", "a.png"});
    ASSERT_TRUE(o.Ok()) << o.Error.toStdString();
    EXPECT_TRUE(o.Simulate);
    EXPECT_EQ(o.SimulateOptions, "receiver,battery=5");
    EXPECT_EQ(o.DataDir, "/tmp/x");
    EXPECT_EQ(o.TracePath, "/tmp/t");
    EXPECT_EQ(o.Screenshot, "a.png");
    EXPECT_FALSE(o.Hidden);

    o = ParseAppOptions({"--hidden"});
    EXPECT_TRUE(o.Ok() && o.Hidden);
    EXPECT_TRUE(HelpText("/sim/").contains("--hidden"));

    o = ParseAppOptions({"--sim", "dpi", "3"});
    EXPECT_TRUE(o.SendSimEvent);
    EXPECT_EQ(o.SimEvent, "dpi 3");

    for (const QStringList& bad :
         {QStringList{"--data-dir"}, QStringList{"--frobnicate"}, QStringList{"--sim"}})
        EXPECT_FALSE(ParseAppOptions(bad).Ok()) << bad.join(' ').toStdString();
}

}  // namespace
}  // namespace velmaro::test
