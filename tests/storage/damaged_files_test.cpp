// Damaged settings and profile files: what the user had is kept beside the
// file before anything replaces it, slot paths stay in config/, copies do not
// pile up, and files whose bytes would not change are not written.
#include <gtest/gtest.h>

#include <functional>

#include "platform/posix_file_system.h"
#include "storage/english_texts.h"
#include "storage/profile_file.h"
#include "storage/settings_file.h"
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

class DamagedFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = ToU16(dir.Path()) + u"/";
        // A first start, then profiles of the user's own.
        ProgramState first = Fresh();
        ASSERT_TRUE(EnsureConfigFolder(first, fs));
        LoadSettings(first, fs);
        for (int s = 0; s < kProfileSlots; ++s) {
            first.Profiles[s].Setting(kProfileName) = u"Mine " + FormatDecimal(s);
            first.Profiles[s].XYSettingValue.fill(3);
        }
        ASSERT_TRUE(WriteAllProfileFiles(first, fs).AllWritten());
    }

    ProgramState Fresh() const {
        ProgramState state;
        state.DataFolder = folder;
        state.Language = testing::TestLanguage();
        return state;
    }
    std::string Config() const { return dir / "config/config.ini"; }
    std::string Slot(int s) const { return dir / ("config/default" + std::to_string(s) + ".psf"); }
    void EditLines(const std::string& path,
                   const std::function<void(std::vector<std::u16string>&)>& edit) {
        auto lines = SplitLines(TextOfFile(path));
        edit(lines);
        WriteBytes(path, Utf16File(JoinLines(lines)));
    }
    // The names in config/ that are kept copies.
    std::vector<std::string> Copies() const {
        std::vector<std::string> copies;
        for (const std::string& name : dir.List("config"))
            if (name.find(".bad-") != std::string::npos)
                copies.push_back(name);
        return copies;
    }
    // A start that finds everything as the program writes it: nothing to
    // tell, nothing written.
    void ExpectQuietStart() {
        CountingFileSystem counting(fs);
        ProgramState again = Fresh();
        const LoadSettingsResult result = LoadSettings(again, counting);
        EXPECT_TRUE(result.Report.Empty());
        EXPECT_EQ(counting.Changes(), 0);
    }

    TempDir dir;
    PosixFileSystem fs;
    std::u16string folder;
};

struct SlotPathCase {
    const char* name;
    std::function<std::u16string(const std::u16string& config)> value;
    const char* problem;              // empty: the path is used as it stands
    const char16_t* slot3 = nullptr;  // slot 3's file name in config/, when changed too

    friend void PrintTo(const SlotPathCase& c, std::ostream* os) { *os << c.name; }
};

class SlotPathTest : public DamagedFilesTest, public ::testing::WithParamInterface<SlotPathCase> {};

