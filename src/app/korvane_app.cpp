#include "app/korvane_app.h"

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "app/main_window.h"
#include "app/process_clock.h"
#include "app/ui_scale.h"
#include "cli/session.h"
#include "cli/tracing_backend.h"
#include "device/hid/linux/linux_hid_backend.h"
#include "device/hid/sim/virtual_mouse.h"
#include "model/text.h"
#include "storage/data_folder.h"
#include "ui/ui_platform.h"

#ifndef VELMARO_VERSION
#define VELMARO_VERSION "0"
#endif
#ifndef VELMARO_USER_GUIDE_URL
#define VELMARO_USER_GUIDE_URL ""
#endif

namespace velmaro {

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFiles = 3;

const char kSupportText[] =
    "Technical support: open an issue in the Velmaro project, naming the mouse's sensor and "
    "what you did.";

void Say(const QString& text) {
    std::cerr << "velmaro: " << text.toStdString() << '\n';
}

}  // namespace

QString SimulationDataFolder() {
    QString folder = QString::fromStdU16String(DefaultDataFolder());
    if (folder.isEmpty())
        return folder;
    if (folder.endsWith('/'))
        folder.chop(1);
    return folder + "-simulated/";
}

int CKorvaneApp::Run(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const AppOptions options = ParseAppOptions(arguments);
    if (!options.Ok()) {
        Say(options.Error + " (velmaro --help lists the options)");
        return kExitUsage;
    }
    if (options.Help) {
        std::cout << HelpText(SimulationDataFolder()).toStdString();
        return 0;
    }
    if (options.Version) {
        std::cout << "velmaro " << VELMARO_VERSION << '\n';
        return 0;
    }

    // The backend: the virtual mouse or the system's devices, traced on request.
    std::unique_ptr<VirtualMouse> sim;
    std::unique_ptr<HidBackend> real;
    HidBackend* backend = nullptr;
    if (options.Simulate) {
        const SimulateOptionsResult parsed =
            ParseSimulateOptions(options.SimulateOptions.toStdString());
        if (!parsed.Ok()) {
            Say("--simulate: " + QString::fromStdString(parsed.error));
            return kExitUsage;
        }
        sim = std::make_unique<VirtualMouse>(parsed.config);
        backend = sim.get();
    } else {
        real = std::make_unique<LinuxHidBackend>();
        backend = real.get();
    }
    std::ofstream trace;
    std::unique_ptr<HidBackend> tracing;
    if (!options.TracePath.isEmpty()) {
        trace.open(options.TracePath.toStdString(), std::ios::out | std::ios::app);
        if (!trace) {
            Say("could not write " + options.TracePath);
            return kExitFiles;
        }
        tracing =
            std::make_unique<cli::TracingHidBackend>(*backend, [&trace](const std::string& l) {
                trace << l << '\n';
                trace.flush();
            });
        backend = tracing.get();
    }

    PrepareUiPlatform();
    QApplication application(argc, argv);
    // The window hides into the notification area; only EndProgram quits.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallFontSubstitutes();
    InitUiResources();

    UiContext ui;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        ui.Scale = UiScaleFor(area.width(), area.height());
    }
    ui.SkinsDir = FindSkinsDir();

    MainWindowSetup setup;
    setup.Backend = backend;
    if (!options.DataDir.isEmpty())
        setup.Core.DataFolder = cli::DataFolderFromOption(options.DataDir.toStdString());
    else if (options.Simulate)
        setup.Core.DataFolder = SimulationDataFolder().toStdU16String();
    setup.UserGuideUrl = QString::fromUtf8(VELMARO_USER_GUIDE_URL);
    setup.SupportText = QString::fromUtf8(kSupportText);

    int status = 0;
    {
        CKorvaneDlg window(ui, setup);
        window.SetEndHandler([] { QCoreApplication::exit(0); });
        if (!options.Screenshot.isEmpty()) {
            window.Initialize();
            const QImage image = window.RenderAll();
            if (!image.save(options.Screenshot, "PNG")) {
                Say("could not write " + options.Screenshot);
                status = kExitFiles;
            }
            window.EndProgram();
            return status;
        }
        if (options.QuitAfterPaint) {
            window.SetFirstPaintHandler([&window] {
                std::printf("first paint %.0f ms\n", MillisecondsSinceProcessStart());
                std::fflush(stdout);
                QMetaObject::invokeMethod(
                    &window, [&window] { window.EndProgram(); }, Qt::QueuedConnection);
            });
        }
        window.show();
        QApplication::exec();
        window.EndProgram();
    }
    return status;
}

}  // namespace velmaro
