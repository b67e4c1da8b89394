// The core against a mouse that misbehaves: pulled out in the middle of an
// apply or a macro upload and put back, status answers that are empty,
// refused, of another report or garbage, an input reader that fails again and
// again, and hundreds of unrelated HID interfaces coming and going. Nothing
// may crash or hang, the mouse must end up holding the profile, and every
// report must keep the mouse's frame rules.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "device/app_core.h"
#include "device/command_payloads.h"
#include "device/fake_hid_backend.h"
#include "device/hid/sim/virtual_mouse.h"
#include "macro/memory_file_system.h"
#include "model/profile_edits.h"

namespace velmaro {
namespace {

constexpr auto kWait = std::chrono::seconds(5);

// The writer's pauses, one of which may pull the cable.
class FaultPacer : public Pacer {
  public:
    void Pause(int) override {
        if (++pauses_ == fire_at && action)
            action();
    }
    void Arm(int after_pauses, std::function<void()> what) {
        pauses_ = 0;
        fire_at = after_pauses;
        action = std::move(what);
    }
    void Disarm() { action = nullptr; }
    int Pauses() const { return pauses_; }

  private:
    int pauses_ = 0;
    int fire_at = 0;
    std::function<void()> action;
};

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

class DeviceFaultSimTest : public ::testing::Test {
  protected:
    DeviceFaultSimTest() : mouse(Config()) {}

    static VirtualMouseConfig Config() {
        VirtualMouseConfig config;
        config.cable = true;
        config.receiver = true;
        return config;
    }
    void Start() {
        AppCoreOptions options;
        options.DataFolder = u"/data/";
        options.Locale = "en_US.UTF-8";
        ASSERT_TRUE(core.Initialize(options).DevicePresent());
        Advance(kApplyDelayMs);
    }
    void Advance(long long ms) {
        timers.Advance(ms, [this](int id) { EXPECT_TRUE(core.OnTimer(id)); });
    }
    ProfileRecord& Current() { return core.State().CurrentRecord(); }
    void ExpectHeldAndClean() {
        EXPECT_TRUE(HoldsProfile(mouse.Settings(), Current(), core.State().Sensor));
        for (const SimViolation& v : mouse.Violations())
            ADD_FAILURE() << FormatViolation(v);
    }
    // Every group changed, so the apply sends a report per setting.
    void ChangeEverything(int round) {
        ASSERT_TRUE(EditDebounce(Current(), 2 + 2 * (round % 3)).Accepted());
        ASSERT_TRUE(EditDpiLevelStep(Current(), core.State().Sensor, 1, 10 + round).Accepted());
        core.Writer().MarkChanged(~0u);
    }

