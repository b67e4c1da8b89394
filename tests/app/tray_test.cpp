// The notification-area icon: the battery in its picture and tip, the
// activation reasons the hosts send, the menu's entries run after the menu
// has returned, and a notification area that comes or goes after the start.
#include <gmock/gmock.h>

#include <QGuiApplication>
#include <QPainter>
#include <QSystemTrayIcon>

#include "app/tray_battery_icon.h"
#include "app/tray_icon.h"
#include "main_window_fixture.h"

namespace velmaro::test {
namespace {

using ::testing::HasSubstr;

// The program's icon as the window carries it, at every size the hosts ask for.
QIcon BaseIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icon/128/%1.png").arg(size), QSize(size, size));
    return icon;
}

struct StateCase {
    const char* What;
    bool Wireless;
    uint8_t Level;
    int Charge;
    TrayBatteryState Expected;
};

TEST(TrayBatteryStateTest, LevelsRoundToQuarterStepsWithTheLegendColours) {
    const StateCase cases[] = {
        {"on the cable", false, 57, 0, {}},
        {"empty", true, 0, 0, {true, 0, 2, false}},
        {"twelve", true, 12, 0, {true, 0, 2, false}},
        {"thirteen", true, 13, 0, {true, 1, 2, false}},
        {"a quarter is medium", true, 25, 0, {true, 1, 1, false}},
        {"half", true, 57, 0, {true, 2, 1, false}},
        {"high", true, 60, 0, {true, 2, 0, false}},
        {"three quarters", true, 80, 0, {true, 3, 0, false}},
        {"full", true, 100, 0, {true, 4, 0, false}},
        {"past full reads as full", true, 200, 0, {true, 4, 0, false}},
        {"charging", true, 40, 1, {true, 2, 1, true}},
        {"full on the charger", true, 30, 2, {true, 4, 0, true}},
    };
    for (const StateCase& c : cases) {
        SCOPED_TRACE(c.What);
        EXPECT_EQ(TrayBatteryStateFor(c.Wireless, c.Level, c.Charge), c.Expected);
    }
}

// The badge sits in the lower right corner; its cells fill from the left.
// Key pixels at every size: the outline is opaque and exactly its colour
// (whole pixels, no blurred edge), a filled step has the legend colour and
// an unfilled one the dark body, and the upper left of the icon is the
// program's icon untouched.
TEST(TrayBatteryIconTest, EverySizeIsDrawnOnWholePixels) {
    const QIcon base = BaseIcon();
    ASSERT_FALSE(base.isNull());
    const QColor green(60, 200, 80), red(230, 50, 40), body(16, 16, 18), outline(235, 235, 235);
    for (int size : kTrayIconSizes) {
        SCOPED_TRACE(size);
        const QImage plain = DrawTrayIcon(base, {}, size);
        const QImage half = DrawTrayIcon(base, {true, 2, 0, false}, size);
        const QImage empty = DrawTrayIcon(base, {true, 0, 2, false}, size);
        ASSERT_EQ(half.size(), QSize(size, size));
        const int line = std::max(1, size / 16);
        const int width = std::max(9, int(std::lround(size * 0.62)));
        const int height = std::max(6, int(std::lround(size * 0.38)));
        const QRect bodyRect(size - width - line, size - height, width, height);
        const QRect cells = bodyRect.adjusted(2 * line, 2 * line, -2 * line, -2 * line);
        EXPECT_EQ(half.pixelColor(bodyRect.topLeft()), outline);
        EXPECT_EQ(half.pixelColor(bodyRect.bottomRight()), outline);
        const QPoint first(cells.left(), cells.center().y());
        const QPoint last(cells.right(), cells.center().y());
        EXPECT_EQ(half.pixelColor(first), green);
        EXPECT_EQ(half.pixelColor(last), body);
        EXPECT_EQ(empty.pixelColor(first), body);
        EXPECT_EQ(DrawTrayIcon(base, {true, 4, 2, false}, size).pixelColor(last), red);
        EXPECT_EQ(half.pixelColor(1, 1), plain.pixelColor(1, 1));
        EXPECT_EQ(plain.pixelColor(bodyRect.topLeft()),
                  base.pixmap(size, size).toImage().pixelColor(bodyRect.topLeft()));
    }
}

TEST(TrayBatteryIconTest, TheBoltShowsWhileCharging) {
    const QIcon base = BaseIcon();
    const int size = 64;
    const QImage charging = DrawTrayIcon(base, {true, 2, 1, true}, size);
    const QImage onBattery = DrawTrayIcon(base, {true, 2, 1, false}, size);
    int yellow = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QColor c = charging.pixelColor(x, y);
            if (c == QColor(255, 214, 0))
                ++yellow;
        }
    }
    EXPECT_GT(yellow, 20);
    EXPECT_NE(charging, onBattery);
    // Each size of the icon is its own drawing, not a scaled copy.
    const QIcon icon = TrayIconFor(base, {true, 2, 1, true});
    for (int s : kTrayIconSizes)
        EXPECT_EQ(icon.pixmap(s, s).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  DrawTrayIcon(base, {true, 2, 1, true}, s))
            << s;
}

