#include "app/korvane_app.h"

#include <fontconfig/fontconfig.h>
#include <QApplication>
#include <QDBusConnection>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLockFile>
#include <QMessageBox>
#include <QScreen>
#include <QSessionManager>
#include <QThread>

#include <cstdio>
#include <fstream>
#include <future>
#include <iostream>
#include <memory>

#include "app/app_bus.h"
#include "app/command_server.h"
#include "app/desktop_actions.h"
#include "app/device_access.h"
#include "app/first_paint_pictures.h"
#include "app/main_window.h"
#include "app/process_clock.h"
#include "app/resource_folders.h"
#include "app/signal_pipe.h"
#include "app/sim_events.h"
#include "app/single_instance.h"
#include "app/ui_scale.h"
#include "app/x11_keys.h"
#include "cli/folder_owner.h"
#include "cli/session.h"
#include "device/hid/linux/linux_hid_backend.h"
#include "device/hid/sim/virtual_mouse.h"
#include "model/text.h"
#include "model/text_entries.h"
#include "platform/folder_lock.h"
#include "storage/data_folder.h"
#include "storage/english_texts.h"
#include "ui/skin_image.h"
#include "ui/ui_platform.h"

#ifndef VELMARO_VERSION
#define VELMARO_VERSION "0"
#endif
#ifndef VELMARO_SOURCE_README
#define VELMARO_SOURCE_README ""
#endif
#ifndef VELMARO_USER_GUIDE_URL
#define VELMARO_USER_GUIDE_URL ""
#endif
// The installed layout: share/velmaro and the udev rule relative to the
// installed program's folder, and the same for the configured prefix.
#ifndef VELMARO_SHARE_FROM_BIN
#define VELMARO_SHARE_FROM_BIN "../share/velmaro"
#endif
#ifndef VELMARO_SHARE_DIR
#define VELMARO_SHARE_DIR ""
#endif
#ifndef VELMARO_UDEV_RULE_FROM_BIN
#define VELMARO_UDEV_RULE_FROM_BIN "../lib/udev/rules.d/70-velmaro.rules"
#endif
#ifndef VELMARO_UDEV_RULE
#define VELMARO_UDEV_RULE ""
#endif
#ifndef VELMARO_SOURCE_UDEV_RULE
#define VELMARO_SOURCE_UDEV_RULE ""
#endif

