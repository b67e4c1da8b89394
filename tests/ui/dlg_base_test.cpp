// The dialog host: dispatch, mouse routing over overlapping and hidden
// controls, window moves from the background, repaint areas, timers, posted
// messages, popup slots, backgrounds and keys.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <algorithm>
#include <thread>

#include "ui/check_button.h"
#include "ui/skin_image.h"
#include "ui/tab_control.h"
#include "ui/ui_platform.h"
#include "ui_test_support.h"

namespace velmaro::test {
namespace {

class HostTest : public ::testing::Test {
  protected:
    void SetUp() override { dlg.Initialize(); }
    CCheckButton* AddCheck(int layer, uint32_t id, const Rect& r) {
        return dlg.MakeControl<CCheckButton>(layer, id, r, QString());
    }
    void Click(Point p) {
        dlg.HandleMouseMove(0, p);
        dlg.HandleLButtonDown(kMkLButton, p);
        dlg.HandleLButtonUp(0, p);
    }

    UiContext ui;
    TestDlg dlg{ui};
};

TEST_F(HostTest, SendMessageDispatchesThroughTheHandlerTable) {
    int calls = 0;
    dlg.OnMessage(0x7D4, [&](uint32_t msg, uintptr_t w, intptr_t l) -> intptr_t {
        ++calls;
        EXPECT_EQ(msg, 0x7D4u);
        return intptr_t(w) + l;
    });
    EXPECT_EQ(dlg.SendMessage(0x7D4, 40, 2), 42);
    EXPECT_EQ(dlg.SendMessage(0x7D5, 40, 2), 0);  // no handler
    EXPECT_EQ(calls, 1);
}

TEST_F(HostTest, PostedMessagesWaitForTheEventLoop) {
    std::vector<intptr_t> order;
    dlg.OnMessage(0x42B, [&](uint32_t, uintptr_t, intptr_t l) -> intptr_t {
        order.push_back(l);
        return 0;
    });
    dlg.PostMessage(0x42B, 0, 1);
    dlg.PostMessage(0x42B, 0, 2);
    dlg.SendMessage(0x42B, 0, 3);
    EXPECT_EQ(order, std::vector<intptr_t>{3});
    ASSERT_TRUE(WaitUntil([&] { return order.size() == 3; }));
    EXPECT_EQ(order, (std::vector<intptr_t>{3, 1, 2}));
    // Input-report readers post from their own threads; the handler still
    // runs on the window's thread.
    const std::thread::id uiThread = std::this_thread::get_id();
    std::thread::id handledOn;
    dlg.OnMessage(0x42C, [&](uint32_t, uintptr_t, intptr_t) -> intptr_t {
        handledOn = std::this_thread::get_id();
        return 0;
    });
    std::thread reader([&] { dlg.PostMessage(0x42C, 0, 0); });
    reader.join();
    ASSERT_TRUE(WaitUntil([&] { return handledOn != std::thread::id(); }));
    EXPECT_EQ(handledOn, uiThread);
}

TEST_F(HostTest, TimersByIdFireOnceOrRepeatedly) {
    dlg.StartSingleShotTimer(30, 1);
    dlg.StartTimer(110, 1);
    ASSERT_TRUE(WaitUntil(
        [&] { return std::count(dlg.timerFires.begin(), dlg.timerFires.end(), 110) >= 3; }));
    EXPECT_EQ(std::count(dlg.timerFires.begin(), dlg.timerFires.end(), 30), 1);
    EXPECT_FALSE(dlg.IsTimerRunning(30));
    EXPECT_TRUE(dlg.IsTimerRunning(110));
    dlg.StopTimer(110);
    EXPECT_FALSE(dlg.IsTimerRunning(110));
    // Restarting an id replaces its period.
    dlg.StartSingleShotTimer(70, 60000);
    dlg.StartSingleShotTimer(70, 1);
    ASSERT_TRUE(WaitUntil(
        [&] { return std::count(dlg.timerFires.begin(), dlg.timerFires.end(), 70) == 1; }));
}

TEST_F(HostTest, FindControlSearchesLayersInOrder) {
    CCheckButton* later = AddCheck(3, 0x100, Rect{0, 0, 10, 10});
    CCheckButton* first = AddCheck(1, 0x100, Rect{0, 0, 10, 10});
    EXPECT_EQ(dlg.FindControl(0x100), first);
    EXPECT_NE(dlg.FindControl(0x100), later);
    EXPECT_EQ(dlg.FindControl(0x101), nullptr);
    EXPECT_EQ(dlg.FindControlAs<CTabControl>(0x100), nullptr);
}

TEST_F(HostTest, LaterOfTwoOverlappingControlsGetsHoverAndPress) {
    CCheckButton* a = AddCheck(0, 0xA, Rect{0, 0, 100, 100});
    CCheckButton* b = AddCheck(0, 0xB, Rect{50, 50, 150, 150});
    Click(Point{75, 75});
    EXPECT_EQ(dlg.messages, (std::vector<Msg>{{0xB, 0, 1}, {0xB, 0, 2}}));
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    // Every eligible control saw the move: the one underneath stays plain.
    EXPECT_EQ(a->State(), 1);
    EXPECT_EQ(dlg.Hovered(), b);
}

TEST_F(HostTest, HiddenLayerIsNeitherHoveredNorDrawn) {
    ui.Scale = 1.0;
    QTemporaryDir dir;
    CCheckButton* c = AddCheck(2, 0xC, Rect{10, 10, 30, 30});
    c->SetImages(SolidPng(dir, "n.png", 4, 4, Qt::red), SolidPng(dir, "h.png", 4, 4, Qt::red),
                 SolidPng(dir, "c.png", 4, 4, Qt::red));
    dlg.SetLayerVisible(2, false);
    dlg.HandleMouseMove(0, Point{20, 20});
    EXPECT_EQ(dlg.Hovered(), nullptr);
    EXPECT_EQ(QColor(dlg.RenderAll().pixel(20, 20)), ToQColor(dlg.BackgroundColor()));
    dlg.SetLayerVisible(2, true);
    dlg.HandleMouseMove(0, Point{21, 20});
    EXPECT_EQ(dlg.Hovered(), c);
    EXPECT_EQ(QColor(dlg.RenderAll().pixel(20, 20)), QColor(Qt::red));
}

TEST_F(HostTest, BackgroundPressMovesTheWindowAndItsReleaseIsNoClick) {
    CCheckButton* c = AddCheck(0, 0xC, Rect{10, 10, 50, 50});
    dlg.HandleMouseMove(0, Point{200, 200});
    dlg.HandleLButtonDown(kMkLButton, Point{200, 200});
    EXPECT_EQ(dlg.moves, (std::vector<Point>{Point{200, 200}}));
    EXPECT_EQ(dlg.PressedRect(), kNoRect);
    // The window ends up with the control under the pointer.
    dlg.HandleMouseMove(0, Point{20, 20});
    dlg.HandleLButtonUp(0, Point{20, 20});
    EXPECT_FALSE(c->Checked());
    EXPECT_TRUE(dlg.messages.empty());
    // A press on a control moves nothing.
    Click(Point{20, 20});
    EXPECT_EQ(dlg.moves.size(), 1u);
    EXPECT_TRUE(c->Checked());
}

TEST_F(HostTest, ReleaseOutsideThePressedControlIsNoClick) {
    CCheckButton* c = AddCheck(0, 0xC, Rect{10, 10, 50, 50});
    dlg.HandleMouseMove(0, Point{20, 20});
    dlg.HandleLButtonDown(kMkLButton, Point{20, 20});
    EXPECT_TRUE(dlg.MouseDown());
    dlg.HandleMouseMove(kMkLButton, Point{300, 200});
    EXPECT_EQ(dlg.Hovered(), c);  // the press keeps the pointer
    dlg.HandleLButtonUp(0, Point{300, 200});
    EXPECT_EQ(dlg.messages, (std::vector<Msg>{{0xC, 0, 1}}));
    EXPECT_EQ(dlg.Hovered(), nullptr);
    EXPECT_EQ(dlg.LastPoint(), (Point{-1, -1}));
    EXPECT_EQ(c->State(), 0);
    EXPECT_FALSE(c->Checked());
}

TEST_F(HostTest, PageTabsRepaintTheWholeWindowOtherControlsOnlyThemselves) {
    const Rect checkRect{10, 10, 50, 50};
    const Rect tabRect{100, 10, 150, 40};
    AddCheck(0, 0xC, checkRect);
    dlg.MakeControl<CTabControl>(0, 0xBB9, tabRect, QString());
    dlg.HandleMouseMove(0, Point{20, 20});
    dlg.HandleLButtonDown(kMkLButton, Point{20, 20});
    dlg.RenderPending();
    dlg.HandleLButtonUp(0, Point{20, 20});
    EXPECT_EQ(dlg.PendingRepaint(), QRegion(checkRect.ToQRect()));

    dlg.HandleMouseMove(0, Point{120, 20});
    dlg.HandleLButtonDown(kMkLButton, Point{120, 20});
    dlg.RenderPending();
    dlg.HandleLButtonUp(0, Point{120, 20});
    EXPECT_EQ(dlg.PendingRepaint(), QRegion(0, 0, 400, 300));
}

TEST_F(HostTest, HoverRepaintsOnlyTheControlsInvolved) {
    const Rect a{10, 10, 50, 50};
    const Rect b{60, 10, 100, 50};
    AddCheck(0, 0xA, a);
    AddCheck(0, 0xB, b);
    dlg.HandleMouseMove(0, Point{200, 200});
    dlg.RenderPending();
    dlg.HandleMouseMove(0, Point{20, 20});
    EXPECT_EQ(dlg.PendingRepaint(), QRegion(a.ToQRect()));
    dlg.RenderPending();
    dlg.HandleMouseMove(0, Point{70, 20});
    EXPECT_EQ(dlg.PendingRepaint(), QRegion(a.ToQRect()) | QRegion(b.ToQRect()));
    dlg.RenderPending();
    dlg.HandleMouseMove(0, Point{71, 20});  // no change of look
    EXPECT_TRUE(dlg.PendingRepaint().isEmpty());
}

TEST_F(HostTest, LeavingTheWindowClearsTheHoverLook) {
    CCheckButton* c = AddCheck(0, 0xC, Rect{10, 10, 50, 50});
    dlg.HandleMouseMove(0, Point{20, 20});
    ASSERT_EQ(c->State(), 1);
    dlg.HandleMouseLeave();
    EXPECT_EQ(c->State(), 0);
    EXPECT_EQ(dlg.Hovered(), nullptr);
    EXPECT_EQ(dlg.LastPoint(), (Point{-1, -1}));
}

TEST_F(HostTest, NotificationThatClearsTheHoverIsSafe) {
    AddCheck(0, 0xC, Rect{10, 10, 50, 50});
    dlg.OnMessage(0xC, [&](uint32_t, uintptr_t, intptr_t l) -> intptr_t {
        if (l == NotifyClick) {
            dlg.ResetHover();
        }
        return 0;
    });
    Click(Point{20, 20});
    EXPECT_EQ(dlg.Hovered(), nullptr);
    EXPECT_EQ(dlg.LastPoint(), (Point{20, 20}));
    // The next move finds the control again.
    dlg.HandleMouseMove(0, Point{21, 20});
    EXPECT_EQ(dlg.Hovered(), dlg.FindControl(0xC));
}

TEST_F(HostTest, DoubleClickAndRightReleaseReachTheHoveredControl) {
    auto* tab = dlg.MakeControl<CTabControl>(0, 0x801, Rect{10, 10, 60, 40}, QString());
    dlg.HandleMouseMove(0, Point{20, 20});
    dlg.HandleRButtonUp(0, Point{20, 20});
    dlg.HandleRButtonUp(0, Point{200, 200});  // on no control
    EXPECT_EQ(dlg.messages, (std::vector<Msg>{{0x801, 0x801, 11}}));
    dlg.HandleLButtonDblClk(kMkLButton, Point{20, 20});
    EXPECT_TRUE(dlg.DoubleClicked());
    EXPECT_EQ(dlg.PressedRect(), tab->GetRect());
    dlg.HandleLButtonUp(0, Point{20, 20});
    EXPECT_FALSE(dlg.DoubleClicked());
}

TEST_F(HostTest, WindowEventsReachTheMouseHandlers) {
    CCheckButton* c = AddCheck(0, 0xC, Rect{10, 10, 50, 50});
    const QPointF at(20, 20);
    QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, at, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(&dlg, &move);
    QCoreApplication::sendEvent(&dlg, &press);
    QCoreApplication::sendEvent(&dlg, &release);
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(dlg.messages, (std::vector<Msg>{{0xC, 0, 1}, {0xC, 0, 2}}));
}

// --- keys ---------------------------------------------------------------------------

// The icon only shows in the taskbar and the window switcher: it goes on in
// every size shipped once the window's first picture is on the screen, and
// the first paint does not wait for it.
TEST(HostIcon, TheProgramIconFollowsTheFirstPaint) {
    InitUiResources();
    UiContext ui;
    TestDlg dlg{ui};
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dlg.windowIcon().isNull(); }, 3000));
    EXPECT_EQ(dlg.windowIcon().availableSizes().size(), 7);
}

