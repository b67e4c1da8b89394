#include "storage/profile_file.h"

#include <gtest/gtest.h>

#include "platform/posix_file_system.h"
#include "storage/settings_file.h"
#include "storage_test_support.h"

namespace velmaro {
namespace {

using testing::JoinLines;
using testing::ReadBytes;
using testing::SplitLines;
using testing::TempDir;
using testing::TextOfFile;
using testing::Utf16File;
using testing::WriteBytes;

// Line numbers (from 0) in a profile file.
constexpr size_t kFirstXYLine = 22;
constexpr size_t kFirstButtonLine = 57;
constexpr size_t kLinesPerButton = 6;
constexpr size_t kMacroKeyIndexLine = 2;
constexpr size_t kMacroNameLine = 3;
constexpr size_t kActionNumLine = 4;
constexpr size_t kAllActionLine = 5;

class ProfileFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state.DataFolder = ToU16(dir.Path()) + u"/";
        ASSERT_TRUE(EnsureConfigFolder(state, fs));
        state.Language = testing::TestLanguage();
        state.Sensor.SensorId = 0x3325;
        state.Settings.SetDefaultSettings(state.DataFolder);
        for (int s = 0; s < kProfileSlots; ++s)
            ResetProfileDefaults(state.Profiles[s], s, state.Language, 0x3325);
    }

    std::string SlotPath(int slot) const { return ToUtf8(state.Settings.ProfileSlotPath(slot)); }

    // The default profile of slot 0 as text lines.
    std::vector<std::u16string> DefaultLines() {
        EXPECT_TRUE(WriteProfileFile(state, 0, ToU16(dir / "d.psf"), fs));
        return SplitLines(TextOfFile(dir / "d.psf"));
    }

    // Reads `text` into slot 1 from a file of the user's.
    ProfileReadResult ReadText(const std::u16string& text) {
        WriteBytes(dir / "in.psf", Utf16File(text));
        return ReadProfileFile(state, 1, ToU16(dir / "in.psf"), fs);
    }

    TempDir dir;
    PosixFileSystem fs;
    ProgramState state;
};

std::u16string Repeat(std::u16string_view piece, int n, std::u16string_view sep) {
    std::u16string out;
    for (int i = 0; i < n; ++i) {
        if (i != 0)
            out += sep;
        out += piece;
    }
    return out;
}

