// The macro manager on Qt's offscreen platform: recording through the key
// capture, the action commands with their selection, the play mode and
// repeat count, the tree commands and their menus, and screenshots.
#include "app/macro/macro_manager_dlg.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "macro/macro_library_file.h"
#include "macro/memory_file_system.h"
#include "storage/language_file.h"
#include "storage/shipped_language_files.h"
#include "ui/attention_dlg.h"
#include "ui/check_button.h"
#include "ui/edit_show_list.h"
#include "ui/file_chooser.h"
#include "ui/image_show_list.h"
#include "ui/list_popup.h"
#include "ui/static_text.h"
#include "ui/v_scroll_bar.h"

namespace velmaro {
namespace {

using testing::MemoryFileSystem;

constexpr char kLibraryPath[] = "/data/config/MacroLibraryFile.mlf";

LanguageTable English(double scale) {
    MemoryFileSystem disk;
    disk.files["/Lan_EN.txt"] = std::string(ShippedLanguageFile(ShippedLanguage::English));
    LanguageTable table;
    EXPECT_TRUE(ReadLanguageFile(u"/Lan_EN.txt", table, scale, disk));
    return table;
}

MacroAction Key(uint8_t code, bool release) {
    return MacroAction::Make(code, release ? 0x80 : 0x00, 0, 0);
}

// Answers the file dialogs in order; none = cancelled.
class AnsweringChooser : public FileChooser {
  public:
    std::optional<QString> ChooseOpenFile(const FileDialogRequest&) override { return Next(); }
    std::optional<QString> ChooseSaveFile(const FileDialogRequest&) override { return Next(); }
    std::deque<std::optional<QString>> answers;

  private:
    std::optional<QString> Next() {
        if (answers.empty())
            return std::nullopt;
        std::optional<QString> a = answers.front();
        answers.pop_front();
        return a;
    }
};

class MacroManagerTest : public ::testing::Test {
  protected:
    void TearDown() override {
        manager.reset();
        Flush();
    }

    // Opens the manager on the library as the test filled it.
    CMacroManagerDlg& Open(double scale = 1.0) {
        language = English(scale);
        ui.Scale = scale;
        ui.Font = language.Font;
        ui.SkinsDir = QStringLiteral(VELMARO_SKINS_DIR "/");
        MacroManagerHost host;
        host.RunModal = [this](CDlgBase& dialog) {
            dialog.Initialize();
            if (auto* attention = dynamic_cast<CAttentionDlg*>(&dialog)) {
                messages.push_back(EntryOf(attention->Message()));
                texts.push_back(attention->Message());
            }
            return answer;
        };
        host.Files = &disk;
        host.LibraryPath = kLibraryPath;
        host.CurrentProfile = &profile;
        host.Chooser = &chooser;
        manager = std::make_unique<CMacroManagerDlg>(ui, language, library, std::move(host));
        MacroEditors editors;
        editors.Transfer = manager->Editors().Transfer;
        editors.AskNewName = [this](bool) { return Next(names); };
        editors.AskRename = [this](const std::u16string&) { return Next(names); };
        editors.AskKey = [this](uint8_t) { return Next(keys); };
        editors.AskDelay = [this](uint32_t ms) {
            delaysAsked.push_back(ms);
            return Next(delays);
        };
        manager->SetEditors(editors);
        manager->show();
        Flush();
        return *manager;
    }

    template <class T>
    static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
        if (queue.empty())
            return std::nullopt;
        std::optional<T> v = queue.front();
        queue.pop_front();
        return v;
    }

    int EntryOf(const QString& message) const {
        for (size_t n = 0; n < language.Entries.size(); ++n) {
            if (!language.Entries[n].empty() &&
                QString::fromStdU16String(language.Entries[n]) == message)
                return int(n);
        }
        return -1;
    }

    static void Flush() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    // A top-level macro with these actions, selected in the open manager.
    MacroRecord& SelectNewMacro(std::u16string name, std::vector<MacroAction> actions = {}) {
        library.SelectedLocation = MacroItemLocation::None();
        EXPECT_EQ(library.AddMacro(name), AddResult::Added);
        MacroRecord& m = *library.MutableItemAt(library.SelectedLocation)->Macro;
        for (const MacroAction& a : actions) {
            m.InsertAction(m.MacroActionNum, a);
            if (!a.IsDelay())
                ++m.MacroCommandActionNum;
        }
        manager->RefreshSelection();
        return m;
    }