// The icon reads each size when asked and keeps none; every size a window or
// the notification area asks for is the picture an icon holding all the
// shipped pixmaps gives.
TEST(HostIcon, EachSizeIsWhatAnIconOfAllThePixmapsGives) {
    InitUiResources();
    QIcon held;
    for (const QSize& size : ProgramIconSizes())
        held.addPixmap(
            QPixmap::fromImage(ReadPicture(QStringLiteral(":/icon/128/%1.png").arg(size.width()))));
    ASSERT_EQ(held.availableSizes(), ProgramIconSizes());
    for (const QSize size :
         {QSize(8, 8), QSize(16, 16), QSize(22, 22), QSize(24, 24), QSize(32, 32), QSize(44, 44),
          QSize(48, 48), QSize(64, 64), QSize(100, 50), QSize(200, 20), QSize(20, 200),
          QSize(128, 128), QSize(256, 256), QSize(300, 300)})
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
            SCOPED_TRACE(testing::Message()
                         << size.width() << " x " << size.height() << " mode " << int(mode));
            const QImage expected = held.pixmap(size, mode).toImage();
            ASSERT_FALSE(expected.isNull());
            EXPECT_EQ(ProgramIcon().pixmap(size, mode).toImage(), expected);
            EXPECT_EQ(ProgramIcon().actualSize(size, mode), expected.size());
        }
}

