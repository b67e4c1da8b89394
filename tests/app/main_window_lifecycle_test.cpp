// How the main window ends, hides and comes back, and what it shows of the
// mouse: exit and minimise with and without a notification area, the tray's
// exit, the mouse unplugged, signals, the on-screen display, the battery
// gauge, the factory reset and the keys it swallows.
#include <signal.h>

#include <gmock/gmock.h>

#include <QDialog>

#include "app/osd_window.h"
#include "app/signal_pipe.h"
#include "app/tray_icon.h"
#include "main_window_fixture.h"
#include "ui/battery.h"

namespace velmaro::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

EditResult Rate125(ProfileRecord& p) {
    return EditReportRate(p, 125);
}

struct HideCase {
    bool Tray;
    uint32_t Button;
    bool Ends;
    bool Minimised;
};

TEST_F(MainWindowFixture, ExitAndMinimiseWithAndWithoutTray) {
    const HideCase cases[] = {
        {true, kExitButtonId, false, false},
        {true, kMinimiseButtonId, false, false},
        // Without a notification area a hidden window could not come back.
        {false, kExitButtonId, true, false},
        {false, kMinimiseButtonId, false, true},
    };
    for (const HideCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "tray " << c.Tray << " button " << c.Button);
        MainWindowOptions options;
        options.Tray = c.Tray;
        Start(options);
        Window().ApplyEdit(Rate125);
        Advance(20);
        ASSERT_TRUE(Click(c.Button));
        EXPECT_EQ(Window().Ended(), c.Ends);
        EXPECT_EQ(endCalls, c.Ends ? 1 : 0);
        EXPECT_EQ(Window().isMinimized(), c.Minimised);
        EXPECT_EQ(Window().isVisible(), c.Minimised);
        // Ending saves the pending change; hiding saves nothing.
        EXPECT_EQ(ProfileText(0).find("PollingRateName=125HZ") != std::string::npos, c.Ends);
        if (!c.Ends) {
            Window().SendMessage(kMsgRestore, 0, 0);
            EXPECT_TRUE(Window().isVisible());
            EXPECT_FALSE(Window().isMinimized());
        }
        Stop();
        endCalls = 0;
    }
}

TEST_F(MainWindowFixture, TrayExitClosesRegisteredDialogsAndSaves) {
    Start();
    QDialog manager;
    manager.show();
    Window().RegisterDialog(&manager);
    Window().ApplyEdit(Rate125);
    Advance(20);
    ASSERT_TRUE(TimerRunning(kTimerSave));
    ASSERT_NE(Window().Tray(), nullptr);
    // Restore, start at login, a separator, exit.
    QList<QAction*> actions = Window().Tray()->Menu().actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_TRUE(actions[2]->isSeparator());
    actions[3]->trigger();
    // The exit runs once the menu has delivered its click.
    EXPECT_FALSE(Window().Ended());
    ProcessEvents();
    EXPECT_FALSE(manager.isVisible());
    EXPECT_TRUE(Window().Ended());
    EXPECT_EQ(endCalls, 1);
    EXPECT_THAT(ProfileText(0), HasSubstr("PollingRateName=125HZ"));
}

TEST_F(MainWindowFixture, RemovalOfTheLastInterfaceSavesAndEnds) {
    MainWindowOptions options;
    options.Mouse.receiver = true;
    Start(options);
    Window().ApplyEdit(Rate125);
    Advance(20);
    Mouse().Unplug(SimRole::kCable);
    ProcessEvents();
    EXPECT_FALSE(Window().Ended());
    EXPECT_TRUE(Window().isVisible());
    Mouse().Unplug(SimRole::kReceiver);
    ASSERT_TRUE(WaitFor([&] { return Window().Ended(); }));
    EXPECT_FALSE(Window().isVisible());
    EXPECT_EQ(endCalls, 1);
    EXPECT_THAT(ProfileText(0), HasSubstr("PollingRateName=125HZ"));
}

TEST_F(MainWindowFixture, SigtermSavesAChangeMadeASecondBefore) {
    Start();
    SignalPipe pipe([this](int) { Window().EndProgram(); });
    ASSERT_TRUE(pipe.Installed());
    Window().ApplyEdit(Rate125);
    Advance(1000);
    EXPECT_THAT(ProfileText(0), ::testing::Not(HasSubstr("PollingRateName=125HZ")));
    ::raise(SIGTERM);
    ASSERT_TRUE(WaitFor([&] { return Window().Ended(); }));
    EXPECT_THAT(ProfileText(0), HasSubstr("PollingRateName=125HZ"));
}

