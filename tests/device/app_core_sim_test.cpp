// The program's core against the virtual mouse: start-up, settings reaching
// the mouse, the mouse's own changes, the cable pulled and put back, the
// factory reset and the last interface gone, with every report checked by
// the mouse's frame rules.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "device/app_core.h"
#include "device/command_payloads.h"
#include "device/hid/sim/virtual_mouse.h"
#include "macro/memory_file_system.h"
#include "model/profile_edits.h"

namespace velmaro {
namespace {

constexpr auto kWait = std::chrono::seconds(5);

// The mouse holds every setting of the profile.
::testing::AssertionResult HoldsProfile(const MouseSettings& mouse, const ProfileRecord& record,
                                        const SensorTables& sensor) {
    std::vector<CommandPayload> payloads = {
        ComposeDpiLevels(record, sensor), ComposeDpiColors(record),   ComposePollingRate(record),
        ComposeLighting(record),          ComposeLiftOff(record),     ComposeDebounce(record),
        ComposePowerSaving(record),       ComposeMotionWakeup(record)};
    for (const CommandPayload& button : ComposeButtons(record))
        payloads.push_back(button);
    for (const CommandPayload& p : payloads) {
        if (!mouse.Holds(p))
            return ::testing::AssertionFailure() << "command " << int{p.Command} << " not held";
    }
    return ::testing::AssertionSuccess();
}

class AppCoreOnVirtualMouseTest : public ::testing::TestWithParam<bool> {
  protected:
    AppCoreOnVirtualMouseTest() : mouse(Config()) {}

    static VirtualMouseConfig Config() {
        VirtualMouseConfig config;
        config.cable = true;
        config.receiver = true;
        config.status.battery = 64;
        config.shared_node_paths = GetParam();
        return config;
    }
    void Advance(long long ms) {
        timers.Advance(ms, [this](int id) { EXPECT_TRUE(core.OnTimer(id)); });
    }
    ProfileRecord& Current() { return core.State().CurrentRecord(); }
    void Change(const EditResult& edit) {
        ASSERT_TRUE(edit.Accepted());
        core.Writer().MarkChanged(edit.Dirty.Bits());
        Advance(kApplyDelayMs);
    }
    // The roles of the feature reports sent since the log was cleared.
    std::vector<SimRole> SetRoles() const {
        std::vector<SimRole> roles;
        for (const SeamLogEntry& e : mouse.Log()) {
            if (e.direction == SeamDirection::kSet)
                roles.push_back(e.role);
        }
        return roles;
    }
    void ExpectNoViolations() {
        for (const SimViolation& v : mouse.Violations())
            ADD_FAILURE() << FormatViolation(v);
    }