    VirtualMouse mouse;
    testing::MemoryFileSystem fs;
    ManualTimerHost timers;
    FaultPacer pacer;
    RecordingCoreUi ui;
    AppCore core{mouse, fs, timers, pacer, ui};
};

// The cable goes at every point of an apply; the program goes on with the
// receiver, and when the cable is back everything reaches it again.
TEST_F(DeviceFaultSimTest, CablePulledDuringAnApplyAndPutBack) {
    Start();
    ChangeEverything(0);
    pacer.Arm(1000, nullptr);
    Advance(kApplyDelayMs);
    const int pauses = pacer.Pauses();
    ASSERT_GT(pauses, 2);

    for (int at = 1; at <= pauses; ++at) {
        SCOPED_TRACE("cable pulled at pause " + std::to_string(at));
        ChangeEverything(at);
        pacer.Arm(at, [this] { mouse.Unplug(SimRole::kCable); });
        Advance(kApplyDelayMs);
        pacer.Disarm();
        core.DrainPostedEvents();
        EXPECT_FALSE(core.EndRequested());
        EXPECT_FALSE(core.Link().CableFound());
        Advance(kApplyDelayMs);
        ExpectHeldAndClean();

        ASSERT_TRUE(mouse.Plug(SimRole::kCable));
        core.DrainPostedEvents();
        Advance(kApplyDelayMs);
        EXPECT_TRUE(core.Link().CableFound());
        ExpectHeldAndClean();
    }
}

// A macro upload cut off by the cable: after the replug the mouse holds the
// macro button and the frames stayed well-formed.
TEST_F(DeviceFaultSimTest, CablePulledDuringAMacroUploadAndPutBack) {
    Start();
    MacroLibrary& library = core.Library();
    library.AddMacro(u"Long");
    MacroRecord& macro = *library.MutableItemAt(library.SelectedLocation)->Macro;
    for (uint32_t a = 0; a < 120; a += 2) {
        macro.InsertAction(a, MacroAction::Make(0x81, static_cast<uint8_t>(4 + a % 20), 0, 0));
        macro.InsertAction(a + 1, MacroAction::Delay(20));
    }
    for (const int at : {1, 3, 6}) {
        SCOPED_TRACE("cable pulled at pause " + std::to_string(at));
        ASSERT_TRUE(AssignButton(Current(), kFirstButtonControl + 3, u"Long",
                                 {kCategoryMacro, 0, 0}, &macro));
        macro.InsertAction(0, MacroAction::Delay(5 + at));  // new bytes each round
        core.Writer().RequestMacroRefresh();
        core.Writer().MarkChanged(~0u);
        pacer.Arm(at, [this] { mouse.Unplug(SimRole::kCable); });
        Advance(kApplyDelayMs);
        pacer.Disarm();
        core.DrainPostedEvents();
        Advance(kApplyDelayMs);
        EXPECT_GE(pacer.Pauses(), at);
        mouse.Plug(SimRole::kCable);
        core.DrainPostedEvents();
        Advance(kApplyDelayMs);
        ExpectHeldAndClean();
    }
}

// Status answers the program must not take: nothing changes, nothing breaks,
// and the next good answer is taken.
TEST_F(DeviceFaultSimTest, StatusAnswersEmptyOrRefused) {
    Start();
    const uint8_t level = core.Device().BatteryLevel;
    mouse.AnswerEmpty(2);
    EXPECT_EQ(core.QueryStatus(), StatusQueryOutcome::NoAnswer);
    SimStatus status = mouse.Status();
    status.echo_command = 0x21;
    status.battery = 3;
    mouse.SetStatus(status);
    EXPECT_EQ(core.QueryStatus(), StatusQueryOutcome::Rejected);
    status.echo_command = 0x20;
    status.status_byte = 0x01;
    mouse.SetStatus(status);
    EXPECT_EQ(core.QueryStatus(), StatusQueryOutcome::Rejected);
    EXPECT_EQ(core.Device().BatteryLevel, level);
    status.status_byte = 0;
    mouse.SetStatus(status);
    EXPECT_EQ(core.QueryStatus(), StatusQueryOutcome::Parsed);
    EXPECT_EQ(core.Device().BatteryLevel, 3);
    ExpectHeldAndClean();
}

// The same against the small backend, which hands back any bytes: another
// report's id, and random garbage.
TEST(DeviceFaultFakeTest, StatusAnswersOfAnotherReportOrGarbage) {
    testing::FakeHidBackend backend;
    backend.Add(testing::MouseRole(DeviceRole::Cable, "c"));
    testing::MemoryFileSystem fs;
    ManualTimerHost timers;
    RecordingPacer pacer;
    RecordingCoreUi ui;
    AppCore core(backend, fs, timers, pacer, ui);
    AppCoreOptions options;
    options.DataFolder = u"/data/";
    options.Locale = "en_US.UTF-8";
    backend.SetDefaultAnswer(testing::StatusAnswer(0x25, 40, 0));
    ASSERT_TRUE(core.Initialize(options).DevicePresent());
    ASSERT_EQ(core.Device().BatteryLevel, 40);

    FeatureReport other = testing::StatusAnswer(0x25, 7, 0);
    other.Bytes[0] = 0x05;
    backend.QueueAnswer(other);
    EXPECT_EQ(core.QueryStatus(), StatusQueryOutcome::Rejected);
    std::mt19937 random(15);
    for (int i = 0; i < 200; ++i) {
        FeatureReport garbage;
        for (uint8_t& b : garbage.Bytes)
            b = static_cast<uint8_t>(random());
        backend.QueueAnswer(garbage);
        backend.QueueAnswer(garbage);
        const StatusQueryOutcome outcome = core.QueryStatus();
        EXPECT_NE(outcome, StatusQueryOutcome::Parsed) << i;
    }
    EXPECT_EQ(core.Device().BatteryLevel, 40);
    core.Shutdown();
}

// A reader whose reads fail at once: the status timer's watchdog starts a new
// one at a query; the rescan brings the next query two ticks later, so there
// is at most one new reader every two seconds, never a loop.
TEST(DeviceFaultFakeTest, FailingReaderIsRestartedOncePerStatusPeriod) {
    testing::FakeHidBackend backend;
    const auto cable = testing::MouseRole(DeviceRole::Cable, "c");
    backend.Add(cable);
    testing::MemoryFileSystem fs;
    ManualTimerHost timers;
    RecordingPacer pacer;
    RecordingCoreUi ui;
    AppCore core(backend, fs, timers, pacer, ui);
    AppCoreOptions options;
    options.DataFolder = u"/data/";
    options.Locale = "en_US.UTF-8";
    backend.SetDefaultAnswer(testing::StatusAnswer(0x25, 40, 0));
    backend.FailInputReads(true);
    ASSERT_TRUE(core.Initialize(options).DevicePresent());

    const int periods = 5;
    for (int s = 0; s < periods * (kStatusQueryDue + 1); ++s) {
        // Each reader ends by itself before the next tick.
        for (int i = 0; i < 500 && core.Link().ReaderBusy(DeviceRole::Cable); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        timers.Advance(kStatusPeriodMs, [&](int id) { core.OnTimer(id); });
    }
    const int ticks = periods * (kStatusQueryDue + 1);
    const int opens = backend.Opens(cable[1]);
    EXPECT_GE(opens, periods);
    EXPECT_LE(opens, ticks / 2 + 2);
    EXPECT_FALSE(core.EndRequested());

    // Reads work again: the next watchdog round gives a reader that stays.
    backend.FailInputReads(false);
    timers.Advance((kStatusQueryDue + 1) * kStatusPeriodMs, [&](int id) { core.OnTimer(id); });
    EXPECT_TRUE(backend.WaitForReader(cable[1], kWait));
    core.Shutdown();
}

// Hundreds of other devices' interfaces come and go around the mouse.
TEST(DeviceFaultFakeTest, HundredsOfUnrelatedInterfacesComeAndGo) {
    testing::FakeHidBackend backend;
    const auto cable = testing::MouseRole(DeviceRole::Cable, "c");
    backend.Add(cable);
    testing::MemoryFileSystem fs;
    ManualTimerHost timers;
    RecordingPacer pacer;
    RecordingCoreUi ui;
    AppCore core(backend, fs, timers, pacer, ui);
    AppCoreOptions options;
    options.DataFolder = u"/data/";
    options.Locale = "en_US.UTF-8";
    backend.SetDefaultAnswer(testing::StatusAnswer(0x25, 40, 0));
    ASSERT_TRUE(core.Initialize(options).DevicePresent());

    std::vector<HidInterfaceInfo> others;
    for (int i = 0; i < 300; ++i)
        others.push_back(testing::OtherInterface("other" + std::to_string(i)));
    for (int round = 0; round < 3; ++round) {
        backend.Plug(others);
        core.DrainPostedEvents();
        EXPECT_TRUE(core.Link().CableFound());
        backend.Unplug(others);
        core.DrainPostedEvents();
        EXPECT_TRUE(core.Link().CableFound());
        EXPECT_FALSE(core.EndRequested());
    }
    // The mouse was never opened twice: its handles stayed.
    EXPECT_EQ(backend.Opens(cable[0]), 1);
    core.Shutdown();
}

}  // namespace
}  // namespace velmaro