// Every state at the usual panel sizes, side by side on a grey panel, for a
// look at them (app_screenshots/tray_icons.png).
TEST(TrayBatteryIconTest, SheetOfEveryState) {
    const QIcon base = BaseIcon();
    const TrayBatteryState states[] = {
        {},
        {true, 0, 2, false},
        {true, 1, 2, false},
        {true, 2, 1, false},
        {true, 3, 0, false},
        {true, 4, 0, false},
        {true, 2, 1, true},
        {true, 4, 0, true},
    };
    const int sizes[] = {16, 22, 24, 32, 48, 64};
    QImage sheet(8 * 72, 6 * 72, QImage::Format_RGB32);
    sheet.fill(QColor(60, 60, 64));
    QPainter p(&sheet);
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 8; ++col)
            p.drawImage(col * 72 + 4, row * 72 + 4, DrawTrayIcon(base, states[col], sizes[row]));
    }
    p.end();
    QDir().mkpath(VELMARO_APP_SCREENSHOT_DIR);
    EXPECT_TRUE(sheet.save(QString(VELMARO_APP_SCREENSHOT_DIR) + "/tray_icons.png", "PNG"));
}

TEST(TrayTextTest, TheTipComesFromTheLanguageTableAndOldFilesReadAsEnglish) {
    LanguageTable chinese;
    chinese.Entries[kTextBatteryLine] = u"电量 %1%，%2";
    chinese.Entries[kTextCharging] = u"正在充电";
    EXPECT_EQ(TrayToolTip(chinese, true, 42, 1),
              QString::fromUtf16(u"Pyxeltor Quill mouse\n电量 42%，正在充电"));
    LanguageTable old;  // a language file written before these entries existed
    EXPECT_EQ(TrayToolTip(old, true, 100, 2), "Pyxeltor Quill mouse\nBattery 100%, fully charged");
    EXPECT_EQ(TrayToolTip(old, false, 57, 0), "Pyxeltor Quill mouse");
    EXPECT_EQ(TrayText(old, kTextStartAtLogin), "Start at login");
}

// --- the icon on the main window ---------------------------------------------

TEST_F(MainWindowFixture, TheTrayFollowsTheBatteryOfTheWirelessMouseOnly) {
    MainWindowOptions options;
    options.Mouse.cable = false;
    options.Mouse.receiver = true;
    options.Mouse.status.battery = 57;
    Start(options);
    ASSERT_NE(Window().Tray(), nullptr);
    CTrayIcon& tray = *Window().Tray();
    EXPECT_EQ(tray.Battery(), (TrayBatteryState{true, 2, 1, false}));
    EXPECT_EQ(tray.Icon().toolTip(), "Pyxeltor Quill mouse\nBattery 57%, on battery");
    const qint64 before = tray.Icon().icon().cacheKey();

    SimStatus charging = options.Mouse.status;
    charging.battery = 90;
    charging.charge = 1;
    Mouse().SetStatus(charging);
    Advance(21000);
    EXPECT_EQ(tray.Battery(), (TrayBatteryState{true, 4, 0, true}));
    EXPECT_EQ(tray.Icon().toolTip(), "Pyxeltor Quill mouse\nBattery 90%, charging");
    EXPECT_NE(tray.Icon().icon().cacheKey(), before);

    // The cable plugged in: the mouse is reached through it, the plain icon.
    ASSERT_TRUE(Mouse().Plug(SimRole::kCable));
    ASSERT_TRUE(WaitFor([&] {
        Advance(1000);
        return Core().Link().CommandRole() == DeviceRole::Cable;
    }));
    Advance(3000);
    EXPECT_FALSE(Window().Tray()->Battery().Shown);
    EXPECT_EQ(Window().Tray()->Icon().toolTip(), "Pyxeltor Quill mouse");
}

