// Key capture on a real X server (run by tests/e2e/xvfb_key_capture_test.sh
// on Xvfb with the server's auto-repeat on and a busy loop beside it). Keys
// go through the X server with xdotool, as a keyboard's would.
//
// - a held key is one press and one release in the recorder's capture, the
//   key-capture dialog and the key-combination dialog, ten times in a row;
// - with the desktop-wide source, keys arrive whichever window has the focus,
//   also while another client grabs the keyboard, and none after the stop;
// - without it, the program's own window gives the same single press and
//   release (the server's press-only repeat).
#include <xcb/xcb.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "app/macro/action_key_modify_dlg.h"
#include "app/macro/keyboard_hook.h"
#include "app/shortcut_dlg.h"
#include "app/x11_keys.h"
#include "model/language_table.h"
#include "ui/ui_context.h"

namespace velmaro {
namespace {

constexpr uint8_t kVkQ = 0x51;

// A window that keeps every key message its hook delivers.
class KeyWindow : public CDlgBase {
  public:
    explicit KeyWindow(UiContext& ui) : CDlgBase(ui) { SetWindowSize(200, 100); }
    void DrawWindow(QPainter& dc, const Rect& update) override { FillBackground(dc, update); }
    void InitUI(int, int, int, int) override {}
};

// Runs a shell line while the event loop keeps going.
void RunShell(const QString& line) {
    QProcess p;
    p.start(QStringLiteral("sh"), {QStringLiteral("-c"), line});
    ASSERT_TRUE(p.waitForStarted());
    while (!p.waitForFinished(10))
        QCoreApplication::processEvents();
    ASSERT_EQ(p.exitCode(), 0) << line.toStdString() << p.readAllStandardError().toStdString();
}

void Settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

class X11KeyCaptureTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
        ASSERT_TRUE(InstallX11KeyCapture());
    }

    // Counts every key message `dialog` gets, instead of its own handling.
    void Count(CDlgBase& dialog) {
        keys.clear();
        dialog.OnMessage(kKeyHookMessage, [this](uint32_t, uintptr_t w, intptr_t l) {
            keys.push_back(DecodeHookedKey(w, l));
            return intptr_t(0);
        });
    }

    // Holds Q for 1.5 s, `rounds` times: each is one press and one release,
    // about 1.5 s apart.
    void ExpectHeldKeyOnce(int rounds) {
        for (int round = 0; round < rounds; ++round) {
            SCOPED_TRACE(round);
            keys.clear();
            RunShell(QStringLiteral("xdotool keydown q; sleep 1.5; xdotool keyup q"));
            Settle(150);
            ASSERT_EQ(keys.size(), 2u);
            EXPECT_EQ(keys[0].VirtualKey, kVkQ);
            EXPECT_FALSE(keys[0].Release);
            EXPECT_EQ(keys[1].VirtualKey, kVkQ);
            EXPECT_TRUE(keys[1].Release);
            const uint32_t held = (keys[1].Time - keys[0].Time) & 0x7FFFFFFF;
            EXPECT_GE(held, 1400u);
            EXPECT_LE(held, 2500u);
        }
    }

    void SetUp() override { ui.SkinsDir = QStringLiteral(VELMARO_SKINS_DIR); }

    UiContext ui;
    LanguageTable language;
    std::vector<HookedKey> keys;
};

TEST_F(X11KeyCaptureTest, AHeldKeyIsOnePressAndOneReleaseInTheRecordersCapture) {
    KeyWindow window(ui);
    Count(window);
    CKeyboardHook hook;
    hook.StartHook(&window);
    ASSERT_TRUE(hook.IsDesktopWide());
    ExpectHeldKeyOnce(10);
    hook.StopHook();
}

TEST_F(X11KeyCaptureTest, AHeldKeyIsOnePressAndOneReleaseInTheKeyCaptureDialog) {
    MacroAction action = MacroAction::Make(0x41, 0, 0, 0);
    CActionKeyModifyDlg dialog(ui, language, action);
    Count(dialog);
    dialog.Initialize();
    ASSERT_TRUE(dialog.Hooked());
    ExpectHeldKeyOnce(10);
}

TEST_F(X11KeyCaptureTest, AHeldKeyIsOnePressAndOneReleaseInTheKeyCombinationDialog) {
    CShortcutDlg dialog(ui, language);
    Count(dialog);
    dialog.Initialize();
    ExpectHeldKeyOnce(10);
}

TEST_F(X11KeyCaptureTest, DesktopKeysArriveWhileAnotherClientGrabsTheKeyboardAndNoneAfterStop) {
    KeyWindow window(ui);
    Count(window);
    CKeyboardHook hook;
    hook.StartHook(&window);
    // Another client holds the keyboard, as a desktop does for its shortcuts.
    xcb_connection_t* other = xcb_connect(nullptr, nullptr);
    ASSERT_FALSE(xcb_connection_has_error(other));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other)).data->root;
    std::unique_ptr<xcb_grab_keyboard_reply_t, decltype(&std::free)> grab(
        xcb_grab_keyboard_reply(other,
                                xcb_grab_keyboard(other, 0, root, XCB_CURRENT_TIME,
                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                                nullptr),
        &std::free);
    ASSERT_TRUE(grab && grab->status == XCB_GRAB_STATUS_SUCCESS);
    RunShell(QStringLiteral("xdotool key Print e"));
    Settle(150);
    xcb_disconnect(other);
    std::vector<std::pair<uint8_t, bool>> got;
    for (const HookedKey& k : keys)
        got.emplace_back(k.VirtualKey, k.Release);
    EXPECT_EQ(got, (std::vector<std::pair<uint8_t, bool>>{
                       {0x2C, false}, {0x2C, true}, {0x45, false}, {0x45, true}}));

    hook.StopHook();
    keys.clear();
    RunShell(QStringLiteral("xdotool key q"));
    Settle(150);
    EXPECT_TRUE(keys.empty());
}

TEST_F(X11KeyCaptureTest, WithoutTheDesktopSourceTheProgramsWindowGivesOnePressAndOneRelease) {
    SetDesktopKeySource(nullptr);
    KeyWindow window(ui);
    Count(window);
    window.show();
    RunShell(QStringLiteral("xdotool windowfocus --sync %1").arg(window.winId()));
    Settle(100);
    CKeyboardHook hook;
    hook.StartHook(&window);
    ASSERT_FALSE(hook.IsDesktopWide());
    ExpectHeldKeyOnce(10);
    hook.StopHook();
    InstallX11KeyCapture();
}

}  // namespace
}  // namespace velmaro