    // Mouse events sent straight to the window: two clicks on one place in
    // quick succession must not make a double click.
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
        QMouseEvent event(type, QPointF(at), QPointF(manager->mapToGlobal(at)),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(manager.get(), &event);
    }
    void ClickAt(QPoint p, Qt::MouseButton button = Qt::LeftButton) {
        Mouse(QEvent::MouseMove, p, Qt::NoButton);
        Mouse(QEvent::MouseButtonPress, p, button);
        Mouse(QEvent::MouseButtonRelease, p, button);
        Flush();
    }
    void Click(uint32_t id) {
        CControlBase* c = manager->FindControl(id);
        ASSERT_NE(c, nullptr);
        const Rect r = c->GetRect();
        ClickAt(QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }

    // A key as the window system delivers it: to the manager's window, with
    // its keysym, keycode and time stamp; the capture turns it into 0x401.
    void SendKey(bool press, int qtKey, uint32_t keysym, uint32_t scan, ulong time,
                 bool autoRepeat = false) {
        QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, qtKey, Qt::NoModifier, scan,
                        keysym, 0, QString(), autoRepeat);
        event.setTimestamp(time);
        QCoreApplication::sendEvent(manager->windowHandle(), &event);
        Flush();
    }
    void KeyA(bool press, ulong time, bool autoRepeat = false) {
        SendKey(press, Qt::Key_A, 0x61, 38, time, autoRepeat);
    }
    void KeyB(bool press, ulong time) { SendKey(press, Qt::Key_B, 0x62, 56, time); }

    std::vector<MacroAction> Actions(const MacroRecord& m) const {
        return {m.AllAction.begin(), m.AllAction.begin() + m.UsedCount()};
    }

    // Chooses an entry of an open popup the way its owner hears of it.
    void Choose(uint32_t message, uint8_t code) {
        PopupResult result;
        result.Code = {code, 0, 0};
        manager->SendMessage(message, 0, reinterpret_cast<intptr_t>(&result));
        manager->RenderAll();
        Flush();
    }

    QString ScreenshotPath(const QString& name) const {
        const QString dir = QStringLiteral(VELMARO_MACRO_DIALOG_SCREENSHOT_DIR);
        QDir().mkpath(dir);
        return dir + QLatin1Char('/') + name;
    }