TEST_F(ProfileFileTest, DefaultProfileBytes) {
    const std::u16string off10 = Repeat(u"00", 10, u"|") + u";";
    const std::u16string black10 = Repeat(u"000000", 10, u"|") + u";";
    std::u16string expected =
        u"[Setting]\n"
        u"ProfileName=Profile 1\n"
        u"GameFile0=\n"
        u"GameFile1=\n"
        u"GameFile2=\n"
        u"DoubleClickSpeed=6\n"
        u"PointerSpeed=5\n"
        u"AccelerationEnable=1\n"
        u"ScrollWheelSpeed=2\n"
        u"ScrollWheelPageEnable=0\n"
        u"TiltSpeed=2\n"
        u"Sensitivity_X=4\n"
        u"Sensitivity_Y=4\n"
        u"XYSynchronous=1\n"
        u"X_DPI=1\n"
        u"Y_DPI=1\n"
        u"MoveLightingOnOffMode=0\n"
        u"PowerDownTime=6\n"
        u"LiftDetectionHeight=2\n"
        u"KeyDebounce=12\n"
        u"MotionWakeup=1\n"
        u"DPIOffOnFlagValue=1F\n"
        u"\tXYSetting1Value=0006\n"
        u"\tXYSetting2Value=000E\n"
        u"\tXYSetting3Value=001E\n"
        u"\tXYSetting4Value=0030\n"
        u"\tXYSetting5Value=003A\n"
        u"\tXYSetting6Value=003A\n"
        u"\tXYSetting7Value=003A\n"
        u"\tXYSetting8Value=0032\n"
        u"\tCurrentDPILevelValue=01\n"
        u"\tDPILevelIndication0Valuer=FF0000\n"
        u"\tDPILevelIndication1Valuer=00FF00\n"
        u"\tDPILevelIndication2Valuer=0000FF\n"
        u"\tDPILevelIndication3Valuer=FFFF00\n"
        u"\tDPILevelIndication4Valuer=FF00FF\n"
        u"\tDPILevelIndication5Valuer=FF00FF\n"
        u"\tDPILevelIndication6Valuer=FFFFFF\n"
        u"\tDPILevelIndication7Valuer=FFFFFF\n"
        u"\tAngleSnapValue=00\n"
        u"\tLiftDetectionValue=02\n"
        u"PollingRateName=500HZ\n"
        u"\tPollingRateValue=020000\n"
        u"Lighting1Name=Wave\n"
        u"\tLighting1ModeValue=010000\n"
        u"\tLighting1OffOn=01\n"
        u"\tLighting1Speed=01|01|01|01|01|01|01|01|01|01\n"
        u"\tLighting1Brightness=01|01|01|03|01|01|01|01|01|01\n"
        u"\tLighting1ColorSelected=" +
        off10 + off10 + u"01|01|01|01|01|01|01|00|00|00;" + u"01|00|00|00|00|00|00|00|00|00;" +
        off10 + off10 + u"01|01|01|01|01|01|01|01|00|00;" + u"01|01|00|00|00|00|00|00|00|00;" +
        off10 + off10 + u"\n" + u"\tLighting1FixedColor=" + black10 + black10 +
        u"FF0000|00FF00|0000FF|00FFFF|FFFF00|FF00FF|FFFFFF|000000|000000|000000;" +
        u"FF00FF|000000|000000|000000|000000|000000|000000|000000|000000|000000;" + black10 +
        black10 + u"FF0000|00FF00|0000FF|FFFF00|00FFFF|FA00FA|FFFFFF|FA46FF|000000|000000;" +
        u"00FF00|FA006A|000000|000000|000000|000000|000000|000000|000000|000000;" + black10 +
        black10 + u"\n" +
        u"\tLighting1Direction=00|01|00|00|00|00|00|00|00|00\n"
        u"Lighting2Name=Off\n"
        u"\tLighting2ModeValue=010000\n"
        u"\tLighting2OffOn=00\n"
        u"\tLighting2Speed=00\n"
        u"\tLighting2Brightness=00\n"
        u"\tLighting2FixedColor=000000\n";
    const char16_t* names[] = {u"Left", u"Right", u"Middle", u"Forward", u"Back", u"DPI cycle"};
    const char16_t* values[] = {u"100100", u"100200", u"100400", u"101000", u"100800", u"400100"};
    for (int n = 0; n < kButtonCount; ++n) {
        const std::u16string d = FormatDecimal(n);
        expected += u"Key" + d + u"Name=" + names[n] + u"\n";
        expected += u"\tKey" + d + u"Value=" + values[n] + u"\n";
        expected += u"\tMacroKeyIndex=0\n";
        expected += u"\tMacroKey" + d + u"Name=\n";
        expected += u"\t\tMacroActionNum=0\n";
        expected += u"\t\tAllAction=" + std::u16string(2688, u'0') + u"\n";
    }

    ASSERT_TRUE(WriteProfileFile(state, 0, ToU16(dir / "d.psf"), fs));
    EXPECT_EQ(ReadBytes(dir / "d.psf"), Utf16File(expected));
    EXPECT_EQ(SplitLines(expected).size(), 93u);
}

TEST_F(ProfileFileTest, ResetProfileReadsBackIdentical) {
    ASSERT_TRUE(WriteProfileFile(state, 3, ToU16(dir / "p.psf"), fs));
    const ProfileRecord written = state.Profiles[3];
    state.Profiles[1] = ProfileRecord{};
    ASSERT_TRUE(ReadProfileFile(state, 1, ToU16(dir / "p.psf"), fs).Ok);
    EXPECT_EQ(state.Profiles[1], written);
}