TEST_F(MainWindowFixture, MouseSideDpiChangeOpensTheDisplayUntilItsCountdownEnds) {
    Start();
    ASSERT_TRUE(Mouse().WaitForReader(SimRole::kCable, std::chrono::seconds(2)));
    Mouse().InjectDpiEvent(SimRole::kCable, 2, 0);
    ASSERT_TRUE(WaitFor([&] { return Window().Osd() != nullptr; }));
    COsdWindow* osd = Window().Osd();
    EXPECT_TRUE(osd->isVisible());
    EXPECT_EQ(osd->Texts().Rate, u"500Hz");
    EXPECT_EQ(osd->Texts().Level.substr(0, 4), u"DPI-");
    EXPECT_EQ(osd->size(), QSize(180, 140));
    EXPECT_TRUE(osd->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    osd->Render().save(QString(VELMARO_APP_SCREENSHOT_DIR) + "/osd.png");
    // Five ticks of 300 ms count down, the sixth closes it.
    Advance(1500);
    EXPECT_NE(Window().Osd(), nullptr);
    Advance(300);
    EXPECT_EQ(Window().Osd(), nullptr);
}

struct BatteryCase {
    uint8_t Level;
    uint8_t Charge;
    int Mode;
    int ShownLevel;
    bool TextShown;
    const char* Text;
};

TEST_F(MainWindowFixture, BatteryGaugeFollowsTheStatusAnswers) {
    const BatteryCase cases[] = {
        {57, 0, 0, 57, true, "57%"},
        {80, 1, 1, 80, false, "80%"},
        {57, 2, 2, 100, true, "100%"},
        {130, 0, 0, 0, true, "0%"},
    };
    for (const BatteryCase& c : cases) {
        SCOPED_TRACE(int(c.Level) * 10 + c.Charge);
        MainWindowOptions options;
        options.Mouse.status.battery = c.Level;
        options.Mouse.status.charge = c.Charge;
        Start(options);
        Advance(1000);
        auto* gauge = Window().FindControlAs<CBattery>(kBatteryGaugeId);
        ASSERT_NE(gauge, nullptr);
        EXPECT_EQ(gauge->GetMode(), c.Mode);
        EXPECT_EQ(gauge->Level(), c.ShownLevel);
        CControlBase* text = Window().FindControl(kBatteryTextId);
        EXPECT_EQ(text->IsShown(), c.TextShown);
        EXPECT_EQ(text->GetText().toStdString(), c.Text);
        Stop();
    }
}

TEST_F(MainWindowFixture, FactoryResetAsksFirstThenResetsTheMouse) {
    Start();
    ClearReports();
    answer = [](CDlgBase&) { return int(QDialog::Rejected); };
    ASSERT_TRUE(Click(kResetButtonId));
    EXPECT_THAT(dialogs, ElementsAre("reset"));
    EXPECT_TRUE(Sets().empty());

    dialogs.clear();
    answer = [](CDlgBase& dialog) {
        if (dynamic_cast<CFirmwareResetDlg*>(&dialog) != nullptr)
            dialog.RenderAll().save(QString(VELMARO_APP_SCREENSHOT_DIR) + "/reset_dialog.png");
        return int(QDialog::Accepted);
    };
    ASSERT_TRUE(Click(kResetButtonId));
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0], "reset");
    EXPECT_EQ(dialogs[1], "progress Applying settings...");
    ASSERT_EQ(Sets().size(), 1u);
    EXPECT_EQ(Sets()[0].bytes[2], 0x0F);
}

TEST_F(MainWindowFixture, EnterAndEscapeNeverCloseTheWindow) {
    Start();
    KeyClick(Qt::Key_Escape);
    KeyClick(Qt::Key_Return);
    EXPECT_TRUE(Window().isVisible());
    EXPECT_FALSE(Window().Ended());
}

TEST_F(MainWindowFixture, HiddenKeySequenceShowsTheSupportText) {
    Start();
    const std::string keys = "VVEELLMMO";
    for (char k : keys)
        KeyClick(Qt::Key(k));
    EXPECT_EQ(Window().KeySequencePosition(), 9);
    EXPECT_TRUE(dialogs.empty());
    KeyClick(Qt::Key_O);
    EXPECT_THAT(dialogs, ElementsAre("attention support"));
    EXPECT_EQ(Window().KeySequencePosition(), 0);
    // Out of place: a wrong letter resets, the first letter restarts at 1.
    for (char k : std::string("VVEX"))
        KeyClick(Qt::Key(k));
    EXPECT_EQ(Window().KeySequencePosition(), 0);
    for (char k : std::string("VVEV"))
        KeyClick(Qt::Key(k));
    EXPECT_EQ(Window().KeySequencePosition(), 1);
    KeyClick(Qt::Key_Escape);
    EXPECT_EQ(Window().KeySequencePosition(), 0);
}

}  // namespace
}  // namespace velmaro::test

namespace velmaro::test {
namespace {

TEST_F(MainWindowFixture, ResetQuestionTakesEnterButNotEscape) {
    Start();
    CFirmwareResetDlg dialog(Ui(), Window().State().Language, &Window());
    dialog.show();
    ProcessEvents();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.FindControl(kResetQuestionId)->GetText().toStdString(),
              "Restore the mouse to its factory settings? The current profile goes back to its "
              "defaults.");
}

}  // namespace
}  // namespace velmaro::test

namespace velmaro::test {
namespace {

TEST_F(MainWindowFixture, AnEndDuringAModalDialogWaitsForItsCaller) {
    Start();
    Window().ApplyEdit(Rate125);
    Advance(20);
    bool endedInside = true;
    answer = [&](CDlgBase& dialog) {
        if (dynamic_cast<CFirmwareResetDlg*>(&dialog) != nullptr) {
            Window().EndProgram();  // as SIGTERM would, while the question is open
            endedInside = Window().Ended();
        }
        return int(QDialog::Accepted);
    };
    Window().SendMessage(kResetButtonId, kResetButtonId, NotifyClick);
    EXPECT_FALSE(endedInside);
    // The reset ran to its end (the mouse got it), then the program ended.
    EXPECT_THAT(dialogs, ElementsAre("reset", "progress Applying settings..."));
    ProcessEvents();
    EXPECT_TRUE(Window().Ended());
    EXPECT_EQ(endCalls, 1);
    EXPECT_THAT(ProfileText(0), ::testing::Not(HasSubstr("PollingRateName=125HZ")));
}

}  // namespace
}  // namespace velmaro::test