namespace velmaro {

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFiles = 3;
constexpr int kExitFolderBusy = 4;
// velmaro --sim: delivered, no simulated copy (or it could not take the
// event), unknown event.
constexpr int kSimDelivered = 0;
constexpr int kSimNoCopy = 1;
constexpr int kSimUnknown = 2;
constexpr char kAnswerOk[] = "ok";
constexpr char kAnswerUnknown[] = "unknown";  // an event it does not know
constexpr char kAnswerRefused[] = "refused";  // not a simulated copy
constexpr char kAnswerFailed[] = "failed";

// The virtual mouse answers at once; pausing for it would only slow the
// window down (the real mouse keeps its pacing).
class NoPausePacer : public Pacer {
  public:
    void Pause(int) override {}
};

void Say(const QString& text) {
    std::cerr << "velmaro: " << text.toStdString() << '\n';
}

// `velmaro --sim EVENT`: hands the event to the running simulated copy.
int SendSimEvent(int argc, char** argv, const QString& event) {
    if (!ParseSimEvent(event)) {
        Say("unknown event \"" + event + "\" (velmaro --help lists them)");
        return kSimUnknown;
    }
    QCoreApplication application(argc, argv);
    SingleInstance instance;
    if (!instance.OtherCopyRunning()) {
        Say("no simulated copy of velmaro is running");
        return kSimNoCopy;
    }
    const QString answer = SendSimulateEvent(QDBusConnection::sessionBus(), event);
    if (answer == kAnswerOk)
        return kSimDelivered;
    if (answer == kAnswerUnknown) {
        Say("the running copy does not know \"" + event + "\"");
        return kSimUnknown;
    }
    if (answer == kAnswerRefused)
        Say("the running copy is not simulated (start it with --simulate)");
    else if (answer == kAnswerFailed)
        Say("the simulated mouse could not take \"" + event + "\" now");
    else
        Say("the running copy could not be reached over the session bus");
    return kSimNoCopy;
}

// Whether a message box can reach the user: not on the offscreen or minimal
// platforms tests and scripts run on.
bool CanShowMessageBox() {
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal";
}

// A later start: the running copy comes to the front; this one ends quietly.
// Without a session bus it cannot be asked, and this copy still ends.
void ActivateOrSay() {
    if (!ActivateRunningCopy(QDBusConnection::sessionBus()))
        Say("velmaro is already running; it could not be reached over the session bus to "
            "bring its window back");
}

int HandOverToRunningCopy(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    ActivateOrSay();
    return 0;
}

// The data folder's lock, for the window's whole life. A velmaroctl command
// that holds it finishes first (it waits at most as long as velmaroctl would).
FolderLock TakeDataFolder(const std::string& folder, Reason& problem) {
    if (folder.empty())
        return FolderLock();
    const auto deadline = std::chrono::steady_clock::now() + cli::kLockWait;
    while (true) {
        FolderLock lock = FolderLock::TryTake(folder, cli::kWindowProgram);
        if (lock.Held() || !lock.Error().empty())
            return lock;
        if (std::chrono::steady_clock::now() >= deadline) {
            const LockHolder holder = FolderLock::ReadHolder(folder);
            problem = Reason::Of(
                text::kFolderInUse,
                {Reason::Text(folder), holder.Pid == 0 ? Reason::Of(text::kFolderUserUnknown)
                                                       : Reason::Of(text::kFolderUserProcess,
                                                                    {Reason::Text(holder.Program),
                                                                     Reason::Number(holder.Pid)})});
            return lock;
        }
        QThread::msleep(10);
    }
}

// This program's folder before the application object exists, as
// QCoreApplication::applicationDirPath() gives it afterwards.
QString ProgramDirectory(const char* argv0) {
    const QString target = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    const QFileInfo program(target.isEmpty() ? QString::fromLocal8Bit(argv0) : target);
    const QString canonical = program.canonicalPath();
    return canonical.isEmpty() ? program.absolutePath() : canonical;
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
    // Qt takes the first thread that asks for its thread data as its main
    // thread; threads of the start run before the application object exists,
    // so this one asks first.
    QThread::currentThread();
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
    if (options.SendSimEvent)
        return SendSimEvent(argc, argv, options.SimEvent);
    // A screenshot or a timing run may happen beside a running copy.
    const bool oneShot = !options.Screenshot.isEmpty() || options.QuitAfterPaint;
    if (!oneShot && SingleInstance().OtherCopyRunning()) {
        // A hidden start (at login) leaves a running copy as it is.
        if (options.Hidden)
            return 0;
        return HandOverToRunningCopy(argc, argv);
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
    // Every report is counted for velmaroctl's commands and traced on request.
    CCommandServer server(*backend, options.TracePath);
    if (!server.TraceOpen()) {
        Say("could not write " + options.TracePath);
        return kExitFiles;
    }
    backend = &server.Backend();

    // Fontconfig reads its configuration and font caches beside the
    // application object's construction; listing the fonts afterwards is
    // then quick.
    const std::shared_future<void> fontConfig =
        std::async(std::launch::async, [] { FcInit(); }).share();
    // This copy's turn, the data folder and its lock are settled before the
    // application object, so the folder is read while that is built.
    const QString programDir = ProgramDirectory(argv[0]);
    const ResourceFolders folders = FindResourceFolders(
        programDir, QStringLiteral(VELMARO_SHARE_FROM_BIN), QStringLiteral(VELMARO_SHARE_DIR));
    SingleInstance instance;
    const bool ourTurn = oneShot || !folders.Found() || instance.Acquire();
    AppCoreOptions coreOptions;
    if (!options.DataDir.isEmpty())
        coreOptions.DataFolder = cli::DataFolderFromOption(options.DataDir.toStdString());
    else if (options.Simulate)
        coreOptions.DataFolder = SimulationDataFolder().toStdU16String();
    // One writer per data folder: velmaroctl hands its commands to this
    // window while it holds the folder.
    FolderLock folderLock;
    Reason folderProblem;
    if (!oneShot && folders.Found() && ourTurn) {
        const std::u16string folder =
            coreOptions.DataFolder.empty() ? DefaultDataFolder() : coreOptions.DataFolder;
        folderLock = TakeDataFolder(ToUtf8(folder), folderProblem);
    }
    // The data folder is read beside the application object's construction.
    const bool starting = folders.Found() && ourTurn && folderProblem.Empty();
    // On the heap: what a start reads is large for the GUI thread's stack,
    // which keeps every page it once used.
    auto folderStart = std::make_unique<FolderStart>(server.Files());
    // It gives the language's face for the fonts' thread.
    std::shared_future<std::u16string> folderRead;
    if (starting)
        folderRead = std::async(std::launch::async, [start = folderStart.get(), coreOptions] {
                         start->Read(coreOptions);
                         return start->Font().Face;
                     }).share();
    InitUiResources();

    PrepareUiPlatform();
    QApplication application(argc, argv);
    // The window's fonts, and its pictures once the application object exists
    // (Qt's image readers are not to be used while it is built): the
    // background, the largest, and what the last start's first paint drew.
    // All of it goes with the window, before the application object.
    UiContext ui;
    ui.SkinsDir = folders.SkinsDir;
    const QString firstPaintFile = FirstPaintPicturesFile();
    const QString keptFile = KeptPicturesFile();
    if (starting) {
        // The first text waits for the fonts, their substitutes and the
        // language's face resolved once. The GUI thread makes no font until
        // then, so the substitutions go in here.
        std::shared_future<void> fonts =
            std::async(std::launch::async, [fontConfig, folderRead] {
                fontConfig.wait();
                InstallFontSubstitutes();
                ResolveFaceAhead(QString::fromStdU16String(folderRead.get()));
            }).share();
        ui.SetFontsPending([fonts] { fonts.wait(); });
        ui.Pictures.ReadAhead(BitmapResourcePath(CKorvaneDlg::kBackgroundResource));
        ui.Pictures.ReadAheadAll(ReadFirstPaintPictures(firstPaintFile, ui.SkinsDir), keptFile);
    }
    // The window hides into the notification area; only EndProgram quits.
    QApplication::setQuitOnLastWindowClosed(false);
    // On X11: a held key is one press, and key captures read the whole desktop.
    InstallX11KeyCapture();

    if (!folders.Found()) {
        // No data folder is read yet: the message follows the user's locale.
        const QString text = MissingResourcesText(
            folders, ShippedTable(IsChineseLocale(UserLocale()) ? ShippedLanguage::Chinese
                                                                : ShippedLanguage::English));
        Say(text);
        if (!oneShot && CanShowMessageBox())
            QMessageBox::critical(nullptr, QStringLiteral("Velmaro"), text);
        return kExitMissingFiles;
    }
    if (!ourTurn) {
        // Another copy started in the meantime.
        ActivateOrSay();
        return 0;
    }
    if (!folderProblem.Empty()) {
        // Before the data folder's language is read: the user's locale.
        const QString text = QString::fromStdU16String(
            RenderReason(ShippedTable(IsChineseLocale(UserLocale()) ? ShippedLanguage::Chinese
                                                                    : ShippedLanguage::English),
                         folderProblem));
        Say(text);
        if (CanShowMessageBox())
            QMessageBox::critical(nullptr, QStringLiteral("Velmaro"), text);
        return kExitFolderBusy;
    }

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        ui.Scale = UiScaleFor(area.width(), area.height());
        ui.DisplayRatio = DisplayRatioFor(screen->logicalDotsPerInchX());
    }

    MainWindowSetup setup;
    setup.Backend = backend;
    setup.Files = &server.Files();
    NoPausePacer noPause;
    if (options.Simulate)
        setup.Pacing = &noPause;
    setup.Core = coreOptions;
    if (folderRead.valid()) {
        setup.ReadFolder = [folderRead, start = folderStart.get()]() -> FolderStart& {
            folderRead.get();
            return *start;
        };
    }
    setup.UserGuideUrl = ChooseUserGuide(QString::fromUtf8(VELMARO_USER_GUIDE_URL),
                                         QString::fromUtf8(VELMARO_SOURCE_README));
    setup.UdevRule =
        FindUdevRule(programDir, QStringLiteral(VELMARO_UDEV_RULE_FROM_BIN),
                     QStringLiteral(VELMARO_UDEV_RULE), QStringLiteral(VELMARO_SOURCE_UDEV_RULE));

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
        const bool quitAfterPaint = options.QuitAfterPaint;
        window.SetFirstPaintHandler([&window, &ui, firstPaintFile, keptFile, quitAfterPaint] {
            if (quitAfterPaint) {
                std::printf("first paint %.0f ms\n", MillisecondsSinceProcessStart());
                std::fflush(stdout);
            }
            // Once the first picture is on the screen: what it drew, for the
            // next start.
            QMetaObject::invokeMethod(
                &window,
                [&window, &ui, firstPaintFile, keptFile, quitAfterPaint] {
                    WriteFirstPaintPictures(firstPaintFile, ui.SkinsDir,
                                            window.FirstPaintPictures());
                    // And as they were decoded, unless they were taken from
                    // there.
                    ui.Pictures.Keep(keptFile, window.FirstPaintPictures());
                    ui.Pictures.DropAhead();
                    // Then what is drawn at its own size moves into squares.
                    window.CompactControlImages();
                    if (quitAfterPaint)
                        window.EndProgram();
                },
                Qt::QueuedConnection);
        });
        AppBusHandlers handlers;
        handlers.Activate = [&window](const QString& token) { window.Restore(token); };
        handlers.SimulateEvent = [&window, &sim](const QString& text) -> QString {
            if (!sim)
                return kAnswerRefused;
            const auto event = ParseSimEvent(text);
            if (!event)
                return kAnswerUnknown;
            return DeliverSimEvent(*event, *sim, window.Profile(),
                                   window.Core().Device().CurrentDpiOrdinal)
                       ? kAnswerOk
                       : kAnswerFailed;
        };
        handlers.RunCommand = [&window, &server](const BusCommand& command) {
            return server.Run(window, command);
        };
        CAppBus bus(std::move(handlers));
        // Without a session bus the window runs on; velmaroctl then refuses
        // to touch its folder and says why.
        if (!oneShot && !bus.Register(QDBusConnection::sessionBus()))
            Say("not on the session bus (" + bus.Problem() +
                "): velmaroctl cannot reach this window");
        // Signals and the end of the desktop session end the program as its
        // exit does, saving what is pending.
        SignalPipe signalPipe([&window](int) { window.EndProgram(); });
        QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                         [&window](QSessionManager&) { window.EndProgram(); });
        QObject::connect(&application, &QCoreApplication::aboutToQuit, &window,
                         [&window] { window.EndProgram(); });
        window.ShowAtStart(options.Hidden && !options.QuitAfterPaint);
        // The window's start has taken what was read; the rest goes.
        folderStart.reset();
        if (options.Simulate && !options.QuitAfterPaint)
            std::cout << "velmaro: running on the simulated mouse; its files are in "
                      << QString::fromStdU16String(window.State().DataFolder).toStdString()
                      << std::endl;
        // An end asked for before the loop runs would be lost in it.
        if (!window.Ended())
            QApplication::exec();
        window.EndProgram();
    }
    return status;
}

}  // namespace velmaro
