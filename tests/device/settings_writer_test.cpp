#include "device/settings_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <list>
#include <string>
#include <vector>

#include "model/button_functions.h"

namespace velmaro {
namespace {

// The whole 33-byte report: the given leading bytes, zeros after them.
FeatureReport Report(std::initializer_list<uint8_t> head) {
    FeatureReport r;
    EXPECT_LE(head.size(), r.Bytes.size());
    if (head.size() > r.Bytes.size())
        return r;
    std::copy(head.begin(), head.end(), r.Bytes.begin());
    return r;
}

class TableMacros : public MacroLookup {
  public:
    std::optional<FoundMacro> FindByKeyIndex(uint32_t key) const override {
        for (const Entry& e : entries) {
            if (e.macro.MacroKeyIndex == key)
                return FoundMacro{&e.macro, e.location};
        }
        return std::nullopt;
    }
    MacroRecord& Add(uint32_t location, uint32_t key, uint8_t loop_type, uint8_t loop_num) {
        Entry& e = entries.emplace_back();
        e.location = location;
        e.macro.MacroName = u"M" + std::u16string(1, static_cast<char16_t>(u'0' + key % 10));
        e.macro.MacroKeyIndex = key;
        e.macro.MacroKeyLoopType = loop_type;
        e.macro.MacroKeyLoopNum = loop_num;
        return e.macro;
    }
    void Remove(uint32_t key) {
        entries.remove_if([key](const Entry& e) { return e.macro.MacroKeyIndex == key; });
    }

  private:
    struct Entry {
        uint32_t location = 0;
        MacroRecord macro;
    };
    std::list<Entry> entries;  // stable addresses for the returned pointers
};

class RecordingUi : public WriterUi {
  public:
    void RefreshControls() override { ++refreshes; }
    void ShowProgress(const std::u16string& text) override {
        progress.push_back(text);
        if (during_progress)
            during_progress();
    }
    void MarkProfileChanged() override { ++profile_marks; }

    int refreshes = 0;
    int profile_marks = 0;
    std::vector<std::u16string> progress;
    std::function<void()> during_progress;
};

// Press A, 100 ms, release A, 30 ms: two entries.
MacroRecord& FillPressReleaseA(MacroRecord& m) {
    m.InsertAction(0, MacroAction::Make(0x41, 0x00, 0, 0));
    m.InsertAction(1, MacroAction::Delay(100));
    m.InsertAction(2, MacroAction::Make(0x41, 0x80, 0, 0));
    m.InsertAction(3, MacroAction::Delay(30));
    m.MacroCommandActionNum = 2;
    return m;
}

class SettingsWriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state.Settings.SetDefaultSettings(u"/data/");
        state.Language.Entries[kTextNoFunction] = u"Off";
        state.Language.Entries[kTextProgressWriting] = u"Writing";
        state.Sensor.SensorId = kDefaultSensorId;
        ASSERT_TRUE(state.Sensor.BuildDpiTables());
        for (int slot = 0; slot < kProfileSlots; ++slot)
            ResetProfileDefaults(state.Profiles[slot], slot, state.Language, kDefaultSensorId);
        writer.SetSaveHandler([this] { ++saves; });
        writer.SetStatusPollReset([this] { ++poll_resets; });
        writer.RebuildLastSent();
    }

    ProfileRecord& Profile() { return state.CurrentRecord(); }

    void Advance(long long ms) {
        timers.Advance(ms, [this](int id) { EXPECT_TRUE(writer.HandleTimer(id)); });
    }
    // A page change followed by the deferred apply.
    void Apply(unsigned groups) {
        writer.MarkChanged(groups);
        Advance(kApplyDelayMs);
    }
    void ClearLogs() {
        channel.sent.clear();
        pacer.pauses.clear();
        ui.progress.clear();
    }
    std::vector<uint8_t> Commands() const {
        std::vector<uint8_t> c;
        for (const FeatureReport& r : channel.sent)
            c.push_back(r.Command());
        return c;
    }
    // A button plays the macro with this key (as the selection dialog leaves it).
    void AssignMacro(int button, const MacroRecord& macro) {
        ASSERT_TRUE(AssignButton(Profile(), kFirstButtonControl + button, u"Macro",
                                 {kCategoryMacro, 0, 0}, &macro));
    }

