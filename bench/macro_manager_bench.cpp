// The macro manager at UI scale 2.0 on a library of 1,000 macros in 40
// folders of 25 (all open, as a user who browsed them left them before the
// manager closes them): opening it (the window, its controls, folders
// closed, the first full paint) and scrolling the tree one page with every
// folder open (one scroll and the repaint it causes).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "app/macro/macro_manager_dlg.h"
#include "ui/edit_show_list.h"
#include "ui/ui_platform.h"
#include "ui/v_scroll_bar.h"

namespace {

using namespace velmaro;

constexpr double kScale = 2.0;

void FillLibrary(MacroLibrary& library, bool open) {
    library.ClearLibrary();
    for (int f = 0; f < 40; ++f) {
        library.PlaceFolder(u"Folder " + QString::number(f).toStdU16String(),
                            MacroItemLocation::Top(f), open ? 1 : 0);
        for (int m = 0; m < 25; ++m) {
            auto macro = std::make_unique<MacroRecord>();
            for (uint32_t a = 0; a < 12; ++a)
                macro->InsertAction(
                    a, a % 2 ? MacroAction::Delay(50) : MacroAction::Make(0x41, 0, 0, 0));
            library.PlaceMacro(u"Macro " + QString::number(m).toStdU16String(),
                               MacroItemLocation::Stage1(f, m), std::move(macro));
        }
    }
}

struct Setup {
    Setup() {
        ui.Scale = kScale;
        ui.Font = UiFont{u"Tahoma", int(16 * kScale), 1};
        ui.SkinsDir = QStringLiteral(VELMARO_SKINS_DIR "/");
        for (size_t n = 0; n < language.Entries.size(); ++n)
            language.Entries[n] = u"Text " + QString::number(n).toStdU16String();
    }
    UiContext ui;
    LanguageTable language;
    MacroLibrary library;
};

void BM_OpenManager(benchmark::State& state) {
    Setup s;
    for (auto _ : state) {
        state.PauseTiming();
        FillLibrary(s.library, true);
        state.ResumeTiming();
        CMacroManagerDlg manager(s.ui, s.language, s.library, MacroManagerHost{});
        manager.Initialize();
        benchmark::DoNotOptimize(manager.RenderAll().constBits());
    }
    state.counters["rows"] = s.library.VisibleRowCount();
}
BENCHMARK(BM_OpenManager)->Unit(benchmark::kMillisecond);

void BM_ScrollTreeOnePage(benchmark::State& state) {
    Setup s;
    FillLibrary(s.library, false);
    CMacroManagerDlg manager(s.ui, s.language, s.library, MacroManagerHost{});
    manager.Initialize();
    // Every folder open: 1,040 rows.
    for (int f = 0; f < 40; ++f)
        s.library.MutableItemAt(MacroItemLocation::Top(f))->MacroItemFolderIsOpen = 1;
    manager.RefreshSelection();
    manager.RenderAll();
    const int page = manager.Tree()->VisibleRowCount();
    const int rows = s.library.VisibleRowCount();
    bool down = true;
    for (auto _ : state) {
        // Page down to the end, then back up.
        const int first = manager.Tree()->FirstVisibleRow();
        if (first + 2 * page > rows)
            down = false;
        if (first < page)
            down = true;
        manager.SendMessage(kManagerTreeScrollId, down ? ScrollPageDown : ScrollPageUp, NotifyDown);
        benchmark::DoNotOptimize(manager.RenderPending().constBits());
    }
    state.counters["rows"] = rows;
    state.counters["page"] = page;
}
BENCHMARK(BM_ScrollTreeOnePage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    velmaro::PrepareUiPlatform();
    QApplication app(argc, argv);
    velmaro::InitUiResources();
    velmaro::InstallFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