class ConfirmingDlg : public TestDlg {
  public:
    using TestDlg::TestDlg;

  protected:
    void OnEnterKey() override { EndDialog(QDialog::Accepted); }
};

TEST(HostKeys, EnterAndEscapeAreSwallowedUnlessTheDialogTakesThem) {
    UiContext ui;
    TestDlg plain(ui);
    plain.Initialize();
    plain.setResult(-1);
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(&plain, &esc);
    QCoreApplication::sendEvent(&plain, &enter);
    EXPECT_EQ(plain.result(), -1);

    ConfirmingDlg confirming(ui);
    confirming.Initialize();
    confirming.setResult(-1);
    QCoreApplication::sendEvent(&confirming, &esc);
    EXPECT_EQ(confirming.result(), -1);
    QCoreApplication::sendEvent(&confirming, &enter);
    EXPECT_EQ(confirming.result(), QDialog::Accepted);
}

// --- popups -------------------------------------------------------------------------

class FakePopup : public PopupWindow {
  public:
    explicit FakePopup(bool succeed) : succeed_(succeed) {}
    bool Create(CDlgBase* owner, const Rect& r, uint32_t message, uint32_t data) override {
        owner_ = owner;
        rect_ = r;
        message_ = message;
        data_ = data;
        if (succeed_) {
            setAttribute(Qt::WA_DeleteOnClose);
        }
        return succeed_;
    }
    CDlgBase* owner_ = nullptr;
    Rect rect_;
    uint32_t message_ = 0;
    uint32_t data_ = 0;

