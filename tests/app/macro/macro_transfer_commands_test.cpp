// The manager's export and import commands driven with a fake file dialog
// over a disk in memory: what the dialogs are asked, which part of a file an
// import takes, and that a refused or failed file changes nothing.
#include "app/macro/macro_transfer_commands.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "macro/library_outline.h"
#include "macro/memory_file_system.h"
#include "ui/popup_test_support.h"

namespace velmaro {
namespace {

using testing::Build;
using testing::FindPath;
using testing::Outline;

// Answers each dialog with the next queued path (none: Cancel) and keeps the
// requests.
class FakeChooser : public FileChooser {
  public:
    std::optional<QString> ChooseOpenFile(const FileDialogRequest& request) override {
        return Answer(request, false);
    }
    std::optional<QString> ChooseSaveFile(const FileDialogRequest& request) override {
        return Answer(request, true);
    }

    std::deque<std::optional<QString>> answers;
    std::vector<std::pair<bool, FileDialogRequest>> asked;  // (save dialog, request)

  private:
    std::optional<QString> Answer(const FileDialogRequest& request, bool save) {
        asked.emplace_back(save, request);
        if (answers.empty())
            return std::nullopt;
        std::optional<QString> a = answers.front();
        answers.pop_front();
        return a;
    }
};

// A disk that says why a write failed.
class ReasonedFileSystem : public testing::MemoryFileSystem {
  public:
    std::string LastErrorText() const override {
        return fail_writes || fail_creates ? "Permission denied" : "";
    }
};

class MacroTransferCommandsTest : public ::testing::Test {
  protected:
    MacroTransferCommands Commands(MacroLibrary& lib) {
        return MacroTransferCommands(lib, scratch_, chooser_, disk_, language_,
                                     [this](const QString& title, const QString& message) {
                                         EXPECT_EQ(title.toStdU16String(), language_.Text(150));
                                         told_.push_back(message);
                                     });
    }
    // Exports from a library built from `outline` with `selected` selected.
    void ExportFrom(const std::string& outline, const char* selected, bool macro,
                    const char* path) {
        MacroLibrary lib;
        Build(lib, outline);
        lib.SelectedLocation = FindPath(lib, selected);
        chooser_.answers.push_back(QString::fromUtf8(path));
        const MacroTransferOutcome out =
            macro ? Commands(lib).ExportMacro() : Commands(lib).ExportCollection();
        EXPECT_FALSE(out.Cancelled);
        EXPECT_FALSE(out.Changed) << "an export leaves the tree as it is";
        ASSERT_EQ(disk_.files.count(path), 1u);
    }
    MacroTransferOutcome ImportInto(MacroLibrary& lib, const char* selected, bool macro,
                                    const char* path) {
        lib.SelectedLocation = FindPath(lib, selected);
        chooser_.answers.push_back(QString::fromUtf8(path));
        return macro ? Commands(lib).ImportMacro() : Commands(lib).ImportCollection();
    }

