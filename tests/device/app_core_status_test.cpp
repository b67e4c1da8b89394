#include "app_core_fixture.h"

#include <gtest/gtest.h>

namespace velmaro {
namespace {

using namespace app_core_test;
using testing::FakeHidBackend;
using testing::MemoryFileSystem;
using testing::MouseChangeReport;
using testing::MouseRole;
using testing::OtherInterface;
using testing::StatusAnswer;

// ---- Status ----------------------------------------------------------------------

FeatureReport WithByte(FeatureReport r, size_t at, uint8_t value) {
    r.Bytes[at] = value;
    return r;
}

TEST_F(AppCoreTest, StatusAnswersSetBatteryAndCharging) {
    Start();
    struct Case {
        const char* name;
        FeatureReport answer;
        StatusQueryOutcome outcome;
        uint8_t level;
        int charge;
        std::u16string percent;
        bool shown;
    };
    const Case cases[] = {
        {"full", StatusAnswer(0x25, 57, 2), StatusQueryOutcome::Parsed, 100, 2, u"100%", true},
        {"charging", StatusAnswer(0x25, 40, 1), StatusQueryOutcome::Parsed, 40, 1, u"40%", false},
        {"on battery", StatusAnswer(0x25, 33, 7), StatusQueryOutcome::Parsed, 33, 0, u"33%", true},
        {"over 100", StatusAnswer(0x25, 150, 0), StatusQueryOutcome::Parsed, 0, 0, u"0%", true},
        {"wrong echo", WithByte(StatusAnswer(0x25, 5, 1), 2, 0x21), StatusQueryOutcome::Rejected, 0,
         0, u"0%", true},
        {"bad status", WithByte(StatusAnswer(0x25, 5, 1), 3, 0x01), StatusQueryOutcome::Rejected, 0,
         0, u"0%", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(core.ParseStatus(c.answer), c.outcome);
        ui.Clear();
        core.OnStatusTimer();
        ASSERT_EQ(ui.batteries.size(), 1u);
        EXPECT_EQ(ui.batteries[0].Level, c.level);
        EXPECT_EQ(ui.batteries[0].ChargeState, c.charge);
        EXPECT_EQ(ui.batteries[0].Percent, c.percent);
        EXPECT_EQ(ui.batteries[0].PercentShown, c.shown);
    }
}

TEST_F(AppCoreTest, TheGaugeAnimatesInStepsOfTwentyFive) {
    Start();
    core.ParseStatus(StatusAnswer(0x25, 40, 1));
    for (int i = 0; i < 6; ++i)
        core.OnStatusTimer();
    std::vector<int> steps;
    for (const BatteryDisplay& b : ui.batteries)
        steps.push_back(b.AnimationStep);
    EXPECT_EQ(steps, (std::vector<int>{25, 50, 75, 100, 25, 50}));
}

TEST_F(AppCoreTest, ASensorChangeResetsTheDpiOfEveryProfileAndRewritesTheFiles) {
    Start();
    core.State().Profiles[3].XYSettingValue[0] = 30;
    ui.Clear();
    fs.log = &log;

    EXPECT_EQ(core.ParseStatus(StatusAnswer(0x27, 50, 0)), StatusQueryOutcome::Parsed);
    const ProgramState& state = core.State();
    EXPECT_EQ(state.Sensor.SensorId, 0x3327);
    EXPECT_EQ(state.Settings.Value(kSensor), u"0x3327");
    EXPECT_EQ(state.Settings.Value(kPreST), u"0xCCD8");
    EXPECT_EQ(state.Sensor.StepCount, 74u);
    for (const ProfileRecord& record : state.Profiles)
        EXPECT_EQ(record.XYSettingValue, *DefaultStepIndexes(0x3327));
    // Each profile file is kept before the reset the user did not make.
    EXPECT_EQ(Changes(log),
              (std::vector<std::string>{
                  "create default0.psf.bad", "create default1.psf.bad", "create default2.psf.bad",
                  "create default3.psf.bad", "create default4.psf.bad", "write config.ini",
                  "write default0.psf", "write default1.psf", "write default2.psf",
                  "write default3.psf", "write default4.psf"}));
    EXPECT_EQ(core.LastSensorChangeReport().KeptFiles.size(), 5u);
    EXPECT_NE(fs.Text("/data/config/config.ini").find(u"PreST=0xCCD8"), std::u16string::npos);
    EXPECT_EQ(ui.log, std::vector<std::string>{"sensor plain"});
    EXPECT_TRUE(core.LastSensorChangeReport().AllWritten());

    // The same sensor again, or a code outside the table: nothing happens.
    log.clear();
    core.ParseStatus(StatusAnswer(0x27, 50, 0));
    core.ParseStatus(StatusAnswer(0x50, 50, 0));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(core.State().Sensor.SensorId, 0x3327);
}

TEST_F(AppCoreTest, TheStatusQueryTriesTwiceAndStopsAtAFailure) {
    backend.Add(cable);
    StartSettled();
    FeatureReport empty = StatusAnswer(0x25, 50, 0);
    empty.Bytes[6] = 0;

    backend.QueueAnswer(empty);
    backend.QueueAnswer(empty);
    const uint8_t first = core.Requests().NextSequence();
    EXPECT_EQ(core.QueryStatus(), StatusQueryOutcome::NoAnswer);
    ASSERT_EQ(StatusQueries(), 2);
    EXPECT_EQ(backend.Sets()[0].report.Sequence(), first);
    EXPECT_EQ(backend.Sets()[1].report.Sequence(), static_cast<uint8_t>(first + 1));
    EXPECT_EQ(pacer.pauses, (std::vector<int>{10, 10}));
    EXPECT_EQ(core.Device().BatteryLevel, 80) << "unchanged since start-up";

    ClearLogs();
    backend.QueueAnswer(empty);
    backend.QueueAnswer(StatusAnswer(0x25, 44, 0));
    EXPECT_EQ(core.QueryStatus(), StatusQueryOutcome::Parsed);
    EXPECT_EQ(StatusQueries(), 2);
    EXPECT_EQ(core.Device().BatteryLevel, 44);

    ClearLogs();
    const int gets = backend.Gets();
    backend.FailSetFeature(true);
    EXPECT_EQ(core.QueryStatus(), StatusQueryOutcome::SendFailed);
    EXPECT_EQ(backend.Gets(), gets);
    EXPECT_TRUE(pacer.pauses.empty());
}

TEST_F(AppCoreTest, TheStatusIsQueriedEveryTwentyOneTicksAndTwoTicksAfterARescan) {
    backend.Add(cable);
    StartSettled();
    ASSERT_TRUE(backend.WaitForReader(cable[1]));

    Advance(20 * kStatusPeriodMs);
    EXPECT_EQ(StatusQueries(), 0);
    Advance(kStatusPeriodMs);
    EXPECT_EQ(StatusQueries(), 1);
    Advance(20 * kStatusPeriodMs);
    EXPECT_EQ(StatusQueries(), 1);
    Advance(kStatusPeriodMs);
    EXPECT_EQ(StatusQueries(), 2);

    // The reader lost its interface unnoticed; it is back by the next query.
    backend.RemoveQuietly({cable[1]});
    const auto deadline = std::chrono::steady_clock::now() + kWait;
    while (core.Link().ReaderBusy(DeviceRole::Cable) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_FALSE(core.Link().ReaderBusy(DeviceRole::Cable));
    backend.Add({cable[1]});
    const int enumerations = backend.Enumerations();

    Advance(21 * kStatusPeriodMs);
    EXPECT_EQ(StatusQueries(), 3);
    EXPECT_EQ(backend.Enumerations(), enumerations + 1);
    EXPECT_TRUE(core.Link().ReaderBusy(DeviceRole::Cable));
    Advance(kStatusPeriodMs);
    EXPECT_EQ(StatusQueries(), 3);
    Advance(kStatusPeriodMs);
    EXPECT_EQ(StatusQueries(), 4);
    EXPECT_EQ(backend.Enumerations(), enumerations + 1);
}

// ---- Factory reset -----------------------------------------------------------------

TEST_F(AppCoreTest, FactoryResetSendsOneReportOnTheCableAndResetsTheProfile) {
    backend.Add(cable);
    backend.Add(receiver);
    StartSettled();
    Current().Setting(kProfileName) = u"Mine";
    ASSERT_TRUE(EditDebounce(Current(), 20).Accepted());
    ASSERT_TRUE(EditReportRate(Current(), 125).Accepted());
    core.Device().StatusPollCounter = 7;

    const FactoryResetResult result = core.FactoryReset();
    EXPECT_TRUE(result.Sent);
    const auto sets = backend.Sets();
    ASSERT_EQ(sets.size(), 1u);
    const auto& sent = sets[0];
    EXPECT_EQ(sent.interface_id, cable[0].InterfaceId());
    EXPECT_EQ(sent.report.Command(), CMD_FACTORY_RESET);
    EXPECT_EQ(sent.report.Header(), kWriteFlag);
    EXPECT_EQ(sent.report.PayloadLength(), 1);
    EXPECT_EQ(sent.report.Bytes[7], 0xFF);
    EXPECT_TRUE(pacer.pauses.empty());

    ProfileRecord expected;
    ResetProfileDefaults(expected, 0, core.State().Language, kDefaultSensorId);
    expected.Setting(kProfileName) = u"Mine";
    EXPECT_EQ(Current(), expected);
    EXPECT_TRUE(result.ProfileWritten);
    ProgramState reread = core.State();
    reread.Profiles[0] = ProfileRecord{};
    ASSERT_TRUE(ReadProfileFile(reread, 0, u"/data/config/default0.psf", fs).Ok);
    EXPECT_EQ(reread.Profiles[0], expected);

    EXPECT_EQ(core.Device().StatusPollCounter, 0);
    EXPECT_EQ(ui.log, (std::vector<std::string>{"refresh",
                                                "progress " + ToUtf8(Text(kTextProgressWriting))}));

    // The writer takes the mouse to hold the defaults now.
    backend.ClearSets();
    core.Writer().MarkChanged(kGroupButtons | kGroupMain | kGroupPower | kGroupWakeup);
    Advance(kApplyDelayMs);
    EXPECT_TRUE(backend.Sets().empty());
}

TEST_F(AppCoreTest, FactoryResetWithoutAMouseStillResetsTheProfile) {
    StartSettled();
    Current().Setting(kProfileName) = u"Mine";
    ASSERT_TRUE(EditDebounce(Current(), 20).Accepted());
    const FactoryResetResult result = core.FactoryReset();
    EXPECT_FALSE(result.HadInterface);
    EXPECT_FALSE(result.Sent);
    EXPECT_TRUE(result.ProfileWritten);
    ProfileRecord expected;
    ResetProfileDefaults(expected, 0, core.State().Language, kDefaultSensorId);
    expected.Setting(kProfileName) = u"Mine";
    EXPECT_EQ(Current(), expected);
    EXPECT_TRUE(backend.Sets().empty());
}

// ---- Profile switch, exit --------------------------------------------------------------

TEST_F(AppCoreTest, SwitchingProfilesSendsWhatDiffersIncludingPowerSettings) {
    backend.Add(cable);
    StartSettled();
    ASSERT_TRUE(EditSleepTime(core.State().Profiles[2], 9).Accepted());

    EXPECT_TRUE(core.SwitchProfile(2));
    EXPECT_EQ(core.State().Settings.CurrentProfile(), 2);
    EXPECT_EQ(core.State().CurrentProfileTab, 2);
    EXPECT_EQ(ui.log, std::vector<std::string>{"refresh"});
    Advance(kApplyDelayMs);
    EXPECT_EQ(AllCommands(), std::vector<uint8_t>{CMD_SET_POWER_SAVING});

    EXPECT_FALSE(core.SwitchProfile(5));
    EXPECT_FALSE(core.SwitchProfile(-1));
    EXPECT_EQ(core.State().Settings.CurrentProfile(), 2);
}

TEST_F(AppCoreTest, ExitSavesAPendingSaveAndTheChangedLibraryAndStopsTheReaders) {
    backend.Add(cable);
    StartSettled();
    Change(EditDebounce(Current(), 14));
    ASSERT_TRUE(core.Writer().SaveScheduled());
    ASSERT_EQ(core.Library().AddMacro(u"Macro 1"), AddResult::Added);
    core.MarkMacrosChanged();
    fs.log = &log;

    const ShutdownReport report = core.Shutdown();
    EXPECT_TRUE(report.Saved);
    EXPECT_TRUE(report.Save.AllWritten());
    EXPECT_TRUE(report.LibrarySaveTried);
    EXPECT_TRUE(report.LibrarySaved);
    // Only the files whose bytes change are written.
    EXPECT_EQ(Changes(log),
              (std::vector<std::string>{"write default0.psf", "write MacroLibraryFile.mlf"}));
    EXPECT_NE(fs.Text("/data/config/default0.psf").find(u"=14"), std::u16string::npos);
    EXPECT_FALSE(core.Link().ReaderBusy(DeviceRole::Cable));
    EXPECT_EQ(backend.OpenHandles(cable[0]), 0);
    EXPECT_EQ(backend.OpenHandles(cable[1]), 0);

    log.clear();
    EXPECT_FALSE(core.Shutdown().Saved);
    EXPECT_TRUE(log.empty());
}

TEST_F(AppCoreTest, ExitRightAfterAChangeSendsAndSavesIt) {
    backend.Add(cable);
    StartSettled();
    Advance(kSaveDelayMs);
    backend.ClearSets();
    ASSERT_TRUE(EditDebounce(Current(), 16).Accepted());
    core.Writer().MarkChanged(kGroupMain);  // the program ends before the 20 ms are up

    const ShutdownReport report = core.Shutdown();
    EXPECT_EQ(AllCommands(), std::vector<uint8_t>{CMD_SET_DEBOUNCE});
    EXPECT_TRUE(report.Saved);
    EXPECT_NE(fs.Text("/data/config/default0.psf").find(u"KeyDebounce=16"), std::u16string::npos);
}

TEST_F(AppCoreTest, ExitWithoutAPendingSaveWritesNothing) {
    StartSettled();
    Advance(kSaveDelayMs);  // the save the scan's apply scheduled
    ASSERT_FALSE(core.Writer().SaveScheduled());
    fs.log = &log;
    const ShutdownReport report = core.Shutdown();
    EXPECT_FALSE(report.Saved);
    EXPECT_FALSE(report.LibrarySaveTried);
    EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace velmaro