    ProgramState state;
    RequestBuilder requests;
    RecordingCommandChannel channel;
    TableMacros macros;
    RecordingUi ui;
    ManualTimerHost timers;
    RecordingPacer pacer;
    SettingsWriter writer{state, requests, channel, macros, ui, timers, pacer};
    int saves = 0;
    int poll_resets = 0;
};

const std::vector<int> kOnePause{60};

TEST_F(SettingsWriterTest, ChangesWithin20msCollapseIntoOneApply) {
    Profile().Lighting1Speed[1] = 3;
    writer.MarkChanged(kGroupMain);
    Advance(15);
    SetPollingRate(Profile(), 3);
    writer.MarkChanged(kGroupMain);
    Advance(15);
    EXPECT_TRUE(channel.sent.empty());  // the second mark restarted the 20 ms
    Advance(5);

    EXPECT_EQ(Commands(), (std::vector<uint8_t>{CMD_SET_POLLING_RATE, CMD_SET_LIGHTING}));
    EXPECT_EQ(ui.refreshes, 1);
    EXPECT_EQ(ui.progress, std::vector<std::u16string>{u"Writing"});
    EXPECT_FALSE(timers.IsTimerRunning(kTimerApply));
    EXPECT_FALSE(writer.MainDirty());
}

TEST_F(SettingsWriterTest, LightingSpeedSentOnceAndAgainWhenChangedBack) {
    Profile().Lighting1Speed[1] = 3;  // mode 1, brightness 1: (2 << 4) | 4
    Apply(kGroupMain);
    EXPECT_EQ(channel.sent, std::vector<FeatureReport>{Report(
                                {0x0C, 0x01, 0x08, 0x00, 0x01, 0x01, 0x03, 0x01, 0x24, 0x01})});
    EXPECT_EQ(pacer.pauses, kOnePause);
    EXPECT_EQ(poll_resets, 1);

    ClearLogs();
    Profile().Lighting1Speed[1] = 1;
    Apply(kGroupMain);
    EXPECT_EQ(channel.sent, std::vector<FeatureReport>{Report(
                                {0x0C, 0x01, 0x08, 0x00, 0x02, 0x01, 0x03, 0x01, 0x22, 0x01})});
    EXPECT_EQ(ui.progress.size(), 1u);
}

struct SilentCase {
    std::string name;
    std::function<void(ProfileRecord&)> before;  // taken as held by the mouse
    std::function<void(ProfileRecord&)> change;
    unsigned groups;
};

void PrintTo(const SilentCase& c, std::ostream* os) {
    *os << c.name;
}

class SilentChangeTest : public SettingsWriterTest,
                         public ::testing::WithParamInterface<SilentCase> {};

// Changes the mouse cannot see: nothing is sent, no progress, but the save
// is still scheduled.
TEST_P(SilentChangeTest, SendsNothing) {
    const SilentCase& c = GetParam();
    c.before(Profile());
    writer.RebuildLastSent();
    c.change(Profile());
    Apply(c.groups);
    EXPECT_TRUE(channel.sent.empty());
    EXPECT_TRUE(ui.progress.empty());
    EXPECT_TRUE(writer.SaveScheduled());
    EXPECT_TRUE(timers.IsTimerRunning(kTimerSave));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SilentChangeTest,
    ::testing::Values(SilentCase{"UnselectedMode6Colour",
                                 [](ProfileRecord& p) {
                                     p.Lighting1ModeValue = {6, 0, 0};
                                     p.Lighting1ColorSelected[6][3] = 0;
                                 },
                                 [](ProfileRecord& p) { p.Lighting1FixedColor[6][3] = 0x123456; },
                                 kGroupMain},
                      SilentCase{"ModeTenToTwelve",
                                 [](ProfileRecord& p) {
                                     p.Lighting1ModeValue = {10, 0, 0};
                                 },
                                 [](ProfileRecord& p) {
                                     p.Lighting1ModeValue = {12, 0, 0};
                                 },
                                 kGroupMain},
                      SilentCase{"DpiLevel6Step", [](ProfileRecord&) {},
                                 [](ProfileRecord& p) { p.XYSettingValue[6] = 3; }, kGroupMain},
                      SilentCase{"UnmarkedGroup", [](ProfileRecord&) {},
                                 [](ProfileRecord& p) { SetPowerDownTime(p, 9); }, kGroupMain}),
    [](const auto& info) { return info.param.name; });

struct SingleCommandCase {
    std::string name;
    std::function<void(ProfileRecord&)> change;
    unsigned groups;
    FeatureReport expected;  // the first request after start
};

