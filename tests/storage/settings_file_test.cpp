#include "storage/settings_file.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/posix_file_system.h"
#include "storage/english_texts.h"
#include "storage/profile_file.h"
#include "storage_test_support.h"

namespace velmaro {
namespace {

using testing::CountingFileSystem;
using testing::JoinLines;
using testing::ReadBytes;
using testing::SplitLines;
using testing::TempDir;
using testing::TextOfFile;
using testing::Utf16File;
using testing::WriteBytes;

class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = ToU16(dir.Path()) + u"/";
        state.DataFolder = folder;
        ASSERT_TRUE(EnsureConfigFolder(state, fs));
        state.Language = testing::TestLanguage();
    }

    std::string ConfigPath() const { return dir / "config/config.ini"; }
    std::string SlotPath(int slot) const {
        return dir / ("config/default" + std::to_string(slot) + ".psf");
    }

    // "[Setting]" and the sixteen default pair lines.
    std::vector<std::u16string> DefaultConfigLines() const {
        std::vector<std::u16string> lines = {
            u"[Setting]",          u"Sensor=0x3325",      u"PreST=0xCCDA",
            u"Mac_ID=0xFFFFFFFF",  u"DataChange=0x1234",  u"CurrentProfile=0",
            u"ProfileShowCount=3", u"ProfileShowList0=0", u"ProfileShowList1=1",
            u"ProfileShowList2=2", u"ProfileShowList3=3", u"ProfileShowList4=4"};
        for (int s = 0; s < kProfileSlots; ++s) {
            const std::u16string n = FormatDecimal(s);
            lines.push_back(u"ProfileSlot" + n + u"URL=" + folder + u"config/default" + n +
                            u".psf");
        }
        return lines;
    }

    void WriteConfig(const std::vector<std::u16string>& lines) {
        WriteBytes(ConfigPath(), Utf16File(JoinLines(lines)));
    }

    // Five slot files of the user's own, for sensor 0x3325, named "Mine N"
    // and with every DPI level at step 1.
    void WriteUserProfiles() {
        ProgramState other;
        other.Settings.SetDefaultSettings(folder);
        for (int s = 0; s < kProfileSlots; ++s) {
            ResetProfileDefaults(other.Profiles[s], s, state.Language, 0x3325);
            other.Profiles[s].Setting(kProfileName) = u"Mine " + FormatDecimal(s);
            other.Profiles[s].XYSettingValue.fill(1);
        }
        ASSERT_TRUE(WriteAllProfileFiles(other, fs).AllWritten());
    }

    ProfileRecord Defaults(int slot, uint16_t sensor) const {
        ProfileRecord r;
        ResetProfileDefaults(r, slot, state.Language, sensor);
        return r;
    }

    TempDir dir;
    PosixFileSystem fs;
    ProgramState state;
    std::u16string folder;
};

TEST_F(SettingsFileTest, MissingFileWritesTheDefaults) {
    const LoadSettingsResult result = LoadSettings(state, fs);

    EXPECT_TRUE(result.SettingsRebuilt);
    EXPECT_EQ(result.SlotReset, (std::array<bool, 5>{true, true, true, true, true}));
    EXPECT_FALSE(result.SensorChanged);
    EXPECT_EQ(result.Report, StorageReport{});  // nothing failed, nothing to keep
    const std::u16string expected =
        u"[Setting]\n"
        u"Sensor=0x3325\n"
        u"PreST=0xCCDA\n"
        u"Mac_ID=0xFFFFFFFF\n"
        u"DataChange=0x1234\n"
        u"CurrentProfile=0\n"
        u"ProfileShowCount=3\n"
        u"ProfileShowList0=0\n"
        u"ProfileShowList1=1\n"
        u"ProfileShowList2=2\n"
        u"ProfileShowList3=3\n"
        u"ProfileShowList4=4\n"
        u"ProfileSlot0URL=" +
        folder + u"config/default0.psf\nProfileSlot1URL=" + folder +
        u"config/default1.psf\nProfileSlot2URL=" + folder +
        u"config/default2.psf\nProfileSlot3URL=" + folder +
        u"config/default3.psf\nProfileSlot4URL=" + folder + u"config/default4.psf\n";
    EXPECT_EQ(ReadBytes(ConfigPath()), Utf16File(expected));
    EXPECT_EQ(state.Sensor.SensorId, 0x3325);
    EXPECT_EQ(state.PreSTComplement, 0x3325);
    for (int s = 0; s < kProfileSlots; ++s) {
        EXPECT_EQ(state.Profiles[s], Defaults(s, 0x3325)) << s;
        ProgramState check = state;
        ASSERT_TRUE(ReadProfileFile(check, s, ToU16(SlotPath(s)), fs).Ok);
        EXPECT_EQ(check.Profiles[s], state.Profiles[s]);
    }
}

