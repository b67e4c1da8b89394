// The button-function menu and the lists it opens: their items, what a choice
// reports, the menu's hover and dialog messages.
#include <gtest/gtest.h>

#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/button_functions.h"
#include "popup_test_support.h"
#include "ui/combo_popup.h"
#include "ui/function_list_popups.h"

namespace velmaro {
namespace {

using popup_test::Click;
using popup_test::MoveTo;
using popup_test::Press;
using popup_test::RecordingOwner;
using popup_test::Release;

constexpr uintptr_t kField = 2015;

class PopupFamilyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        owner_ = std::make_unique<RecordingOwner>(ui_);
        owner_->ChoiceMessages = {kComboMenuChoiceMessage,   kDpiListChoiceMessage,
                                  kDpiLockListChoiceMessage, kMultimediaListChoiceMessage,
                                  kOfficeListChoiceMessage,  kWindowsListChoiceMessage};
        owner_->show();
    }
    void TearDown() override {
        owner_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <class Popup>
    Popup* Open(std::unique_ptr<Popup> popup, uint32_t message) {
        Popup* raw = popup.release();
        EXPECT_TRUE(raw->Create(owner_.get(), Rect{50, 60, 60, 70}, message, kField));
        return raw;
    }

    // Moves onto item `index` and clicks it; returns what the owner heard.
    std::vector<popup_test::Sent> ChooseItem(CListPopup& popup, size_t index) {
        owner_->Messages.clear();
        MoveTo(&popup, popup_test::Centre(popup.Items()[index].Bounds));
        Click(&popup, popup_test::Centre(popup.Items()[index].Bounds));
        // Step off so the next item is entered afresh.
        popup_test::Leave(&popup);
        return owner_->Messages;
    }

    LanguageTable language_ = popup_test::EnglishLanguage(1.0);
    UiContext ui_ = popup_test::MakeUiContext(1.0, language_);
    PopupItemImages images_ = MenuItemImages(ui_);
    std::unique_ptr<RecordingOwner> owner_;
};

struct ListCase {
    const char* name;
    std::function<std::unique_ptr<CListPopup>(UiContext&, const LanguageTable&,
                                              const PopupItemImages&)>
        make;
    int kind;
    uint32_t message;
    std::vector<std::u16string> captions;
    // What each entry reports: name and bytes.
    std::vector<ButtonChoice> choices;
};

void PrintTo(const ListCase& c, std::ostream* os) {
    *os << c.name;
}

template <class T>
auto Maker() {
    return [](UiContext& ui, const LanguageTable& l,
              const PopupItemImages& i) -> std::unique_ptr<CListPopup> {
        return std::make_unique<T>(ui, l, i);
    };
}

std::vector<ListCase> ListCases() {
    return {
        {"dpi",
         Maker<CDPIPopup>(),
         kDpiPopupKind,
         kDpiListChoiceMessage,
         {u"DPI +", u"DPI -", u"DPI Cycle"},
         {{u"DPI +", {0x40, 2, 0}}, {u"DPI -", {0x40, 3, 0}}, {u"DPI Cycle", {0x40, 1, 0}}}},
        {"dpi_lock",
         Maker<CDPILockPopup>(),
         kDpiLockPopupKind,
         kDpiLockListChoiceMessage,
         {u"200", u"300", u"400", u"500", u"600", u"700", u"800", u"900", u"1000", u"1100",
          u"1200"},
         {{u"DPI Lock-200", {0x50, 1, 0}},
          {u"DPI Lock-300", {0x50, 2, 0}},
          {u"DPI Lock-400", {0x50, 3, 0}},
          {u"DPI Lock-500", {0x50, 4, 0}},
          {u"DPI Lock-600", {0x50, 5, 0}},
          {u"DPI Lock-700", {0x50, 6, 0}},
          {u"DPI Lock-800", {0x50, 7, 0}},
          {u"DPI Lock-900", {0x50, 8, 0}},
          {u"DPI Lock-1000", {0x50, 9, 0}},
          {u"DPI Lock-1100", {0x50, 10, 0}},
          {u"DPI Lock-1200", {0x50, 11, 0}}}},
        {"multimedia",
         Maker<CMultimediaPopup>(),
         kMultimediaPopupKind,
         kMultimediaListChoiceMessage,
         {u"Media Player", u"Previous Track", u"Next Track", u"Stop", u"Play/Pause", u"Mute",
          u"Volume Up", u"Volume Down", u"Email", u"Calculator"},
         {{u"Media Player", {0x80, 0x83, 0x01}},
          {u"Previous Track", {0x80, 0xB6, 0x00}},
          {u"Next Track", {0x80, 0xB5, 0x00}},
          {u"Stop", {0x80, 0xB7, 0x00}},
          {u"Play/Pause", {0x80, 0xCD, 0x00}},
          {u"Mute", {0x80, 0xE2, 0x00}},
          {u"Volume Up", {0x80, 0xE9, 0x00}},
          {u"Volume Down", {0x80, 0xEA, 0x00}},
          {u"Email", {0x80, 0x8A, 0x01}},
          {u"Calculator", {0x80, 0x92, 0x01}}}},
        {"office",
         Maker<COfficePopup>(),
         kOfficePopupKind,
         kOfficeListChoiceMessage,
         {u"Copy", u"Paste", u"Cut", u"Select All", u"New", u"Save", u"Print", u"File Manager",
          u"Undo"},
         {{u"Copy", {0x70, 0x01, 0x06}},
          {u"Paste", {0x70, 0x01, 0x19}},
          {u"Cut", {0x70, 0x01, 0x1B}},
          {u"Select All", {0x70, 0x01, 0x04}},
          {u"New", {0x70, 0x01, 0x11}},
          {u"Save", {0x70, 0x01, 0x16}},
          {u"Print", {0x70, 0x01, 0x13}},
          {u"File Manager", {0x70, 0x08, 0x08}},
          {u"Undo", {0x70, 0x01, 0x1D}}}},
        {"windows",
         Maker<CWindowsManagePopup>(),
         kWindowsManagePopupKind,
         kWindowsListChoiceMessage,
         {u"My Computer", u"Close Window", u"Show Desktop", u"Run", u"Minimize", u"Maximize"},
         {{u"My Computer", {0x80, 0x94, 0x01}},
          {u"Close Window", {0x70, 0x04, 0x3D}},
          {u"Show Desktop", {0x70, 0x08, 0x07}},
          {u"Run", {0x70, 0x08, 0x15}},
          {u"Minimize", {0x70, 0x08, 0x51}},
          {u"Maximize", {0x70, 0x08, 0x52}}}},
    };
}

class FunctionListTest : public PopupFamilyTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(FunctionListTest, ShowsItsListAndReportsEachFunction) {
    const ListCase& c = GetParam();
    CListPopup* popup = Open(c.make(ui_, language_, images_), c.message);
    EXPECT_EQ(popup->Kind(), c.kind);
    ASSERT_EQ(popup->Items().size(), c.captions.size());
    for (size_t i = 0; i < c.captions.size(); ++i) {
        const PopupItem& item = popup->Items()[i];
        EXPECT_EQ(item.Caption, c.captions[i]) << i;
        EXPECT_EQ(item.Id, int(i + 1));
        EXPECT_FALSE(item.HasArrow);
        EXPECT_FALSE(item.Separator);

        const std::vector<popup_test::Sent> sent = ChooseItem(*popup, i);
        ASSERT_EQ(sent.size(), 1u) << i;
        EXPECT_EQ(sent[0].Message, c.message);
        EXPECT_EQ(sent[0].WParam, kField);
        ASSERT_TRUE(sent[0].Result.has_value());
        EXPECT_EQ(sent[0].Result->Name, c.choices[i].Name) << i;
        EXPECT_EQ(sent[0].Result->Code, c.choices[i].Value) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Lists, FunctionListTest, ::testing::ValuesIn(ListCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The menu: captions from the language table, arrows on the five list entries.
TEST_F(PopupFamilyTest, ComboMenuListsTheSixteenFunctions) {
    CComboPopup* menu =
        Open(std::make_unique<CComboPopup>(ui_, language_, images_), kComboMenuChoiceMessage);
    EXPECT_EQ(menu->Kind(), 0);
    ASSERT_EQ(menu->Items().size(), 16u);
    const std::vector<std::u16string> captions = {u"Left Click",   u"Right Click",
                                                  u"Middle Click", u"Forward",
                                                  u"Back",         u"DPI",
                                                  u"Fire Key",     u"Triple Click",
                                                  u"Macro",        u"Key Combination",
                                                  u"Multimedia",   u"Office",
                                                  u"System",       u"Report Rate Switch",
                                                  u"DPI Lock",     u"Disable"};
    for (size_t i = 0; i < 16; ++i) {
        const PopupItem& item = menu->Items()[i];
        EXPECT_EQ(item.Caption, captions[i]) << i;
        EXPECT_EQ(item.Id, int(i + 1));
        const bool arrow = i + 1 == 6 || i + 1 == 11 || i + 1 == 12 || i + 1 == 13 || i + 1 == 15;
        EXPECT_EQ(item.HasArrow, arrow) << i;
    }
    // 16 items of 22 pixels from y = 1, one pixel more below; 162 wide.
    EXPECT_EQ(menu->size(), QSize(162, 16 * 22 + 2));
}

struct MenuEntryCase {
    int entry;
    uint32_t on_hover;
    // On click: the message, and for a direct choice the name and bytes.
    std::optional<uint32_t> on_click;
    std::optional<ButtonChoice> choice;
};

void PrintTo(const MenuEntryCase& c, std::ostream* os) {
    *os << "entry " << c.entry;
}

class ComboMenuEntryTest : public PopupFamilyTest,
                           public ::testing::WithParamInterface<MenuEntryCase> {};

TEST_P(ComboMenuEntryTest, HoverAndClickSendTheEntrysMessages) {
    const MenuEntryCase& c = GetParam();
    CComboPopup* menu =
        Open(std::make_unique<CComboPopup>(ui_, language_, images_), kComboMenuChoiceMessage);
    const QPoint at = popup_test::Centre(menu->Items()[size_t(c.entry - 1)].Bounds);

    MoveTo(menu, at);
    ASSERT_EQ(owner_->Messages.size(), 1u);
    EXPECT_EQ(owner_->Messages[0].Message, c.on_hover);
    EXPECT_EQ(owner_->Messages[0].WParam, kField);
    // Resting on the entry asks only once.
    MoveTo(menu, at + QPoint(2, 0));
    EXPECT_EQ(owner_->Messages.size(), 1u);

    owner_->Messages.clear();
    Press(menu, at);
    const bool fronting = c.entry <= 4;
    ASSERT_EQ(owner_->Messages.size(), fronting ? 1u : 0u);
    if (fronting) {
        // A press on the first four entries asks to bring the open lists forward.
        EXPECT_EQ(owner_->Messages[0].Message, kComboMenuChoiceMessage);
        EXPECT_EQ(owner_->Messages[0].WParam, 0u);
        EXPECT_EQ(owner_->Messages[0].LParam, 0);
    }

    owner_->Messages.clear();
    Release(menu, at);
    if (!c.on_click) {
        EXPECT_TRUE(owner_->Messages.empty());
        return;
    }
    ASSERT_EQ(owner_->Messages.size(), 1u);
    const popup_test::Sent& sent = owner_->Messages[0];
    EXPECT_EQ(sent.Message, *c.on_click);
    EXPECT_EQ(sent.WParam, kField);
    if (c.choice) {
        ASSERT_TRUE(sent.Result.has_value());
        EXPECT_EQ(sent.Result->Name, c.choice->Name);
        EXPECT_EQ(sent.Result->Code, c.choice->Value);
    } else {
        EXPECT_EQ(sent.LParam, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ComboMenuEntryTest,
    ::testing::Values(
        MenuEntryCase{1, 0x409, 0x403, ButtonChoice{u"Left Click", {0x10, 0x01, 0}}},
        MenuEntryCase{2, 0x409, 0x403, ButtonChoice{u"Right Click", {0x10, 0x02, 0}}},
        MenuEntryCase{3, 0x409, 0x403, ButtonChoice{u"Middle Click", {0x10, 0x04, 0}}},
        MenuEntryCase{4, 0x409, 0x403, ButtonChoice{u"Forward", {0x10, 0x10, 0}}},
        MenuEntryCase{5, 0x409, 0x403, ButtonChoice{u"Back", {0x10, 0x08, 0}}},
        MenuEntryCase{6, 0x410, std::nullopt, std::nullopt},
        MenuEntryCase{7, 0x409, 0x426, std::nullopt},
        MenuEntryCase{8, 0x409, 0x403, ButtonChoice{u"Triple Click", {0x30, 50, 3}}},
        MenuEntryCase{9, 0x409, 0x429, std::nullopt}, MenuEntryCase{10, 0x409, 0x40B, std::nullopt},
        MenuEntryCase{11, 0x413, std::nullopt, std::nullopt},
        MenuEntryCase{12, 0x488, std::nullopt, std::nullopt},
        MenuEntryCase{13, 0x485, std::nullopt, std::nullopt},
        MenuEntryCase{14, 0x409, 0x403, ButtonChoice{u"Report Rate Switch", {0x60, 4, 0}}},
        MenuEntryCase{15, 0x482, std::nullopt, std::nullopt},
        MenuEntryCase{16, 0x409, 0x403, ButtonChoice{u"Disable", {0, 0, 0}}}),
    [](const auto& info) { return "entry" + std::to_string(info.param.entry); });

TEST_F(PopupFamilyTest, ComboMenuReportsOnlyNewlyEnteredEntries) {
    CComboPopup* menu =
        Open(std::make_unique<CComboPopup>(ui_, language_, images_), kComboMenuChoiceMessage);
    MoveTo(menu, popup_test::Centre(menu->Items()[5].Bounds));   // DPI: open its list
    MoveTo(menu, popup_test::Centre(menu->Items()[14].Bounds));  // DPI lock
    popup_test::Leave(menu);                                     // off the menu: nothing
    MoveTo(menu, popup_test::Centre(menu->Items()[0].Bounds));   // left click: close the lists
    EXPECT_EQ(owner_->MessageNumbers(), (std::vector<uint32_t>{0x410, 0x482, 0x409}));
}

}  // namespace
}  // namespace velmaro
