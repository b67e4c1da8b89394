// The desktop program's figures: time from process start (as the kernel
// records it) to the first painted main window on the simulated mouse
// (median of 20 starts, interleaved with as many starts of an empty Qt widget
// window built beside it, so the ratio means the same on any machine),
// resident memory after start, CPU time over an idle minute with the status
// polling running, a full repaint of the real main window at UI scale 2.0 and
// the first opening of each small dialog at UI scale 2.0 (its pictures not
// read yet).
//
//   app_bench [--idle-seconds N] [--velmaro PROGRAM] [benchmark options]
// --velmaro starts another build of the program (an earlier one, to compare).
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
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/color_palette_dlg.h"
#include "app/dpi_value_setting_dlg.h"
#include "app/fire_key_dlg.h"
#include "app/firmware_reset_dlg.h"
#include "app/main_window.h"
#include "app/profile_name_dlg.h"
#include "app/shortcut_dlg.h"
#include "device/hid/sim/virtual_mouse.h"
#include "ui/attention_dlg.h"
#include "ui/progress_bar_dlg.h"
#include "ui/ui_platform.h"
#include "ui/vertical_slider_control.h"

namespace {

using namespace velmaro;

QStringList SimArgs(const QTemporaryDir& dir) {
    return {"--simulate", "--data-dir", dir.path()};
}

// One start of `program`; its first paint in ms, or -1.
double FirstPaint(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000))
        return -1;
    const QStringList words =
        QString::fromUtf8(p.readAllStandardOutput()).split(' ', Qt::SkipEmptyParts);
    return words.size() >= 3 && words[0] == "first" ? words[2].toDouble() : -1;
}

