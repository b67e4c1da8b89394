// The macro manager's two popups: the tree's context menu offers the
// commands that fit the item under the pointer, the insert drop-down its five
// kinds; a choice reports the command or kind in code0.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/combo_action_insert_popup.h"
#include "ui/macro_list_popup.h"
#include "ui/popup_test_support.h"

namespace velmaro {
namespace {

using popup_test::RecordingOwner;
using Cmd = MacroTreeCommand;

constexpr uintptr_t kData = 0x7DF;

class MacroPopupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        owner_ = std::make_unique<RecordingOwner>(ui_);
        owner_->ChoiceMessages = {kMacroListChoiceMessage, kActionInsertChoiceMessage};
        owner_->show();
    }
    void TearDown() override {
        owner_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The popup is owned by its window from now on; it frees itself on close.
    template <class Popup>
    Popup* Open(std::unique_ptr<Popup> popup, uint32_t message) {
        Popup* raw = popup.release();
        EXPECT_TRUE(raw->Create(owner_.get(), Rect{50, 60, 60, 70}, message, kData));
        return raw;
    }

    // Moves onto item `index` and clicks it; the owner's choice message.
    std::vector<popup_test::Sent> Choose(CListPopup& popup, size_t index) {
        owner_->Messages.clear();
        const QPoint at = popup_test::Centre(popup.Items().at(index).Bounds);
        popup_test::MoveTo(&popup, at);
        popup_test::Click(&popup, at);
        popup_test::Leave(&popup);
        std::vector<popup_test::Sent> choices;
        for (const popup_test::Sent& s : owner_->Messages)
            if (owner_->IsChoice(s.Message))
                choices.push_back(s);
        return choices;
    }

    static std::vector<int> Ids(const CListPopup& popup) {
        std::vector<int> ids;
        for (const PopupItem& item : popup.Items())
            ids.push_back(item.Id);
        return ids;
    }

    LanguageTable language_ = popup_test::EnglishLanguage(1.0);
    UiContext ui_ = popup_test::MakeUiContext(1.0, language_);
    PopupItemImages images_ = MenuItemImages(ui_);
    std::unique_ptr<RecordingOwner> owner_;
};

TEST_F(MacroPopupTest, TreeMenuOffersTheCommandsThatFitTheItem) {
    struct Case {
        MacroTreeSelection selection;
        std::vector<Cmd> offered;
    };
    const Case cases[] = {
        {MacroTreeSelection::Nothing,
         {Cmd::NewMacro, Cmd::NewFolder, Cmd::ImportMacro, Cmd::ImportCollection,
          Cmd::ExportCollection}},
        {MacroTreeSelection::Folder,
         {Cmd::NewMacro, Cmd::NewFolder, Cmd::ImportMacro, Cmd::Rename, Cmd::Delete,
          Cmd::ImportCollection, Cmd::ExportCollection}},
        {MacroTreeSelection::Macro,
         {Cmd::NewMacro, Cmd::NewFolder, Cmd::ExportMacro, Cmd::ImportMacro, Cmd::Rename,
          Cmd::Delete, Cmd::ImportCollection, Cmd::ExportCollection}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OfferedMacroTreeCommands(c.selection), c.offered);
        auto* menu = Open(std::make_unique<CMacroListPopup>(ui_, language_, c.selection, images_),
                          kMacroListChoiceMessage);
        std::vector<int> expected;
        for (Cmd cmd : c.offered)
            expected.push_back(int(cmd));
        EXPECT_EQ(Ids(*menu), expected);
        for (const PopupItem& item : menu->Items())
            EXPECT_EQ(item.Caption, language_.Text(size_t(245 + item.Id)));
        menu->close();
    }
}

TEST_F(MacroPopupTest, ChoosingATreeCommandReportsItsNumber) {
    auto* menu =
        Open(std::make_unique<CMacroListPopup>(ui_, language_, MacroTreeSelection::Folder, images_),
             kMacroListChoiceMessage);
    EXPECT_EQ(menu->Kind(), kMacroListPopupKind);
    // Rename is the fourth entry with a folder under the pointer.
    const std::vector<popup_test::Sent> sent = Choose(*menu, 3);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Message, kMacroListChoiceMessage);
    EXPECT_EQ(sent[0].WParam, kData);
    ASSERT_TRUE(sent[0].Result);
    EXPECT_EQ(sent[0].Result->Code[0], uint8_t(Cmd::Rename));
    EXPECT_EQ(sent[0].Result->Name, language_.Text(249));
    menu->close();
}

TEST_F(MacroPopupTest, InsertDropDownReportsTheChosenKind) {
    const uint16_t entries[] = {20, 21, 22, 205, 206};
    for (size_t kind = 0; kind < std::size(entries); ++kind) {
        auto* list = Open(std::make_unique<CComboActionInsertPopup>(
                              ui_, language_, kActionInsertPopupKind, images_),
                          kActionInsertChoiceMessage);
        ASSERT_EQ(list->Items().size(), std::size(entries));
        EXPECT_EQ(list->Items()[kind].Caption, language_.Text(entries[kind]));
        const std::vector<popup_test::Sent> sent = Choose(*list, kind);
        ASSERT_EQ(sent.size(), 1u) << kind;
        ASSERT_TRUE(sent[0].Result);
        EXPECT_EQ(sent[0].Result->Code[0], kind);
        list->close();
    }
    // The kind the opener gives picks the message sent when the list loses focus.
    EXPECT_EQ(PopupDeactivationMessage(kActionInsertPopupKind), 0x490u);
    EXPECT_EQ(PopupDeactivationMessage(kMacroListPopupKind), 0x492u);
}

}  // namespace
}  // namespace velmaro