  private:
    bool succeed_;
};

TEST_F(HostTest, PopupSlotsOpenCloseAndForgetPopupsThatWentAway) {
    QPointer<FakePopup> first = new FakePopup(true);
    ASSERT_TRUE(dlg.OpenPopup(2, first, Rect{1, 2, 3, 4}, 0x404, 0x7E0));
    EXPECT_EQ(first->owner_, &dlg);
    EXPECT_EQ(first->message_, 0x404u);
    EXPECT_EQ(dlg.Popup(2), first.data());

    // Opening the slot again closes the one it held.
    QPointer<FakePopup> second = new FakePopup(true);
    ASSERT_TRUE(dlg.OpenPopup(2, second, Rect{}, 0x404, 0x7E1));
    EXPECT_EQ(dlg.Popup(2), second.data());
    ASSERT_TRUE(WaitUntil([&] { return first.isNull(); }));

    dlg.ClosePopup(2);
    EXPECT_EQ(dlg.Popup(2), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return second.isNull(); }));

    // A popup that goes away on its own leaves an empty slot, not a dangling one.
    FakePopup* third = new FakePopup(true);
    dlg.OpenPopup(5, third, Rect{}, 0, 0);
    delete third;
    EXPECT_EQ(dlg.Popup(5), nullptr);
    dlg.ClosePopup(5);
}

