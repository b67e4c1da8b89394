// One damaged number in a settings, profile or library file, then a whole
// run of the program that writes every file it holds: each file is either
// left exactly as it was, or its old bytes were kept beside it and the run
// said why. A value read other than it stood never travels silently into
// this file or another one (a library macro's play mode into the buttons
// that use it, a sensor line into the profiles' DPI settings).
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "device/app_core.h"
#include "device/hid/sim/virtual_mouse.h"
#include "macro/memory_file_system.h"
#include "model/button_functions.h"
#include "model/text.h"
#include "storage/english_texts.h"

namespace velmaro {
namespace {

using testing::MemoryFileSystem;
using testing::TextOf;
using testing::Utf16File;

constexpr char kConfig[] = "/data/config/config.ini";
constexpr char kProfile0[] = "/data/config/default0.psf";
constexpr char kLibrary[] = "/data/config/MacroLibraryFile.mlf";
constexpr unsigned kAllGroups = kGroupButtons | kGroupMain | kGroupPower | kGroupWakeup;

// One run of the program on `fs`: start, the scan's apply, every group sent
// again and saved, the library written at the end.
struct ProgramRun {
    explicit ProgramRun(MemoryFileSystem& fs) : core(mouse, fs, timers, pacer, ui) {
        AppCoreOptions options;
        options.DataFolder = u"/data/";
        options.Locale = "en_US.UTF-8";
        startup = core.Initialize(options);
        Advance(kApplyDelayMs);
        core.Writer().MarkChanged(kAllGroups);
        Advance(kApplyDelayMs);
        core.MarkMacrosChanged();
        shutdown = core.Shutdown();
    }
    void Advance(long long ms) {
        timers.Advance(ms, [this](int id) { core.OnTimer(id); });
    }
    // Every file the run kept, with why.
    std::vector<KeptFile> Kept() const {
        std::vector<KeptFile> kept = startup.Settings.Report.KeptFiles;
        for (const auto* report : {&core.LastSensorChangeReport(), &shutdown.Save})
            kept.insert(kept.end(), report->KeptFiles.begin(), report->KeptFiles.end());
        return kept;
    }

    VirtualMouse mouse{VirtualMouseConfig{}};
    ManualTimerHost timers;
    RecordingPacer pacer;
    RecordingCoreUi ui;
    AppCore core;
    StartupReport startup;
    ShutdownReport shutdown;
};

// Replaces the value of the first line whose name (tabs skipped) is `name`.
bool SetValue(MemoryFileSystem& fs, const std::string& path, std::u16string_view name,
              std::u16string_view value) {
    std::u16string text = TextOf(fs.files[path]);
    size_t at = 0;
    while (at < text.size()) {
        size_t start = at;
        while (start < text.size() && text[start] == u'\t')
            ++start;
        const size_t end = text.find(u'\n', at);
        if (text.compare(start, name.size(), name) == 0 && text[start + name.size()] == u'=') {
            const size_t from = start + name.size() + 1;
            text.replace(from, end - from, value);
            fs.files[path] = Utf16File(text);
            return true;
        }
        at = end == std::u16string::npos ? text.size() : end + 1;
    }
    return false;
}

class DamagedFieldProbe : public ::testing::Test {
  protected:
    // A folder as the program leaves it: button 5 of profile 0 plays library
    // macro 1, which plays while the button is held (play mode 3).
    void SetUp() override {
        { ProgramRun first(fs); }
        ProgramState seed;
        seed.DataFolder = u"/data/";
        seed.Settings.SetDefaultSettings(seed.DataFolder);
        ASSERT_TRUE(ReadProfileFile(seed, 0, seed.Settings.ProfileSlotPath(0), fs).Ok);
        KeyRecord& key = seed.Profiles[0].Keys[4];
        key.KeyName = u"Macro-Held";
        key.Value = {kCategoryMacro, 0x31, 0x00};
        key.MacroKeyIndex = 1;
        key.Macro.MacroName = u"Held";
        key.Macro.InsertAction(0, MacroAction::Make(0x41, 0x00, 0, 0));
        ASSERT_TRUE(WriteProfileFile(seed, 0, seed.Settings.ProfileSlotPath(0), fs));
        MacroLibrary library;
        ASSERT_EQ(library.AddMacro(u"Held"), AddResult::Added);
        MacroRecord& macro = *library.MutableItemAt(MacroItemLocation::Top(0))->Macro;
        macro.CopyMacroContent(key.Macro);
        macro.MacroKeyLoopType = 3;
        ASSERT_TRUE(SaveMacroLibrary(kLibrary, library, fs));
        // A clean run changes nothing.
        const auto before = fs.files;
        ProgramRun clean(fs);
        ASSERT_EQ(fs.files, before);
        ASSERT_TRUE(clean.Kept().empty());
    }

    MemoryFileSystem fs;
};

struct FieldCase {
    const char* name;
    const char* file;
    const char16_t* field;
    const char16_t* value;
    bool taken;  // the value reads exactly as written: nothing to keep

