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

// ---- Start-up -----------------------------------------------------------------

// A data folder from an earlier run: settings with slot 1 current, five
// profiles and a library with one macro.
void SeedDataFolder(FileSystem& fs) {
    ProgramState seed;
    seed.DataFolder = u"/data/";
    seed.Settings.SetDefaultSettings(seed.DataFolder);
    for (int slot = 0; slot < kProfileSlots; ++slot)
        ResetProfileDefaults(seed.Profiles[slot], slot, seed.Language, kDefaultSensorId);
    seed.Profiles[1].Setting(kProfileName) = u"Second";
    seed.Settings.SetCurrentProfile(1);
    ASSERT_TRUE(fs.CreateDirectories("/data/config"));
    ASSERT_TRUE(WriteSettingsFile(seed, fs));
    ASSERT_TRUE(WriteAllProfileFiles(seed, fs).AllWritten());
    MacroLibrary library;
    ASSERT_EQ(library.AddMacro(u"Macro 1"), AddResult::Added);
    ASSERT_TRUE(SaveMacroLibrary(MacroLibraryPath(u"/data/"), library, fs));
}

struct DamagedLibraryCase {
    const char* name;
    std::function<std::string(const std::string&)> damage;  // the file's new bytes; none: removed
    bool attention;                                         // the button is left as it was

    friend void PrintTo(const DamagedLibraryCase& c, std::ostream* os) { *os << c.name; }
};

class DamagedLibraryTest : public AppCoreTest,
                           public ::testing::WithParamInterface<DamagedLibraryCase> {};