void PrintTo(const SingleCommandCase& c, std::ostream* os) {
    *os << c.name;
}

class SingleCommandTest : public SettingsWriterTest,
                          public ::testing::WithParamInterface<SingleCommandCase> {};

TEST_P(SingleCommandTest, SendsOnlyThatCommand) {
    const SingleCommandCase& c = GetParam();
    c.change(Profile());
    Apply(c.groups);
    ASSERT_EQ(channel.sent.size(), 1u);
    EXPECT_EQ(channel.sent[0].Bytes, c.expected.Bytes);
    EXPECT_EQ(pacer.pauses, kOnePause);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SingleCommandTest,
    ::testing::Values(
        // Level 6 has no DPI code, but its enable bit counts: 0x5F has 6 bits,
        // current level 1. Codes 7, 15, 31, 49, 59 of the default steps.
        SingleCommandCase{"DpiLevel6Enable", [](ProfileRecord& p) { p.DPIOffOnFlagValue = 0x5F; },
                          kGroupMain,
                          Report({0x0C, 0x01, 0x05, 0x00, 0x01, 0x01, 18, 0x26, 0x5F, 7, 0, 15, 0,
                                  31, 0, 49, 0, 59, 0})},
        SingleCommandCase{"LiftOff",
                          [](ProfileRecord& p) { p.Setting(kLiftDetectionHeight) = u"1"; },
                          kGroupMain, Report({0x0C, 0x01, 0x09, 0x00, 0x01, 0x01, 2, 1, 0})},
        SingleCommandCase{"Debounce", [](ProfileRecord& p) { p.Setting(kKeyDebounce) = u"4"; },
                          kGroupMain, Report({0x0C, 0x01, 0x0A, 0x00, 0x01, 0x01, 1, 4})},
        SingleCommandCase{"DpiColour", [](ProfileRecord& p) { p.DPILevelIndication[7] = 0x332211; },
                          kGroupMain, Report({0x0C, 0x01, 0x06, 0x00, 0x01, 0x01,
                                              24,   0xFF, 0x00, 0x00,  // levels 0..6 as before
                                              0x00, 0xFF, 0x00,        //
                                              0x00, 0x00, 0xFF,        //
                                              0xFF, 0xFF, 0x00,        //
                                              0xFF, 0x00, 0xFF,        //
                                              0xFF, 0x00, 0xFF,        //
                                              0xFF, 0xFF, 0xFF,        //
                                              0x11, 0x22, 0x33})},
        SingleCommandCase{"SleepTime", [](ProfileRecord& p) { SetPowerDownTime(p, 9); },
                          kGroupPower, Report({0x0C, 0x01, 0x0B, 0x00, 0x01, 0x01, 2, 9, 0})},
        SingleCommandCase{"MoveLighting", [](ProfileRecord& p) { SetMoveLightingOnOff(p, 1); },
                          kGroupPower, Report({0x0C, 0x01, 0x0B, 0x00, 0x01, 0x01, 2, 6, 1})},
        SingleCommandCase{"MotionWakeup", [](ProfileRecord& p) { SetMotionWakeup(p, 0); },
                          kGroupWakeup, Report({0x0C, 0x01, 0x0C, 0x00, 0x01, 0x01, 1, 0})}),
    [](const auto& info) { return info.param.name; });

TEST_F(SettingsWriterTest, MainSettingsGoOutInFixedOrder) {
    ProfileRecord& p = Profile();
    SetPollingRate(p, 0);
    p.Setting(kLiftDetectionHeight) = u"1";
    p.Setting(kKeyDebounce) = u"8";
    p.CurrentDPILevelValue = 0;
    p.DPILevelIndication[0] = 0;
    p.Lighting1ModeValue = {0, 0, 0};
    Apply(kGroupMain);
    EXPECT_EQ(Commands(),
              (std::vector<uint8_t>{CMD_SET_DPI_LEVELS, CMD_SET_DPI_COLORS, CMD_SET_POLLING_RATE,
                                    CMD_SET_LIFT_OFF, CMD_SET_DEBOUNCE, CMD_SET_LIGHTING}));
    for (size_t i = 0; i < channel.sent.size(); ++i)
        EXPECT_EQ(channel.sent[i].Sequence(), i + 1);
    EXPECT_EQ(pacer.pauses, std::vector<int>(6, 60));
}

