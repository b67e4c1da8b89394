// The desktop program's figures: time from process start (as the kernel
// records it) to the first painted main window on the simulated mouse
// (median of 20 starts), resident memory after start, CPU time over an idle
// minute with the status polling running, and a full repaint of the real main
// window at UI scale 2.0.
//
//   app_bench [--idle-seconds N] [benchmark options]
// The program runs on Qt's offscreen platform unless QT_QPA_PLATFORM says
// otherwise.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "device/hid/sim/virtual_mouse.h"
#include "ui/ui_platform.h"

namespace {

using namespace velmaro;

QStringList SimArgs(const QTemporaryDir& dir) {
    return {"--simulate", "--data-dir", dir.path()};
}

double MedianFirstPaint(int starts) {
    std::vector<double> ms;
    QTemporaryDir dir;
    for (int i = 0; i < starts; ++i) {
        QProcess p;
        p.start(VELMARO_BINARY, SimArgs(dir) << "--quit-after-paint");
        if (!p.waitForFinished(30000))
            return -1;
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        const QStringList words = out.split(' ', Qt::SkipEmptyParts);
        if (words.size() >= 3 && words[0] == "first")
            ms.push_back(words[2].toDouble());
    }
    if (ms.empty())
        return -1;
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

long ReadStatusKb(qint64 pid, const char* field) {
    QFile f(QString("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(strlen(field))).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// utime + stime in clock ticks.
long long CpuTicks(qint64 pid) {
    QFile f(QString("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = f.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    // Fields 14 and 15 of the whole line; the list starts at field 3.
    return fields.size() > 13 ? fields[11].toLongLong() + fields[12].toLongLong() : -1;
}

void RunningFigures(int idleSeconds) {
    QTemporaryDir dir;
    QProcess p;
    p.start(VELMARO_BINARY, SimArgs(dir));
    if (!p.waitForStarted(10000)) {
        std::printf("could not start %s\n", VELMARO_BINARY);
        return;
    }
    QThread::sleep(3);
    const long rssKb = ReadStatusKb(p.processId(), "VmRSS:");
    std::printf("resident memory after start: %.1f MB (target < 60 MB)\n", rssKb / 1024.0);
    const long long before = CpuTicks(p.processId());
    QElapsedTimer t;
    t.start();
    QThread::sleep(idleSeconds);
    const long long after = CpuTicks(p.processId());
    const double cpuSeconds = double(after - before) / double(sysconf(_SC_CLK_TCK));
    std::printf("CPU over %d idle seconds: %.3f %% (%.2f s; target < 0.3 %%)\n", idleSeconds,
                100.0 * cpuSeconds / (double(t.elapsed()) / 1000.0), cpuSeconds);
    ::kill(pid_t(p.processId()), SIGTERM);
    p.waitForFinished(10000);
}

struct RealWindow {
    RealWindow() : mouse(VirtualMouseConfig{}) {
        ui.Scale = 2.0;
        ui.SkinsDir = FindSkinsDir();
        MainWindowSetup setup;
        setup.Backend = &mouse;
        setup.Pacing = &pacer;
        setup.Timers = &timers;
        setup.TrayAvailable = false;
        setup.Core.DataFolder = (dir.path() + "/").toStdU16String();
        setup.Core.WatchDeviceChanges = false;
        window = std::make_unique<CKorvaneDlg>(ui, setup);
        window->Initialize();
        window->RenderAll();
    }
    ~RealWindow() { window.reset(); }

    QTemporaryDir dir;
    VirtualMouse mouse;
    RecordingPacer pacer;
    ManualTimerHost timers;
    UiContext ui;
    std::unique_ptr<CKorvaneDlg> window;
};

void BM_MainWindowFullRepaint(benchmark::State& state) {
    RealWindow w;
    for (auto _ : state)
        benchmark::DoNotOptimize(w.window->RenderAll().constBits());
    state.SetLabel("scale 2.0, 2254 x 1480 (target < 8 ms)");
}
BENCHMARK(BM_MainWindowFullRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    int idleSeconds = 60;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--idle-seconds") == 0 && i + 1 < argc)
            idleSeconds = std::max(1, std::atoi(argv[++i]));
        else
            rest.push_back(argv[i]);
    }
    int restCount = int(rest.size());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PrepareUiPlatform();
    QApplication app(restCount, rest.data());
    InstallFontSubstitutes();
    InitUiResources();

    std::printf("first paint, median of 20 starts: %.0f ms (target < 200 ms)\n",
                MedianFirstPaint(20));
    RunningFigures(idleSeconds);
    std::fflush(stdout);

    benchmark::Initialize(&restCount, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