TEST_P(DamagedLibraryTest, StripsNoButtonAndSaysSoOnce) {
    // Profile 1 (current) plays library macro 1 on button 3.
    SeedDataFolder(fs);
    ProgramState seed;
    seed.DataFolder = u"/data/";
    seed.Settings.SetDefaultSettings(seed.DataFolder);
    ASSERT_TRUE(ReadProfileFile(seed, 1, seed.Settings.ProfileSlotPath(1), fs).Ok);
    KeyRecord& key = seed.Profiles[1].Keys[2];
    key.KeyName = u"Macro-Deep";
    key.Value = {kCategoryMacro, 0x11, 0x00};
    key.MacroKeyIndex = 1;
    key.Macro.MacroName = u"Deep";
    key.Macro.InsertAction(0, MacroAction::Make(0x41, 0x00, 0, 0));
    ASSERT_TRUE(WriteProfileFile(seed, 1, seed.Settings.ProfileSlotPath(1), fs));
    const std::string path = MacroLibraryPath(u"/data/");
    if (const auto bytes = GetParam().damage(fs.files[path]); !bytes.empty())
        fs.files[path] = bytes;
    else
        fs.files.erase(path);
    const std::string profile_before = fs.files["/data/config/default1.psf"];
    backend.Add(cable);

    StartSettled();
    core.Shutdown();

    const KeyRecord& now = core.State().Profiles[1].Keys[2];
    if (!GetParam().attention) {
        EXPECT_EQ(now.Value, kNoFunction);
        EXPECT_EQ(core.TakeLibraryAttention(), std::nullopt);
        return;
    }
    EXPECT_EQ(now.KeyName, u"Macro-Deep");
    EXPECT_EQ(now.Value, (KeyValue{kCategoryMacro, 0x11, 0x00}));
    EXPECT_EQ(now.Macro.MacroName, u"Deep");
    EXPECT_EQ(now.Macro.AllAction, key.Macro.AllAction);
    EXPECT_EQ(fs.files["/data/config/default1.psf"], profile_before);
    const auto attention = core.TakeLibraryAttention();
    ASSERT_TRUE(attention);
    // A reason the window words in its language; velmaroctl's English from
    // the same reason counts buttons from 1 and names the profile.
    EXPECT_EQ(attention->Entry, text::kLibraryKeepsOne);
    const std::string english = EnglishText(*attention);
    EXPECT_NE(english.find("Button 3 of \"Second\" keeps its own macro"), std::string::npos)
        << english;
    EXPECT_EQ(core.TakeLibraryAttention(), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedLibraryTest,
    ::testing::Values(
        DamagedLibraryCase{"CutInHalf",
                           [](const std::string& b) { return b.substr(0, b.size() / 2); }, true},
        DamagedLibraryCase{"Emptied", [](const std::string&) { return std::string(" "); }, true},
        DamagedLibraryCase{"Missing", [](const std::string&) { return std::string(); }, true},
        // Loads cleanly, without the macro: the user deleted it.
        DamagedLibraryCase{
            "CleanWithoutTheMacro",
            [](const std::string&) {
                return testing::Utf16File(
                    u"[MacroLibrary]\nMacroKeyIndex=2\nSelect "
                    u"Locaton:stage=-1;stage0Index=0;stage1Index=0;stage2Index=0;\n");
            },
            false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppCoreTest, AButtonsMacroTooLongForTheMouseIsNotSentAndSaidOnce) {
    // A profile file from elsewhere: button 3 holds a copy of 168 key actions.
    SeedDataFolder(fs);
    ProgramState seed;
    seed.DataFolder = u"/data/";
    seed.Settings.SetDefaultSettings(seed.DataFolder);
    ASSERT_TRUE(ReadProfileFile(seed, 1, seed.Settings.ProfileSlotPath(1), fs).Ok);
    KeyRecord& key = seed.Profiles[1].Keys[2];
    key.KeyName = u"Macro-Long";
    key.Value = {kCategoryMacro, 0x11, 0x00};
    key.MacroKeyIndex = 1;
    key.Macro.MacroName = u"Long";
    for (uint32_t i = 0; i < 168; ++i)
        key.Macro.InsertAction(i, MacroAction::Make(0x41, i % 2 ? 0x80 : 0x00, 0, 0));
    ASSERT_TRUE(WriteProfileFile(seed, 1, seed.Settings.ProfileSlotPath(1), fs));
    backend.Add(cable);

    StartSettled();
    const auto attention = core.TakeLibraryAttention();
    ASSERT_TRUE(attention);
    EXPECT_EQ(attention->Entry, text::kMacroNotSent);
    const std::string english = EnglishText(*attention);
    EXPECT_NE(english.find("The macro of button 3 of "), std::string::npos) << english;
    EXPECT_NE(english.find(" has more than 125 key actions"), std::string::npos) << english;
    EXPECT_EQ(core.TakeLibraryAttention(), std::nullopt);
    core.Writer().MarkChanged(kGroupButtons);
    core.ApplyNow();
    EXPECT_EQ(core.TakeLibraryAttention(), std::nullopt);
    const std::vector<uint8_t> sent = AllCommands();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), CMD_SET_MACRO_DATA), 0);
    core.Shutdown();
}

