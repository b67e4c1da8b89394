// The main window on the virtual mouse, for tests of the window and its
// pages: a temporary data folder, the window's timers on a manual clock, no
// real pauses, modal dialogs answered without a nested event loop, and
// helpers that click controls with real mouse events, advance the clock and
// read the mouse's report log and the saved files.
//
//   TEST_F(MainWindowFixture, RateTileSendsOneReport) {
//       Start();                       // or Start({.Scale = 1.5})
//       Window().Sections().SetOpen(Section::Rate, true);
//       ClearReports();
//       ASSERT_TRUE(Click(0xBD6));
//       Advance(20);                   // timer 30 runs the apply
//       EXPECT_EQ(Sets().size(), 1u);
//       Advance(10000);                // timer 70 saves
//       EXPECT_NE(ReadDataFile("config/default0.psf"), "");
//   }
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "app/firmware_reset_dlg.h"
#include "app/main_window.h"
#include "app/settings_sections.h"
#include "app/ui_scale.h"
#include "device/hid/sim/seam_log.h"
#include "device/hid/sim/virtual_mouse.h"
#include "model/text.h"
#include "model/timer_host.h"
#include "ui/attention_dlg.h"
#include "ui/progress_bar_dlg.h"
#include "ui/text_draw.h"

namespace velmaro::test {

// Writes config.ini into the data folder `folder` (ending in "/") as the
// program stores it, UTF-16 after a byte-order mark; a seed for damaged lines.
inline void WriteConfigIni(const QString& folder, const std::u16string& text) {
    QDir().mkpath(folder + "config");
    QFile f(folder + "config/config.ini");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const std::u16string whole = u"\uFEFF" + text;
    f.write(reinterpret_cast<const char*>(whole.data()), qsizetype(whole.size() * 2));
}

struct MainWindowOptions {
    double Scale = 1.0;
    VirtualMouseConfig Mouse{};  // the cable role attached by default
    bool Tray = true;
    // Watch device changes (plug and unplug reach the window).
    bool WatchDeviceChanges = true;
    // Started as `velmaro --hidden` is.
    bool Hidden = false;
    // Leave `Tray` aside and ask the system, following a tray that comes later.
    bool AskSystemForTray = false;
    // Fills the data folder (with a trailing "/") before the window starts.
    std::function<void(const QString&)> Seed{};
    // What the autostart entry runs; empty: the test program.
    QString AutostartCommand = "velmaro";
    // The user's locale: a new data folder gets the language it chooses.
    std::string Locale = "en_US.UTF-8";
    // Changes the setup last (another backend or disk in front of the mouse's).
    std::function<void(MainWindowSetup&)> Adjust{};
};

class MainWindowFixture : public ::testing::Test {
  protected:
    void TearDown() override { Stop(); }

    // Starts the window once; a test that needs other options calls it first.
    CKorvaneDlg& Start(const MainWindowOptions& options = {}) {
        if (window_)
            return *window_;
        options_ = options;
        dir_ = std::make_unique<QTemporaryDir>();
        if (options.Seed)
            options.Seed(DataFolder());
        mouse_ = std::make_unique<VirtualMouse>(options.Mouse);
        ui_.Scale = options.Scale;
        ui_.DisplayRatio = DisplayRatioFor(QGuiApplication::primaryScreen()->logicalDotsPerInchX());
        ui_.SkinsDir = VELMARO_SKINS_DIR;
        MainWindowSetup setup;
        setup.Backend = mouse_.get();
        setup.Pacing = &pacer;
        setup.Timers = &timers;
        setup.Core.DataFolder = DataFolder().toStdU16String();
        setup.Core.Locale = options.Locale;
        setup.Core.WatchDeviceChanges = options.WatchDeviceChanges;
        if (!options.AskSystemForTray)
            setup.TrayAvailable = options.Tray;
        setup.SupportText = "support";
        setup.Chooser = chooser;
        setup.AutostartCommand = options.AutostartCommand;
        setup.RunModal = [this](CDlgBase& dialog) {
            dialog.Initialize();
            dialogs.push_back(Describe(dialog));
            return answer ? answer(dialog) : int(QDialog::Accepted);
        };
        if (options.Adjust)
            options.Adjust(setup);
        window_ = std::make_unique<CKorvaneDlg>(ui_, setup);
        window_->SetEndHandler([this] { ++endCalls; });
        window_->ShowAtStart(options.Hidden);
        ProcessEvents();
        return *window_;
    }

    // Ends the window (the save at exit runs) before the mouse goes; the
    // next Start begins in a new data folder.
    void Stop() {
        window_.reset();
        mouse_.reset();
        dialogs.clear();
        endCalls = 0;
    }

    CKorvaneDlg& Window() { return window_ ? *window_ : Start(); }
    VirtualMouse& Mouse() {
        Window();
        return *mouse_;
    }
    AppCore& Core() { return Window().Core(); }
    UiContext& Ui() { return ui_; }