    LanguageTable language_ = popup_test::EnglishLanguage(1.0);
    MacroLibrary scratch_;
    FakeChooser chooser_;
    ReasonedFileSystem disk_;
    std::vector<QString> told_;
};

TEST_F(MacroTransferCommandsTest, DialogsAreAskedWithTitlesNamesAndFilters) {
    struct Case {
        const char* selected;
        int command;  // 2, 3, 6, 7 as in the tree menu
        bool save;
        uint16_t title;
        const char* initial;
        const char* suffix;
    };
    const Case cases[] = {
        {"F/x", 2, true, 253, "x.mkf", "mkf"}, {"", 7, true, 255, "AllMacroKey.mbf", "mbf"},
        {"F", 7, true, 255, "F.mbf", "mbf"},   {"A", 3, false, 254, ".mkf", "mkf"},
        {"", 6, false, 256, ".mbf", "mbf"},
    };
    for (const Case& c : cases) {
        MacroLibrary lib;
        Build(lib, "A F/ F/x");
        lib.SelectedLocation = FindPath(lib, c.selected);
        chooser_.asked.clear();
        MacroTransferCommands commands = Commands(lib);
        const MacroTransferOutcome out = c.command == 2   ? commands.ExportMacro()
                                         : c.command == 3 ? commands.ImportMacro()
                                         : c.command == 6 ? commands.ImportCollection()
                                                          : commands.ExportCollection();
        EXPECT_TRUE(out.Cancelled);
        ASSERT_EQ(chooser_.asked.size(), 1u) << c.command;
        const auto& [save, request] = chooser_.asked.front();
        EXPECT_EQ(save, c.save);
        EXPECT_EQ(request.Title.toStdU16String(), language_.Text(c.title));
        EXPECT_EQ(request.InitialName, QString::fromUtf8(c.initial));
        EXPECT_EQ(request.DefaultSuffix, QString::fromUtf8(c.suffix));
        EXPECT_TRUE(request.Filter.contains(QStringLiteral("*.") + c.suffix));
        EXPECT_EQ(Outline(lib), "A F/ F/x") << "a cancelled dialog changes nothing";
    }
    EXPECT_TRUE(disk_.files.empty());
    EXPECT_TRUE(told_.empty());
}

TEST_F(MacroTransferCommandsTest, MacroExportIsNotOfferedWithoutAMacro) {
    for (const char* selected : {"", "F"}) {
        MacroLibrary lib;
        Build(lib, "A F/");
        lib.SelectedLocation = FindPath(lib, selected);
        chooser_.asked.clear();
        EXPECT_TRUE(Commands(lib).ExportMacro().Cancelled);
        EXPECT_TRUE(chooser_.asked.empty()) << selected;
    }
}

TEST_F(MacroTransferCommandsTest, ImportsTakeTheMarkedScope) {
    struct Case {
        const char* name;
        const char* source;
        const char* exported;  // the selection at the export
        bool macro;
        const char* target;  // in the library "Z H/ H/K/"
        const char* result;
        const char* selectedAfter;
        size_t told;  // items the tree has no room for are named
    };
    const Case cases[] = {
        {"whole collection", "A F/ F/x F/G/ F/G/y", "", false, "", "Z H/ H/K/ A F/ F/x F/G/ F/G/y",
         "F", 0},
        {"one folder", "A F/ F/x B", "F", false, "Z", "Z H/ H/K/ F/ F/x", "F", 0},
        {"from the second macro on", "A B C D E", "B", false, "", "Z H/ H/K/ B C D E", "E", 0},
        {"into a top-level folder", "A F/ F/x F/G/ F/G/y", "F", false, "H", "Z H/ H/K/ H/F/ H/F/x",
         "H/F", 1},
        {"into a stage-1 folder", "A F/ F/x", "", false, "H/K", "Z H/ H/K/ H/K/A", "H/K/A", 1},
        {"a macro into a folder", "A F/ F/x", "F/x", true, "H", "Z H/ H/K/ H/x", "H/x", 0},
    };
    for (const Case& c : cases) {
        disk_.files.clear();
        told_.clear();
        ExportFrom(c.source, c.exported, c.macro, "/tmp/f");
        MacroLibrary lib;
        Build(lib, "Z H/ H/K/");
        // A selected row is on show: the folders above it are open.
        lib.MutableItemAt(FindPath(lib, "H"))->MacroItemFolderIsOpen = 1;
        const MacroTransferOutcome out = ImportInto(lib, c.target, c.macro, "/tmp/f");
        EXPECT_TRUE(out.Changed) << c.name;
        EXPECT_EQ(Outline(lib), c.result) << c.name;
        EXPECT_EQ(lib.SelectedLocation, FindPath(lib, c.selectedAfter)) << c.name;
        EXPECT_EQ(out.Row, lib.LocationToRow(lib.SelectedLocation)) << c.name;
        EXPECT_GE(out.Row, 0) << c.name << ": the new selection is shown";
        EXPECT_TRUE(scratch_.Empty()) << c.name;
        EXPECT_EQ(told_.size(), c.told) << c.name;
    }
}

TEST_F(MacroTransferCommandsTest, ImportedMacroKeepsItsActionsAndGetsANewKey) {
    ExportFrom("A Q", "Q", true, "/tmp/q.mkf");
    MacroLibrary lib;
    Build(lib, "A");
    lib.NextMacroKeyIndex = 77;
    ImportInto(lib, "", true, "/tmp/q.mkf");
    const MacroItem* q = lib.ItemAt(FindPath(lib, "Q"));
    ASSERT_TRUE(q && q->Macro);
    EXPECT_EQ(q->Macro->MacroKeyIndex, 77u);
    EXPECT_EQ(q->Macro->AllAction[0], MacroAction::Make('Q', 0, 0, 0));
}

TEST_F(MacroTransferCommandsTest, AClashNamesTheItemAndImportsNothing) {
    ExportFrom("A C", "", false, "/tmp/all.mbf");
    ExportFrom("A B", "B", true, "/tmp/b.mkf");
    struct Case {
        const char* path;
        bool macro;
        const char* clashing;
    };
    const Case cases[] = {{"/tmp/all.mbf", false, "C"}, {"/tmp/b.mkf", true, "B"}};
    for (const Case& c : cases) {
        MacroLibrary lib;
        Build(lib, "X B C");
        lib.SelectedLocation = FindPath(lib, "X");
        told_.clear();
        const MacroTransferOutcome out = ImportInto(lib, "X", c.macro, c.path);
        EXPECT_FALSE(out.Changed);
        EXPECT_EQ(Outline(lib), "X B C");
        EXPECT_EQ(lib.SelectedLocation, FindPath(lib, "X"));
        ASSERT_EQ(told_.size(), 1u);
        EXPECT_TRUE(told_[0].contains(QString::fromStdU16String(language_.Text(241))));
        EXPECT_TRUE(told_[0].contains(QStringLiteral("\"%1\"").arg(c.clashing)))
            << told_[0].toStdString();
        EXPECT_TRUE(scratch_.Empty());
    }
}

TEST_F(MacroTransferCommandsTest, TheSameMacroFileTwiceClashesTheSecondTime) {
    ExportFrom("A B", "B", true, "/tmp/b.mkf");
    MacroLibrary lib;
    Build(lib, "X");
    EXPECT_TRUE(ImportInto(lib, "", true, "/tmp/b.mkf").Changed);
    EXPECT_TRUE(told_.empty());
    EXPECT_FALSE(ImportInto(lib, "", true, "/tmp/b.mkf").Changed);
    EXPECT_EQ(Outline(lib), "X B");
    EXPECT_EQ(told_.size(), 1u);
}

TEST_F(MacroTransferCommandsTest, ARefusedFileChangesNothingAndIsReported) {
    disk_.files["/tmp/bad.mbf"] = "not a macro file";
    for (const bool macro : {true, false}) {
        for (const char* path : {"/tmp/bad.mbf", "/tmp/missing.mbf"}) {
            MacroLibrary lib;
            Build(lib, "A F/ F/x");
            told_.clear();
            const MacroTransferOutcome out = ImportInto(lib, "F/x", macro, path);
            EXPECT_FALSE(out.Changed);
            EXPECT_EQ(Outline(lib), "A F/ F/x");
            EXPECT_EQ(lib.SelectedLocation, FindPath(lib, "F/x"));
            ASSERT_EQ(told_.size(), 1u) << path;
            EXPECT_TRUE(told_[0].contains(QString::fromUtf8(path)));
        }
    }
}

TEST_F(MacroTransferCommandsTest, AFailedExportGivesTheSystemsReason) {
    disk_.fail_writes = true;
    disk_.fail_creates = true;
    MacroLibrary lib;
    Build(lib, "A");
    lib.SelectedLocation = FindPath(lib, "A");
    chooser_.answers.push_back(QStringLiteral("/locked/A.mkf"));
    EXPECT_FALSE(Commands(lib).ExportMacro().Changed);
    ASSERT_EQ(told_.size(), 1u);
    EXPECT_TRUE(told_[0].contains(QStringLiteral("/locked/A.mkf")));
    EXPECT_TRUE(told_[0].contains(QStringLiteral("Permission denied")));
    EXPECT_TRUE(disk_.files.empty());
    EXPECT_EQ(Outline(lib), "A");
}

}  // namespace
}  // namespace velmaro