TEST_F(SettingsWriterTest, ButtonsAlwaysTakeSixPausesAndSendOnlyChangedIndexes) {
    Apply(kGroupButtons);
    EXPECT_TRUE(channel.sent.empty());
    EXPECT_EQ(pacer.pauses, std::vector<int>(6, 60));
    EXPECT_TRUE(ui.progress.empty());

    ClearLogs();
    Profile().Keys[3].Value = {0x70, 0x01, 0x06};  // profile button 3 is device index 4
    Apply(kGroupButtons);
    EXPECT_EQ(channel.sent, std::vector<FeatureReport>{Report(
                                {0x0C, 0x01, 0x04, 0x00, 0x01, 0x01, 4, 4, 0x70, 0x01, 0x06})});
    EXPECT_EQ(pacer.pauses, std::vector<int>(6, 60));
}

TEST_F(SettingsWriterTest, DisconnectedApplySendsNothingButSchedulesSave) {
    channel.open = false;
    Profile().Lighting1Speed[1] = 5;
    SetPowerDownTime(Profile(), 3);
    Profile().Keys[1].Value = kNoFunction;
    Apply(kGroupButtons | kGroupMain | kGroupPower | kGroupWakeup);
    EXPECT_TRUE(channel.sent.empty());
    EXPECT_TRUE(pacer.pauses.empty());
    EXPECT_TRUE(ui.progress.empty());
    EXPECT_EQ(ui.refreshes, 1);
    EXPECT_TRUE(writer.SaveScheduled());
    EXPECT_FALSE(writer.ButtonsDirty() || writer.MainDirty() || writer.PowerDirty());

    // The scan that finds the mouse again sends what was held back, quietly.
    channel.open = true;
    writer.MarkAfterScan();
    Advance(kApplyDelayMs);
    EXPECT_EQ(Commands(),
              (std::vector<uint8_t>{CMD_SET_BUTTON, CMD_SET_LIGHTING, CMD_SET_POWER_SAVING}));
    EXPECT_TRUE(ui.progress.empty());
    EXPECT_FALSE(writer.SuppressProgressOnce());
}

TEST_F(SettingsWriterTest, OnlyTheFirstApplyAfterAScanIsQuiet) {
    Profile().Lighting1Speed[1] = 5;
    writer.MarkAfterScan();
    Advance(kApplyDelayMs);
    EXPECT_EQ(Commands(), std::vector<uint8_t>{CMD_SET_LIGHTING});
    EXPECT_TRUE(ui.progress.empty());
    EXPECT_EQ(poll_resets, 0);

    Profile().Lighting1Speed[1] = 6;
    Apply(kGroupMain);
    EXPECT_EQ(ui.progress.size(), 1u);
}

TEST_F(SettingsWriterTest, WakeupChangedWhileAwayWaitsForItsOwnMark) {
    channel.open = false;
    SetMotionWakeup(Profile(), 0);
    Apply(kGroupWakeup);
    channel.open = true;
    writer.MarkAfterScan();
    Advance(kApplyDelayMs);
    EXPECT_TRUE(channel.sent.empty());

    Apply(kGroupWakeup);
    EXPECT_EQ(Commands(), std::vector<uint8_t>{CMD_SET_MOTION_WAKEUP});
}

TEST_F(SettingsWriterTest, RebuildTakesEverythingAsHeld) {
    ProfileRecord& p = Profile();
    p.Keys[2].Value = {0x80, 0xE9, 0x00};
    p.DPIOffOnFlagValue = 0x07;
    p.Lighting1ModeValue = {2, 0, 0};
    SetPollingRate(p, 1);
    SetPowerDownTime(p, 2);
    SetMotionWakeup(p, 0);
    AssignMacro(4, FillPressReleaseA(macros.Add(5, 7, 2, 1)));
    writer.SyncMacroButtons(false);  // as a profile that was applied before holds it
    writer.RebuildLastSent();

    Apply(kGroupButtons | kGroupMain | kGroupPower | kGroupWakeup);
    EXPECT_TRUE(channel.sent.empty());
    EXPECT_TRUE(ui.progress.empty());
}

