#include "macro/macro_library_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "macro/library_outline.h"
#include "macro/memory_file_system.h"

namespace velmaro {
namespace {

using testing::Build;
using testing::MemoryFileSystem;
using testing::Outline;
using testing::TextOf;
using testing::Utf16File;
using L = MacroItemLocation;

const std::string kPath = "/data/config/MacroLibraryFile.mlf";

// One open top-level folder "Games" holding macro "Reload" (R down, 50 ms, R up).
void BuildExample(MacroLibrary& lib) {
    ASSERT_EQ(lib.AddFolder(u"Games"), AddResult::Added);
    ASSERT_EQ(lib.AddMacro(u"Reload"), AddResult::Added);
    lib.MutableItemAt(L::Top(0))->MacroItemFolderIsOpen = 1;
    MacroRecord& m = *lib.MutableItemAt(L::Stage1(0, 0))->Macro;
    m.InsertAction(0, MacroAction::Make(0x52, 0x00, 0, 0));
    m.InsertAction(1, MacroAction::Delay(50));
    m.InsertAction(2, MacroAction::Make(0x52, 0x80, 0, 0));
    m.MacroCommandActionNum = 2;
    lib.SelectedLocation = L::None();
}

const std::u16string kExample =
    u"[MacroLibrary]\n"
    u"MacroKeyIndex=2\n"
    u"Select Locaton:stage=-1;stage0Index=0;stage1Index=0;stage2Index=0;\n"
    u"++++++++MacroItemName=Games\n"
    u"MacroItemLocation:stage=0;stage0Index=0;stage1Index=0;stage2Index=0;\n"
    u"MacroItemIsFolder=1\n"
    u"MacroItemFolderIsOpen=1\n"
    u"\t++++++++MacroItemName=Reload\n"
    u"\tMacroItemLocation:stage=1;stage0Index=0;stage1Index=0;stage2Index=0;\n"
    u"\tMacroItemIsFolder=0\n"
    u"\tMacroItemFolderIsOpen=0\n"
    u"\tMacroKeyIndex=1\n"
    u"\tMacroKeyLoopType=2\n"
    u"\tMacroKeyLoopNum=1\n"
    u"\tMacroActionNum=3\n"
    u"\tMacroCommandActionNum=2\n"
    u"\tAllAction=520000000300003252800000" +
    std::u16string(333 * 8, u'0') + u"\n";

// The position of the stage-1 block in kExample.
const size_t kReloadBlock = kExample.find(u"\t++++++++");
const size_t kActionLineEnd = kExample.size() - 1;

std::u16string Replaced(std::u16string text, std::u16string_view from, std::u16string_view to) {
    for (size_t at = text.find(from); at != std::u16string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

class LibraryFileTest : public ::testing::Test {
  protected:
    MacroLibraryLoad LoadText(const std::u16string& text, MacroLibrary& lib) {
        fs.files[kPath] = Utf16File(text);
        return LoadMacroLibrary(kPath, lib, fs);
    }
    std::u16string SavedText(MacroLibrary& lib, const L& mark = L::None()) {
        EXPECT_TRUE(SaveMacroLibrary("/out", lib, fs, mark));
        return TextOf(fs.files["/out"]);
    }

    MemoryFileSystem fs;
};

TEST_F(LibraryFileTest, ExampleLibraryIsWrittenAndReadByteForByte) {
    MacroLibrary lib;
    BuildExample(lib);
    ASSERT_TRUE(SaveMacroLibrary(kPath, lib, fs));
    EXPECT_EQ(fs.files[kPath], Utf16File(kExample));

    MacroLibrary back;
    const MacroLibraryLoad load = LoadMacroLibrary(kPath, back, fs);
    EXPECT_TRUE(load.ReadToEnd);
    EXPECT_TRUE(load.Complete);
    EXPECT_EQ(load.Mark, L::None());
    EXPECT_EQ(back.NextMacroKeyIndex, 2u);
    EXPECT_EQ(back.ItemAt(L::Top(0))->MacroItemFolderIsOpen, 1);
    const MacroRecord& m = *back.ItemAt(L::Stage1(0, 0))->Macro;
    EXPECT_EQ(m.MacroName, u"Reload");
    EXPECT_EQ(m.AllAction[1], MacroAction::Delay(50));
    EXPECT_EQ(m.AllAction[2], MacroAction::Make(0x52, 0x80, 0, 0));
    EXPECT_EQ(SavedText(back), kExample);
}

TEST_F(LibraryFileTest, RoundTripKeepsEveryStageAndSlotsPastTheCount) {
    MacroLibrary lib;
    Build(lib, "A F/ F/x F/G/ F/G/y F/G/z B");
    MacroRecord& y = *lib.MutableItemAt(testing::FindPath(lib, "F/G/y"))->Macro;
    y.SetAction(300, MacroAction::Make(0xE0, 0x80, 0x00, 0x00));  // beyond MacroActionNum
    y.MacroKeyLoopType = 4;
    y.MacroKeyLoopNum = 255;
    lib.MutableItemAt(L::Top(1))->MacroItemFolderIsOpen = 7;  // kept as it stands
    lib.NextMacroKeyIndex = 0xFFFFFFF0u;
    const L mark = L::Stage2(1, 1, 0);
    const std::u16string text = SavedText(lib, mark);
    EXPECT_NE(text.find(u"\t\t++++++++MacroItemName=z\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"E0800000"), std::u16string::npos);

    MacroLibrary back;
    const MacroLibraryLoad load = LoadText(text, back);
    EXPECT_TRUE(load.Complete);
    EXPECT_EQ(load.Mark, mark);
    EXPECT_EQ(Outline(back), Outline(lib));
    EXPECT_EQ(SavedText(back, mark), text);
}

TEST_F(LibraryFileTest, OneMacroAndOneEmptyFolderMakeSeventeenLines) {
    MacroLibrary lib;
    Build(lib, "m f/");
    const std::u16string text = SavedText(lib);
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), 3 + 10 + 4);
}

// Reading is by position and stops at the first line that does not fit.
TEST_F(LibraryFileTest, PositionalReading) {
    struct Case {
        const char* what;
        std::function<std::u16string()> text;
        const char* outline;
        bool read_to_end;
        bool complete;
        int skipped = 0;
    };
    const std::u16string reload_block = kExample.substr(kReloadBlock);
    const std::u16string head = kExample.substr(0, kReloadBlock);
    const size_t mark_end = kExample.find(u"++++");
    const Case cases[] = {
        {"as written", [] { return kExample; }, "Games/ Games/Reload", true, true},
        {"name with =", [] { return Replaced(kExample, u"=Reload", u"=Re=lo=ad"); },
         "Games/ Games/Re=lo=ad", true, true},
        {"keys and tabs ignored",
         [] { return Replaced(Replaced(kExample, u"\t", u""), u"MacroKeyLoop", u"X"); },
         "Games/ Games/Reload", true, true},
        {"stage-1 block first",
         [&] { return kExample.substr(0, mark_end) + reload_block + head.substr(mark_end); },
         "Games/ Games/Reload", true, true},
        {"carriage returns everywhere", [] { return Replaced(kExample, u"\n", u"\r\n"); }, "",
         false, false},
        {"carriage return on the action line",
         [] { return kExample.substr(0, kActionLineEnd) + u"\r\n"; }, "Games/", false, false},
        {"extra empty line at the end", [] { return kExample + u"\n"; }, "Games/ Games/Reload",
         false, true},
        {"empty line between blocks", [&] { return head + u"\n" + reload_block; }, "Games/", false,
         false},
        {"action line of 2687", [] { return kExample.substr(0, kActionLineEnd - 1) + u"\n"; },
         "Games/", false, false},
        {"action line of 2689", [] { return kExample.substr(0, kActionLineEnd) + u"0\n"; },
         "Games/", false, false},
        {"macro cut short", [] { return kExample.substr(0, kExample.find(u"\tMacroActionNum")); },
         "Games/", false, false},
        {"name without value", [] { return Replaced(kExample, u"=Reload", u"="); }, "Games/", false,
         false},
        {"location without its last value",
         [] {
             return Replaced(kExample, u"stage=1;stage0Index=0;stage1Index=0;stage2Index=0;",
                             u"stage=1;stage0Index=0;stage1Index=0;stage2Index");
         },
         "Games/", false, false},
        {"wrong first line", [] { return Replaced(kExample, u"[MacroLibrary]", u"[Macros]"); }, "",
         false, false},
        {"header only", [] { return kExample.substr(0, kExample.find(u"++++")); }, "", true, true},
        {"empty file", [] { return std::u16string(); }, "", false, true},
        {"same location twice",
         [&] { return kExample + Replaced(head.substr(mark_end), u"=Games", u"=Other"); },
         "Other/ Other/Reload", true, true},
        {"stage 3", [] { return Replaced(kExample, u"stage=1;", u"stage=3;"); }, "Games/", true,
         false, 1},
        {"index 60",
         [] { return Replaced(kExample, u"stage=1;stage0Index=0", u"stage=1;stage0Index=60"); },
         "Games/", true, false, 1},
        {"negative index",
         [] {
             return Replaced(kExample, u"stage1Index=0;stage2Index=0;\n\tMacroItemIsFolder",
                             u"stage1Index=-1;stage2Index=0;\n\tMacroItemIsFolder");
         },
         "Games/", true, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MacroLibrary lib;
        Build(lib, "stale");
        const MacroLibraryLoad load = LoadText(c.text(), lib);
        EXPECT_TRUE(load.Opened);
        EXPECT_EQ(Outline(lib), c.outline);
        EXPECT_EQ(load.ReadToEnd, c.read_to_end);
        EXPECT_EQ(load.Complete, c.complete);
        EXPECT_EQ(load.SkippedItems, c.skipped);
        EXPECT_EQ(lib.IncompleteLoadPath, c.complete ? "" : kPath);
    }
}

TEST_F(LibraryFileTest, OutOfOrderBlocksSaveAsTheCanonicalFile) {
    const size_t mark_end = kExample.find(u"++++");
    MacroLibrary lib;
    LoadText(kExample.substr(0, mark_end) + kExample.substr(kReloadBlock) +
                 kExample.substr(mark_end, kReloadBlock - mark_end),
             lib);
    EXPECT_EQ(SavedText(lib), kExample);
}

TEST_F(LibraryFileTest, ActionPairsReadAsHexWhateverTheirCase) {
    const std::u16string actions =
        u"e0800000"
        u"0300003a"
        u"5g00zz00" +
        std::u16string(333 * 8, u'0');
    MacroLibrary lib;
    LoadText(kExample.substr(0, kExample.find(u"\tAllAction=")) + u"\tAllAction=" + actions + u"\n",
             lib);
    const MacroRecord& m = *lib.ItemAt(L::Stage1(0, 0))->Macro;
    EXPECT_EQ(m.AllAction[0], MacroAction::Make(0xE0, 0x80, 0, 0));
    EXPECT_EQ(m.AllAction[1], MacroAction::Delay(58));
    EXPECT_EQ(m.AllAction[2], MacroAction::Make(0x05, 0x00, 0x00, 0x00));
}

TEST_F(LibraryFileTest, ActionCountIsKeptInsideTheSlots) {
    MacroLibrary lib;
    LoadText(Replaced(kExample, u"MacroActionNum=3", u"MacroActionNum=999"), lib);
    EXPECT_EQ(lib.ItemAt(L::Stage1(0, 0))->Macro->MacroActionNum, kMacroActionSlots);
}

TEST_F(LibraryFileTest, HeaderFaultsLeaveTheKeyCounterOrSetIt) {
    MacroLibrary lib;
    lib.NextMacroKeyIndex = 77;
    LoadText(u"[MacroLibrary]\nMacroKeyIndex=\n", lib);
    EXPECT_EQ(lib.NextMacroKeyIndex, 77u);
    const MacroLibraryLoad load = LoadText(
        u"[MacroLibrary]\nMacroKeyIndex=9\nSelect Locaton:stage=0;stage0Index=3;stage1Index\n",
        lib);
    EXPECT_EQ(lib.NextMacroKeyIndex, 9u);
    EXPECT_FALSE(load.HasMark);
}

TEST_F(LibraryFileTest, KeyCounterIsRaisedAboveTheKeysInUse) {
    MacroLibrary lib;
    const MacroLibraryLoad load =
        LoadText(Replaced(kExample, u"MacroKeyIndex=2\n", u"MacroKeyIndex=1\n"), lib);
    EXPECT_EQ(load.HighestKeyIndex, 1u);
    EXPECT_EQ(lib.NextMacroKeyIndex, 2u);
    ASSERT_EQ(lib.AddMacro(u"New"), AddResult::Added);
    EXPECT_EQ(lib.ItemAt(lib.SelectedLocation)->Macro->MacroKeyIndex, 2u);

    LoadText(Replaced(kExample, u"MacroKeyIndex=2\n", u"MacroKeyIndex=40\n"), lib);
    EXPECT_EQ(lib.NextMacroKeyIndex, 40u);  // a counter ahead of the keys stays
}

TEST_F(LibraryFileTest, MissingFileLeavesTheLibraryAlone) {
    MacroLibrary lib;
    Build(lib, "keep");
    const MacroLibraryLoad load = LoadMacroLibrary("/nowhere.mlf", lib, fs);
    EXPECT_FALSE(load.Opened);
    EXPECT_EQ(Outline(lib), "keep");
    EXPECT_EQ(lib.IncompleteLoadPath, "");
}

// A library that holds only part of its file must not silently replace it.
TEST_F(LibraryFileTest, FileThatDidNotLoadCompletelyIsKeptOnceBeforeItIsOverwritten) {
    const std::u16string damaged = kExample.substr(0, kActionLineEnd - 5) + u"\n";
    fs.files[kPath] = Utf16File(damaged);
    MacroLibrary lib;
    LoadMacroLibrary(kPath, lib, fs);
    ASSERT_EQ(lib.IncompleteLoadPath, kPath);

    // Exports elsewhere do not touch it.
    EXPECT_TRUE(SaveMacroLibrary("/export.mbf", lib, fs));
    EXPECT_EQ(fs.CountStartingWith(kPath + ".bad-"), 0);

    // Keeping fails: nothing is written.
    fs.fail_creates = true;
    EXPECT_FALSE(SaveMacroLibrary(kPath, lib, fs));
    EXPECT_EQ(fs.files[kPath], Utf16File(damaged));
    fs.fail_creates = false;

    ASSERT_TRUE(SaveMacroLibrary(kPath, lib, fs));
    ASSERT_EQ(fs.CountStartingWith(kPath + ".bad-"), 1);
    EXPECT_EQ(fs.files.lower_bound(kPath + ".bad-")->second, Utf16File(damaged));
    EXPECT_EQ(TextOf(fs.files[kPath]), kExample.substr(0, kReloadBlock));
    EXPECT_EQ(lib.IncompleteLoadPath, "");

    // The file now loads completely; later saves keep nothing more.
    LoadMacroLibrary(kPath, lib, fs);
    EXPECT_EQ(lib.IncompleteLoadPath, "");
    ASSERT_TRUE(SaveMacroLibrary(kPath, lib, fs));
    EXPECT_EQ(fs.CountStartingWith(kPath + ".bad-"), 1);
}

TEST_F(LibraryFileTest, FailedSaveReportsAndLeavesTheOldFile) {
    fs.files[kPath] = Utf16File(kExample);
    MacroLibrary lib;
    Build(lib, "other");
    fs.fail_writes = true;
    EXPECT_FALSE(SaveMacroLibrary(kPath, lib, fs));
    EXPECT_EQ(fs.files[kPath], Utf16File(kExample));
}

}  // namespace
}  // namespace velmaro
