// The running window against a mouse that misbehaves: the cable pulled in the
// middle of an apply a page started and put back, and status answers the
// program must not take. The window stays up, the mouse ends up holding the
// profile, every report keeps the mouse's frame rules and the battery
// display only ever shows a reading.
#include <gmock/gmock.h>

#include <QCursor>
#include <atomic>

#include "app/rate_section.h"
#include "device/command_payloads.h"
#include "device/feature_report.h"
#include "main_window_fixture.h"
#include "model/profile_edits.h"
#include "ui/battery.h"

namespace velmaro::test {
namespace {

class DeviceFaultWindowTest : public MainWindowFixture {
  protected:
    void StartWithBothRoles() {
        MainWindowOptions options;
        options.Mouse.receiver = true;
        Start(options);
        Advance(100);  // the apply after the start-up scan
    }

    ::testing::AssertionResult MouseHoldsTheProfile() {
        const ProfileRecord& record = Window().Profile();
        std::vector<CommandPayload> payloads = {ComposeDpiLevels(record, Window().State().Sensor),
                                                ComposeDpiColors(record),
                                                ComposePollingRate(record),
                                                ComposeLighting(record),
                                                ComposeLiftOff(record),
                                                ComposeDebounce(record),
                                                ComposePowerSaving(record),
                                                ComposeMotionWakeup(record)};
        for (const CommandPayload& button : ComposeButtons(record))
            payloads.push_back(button);
        const MouseSettings held = Mouse().Settings();
        for (const CommandPayload& p : payloads) {
            if (!held.Holds(p))
                return ::testing::AssertionFailure() << "command " << int{p.Command} << " not held";
        }
        return ::testing::AssertionSuccess();
    }
    void ExpectNoViolations() {
        for (const SimViolation& v : Mouse().Violations())
            ADD_FAILURE() << FormatViolation(v);
    }

    // Setting reports the cable took; counted on the sending thread.
    std::atomic<int> settings_sent{0};
};

// A rate tile clicked with the debounce and a DPI level changed too: the
// apply sends three setting reports, and the cable goes after the first, the
// second or the last of them. The window goes on with the receiver, and once
// the cable is back the whole profile reaches the mouse again.
TEST_F(DeviceFaultWindowTest, CablePulledDuringAnApplyFromAPageAndPutBack) {
    for (const int pull_after : {1, 2, 3}) {
        SCOPED_TRACE("cable pulled after setting report " + std::to_string(pull_after));
        // A new window under a pointer left where the last click was would
        // see no move, so nothing under it would be hovered.
        QCursor::setPos(QPoint(-500, -500));
        StartWithBothRoles();
        Window().Sections().SetOpen(Section::Rate, true);
        Window().RenderAll();
        Window().Profile().PollingRateValue = {1, 0, 0};
        Window().Profile().PollingRateName = u"250HZ";
        Core().Writer().RebuildLastSent();
        ASSERT_TRUE(
            Window().ApplyEdit([&](ProfileRecord& p) { return EditDebounce(p, 6); }).Accepted());
        ASSERT_TRUE(Window()
                        .ApplyEdit([&](ProfileRecord& p) {
                            return EditDpiLevelStep(p, Window().State().Sensor, 1, 12 + pull_after);
                        })
                        .Accepted());
        Core().Writer().MarkChanged(~0u);

        // The callback runs on the thread that sent, inside the apply.
        settings_sent = 0;
        Mouse().SetLogCallback([this, pull_after](const SeamLogEntry& e) {
            if (e.direction == SeamDirection::kSet && e.role == SimRole::kCable &&
                e.bytes.size() > 2 && e.bytes[2] != CMD_QUERY_STATUS &&
                ++settings_sent == pull_after)
                Mouse().Unplug(SimRole::kCable);
        });
        ASSERT_TRUE(Click(0xBD6));
        Advance(20);
        Mouse().SetLogCallback(nullptr);
        EXPECT_GE(settings_sent.load(), pull_after);
        EXPECT_FALSE(Mouse().IsPlugged(SimRole::kCable));
        ProcessEvents();
        EXPECT_FALSE(Window().Ended());
        EXPECT_EQ(Window().Profile().PollingRateValue[0], 0);
        Advance(100);
        EXPECT_TRUE(MouseHoldsTheProfile());

        ASSERT_TRUE(Mouse().Plug(SimRole::kCable));
        ProcessEvents();
        Advance(100);
        EXPECT_TRUE(Core().Link().CableFound());
        EXPECT_TRUE(MouseHoldsTheProfile());
        ExpectNoViolations();
        EXPECT_FALSE(Window().Ended());
        Stop();
    }
}

struct BadStatusCase {
    const char* What;
    SimStatus Status;
    unsigned EmptyAnswers;
};

// While the window runs, the status poll meets answers that are empty, echo
// another command, refuse, or carry readings no battery has. None of them
// moves the gauge off the last good reading, and the next good one shows.
TEST_F(DeviceFaultWindowTest, BadStatusAnswersLeaveTheBatteryDisplaySane) {
    SimStatus good;
    good.battery = 64;
    SimStatus other_echo = good;
    other_echo.echo_command = 0x21;
    other_echo.battery = 5;
    SimStatus refused = good;
    refused.status_byte = 0x01;
    refused.battery = 5;
    SimStatus garbage = good;
    garbage.battery = 0xFF;
    garbage.charge = 0xEE;
    garbage.sensor_code = 0xA7;
    const BadStatusCase cases[] = {
        {"empty", good, 3},
        {"another command's echo", other_echo, 0},
        {"refused", refused, 0},
        {"garbage readings", garbage, 0},
    };
    MainWindowOptions options;
    options.Mouse.status = good;
    Start(options);
    Advance(1000);
    auto* gauge = Window().FindControlAs<CBattery>(kBatteryGaugeId);
    ASSERT_NE(gauge, nullptr);
    ASSERT_EQ(gauge->Level(), 64);

    for (const BadStatusCase& c : cases) {
        SCOPED_TRACE(c.What);
        Mouse().SetStatus(c.Status);
        Mouse().AnswerEmpty(c.EmptyAnswers);
        Advance(21000);  // the status poll asks at least once more
        EXPECT_FALSE(Window().Ended());
        EXPECT_GE(gauge->Level(), 0);
        EXPECT_LE(gauge->Level(), 100);
        const std::string text = Window().FindControl(kBatteryTextId)->GetText().toStdString();
        EXPECT_THAT(text, ::testing::MatchesRegex("[0-9]{1,3}%"));
        if (c.Status.echo_command != good.echo_command || c.Status.status_byte != 0 ||
            c.EmptyAnswers > 0) {
            EXPECT_EQ(gauge->Level(), 64);
        }
        Mouse().SetStatus(good);
        Advance(21000);
        EXPECT_EQ(gauge->Level(), 64);
    }
    ExpectNoViolations();
}

}  // namespace
}  // namespace velmaro::test