// The button block is taken before the macro buttons are synchronised, so a
// macro button the library no longer knows is corrected on the mouse.
TEST_F(SettingsWriterTest, RebuildLeavesAStaleMacroButtonToBeCorrected) {
    Profile().Keys[1].Value = {0x90, 0x21, 0x01};
    Profile().Keys[1].MacroKeyIndex = 7;  // not in the library
    writer.RebuildLastSent();
    EXPECT_EQ(Profile().Keys[1].Value, kNoFunction);
    Apply(kGroupButtons);
    EXPECT_EQ(channel.sent, std::vector<FeatureReport>{Report(
                                {0x0C, 0x01, 0x04, 0x00, 0x01, 0x01, 4, 1, 0x00, 0x00, 0x00})});
}

TEST_F(SettingsWriterTest, ProfileSwitchSendsOnlyWhatDiffers) {
    state.Profiles[1].Lighting1Brightness[1] = 2;
    state.Profiles[1].Keys[5].Value = {0x10, 0x04, 0x00};
    state.Settings.SetCurrentProfile(1);
    Apply(kGroupButtons | kGroupMain);
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{CMD_SET_BUTTON, CMD_SET_LIGHTING}));
    EXPECT_EQ(channel.sent[0].Payload()[0], 5);
}

TEST_F(SettingsWriterTest, SaveFollowsTenSecondsAfterTheLastApply) {
    Apply(kGroupMain);
    Advance(5000);
    Apply(kGroupMain);
    Advance(9999);
    EXPECT_EQ(saves, 0);
    Advance(1);
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(writer.SaveScheduled());
    EXPECT_FALSE(timers.IsTimerRunning(kTimerSave));
    Advance(20000);
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(writer.FlushOnExit());
}

TEST_F(SettingsWriterTest, ExitSavesAtOnceWhenASaveIsPending) {
    Apply(kGroupMain);
    EXPECT_TRUE(writer.FlushOnExit());
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(timers.IsTimerRunning(kTimerSave));
    EXPECT_FALSE(writer.FlushOnExit());
    EXPECT_EQ(saves, 1);
}

// The progress dialog runs an event loop: a scan and the apply timer can come
// in while it shows. The nested apply waits, and the scan's apply stays quiet.
TEST_F(SettingsWriterTest, ApplyDuringProgressDialogWaitsForTheOuterOne) {
    ui.during_progress = [this] {
        ui.during_progress = nullptr;
        Profile().Lighting1Speed[1] = 7;
        writer.MarkAfterScan();
        EXPECT_TRUE(writer.HandleTimer(kTimerApply));
        EXPECT_EQ(channel.sent.size(), 1u);  // nothing new yet
    };
    Profile().Lighting1Speed[1] = 5;
    Apply(kGroupMain);
    EXPECT_EQ(ui.progress.size(), 1u);
    EXPECT_TRUE(timers.IsTimerRunning(kTimerApply));

    Advance(kApplyDelayMs);
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{CMD_SET_LIGHTING, CMD_SET_LIGHTING}));
    EXPECT_EQ(ui.progress.size(), 1u);
}

// --- Macro buttons ---

TEST_F(SettingsWriterTest, MacrosShareSlotsByLibraryLocation) {
    const MacroRecord& x = macros.Add(100, 7, 2, 1);
    const MacroRecord& y = macros.Add(200, 9, 2, 3);
    AssignMacro(0, x);
    AssignMacro(2, x);
    AssignMacro(4, y);
    Apply(kGroupButtons);
    EXPECT_EQ(Profile().Keys[0].Value, (KeyValue{0x90, 0x21, 0x01}));
    EXPECT_EQ(Profile().Keys[2].Value, (KeyValue{0x90, 0x21, 0x01}));
    EXPECT_EQ(Profile().Keys[4].Value, (KeyValue{0x90, 0x22, 0x03}));
    // One image per slot: button 2 finds slot 1 already up to date.
    std::vector<uint8_t> slots;
    for (const FeatureReport& r : channel.sent) {
        if (r.Command() == CMD_SET_MACRO_DATA)
            slots.push_back(r.Payload()[0]);
    }
    EXPECT_EQ(slots, (std::vector<uint8_t>{1, 2}));
}

TEST_F(SettingsWriterTest, MacroKeyValueCarriesPlayModeSlotAndCount) {
    AssignMacro(0, macros.Add(1, 11, 2, 5));
    AssignMacro(1, macros.Add(2, 12, 1, 7));  // the count belongs to mode 2 only
    AssignMacro(2, macros.Add(3, 13, 4, 9));
    writer.SyncMacroButtons(false);
    EXPECT_EQ(Profile().Keys[0].Value, (KeyValue{0x90, 0x21, 0x05}));
    EXPECT_EQ(Profile().Keys[1].Value, (KeyValue{0x90, 0x12, 0x00}));
    EXPECT_EQ(Profile().Keys[2].Value, (KeyValue{0x90, 0x43, 0x00}));
}