struct ConfigCase {
    const char* name;
    std::function<void(std::vector<std::u16string>&)> edit;
    bool rebuilt;

    friend void PrintTo(const ConfigCase& c, std::ostream* os) { *os << c.name; }
};

class ConfigFileRuleTest : public SettingsFileTest,
                           public ::testing::WithParamInterface<ConfigCase> {};

TEST_P(ConfigFileRuleTest, Load) {
    auto lines = DefaultConfigLines();
    GetParam().edit(lines);
    WriteConfig(lines);
    WriteUserProfiles();
    const std::string config_before = ReadBytes(ConfigPath());
    std::array<std::string, kProfileSlots> slots_before;
    for (int s = 0; s < kProfileSlots; ++s)
        slots_before[s] = ReadBytes(SlotPath(s));

    const LoadSettingsResult result = LoadSettings(state, fs);

    EXPECT_EQ(result.SettingsRebuilt, GetParam().rebuilt);
    if (!GetParam().rebuilt) {
        EXPECT_EQ(ReadBytes(ConfigPath()), config_before);
        EXPECT_EQ(state.Profiles[0].Setting(kProfileName), u"Mine 0");
        EXPECT_TRUE(result.Report.KeptFiles.empty());
        return;
    }
    // Everything is back to defaults, and every file replaced was kept first.
    EXPECT_EQ(ReadBytes(ConfigPath()), Utf16File(JoinLines(DefaultConfigLines())));
    EXPECT_TRUE(result.Report.AllWritten());
    ASSERT_EQ(result.Report.KeptFiles.size(), 6u);
    EXPECT_EQ(result.Report.KeptFiles[0].Path, ConfigPath());
    EXPECT_EQ(ReadBytes(result.Report.KeptFiles[0].KeptAs), config_before);
    for (int s = 0; s < kProfileSlots; ++s) {
        EXPECT_EQ(state.Profiles[s], Defaults(s, 0x3325)) << s;
        const KeptFile& kept = result.Report.KeptFiles[1 + s];
        EXPECT_EQ(kept.Path, SlotPath(s));
        EXPECT_EQ(ReadBytes(kept.KeptAs), slots_before[s]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ConfigFileRuleTest,
    ::testing::Values(
        ConfigCase{"SixteenPairs", [](auto&) {}, false},
        ConfigCase{"ValueHoldingEquals", [](auto& l) { l[4] = u"DataChange=a=b"; }, false},
        ConfigCase{"EmptyFile", [](auto& l) { l.clear(); }, true},
        ConfigCase{"HeaderCase", [](auto& l) { l[0] = u"[setting]"; }, true},
        ConfigCase{"HeaderWithCr", [](auto& l) { l[0] = u"[Setting]\r"; }, true},
        ConfigCase{"EmptyLineAfterPairs", [](auto& l) { l.push_back(u"\n"); }, true},
        ConfigCase{"EmptyLineBetweenPairs", [](auto& l) { l.insert(l.begin() + 3, u"\n"); }, true},
        ConfigCase{"SeventeenPairs", [](auto& l) { l.push_back(u"Extra=1"); }, true},
        ConfigCase{"EmptyValue", [](auto& l) { l[4] = u"DataChange="; }, true},
        ConfigCase{"EmptyName", [](auto& l) { l[4] = u"=0x1234"; }, true},
        ConfigCase{"NoEquals", [](auto& l) { l[4] = u"DataChange"; }, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, MissingPairsTakeTheirDefaultsAndTheShortFileIsKept) {
    // A file of the header alone, and one that stops after slot 0's path.
    auto twelve = DefaultConfigLines();
    twelve.resize(13);
    for (const auto& lines : {std::vector<std::u16string>{u"[Setting]"}, twelve}) {
        WriteConfig(lines);
        WriteUserProfiles();
        const std::string before = ReadBytes(ConfigPath());
        ProgramState loaded;
        loaded.DataFolder = folder;
        loaded.Language = state.Language;

        const LoadSettingsResult result = LoadSettings(loaded, fs);

        EXPECT_FALSE(result.SettingsRebuilt);
        EXPECT_FALSE(result.SensorChanged);
        EXPECT_EQ(result.SlotReset, (std::array<bool, 5>{}));
        // Every profile of the user's is read from its default path.
        for (int s = 0; s < kProfileSlots; ++s)
            EXPECT_EQ(loaded.Profiles[s].Setting(kProfileName), u"Mine " + FormatDecimal(s));
        EXPECT_EQ(ReadBytes(ConfigPath()), Utf16File(JoinLines(DefaultConfigLines())));
        ASSERT_EQ(result.Report.KeptFiles.size(), 1u);
        EXPECT_EQ(ReadBytes(result.Report.KeptFiles[0].KeptAs), before);
        std::filesystem::remove(result.Report.KeptFiles[0].KeptAs);
    }
}

TEST_F(SettingsFileTest, PairsAreTakenByPositionAndWrittenBackWithTheirNames) {
    auto lines = DefaultConfigLines();
    std::swap(lines[1], lines[2]);  // PreST first: its value is read as the sensor
    std::swap(lines[3], lines[4]);
    WriteConfig(lines);
    WriteUserProfiles();
    const std::string before = ReadBytes(ConfigPath());
    CountingFileSystem counting(fs);

    const LoadSettingsResult result = LoadSettings(state, counting);

    EXPECT_FALSE(result.SettingsRebuilt);
    EXPECT_EQ(state.Sensor.SensorId, 0xCCDA);
    EXPECT_EQ(state.Settings.Pairs[kSensor], (SettingPair{u"PreST", u"0xCCDA"}));
    EXPECT_EQ(state.Settings.Pairs[kMacId], (SettingPair{u"DataChange", u"0x1234"}));
    // 0x3325 is the complement of 0xCCDA: nothing to change.
    EXPECT_FALSE(result.SensorChanged);
    EXPECT_EQ(counting.Changes(), 0);
    ASSERT_TRUE(SaveSettings(state, fs));
    EXPECT_EQ(ReadBytes(ConfigPath()), before);
}

TEST_F(SettingsFileTest, MatchingSensorWritesNothing) {
    auto lines = DefaultConfigLines();
    lines[5] = u"CurrentProfile=2";
    WriteConfig(lines);
    WriteUserProfiles();
    CountingFileSystem counting(fs);

    const LoadSettingsResult result = LoadSettings(state, counting);

    EXPECT_EQ(counting.Changes(), 0);
    EXPECT_EQ(result.Report, StorageReport{});
    EXPECT_EQ(result.SlotReset, (std::array<bool, 5>{}));
    EXPECT_EQ(state.CurrentProfileTab, 2);
    EXPECT_EQ(state.Profiles[4].Setting(kProfileName), u"Mine 4");
    EXPECT_EQ(state.Profiles[4].XYSettingValue[7], 1);
}

TEST_F(SettingsFileTest, NewSensorResetsDpiOfAllProfilesAndKeepsTheCurrentProfile) {
    auto lines = DefaultConfigLines();
    lines[1] = u"Sensor=0x3327";
    lines[5] = u"CurrentProfile=3";
    WriteConfig(lines);
    WriteUserProfiles();

    const LoadSettingsResult result = LoadSettings(state, fs);

    EXPECT_TRUE(result.SensorChanged);
    EXPECT_FALSE(result.SettingsRebuilt);
    EXPECT_TRUE(result.Report.AllWritten());
    // The user's five files are kept before the reset they did not make.
    ASSERT_EQ(result.Report.KeptFiles.size(), 5u);
    for (int s = 0; s < kProfileSlots; ++s) {
        const KeptFile& kept = result.Report.KeptFiles[s];
        EXPECT_EQ(kept.Path, SlotPath(s));
        ProgramState check = state;
        ASSERT_TRUE(ReadProfileFile(check, s, ToU16(kept.KeptAs), fs).Ok);
        EXPECT_EQ(check.Profiles[s].XYSettingValue[7], 1);
        EXPECT_NE(EnglishText(kept.Why).find("0x3327"), std::string::npos) << EnglishText(kept.Why);
    }
    EXPECT_EQ(state.PreSTComplement, 0x3327);
    lines[2] = u"PreST=0xCCD8";
    EXPECT_EQ(ReadBytes(ConfigPath()), Utf16File(JoinLines(lines)));  // still profile 3
    EXPECT_EQ(state.CurrentProfileTab, 3);
    const std::array<uint16_t, 8> steps = {2, 6, 14, 30, 48, 58, 58, 58};
    for (int s = 0; s < kProfileSlots; ++s) {
        EXPECT_EQ(state.Profiles[s].XYSettingValue, steps) << s;
        EXPECT_EQ(state.Profiles[s].Setting(kProfileName), u"Mine " + FormatDecimal(s));
        ProgramState check = state;
        check.Profiles[s] = ProfileRecord{};
        ASSERT_TRUE(ReadProfileFile(check, s, ToU16(SlotPath(s)), fs).Ok);
        EXPECT_EQ(check.Profiles[s], state.Profiles[s]) << s;
    }
}

TEST_F(SettingsFileTest, PreSTIsPaddedWithSpaces) {
    auto lines = DefaultConfigLines();
    lines[1] = u"Sensor=0xF123";
    WriteConfig(lines);
    WriteUserProfiles();
    LoadSettings(state, fs);
    EXPECT_EQ(SplitLines(TextOfFile(ConfigPath()))[2], u"PreST=0x EDC");
    // An unknown sensor keeps the step indexes but still resets the rest.
    EXPECT_EQ(state.Profiles[0].XYSettingValue[0], 1);
    EXPECT_EQ(state.Profiles[0].DPIOffOnFlagValue, 0x1F);
}

TEST_F(SettingsFileTest, SlotNumbersFromTheFileStayInRange) {
    auto lines = DefaultConfigLines();
    lines[5] = u"CurrentProfile=7";
    lines[8] = u"ProfileShowList1=-2";
    lines[9] = u"ProfileShowList2=99";
    lines[1] = u"Sensor=0x3327";  // forces a save
    WriteConfig(lines);
    WriteUserProfiles();
    LoadSettings(state, fs);

    EXPECT_EQ(state.CurrentProfileTab, 4);
    EXPECT_EQ(&state.CurrentRecord(), &state.Profiles[4]);
    // The list is mended into the order the profiles page shows: each slot
    // once, the ones the file lost at the end.
    EXPECT_EQ(state.Settings.ProfileShowList(1), 4);
    EXPECT_EQ(state.Settings.ProfileShowList(2), 3);
    EXPECT_EQ(SplitLines(TextOfFile(ConfigPath()))[5], u"CurrentProfile=4");
    ASSERT_TRUE(ExportProfile(state, ToU16(dir / "out.psf"), fs));
    ProgramState check = state;
    ASSERT_TRUE(ReadProfileFile(check, 0, ToU16(dir / "out.psf"), fs).Ok);
    EXPECT_EQ(check.Profiles[0].Setting(kProfileName), u"Mine 4");
}

TEST_F(SettingsFileTest, BadSlotFileIsResetForTheSensorOfTheSettings) {
    auto lines = DefaultConfigLines();
    lines[1] = u"Sensor=0x3327";
    lines[2] = u"PreST=0xCCD8";
    WriteConfig(lines);
    WriteUserProfiles();
    auto slot2 = SplitLines(TextOfFile(SlotPath(2)));
    slot2.resize(slot2.size() - 6);  // ends after the fifth button
    const std::string bad = Utf16File(JoinLines(slot2));
    WriteBytes(SlotPath(2), bad);
    const std::string slot3_before = ReadBytes(SlotPath(3));

    const LoadSettingsResult result = LoadSettings(state, fs);

    EXPECT_EQ(result.SlotReset, (std::array<bool, 5>{false, false, true, false, false}));
    EXPECT_FALSE(result.SensorChanged);
    EXPECT_EQ(state.Profiles[2], Defaults(2, 0x3327));
    ASSERT_EQ(result.Report.KeptFiles.size(), 1u);
    EXPECT_EQ(result.Report.KeptFiles[0].Path, SlotPath(2));
    EXPECT_EQ(ReadBytes(result.Report.KeptFiles[0].KeptAs), bad);
    EXPECT_EQ(ReadBytes(SlotPath(3)), slot3_before);
    ProgramState check = state;
    ASSERT_TRUE(ReadProfileFile(check, 2, ToU16(SlotPath(2)), fs).Ok);
    EXPECT_EQ(check.Profiles[2], Defaults(2, 0x3327));
}

TEST_F(SettingsFileTest, SaveStoresTheCurrentProfileTab) {
    state.Settings.SetDefaultSettings(folder);
    state.CurrentProfileTab = 3;
    ASSERT_TRUE(SaveSettings(state, fs));
    EXPECT_EQ(state.Settings.Value(kCurrentProfile), u"3");
    EXPECT_EQ(SplitLines(TextOfFile(ConfigPath()))[5], u"CurrentProfile=3");
}

TEST_F(SettingsFileTest, LineFeedInAValueDoesNotBreakTheFile) {
    state.Settings.SetDefaultSettings(folder);
    state.Settings.Value(kMacId) = u"a\nb";
    ASSERT_TRUE(WriteSettingsFile(state, fs));
    ProgramState reread;
    reread.DataFolder = folder;
    EXPECT_FALSE(LoadSettings(reread, fs).SettingsRebuilt);
    EXPECT_EQ(reread.Settings.Value(kMacId), u"a b");
}

}  // namespace
}  // namespace velmaro