    VirtualMouse mouse;
    testing::MemoryFileSystem fs;
    ManualTimerHost timers;
    RecordingPacer pacer;
    RecordingCoreUi ui;
    AppCore core{mouse, fs, timers, pacer, ui};
};

TEST_P(AppCoreOnVirtualMouseTest, RunsTheMouseThroughAttachChangesAndRemoval) {
    AppCoreOptions options;
    options.DataFolder = u"/data/";
    options.Locale = "en_US.UTF-8";
    const StartupReport report = core.Initialize(options);
    ASSERT_TRUE(report.DevicePresent());
    EXPECT_EQ(report.Status, StatusQueryOutcome::Parsed);
    EXPECT_EQ(core.Device().BatteryLevel, 64);
    // Only the keyboard the system holds could not be opened.
    for (const OpenFailure& failure : report.Scan.OpenFailures)
        EXPECT_NE(failure.Info.vendor_id, kMouseVendorId) << failure.Info.InterfaceId();
    Advance(kApplyDelayMs);
    EXPECT_TRUE(HoldsProfile(mouse.Settings(), Current(), core.State().Sensor));

    // Changes go to the cable while both roles are there.
    mouse.ClearLog();
    Change(EditDebounce(Current(), 4));
    Change(EditDpiLevelStep(Current(), core.State().Sensor, 2, 20));
    EXPECT_EQ(SetRoles(), (std::vector<SimRole>{SimRole::kCable, SimRole::kCable}));
    ASSERT_EQ(mouse.Log().size(), 2u);
    // Sequence 1 was the start-up status query; the scan's apply sent nothing.
    EXPECT_EQ(FormatSeamLogLine(mouse.Log()[0]),
              "SET cable 0C010A000201010400000000000000000000000000000000000000000000000000");
    EXPECT_EQ(FormatSeamLogLine(mouse.Log()[1]),
              "SET cable 0C010500030112251F07000F00150031003B000000000000000000000000000000");
    EXPECT_TRUE(HoldsProfile(mouse.Settings(), Current(), core.State().Sensor));

    // The mouse's own DPI button, seen through the receiver's reader.
    ASSERT_TRUE(mouse.WaitForReader(SimRole::kReceiver, kWait));
    ASSERT_EQ(mouse.InjectDpiEvent(SimRole::kReceiver, 2, 2), 1u);
    ASSERT_TRUE(core.Events().WaitForEvent(kWait));
    core.DrainPostedEvents();
    EXPECT_EQ(Current().CurrentDPILevelValue, 2);
    EXPECT_EQ(Current().PollingRateName, u"500Hz");
    EXPECT_EQ(ui.Count("osd-show DPI-3|2200|500Hz"), 1);

    // Cable pulled: the program goes on on the receiver.
    mouse.ClearLog();
    ASSERT_TRUE(mouse.Unplug(SimRole::kCable));
    core.DrainPostedEvents();
    EXPECT_FALSE(core.Link().CableFound());
    EXPECT_TRUE(core.Link().ReceiverFound());
    EXPECT_FALSE(core.EndRequested());
    Advance(kApplyDelayMs);
    Change(EditDebounce(Current(), 8));
    EXPECT_EQ(SetRoles(), std::vector<SimRole>{SimRole::kReceiver});

    // Cable back: requests return to it.
    mouse.ClearLog();
    ASSERT_TRUE(mouse.Plug(SimRole::kCable));
    core.DrainPostedEvents();
    EXPECT_TRUE(core.Link().CableFound());
    Advance(kApplyDelayMs);
    Change(EditDebounce(Current(), 6));
    EXPECT_EQ(SetRoles(), std::vector<SimRole>{SimRole::kCable});

    // Factory reset: one report, and mouse and profile agree on the defaults.
    mouse.ClearLog();
    Current().Setting(kProfileName) = u"Mine";
    const FactoryResetResult reset = core.FactoryReset();
    EXPECT_TRUE(reset.Sent);
    ASSERT_EQ(SetRoles(), std::vector<SimRole>{SimRole::kCable});
    EXPECT_EQ(FormatSeamLogLine(mouse.Log()[0]),
              "SET cable 0C010F000601"
              "01FF" +
                  std::string(25 * 2, '0'));
    EXPECT_EQ(Current().Setting(kProfileName), u"Mine");
    EXPECT_TRUE(HoldsProfile(mouse.Settings(), Current(), core.State().Sensor));

    // Both roles gone: the program is to end.
    ASSERT_TRUE(mouse.Unplug(SimRole::kCable));
    core.DrainPostedEvents();
    EXPECT_FALSE(core.EndRequested());
    ASSERT_TRUE(mouse.Unplug(SimRole::kReceiver));
    core.DrainPostedEvents();
    EXPECT_TRUE(core.EndRequested());
    EXPECT_EQ(ui.Count("device-gone"), 1);

    ExpectNoViolations();
    core.Shutdown();
    EXPECT_FALSE(core.Link().ReaderBusy(DeviceRole::Cable));
    EXPECT_FALSE(core.Link().ReaderBusy(DeviceRole::Receiver));
}

TEST_P(AppCoreOnVirtualMouseTest, AnotherSensorReportedByTheMouseResetsTheDpiSteps) {
    AppCoreOptions options;
    options.DataFolder = u"/data/";
    options.Locale = "en_US.UTF-8";
    core.Initialize(options);
    Advance(kApplyDelayMs);

    SimStatus status = mouse.Status();
    status.sensor_code = 0x95;
    mouse.SetStatus(status);
    mouse.AnswerEmpty(1);  // the first answer is not ready yet
    EXPECT_EQ(core.QueryStatus(), StatusQueryOutcome::Parsed);
    EXPECT_EQ(core.State().Sensor.SensorId, 0x3395);
    EXPECT_EQ(core.State().Settings.Value(kPreST), u"0xCC6A");
    EXPECT_EQ(Current().XYSettingValue, *DefaultStepIndexes(0x3395));
    EXPECT_EQ(ui.Count("sensor extended"), 1);

    // The next apply sends the new DPI codes, and the mouse takes them.
    core.Writer().MarkChanged(kGroupMain);
    Advance(kApplyDelayMs);
    EXPECT_TRUE(HoldsProfile(mouse.Settings(), Current(), core.State().Sensor));
    ExpectNoViolations();
}

INSTANTIATE_TEST_SUITE_P(NodePaths, AppCoreOnVirtualMouseTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "SharedNodes" : "OwnPaths";
                         });

}  // namespace
}  // namespace velmaro