TEST_F(SettingsWriterTest, NewMacroGoesOutAfterItsButtonAndOnlyOnce) {
    AssignMacro(0, FillPressReleaseA(macros.Add(1, 7, 2, 1)));
    Apply(kGroupButtons);
    EXPECT_EQ(
        channel.sent,
        (std::vector<FeatureReport>{
            Report({0x0C, 0x01, 0x04, 0x00, 0x01, 0x01, 4, 0, 0x90, 0x21, 0x01}),
            Report({0x0C, 0x01, 0x0E, 0x00, 0x02, 0x01, 7, 1, 0x30, 0x64, 0x04, 0xB0, 0x1E, 0x04}),
        }));
    // Six button pauses, one after the chunk, one after the macro button.
    EXPECT_EQ(pacer.pauses, std::vector<int>(8, 60));
    EXPECT_EQ(writer.PreviousImage(1), BuildMacroImage(Profile().Keys[0].Macro, 1));

    ClearLogs();
    Apply(kGroupButtons);
    EXPECT_TRUE(channel.sent.empty());
    EXPECT_EQ(pacer.pauses, std::vector<int>(7, 60));  // the macro button still pauses
}

TEST_F(SettingsWriterTest, MacroImagesAreCheckedOnEveryApply) {
    MacroRecord& lib = macros.Add(1, 7, 2, 1);
    AssignMacro(3, FillPressReleaseA(lib));
    writer.RebuildLastSent();
    Profile().Keys[3].Macro.SetAction(1, MacroAction::Delay(200));
    Apply(kGroupPower);  // no button mark: the upload runs anyway
    ASSERT_EQ(Commands(), std::vector<uint8_t>{CMD_SET_MACRO_DATA});
    EXPECT_EQ(channel.sent[0].Payload()[2], 0xC8);
    EXPECT_EQ(ui.progress.size(), 1u);
}

struct UnassignCase {
    std::string name;
    uint32_t button_key;  // the button's MacroKeyIndex
};

void PrintTo(const UnassignCase& c, std::ostream* os) {
    *os << c.name;
}

class MacroUnassignTest : public SettingsWriterTest,
                          public ::testing::WithParamInterface<UnassignCase> {};