TEST_P(SlotPathTest, OnlyFilesInConfigAreUsed) {
    const std::u16string config = folder + u"config/";
    const std::u16string value = GetParam().value(config);
    EditLines(Config(), [&](auto& lines) {
        lines[14] = u"ProfileSlot2URL=" + value;
        if (GetParam().slot3)
            lines[15] = u"ProfileSlot3URL=" + config + GetParam().slot3;
    });
    const std::string before = ReadBytes(Config());

    ProgramState state = Fresh();
    const LoadSettingsResult result = LoadSettings(state, fs);

    EXPECT_FALSE(result.SettingsRebuilt);
    const std::string problem = GetParam().problem;
    if (problem.empty()) {
        EXPECT_EQ(state.Settings.ProfileSlotPath(2), value);
        EXPECT_TRUE(result.Report.Empty());
        EXPECT_EQ(ReadBytes(Config()), before);
        return;
    }
    // The slot's default path is used, told and written back; the old file
    // is kept. The user's profile at that path is read, not reset.
    EXPECT_EQ(state.Settings.ProfileSlotPath(2), config + u"default2.psf");
    EXPECT_EQ(state.Profiles[2].Setting(kProfileName), u"Mine 2");
    ASSERT_EQ(result.Report.Notes.size(), 1u);
    const std::string note = EnglishText(result.Report.Notes[0]);
    EXPECT_NE(note.find("config.ini line 15"), std::string::npos);
    EXPECT_NE(note.find(problem), std::string::npos) << note;
    ASSERT_EQ(result.Report.KeptFiles.size(), 1u);
    EXPECT_EQ(ReadBytes(result.Report.KeptFiles[0].KeptAs), before);
    EXPECT_EQ(SplitLines(TextOfFile(Config()))[14], u"ProfileSlot2URL=" + config + u"default2.psf");
    EXPECT_EQ(dir.List(), std::vector<std::string>{"config"});
    ExpectQuietStart();
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SlotPathTest,
    ::testing::Values(
        SlotPathCase{"OwnFileOfAnotherName", [](auto& c) { return c + u"mine.psf"; }, ""},
        SlotPathCase{"SwappedWithAnotherSlot", [](auto& c) { return c + u"default3.psf"; }, "",
                     u"default2.psf"},
        SlotPathCase{"SameAsSlot3", [](auto& c) { return c + u"default3.psf"; },
                     "the file of Profile 4 too"},
        SlotPathCase{"Blank", [](auto&) { return u" "; }, "not an absolute path"},
        SlotPathCase{"Number", [](auto&) { return u"0x3325"; }, "not an absolute path"},
        SlotPathCase{"Root", [](auto&) { return u"/"; }, "not a .psf file"},
        SlotPathCase{"NotAProfile", [](auto& c) { return c + u"config.ini"; }, "not a .psf file"},
        SlotPathCase{"OutsideConfig", [](auto& c) { return c + u"../default2.psf"; }, "not in "},
        SlotPathCase{
            "CopiedDataFolder",
            [](auto&) { return u"/home/someone/VelmaroData20240507A/config/default2.psf"; },
            "not in "},
        SlotPathCase{"ControlCharacter", [](auto& c) { return c + u"a\tb.psf"; }, "control"},
        SlotPathCase{"LongPath", [](auto& c) { return c + std::u16string(300000, u'x'); },
                     "not a .psf file"},
        SlotPathCase{"SameAsSlot0", [](auto& c) { return c + u"./default0.psf"; },
                     "the file of Profile 1 too"}),
    [](const auto& info) { return std::string(info.param.name); });

struct LenientCase {
    const char* name;
    std::function<void(std::vector<std::u16string>&)> edit;
    int line;  // the first line the program writes differently (from 1)

    friend void PrintTo(const LenientCase& c, std::ostream* os) { *os << c.name; }
};

class LenientProfileTest : public DamagedFilesTest,
                           public ::testing::WithParamInterface<LenientCase> {};

TEST_P(LenientProfileTest, IsKeptOnceBeforeItIsRewritten) {
    EditLines(Slot(1), GetParam().edit);
    const std::string damaged = ReadBytes(Slot(1));

    ProgramState state = Fresh();
    const LoadSettingsResult result = LoadSettings(state, fs);

    EXPECT_EQ(result.SlotReset, (std::array<bool, 5>{}));
    ASSERT_EQ(result.Report.KeptFiles.size(), 1u);
    const KeptFile& kept = result.Report.KeptFiles[0];
    EXPECT_EQ(kept.Path, Slot(1));
    EXPECT_EQ(ReadBytes(kept.KeptAs), damaged);
    const std::string why = EnglishText(kept.Why);
    EXPECT_NE(why.find("line " + std::to_string(GetParam().line) + " "), std::string::npos) << why;
    // Nothing is written yet; the next save writes the canonical file.
    EXPECT_EQ(ReadBytes(Slot(1)), damaged);
    ASSERT_TRUE(WriteAllProfileFiles(state, fs).AllWritten());
    // A file kept already is not kept again.
    WriteBytes(Slot(1), damaged);
    ProgramState again = Fresh();
    EXPECT_EQ(LoadSettings(again, fs).Report.KeptFiles[0].KeptAs, kept.KeptAs);
    EXPECT_EQ(Copies().size(), 1u);
    ASSERT_TRUE(WriteAllProfileFiles(again, fs).AllWritten());
    ExpectQuietStart();
}