TEST_F(HostTest, PopupThatCannotBeCreatedIsDeletedAndTheSlotStaysEmpty) {
    QPointer<FakePopup> broken = new FakePopup(false);
    EXPECT_FALSE(dlg.OpenPopup(0, broken, Rect{}, 0, 0));
    EXPECT_EQ(dlg.Popup(0), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return broken.isNull(); }));
    // There are eleven slots; a twelfth is refused and the popup left alone.
    FakePopup spare(true);
    EXPECT_FALSE(dlg.OpenPopup(11, &spare, Rect{}, 0, 0));
    EXPECT_EQ(spare.owner_, nullptr);
}

// --- background ---------------------------------------------------------------------

TEST(HostBackground, AverageColourAndScaledCopy) {
    QTemporaryDir dir;
    QImage img(4, 2, QImage::Format_RGB32);
    img.fill(QColor(0, 0, 0));
    for (int x = 0; x < 4; ++x) {
        img.setPixelColor(x, 0, QColor(200, 100, 50));
    }
    const QString path = dir.filePath("bg.bmp");
    ASSERT_TRUE(img.save(path, "BMP"));

    UiContext ui;
    ui.Scale = 2.0;
    TestDlg dlg(ui, 8, 4);
    dlg.Initialize();
    EXPECT_EQ(dlg.BackgroundColor(), 0xEFE2BAu);
    EXPECT_FALSE(dlg.LoadBackground(dir.filePath("missing.bmp")));
    EXPECT_EQ(dlg.BackgroundColor(), 0xEFE2BAu);
    ASSERT_TRUE(dlg.LoadBackground(path));
    EXPECT_EQ(dlg.BackgroundColor(), ToColorRef(QColor(100, 50, 25)));
    EXPECT_EQ(dlg.BackgroundSize(), QSize(4, 2));
    QImage out(8, 4, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    dlg.DrawBackground(p);
    p.end();
    EXPECT_EQ(out.pixelColor(7, 1), QColor(200, 100, 50));
    EXPECT_EQ(out.pixelColor(7, 2), QColor(0, 0, 0));
}

TEST(HostBackground, FrameBitmapIsDrawnAtItsSizeTimesTheScale) {
    UiContext ui;
    ui.Scale = 1.5;
    ui.SkinsDir = QStringLiteral(VELMARO_SKINS_DIR "/");
    TestDlg dlg(ui, 700, 300);
    const QImage frame =
        QImage(ui.SkinFile("Frame_common.bmp")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(frame.size(), QSize(429, 140));
    QImage out(700, 300, QImage::Format_RGB32);
    out.fill(Qt::magenta);
    QPainter p(&out);
    EXPECT_FALSE(dlg.DrawFrameBitmap(p, "Frame_missing.bmp"));
    ASSERT_TRUE(dlg.DrawFrameBitmap(p, "Frame_common.bmp"));
    p.end();
    // 429 x 140 becomes 643 x 210.
    EXPECT_EQ(out.pixel(642, 209), frame.pixel(428, 139));
    EXPECT_EQ(out.pixel(0, 0), frame.pixel(0, 0));
    EXPECT_EQ(out.pixelColor(643, 100), QColor(Qt::magenta));
    EXPECT_EQ(out.pixelColor(100, 210), QColor(Qt::magenta));
}

// A window drawing its background, as the program's windows do.
class BackgroundDlg : public TestDlg {
  public:
    using TestDlg::TestDlg;
    void DrawWindow(QPainter& dc, const Rect& update) override {
        DrawBackground(dc);
        DrawControls(dc, update);
    }
};

// At scale 1.0 the background moves into squares once the window has been
// painted; a larger copy stays as it is. The window looks the same and keeps
// its average colour.
TEST(HostBackground, AtScaleOneTheBackgroundMovesIntoSquaresAfterTheFirstPaint) {
    InitUiResources();
    for (const double scale : {1.0, 2.0}) {
        SCOPED_TRACE(scale);
        UiContext ui;
        ui.Scale = scale;
        BackgroundDlg reference(ui, 1127, 740);
        ASSERT_TRUE(reference.LoadBackground(364));
        const QImage before = reference.RenderAll().copy();

        BackgroundDlg dlg(ui, 1127, 740);
        ASSERT_TRUE(dlg.LoadBackground(364));
        EXPECT_FALSE(dlg.BackgroundTiled());
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        if (scale == 1.0) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return dlg.BackgroundTiled(); }, 3000));
        } else {
            QCoreApplication::processEvents();
            EXPECT_FALSE(dlg.BackgroundTiled());
        }
        EXPECT_EQ(dlg.BackgroundColor(), reference.BackgroundColor());
        EXPECT_TRUE(dlg.RenderAll() == before);
        // Two small parts far apart, as two controls repaint.
        const auto parts = [](BackgroundDlg& window) {
            QImage canvas(1200, 800, QImage::Format_RGB32);
            canvas.fill(Qt::magenta);
            QPainter p(&canvas);
            p.setClipRegion(QRegion(3, 5, 40, 30) + QRegion(1000, 700, 50, 33));
            window.DrawBackground(p);
            return canvas;
        };
        EXPECT_TRUE(parts(dlg) == parts(reference));
        // A new background is drawn from its picture until the next paint.
        ASSERT_TRUE(dlg.LoadBackground(287));
        EXPECT_FALSE(dlg.BackgroundTiled());
        ASSERT_TRUE(reference.LoadBackground(287));
        EXPECT_TRUE(dlg.RenderAll() == reference.RenderAll());
    }
}

TEST(HostBackground, CompiledInMainBackgroundLoads) {
    UiContext ui;
    TestDlg dlg(ui, 1127, 740);
    ASSERT_TRUE(dlg.LoadBackground(364));
    EXPECT_EQ(dlg.BackgroundSize(), QSize(1127, 740));
    EXPECT_NE(dlg.BackgroundColor(), 0xEFE2BAu);
}

}  // namespace
}  // namespace velmaro::test