TEST_P(MacroUnassignTest, ButtonBecomesUnassigned) {
    AssignMacro(1, FillPressReleaseA(macros.Add(1, 7, 2, 1)));
    writer.RebuildLastSent();
    macros.Remove(7);
    Profile().Keys[1].MacroKeyIndex = GetParam().button_key;
    Apply(kGroupButtons);
    EXPECT_EQ(Profile().Keys[1].KeyName, u"Off");
    EXPECT_EQ(Profile().Keys[1].Value, kNoFunction);
    EXPECT_EQ(channel.sent, std::vector<FeatureReport>{Report(
                                {0x0C, 0x01, 0x04, 0x00, 0x01, 0x01, 4, 1, 0x00, 0x00, 0x00})});
    EXPECT_EQ(ui.profile_marks, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, MacroUnassignTest,
                         ::testing::Values(UnassignCase{"DeletedFromLibrary", 7},
                                           UnassignCase{"NoKeyIndex", 0}),
                         [](const auto& info) { return info.param.name; });

TEST_F(SettingsWriterTest, AnIncompleteLibraryLeavesButtonsItLacksAsTheyAre) {
    // Buttons 1 and 5 play macros the damaged library lost; button 3 one it has.
    AssignMacro(0, FillPressReleaseA(macros.Add(1, 7, 2, 4)));
    AssignMacro(2, macros.Add(2, 8, 1, 1));
    AssignMacro(4, FillPressReleaseA(macros.Add(3, 9, 4, 1)));
    writer.RebuildLastSent();
    macros.Remove(7);
    macros.Remove(9);
    writer.SetLibraryComplete(false);
    const ProfileRecord before = Profile();

    writer.RequestMacroRefresh();
    Apply(kGroupButtons);

    // Name, play mode, count and own copy stay; each gets a slot of its own.
    for (const int n : {0, 4}) {
        EXPECT_EQ(Profile().Keys[n].KeyName, before.Keys[n].KeyName) << n;
        EXPECT_EQ(Profile().Keys[n].Macro, before.Keys[n].Macro) << n;
    }
    EXPECT_EQ(Profile().Keys[0].Value, (KeyValue{0x90, 0x21, 0x04}));
    EXPECT_EQ(Profile().Keys[2].Value, (KeyValue{0x90, 0x12, 0x00}));
    EXPECT_EQ(Profile().Keys[4].Value, (KeyValue{0x90, 0x43, 0x00}));
    EXPECT_EQ(writer.UnfoundMacroButtons(), (std::vector<int>{0, 4}));
    EXPECT_EQ(writer.PreviousImage(3), BuildMacroImage(before.Keys[4].Macro, 3));

    // Loaded cleanly without them: the user deleted them.
    writer.SetLibraryComplete(true);
    Apply(kGroupButtons);
    EXPECT_EQ(Profile().Keys[0].Value, kNoFunction);
    EXPECT_EQ(Profile().Keys[4].Value, kNoFunction);
    EXPECT_TRUE(writer.UnfoundMacroButtons().empty());
}

TEST_F(SettingsWriterTest, RefreshCopiesLibraryMacrosOnce) {
    MacroRecord& lib = macros.Add(1, 7, 2, 1);
    AssignMacro(0, FillPressReleaseA(lib));
    writer.RebuildLastSent();
    lib.SetAction(1, MacroAction::Delay(50));
    lib.MacroKeyLoopType = 4;

    // Without a refresh the button keeps its copy; the play mode comes from
    // the library all the same.
    Apply(kGroupButtons);
    EXPECT_EQ(Commands(), std::vector<uint8_t>{CMD_SET_BUTTON});
    EXPECT_EQ(Profile().Keys[0].Value, (KeyValue{0x90, 0x41, 0x00}));

    ClearLogs();
    writer.RequestMacroRefresh();
    Apply(kGroupButtons);
    EXPECT_EQ(Commands(), std::vector<uint8_t>{CMD_SET_MACRO_DATA});
    EXPECT_EQ(Profile().Keys[0].Macro.AllAction[1], MacroAction::Delay(50));
    EXPECT_EQ(ui.profile_marks, 1);
    EXPECT_FALSE(writer.MacroRefreshRequested());
}

TEST_F(SettingsWriterTest, MacroChangedWhileAwayGoesOutWhenTheMouseIsBack) {
    channel.open = false;
    AssignMacro(2, FillPressReleaseA(macros.Add(1, 7, 2, 1)));
    Apply(kGroupButtons);
    EXPECT_TRUE(channel.sent.empty());
    EXPECT_TRUE(ui.progress.empty());

    channel.open = true;
    writer.MarkAfterScan();
    Advance(kApplyDelayMs);
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{CMD_SET_BUTTON, CMD_SET_MACRO_DATA}));
}

TEST_F(SettingsWriterTest, FailedSendCountsAsSent) {
    channel.send_result = false;
    AssignMacro(0, FillPressReleaseA(macros.Add(1, 7, 2, 1)));
    Apply(kGroupButtons);
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{CMD_SET_BUTTON, CMD_SET_MACRO_DATA}));
    EXPECT_EQ(ui.progress.size(), 1u);

    ClearLogs();
    channel.send_result = true;
    Apply(kGroupButtons);
    EXPECT_TRUE(channel.sent.empty());
}

MacroRecord& FillKeyActions(MacroRecord& macro, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i)
        macro.InsertAction(i, MacroAction::Make(0x41, i % 2 ? 0x80 : 0x00, 0, 0));
    macro.MacroCommandActionNum = uint8_t(count);
    return macro;
}

// 125 key actions are the most the mouse takes: exactly 15 chunks, the last
// one full.
TEST_F(SettingsWriterTest, MacroOf125KeyActionsGoesOutInFifteenChunks) {
    AssignMacro(0, FillKeyActions(macros.Add(1, 7, 2, 1), 125));
    Apply(kGroupButtons);
    ASSERT_EQ(Commands().size(), 1u + 15u);
    for (size_t c = 0; c < 15; ++c) {
        const FeatureReport& chunk = channel.sent[1 + c];
        EXPECT_EQ(chunk.Header(), uint8_t((c << 4) | 15));  // chunk index, chunk count
        EXPECT_EQ(chunk.PayloadLength(), 26);
    }
    EXPECT_TRUE(writer.UnsentMacroButtons().empty());
}

