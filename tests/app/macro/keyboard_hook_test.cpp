// The key capture: what reaches the window between StartHook and StopHook.
#include "app/macro/keyboard_hook.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWindow>
#include <memory>
#include <vector>

namespace velmaro {
namespace {

// A window that keeps every key message it is sent.
class KeyWindow : public CDlgBase {
  public:
    explicit KeyWindow(UiContext& ui) : CDlgBase(ui) {
        SetWindowSize(200, 100);
        OnMessage(kKeyHookMessage, [this](uint32_t, uintptr_t w, intptr_t l) {
            keys.push_back(DecodeHookedKey(w, l));
            return 0;
        });
    }
    void DrawWindow(QPainter& dc, const Rect& update) override { FillBackground(dc, update); }
    void InitUI(int, int, int, int) override {}

    std::vector<HookedKey> keys;
};

class KeyboardHookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<KeyWindow>(ui);
        window->show();
        other = std::make_unique<KeyWindow>(ui);
        other->show();
    }

    // A key event as the window system delivers it: to the top-level window,
    // with the native keysym and keycode.
    static void Send(QWidget& to, QEvent::Type type, int qtKey, uint32_t keysym, uint32_t scan,
                     ulong time, bool autoRepeat = false) {
        QKeyEvent event(type, qtKey, Qt::NoModifier, scan, keysym, 0, QString(), autoRepeat);
        event.setTimestamp(time);
        QCoreApplication::sendEvent(to.windowHandle(), &event);
    }
    static void Flush() { QCoreApplication::processEvents(); }

    UiContext ui;
    std::unique_ptr<KeyWindow> window;
    std::unique_ptr<KeyWindow> other;
    CKeyboardHook hook;
};

TEST_F(KeyboardHookTest, PressAndReleaseGiveTwoMessagesWithTheSameCode) {
    hook.StartHook(window.get());
    Send(*window, QEvent::KeyPress, Qt::Key_A, 0x61, 38, 1000);
    Send(*window, QEvent::KeyRelease, Qt::Key_A, 0x61, 38, 1075);
    Flush();
    ASSERT_EQ(window->keys.size(), 2u);
    EXPECT_EQ(window->keys[0].VirtualKey, 0x41);
    EXPECT_FALSE(window->keys[0].Release);
    EXPECT_EQ(window->keys[0].Time, 1000u);
    EXPECT_EQ(window->keys[1].VirtualKey, 0x41);
    EXPECT_TRUE(window->keys[1].Release);
    EXPECT_EQ(window->keys[1].Time, 1075u);
    hook.StopHook();
}

TEST_F(KeyboardHookTest, NothingArrivesAfterStopHookEvenForReleases) {
    hook.StartHook(window.get());
    Send(*window, QEvent::KeyPress, Qt::Key_Shift, 0xffe1, 50, 10);
    Flush();
    hook.StopHook();
    Send(*window, QEvent::KeyRelease, Qt::Key_Shift, 0xffe1, 50, 20);
    Send(*window, QEvent::KeyPress, Qt::Key_B, 0x62, 56, 30);
    Flush();
    ASSERT_EQ(window->keys.size(), 1u);
    EXPECT_EQ(window->keys[0].VirtualKey, 0xA0);
    // Started again, it reports again; a destroyed hook reports nothing.
    auto second = std::make_unique<CKeyboardHook>();
    second->StartHook(window.get());
    second.reset();
    Send(*window, QEvent::KeyPress, Qt::Key_B, 0x62, 56, 40);
    Flush();
    EXPECT_EQ(window->keys.size(), 1u);
}

TEST_F(KeyboardHookTest, KeysOfAnyWindowOfTheProgramReachTheHookedWindowOnce) {
    // A focused child widget: the event passes the window, the child and its
    // parents, and still counts once.
    auto* edit = new QLineEdit(other.get());
    edit->show();
    edit->setFocus();
    hook.StartHook(window.get());
    Send(*other, QEvent::KeyPress, Qt::Key_F5, 0xffc2, 71, 5);
    Send(*other, QEvent::KeyRelease, Qt::Key_F5, 0xffc2, 71, 6);
    Flush();
    ASSERT_EQ(window->keys.size(), 2u);
    EXPECT_EQ(window->keys[0].VirtualKey, 0x74);
    EXPECT_TRUE(other->keys.empty());
    hook.StopHook();
}

