// List popup mechanics: layout at each UI scale, hover, choice, separators,
// the deactivation message of each kind, closing, and what the rendering
// shows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <memory>

#include "popup_test_support.h"
#include "ui/list_popup.h"

namespace velmaro {
namespace {

using popup_test::Click;
using popup_test::Leave;
using popup_test::MoveTo;
using popup_test::Press;
using popup_test::RecordingOwner;
using popup_test::Release;

constexpr uint32_t kChoice = 0x479;
constexpr uintptr_t kData = 0xC30;

class ListPopupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        owner_ = std::make_unique<RecordingOwner>(ui_);
        owner_->ChoiceMessages = {kChoice};
        owner_->show();
    }

    void TearDown() override {
        owner_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Three items around a separator: "One", separator, "Two", "Three".
    CListPopup* MakeList(int kind = 9, double scale = 1.0) {
        ui_.Scale = scale;
        auto* popup = new CListPopup(ui_, kind, MenuItemImages(ui_));
        popup->AddItem(1, u"One", {0x00, 1, 2});
        popup->AddSeparator();
        popup->AddItem(2, u"Two", {0x01, 0, 0});
        popup->AddItem(3, u"Three", {0x02, 0, 0});
        EXPECT_TRUE(popup->Create(owner_.get(), Rect{100, 100, 400, 400}, kChoice, kData));
        return popup;
    }

    static QPoint Centre(const CListPopup& p, size_t index) {
        return popup_test::Centre(p.Items()[index].Bounds);
    }

    LanguageTable language_ = popup_test::EnglishLanguage(1.0);
    UiContext ui_ = popup_test::MakeUiContext(1.0, language_);
    std::unique_ptr<RecordingOwner> owner_;
};

struct LayoutCase {
    double scale;
    Rect first;  // right and bottom outside
    Rect separator;
    Rect second;
    QSize window;
};

class ListPopupLayoutTest : public ListPopupTest,
                            public ::testing::WithParamInterface<LayoutCase> {};

constexpr Rect Edges(int l, int t, int r, int b) {
    return Rect{l, t, r, b};
}

TEST_P(ListPopupLayoutTest, StacksItemsAndSeparatorsAndSizesTheWindow) {
    const LayoutCase& c = GetParam();
    CListPopup* popup = MakeList(9, c.scale);
    EXPECT_EQ(popup->Items()[0].Bounds, c.first);
    EXPECT_EQ(popup->Items()[1].Bounds, c.separator);
    EXPECT_EQ(popup->Items()[2].Bounds, c.second);
    EXPECT_EQ(popup->size(), c.window);
    EXPECT_EQ(popup->pos(), QPoint(100, 100));
}

INSTANTIATE_TEST_SUITE_P(
    Scales, ListPopupLayoutTest,
    ::testing::Values(LayoutCase{1.0, Edges(1, 1, 161, 23), Edges(1, 25, 161, 26),
                                 Edges(1, 27, 161, 49), QSize(162, 72)},
                      LayoutCase{1.5, Edges(1, 1, 241, 34), Edges(1, 37, 241, 38),
                                 Edges(1, 40, 241, 73), QSize(243, 107)},
                      LayoutCase{2.0, Edges(2, 2, 322, 46), Edges(2, 50, 322, 52),
                                 Edges(2, 54, 322, 98), QSize(324, 144)}));

// A page's own list: a wider item edge, icons at the left, codes of its own.
TEST_F(ListPopupTest, PageFilledListWithIconsAndItsOwnWidth) {
    ui_.Scale = 1.5;
    QImage icon(10, 8, QImage::Format_ARGB32);
    icon.fill(QColor(255, 0, 255));
    auto* popup = new CListPopup(ui_, 9, MenuItemImages(ui_), 188);
    popup->AddItem(1, u"Static", {0, 0, 0}, false, icon);
    popup->AddItem(9, u"Breathing", {8, 0, 0});
    ASSERT_TRUE(popup->Create(owner_.get(), Rect{10, 20, 310, 320}, kChoice, kData));
    EXPECT_EQ(popup->size(), QSize(int(189 * 1.5), int(1 + 2 * 33 + 1.5)));
    EXPECT_EQ(popup->Items()[1].Bounds, (Rect{1, 34, 282, 67}));

    // The icon sits at its own size, centred in a 25-pixel column at the left.
    const QImage shown = popup->Rendered().convertToFormat(QImage::Format_ARGB32);
    const Rect first = popup->Items()[0].Bounds;
    const QPoint icon_at(first.left + (25 - 10) / 2, first.top + (first.Height() - 8) / 2);
    EXPECT_EQ(QColor(shown.pixel(icon_at)), QColor(255, 0, 255));
    EXPECT_EQ(QColor(shown.pixel(icon_at + QPoint(9, 7))), QColor(255, 0, 255));
    EXPECT_NE(QColor(shown.pixel(icon_at + QPoint(10, 0))), QColor(255, 0, 255));

    MoveTo(popup, popup_test::Centre(popup->Items()[1].Bounds));
    Click(popup, popup_test::Centre(popup->Items()[1].Bounds));
    ASSERT_EQ(owner_->Messages.size(), 1u);
    EXPECT_EQ(owner_->Messages[0].Result->Name, u"Breathing");
    EXPECT_EQ(owner_->Messages[0].Result->Code, (KeyValue{8, 0, 0}));
}

TEST_F(ListPopupTest, HoverFollowsThePointerWithOneRenderPerChange) {
    CListPopup* popup = MakeList();
    const int renders = popup->RenderCount();

    MoveTo(popup, Centre(*popup, 0));
    EXPECT_EQ(popup->HoverIndex(), 0);
    EXPECT_EQ(popup->RenderCount(), renders + 1);

    MoveTo(popup, Centre(*popup, 0) + QPoint(3, 1));  // still on the same item
    EXPECT_EQ(popup->RenderCount(), renders + 1);

    // Straight onto the next item: one change, one render.
    MoveTo(popup, Centre(*popup, 2));
    EXPECT_EQ(popup->HoverIndex(), 2);
    MoveTo(popup, Centre(*popup, 3));
    EXPECT_EQ(popup->HoverIndex(), 3);
    EXPECT_EQ(popup->RenderCount(), renders + 3);

    Leave(popup);
    EXPECT_EQ(popup->HoverIndex(), -1);
    EXPECT_FALSE(popup->Tracking());
    EXPECT_EQ(popup->RenderCount(), renders + 4);
    EXPECT_TRUE(owner_->Messages.empty());
}

TEST_F(ListPopupTest, SeparatorIsNeverHoveredOrChosen) {
    CListPopup* popup = MakeList();
    MoveTo(popup, Centre(*popup, 0));
    MoveTo(popup, Centre(*popup, 1));
    EXPECT_EQ(popup->HoverIndex(), -1);
    Click(popup, Centre(*popup, 1));
    EXPECT_TRUE(owner_->Messages.empty());
}

TEST_F(ListPopupTest, ClickReportsTheItemAndLeavesClosingToTheOwner) {
    CListPopup* popup = MakeList();
    MoveTo(popup, Centre(*popup, 2));
    Click(popup, Centre(*popup, 2));

    ASSERT_EQ(owner_->Messages.size(), 1u);
    const popup_test::Sent& sent = owner_->Messages[0];
    EXPECT_EQ(sent.Message, kChoice);
    EXPECT_EQ(sent.WParam, kData);
    EXPECT_EQ(sent.LParam, reinterpret_cast<intptr_t>(&popup->Result()));
    ASSERT_TRUE(sent.Result.has_value());
    EXPECT_EQ(sent.Result->Name, u"Two");
    EXPECT_EQ(sent.Result->Code, (KeyValue{0x01, 0, 0}));
    EXPECT_TRUE(popup->isVisible());
}

TEST_F(ListPopupTest, ClickWithoutAHoveredItemReportsNothing) {
    CListPopup* popup = MakeList();
    Click(popup, Centre(*popup, 2));  // no move first: nothing is hovered
    EXPECT_TRUE(owner_->Messages.empty());
}

TEST_F(ListPopupTest, PressDragOffAndReleaseChoosesNothingAndClearsTheHover) {
    CListPopup* popup = MakeList();
    MoveTo(popup, Centre(*popup, 0));
    Press(popup, Centre(*popup, 0));
    // Moves while the button is held do not change the hover.
    MoveTo(popup, Centre(*popup, 2), Qt::LeftButton);
    EXPECT_EQ(popup->HoverIndex(), 0);
    const int renders = popup->RenderCount();
    Release(popup, Centre(*popup, 2));
    EXPECT_EQ(popup->HoverIndex(), -1);
    EXPECT_EQ(popup->RenderCount(), renders + 1);
    EXPECT_TRUE(owner_->Messages.empty());
}

TEST_F(ListPopupTest, PressAwayFromTheHoveredItemClearsTheHover) {
    CListPopup* popup = MakeList();
    MoveTo(popup, Centre(*popup, 0));
    Press(popup, QPoint(0, 0));  // the frame, outside every item
    EXPECT_EQ(popup->HoverIndex(), -1);
    Release(popup, QPoint(0, 0));
    EXPECT_TRUE(owner_->Messages.empty());
}

TEST_F(ListPopupTest, ClosingSendsTheCloseMessageOnceAndDeletesThePopup) {
    QPointer<CListPopup> popup = MakeList();
    popup->close();
    popup->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(popup.isNull());
    ASSERT_EQ(owner_->Messages.size(), 1u);
    EXPECT_EQ(owner_->Messages[0].Message, kPopupClosedMessage);
    EXPECT_EQ(owner_->Messages[0].WParam, 0u);
    EXPECT_EQ(owner_->Messages[0].LParam, 0);
}

TEST_F(ListPopupTest, PostedCloseHappensOnlyOnceTheEventLoopRuns) {
    QPointer<CListPopup> popup = MakeList();
    popup->PostClose();
    EXPECT_TRUE(owner_->Messages.empty());
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(popup.isNull());
    EXPECT_EQ(owner_->MessageNumbers(), std::vector<uint32_t>{kPopupClosedMessage});
}

TEST_F(ListPopupTest, PopupDiesWithItsOwnerWithoutReporting) {
    QPointer<CListPopup> popup = MakeList();
    std::vector<uint32_t> heard;
    owner_->OnMessage = [&heard](const popup_test::Sent& s) { heard.push_back(s.Message); };
    owner_.reset();
    EXPECT_TRUE(popup.isNull());
    EXPECT_TRUE(heard.empty());
}

TEST_F(ListPopupTest, DetachedPopupReportsNothing) {
    CListPopup* popup = MakeList();
    popup->DetachOwner();
    MoveTo(popup, Centre(*popup, 0));
    Click(popup, Centre(*popup, 0));
    popup->close();
    EXPECT_TRUE(owner_->Messages.empty());
}

struct DeactivationCase {
    int kind;
    uint32_t message;  // 0: nothing is sent
};

class ListPopupDeactivationTest : public ListPopupTest,
                                  public ::testing::WithParamInterface<DeactivationCase> {};

// Activation moves to another window: the popup tells its owner once; the
// owner closes it through the event loop, and the popup sends 0x401.
TEST_P(ListPopupDeactivationTest, LosingActivationTellsTheOwnerWhoClosesIt) {
    const DeactivationCase& c = GetParam();
    EXPECT_EQ(PopupDeactivationMessage(c.kind), c.message);

    QPointer<CListPopup> popup = MakeList(c.kind);
    owner_->OnMessage = [&popup, &c](const popup_test::Sent& s) {
        if (c.message != 0 && s.Message == c.message && popup) {
            popup->PostClose();
        }
    };
    QApplication::setActiveWindow(popup);
    ASSERT_TRUE(popup->isActiveWindow());

    QWidget elsewhere;
    elsewhere.show();
    QApplication::setActiveWindow(&elsewhere);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    if (c.message == 0) {
        EXPECT_TRUE(owner_->Messages.empty());
        ASSERT_FALSE(popup.isNull());
        popup->close();
        EXPECT_EQ(owner_->MessageNumbers(), std::vector<uint32_t>{kPopupClosedMessage});
        return;
    }
    EXPECT_TRUE(popup.isNull());
    ASSERT_EQ(owner_->Messages.size(), 2u);
    EXPECT_EQ(owner_->Messages[0].Message, c.message);
    EXPECT_EQ(owner_->Messages[0].WParam, kData);
    EXPECT_EQ(owner_->Messages[0].LParam, c.kind);
    EXPECT_EQ(owner_->Messages[1].Message, kPopupClosedMessage);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ListPopupDeactivationTest,
                         ::testing::Values(DeactivationCase{0, 0x405}, DeactivationCase{2, 0x412},
                                           DeactivationCase{3, 0x415}, DeactivationCase{4, 0},
                                           DeactivationCase{5, 0}, DeactivationCase{6, 0x421},
                                           DeactivationCase{7, 0x466}, DeactivationCase{9, 0x47A},
                                           DeactivationCase{10, 0x484}, DeactivationCase{11, 0x487},
                                           DeactivationCase{12, 0x48A}, DeactivationCase{13, 0x48D},
                                           DeactivationCase{14, 0x490},
                                           DeactivationCase{15, 0x492}));

TEST_F(ListPopupTest, ClosingWhileActiveDoesNotAlsoReportDeactivation) {
    QPointer<CListPopup> popup = MakeList(0);
    QApplication::setActiveWindow(popup);
    popup->close();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(owner_->MessageNumbers(), std::vector<uint32_t>{kPopupClosedMessage});
}

// Items are drawn opaque: a popup over any window is plainly visible. Where
// no artwork lies the window is see-through.
TEST_F(ListPopupTest, RenderingShowsTheItemImagesOpaqueAndTheHoverLook) {
    CListPopup* popup = MakeList();
    const QImage normal_image(MenuItemImages(ui_).Normal);
    const QImage hover_image(MenuItemImages(ui_).Hover);
    ASSERT_FALSE(normal_image.isNull());

    // A point of the item's image away from the centred caption.
    const QRect first = popup->Items()[0].Bounds.ToQRect();
    const QPoint probe(first.left() + 6, first.top() + 3);
    const QPoint source = probe - first.topLeft();
    QImage shown = popup->Rendered().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(shown.pixel(probe)), 255);
    EXPECT_EQ(shown.pixel(probe),
              normal_image.convertToFormat(QImage::Format_ARGB32).pixel(source));

    MoveTo(popup, first.center());
    shown = popup->Rendered().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(shown.pixel(probe), hover_image.convertToFormat(QImage::Format_ARGB32).pixel(source));

    // The separator line has its colour.
    const QRect sep = popup->Items()[1].Bounds.ToQRect();
    EXPECT_EQ(QColor(shown.pixel(sep.center())), ToQColor(kListSeparatorColor));
}

}  // namespace
}  // namespace velmaro