INSTANTIATE_TEST_SUITE_P(
    Edits, LenientProfileTest,
    ::testing::Values(
        // A pair and the DPI flag line swapped: the pair's name is lost.
        LenientCase{"SwappedLines", [](auto& l) { std::swap(l[20], l[21]); }, 22},
        LenientCase{"EmptiedValue", [](auto& l) { l[30] = u"\tCurrentDPILevelValue="; }, 31},
        LenientCase{"ValueWithJunk", [](auto& l) { l[24] += u"junk"; }, 25},
        LenientCase{"LinesAfterTheButtons", [](auto& l) { l.push_back(u"extra=1"); }, 94},
        LenientCase{"ShortValue", [](auto& l) { l[22] = u"\tXYSetting1Value=3"; }, 23}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DamagedFilesTest, SavingWhatDidNotChangeWritesNothing) {
    ProgramState state = Fresh();
    LoadSettings(state, fs);
    CountingFileSystem counting(fs);
    EXPECT_TRUE(SaveSettings(state, counting));
    EXPECT_TRUE(WriteAllProfileFiles(state, counting).AllWritten());
    EXPECT_EQ(counting.Changes(), 0);
    state.Profiles[3].Setting(kProfileName) = u"changed";
    EXPECT_TRUE(WriteAllProfileFiles(state, counting).AllWritten());
    EXPECT_EQ(counting.Written, std::vector<std::string>{Slot(3)});
}

TEST_F(DamagedFilesTest, AFolderInPlaceOfConfigIniResetsNoProfileAndPilesNothingUp) {
    std::filesystem::remove(Config());
    std::filesystem::create_directory(Config());
    for (int run = 0; run < 2; ++run) {
        ProgramState state = Fresh();
        const LoadSettingsResult result = LoadSettings(state, fs);
        EXPECT_TRUE(result.SettingsRebuilt);
        EXPECT_EQ(result.SlotReset, (std::array<bool, 5>{}));
        EXPECT_EQ(state.Profiles[4].Setting(kProfileName), u"Mine 4");
        EXPECT_EQ(result.Report.FailedWrites, std::vector<std::string>{Config()});
        EXPECT_EQ(result.Report.WriteErrors, std::vector<std::string>{"Is a directory"});
        EXPECT_TRUE(result.Report.KeptFiles.empty());
        ASSERT_EQ(result.Report.Notes.size(), 1u);
        EXPECT_NE(
            EnglishText(result.Report.Notes[0]).find("the five profiles were left as they are"),
            std::string::npos);
        EXPECT_TRUE(Copies().empty());
    }
}

TEST_F(DamagedFilesTest, ABadConfigIniThatStaysBadIsKeptOnce) {
    WriteBytes(Config(), Utf16File(u"[Setting]\nSensor\n"));
    ProgramState state = Fresh();
    LoadSettingsResult result = LoadSettings(state, fs);
    ASSERT_EQ(result.Report.KeptFiles.size(), 6u);
    EXPECT_NE(
        EnglishText(result.Report.KeptFiles[0].Why)
            .find("config.ini line 2 has no \"=\": the settings and the five profiles were reset"),
        std::string::npos);
    EXPECT_EQ(result.Report.KeptFiles[3].Path, Slot(2));
    EXPECT_NE(EnglishText(result.Report.KeptFiles[3].Why)
                  .find("the profiles were reset to their defaults"),
              std::string::npos);
    EXPECT_EQ(Copies().size(), 6u);

    // The same damage again: the copies made before are the copies.
    WriteBytes(Config(), Utf16File(u"[Setting]\nSensor\n"));
    ProgramState again = Fresh();
    result = LoadSettings(again, fs);
    ASSERT_EQ(result.Report.KeptFiles.size(), 1u);  // the five defaults are new
    EXPECT_FALSE(result.Report.KeptFiles[0].MadeNow);
    EXPECT_EQ(Copies().size(), 6u);
}

}  // namespace
}  // namespace velmaro
