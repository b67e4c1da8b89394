// The macro manager on Qt's offscreen platform: the tree commands and their
// menus, closing, and screenshots.
#include "macro_manager_fixture.h"

#include <gtest/gtest.h>

namespace velmaro {
namespace {

using namespace macro_manager_test;
using testing::MemoryFileSystem;

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
