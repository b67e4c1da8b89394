// velmaroctl beside the running window: the time of a command served by the
// window over the session bus against the same command run alone, and
// twenty sets at once against one. Runs on a private session bus and a
// temporary data folder, the window simulated on Qt's offscreen platform.
//
//   window_control_bench [runs]      (default 50)
// Figures only; nothing here passes or fails.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

QString dataDir;

double RunCtl(const QStringList& args) {
    QElapsedTimer t;
    t.start();
    QProcess p;
    p.start(VELMAROCTL_BINARY, QStringList{"--simulate", "--data-dir", dataDir} + args);
    p.waitForFinished(60000);
    return double(t.nsecsElapsed()) / 1e6;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

double MedianOf(int runs, const QStringList& args) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i)
        ms.push_back(RunCtl(args));
    return Median(ms);
}

// A set that changes the setting every time (two values in turn), so each
// run sends its report and pays the mouse's pacing as the twenty below do.
double MedianOfChanging(int runs, const QString& a, const QString& b) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i)
        ms.push_back(RunCtl({"set", i % 2 ? a : b}));
    return Median(ms);
}

// Twenty sets of different settings started together: wall time to the last.
double TwentyAtOnce() {
    const QStringList pairs = {"dpi.0=900",
                               "dpi.1=1100",
                               "dpi.2=1300",
                               "dpi.3=1500",
                               "dpi.4=1700",
                               "rate=250",
                               "sleep=9",
                               "debounce=8",
                               "liftoff=2",
                               "dpi.0.color=112233",
                               "dpi.1.color=223344",
                               "dpi.2.color=334455",
                               "dpi.3.color=445566",
                               "dpi.4.color=556677",
                               "button.2=key:ctrl+f",
                               "button.3=key:ctrl+e",
                               "button.4=key:ctrl+a",
                               "button.5=key:ctrl+b",
                               "button.6=key:ctrl+d",
                               "lighting.mode=1"};
    QElapsedTimer t;
    t.start();
    std::vector<std::unique_ptr<QProcess>> all;
    for (const QString& pair : pairs) {
        all.push_back(std::make_unique<QProcess>());
        all.back()->start(VELMAROCTL_BINARY,
                          QStringList{"--simulate", "--data-dir", dataDir, "set", pair});
    }
    for (auto& p : all)
        p->waitForFinished(60000);
    return double(t.nsecsElapsed()) / 1e6;
}

void Figures(const char* who, int runs) {
    std::printf("%-22s status median of %d: %6.1f ms\n", who, runs, MedianOf(runs, {"status"}));
    std::printf("%-22s unchanged set median of %d: %6.1f ms\n", who, runs,
                MedianOf(runs, {"set", "rate=500"}));
    const double one = MedianOfChanging(runs, "sleep=5", "sleep=6");
    std::printf("%-22s changing set median of %d:  %6.1f ms (one report and its pacing)\n", who,
                runs, one);
    const double twenty = TwentyAtOnce();
    std::printf("%-22s 20 changing sets at once: %6.1f ms (%.1f x one changing set)\n", who, twenty,
                twenty / one);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 50;
    QTemporaryDir work;
    dataDir = work.filePath("data");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_RUNTIME_DIR", work.path().toUtf8());

    QProcess bus;
    bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    if (!bus.waitForReadyRead(5000)) {
        std::fprintf(stderr, "dbus-daemon did not start\n");
        return 1;
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());

    Figures("velmaroctl alone:", runs);

    QProcess window;
    window.start(VELMARO_BINARY, {"--simulate", "--data-dir", dataDir});
    // Served once the window answers.
    for (int i = 0; i < 200; ++i) {
        QProcess p;
        p.start(VELMAROCTL_BINARY, {"--simulate", "--data-dir", dataDir, "--verbose", "status"});
        p.waitForFinished(10000);
        if (p.readAllStandardError().contains("served by velmaro ("))
            break;
        QThread::msleep(50);
    }
    Figures("served by the window:", runs);
    window.terminate();
    window.waitForFinished(10000);
    bus.terminate();
    bus.waitForFinished(5000);
    return 0;
}