TEST_F(AppCoreTest, ASimulationUsesADataFolderOfItsOwn) {
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string old = saved ? saved : "";
    ::setenv("XDG_DATA_HOME", "/xdg", 1);
    AppCoreOptions simulated;
    simulated.Simulated = true;
    simulated.Locale = "en_US.UTF-8";
    const StartupReport report = core.Initialize(simulated);
    if (saved)
        ::setenv("XDG_DATA_HOME", old.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(report.DataFolder, u"/xdg/VelmaroData20240507A-simulated/");
    EXPECT_EQ(fs.CountStartingWith("/xdg/VelmaroData20240507A/"), 0);
    EXPECT_GT(fs.CountStartingWith("/xdg/VelmaroData20240507A-simulated/config/"), 0);
}

TEST_F(AppCoreTest, StartsUpInOrder) {
    SeedDataFolder(fs);
    fs.log = &log;
    backend.SetLog(&log);
    backend.Add(cable);
    const StartupReport report = Start();

    ExpectInOrder(log, {
                           "create Lan_EN.txt",
                           "create LanSetting.ini",
                           "read LanSetting.ini",
                           "read Lan_EN.txt",
                           "read MacroLibraryFile.mlf",
                           "read config.ini",
                           "read default0.psf",
                           "read default4.psf",
                           "watch",
                           "enumerate",
                           "open /dev/hidraw1c#0",
                           "open /dev/hidraw1i#0",
                           "set /dev/hidraw1c#0 32",
                           "get /dev/hidraw1c#0",
                       });
    for (const std::string& line : log)
        EXPECT_EQ(line.rfind("write", 0), std::string::npos) << line;
    EXPECT_EQ(report.DataFolder, u"/data/");
    EXPECT_TRUE(report.DataFolderReady);
    EXPECT_TRUE(report.LanguageLoaded);
    EXPECT_TRUE(report.Macros.Complete);
    EXPECT_TRUE(report.ConfigFolderReady);
    EXPECT_FALSE(report.Settings.SettingsRebuilt);
    EXPECT_FALSE(report.Settings.SensorChanged);
    EXPECT_TRUE(report.DpiTablesBuilt);
    EXPECT_TRUE(report.Notifications.Ok());
    EXPECT_TRUE(report.DevicePresent());
    EXPECT_EQ(report.Status, StatusQueryOutcome::Parsed);
    EXPECT_EQ(Text(kTextNoDevice).substr(0, 14), u"No mouse found");
    EXPECT_EQ(core.State().CurrentProfileTab, 1);
    EXPECT_EQ(Current().Setting(kProfileName), u"Second");
    EXPECT_EQ(core.Library().ItemAt(MacroItemLocation::Top(0))->MacroItemName, u"Macro 1");

    EXPECT_EQ(core.Device().BatteryLevel, 80);  // from the first answer
    EXPECT_FALSE(core.Device().StatusQueryPending);
    EXPECT_EQ(ui.log, (std::vector<std::string>{"refresh", "refresh"}));
    EXPECT_TRUE(timers.IsTimerRunning(kTimerStartupCheck));
    EXPECT_TRUE(timers.IsTimerRunning(kTimerStatus));
    EXPECT_TRUE(timers.IsTimerRunning(kTimerApply));
    EXPECT_TRUE(core.Writer().SuppressProgressOnce());

    // The profile was taken as held by the mouse before the scan: the scan's
    // apply sends nothing.
    backend.ClearSets();
    Advance(kApplyDelayMs);
    EXPECT_TRUE(backend.Sets().empty());
    EXPECT_TRUE(ui.Count("progress " + ToUtf8(Text(kTextProgressWriting))) == 0);
}

// The desktop program reads the data folder on a thread of its own while its
// application object is built, before the UI scale is known, and hands it
// over to Initialize.
TEST_F(AppCoreTest, AFolderReadOnAnotherThreadStartsTheCoreAsReadingItInInitializeDoes) {
    SeedDataFolder(fs);
    backend.Add(cable);
    options.DataFolder = u"/data/";
    options.Locale = "en_US.UTF-8";
    FolderStart read(fs);
    std::thread([&] { read.Read(options); }).join();
    options.UiScale = 2.0;
    const StartupReport handed = core.Initialize(options, &read);

    FakeHidBackend ownBackend;
    ownBackend.Add(cable);
    ManualTimerHost ownTimers;
    RecordingPacer ownPacer;
    RecordingCoreUi ownUi;
    AppCore own{ownBackend, fs, ownTimers, ownPacer, ownUi};
    const StartupReport here = own.Initialize(options);

    EXPECT_EQ(handed.DataFolder, here.DataFolder);
    EXPECT_TRUE(handed.LanguageLoaded);
    EXPECT_TRUE(handed.Macros.Complete);
    EXPECT_TRUE(handed.ConfigFolderReady);
    EXPECT_TRUE(handed.DpiTablesBuilt);
    EXPECT_EQ(handed.Status, here.Status);
    // The font is the one for the scale Initialize was given.
    EXPECT_EQ(core.State().Language.Font, (UiFont{u"Tahoma", 32, 1}));
    EXPECT_EQ(core.State().Language.Font, own.State().Language.Font);
    EXPECT_EQ(Text(kTextNoDevice), own.State().Language.Text(kTextNoDevice));
    EXPECT_EQ(core.State().CurrentProfileTab, 1);
    EXPECT_EQ(Current().Setting(kProfileName), u"Second");
    EXPECT_EQ(ProfileFileBytes(Current()), ProfileFileBytes(own.State().CurrentRecord()));
    EXPECT_EQ(core.Library().ItemAt(MacroItemLocation::Top(0))->MacroItemName, u"Macro 1");
    EXPECT_EQ(ui.log, ownUi.log);
    std::vector<uint8_t> ownCommands;
    for (const auto& sent : ownBackend.Sets())
        ownCommands.push_back(sent.report.Command());
    EXPECT_EQ(AllCommands(), ownCommands);
    own.Shutdown();
}

// What the folder held when it was read is what the core takes as its own: a
// file edited after that read, before the window is up, is an outside change.
TEST_F(AppCoreTest, AnEditAfterTheFolderWasReadIsAChangeFromOutside) {
    SeedDataFolder(fs);
    options.DataFolder = u"/data/";
    options.Locale = "en_US.UTF-8";
    FolderStart read(fs);
    read.Read(options);
    ProgramState edited;
    ASSERT_TRUE(ParseProfileFile(u"/data/config/default0.psf", fs, edited.Profiles[0]).Ok);
    edited.Profiles[0].PollingRateValue = {0, 0, 0};
    edited.Profiles[0].PollingRateName = u"125HZ";
    ASSERT_TRUE(
        fs.WriteFileAtomic("/data/config/default0.psf", ProfileFileBytes(edited.Profiles[0])));
    core.Initialize(options, &read);
    ASSERT_NE(core.State().Profiles[0].PollingRateName, u"125HZ");

    core.TakeOutsideChanges();
    EXPECT_EQ(core.State().Profiles[0].PollingRateName, u"125HZ");
}

TEST_F(AppCoreTest, WithoutAMouseNoQueryAndTheStartupCheckTellsTheUser) {
    const StartupReport report = Start();
    EXPECT_TRUE(report.Settings.SettingsRebuilt);  // the folder was empty
    EXPECT_TRUE(report.Settings.Report.AllWritten());
    EXPECT_FALSE(report.DevicePresent());
    EXPECT_FALSE(report.Status.has_value());
    EXPECT_TRUE(core.Device().StatusQueryPending);
    EXPECT_FALSE(timers.IsTimerRunning(kTimerStatus));

    Advance(kStartupCheckDelayMs - 1);
    EXPECT_EQ(ui.Count("attention 150 155"), 0);
    Advance(1);
    EXPECT_EQ(ui.Count("attention 150 155"), 1);
    EXPECT_FALSE(timers.IsTimerRunning(kTimerStartupCheck));
}

TEST_F(AppCoreTest, WithAMouseTheStartupCheckStaysQuiet) {
    backend.Add(receiver);
    Start();
    Advance(kStartupCheckDelayMs * 2);
    EXPECT_EQ(ui.Count("attention 150 155"), 0);
    EXPECT_FALSE(timers.IsTimerRunning(kTimerStartupCheck));
}

// ---- Device changes -------------------------------------------------------------

TEST_F(AppCoreTest, WithBothRolesEveryRequestGoesToTheCable) {
    backend.Add(cable);
    backend.Add(receiver);
    StartSettled();
    EXPECT_TRUE(core.Link().ReaderBusy(DeviceRole::Cable));
    EXPECT_TRUE(core.Link().ReaderBusy(DeviceRole::Receiver));

    Change(EditDebounce(Current(), 10));
    EXPECT_EQ(backend.CommandsTo(cable[0]), std::vector<uint8_t>{CMD_SET_DEBOUNCE});
    EXPECT_TRUE(backend.CommandsTo(receiver[0]).empty());
}

TEST_F(AppCoreTest, CablePulledTheProgramGoesOnOnTheReceiver) {
    backend.Add(cable);
    backend.Add(receiver);
    StartSettled();

    backend.Unplug(cable);
    EXPECT_EQ(core.DrainPostedEvents(), 2);
    EXPECT_FALSE(core.Link().CableFound());
    EXPECT_FALSE(core.Link().HasCommandHandle(DeviceRole::Cable));
    EXPECT_EQ(core.Link().CommandPath(DeviceRole::Cable), "");
    EXPECT_TRUE(core.Link().ReceiverFound());
    EXPECT_FALSE(core.EndRequested());
    EXPECT_EQ(ui.Count("device-gone"), 0);
    EXPECT_EQ(core.Device().StatusPollCounter, kStatusCounterAfterScan);

    Advance(kApplyDelayMs);  // the scan's apply
    Change(EditDebounce(Current(), 4));
    EXPECT_EQ(backend.CommandsTo(receiver[0]), std::vector<uint8_t>{CMD_SET_DEBOUNCE});
}

TEST_F(AppCoreTest, TheLastInterfaceGoneEndsTheProgram) {
    backend.Add(cable);
    StartSettled();

    backend.Unplug(cable);
    EXPECT_EQ(core.DrainPostedEvents(), 1);  // the rest is not handled any more
    EXPECT_TRUE(core.EndRequested());
    EXPECT_EQ(ui.log, std::vector<std::string>{"device-gone"});
    EXPECT_TRUE(core.Device().StatusQueryPending);
    EXPECT_FALSE(core.Link().DevicePresent());
}

TEST_F(AppCoreTest, AnUnrelatedArrivalWhileBothRolesAreFoundScansNothing) {
    backend.Add(cable);
    backend.Add(receiver);
    StartSettled();
    const int enumerations = backend.Enumerations();

    backend.Plug({OtherInterface("hidraw9")});
    EXPECT_EQ(core.DrainPostedEvents(), 1);
    EXPECT_EQ(backend.Enumerations(), enumerations);
    EXPECT_TRUE(ui.log.empty());
}

TEST_F(AppCoreTest, AnUnrelatedArrivalWithOneRoleScansButKeepsHandleAndReader) {
    backend.Add(cable);
    StartSettled();
    ASSERT_TRUE(backend.WaitForReader(cable[1]));
    const int enumerations = backend.Enumerations();

    backend.Plug({OtherInterface("hidraw9")});
    core.DrainPostedEvents();
    EXPECT_EQ(backend.Enumerations(), enumerations + 1);
    EXPECT_EQ(backend.Opens(cable[0]), 1);
    EXPECT_EQ(backend.Opens(cable[1]), 1);
    EXPECT_EQ(backend.OpenHandles(cable[1]), 1);
    EXPECT_EQ(core.Device().StatusPollCounter, kStatusCounterAfterScan);
    // The status was queried at start-up, so none is owed.
    EXPECT_EQ(StatusQueries(), 0);
    EXPECT_EQ(ui.log, std::vector<std::string>{"refresh"});
}

TEST_F(AppCoreTest, TheMouseArrivingLaterIsScannedAndQueriedOnce) {
    Start();
    Advance(kApplyDelayMs);
    ClearLogs();

    backend.Plug(cable);
    EXPECT_EQ(core.DrainPostedEvents(), 2);
    EXPECT_TRUE(core.Link().CableFound());
    EXPECT_EQ(StatusQueries(), 1);  // the second arrival owes none
    EXPECT_FALSE(core.Device().StatusQueryPending);
    EXPECT_TRUE(timers.IsTimerRunning(kTimerStatus));
    EXPECT_EQ(ui.log, (std::vector<std::string>{"refresh", "refresh", "refresh"}));

    // The scan asks for a full apply without progress.
    Advance(kApplyDelayMs);
    EXPECT_EQ(ui.Count("progress " + ToUtf8(Text(kTextProgressWriting))), 0);
}

// ---- The mouse's own changes ------------------------------------------------------

class MouseChangeTest : public AppCoreTest {
  protected:
    void SetUp() override {
        backend.Add(cable);
        StartSettled();
        Current().DPIOffOnFlagValue = 0x1F;
        Current().XYSettingValue[0] = 0;  // 200 DPI on sensor 0x3325
        Current().XYSettingValue[1] = 6;  // 800 DPI
        core.Writer().RebuildLastSent();
    }
};

// Through the reader thread: the reader posts, the owner applies.
TEST_F(MouseChangeTest, DpiAndRateChangeOnTheMouseReachProfileAndDisplay) {
    const ProfileRecord before = Current();
    fs.log = &log;
    ASSERT_TRUE(backend.WaitForReader(cable[1]));
    backend.SendInput(cable[1], MouseChangeReport(4, 2));
    ASSERT_TRUE(core.Events().WaitForEvent(kWait));
    EXPECT_EQ(Current(), before) << "nothing is applied before the drain";

    EXPECT_EQ(core.DrainPostedEvents(), 1);
    EXPECT_EQ(Current().PollingRateValue, (Bytes3{1, 0, 0}));
    EXPECT_EQ(Current().PollingRateName, u"250Hz");
    EXPECT_EQ(Current().CurrentDPILevelValue, 1);
    EXPECT_EQ(core.Device().CurrentDpiOrdinal, 1);
    EXPECT_EQ(ui.log, (std::vector<std::string>{"refresh", "osd-show DPI-2|800|250Hz"}));
    EXPECT_TRUE(timers.IsTimerRunning(kTimerOsd));

    // The writer takes the new values as held by the mouse.
    core.Writer().MarkChanged(kGroupMain);
    Advance(kApplyDelayMs);
    EXPECT_TRUE(backend.Sets().empty());
    EXPECT_TRUE(log.empty()) << "nothing is saved for it";
}

TEST_F(MouseChangeTest, ALevelByteNamingNoLevelChangesNothing) {
    const ProfileRecord before = Current();
    for (const uint8_t level : {0, 9, 255}) {
        core.Events().Post(MouseSideChange{DeviceRole::Cable, 4, level});
        core.DrainPostedEvents();
    }
    EXPECT_EQ(Current(), before);
    EXPECT_EQ(core.Device().CurrentDpiOrdinal, 2);
    EXPECT_TRUE(ui.log.empty());
}

// A change still waiting for its apply is sent before the mouse's values are
// taken as held; it would be lost otherwise.
TEST_F(MouseChangeTest, APendingChangeGoesOutBeforeTheMouseChangeIsTaken) {
    ASSERT_TRUE(EditDebounce(Current(), 10).Accepted());
    core.Writer().MarkChanged(kGroupMain);
    core.Events().Post(MouseSideChange{DeviceRole::Cable, 8, 1});
    core.DrainPostedEvents();
    EXPECT_EQ(AllCommands(), std::vector<uint8_t>{CMD_SET_DEBOUNCE});
    EXPECT_EQ(Current().PollingRateName, u"125Hz");

    backend.ClearSets();
    Advance(kSaveDelayMs);
    EXPECT_TRUE(backend.Sets().empty());
}

TEST_F(MouseChangeTest, TwoEventsKeepOneDisplayThatClosesAfterTheSecond) {
    core.Events().Post(MouseSideChange{DeviceRole::Cable, 1, 2});
    core.DrainPostedEvents();
    Advance(1000);
    core.Events().Post(MouseSideChange{DeviceRole::Cable, 2, 1});
    core.DrainPostedEvents();
    EXPECT_EQ(ui.WithoutBattery(),
              (std::vector<std::string>{"refresh", "osd-show DPI-2|800|1000Hz", "refresh",
                                        "osd-update DPI-1|200|500Hz"}));
    Advance(1499);
    EXPECT_EQ(ui.Count("osd-close"), 0);
    Advance(301);
    EXPECT_EQ(ui.Count("osd-close"), 1);
    EXPECT_FALSE(timers.IsTimerRunning(kTimerOsd));
    EXPECT_FALSE(core.Device().OsdOpen);
}

}  // namespace
}  // namespace velmaro
