// velmaro_readme_shots: the pictures of the user guide, drawn by the program's
// own main window on the virtual mouse, offscreen at UI scale 1.0.
//
//   velmaro_readme_shots OUTPUT_DIR
//
// Writes main-window.png (the window as it starts), section-<name>.png (the
// settings column with that section open), button-page.png (the button
// settings with a button's menu open) and mouse-access.png (what the window
// says when the mouse is there but may not be opened) and macro-manager.png
// (the manager on a small library). scripts/readme-screenshot runs it.
#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

#include "app/button_page.h"
#include "app/macro/macro_manager_dlg.h"
#include "app/main_window.h"
#include "app/settings_sections.h"
#include "device/hid/sim/virtual_mouse.h"
#include "macro/macro_library_file.h"
#include "model/timer_host.h"
#include "ui/attention_dlg.h"
#include "ui/list_popup.h"
#include "ui/ui_platform.h"

namespace velmaro {
namespace {

class NoPause : public Pacer {
  public:
    void Pause(int) override {}
};

struct Shot {
    QString Name;
    VirtualMouseConfig Mouse;
    // Runs on the started window; returns the picture.
    std::function<QImage(CKorvaneDlg&)> Take;
};

void Settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void Click(CKorvaneDlg& window, uint32_t id) {
    CControlBase* control = window.FindControl(id);
    if (control == nullptr)
        return;
    const Rect r = control->GetRect();
    const QPointF p((r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0);
    const QPointF global = window.mapToGlobal(p);
    QMouseEvent move(QEvent::MouseMove, p, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &move);
    QMouseEvent press(QEvent::MouseButtonPress, p, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&window, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, p, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&window, &release);
    Settle();
}

// The settings column with only `open` open.
QImage Column(CKorvaneDlg& window, Section open) {
    for (int s = 0; s < kSectionCount; ++s)
        window.Sections().SetOpen(Section(s), Section(s) == open);
    window.RefreshControls();
    const QImage all = window.RenderAll().copy();
    // The column's top: the open section and the headers around it.
    return all.copy(kColumnLeft - 8, 0, kColumnWidth + 16, 330);
}

MacroAction KeyAction(uint8_t code, bool release) {
    return MacroAction::Make(code, release ? 0x80 : 0x00, 0, 0);
}

// The macro manager over a small library: a folder open with a macro of a
// key, a click and the delays between them selected.
QImage MacroManager(CKorvaneDlg& w) {
    AppCore& core = w.Core();
    MacroLibrary& library = core.Library();
    library.PlaceFolder(u"Games", MacroItemLocation::Top(0), 1);
    library.PlaceFolder(u"Office", MacroItemLocation::Top(1), 0);
    auto reload = std::make_unique<MacroRecord>();
    for (const MacroAction& a : {KeyAction(0x52, false), MacroAction::Delay(50),
                                 KeyAction(0x52, true), MacroAction::Make(0xE0, 0, 0, 0),
                                 MacroAction::Delay(120), MacroAction::Make(0xE0, 0x80, 0, 0)})
        reload->InsertAction(reload->MacroActionNum, a);
    library.PlaceMacro(u"Reload", MacroItemLocation::Stage1(0, 0), std::move(reload));
    library.PlaceMacro(u"Jump", MacroItemLocation::Top(2), std::make_unique<MacroRecord>());
    MacroManagerHost host;
    host.RunModal = [](CDlgBase&) { return 0; };
    host.Files = &core.Files();
    host.LibraryPath = MacroLibraryPath(w.State().DataFolder);
    host.CurrentProfile = &w.Profile();
    host.Chooser = &w.Chooser();
    host.Scratch = &core.ScratchLibrary();
    CMacroManagerDlg manager(w.Ui(), w.State().Language, library, std::move(host));
    manager.show();
    Settle();
    library.MutableItemAt(MacroItemLocation::Top(0))->MacroItemFolderIsOpen = 1;
    library.SelectedLocation = MacroItemLocation::Stage1(0, 0);
    manager.RefreshSelection();
    manager.SelectAction(1);
    Settle();
    return manager.grab().toImage();
}

int Run(const QString& out) {
    QDir().mkpath(out);
    const QList<Shot> shots = {
        {"main-window", {}, [](CKorvaneDlg& w) { return w.RenderAll().copy(); }},
        {"section-dpi", {}, [](CKorvaneDlg& w) { return Column(w, Section::Dpi); }},
        {"section-lighting", {}, [](CKorvaneDlg& w) { return Column(w, Section::Lighting); }},
        {"section-report-rate", {}, [](CKorvaneDlg& w) { return Column(w, Section::Rate); }},
        // A sensor that offers a choice of lift-off distance.
        {"section-lift-off",
         {.status = {.sensor_code = 0x35}},
         [](CKorvaneDlg& w) { return Column(w, Section::LiftOff); }},
        {"section-pointer", {}, [](CKorvaneDlg& w) { return Column(w, Section::Pointer); }},
        {"button-page",
         {},
         [](CKorvaneDlg& w) {
             Click(w, kButtonFieldFirstId + 3);
             QImage image = w.RenderAll().copy();
             if (CListPopup* menu = w.Buttons().Menu()) {
                 QPainter p(&image);
                 p.drawPixmap(w.mapFromGlobal(menu->pos()), menu->grab());
             }
             return image.copy(0, 0, 840, image.height());
         }},
        {"mouse-access",
         {.no_access = true},
         [](CKorvaneDlg& w) {
             w.FireTimer(kTimerStartupCheck);
             Settle();
             CDlgBase* message = w.StartupMessage();
             return message ? message->RenderAll().copy() : QImage();
         }},
        {"macro-manager", {}, [](CKorvaneDlg& w) { return MacroManager(w); }},
    };
    for (const Shot& shot : shots) {
        QTemporaryDir data;
        VirtualMouse mouse(shot.Mouse);
        NoPause pause;
        ManualTimerHost timers;
        UiContext ui;
        ui.SkinsDir = QStringLiteral(VELMARO_SKINS_DIR);
        MainWindowSetup setup;
        setup.Backend = &mouse;
        setup.Pacing = &pause;
        setup.Timers = &timers;
        setup.Core.DataFolder = (data.path() + "/").toStdU16String();
        setup.Core.Locale = "en_US.UTF-8";
        setup.Core.WatchDeviceChanges = false;
        setup.TrayAvailable = false;
        setup.UdevRule = "/usr/lib/udev/rules.d/70-velmaro.rules";
        setup.UserGuideUrl = "https://velmaro.github.io/velmaro/";
        CKorvaneDlg window(ui, setup);
        window.show();
        Settle();
        timers.Advance(20, [&window](int id) { window.FireTimer(id); });
        Settle();
        const QImage image = shot.Take(window);
        const QString file = out + "/" + shot.Name + ".png";
        if (image.isNull() || !image.save(file, "PNG")) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(file));
            return 1;
        }
        std::printf("wrote %s\n", qPrintable(file));
        window.EndProgram();
    }
    return 0;
}

}  // namespace
}  // namespace velmaro

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmaro_readme_shots OUTPUT_DIR\n");
        return 2;
    }
    velmaro::PrepareUiPlatform();
    QApplication application(argc, argv);
    velmaro::InstallFontSubstitutes();
    velmaro::InitUiResources();
    return velmaro::Run(QString::fromLocal8Bit(argv[1]));
}
