// The notification protocol and looks of each control class, as sequences of
// mouse events and the messages and states they must produce.
#include <gtest/gtest.h>

#include <QPainter>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

#include "ui/battery.h"
#include "ui/check_button.h"
#include "ui/color_select_button.h"
#include "ui/color_select_check_button.h"
#include "ui/combo_button.h"
#include "ui/dpi_radio_button.h"
#include "ui/image_button.h"
#include "ui/link_button.h"
#include "ui/radio_button.h"
#include "ui/static_image.h"
#include "ui/static_text.h"
#include "ui/tab_control.h"
#include "ui_test_support.h"

namespace velmaro::test {
namespace {

enum class Ev { Move, Down, Up, RUp, Dbl };
struct Step {
    Ev ev;
    int x;
    int y;
};

// Feeds the events to the control as its host would and returns whether the
// last one reported a change of look.
bool Feed(CControlBase& c, const std::vector<Step>& steps) {
    bool changed = false;
    for (const Step& s : steps) {
        switch (s.ev) {
            case Ev::Move:
                changed = c.OnMouseMove(0, s.x, s.y);
                break;
            case Ev::Down:
                changed = c.OnLButtonDown(kMkLButton, s.x, s.y);
                break;
            case Ev::Up:
                changed = c.OnLButtonUp(0, s.x, s.y);
                break;
            case Ev::RUp:
                changed = c.OnRButtonUp(0, s.x, s.y);
                break;
            case Ev::Dbl:
                changed = c.OnLButtonDblClk(kMkLButton, s.x, s.y);
                break;
        }
    }
    return changed;
}

const Rect kRect{10, 10, 110, 40};
constexpr Step kIn{Ev::Move, 50, 20};
constexpr Step kOut{Ev::Move, 300, 300};
constexpr Step kDownIn{Ev::Down, 50, 20};
constexpr Step kUpIn{Ev::Up, 50, 20};
constexpr Step kUpOut{Ev::Up, 300, 300};
// The right and bottom edges are outside.
constexpr Step kUpOnEdge{Ev::Up, 110, 20};

// --- check button -------------------------------------------------------------

struct CheckCase {
    std::string name;
    bool disabled;
    std::vector<Step> steps;
    std::vector<Msg> expected;
    bool checked;
    int state;
    int look;
};

class CheckButtonProtocol : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckButtonProtocol, MessagesAndLooks) {
    const CheckCase& c = GetParam();
    RecordingHost host;
    CCheckButton b(&host, 0x7D4, kRect, "cap", kDtLeft, true, true, c.disabled);
    Feed(b, c.steps);
    EXPECT_EQ(host.sent, c.expected);
    EXPECT_EQ(b.Checked(), c.checked);
    EXPECT_EQ(b.State(), c.state);
    EXPECT_EQ(b.Look(), c.look);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, CheckButtonProtocol,
    ::testing::Values(
        CheckCase{"HoverInAndOut", false, {kIn}, {}, false, 1, 1},
        CheckCase{"HoverLeaves", false, {kIn, kOut}, {}, false, 0, 0},
        CheckCase{"PressShowsPressed", false, {kIn, kDownIn}, {{0x7D4, 0, 1}}, false, 2, 2},
        CheckCase{
            "Click", false, {kIn, kDownIn, kUpIn}, {{0x7D4, 0, 1}, {0x7D4, 0, 2}}, true, 1, 2},
        CheckCase{"TwoClicksUncheck",
                  false,
                  {kDownIn, kUpIn, kDownIn, kUpIn},
                  {{0x7D4, 0, 1}, {0x7D4, 0, 2}, {0x7D4, 0, 1}, {0x7D4, 0, 2}},
                  false,
                  1,
                  1},
        // The pressed look stays while the pointer wanders; the release
        // outside is no click.
        CheckCase{"PressMoveOutRelease",
                  false,
                  {kIn, kDownIn, kOut, kUpOut},
                  {{0x7D4, 0, 1}},
                  false,
                  0,
                  0},
        CheckCase{"ReleaseOnRightEdge", false, {kDownIn, kUpOnEdge}, {{0x7D4, 0, 1}}, false, 0, 0},
        CheckCase{"DisabledNeverReacts", true, {kIn, kDownIn, kUpIn}, {}, false, 0, 0}),
    [](const auto& info) { return info.param.name; });

TEST(CheckButton, ToggleComesBeforeTheHostHearsOfTheClick) {
    RecordingHost host;
    CCheckButton b(&host, 0x7D4, kRect, "");
    bool seen = false;
    host.onSend = [&](const Msg& m) {
        if (m.l == NotifyClick) {
            seen = b.Checked();
        }
    };
    Feed(b, {kDownIn, kUpIn});
    EXPECT_TRUE(seen);
}

TEST(CheckButton, ReleaseWithoutPressStillRepaintsTheFlippedCheck) {
    // The second release of a double click arrives without a press.
    RecordingHost host;
    CCheckButton b(&host, 0x7D4, kRect, "");
    Feed(b, {kIn});
    EXPECT_TRUE(b.OnLButtonUp(0, 50, 20));
    EXPECT_TRUE(b.Checked());
}

TEST(ControlBase, EqualCaptionCausesNoRepaint) {
    RecordingHost host;
    CCheckButton b(&host, 0x7D4, kRect, "same");
    b.SetText("same");
    EXPECT_TRUE(host.invalidated.empty());
    b.SetText("other");
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_EQ(host.invalidated[0], kRect);
    EXPECT_EQ(b.GetText(), "other");
}

// --- radio buttons ------------------------------------------------------------

struct RadioCase {
    uint32_t id;
    uint32_t before;
    uint32_t after;
};

class RadioGroups : public ::testing::TestWithParam<RadioCase> {};

TEST_P(RadioGroups, ClickClearsOnlyItsOwnGroup) {
    const RadioCase& c = GetParam();
    RecordingHost host;
    host.ui.Selection.RadioGroupBits = c.before;
    CRadioButton r(&host, c.id, kRect, "");
    Feed(r, {kDownIn, kUpIn});
    EXPECT_EQ(host.ui.Selection.RadioGroupBits, c.after) << std::hex << c.id;
    EXPECT_EQ(host.sent, (std::vector<Msg>{{c.id, 0, 1}, {c.id, 0, 2}}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, RadioGroups,
    ::testing::Values(
        // Report rate 500 Hz: bits 16, 17 and 19 go, nothing else.
        RadioCase{0xBD8, 0x3FFFFF, 0x34FFFF}, RadioCase{0xBD6, 0x080000, 0x010000},
        // Group A leaves bit 7 (group B) alone.
        RadioCase{0x7D6, 0x0000FF, 0x000081}, RadioCase{0x825, 0x000001, 0x000040},
        RadioCase{0x7DA, 0x000080, 0x000100}, RadioCase{0xDAE, 0x000200, 0x000400},
        RadioCase{0xCB2, 0x000800, 0x001000}, RadioCase{0x7F1, 0x00A000, 0x008000},
        RadioCase{0xDB6, 0x200000, 0x100000},
        // Outside the table: only the click is reported.
        RadioCase{0x999, 0x123456, 0x123456}));

TEST(RadioButton, SelectedLookComesFromTheSharedWord) {
    RecordingHost host;
    CRadioButton r(&host, 0xDB7, kRect, "");
    EXPECT_EQ(r.Look(), 0);
    host.ui.Selection.RadioGroupBits = 1u << 21;
    EXPECT_EQ(r.Look(), 2);
    EXPECT_TRUE(r.Selected());
}

TEST(RadioButton, TwoContextsDoNotShareSelections) {
    RecordingHost a;
    RecordingHost b;
    CRadioButton ra(&a, 0xBD9, kRect, "");
    Feed(ra, {kDownIn, kUpIn});
    EXPECT_EQ(a.ui.Selection.RadioGroupBits, 1u << 19);
    EXPECT_EQ(b.ui.Selection.RadioGroupBits, 0u);
}

// --- image button -------------------------------------------------------------

TEST(ImageButton, ClickCarriesItsIdAsWParam) {
    RecordingHost host;
    CImageButton b(&host, 0x7DA, kRect, "OK");
    Feed(b, {kIn, kDownIn, kUpIn});
    EXPECT_EQ(host.sent, (std::vector<Msg>{{0x7DA, 0, 1}, {0x7DA, 0x7DA, 2}}));
}

TEST(ImageButton, HoverMoveButtonReportsEveryMoveOverIt) {
    RecordingHost host;
    CImageButton b(&host, kHoverMoveButtonId, kRect, "");
    Feed(b, {kIn, {Ev::Move, 51, 21}, kOut});
    EXPECT_EQ(host.sent, (std::vector<Msg>{{0xDAE, 0, 12}, {0xDAE, 0, 12}}));
    RecordingHost other;
    CImageButton plain(&other, 0xDAD, kRect, "");
    Feed(plain, {kIn, {Ev::Move, 51, 21}});
    EXPECT_TRUE(other.sent.empty());
}

// --- combo button -------------------------------------------------------------

TEST(ComboButton, RestingPointerReportsFiveHoversThenNone) {
    RecordingHost host;
    CComboButton c(&host, 0x7E0, kRect, "", 0x404);
    for (int i = 0; i < 9; ++i) {
        c.OnMouseMove(0, 50, 20);
    }
    const std::vector<Msg> five(5, Msg{0x404, 0x7E0, 4});
    EXPECT_EQ(host.sent, five);
    c.OnMouseMove(0, 300, 300);
    c.OnMouseMove(0, 301, 300);
    std::vector<Msg> withLeave = five;
    withLeave.push_back({0x404, 0x7E0, 5});
    EXPECT_EQ(host.sent, withLeave);
    // After leaving, the count starts over.
    c.OnMouseMove(0, 50, 20);
    EXPECT_EQ(host.sent.back(), (Msg{0x404, 0x7E0, 4}));
    EXPECT_EQ(host.sent.size(), 7u);
}

TEST(ComboButton, ActiveFieldReportsNoLeave) {
    RecordingHost host;
    CComboButton c(&host, 0x7E0, kRect, "", 0x404);
    c.OnMouseMove(0, 50, 20);
    c.SetActive(true);
    c.OnMouseMove(0, 300, 300);
    EXPECT_EQ(host.sent, (std::vector<Msg>{{0x404, 0x7E0, 4}}));
}

TEST(ComboButton, ClickGoesToTheGroupMessageUnlessLocked) {
    RecordingHost host;
    CComboButton c(&host, 0x7E1, kRect, "", 0x404);
    Feed(c, {kDownIn, kUpIn});
    EXPECT_EQ(host.sent, (std::vector<Msg>{{0x7E1, 0, 1}, {0x404, 0x7E1, 2}}));
    host.sent.clear();
    c.SetLocked(true);
    Feed(c, {kDownIn, kUpIn});
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(c.State(), 1);
}

TEST(ComboButton, StripFramesFollowActiveAndLocked) {
    QTemporaryDir dir;
    RecordingHost host;
    CComboButton c(&host, 0x7E1, kRect, "", 0x404);
    c.SetStripImage(SolidPng(dir, "strip.png", 50, 10, Qt::red), 5);
    EXPECT_EQ(c.Look(), 0);
    c.SetActive(true);
    EXPECT_EQ(c.Look(), 1);
    c.SetLocked(true);
    EXPECT_EQ(c.Look(), 3);
    c.OnMouseMove(0, 50, 20);
    EXPECT_EQ(c.Look(), 4);
}

// --- link button ----------------------------------------------------------------

TEST(LinkButton, EnterAndLeaveOncePerCrossing) {
    RecordingHost host;
    CLinkButton l(&host, kRect, "www");
    Feed(l, {kIn, {Ev::Move, 60, 20}, kOut, {Ev::Move, 301, 300}, kIn, kDownIn, kUpIn});
    EXPECT_EQ(host.sent,
              (std::vector<Msg>{
                  {0xDAF, 0, 4}, {0xDAF, 0, 5}, {0xDAF, 0, 4}, {0xDAF, 0, 1}, {0xDAF, 0, 2}}));
}

// --- tabs -------------------------------------------------------------------------

TEST(TabControl, MainTabSetsThePageBeforeReporting) {
    RecordingHost host;
    CTabControl t(&host, 0xBBC, kRect, "");
    uint32_t pageSeen = 99;
    host.onSend = [&](const Msg&) { pageSeen = host.ui.Selection.CurrentPage; };
    Feed(t, {kIn, kDownIn, kUpIn});
    EXPECT_EQ(host.sent, (std::vector<Msg>{{0xBBC, 0, 2}}));  // no press message
    EXPECT_EQ(pageSeen, 3u);
    EXPECT_EQ(t.Look(), 2);
}

TEST(TabControl, ProfileTabShowsSelectedAndHovered) {
    RecordingHost host;
    CTabControl t(&host, 0x803, kRect, "");
    Feed(t, {kDownIn, kUpIn});
    EXPECT_EQ(host.ui.Selection.CurrentProfileTab, 2u);
    EXPECT_EQ(t.Look(), 3);
    t.OnMouseMove(0, 300, 300);
    EXPECT_EQ(t.Look(), 2);
    host.ui.Selection.CurrentProfileTab = 0;
    EXPECT_EQ(t.Look(), 0);
}

TEST(TabControl, RightReleaseReportsIdAsWParam) {
    RecordingHost host;
    CTabControl t(&host, 0x801, kRect, "");
    Feed(t, {{Ev::RUp, 50, 20}, {Ev::RUp, 300, 300}});
    EXPECT_EQ(host.sent, (std::vector<Msg>{{0x801, 0x801, 11}}));
}

// --- colour slots -------------------------------------------------------------------

TEST(ColorSelectCheckButton, DoubleClickAndScaledSwatch) {
    RecordingHost host(1.5);
    CColorSelectCheckButton b(&host, 0xC9F, Rect{0, 0, 30, 30}, "", Rect{});
    Feed(b, {{Ev::Down, 5, 5}, {Ev::Up, 5, 5}, {Ev::Dbl, 5, 5}});
    EXPECT_EQ(host.sent, (std::vector<Msg>{{0xC9F, 0, 1}, {0xC9F, 0, 2}, {0xC9F, 0, 10}}));
    EXPECT_EQ(b.Swatch(), (Rect{4, 4, 26, 26}));
}

TEST(ColorSelectButton, ReportsPressAndClick) {
    RecordingHost host;
    CColorSelectButton b(&host, 0xCE4, kRect, "", Rect{12, 12, 20, 20});
    Feed(b, {kDownIn, kUpIn});
    EXPECT_EQ(host.sent, (std::vector<Msg>{{0xCE4, 0, 1}, {0xCE4, 0, 2}}));
    EXPECT_EQ(b.Color(), 0x00FF00u);
}

// --- DPI level buttons ----------------------------------------------------------

TEST(DPIRadioButton, ClickSelectsTheFirstLevels) {
    RecordingHost host;
    std::vector<std::unique_ptr<CDPIRadioButton>> levels;
    for (uint32_t k = 0; k < 8; ++k) {
        levels.push_back(std::make_unique<CDPIRadioButton>(
            &host, kFirstDpiRadioId + k, Rect{int(k) * 20, 0, int(k) * 20 + 20, 20}, ""));
    }
    EXPECT_EQ(host.ui.Selection.DpiRadioMask, 0x02);
    Feed(*levels[2], {{Ev::Down, 45, 5}, {Ev::Up, 45, 5}});
    EXPECT_EQ(host.ui.Selection.DpiRadioMask, 0x07);
    EXPECT_EQ(host.sent, (std::vector<Msg>{{0xCDC, 0, 2}}));
    for (size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(levels[k]->Look() == 2, k <= 2) << k;
    }
    Feed(*levels[7], {{Ev::Down, 145, 5}, {Ev::Up, 145, 5}});
    EXPECT_EQ(host.ui.Selection.DpiRadioMask, 0xFF);
}

// --- controls that never take the mouse --------------------------------------------

TEST(PassiveControls, NeverReactToTheMouse) {
    RecordingHost host;
    CStaticText text(&host, 0xD4D, kRect, "80%");
    CStaticImage image(&host, 0xD49, kRect, "");
    CBattery battery(&host, kRect, "");
    for (CControlBase* c : std::initializer_list<CControlBase*>{&text, &image, &battery}) {
        EXPECT_TRUE(c->Disabled());
        EXPECT_FALSE(Feed(*c, {kIn, kDownIn, kUpIn, {Ev::Dbl, 50, 20}, {Ev::RUp, 50, 20}}));
        EXPECT_EQ(c->State(), 0);
    }
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(battery.Id(), 0xD4Eu);
}

// A large picture drawn whole at its own size moves into squares: it draws
// the same in every part, and the program's pictures let go of it. Stretched,
// or shown by another control too, it stays as it is.
TEST(PassiveControls, AStaticPictureAtItsOwnSizeMovesIntoSquares) {
    QTemporaryDir dir;
    const QString path = dir.filePath("mouse.png");
    // 80 kB in 32 bits, see-through in parts; forty colours.
    QImage picture(200, 100, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const int c = (x / 3 + (y / 5) * 7) % 40;
            picture.setPixelColor(x, y, QColor(c * 6, 255 - c * 5, 90, c * 6 + 10));
        }
    ASSERT_TRUE(picture.save(path, "PNG"));
    struct Case {
        const char* name;
        Rect place;
        bool shared;
        bool squares;
    };
    for (const Case& c : {Case{"own size", {10, 10, 210, 110}, false, true},
                          Case{"stretched", {10, 10, 410, 210}, false, false},
                          Case{"shown twice", {10, 10, 210, 110}, true, false}}) {
        SCOPED_TRACE(c.name);
        RecordingHost host;
        CStaticImage image(&host, 0xD60, c.place, "");
        CStaticImage other(&host, 0xD61, c.place, "");
        image.SetImage(path);
        if (c.shared)
            other.SetImage(path);
        const auto drawn = [&](const QRect& clip) {
            QImage canvas(420, 220, QImage::Format_RGB32);
            for (int y = 0; y < canvas.height(); ++y)
                for (int x = 0; x < canvas.width(); ++x)
                    canvas.setPixel(x, y, qRgb(x % 256, y, 90));
            QPainter p(&canvas);
            p.setClipRect(clip);
            image.Draw(p, Rect::FromQRect(clip));
            other.Draw(p, Rect::FromQRect(clip));
            return canvas;
        };
        const QRect all(0, 0, 420, 220), part(40, 15, 37, 20);
        const QImage whole = drawn(all), partly = drawn(part);
        image.CompactImages();
        EXPECT_EQ(image.InSquares(), c.squares);
        EXPECT_EQ(host.ui.Pictures.Holds(path), !c.squares);
        EXPECT_TRUE(drawn(all) == whole);
        EXPECT_TRUE(drawn(part) == partly);
    }
}

}  // namespace
}  // namespace velmaro::test
