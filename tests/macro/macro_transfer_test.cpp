#include "macro/macro_transfer.h"

#include <gtest/gtest.h>

#include <set>

#include "macro/library_outline.h"
#include "macro/macro_library_file.h"
#include "macro/memory_file_system.h"

namespace velmaro {
namespace {

using testing::Build;
using testing::FindPath;
using testing::MemoryFileSystem;
using testing::Outline;
using testing::TextOf;
using testing::Utf16File;
using L = MacroItemLocation;

constexpr const char* kSource = "A B F/ F/x F/G/ F/G/y C D";

class TransferTest : public ::testing::Test {
  protected:
    // Exports the source library with the item at `mark` selected.
    std::string ExportSource(const char* mark, const std::string& path = "/in.mbf") {
        MacroLibrary source;
        Build(source, kSource);
        source.SelectedLocation = mark[0] ? FindPath(source, mark) : L::None();
        EXPECT_TRUE(ExportCollectionFile(path, source, fs));
        return path;
    }
    void Prepare(const char* outline, const char* target) {
        Build(lib, outline);
        lib.SelectedLocation = target[0] ? FindPath(lib, target) : L::None();
    }
    // Every macro holds its own copy of the file's actions and a key of its own.
    void ExpectCopiedMacrosWithUniqueKeys() {
        std::set<uint32_t> keys;
        int macros = 0;
        auto check = [&](const L& at) {
            const MacroItem* item = lib.ItemAt(at);
            if (!item->Macro)
                return;
            ++macros;
            keys.insert(item->Macro->MacroKeyIndex);
            EXPECT_EQ(item->Macro->AllAction[0].Bytes[0], item->MacroItemName[0]);
        };
        for (int i0 = 0; i0 < kMacroListSlots; ++i0) {
            check(L::Top(i0));
            for (int i1 = 0; i1 < kMacroListSlots; ++i1) {
                check(L::Stage1(i0, i1));
                for (int i2 = 0; i2 < kMacroListSlots; ++i2)
                    check(L::Stage2(i0, i1, i2));
            }
        }
        EXPECT_EQ(static_cast<int>(keys.size()), macros);
        EXPECT_EQ(lib.NextMacroKeyIndex, static_cast<uint32_t>(macros) + 1);
    }

