// The macro manager on Qt's offscreen platform: recording through the key
// capture, the action commands with their selection, the play mode and
// repeat count.
#include "macro_manager_fixture.h"

#include <gtest/gtest.h>

namespace velmaro {
namespace {

using namespace macro_manager_test;
using testing::MemoryFileSystem;

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