    UiContext ui;
    LanguageTable language;
    MacroLibrary library;
    ProfileRecord profile;
    MemoryFileSystem disk;
    std::unique_ptr<CMacroManagerDlg> manager;
    int answer = QDialog::Accepted;
    std::vector<int> messages;
    std::vector<QString> texts;
    AnsweringChooser chooser;
    std::deque<std::optional<std::u16string>> names;
    std::deque<std::optional<uint8_t>> keys;
    std::deque<std::optional<uint32_t>> delays;
    std::vector<uint32_t> delaysAsked;
};

// --- recording ---------------------------------------------------------------------------

TEST_F(MacroManagerTest, RecordsPressPauseReleaseAndSavesOnStop) {
    Open();
    MacroRecord& m = SelectNewMacro(u"Reload", {Key(0x51, false), Key(0x51, true)});
    Click(kManagerRecordId);
    ASSERT_TRUE(manager->Recording());
    // Starting again leaves nothing of the old actions.
    EXPECT_EQ(m.MacroActionNum, 0u);
    KeyA(true, 1000);
    KeyA(false, 1250);
    Click(kManagerRecordId);
    EXPECT_FALSE(manager->Recording());
    EXPECT_EQ(Actions(m), (std::vector<MacroAction>{Key(0x41, false), MacroAction::Delay(250),
                                                    Key(0x41, true)}));
    EXPECT_EQ(m.MacroCommandActionNum, 2);
    MacroLibrary saved;
    ASSERT_TRUE(LoadMacroLibrary(kLibraryPath, saved, disk).Complete);
    EXPECT_EQ(saved.ItemAt(MacroItemLocation::Top(0))->Macro->MacroActionNum, 3u);
}

TEST_F(MacroManagerTest, RecordingFiltersRepeatsAndMeasuresPauses) {
    struct Case {
        const char* name;
        bool delays;
        std::vector<std::pair<bool, ulong>> aEvents;  // press?, time
        std::vector<MacroAction> expected;
    };
    const Case cases[] = {
        {"held key repeats its press: recorded once, the pause from the first press",
         true,
         {{true, 100}, {true, 130}, {true, 160}, {false, 400}},
         {Key(0x41, false), MacroAction::Delay(300), Key(0x41, true)}},
        {"a pause longer than the recorder takes is cut",
         true,
         {{true, 0}, {false, 9000}},
         {Key(0x41, false), MacroAction::Delay(kMaxRecordedDelayMs), Key(0x41, true)}},
        {"delays off: keys only",
         false,
         {{true, 0}, {false, 800}},
         {Key(0x41, false), Key(0x41, true)}},
        {"first action has no pause before it, however late it comes",
         true,
         {{true, 5000}},
         {Key(0x41, false)}},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MacroRecord& m = SelectNewMacro(QString::fromUtf8(c.name).left(20).toStdU16String());
        manager->FindControlAs<CCheckButton>(kManagerDelaysBoxId)->SetChecked(c.delays);
        Click(kManagerRecordId);
        for (const auto& [press, time] : c.aEvents)
            KeyA(press, time, press && time != c.aEvents.front().second);
        Click(kManagerRecordId);
        EXPECT_EQ(Actions(m), c.expected);
    }
}

TEST_F(MacroManagerTest, The126thKeyEventStopsTheRecording) {
    // The mouse takes 125 key actions (15 chunks of 25 bytes): the recorder
    // stops there.
    Open();
    MacroRecord& m = SelectNewMacro(u"Long");
    manager->FindControlAs<CCheckButton>(kManagerDelaysBoxId)->SetChecked(false);
    Click(kManagerRecordId);
    for (int i = 0; i < 62; ++i) {
        KeyA(true, ulong(i * 10));
        KeyA(false, ulong(i * 10 + 5));
    }
    KeyB(true, 1000);
    EXPECT_TRUE(manager->Recording());
    EXPECT_EQ(m.MacroCommandActionNum, 125);
    EXPECT_TRUE(messages.empty());
    KeyB(false, 2000);
    EXPECT_FALSE(manager->Recording());
    EXPECT_FALSE(manager->FindControlAs<CCheckButton>(kManagerRecordId)->Checked());
    EXPECT_EQ(messages, std::vector<int>{235});
    EXPECT_EQ(m.MacroActionNum, 125u);
    EXPECT_TRUE(m.FitsMouse());
    // The recording is saved and the capture is off: later keys change nothing.
    EXPECT_EQ(disk.files.count(kLibraryPath), 1u);
    KeyA(true, 2100);
    EXPECT_EQ(m.MacroActionNum, 125u);
    EXPECT_FALSE(manager->Hook().IsHooked());
}

TEST_F(MacroManagerTest, RecordWithoutAMacroSaysSoAndStaysOff) {
    Open();
    Click(kManagerRecordId);
    EXPECT_FALSE(manager->Recording());
    EXPECT_FALSE(manager->FindControlAs<CCheckButton>(kManagerRecordId)->Checked());
    EXPECT_EQ(messages, std::vector<int>{234});
}

TEST_F(MacroManagerTest, WhileRecordingOnlyRecordAndInsertReact) {
    Open();
    SelectNewMacro(u"M");
    Click(kManagerRecordId);
    for (uint32_t id :
         {kManagerCloseId, kManagerNewMacroId, kManagerDeleteItemId, kManagerModifyId,
          kManagerDeleteActionId, kManagerDelaysBoxId, kManagerModeCountId, kManagerTreeScrollId})
        EXPECT_TRUE(manager->FindControl(id)->Disabled()) << id;
    EXPECT_TRUE(manager->FindControl(kEditShowListId)->Disabled());
    EXPECT_FALSE(manager->FindControl(kManagerRecordId)->Disabled());
    EXPECT_FALSE(manager->FindControl(kManagerInsertId)->Disabled());
    EXPECT_FALSE(manager->RepeatEdit()->isEnabled());
    Click(kManagerRecordId);
    EXPECT_FALSE(manager->FindControl(kManagerCloseId)->Disabled());
}

// --- actions ------------------------------------------------------------------------------

TEST_F(MacroManagerTest, InsertedClicksGoAfterTheSelectionOrAtTheEnd) {
    struct Case {
        InsertKind kind;
        int selected;
        uint32_t at;
        uint8_t button;
    };
    const Case cases[] = {
        {InsertKind::LeftClick, -1, 4, 0xE0},
        {InsertKind::RightClick, 0, 1, 0xE1},
        {InsertKind::MiddleClick, 3, 4, 0xE2},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        MacroRecord& m = SelectNewMacro(
            u"m" + std::u16string(1, char16_t(u'0' + int(c.kind))),
            {Key(0x41, false), MacroAction::Delay(20), Key(0x41, true), MacroAction::Delay(30)});
        manager->SelectAction(c.selected);
        Choose(kManagerInsertChoice, uint8_t(c.kind));
        ASSERT_EQ(m.MacroActionNum, 7u);
        EXPECT_EQ(m.AllAction[c.at], Key(c.button, false));
        EXPECT_EQ(m.AllAction[c.at + 1], MacroAction::Delay(50));
        EXPECT_EQ(m.AllAction[c.at + 2], Key(c.button, true));
        EXPECT_EQ(m.MacroCommandActionNum, 4);
        EXPECT_EQ(manager->SelectedAction(), int(c.at) + 2);
    }
}

TEST_F(MacroManagerTest, InsertRefusesPastTheLimitAndWithoutAMacro) {
    Open();
    Choose(kManagerInsertChoice, uint8_t(InsertKind::LeftClick));
    EXPECT_EQ(messages, std::vector<int>{236});
    messages.clear();
    // 124 key actions: a click or key would make 126, one more than the
    // mouse takes.
    MacroRecord& m = SelectNewMacro(u"Full");
    m.MacroCommandActionNum = 124;
    for (InsertKind kind : {InsertKind::Key, InsertKind::LeftClick}) {
        messages.clear();
        manager->Insert(kind);
        EXPECT_EQ(messages, std::vector<int>{237});
        EXPECT_EQ(m.MacroActionNum, 0u);
    }
}

TEST_F(MacroManagerTest, InsertedKeyTakesTheChosenCodeOrGoesAgainOnCancel) {
    Open();
    MacroRecord& m = SelectNewMacro(u"K", {Key(0x41, false)});
    keys = {uint8_t(0x5A)};
    manager->Insert(InsertKind::Key);
    EXPECT_EQ(Actions(m), (std::vector<MacroAction>{Key(0x41, false), Key(0x5A, false),
                                                    MacroAction::Delay(50), Key(0x5A, true)}));
    EXPECT_EQ(m.MacroCommandActionNum, 3);
    keys = {std::nullopt};
    manager->Insert(InsertKind::Key);
    EXPECT_EQ(m.MacroActionNum, 4u);
    EXPECT_EQ(m.MacroCommandActionNum, 3);
}

TEST_F(MacroManagerTest, ADelayAfterADelayEditsItInstead) {
    Open();
    MacroRecord& m = SelectNewMacro(u"D", {Key(0x41, false), MacroAction::Delay(70)});
    delays = {uint32_t(900)};
    manager->Insert(InsertKind::Delay);
    EXPECT_EQ(Actions(m), (std::vector<MacroAction>{Key(0x41, false), MacroAction::Delay(900)}));
    EXPECT_EQ(delaysAsked, std::vector<uint32_t>{70});
    // After a key a new delay goes in; cancelling takes it out again.
    manager->SelectAction(0);
    delays = {std::nullopt};
    manager->Insert(InsertKind::Delay);
    EXPECT_EQ(m.MacroActionNum, 2u);
    delays = {uint32_t(15)};
    manager->SelectAction(0);
    manager->Insert(InsertKind::Delay);
    EXPECT_EQ(m.AllAction[1], MacroAction::Delay(15));
    EXPECT_EQ(manager->SelectedAction(), 1);
    EXPECT_EQ(m.MacroCommandActionNum, 1);
}

TEST_F(MacroManagerTest, DeletingAnActionMovesTheSelectionAndCount) {
    struct Case {
        int selected;
        int selectionAfter;
        uint8_t countAfter;
    };
    const Case cases[] = {
        {1, 1, 2},  // the pause between two keys: the count stays
        {0, 0, 1},  // a key: one less
        {2, 1, 1},  // the last action: the new last one is selected
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        MacroRecord& m = SelectNewMacro(u"x" + std::u16string(1, char16_t(u'0' + c.selected)),
                                        {Key(0x41, false), MacroAction::Delay(5), Key(0x41, true)});
        manager->SelectAction(c.selected);
        Click(kManagerDeleteActionId);
        EXPECT_EQ(m.MacroActionNum, 2u);
        EXPECT_EQ(manager->SelectedAction(), c.selectionAfter);
        EXPECT_EQ(m.MacroCommandActionNum, c.countAfter);
    }
    MacroRecord& one = SelectNewMacro(u"one", {Key(0x41, false)});
    manager->SelectAction(0);
    Click(kManagerDeleteActionId);
    EXPECT_EQ(one.MacroActionNum, 0u);
    EXPECT_EQ(manager->SelectedAction(), -1);
}

TEST_F(MacroManagerTest, ModifyChangesKeysAndDelaysButNotMouseActions) {
    Open();
    MacroRecord& m = SelectNewMacro(
        u"Mod", {Key(0x41, false), MacroAction::Delay(5), Key(0x41, true), Key(0xE0, false)});
    keys = {uint8_t(0x42)};
    manager->SelectAction(0);
    Click(kManagerModifyId);
    EXPECT_EQ(m.AllAction[0], Key(0x42, false));
    EXPECT_EQ(m.AllAction[2], Key(0x41, true));
    delays = {uint32_t(1234)};
    manager->SelectAction(1);
    Click(kManagerModifyId);
    EXPECT_EQ(m.AllAction[1], MacroAction::Delay(1234));
    keys = {uint8_t(0x43)};
    manager->SelectAction(3);
    Click(kManagerModifyId);
    EXPECT_EQ(m.AllAction[3], Key(0xE0, false));
    EXPECT_EQ(keys.size(), 1u);
}

// --- play mode and repeat count --------------------------------------------------------

TEST_F(MacroManagerTest, PlayModeRadiosAndTheRepeatCount) {
    Open();
    MacroRecord& m = SelectNewMacro(u"P");
    ASSERT_TRUE(manager->RepeatEditShown());
    Click(kManagerModeOnceId);
    EXPECT_EQ(m.MacroKeyLoopType, 1);
    EXPECT_FALSE(manager->RepeatEditShown());
    Click(kManagerModeToggleId);
    EXPECT_EQ(m.MacroKeyLoopType, 4);
    Click(kManagerModeCountId);
    EXPECT_EQ(m.MacroKeyLoopType, 2);
    ASSERT_TRUE(manager->RepeatEditShown());

    struct Case {
        const char* typed;
        const char* shown;
        uint8_t count;
    };
    const Case cases[] = {{"300", "255", 255}, {"", "1", 1}, {"7", "7", 7}, {"0", "1", 1}};
    for (const Case& c : cases) {
        manager->RepeatEdit()->setText(QString::fromLatin1(c.typed));
        EXPECT_EQ(manager->RepeatEdit()->text(), QString::fromLatin1(c.shown)) << c.typed;
        EXPECT_EQ(m.MacroKeyLoopNum, c.count) << c.typed;
    }
    // A letter is told off, then typed all the same.
    manager->RepeatEdit()->setText(QStringLiteral("12"));
    manager->RepeatEdit()->setFocus();
    QTest::keyClick(manager->RepeatEdit(), Qt::Key_X, Qt::NoModifier);
    Flush();
    EXPECT_EQ(messages, std::vector<int>{175});
    EXPECT_EQ(m.MacroKeyLoopNum, 12);
}

// --- tree ----------------------------------------------------------------------------------

TEST_F(MacroManagerTest, NewItemsGoIntoTheSelectedFolderWhichOpens) {
    Open();
    names = {u"Games"};
    manager->NewItem(true);
    const MacroItemLocation folder = MacroItemLocation::Top(0);
    ASSERT_EQ(library.SelectedLocation, folder);
    names = {u"Reload"};
    Click(kManagerNewMacroId);
    EXPECT_EQ(library.SelectedLocation, MacroItemLocation::Stage1(0, 0));
    EXPECT_EQ(library.ItemAt(folder)->MacroItemFolderIsOpen, 1);
    EXPECT_EQ(manager->Tree()->Source()->SelectedRow(), 1);
    EXPECT_NE(manager->CurrentMacro(), nullptr);

    struct Case {
        std::optional<std::u16string> name;
        std::vector<int> messages;
    };
    const Case refused[] = {{u"", {242}}, {std::nullopt, {}}};
    library.SelectedLocation = folder;
    names = {u"Reload"};
    manager->NewItem(false);
    EXPECT_EQ(messages, std::vector<int>{241});
    for (const Case& c : refused) {
        messages.clear();
        names = {c.name};
        manager->NewItem(false);
        EXPECT_EQ(messages, c.messages);
    }
    EXPECT_EQ(library.VisibleRowCount(), 2);
}

TEST_F(MacroManagerTest, DeleteAsksFirstAndKeepsWhatAButtonUses) {
    Open();
    names = {u"Folder"};
    manager->NewItem(true);
    names = {u"Used"};
    manager->NewItem(false);
    const uint32_t key = manager->CurrentMacro()->MacroKeyIndex;
    profile.Keys[3].Value = {0x90, 0x21, 0x01};
    profile.Keys[3].MacroKeyIndex = key;

    library.SelectedLocation = MacroItemLocation::Top(0);
    Click(kManagerDeleteItemId);
    EXPECT_EQ(messages, (std::vector<int>{232, 257}));
    EXPECT_TRUE(library.ItemAt(MacroItemLocation::Top(0))->IsUsed());

    messages.clear();
    profile.Keys[3].Value = {0x10, 0x01, 0x00};  // no longer a macro button
    answer = QDialog::Rejected;
    Click(kManagerDeleteItemId);
    EXPECT_TRUE(library.ItemAt(MacroItemLocation::Top(0))->IsUsed());
    answer = QDialog::Accepted;
    Click(kManagerDeleteItemId);
    EXPECT_FALSE(library.ItemAt(MacroItemLocation::Top(0))->IsUsed());
    EXPECT_EQ(library.SelectedLocation.stage, -1);
    messages.clear();
    Click(kManagerDeleteItemId);
    EXPECT_EQ(messages, std::vector<int>{233});
}

TEST_F(MacroManagerTest, RenameRefusesASiblingsName) {
    Open();
    names = {u"A"};
    manager->NewItem(false);
    library.SelectedLocation = MacroItemLocation::None();
    names = {u"B"};
    manager->NewItem(false);
    names = {u"A"};
    manager->QueueCommand(TreeCommand::Rename);
    manager->RenderAll();
    Flush();
    EXPECT_EQ(messages, std::vector<int>{241});
    names = {u"C"};
    manager->QueueCommand(TreeCommand::Rename);
    manager->RenderAll();
    Flush();
    EXPECT_EQ(library.ItemAt(MacroItemLocation::Top(1))->MacroItemName, u"C");
}

TEST_F(MacroManagerTest, RightClickOpensTheMenuForTheItemAndItsChoiceRunsAfterTheRepaint) {
    Open();
    names = {u"Solo"};
    manager->NewItem(false);
    library.SelectedLocation = MacroItemLocation::None();
    manager->RefreshSelection();
    const Rect tree = manager->Tree()->GetRect();
    const QPoint onRow(tree.left + 20, tree.top + manager->Tree()->RowHeight() / 2);
    ClickAt(onRow, Qt::RightButton);
    auto* menu = dynamic_cast<CListPopup*>(manager->Popup(1));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(library.SelectedLocation, MacroItemLocation::Top(0));
    EXPECT_EQ(menu->Items().size(), 8u);

    names = {u"Second"};
    PopupResult result;
    result.Code = {uint8_t(TreeCommand::NewMacro), 0, 0};
    manager->SendMessage(kManagerMenuChoice, 0, reinterpret_cast<intptr_t>(&result));
    // Not inside the menu's own message: on the next repaint.
    EXPECT_TRUE(manager->HasQueuedWork());
    EXPECT_EQ(library.VisibleRowCount(), 1);
    manager->RenderAll();
    Flush();
    EXPECT_FALSE(manager->HasQueuedWork());
    EXPECT_EQ(library.VisibleRowCount(), 2);
    EXPECT_EQ(manager->Popup(1), nullptr);

    // Below the rows: nothing selected, no rename or delete offered.
    ClickAt(QPoint(tree.left + 20, tree.bottom - 5), Qt::RightButton);
    menu = dynamic_cast<CListPopup*>(manager->Popup(1));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Items().size(), 5u);
    manager->SendMessage(kManagerMenuGone, 0, kMacroMenuPopupKind);
    Flush();
}