    MemoryFileSystem fs;
    MacroLibrary lib;
    MacroLibrary scratch;
};

TEST_F(TransferTest, CollectionImportTakesTheMarkedScopeAtTheSelection) {
    struct Case {
        const char* mark;    // path in the source, "" for nothing selected
        const char* before;  // the library before
        const char* target;  // selected path before the import
        const char* after;
        const char* selected_after;
    };
    const Case cases[] = {
        {"", "", "", "A B F/ F/x F/G/ F/G/y C D", "D"},
        {"F", "", "", "F/ F/x F/G/ F/G/y", "F"},
        {"B", "", "", "B F/ F/x F/G/ F/G/y C D", "D"},
        {"F/x", "", "", "x G/ G/y", "G"},
        {"F/G", "", "", "G/ G/y", "G"},
        {"F/G/y", "", "", "y", "y"},
        {"F", "x", "", "x F/ F/x F/G/ F/G/y", "F"},  // contents are not checked
        // Into a top-level folder: scope folders become stage-1 folders, their
        // sub-folders are left out.
        {"", "T/ T/t", "T", "T/ T/t T/A T/B T/F/ T/F/x T/C T/D", "T/D"},
        {"F", "T/", "T", "T/ T/F/ T/F/x", "T/F"},
        // Into a stage-1 folder: macros only.
        {"", "T/ T/S/", "T/S", "T/ T/S/ T/S/A T/S/B T/S/C T/S/D", "T/S/D"},
        {"F", "T/ T/S/", "T/S", "T/ T/S/", "T/S"},
        // A selected macro: the top level.
        {"", "T/ T/t", "T/t", "T/ T/t A B F/ F/x F/G/ F/G/y C D", "D"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mark) + " into " + c.target);
        lib.ClearLibrary();
        lib.NextMacroKeyIndex = 1;
        Prepare(c.before, c.target);
        const L target = lib.SelectedLocation;
        const ImportResult r = ImportCollectionFile(ExportSource(c.mark), lib, scratch, fs);
        EXPECT_EQ(r.Status, ImportStatus::Imported);
        EXPECT_EQ(Outline(lib), c.after);
        EXPECT_EQ(lib.SelectedLocation, FindPath(lib, c.selected_after));
        if (const MacroItem* t = lib.ItemAt(target); t && t->IsFolder()) {
            EXPECT_EQ(t->MacroItemFolderIsOpen, 1);
        }
        ExpectCopiedMacrosWithUniqueKeys();
        EXPECT_TRUE(scratch.Empty());
    }
}

TEST_F(TransferTest, AnyScopeNameTakenAtTheTargetImportsNothing) {
    struct Case {
        const char* mark;
        const char* before;
        const char* target;
        const char* clash;
    };
    const Case cases[] = {
        {"", "Q D", "", "D"},
        {"B", "Q C", "Q", "C"},  // a selected macro: the top level is the target
        {"F", "T/ T/F", "T", "F"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clash);
        lib.ClearLibrary();
        Prepare(c.before, c.target);
        const L selected = lib.SelectedLocation;
        const uint32_t next = lib.NextMacroKeyIndex;
        const ImportResult r = ImportCollectionFile(ExportSource(c.mark), lib, scratch, fs);
        EXPECT_EQ(r.Status, ImportStatus::NameExists);
        EXPECT_EQ(r.ClashingName, ToU16(c.clash));
        EXPECT_EQ(Outline(lib), c.before);
        EXPECT_EQ(lib.SelectedLocation, selected);
        EXPECT_EQ(lib.NextMacroKeyIndex, next);
        EXPECT_TRUE(scratch.Empty());
    }
}

TEST_F(TransferTest, MacroImportAddsOneMacroWithANewKey) {
    Build(lib, "P Q");  // keys 1 and 2; the file's B also has key 2
    const std::string file = ExportSource("B", "/b.mkf");
    ImportResult r = ImportMacroFile(file, lib, scratch, fs);
    EXPECT_EQ(r.Status, ImportStatus::Imported);
    EXPECT_EQ(r.ItemsCreated, 1);
    EXPECT_EQ(Outline(lib), "P Q B");
    EXPECT_EQ(lib.SelectedLocation, L::Top(2));
    EXPECT_EQ(lib.ItemAt(L::Top(2))->Macro->MacroKeyIndex, 3u);
    EXPECT_EQ(lib.ItemAt(L::Top(2))->Macro->AllAction[0].Bytes[0], 'B');

    // The same file at the same place again.
    r = ImportMacroFile(file, lib, scratch, fs);
    EXPECT_EQ(r.Status, ImportStatus::NameExists);
    EXPECT_EQ(r.ClashingName, u"B");
    EXPECT_EQ(Outline(lib), "P Q B");
    EXPECT_TRUE(scratch.Empty());
}

TEST_F(TransferTest, MacroImportIntoASelectedFolderOpensIt) {
    Build(lib, "T/");
    lib.SelectedLocation = L::Top(0);
    EXPECT_EQ(ImportMacroFile(ExportSource("F/G/y"), lib, scratch, fs).Status,
              ImportStatus::Imported);
    EXPECT_EQ(Outline(lib), "T/ T/y");
    EXPECT_EQ(lib.ItemAt(L::Top(0))->MacroItemFolderIsOpen, 1);
    EXPECT_EQ(lib.SelectedLocation, L::Stage1(0, 0));
}

TEST_F(TransferTest, MacroImportOfAMarkedFolderGivesAnEmptyMacro) {
    ImportMacroFile(ExportSource("F"), lib, scratch, fs);
    const MacroItem* item = lib.ItemAt(L::Top(0));
    EXPECT_EQ(item->MacroItemName, u"F");
    ASSERT_NE(item->Macro, nullptr);
    EXPECT_EQ(item->Macro->MacroActionNum, 0u);
}

// A full target list has no new item to copy into: the selected macro must
// stay as it is.
TEST_F(TransferTest, ImportIntoAFullListChangesNothing) {
    for (int i = 0; i < kMacroListSlots; ++i)
        lib.AddMacro(u"m" + ToU16(std::to_string(i)));
    lib.SelectedLocation = L::Top(3);
    const MacroRecord before = *lib.ItemAt(L::Top(3))->Macro;

    ImportResult r = ImportMacroFile(ExportSource("B"), lib, scratch, fs);
    EXPECT_EQ(r.ItemsCreated, 0);
    r = ImportCollectionFile(ExportSource(""), lib, scratch, fs);
    EXPECT_EQ(r.ItemsCreated, 0);
    EXPECT_EQ(*lib.ItemAt(L::Top(3))->Macro, before);
    EXPECT_EQ(lib.SelectedLocation, L::Top(3));
    EXPECT_EQ(lib.NextMacroKeyIndex, 61u);
}

TEST_F(TransferTest, PartialImportsSayWhatCameInAndWhatDidNot) {
    const std::u16string whole = TextOf(fs.files[ExportSource("")]);
    // Cut inside the block of D (top-level items come first): A, B, F and C
    // are read.
    const size_t d = whole.find(u"MacroItemName=D");
    fs.files["/cut.mbf"] = Utf16File(whole.substr(0, whole.find(u"MacroItemIsFolder", d)));
    ImportResult r = ImportCollectionFile("/cut.mbf", lib, scratch, fs);
    EXPECT_EQ(r.Status, ImportStatus::Imported);
    EXPECT_FALSE(r.FileComplete);
    EXPECT_EQ(r.ImportedNames, (std::vector<std::u16string>{u"A", u"B", u"F", u"C"}));
    EXPECT_TRUE(r.Skipped.empty());

    // A list with room for two: the rest is named with its reason.
    lib.ClearLibrary();
    for (int i = 0; i < kMacroListSlots - 2; ++i)
        lib.AddMacro(u"m" + ToU16(std::to_string(i)));
    lib.SelectedLocation = L::None();
    r = ImportCollectionFile(ExportSource(""), lib, scratch, fs);
    EXPECT_TRUE(r.FileComplete);
    EXPECT_EQ(r.ImportedNames, (std::vector<std::u16string>{u"A", u"B"}));
    ASSERT_EQ(r.Skipped.size(), 3u);
    EXPECT_EQ(r.Skipped[0].Name, u"F");
    EXPECT_EQ(r.Skipped[2].Name, u"D");
    EXPECT_EQ(r.Skipped[0].Reason, "the list it goes into is full");

    // The one macro a macro import wants was read: that file is complete enough.
    lib.ClearLibrary();
    const std::string marked = ExportSource("B", "/b.mkf");
    const std::u16string b = TextOf(fs.files[marked]);
    fs.files["/cutB.mkf"] = Utf16File(b.substr(0, b.rfind(u"MacroItemIsFolder")));
    lib.SelectedLocation = L::None();
    r = ImportMacroFile("/cutB.mkf", lib, scratch, fs);
    EXPECT_EQ(r.ItemsCreated, 1);
    EXPECT_TRUE(r.FileComplete);
}

TEST_F(TransferTest, FilesWithoutAUsableMarkAreRejected) {
    const std::u16string good = TextOf(fs.files[ExportSource("B")]);
    const std::u16string good_mark = u"stage=0;stage0Index=1;";
    auto with_mark = [&](std::u16string_view mark) {
        std::u16string text = good;
        text.replace(text.find(good_mark), good_mark.size(), mark);
        return text;
    };
    struct Case {
        const char* what;
        std::u16string text;  // empty: no file at all
        bool macro_import_rejected;
        bool collection_import_rejected;
    };
    const Case cases[] = {
        {"no file", u"", true, true},
        {"cut before the mark", good.substr(0, good.find(u"Select")), true, true},
        {"index 60", with_mark(u"stage=0;stage0Index=60;"), true, true},
        {"negative index", with_mark(u"stage=0;stage0Index=-2;"), true, true},
        {"stage 3", with_mark(u"stage=3;stage0Index=1;"), true, true},
        {"nothing marked", with_mark(u"stage=-1;stage0Index=0;"), true, false},
        {"free slot marked", with_mark(u"stage=0;stage0Index=40;"), true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs.files.erase("/x.mbf");
        if (!c.text.empty())
            fs.files["/x.mbf"] = Utf16File(c.text);
        for (const bool collection : {false, true}) {
            lib.ClearLibrary();
            Prepare("T/ T/t", "T/t");
            const ImportResult r = collection ? ImportCollectionFile("/x.mbf", lib, scratch, fs)
                                              : ImportMacroFile("/x.mbf", lib, scratch, fs);
            const bool rejected =
                collection ? c.collection_import_rejected : c.macro_import_rejected;
            if (rejected) {
                EXPECT_EQ(r.Status, ImportStatus::Rejected);
                EXPECT_EQ(Outline(lib), "T/ T/t");
                EXPECT_EQ(lib.SelectedLocation, L::Stage1(0, 0));
                EXPECT_EQ(lib.ItemAt(L::Top(0))->MacroItemFolderIsOpen, 0);
            } else {
                EXPECT_EQ(r.Status, ImportStatus::Imported);
            }
            EXPECT_TRUE(scratch.Empty());
        }
    }
}

TEST_F(TransferTest, ExportWritesTheWholeLibraryWithTheSelectionAsMark) {
    MacroLibrary source;
    Build(source, kSource);
    EXPECT_EQ(ProposedExportName(source, MacroExportKind::Collection), u"AllMacroKey.mbf");
    EXPECT_EQ(ProposedExportName(source, MacroExportKind::Macro), u"");
    EXPECT_FALSE(ExportMacroFile("/none.mkf", source, fs));

    ASSERT_TRUE(ExportCollectionFile("/all.mbf", source, fs));
    ASSERT_TRUE(SaveMacroLibrary("/plain.mlf", source, fs));
    EXPECT_EQ(fs.files["/all.mbf"], fs.files["/plain.mlf"]);  // mark -1, 0, 0, 0

    source.SelectedLocation = FindPath(source, "F");
    EXPECT_EQ(ProposedExportName(source, MacroExportKind::Collection), u"F.mbf");
    EXPECT_EQ(ProposedExportName(source, MacroExportKind::Macro), u"");
    EXPECT_FALSE(ExportMacroFile("/f.mkf", source, fs));
    EXPECT_EQ(fs.files.count("/f.mkf"), 0u);

    source.SelectedLocation = FindPath(source, "F/G/y");
    EXPECT_EQ(ProposedExportName(source, MacroExportKind::Macro), u"y.mkf");
    ASSERT_TRUE(ExportMacroFile("/y.mkf", source, fs));
    EXPECT_NE(TextOf(fs.files["/y.mkf"])
                  .find(u"\nSelect Locaton:stage=2;stage0Index=2;stage1Index=1;stage2Index=0;\n"),
              std::u16string::npos);
}

}  // namespace
}  // namespace velmaro