    friend void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }
};

class DamagedFieldTest : public DamagedFieldProbe,
                         public ::testing::WithParamInterface<FieldCase> {};

TEST_P(DamagedFieldTest, IsTakenExactlyOrKeptAndTold) {
    const FieldCase& c = GetParam();
    ASSERT_TRUE(SetValue(fs, c.file, c.field, c.value)) << "no line " << ToUtf8(c.field);
    const std::map<std::string, std::string> damaged = fs.files;

    ProgramRun run(fs);

    const std::vector<KeptFile> kept = run.Kept();
    for (const auto& [path, bytes] : damaged) {
        if (path.find(".bad-") != std::string::npos || fs.files[path] == bytes)
            continue;
        // Changed: the old bytes must be beside it, and the run must say so.
        const auto told = std::find_if(kept.begin(), kept.end(), [&](const KeptFile& k) {
            return k.Path == path && !k.KeptAs.empty() && fs.files[k.KeptAs] == bytes;
        });
        EXPECT_NE(told, kept.end()) << path << " changed silently";
    }
    bool damaged_kept = false;
    for (const KeptFile& k : kept)
        damaged_kept =
            damaged_kept || (k.Path == c.file && fs.files[k.KeptAs] == damaged.at(c.file));
    EXPECT_EQ(damaged_kept, !c.taken);
    // Kept once: a second run finds nothing more to keep.
    const size_t copies = size_t(fs.CountStartingWith(std::string(c.file) + ".bad-"));
    ProgramRun again(fs);
    EXPECT_EQ(size_t(fs.CountStartingWith(std::string(c.file) + ".bad-")), copies);
    // The button keeps the play mode it had, unless its own line was hit.
    if (std::string(c.file) != kProfile0) {
        EXPECT_EQ(run.core.State().Profiles[0].Keys[4].Value[1] >> 4, 3);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DamagedFieldTest,
    ::testing::Values(
        // config.ini
        FieldCase{"SensorNonAsciiDigit", kConfig, u"Sensor",
                  u"0x33\u0662"
                  u"5",
                  false},
        FieldCase{"PreSTNonAsciiDigit", kConfig, u"PreST",
                  u"0xCC\u0663"
                  u"A",
                  false},
        FieldCase{"PreSTTrailingJunk", kConfig, u"PreST", u"0xCCDAx", false},
        FieldCase{"SensorWithoutPrefix", kConfig, u"Sensor", u"3325", true},
        FieldCase{"CurrentProfileJunk", kConfig, u"CurrentProfile", u"1x", false},
        FieldCase{"CurrentProfileOutOfRange", kConfig, u"CurrentProfile", u"9", false},
        FieldCase{"CurrentProfileOther", kConfig, u"CurrentProfile", u"2", true},
        FieldCase{"ShowCountNonAscii", kConfig, u"ProfileShowCount", u"\u0663", false},
        FieldCase{"ShowListTwice", kConfig, u"ProfileShowList2", u"0", false},
        // default0.psf
        FieldCase{"ProfileKeyValueNonAscii", kProfile0, u"Key4Value",
                  u"9\u0660"
                  u"3100",
                  false},
        FieldCase{"ProfileDpiStepJunk", kProfile0, u"XYSetting1Value", u"00x9", false},
        FieldCase{"ProfileActionCount", kProfile0, u"MacroActionNum", u"1x", false},
        FieldCase{"ProfileRate", kProfile0, u"PollingRateValue",
                  u"01\u0660"
                  u"000",
                  false},
        // MacroLibraryFile.mlf
        FieldCase{"LibraryPlayModeNonAscii", kLibrary, u"MacroKeyLoopType", u"\u0663", false},
        FieldCase{"LibraryPlayModeJunk", kLibrary, u"MacroKeyLoopType", u"3x", false},
        FieldCase{"LibraryPlayModeTooLarge", kLibrary, u"MacroKeyLoopType", u"259", false},
        FieldCase{"LibraryRepeatCount", kLibrary, u"MacroKeyLoopNum", u"1\u0660", false},
        FieldCase{"LibraryKeyIndex", kLibrary, u"MacroKeyIndex", u"1x", false},
        FieldCase{"LibraryActionCount", kLibrary, u"MacroActionNum", u"999", false},
        FieldCase{"LibraryFolderFlag", kLibrary, u"MacroItemIsFolder", u"0 ", false},
        FieldCase{"LibraryNextKeyOther", kLibrary, u"MacroKeyIndex", u"7", true}),
    [](const auto& info) { return std::string(info.param.name); });

// The play mode case as it was found: the library is kept and told, the
// button keeps its own play mode, and the user hears which button.
TEST_F(DamagedFieldProbe, ARepairedPlayModeStaysOutOfTheButtons) {
    ASSERT_TRUE(SetValue(fs, kLibrary, u"MacroKeyLoopType", u"\u0663"));
    const std::string profile = fs.files[kProfile0];

    ProgramRun run(fs);

    EXPECT_EQ(fs.files[kProfile0], profile);
    const auto& kept = run.startup.Settings.Report.KeptFiles;
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].Path, kLibrary);
    const std::string why = EnglishText(kept[0].Why);
    EXPECT_NE(why.find("MacroKeyLoopType"), std::string::npos) << why;
    EXPECT_NE(why.find("reads as 0"), std::string::npos) << why;
    const auto attention = run.core.TakeLibraryAttention();
    ASSERT_TRUE(attention);
    const std::string english = EnglishText(*attention);
    EXPECT_NE(english.find("Button 5 of \"Profile 1\" keeps its own macro as it was rather than "
                           "take the repaired values"),
              std::string::npos)
        << english;
}

}  // namespace
}  // namespace velmaro