    // --- input ------------------------------------------------------------
    // Moves the pointer onto the centre of the shown control `id` and clicks
    // it with the left button (real mouse events to the window). False when
    // no shown control has that id.
    bool Click(uint32_t id) {
        CControlBase* control = Window().FindControl(id);
        if (control == nullptr || !control->IsShown())
            return false;
        const Rect r = control->GetRect();
        ClickAt(QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        return true;
    }
    void ClickAt(QPoint p) {
        QTest::mouseMove(&Window(), p);
        QTest::mousePress(&Window(), Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseRelease(&Window(), Qt::LeftButton, Qt::NoModifier, p);
        ProcessEvents();
    }
    void KeyClick(Qt::Key key) {
        QTest::keyClick(&Window(), key);
        ProcessEvents();
    }

    // --- time -------------------------------------------------------------
    // Moves the test clock on, firing every due timer of the window.
    void Advance(long long ms) {
        timers.Advance(ms, [this](int id) { Window().FireTimer(id); });
        ProcessEvents();
    }
    bool TimerRunning(int id) { return timers.IsTimerRunning(id); }
    // Queued calls and what the reader threads posted.
    void ProcessEvents() {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Waits (briefly, for real) until what another thread posted arrived.
    template <class Pred>
    bool WaitFor(Pred pred, int ms = 2000) {
        QElapsedTimer t;
        t.start();
        while (!pred()) {
            if (t.elapsed() > ms)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }

    // --- the mouse --------------------------------------------------------
    // Every report the mouse saw since the last ClearReports, as
    // "SET cable 0C01..." lines.
    std::vector<std::string> Reports() {
        std::vector<std::string> lines;
        for (const SeamLogEntry& e : Mouse().Log())
            lines.push_back(FormatSeamLogLine(e));
        return lines;
    }
    // Only the feature reports sent to the mouse.
    std::vector<SeamLogEntry> Sets() {
        std::vector<SeamLogEntry> sets;
        for (const SeamLogEntry& e : Mouse().Log()) {
            if (e.direction == SeamDirection::kSet)
                sets.push_back(e);
        }
        return sets;
    }
    void ClearReports() { Mouse().ClearLog(); }

    // --- files ------------------------------------------------------------
    QString DataFolder() const { return dir_ ? dir_->path() + "/" : QString(); }
    // The bytes of a file in the data folder ("config/default0.psf"); empty
    // when it does not exist.
    QByteArray ReadDataFile(const QString& relative) const {
        QFile f(DataFolder() + relative);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // A profile file's text (UTF-16LE with its byte order mark) as UTF-8.
    std::string ProfileText(int slot) const {
        const QByteArray bytes = ReadDataFile(QString("config/default%1.psf").arg(slot));
        if (bytes.size() < 2)
            return {};
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                                  (bytes.size() - 2) / 2)
            .toStdString();
    }

    // --- pictures -----------------------------------------------------------
    // The whole window as painted; also written to the screenshot folder.
    QImage Screenshot(const QString& name) {
        const QImage image = Window().RenderAll().copy();
        QDir().mkpath(VELMARO_APP_SCREENSHOT_DIR);
        image.save(QString(VELMARO_APP_SCREENSHOT_DIR) + "/" + name + ".png", "PNG");
        return image;
    }

    // The attention dialog draws `expected` whole: its text control holds it
    // and every line of it lies inside the control's rectangle (a line that
    // would not fit is left out by the drawing). The dialog's picture goes to
    // the screenshot folder as `name`.
    static void ExpectMessageDrawnWhole(CAttentionDlg& dialog, const QString& expected,
                                        const QString& name) {
        CControlBase* text = dialog.FindControl(kAttentionTextId);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->GetText(), expected);
        const uint32_t flags = dialog.Layout() == AttentionLayout::Long
                                   ? kDtLeft | kDtWordBreak | kDtEditControl
                                   : kAttentionTextFormat;
        const QStringList lines = LayoutSkinText(text->Font(), expected, text->GetRect(), flags);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(expected.endsWith(lines.last()))
            << "cut after: " << lines.join('|').toStdString();
        // A word too long for a line is drawn shortened, ending in "...".
        for (const QString& line : lines)
            EXPECT_TRUE(expected.contains(line)) << "shortened: " << line.toStdString();
        QDir().mkpath(VELMARO_APP_SCREENSHOT_DIR);
        dialog.RenderAll().save(QString(VELMARO_APP_SCREENSHOT_DIR) + "/" + name + ".png", "PNG");
    }

    // "attention <message>", "progress <message>", "reset", or the class name.
    static std::string Describe(CDlgBase& dialog) {
        if (auto* a = dynamic_cast<CAttentionDlg*>(&dialog))
            return "attention " + a->Message().toStdString();
        if (auto* p = dynamic_cast<CProgressBarDlg*>(&dialog))
            return "progress " + p->Message().toStdString();
        if (dynamic_cast<CFirmwareResetDlg*>(&dialog) != nullptr)
            return "reset";
        return typeid(dialog).name();
    }

    // The modal dialogs the window ran, in order (see Describe).
    std::vector<std::string> dialogs;
    // Answers each modal dialog; none: every dialog is accepted.
    std::function<int(CDlgBase&)> answer;
    // The file dialogs the window shows; null: the desktop's (never in a
    // test that opens one).
    FileChooser* chooser = nullptr;
    // How often the window asked the application to end.
    int endCalls = 0;
    ManualTimerHost timers;
    RecordingPacer pacer;

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    UiContext ui_;
    MainWindowOptions options_;
    std::unique_ptr<VirtualMouse> mouse_;
    std::unique_ptr<CKorvaneDlg> window_;
};

}  // namespace velmaro::test
