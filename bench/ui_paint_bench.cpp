// Painting the skinned main window: one full paint of the 1127 x 740 window
// (about sixty controls over the main background) at UI scales 1.0 and 2.0,
// and the repaint after the pointer enters or leaves one control, both into
// the off-screen image alone and through the window's own paint event.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "sample_main_window.h"
#include "skin_layout.h"
#include "ui/ui_platform.h"

namespace {

using velmaro::Point;
using velmaro::UiContext;
using velmaro::sample::CSampleMainDlg;

struct Window {
    explicit Window(double scale) {
        ui.Scale = scale;
        ui.Font = velmaro::UiFont{u"Tahoma", int(16 * scale), 1};
        ui.SkinsDir = QStringLiteral(VELMARO_SKINS_DIR "/");
        dlg = std::make_unique<CSampleMainDlg>(ui);
        dlg->Initialize();
        dlg->RenderAll();
    }
    // The middle of the third button field, and a point on the background.
    Point Field() const {
        const auto f = velmaro::skin_layout::ButtonField(2);
        return Point{ui.Px(f.left + f.width / 2), ui.Px(f.top + f.height / 2)};
    }
    Point Background() const { return Point{ui.Px(600), ui.Px(60)}; }

    UiContext ui;
    std::unique_ptr<CSampleMainDlg> dlg;
};

double ScaleArg(const benchmark::State& state) {
    return double(state.range(0)) / 10.0;
}

void BM_FullPaint(benchmark::State& state) {
    Window w(ScaleArg(state));
    for (auto _ : state) {
        benchmark::DoNotOptimize(w.dlg->RenderAll().constBits());
    }
    state.counters["controls"] = w.dlg->ControlCount();
    state.SetLabel(QStringLiteral("%1 x %2")
                       .arg(w.dlg->WindowSize().width())
                       .arg(w.dlg->WindowSize().height())
                       .toStdString());
}
BENCHMARK(BM_FullPaint)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

// Each iteration the pointer enters or leaves one button field: one control's
// rectangle is invalidated and repainted.
void BM_HoverRepaint(benchmark::State& state) {
    Window w(ScaleArg(state));
    bool inside = false;
    for (auto _ : state) {
        inside = !inside;
        w.dlg->HandleMouseMove(0, inside ? w.Field() : w.Background());
        benchmark::DoNotOptimize(w.dlg->RenderPending().constBits());
    }
}
BENCHMARK(BM_HoverRepaint)->Arg(10)->Arg(20)->Unit(benchmark::kMicrosecond);

// The same through the shown window: the update request runs the paint
// event, which repaints the invalidated part and copies it to the window.
void BM_HoverRepaintWindow(benchmark::State& state) {
    Window w(ScaleArg(state));
    w.dlg->show();
    QCoreApplication::processEvents();
    bool inside = false;
    for (auto _ : state) {
        inside = !inside;
        w.dlg->HandleMouseMove(0, inside ? w.Field() : w.Background());
        QCoreApplication::sendPostedEvents(w.dlg.get(), QEvent::UpdateRequest);
    }
}
BENCHMARK(BM_HoverRepaintWindow)->Arg(10)->Arg(20)->Unit(benchmark::kMicrosecond);

void BM_FullPaintWindow(benchmark::State& state) {
    Window w(ScaleArg(state));
    w.dlg->show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        w.dlg->InvalidateAll();
        QCoreApplication::sendPostedEvents(w.dlg.get(), QEvent::UpdateRequest);
    }
}
BENCHMARK(BM_FullPaintWindow)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    velmaro::PrepareUiPlatform();
    QApplication app(argc, argv);
    velmaro::InitUiResources();
    velmaro::InstallFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