TEST_F(ProfileFileTest, EditedProfileWithMacrosReadsBackIdentical) {
    ProfileRecord& r = state.Profiles[2];
    r.SettingPairs[kProfileName] = {u"MyName", u"Ünïcode 名前 = with equals"};
    r.SettingPairs[kGameFile0].Name = u"Renamed";
    r.XYSettingValue = {0, 1, 0x1234, 0xFFFF, 7, 8, 9, 10};
    r.DPILevelIndication[4] = 0x123456;
    r.Lighting1FixedColor[9][9] = 0xABCDEF;
    r.Lighting1ColorSelected[9][9] = 0xFE;
    r.Lighting1Speed[9] = 0x7F;
    r.Lighting2FixedColor = 0x010203;
    r.PollingRateValue = {3, 0xAA, 0xBB};
    KeyRecord& key = r.Keys[4];
    key.KeyName = u"My macro";
    key.Value = {0x90, 0x01, 0x02};
    key.MacroKeyIndex = 4000000000u;
    key.Macro.MacroName = u"My macro";
    key.Macro.InsertAction(0, MacroAction::Delay(50));
    key.Macro.InsertAction(1, MacroAction::Make(0x41, 0x00, 0, 0));
    key.Macro.InsertAction(2, MacroAction::Make(0x41, 0x80, 0, 0));
    key.Macro.AllAction[335] = MacroAction::Make(0xDE, 0xAD, 0xBE, 0xEF);  // beyond the count
    key.Macro.MacroCommandActionNum = 2;

    ASSERT_TRUE(WriteProfileFile(state, 2, ToU16(dir / "p.psf"), fs));
    const ProfileRecord written = r;
    ResetProfileDefaults(state.Profiles[0], 0, state.Language, 0x3325);
    ASSERT_TRUE(ReadProfileFile(state, 0, ToU16(dir / "p.psf"), fs).Ok);
    EXPECT_EQ(state.Profiles[0], written);
}

TEST_F(ProfileFileTest, MacroCommandCountIsRecountedFromTheUsedActions) {
    KeyRecord& key = state.Profiles[0].Keys[1];
    key.Macro.InsertAction(0, MacroAction::Make(0x41, 0x00, 0, 0));
    key.Macro.InsertAction(1, MacroAction::Delay(100));
    key.Macro.InsertAction(2, MacroAction::Make(0x41, 0x80, 0, 0));
    key.Macro.InsertAction(3, MacroAction::Make(0xE0, 0x00, 0, 0));
    key.Macro.AllAction[10] = MacroAction::Make(0x42, 0, 0, 0);  // unused slot
    key.Macro.MacroCommandActionNum = 0;                         // as the file leaves it
    ASSERT_TRUE(WriteProfileFile(state, 0, ToU16(dir / "p.psf"), fs));
    ASSERT_TRUE(ReadProfileFile(state, 1, ToU16(dir / "p.psf"), fs).Ok);
    EXPECT_EQ(state.Profiles[1].Keys[1].Macro.MacroCommandActionNum, 3);

    // More than a byte can hold is announced as 255.
    for (uint32_t k = 0; k < 300; ++k)
        key.Macro.SetAction(k, MacroAction::Make(0x41, 0, 0, 0));
    key.Macro.MacroActionNum = 300;
    ASSERT_TRUE(WriteProfileFile(state, 0, ToU16(dir / "p.psf"), fs));
    ASSERT_TRUE(ReadProfileFile(state, 1, ToU16(dir / "p.psf"), fs).Ok);
    EXPECT_EQ(state.Profiles[1].Keys[1].Macro.MacroCommandActionNum, 255);
}

TEST_F(ProfileFileTest, ResetProfileFileHas93LinesAndZeroActions) {
    const auto lines = DefaultLines();
    ASSERT_EQ(lines.size(), 93u);
    for (int n = 0; n < kButtonCount; ++n) {
        const std::u16string& line = lines[kFirstButtonLine + kLinesPerButton * n + kAllActionLine];
        EXPECT_EQ(line, u"\t\tAllAction=" + std::u16string(2688, u'0')) << n;
    }
}