TEST_F(MacroManagerTest, ExportedMacroComesBackByImportAndAClashNamesTheItem) {
    Open();
    MacroRecord& burst = SelectNewMacro(u"Burst", {Key(0x41, false), Key(0x41, true)});
    chooser.answers = {QStringLiteral("/out/burst.mkf")};
    Choose(kManagerMenuChoice, uint8_t(TreeCommand::ExportMacro));
    ASSERT_EQ(disk.files.count("/out/burst.mkf"), 1u);

    // Imported beside the original: refused, naming it; nothing changes.
    library.SelectedLocation = MacroItemLocation::None();
    chooser.answers = {QStringLiteral("/out/burst.mkf")};
    Choose(kManagerMenuChoice, uint8_t(TreeCommand::ImportMacro));
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(texts[0].contains(QStringLiteral("\"Burst\""))) << texts[0].toStdString();
    EXPECT_EQ(library.VisibleRowCount(), 1);

    // Into a folder: the new item is selected and shown.
    names = {u"Kept"};
    manager->NewItem(true);
    chooser.answers = {QStringLiteral("/out/burst.mkf")};
    Choose(kManagerMenuChoice, uint8_t(TreeCommand::ImportMacro));
    const MacroItem* copy = library.ItemAt(MacroItemLocation::Stage1(1, 0));
    ASSERT_TRUE(copy != nullptr && copy->Macro);
    EXPECT_EQ(copy->MacroItemName, u"Burst");
    EXPECT_EQ(Actions(*copy->Macro), Actions(burst));
    EXPECT_EQ(manager->CurrentMacro(), copy->Macro.get());
}