TEST_F(KeyboardHookTest, AHeldKeyIsOnePressAndOneReleaseAndTimeKeeps31Bits) {
    hook.StartHook(window.get());
    Send(*window, QEvent::KeyPress, Qt::Key_Left, 0xff51, 113, 0x7FFFFFF0);
    // Repeats as the toolkit reports them: on Wayland a release and a press,
    // both marked; on X11 with press-only repeats a marked press.
    Send(*window, QEvent::KeyRelease, Qt::Key_Left, 0xff51, 113, 0x80000010, true);
    Send(*window, QEvent::KeyPress, Qt::Key_Left, 0xff51, 113, 0x80000010, true);
    Send(*window, QEvent::KeyPress, Qt::Key_Left, 0xff51, 113, 0x80000015, true);
    // A repeated press the toolkit did not mark: the key is still down.
    Send(*window, QEvent::KeyPress, Qt::Key_Left, 0xff51, 113, 0x80000018);
    Send(*window, QEvent::KeyRelease, Qt::Key_Left, 0xff51, 113, 0x80000020);
    // A key without a virtual-key code is not reported.
    Send(*window, QEvent::KeyPress, 0, 0x1234567, 0, 0x80000030);
    // Once let go, the key presses again.
    Send(*window, QEvent::KeyPress, Qt::Key_Left, 0xff51, 113, 0x80000040);
    Flush();
    ASSERT_EQ(window->keys.size(), 3u);
    EXPECT_FALSE(window->keys[0].Release);
    EXPECT_EQ(window->keys[0].Time, 0x7FFFFFF0u);
    EXPECT_TRUE(window->keys[1].Release);
    EXPECT_EQ(window->keys[1].Time, 0x20u);
    EXPECT_FALSE(window->keys[2].Release);
    EXPECT_EQ(window->keys[2].Time, 0x40u);
    for (const HookedKey& k : window->keys)
        EXPECT_EQ(k.VirtualKey, 0x25);
    hook.StopHook();
}

// A desktop-wide source as the desktop program installs one (X11 raw keys).
class FakeKeySource : public KeySource {
  public:
    explicit FakeKeySource(Sink* shared, bool available) : shared_(shared), available_(available) {}
    bool Start(Sink sink) override {
        if (available_)
            *shared_ = std::move(sink);
        return available_;
    }
    void Stop() override { *shared_ = nullptr; }

  private:
    Sink* shared_;
    bool available_;
};

TEST_F(KeyboardHookTest, ADesktopSourceIsTheOnlySourceWhileItRuns) {
    KeySource::Sink sink;
    SetDesktopKeySource([&sink] { return std::make_unique<FakeKeySource>(&sink, true); });
    hook.StartHook(window.get());
    EXPECT_TRUE(hook.IsDesktopWide());
    ASSERT_TRUE(sink);
    // Typed into the program's own window: the source sees it, the window's
    // event is not counted a second time.
    sink(0x51, false, 100);
    Send(*window, QEvent::KeyPress, Qt::Key_Q, 0x71, 24, 100);
    sink(0x51, false, 130);  // a repeat the source did not mark
    sink(0x51, true, 1600);
    Send(*window, QEvent::KeyRelease, Qt::Key_Q, 0x71, 24, 1600);
    Flush();
    ASSERT_EQ(window->keys.size(), 2u);
    EXPECT_FALSE(window->keys[0].Release);
    EXPECT_TRUE(window->keys[1].Release);
    EXPECT_EQ(window->keys[1].Time, 1600u);
    // Stopped, the source is closed: nothing is read outside a capture.
    hook.StopHook();
    EXPECT_FALSE(sink);
    EXPECT_FALSE(hook.IsDesktopWide());

    // A session without a way to read the desktop: the program's windows.
    SetDesktopKeySource([&sink] { return std::make_unique<FakeKeySource>(&sink, false); });
    hook.StartHook(window.get());
    EXPECT_FALSE(hook.IsDesktopWide());
    Send(*window, QEvent::KeyPress, Qt::Key_Q, 0x71, 24, 2000);
    Flush();
    EXPECT_EQ(window->keys.size(), 3u);
    hook.StopHook();
    SetDesktopKeySource(nullptr);
}

}  // namespace
}  // namespace velmaro