// One line of the default file replaced (or removed, or cut after), and
// whether the read still succeeds.
struct LineCase {
    const char* name;
    size_t line;
    std::u16string text;
    bool ok;

    friend void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }
};

class ProfileLineRuleTest : public ProfileFileTest,
                            public ::testing::WithParamInterface<LineCase> {};

constexpr size_t Button(size_t n, size_t line) {
    return kFirstButtonLine + kLinesPerButton * n + line;
}

TEST_P(ProfileLineRuleTest, Read) {
    auto lines = DefaultLines();
    lines[GetParam().line] = GetParam().text;
    const ProfileReadResult result = ReadText(JoinLines(lines));
    EXPECT_EQ(result.Ok, GetParam().ok);
}

const std::u16string kActions(2688, u'0');

INSTANTIATE_TEST_SUITE_P(
    Lines, ProfileLineRuleTest,
    ::testing::Values(
        LineCase{"HeaderCaseMatters", 0, u"[setting]", false},
        LineCase{"PairEmptyValue", 5, u"DoubleClickSpeed=", true},
        LineCase{"PairAnyName", 5, u"x=9", true}, LineCase{"PairEmptyName", 5, u"=9", false},
        LineCase{"PairNoEquals", 5, u"DoubleClickSpeed", false},
        LineCase{"PairEmptyLine", 5, u"\n", false},
        LineCase{"ByteLineEmptyName", 21, u"=1F", false},
        LineCase{"ByteLineEmptyValue", 21, u"DPIOffOnFlagValue=", true},
        LineCase{"KeyNameEmptyName", Button(0, 0), u"=Left", false},
        LineCase{"KeyValueEmptyName", Button(0, 1), u"=100100", false},
        LineCase{"MacroKeyIndexEmptyName", Button(0, kMacroKeyIndexLine), u"=5", true},
        LineCase{"MacroKeyIndexEmptyValue", Button(0, kMacroKeyIndexLine), u"\tMacroKeyIndex=",
                 false},
        LineCase{"MacroNameEmpty", Button(0, kMacroNameLine), u"=", true},
        LineCase{"MacroNameNoEquals", Button(0, kMacroNameLine), u"\tMacroKey0Name", false},
        LineCase{"ActionNumEmptyValue", Button(0, kActionNumLine), u"x=", false},
        LineCase{"ActionNumEmptyName", Button(0, kActionNumLine), u"=0", true},
        LineCase{"AllActionEmptyName", Button(0, kAllActionLine), u"=" + kActions, true},
        LineCase{"AllActionShort", Button(5, kAllActionLine),
                 u"\t\tAllAction=" + kActions.substr(1), false},
        LineCase{"AllActionLong", Button(5, kAllActionLine), u"\t\tAllAction=" + kActions + u"0",
                 false},
        LineCase{"XYTabRemoved", kFirstXYLine, u"XYSetting1Value=0006", true},
        LineCase{"XYRenamed", kFirstXYLine, u"Anything at all=0006", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileFileTest, LinesAfterTheSixButtonsAreIgnored) {
    auto lines = DefaultLines();
    lines.push_back(u"no equals here");
    lines.push_back(u"\n");
    ASSERT_TRUE(ReadText(JoinLines(lines)).Ok);
    EXPECT_EQ(state.Profiles[1], state.Profiles[0]);
}

TEST_F(ProfileFileTest, XYLineNameAndTabChangeNothing) {
    const ProfileRecord original = state.Profiles[0];
    for (const std::u16string name : {u"XYSetting1Value", u"Other name"}) {
        auto lines = DefaultLines();
        lines[kFirstXYLine] = name + u"=0006";
        ASSERT_TRUE(ReadText(JoinLines(lines)).Ok);
        EXPECT_EQ(state.Profiles[1], original) << ToUtf8(name);
        // Written back as the program writes it.
        ASSERT_TRUE(WriteProfileFile(state, 1, ToU16(dir / "back.psf"), fs));
        EXPECT_EQ(ReadBytes(dir / "back.psf"), ReadBytes(dir / "d.psf"));
    }
}

TEST_F(ProfileFileTest, HexPiecesAreCutAtFixedPlaces) {
    struct Case {
        std::u16string value;
        uint16_t step;
    };
    const Case cases[] = {{u"6", 6}, {u"00G6", 0},      {u"0006", 6},      {u"12345", 0x1234},
                          {u"", 0},  {u"ffff", 0xFFFF}, {u"3A;junk", 0x3A}};
    for (const Case& c : cases) {
        auto lines = DefaultLines();
        lines[kFirstXYLine] = u"\tXYSetting1Value=" + c.value;
        ASSERT_TRUE(ReadText(JoinLines(lines)).Ok);
        EXPECT_EQ(state.Profiles[1].XYSettingValue[0], c.step) << ToUtf8(c.value);
    }
}

TEST_F(ProfileFileTest, SeparatorsAreNotExamined) {
    auto lines = DefaultLines();
    const size_t speed = 46, fixed = 49;
    ASSERT_EQ(lines[speed].substr(0, 16), u"\tLighting1Speed=");
    lines[speed] = u"\tLighting1Speed=0AxFFx01#02#03#04#05#06#07#08";
    std::u16string& colors = lines[fixed];
    ASSERT_EQ(colors.substr(0, 21), u"\tLighting1FixedColor=");
    for (size_t j = 1; j <= 100; ++j)
        colors[21 + 7 * j - 1] = u'Z';
    ASSERT_TRUE(ReadText(JoinLines(lines)).Ok);
    const ProfileRecord& r = state.Profiles[1];
    EXPECT_EQ(r.Lighting1Speed, (std::array<uint8_t, 10>{10, 255, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(r.Lighting1FixedColor, state.Profiles[0].Lighting1FixedColor);
}

TEST_F(ProfileFileTest, MacroActionCountIsClampedToTheSlots) {
    const struct {
        std::u16string text;
        uint32_t count;
    } cases[] = {{u"336", 336},         {u"337", 336}, {u"4294967295", 336},
                 {u"99999999999", 336}, {u"-3", 0},    {u"12abc", 12}};
    for (const auto& c : cases) {
        auto lines = DefaultLines();
        lines[Button(2, kActionNumLine)] = u"\t\tMacroActionNum=" + c.text;
        ASSERT_TRUE(ReadText(JoinLines(lines)).Ok);
        const MacroRecord& macro = state.Profiles[1].Keys[2].Macro;
        EXPECT_EQ(macro.MacroActionNum, c.count) << ToUtf8(c.text);
        EXPECT_EQ(macro.CountCommandActions(), 0u);
    }
}

TEST_F(ProfileFileTest, StepIndexBeyondTheSensorIsKeptButClampedInUse) {
    auto lines = DefaultLines();
    lines[kFirstXYLine] = u"\tXYSetting1Value=FFFF";
    ASSERT_TRUE(ReadText(JoinLines(lines)).Ok);
    const uint16_t step = state.Profiles[1].XYSettingValue[0];
    EXPECT_EQ(step, 0xFFFF);
    ASSERT_TRUE(state.Sensor.BuildDpiTables());
    EXPECT_EQ(state.Sensor.DisplayDpi(step), 10000u);  // the last step of 0x3325
    EXPECT_EQ(state.Sensor.DeviceCode(step), 59);
}

TEST_F(ProfileFileTest, CrLfKeepsTheCrInTextsAndFailsOnAllAction) {
    const auto lines = DefaultLines();
    // CR LF after every line but the header (which must be exact) and, in the
    // first file, the action lines.
    auto crlf_file = [&](bool action_lines_too) {
        std::u16string text = lines[0] + u"\n";
        for (size_t i = 1; i < lines.size(); ++i) {
            const bool action =
                i >= kFirstButtonLine && (i - kFirstButtonLine) % kLinesPerButton == kAllActionLine;
            text += lines[i] + (action && !action_lines_too ? u"\n" : u"\r\n");
        }
        return text;
    };
    ASSERT_TRUE(ReadText(crlf_file(false)).Ok);
    const ProfileRecord& r = state.Profiles[1];
    EXPECT_EQ(r.Setting(kProfileName), u"Profile 1\r");
    EXPECT_EQ(r.Setting(kKeyDebounce), u"12\r");
    EXPECT_EQ(r.Keys[0].KeyName, u"Left\r");
    EXPECT_EQ(r.Keys[0].Macro.MacroName, u"\r");
    EXPECT_EQ(r.PollingRateName, u"500HZ\r");
    // Hex pieces are cut at fixed places and do not see the CR.
    EXPECT_EQ(r.XYSettingValue, state.Profiles[0].XYSettingValue);
    EXPECT_EQ(r.Lighting1Direction, state.Profiles[0].Lighting1Direction);
    EXPECT_EQ(r.Lighting2FixedColor, state.Profiles[0].Lighting2FixedColor);

    // With CR LF on the action lines too they are one character too long.
    EXPECT_FALSE(ReadText(crlf_file(true)).Ok);
    EXPECT_EQ(state.Profiles[1].Setting(kProfileName), u"Profile 2");
}

TEST_F(ProfileFileTest, FailedReadResetsTheSlotAndReplacesItsOwnFileKeepingTheOld) {
    // Slot 1's own file ends after the fifth button.
    auto lines = DefaultLines();
    lines.resize(kFirstButtonLine + 5 * kLinesPerButton);
    lines[1] = u"ProfileName=Half written";
    const std::string bad = Utf16File(JoinLines(lines));
    WriteBytes(SlotPath(1), bad);
    state.Profiles[1].Setting(kProfileName) = u"in memory";
    state.Profiles[1].XYSettingValue.fill(1);

    const ProfileReadResult result = ReadProfileFile(state, 1, ToU16(SlotPath(1)), fs);
    EXPECT_FALSE(result.Ok);
    ProfileRecord expected;
    ResetProfileDefaults(expected, 1, state.Language, 0x3325);
    EXPECT_EQ(state.Profiles[1], expected);
    EXPECT_TRUE(result.Report.AllWritten());
    ASSERT_EQ(result.Report.KeptFiles.size(), 1u);
    EXPECT_EQ(result.Report.KeptFiles[0].Path, SlotPath(1));
    EXPECT_EQ(ReadBytes(result.Report.KeptFiles[0].KeptAs), bad);
    // The slot file now holds the defaults.
    state.Profiles[1].Setting(kProfileName).clear();
    ASSERT_TRUE(ReadProfileFile(state, 1, ToU16(SlotPath(1)), fs).Ok);
    EXPECT_EQ(state.Profiles[1], expected);
}

TEST_F(ProfileFileTest, MissingFileResetsWithoutKeepingAnything) {
    const ProfileReadResult result = ReadProfileFile(state, 4, ToU16(dir / "none.psf"), fs);
    EXPECT_FALSE(result.Ok);
    EXPECT_TRUE(result.Report.KeptFiles.empty());
    EXPECT_TRUE(result.Report.AllWritten());
    EXPECT_FALSE(std::filesystem::exists(dir / "none.psf"));
    EXPECT_TRUE(std::filesystem::exists(SlotPath(4)));
}

TEST_F(ProfileFileTest, ExportWritesTheCurrentSlot) {
    state.Settings.SetCurrentProfile(2);
    state.Profiles[2].Setting(kProfileName) = u"Third";
    ASSERT_TRUE(ExportProfile(state, ToU16(dir / "out.psf"), fs));
    ASSERT_TRUE(ReadProfileFile(state, 0, ToU16(dir / "out.psf"), fs).Ok);
    EXPECT_EQ(state.Profiles[0], state.Profiles[2]);
    EXPECT_FALSE(ExportProfile(state, ToU16(dir / "missing/out.psf"), fs));
}

TEST_F(ProfileFileTest, ImportReadsIntoTheCurrentSlotAndSavesEverything) {
    state.Profiles[4].Setting(kProfileName) = u"Imported";
    ASSERT_TRUE(WriteProfileFile(state, 4, ToU16(dir / "chosen.psf"), fs));
    state.CurrentProfileTab = 3;
    state.Settings.SetCurrentProfile(3);

    const ProfileReadResult result = ImportProfile(state, ToU16(dir / "chosen.psf"), fs);
    EXPECT_TRUE(result.Ok);
    EXPECT_TRUE(result.Report.AllWritten());
    EXPECT_TRUE(result.Report.KeptFiles.empty());
    EXPECT_EQ(state.Profiles[3].Setting(kProfileName), u"Imported");
    EXPECT_EQ(ReadBytes(SlotPath(3)), ReadBytes(dir / "chosen.psf"));
    EXPECT_TRUE(std::filesystem::exists(ToUtf8(SettingsFilePath(state))));
}

struct BadImportCase {
    const char* name;
    const char* file;   // under the test folder; empty: not created
    std::string bytes;  // written unless `folder`
    bool folder;
    const char* problem;

    friend void PrintTo(const BadImportCase& c, std::ostream* os) { *os << c.name; }
};

class BadImportTest : public ProfileFileTest,
                      public ::testing::WithParamInterface<BadImportCase> {};

TEST_P(BadImportTest, LeavesTheSlotAndEveryFileAsTheyWere) {
    const BadImportCase& c = GetParam();
    state.CurrentProfileTab = 2;
    state.Settings.SetCurrentProfile(2);
    state.Profiles[2].Setting(kProfileName) = u"Mine";
    ASSERT_TRUE(WriteAllProfileFiles(state, fs).AllWritten());
    ASSERT_TRUE(SaveSettings(state, fs));
    const ProfileRecord before = state.Profiles[2];
    const auto listing = dir.List("config");
    std::vector<std::string> bytes_before;
    for (const std::string& name : listing)
        bytes_before.push_back(ReadBytes(dir / ("config/" + name)));
    const std::string chosen = dir / c.file;
    if (c.folder)
        std::filesystem::create_directory(chosen);
    else if (!c.bytes.empty())
        WriteBytes(chosen, c.bytes);

    const ProfileReadResult result = ImportProfile(state, 2, ToU16(chosen), fs);

    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Problem, c.problem);
    EXPECT_EQ(state.Profiles[2], before);
    EXPECT_TRUE(result.Report.Empty());
    EXPECT_EQ(dir.List("config"), listing);
    for (size_t i = 0; i < listing.size(); ++i)
        EXPECT_EQ(ReadBytes(dir / ("config/" + listing[i])), bytes_before[i]) << listing[i];
    if (!c.folder && !c.bytes.empty()) {
        EXPECT_EQ(ReadBytes(chosen), c.bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadImportTest,
    ::testing::Values(BadImportCase{"Missing", "typo.psf", "", false, "it does not exist"},
                      BadImportCase{"Folder", "folder.psf", "", true, "it is a folder"},
                      BadImportCase{"Truncated", "cut.psf",
                                    Utf16File(u"[Setting]\nProfileName=Broken\n"), false,
                                    "it ends after line 2 (a profile has 93 lines)"},
                      BadImportCase{"NotAProfile", "text.psf", "not a profile\n", false,
                                    "line 1 is not \"[Setting]\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileFileTest, LineFeedInATextDoesNotBreakTheFile) {
    state.Profiles[0].Keys[2].Macro.MacroName = u"two\nlines";
    state.Profiles[0].Setting(kGameFile1) = u"a\nb";
    ASSERT_TRUE(WriteProfileFile(state, 0, ToU16(dir / "p.psf"), fs));
    EXPECT_EQ(SplitLines(TextOfFile(dir / "p.psf")).size(), 93u);
    ASSERT_TRUE(ReadProfileFile(state, 1, ToU16(dir / "p.psf"), fs).Ok);
    EXPECT_EQ(state.Profiles[1].Keys[2].Macro.MacroName, u"two lines");
    EXPECT_EQ(state.Profiles[1].Setting(kGameFile1), u"a b");
}

}  // namespace
}  // namespace velmaro