double Median(std::vector<double> v) {
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// velmaro and the empty window, started in turn, so both see the same load.
QString velmaroBinary = VELMARO_BINARY;

void FirstPaints(int starts) {
    std::vector<double> velmaro, empty;
    QTemporaryDir dir;
    for (int i = 0; i < starts; ++i) {
        const double v = FirstPaint(velmaroBinary, SimArgs(dir) << "--quit-after-paint");
        const double e = FirstPaint(EMPTY_WINDOW_BINARY, {});
        if (v >= 0)
            velmaro.push_back(v);
        if (e >= 0)
            empty.push_back(e);
    }
    const double mv = Median(velmaro), me = Median(empty);
    std::printf(
        "first paint, median of %d starts: velmaro %.0f ms, empty Qt window %.0f ms, "
        "ratio %.2f (target <= 1.5)\n",
        starts, mv, me, me > 0 ? mv / me : -1.0);
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

long SettledRssKb(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForStarted(10000))
        return -1;
    QThread::sleep(3);
    const long kb = ReadStatusKb(p.processId(), "VmRSS:");
    ::kill(pid_t(p.processId()), SIGTERM);
    p.waitForFinished(10000);
    return kb;
}

void RunningFigures(int idleSeconds) {
    std::printf("resident memory after start: empty Qt window %.1f MB\n",
                SettledRssKb(EMPTY_WINDOW_BINARY, {"--stay"}) / 1024.0);
    QTemporaryDir dir;
    QProcess p;
    p.start(velmaroBinary, SimArgs(dir));
    if (!p.waitForStarted(10000)) {
        std::printf("could not start %s\n", qPrintable(velmaroBinary));
        return;
    }
    QThread::sleep(3);
    const long rssKb = ReadStatusKb(p.processId(), "VmRSS:");
    std::printf("resident memory after start: %.1f MB (target < 35 MB)\n", rssKb / 1024.0);
    const long long before = CpuTicks(p.processId());
    QElapsedTimer t;
    t.start();
    QThread::sleep(idleSeconds);
    const long long after = CpuTicks(p.processId());
    const double cpuSeconds = double(after - before) / double(sysconf(_SC_CLK_TCK));
    std::printf("CPU over %d idle seconds: %.3f %% (%.2f s; no worse than 0.067 %%)\n", idleSeconds,
                100.0 * cpuSeconds / (double(t.elapsed()) / 1000.0), cpuSeconds);
    ::kill(pid_t(p.processId()), SIGTERM);
    p.waitForFinished(10000);
}

struct RealWindow {
    explicit RealWindow(double scale = 2.0) : mouse(VirtualMouseConfig{}) {
        ui.Scale = scale;
        // The skin of the build (the benchmark is not beside the program).
        ui.SkinsDir = QStringLiteral(VELMARO_SKINS_DIR "/");
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
    state.SetLabel("scale 2.0, 2254 x 1480 (no worse than 0.87 ms)");
}
BENCHMARK(BM_MainWindowFullRepaint)->Unit(benchmark::kMillisecond);

// At scale 1.0 the window draws from its pictures as read until it has been
// painted on the screen, and from squares after that.
void BM_MainWindowFullRepaintAtOne(benchmark::State& state, bool squares) {
    RealWindow w(1.0);
    if (squares) {
        w.window->show();
        QElapsedTimer waited;
        waited.start();
        while (!w.window->BackgroundTiled() && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        w.window->CompactControlImages();
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(w.window->RenderAll().constBits());
    state.SetLabel(squares ? (w.window->BackgroundTiled() ? "scale 1.0, 1127 x 740, in squares"
                                                          : "scale 1.0: the squares were not made")
                           : "scale 1.0, 1127 x 740, pictures as read");
}
BENCHMARK_CAPTURE(BM_MainWindowFullRepaintAtOne, pictures, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MainWindowFullRepaintAtOne, squares, true)->Unit(benchmark::kMillisecond);

// A small dialog opened for the first time: built, initialised and painted
// once, its pictures not read yet (they are read for this first paint).
using DialogMaker = std::function<std::unique_ptr<CDlgBase>(RealWindow&)>;

void BM_DialogFirstOpen(benchmark::State& state, const DialogMaker& make) {
    static RealWindow* w = nullptr;
    if (w == nullptr)
        w = new RealWindow;  // one for the whole run; it ends with the process
    for (auto _ : state) {
        w->ui.Pictures.Clear();
        std::unique_ptr<CDlgBase> dialog = make(*w);
        dialog->Initialize();
        benchmark::DoNotOptimize(dialog->RenderAll().constBits());
    }
    state.SetLabel("scale 2.0 (target < 16 ms)");
}

const LanguageTable& Texts(RealWindow& w) {
    return w.window->State().Language;
}

std::unique_ptr<CVerticalSliderControl> dpiBar;

const std::vector<std::pair<const char*, DialogMaker>>& Dialogs() {
    static const std::vector<std::pair<const char*, DialogMaker>> dialogs = {
        {"reset",
         [](RealWindow& w) { return std::make_unique<CFirmwareResetDlg>(w.ui, Texts(w)); }},
        {"attention",
         [](RealWindow& w) {
             return std::make_unique<CAttentionDlg>(w.ui, Texts(w), "Attention", "A message.");
         }},
        {"progress",
         [](RealWindow& w) { return std::make_unique<CProgressBarDlg>(w.ui, "", "Saving"); }},
        {"fire_key", [](RealWindow& w) { return std::make_unique<CFireKeyDlg>(w.ui, Texts(w)); }},
        {"shortcut", [](RealWindow& w) { return std::make_unique<CShortcutDlg>(w.ui, Texts(w)); }},
        {"profile_name",
         [](RealWindow& w) {
             return std::make_unique<CProfileNameDlg>(w.ui, Texts(w), 0, "Profile 1");
         }},
        {"color_palette",
         [](RealWindow& w) {
             return std::make_unique<CColorPaletteDlg>(w.ui, Texts(w), 0x3366CC, w.window.get());
         }},
        {"dpi_value",
         [](RealWindow& w) {
             if (!dpiBar)
                 dpiBar = std::make_unique<CVerticalSliderControl>(
                     w.window.get(), 0xCE4, Rect{0, 0, 20, 100}, "", 100, 0, 0);
             return std::make_unique<CDPIValueSettingDlg>(w.ui, Texts(w), w.window->State().Sensor,
                                                          *dpiBar);
         }},
    };
    return dialogs;
}

}  // namespace

int main(int argc, char** argv) {
    int idleSeconds = 60;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--idle-seconds") == 0 && i + 1 < argc)
            idleSeconds = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--velmaro") == 0 && i + 1 < argc)
            velmaroBinary = QString::fromLocal8Bit(argv[++i]);
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

    FirstPaints(20);
    RunningFigures(idleSeconds);
    for (const auto& [name, make] : Dialogs())
        benchmark::RegisterBenchmark(
            (std::string("BM_DialogFirstOpen/") + name).c_str(),
            [&make = make](benchmark::State& state) { BM_DialogFirstOpen(state, make); })
            ->Unit(benchmark::kMillisecond);
    std::fflush(stdout);

    benchmark::Initialize(&restCount, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