struct ActivationCase {
    QSystemTrayIcon::ActivationReason Reason;
    bool Restores;
};

TEST_F(MainWindowFixture, AClickOnTheIconBringsTheWindowBackAsEveryHostSendsIt) {
    const ActivationCase cases[] = {
        {QSystemTrayIcon::Trigger, true},      // a click (D-Bus hosts, XEmbed trays)
        {QSystemTrayIcon::DoubleClick, true},  // XEmbed trays
        {QSystemTrayIcon::MiddleClick, true},  // the D-Bus secondary activation
        {QSystemTrayIcon::Context, false},     // the menu opens instead
    };
    Start();
    for (const ActivationCase& c : cases) {
        SCOPED_TRACE(int(c.Reason));
        Window().hide();
        emit Window().Tray()->Icon().activated(c.Reason);
        // Nothing happens while the host is still delivering the click.
        EXPECT_FALSE(Window().isVisible());
        ProcessEvents();
        EXPECT_EQ(Window().isVisible(), c.Restores);
    }
}

TEST_F(MainWindowFixture, ATrayThatComesLaterTakesTheIconAndTheCloseButtonHidesAgain) {
    Start({.Tray = false, .Hidden = true});
    // No notification area to hide in: the window shows.
    EXPECT_TRUE(Window().isVisible());
    EXPECT_EQ(Window().Tray(), nullptr);

    Window().SetTrayAvailable(true);
    ASSERT_NE(Window().Tray(), nullptr);
    EXPECT_EQ(Window().Tray()->Menu().actions()[1]->text(), "Start at login");
    ASSERT_TRUE(Click(kExitButtonId));
    EXPECT_FALSE(Window().isVisible());
    EXPECT_FALSE(Window().Ended());

    // The panel went away: the close button ends the program again.
    Window().SetTrayAvailable(false);
    EXPECT_EQ(Window().Tray(), nullptr);
    Window().Restore();
    ASSERT_TRUE(Click(kExitButtonId));
    EXPECT_TRUE(Window().Ended());
}

TEST_F(MainWindowFixture, AHiddenStartWaitsForATrayAndStaysHiddenWhenOneComes) {
    Start({.Hidden = true, .AskSystemForTray = true});
    if (Window().TrayAvailable())
        GTEST_SKIP() << "this session has a notification area";
    EXPECT_TRUE(Window().WaitingForTray());
    EXPECT_FALSE(Window().isVisible());
    Window().SetTrayAvailable(true);
    EXPECT_FALSE(Window().WaitingForTray());
    EXPECT_NE(Window().Tray(), nullptr);
    ProcessEvents();
    EXPECT_FALSE(Window().isVisible());
}

TEST_F(MainWindowFixture, AHiddenStartWithoutATrayShowsTheWindowWhenTheWaitIsOver) {
    Start({.Hidden = true, .AskSystemForTray = true});
    if (Window().TrayAvailable())
        GTEST_SKIP() << "this session has a notification area";
    Advance(CKorvaneDlg::kTrayWaitMs - 1);
    EXPECT_FALSE(Window().isVisible());
    Advance(1);
    EXPECT_FALSE(Window().WaitingForTray());
    // Without a notification area it could never be found again otherwise.
    EXPECT_TRUE(Window().isVisible());
}

}  // namespace
}  // namespace velmaro::test