// 126 entries need 16 chunks: nothing can be framed. The mouse is not taken
// to hold it, the button is reported, and it is not sent as something else.
TEST_F(SettingsWriterTest, MacroTooLongToFrameIsNotSentNorTakenAsSent) {
    for (uint32_t count : {126u, 168u}) {
        SCOPED_TRACE(count);
        MacroRecord& lib = FillKeyActions(macros.Add(count, count, 2, 1), count);
        AssignMacro(2, lib);
        const MacroImage before = writer.PreviousImage(1);
        ClearLogs();
        Apply(kGroupButtons);
        const std::vector<uint8_t> sent = Commands();
        EXPECT_EQ(std::count(sent.begin(), sent.end(), CMD_SET_MACRO_DATA), 0);
        EXPECT_EQ(writer.PreviousImage(1), before);
        EXPECT_NE(writer.PreviousImage(1), BuildMacroImage(Profile().Keys[2].Macro, 1));
        EXPECT_EQ(writer.UnsentMacroButtons(), std::vector<int>{2});
        // Nor does taking the mouse to hold the profile count it as held.
        writer.RebuildLastSent();
        EXPECT_EQ(writer.PreviousImage(1), before);
    }
    // Shortened, it goes out and the report is over.
    Profile().Keys[2].Macro.MacroActionNum = 4;
    Profile().Keys[2].Macro.MacroCommandActionNum = 4;
    ClearLogs();
    Apply(kGroupButtons);
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{CMD_SET_MACRO_DATA}));
    EXPECT_TRUE(writer.UnsentMacroButtons().empty());
}

TEST_F(SettingsWriterTest, RebuildRecordsImagesWithoutPausing) {
    AssignMacro(0, FillPressReleaseA(macros.Add(1, 7, 2, 1)));
    writer.RebuildLastSent();
    EXPECT_TRUE(channel.sent.empty());
    EXPECT_TRUE(pacer.pauses.empty());
    EXPECT_EQ(writer.PreviousImage(1), BuildMacroImage(Profile().Keys[0].Macro, 1));
}

}  // namespace
}  // namespace velmaro

namespace velmaro {
namespace {

TEST_F(SettingsWriterTest, ForgottenMouseGetsEveryCommandOnce) {
    const MacroRecord& x = FillPressReleaseA(macros.Add(100, 7, 2, 1));
    AssignMacro(1, x);
    AssignMacro(4, x);  // the same library macro: one slot, one image
    writer.RebuildLastSent();
    writer.ForgetLastSent();
    Apply(kGroupButtons | kGroupMain | kGroupPower | kGroupWakeup);
    EXPECT_EQ(Commands(),
              (std::vector<uint8_t>{CMD_SET_BUTTON, CMD_SET_BUTTON, CMD_SET_BUTTON, CMD_SET_BUTTON,
                                    CMD_SET_BUTTON, CMD_SET_BUTTON, CMD_SET_DPI_LEVELS,
                                    CMD_SET_DPI_COLORS, CMD_SET_POLLING_RATE, CMD_SET_LIFT_OFF,
                                    CMD_SET_DEBOUNCE, CMD_SET_LIGHTING, CMD_SET_POWER_SAVING,
                                    CMD_SET_MOTION_WAKEUP, CMD_SET_MACRO_DATA}));
    // A pause after every write, one after the chunk and one per macro button.
    EXPECT_EQ(pacer.pauses, std::vector<int>(6 + 6 + 2 + 1 + 2, 60));

    ClearLogs();
    Apply(kGroupButtons | kGroupMain | kGroupPower | kGroupWakeup);
    EXPECT_TRUE(channel.sent.empty());
}

TEST_F(SettingsWriterTest, ForgettingWaitsForTheMouse) {
    writer.ForgetLastSent();
    channel.open = false;
    Apply(kGroupMain);
    channel.open = true;
    channel.sent.clear();
    Apply(kGroupMain);
    EXPECT_EQ(channel.sent.size(), 6u);
    // A rebuild takes the mouse to hold the profile again.
    writer.ForgetLastSent();
    writer.RebuildLastSent();
    channel.sent.clear();
    Apply(kGroupMain | kGroupPower);
    EXPECT_TRUE(channel.sent.empty());
}

}  // namespace
}  // namespace velmaro