TEST_F(MacroManagerTest, WheelAndScrollBarScrollTheTreeWithinItsRows) {
    for (int i = 0; i < 30; ++i)
        library.PlaceMacro(u"m" + std::u16string(1, char16_t(u'A' + i)), MacroItemLocation::Top(i),
                           std::make_unique<MacroRecord>());
    Open();
    const int page = manager->Tree()->VisibleRowCount();
    const Rect r = manager->Tree()->GetRect();
    const QPoint over((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    QWheelEvent down(over, manager->mapToGlobal(over), QPoint(), QPoint(0, -240), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(manager.get(), &down);
    EXPECT_EQ(manager->Tree()->FirstVisibleRow(), 2);
    EXPECT_EQ(manager->TreeScrollBar()->GetPos(), 2);
    for (int i = 0; i < 20; ++i)
        QCoreApplication::sendEvent(manager.get(), &down);
    EXPECT_EQ(manager->Tree()->FirstVisibleRow(), 30 - page);
    manager->SendMessage(kManagerTreeScrollId, ScrollPageUp, NotifyDown);
    EXPECT_EQ(manager->Tree()->FirstVisibleRow(), 30 - 2 * page);
}

TEST_F(MacroManagerTest, CloseSavesWithNoSelectionAndEnds) {
    Open();
    names = {u"Keep"};
    manager->NewItem(false);
    Click(kManagerCloseId);
    EXPECT_EQ(library.SelectedLocation.stage, -1);
    EXPECT_EQ(manager->result(), QDialog::Accepted);
    MacroLibrary saved;
    ASSERT_TRUE(LoadMacroLibrary(kLibraryPath, saved, disk).Complete);
    EXPECT_EQ(saved.ItemAt(MacroItemLocation::Top(0))->MacroItemName, u"Keep");
}

TEST_F(MacroManagerTest, EnterAndEscapeKeepItOpenAndTheWindowSystemsCloseSaves) {
    Open();
    names = {u"Late"};
    manager->NewItem(false);
    QTest::keyClick(manager.get(), Qt::Key_Escape);
    QTest::keyClick(manager.get(), Qt::Key_Return);
    Flush();
    EXPECT_TRUE(manager->isVisible());
    EXPECT_EQ(disk.files.count(kLibraryPath), 0u);
    manager->close();
    Flush();
    EXPECT_FALSE(manager->isVisible());
    MacroLibrary saved;
    ASSERT_TRUE(LoadMacroLibrary(kLibraryPath, saved, disk).Complete);
    EXPECT_EQ(saved.ItemAt(MacroItemLocation::Top(0))->MacroItemName, u"Late");
}

// --- looks -------------------------------------------------------------------------------

class MacroManagerScreenshots : public MacroManagerTest,
                                public ::testing::WithParamInterface<double> {};

TEST_P(MacroManagerScreenshots, IdleRecordingAndMenu) {
    const double scale = GetParam();
    library.PlaceFolder(u"Games", MacroItemLocation::Top(0), 1);
    library.PlaceFolder(u"Office", MacroItemLocation::Top(1), 0);
    auto reload = std::make_unique<MacroRecord>();
    for (const MacroAction& a : {Key(0x52, false), MacroAction::Delay(50), Key(0x52, true),
                                 MacroAction::Make(0xE0, 0, 0, 0), MacroAction::Delay(120),
                                 MacroAction::Make(0xE0, 0x80, 0, 0)})
        reload->InsertAction(reload->MacroActionNum, a);
    library.PlaceMacro(u"Reload", MacroItemLocation::Stage1(0, 0), std::move(reload));
    library.PlaceMacro(u"Jump", MacroItemLocation::Top(2), std::make_unique<MacroRecord>());
    auto tooLong = std::make_unique<MacroRecord>();
    for (uint32_t i = 0; i < 168; ++i)
        tooLong->InsertAction(i, Key(0x41, i % 2 != 0));
    tooLong->MacroCommandActionNum = 168;
    library.PlaceMacro(u"Long", MacroItemLocation::Top(3), std::move(tooLong));
    Open(scale);
    const QString suffix = QStringLiteral("_%1x.png").arg(scale, 0, 'f', 1);
    library.MutableItemAt(MacroItemLocation::Top(0))->MacroItemFolderIsOpen = 1;
    library.SelectedLocation = MacroItemLocation::Stage1(0, 0);
    manager->RefreshSelection();
    manager->SelectAction(1);
    auto shot = [&](const QString& name) {
        QImage image = manager->grab().toImage();
        if (CListPopup* menu = dynamic_cast<CListPopup*>(manager->Popup(1))) {
            QPainter p(&image);
            p.drawImage(manager->mapFromGlobal(menu->pos()), menu->Rendered());
        }
        EXPECT_TRUE(image.save(ScreenshotPath(name + suffix)));
    };
    shot(QStringLiteral("macro_manager_idle"));

    Click(kManagerRecordId);
    KeyA(true, 100);
    KeyA(false, 180);
    shot(QStringLiteral("macro_manager_recording"));
    Click(kManagerRecordId);

    const Rect tree = manager->Tree()->GetRect();
    ClickAt(QPoint(tree.left + int(40 * scale), tree.top + manager->Tree()->RowHeight() * 3 / 2),
            Qt::RightButton);
    ASSERT_NE(manager->Popup(1), nullptr);
    shot(QStringLiteral("macro_manager_menu"));
}

INSTANTIATE_TEST_SUITE_P(Scales, MacroManagerScreenshots, ::testing::Values(1.0, 2.0));

}  // namespace
}  // namespace velmaro

namespace velmaro {
namespace {

TEST_F(MacroManagerTest, InsertIntoALongMacroKeepsTheNewActionInView) {
    Open();
    std::vector<MacroAction> twenty;
    for (int i = 0; i < 10; ++i) {
        twenty.push_back(Key(0x41, false));
        twenty.push_back(Key(0x41, true));
    }
    MacroRecord& m = SelectNewMacro(u"Twenty", twenty);
    const int page = manager->ActionList()->VisibleRowCount();
    ASSERT_LT(page, 20) << "the macro must be longer than the rows shown";
    // After the second action, in the first page: the list stays at the top.
    manager->SelectAction(1);
    Choose(kManagerInsertChoice, uint8_t(InsertKind::LeftClick));
    ASSERT_EQ(m.MacroActionNum, 23u);
    EXPECT_EQ(manager->SelectedAction(), 4);
    EXPECT_EQ(manager->ActionList()->FirstVisibleRow(), 0);
    // After an action further down: scrolled only as far as needed.
    manager->SelectAction(page + 3);
    keys = {uint8_t(0x5A)};
    Choose(kManagerInsertChoice, uint8_t(InsertKind::Key));
    const int inserted = manager->SelectedAction();
    EXPECT_EQ(inserted, page + 6);
    const int first = manager->ActionList()->FirstVisibleRow();
    EXPECT_GE(inserted, first);
    EXPECT_LT(inserted, first + page);
    EXPECT_EQ(first, inserted - page + 1);
    EXPECT_EQ(manager->ActionScrollBar()->GetPos(), first);
}

TEST_F(MacroManagerTest, WhileRecordingTheWheelScrollsTheActionsAndTheNoteSaysTypeHere) {
    Open();
    SelectNewMacro(u"Many");
    Click(kManagerRecordId);
    ASSERT_TRUE(manager->Recording());
    // Without a desktop-wide key source (offscreen here, Wayland for a user)
    // keys come from the manager only, and it says so.
    EXPECT_FALSE(manager->Hook().IsDesktopWide());
    ASSERT_NE(manager->TypeHereNote(), nullptr);
    EXPECT_TRUE(manager->TypeHereNote()->Visible());
    EXPECT_EQ(EntryOf(manager->TypeHereNote()->GetText()), 322);
    for (int i = 0; i < 20; ++i) {
        KeyA(true, ulong(i * 100));
        KeyA(false, ulong(i * 100 + 50));
    }
    const int first = manager->ActionList()->FirstVisibleRow();
    ASSERT_GT(first, 0) << "recording shows the last rows";
    const Rect r = manager->ActionList()->GetRect();
    const QPoint over((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    QWheelEvent up(over, manager->mapToGlobal(over), QPoint(), QPoint(0, 240), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(manager.get(), &up);
    EXPECT_EQ(manager->ActionList()->FirstVisibleRow(), first - 2);
    Click(kManagerRecordId);
    EXPECT_FALSE(manager->TypeHereNote()->Visible());
}

TEST_F(MacroManagerTest, AMacroLongerThanTheMousePlaysIsKeptWholeAndMarked) {
    auto longMacro = std::make_unique<MacroRecord>();
    for (uint32_t i = 0; i < 168; ++i)
        longMacro->InsertAction(i, Key(0x41, i % 2 != 0));
    longMacro->MacroCommandActionNum = 168;
    library.PlaceMacro(u"Long", MacroItemLocation::Top(0), std::move(longMacro));
    library.PlaceMacro(u"Short", MacroItemLocation::Top(1), std::make_unique<MacroRecord>());
    Open();
    EXPECT_EQ(manager->TreeRows().Row(0).Text, QStringLiteral("Long (too long)"));
    EXPECT_EQ(manager->TreeRows().Row(1).Text, QStringLiteral("Short"));
    // Opened, nothing is cut; an insert is refused.
    library.SelectedLocation = MacroItemLocation::Top(0);
    manager->RefreshSelection();
    ASSERT_NE(manager->CurrentMacro(), nullptr);
    manager->Insert(InsertKind::LeftClick);
    EXPECT_EQ(messages, std::vector<int>{237});
    EXPECT_EQ(manager->CurrentMacro()->MacroActionNum, 168u);
}

}  // namespace
}  // namespace velmaro
