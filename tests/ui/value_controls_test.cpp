// Sliders, value bars, the sleep dial, the scroll bar and the lists: their
// geometry rules and what they report.
#include <gtest/gtest.h>

#include <vector>

#include "ui/dpi_value_show_control.h"
#include "ui/edit_show_list.h"
#include "ui/image_show_list.h"
#include "ui/power_manage_button.h"
#include "ui/slider_control.h"
#include "ui/v_scroll_bar.h"
#include "ui/vertical_slider_control.h"
#include "ui_test_support.h"

namespace velmaro::test {
namespace {

// --- horizontal slider ----------------------------------------------------------

// 5 steps on 0..200 with pads of 10: steps at 10, 55, 100, 145, 190.
class SliderTest : public ::testing::Test {
  protected:
    RecordingHost host;
    CSliderControl slider{&host, 0xC80, Rect{0, 0, 200, 20}, "", 5, 10, 10};
};

TEST_F(SliderTest, StepPositions) {
    const std::vector<int> expected{10, 55, 100, 145, 190};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(slider.StepPosition(i), expected[size_t(i)]);
    }
}

TEST_F(SliderTest, NearestStepTakesTheHigherOneAtAMidpoint) {
    struct Case {
        int x;
        int step;
    };
    for (const Case c : {Case{-5, 0}, Case{31, 0}, Case{32, 1}, Case{76, 1}, Case{77, 2},
                         Case{121, 2}, Case{122, 3}, Case{167, 4}, Case{500, 4}}) {
        EXPECT_EQ(slider.NearestStep(c.x), c.step) << c.x;
    }
}

TEST_F(SliderTest, ClickOnTheTrackSnapsToTheNearestStep) {
    slider.OnLButtonDown(kMkLButton, 77, 10);
    EXPECT_FALSE(slider.Dragging());  // the thumb sits at step 0
    slider.OnLButtonUp(0, 77, 10);
    EXPECT_EQ(slider.GetPos(), 2);
    EXPECT_EQ(slider.ThumbRect(), (Rect{90, 0, 110, 20}));
    EXPECT_EQ(host.sent, (std::vector<Msg>{{0xC80, 0, 1}, {0xC80, 0, 2}}));
}

TEST_F(SliderTest, DraggingTheThumbReportsEachStep) {
    slider.OnMouseMove(0, 10, 10);
    slider.OnLButtonDown(kMkLButton, 10, 10);
    ASSERT_TRUE(slider.Dragging());
    slider.OnMouseMove(kMkLButton, 150, 10);
    slider.OnMouseMove(kMkLButton, -50, 10);  // clamped to the left edge
    // The host forwards moves outside the control during a drag.
    EXPECT_TRUE(slider.OnDragOutside(kMkLButton, 400, 90));
    EXPECT_EQ(host.sent,
              (std::vector<Msg>{{0xC80, 0, 1}, {0xC80, 3, 3}, {0xC80, 0, 3}, {0xC80, 4, 3}}));
    slider.OnLButtonUp(0, 400, 90);
    EXPECT_FALSE(slider.Dragging());
    EXPECT_EQ(slider.GetPos(), 4);
    // The thumb settled where it is drawn, so a press there drags again.
    EXPECT_EQ(slider.ThumbRect(), (Rect{180, 0, 200, 20}));
    EXPECT_FALSE(slider.OnDragOutside(kMkLButton, 10, 10));
}

TEST_F(SliderTest, StoredStepOutsideTheSliderShowsAtItsEnd) {
    slider.SetPos(50);
    EXPECT_EQ(slider.GetPos(), 4);
    slider.SetPos(-3);
    EXPECT_EQ(slider.GetPos(), 0);
}

TEST_F(SliderTest, MovingTheSliderMovesItsSteps) {
    slider.SetPos(2);
    slider.SetRect(100, 50, 300, 70);
    EXPECT_EQ(slider.StepPosition(0), 110);
    EXPECT_EQ(slider.ThumbRect(), (Rect{190, 50, 210, 70}));
}

// --- vertical bars ----------------------------------------------------------------

TEST(VerticalSlider, ValueFromHeightAndDragMessages) {
    RecordingHost host;
    CVerticalSliderControl bar(&host, 0xCD0, Rect{0, 0, 10, 100}, "", 50, 0, 0);
    EXPECT_EQ(bar.ValueAt(0), 49);    // top: y + 1
    EXPECT_EQ(bar.ValueAt(-20), 49);  // clamped
    EXPECT_EQ(bar.ValueAt(49), 25);
    EXPECT_EQ(bar.ValueAt(100), 0);  // bottom: no + 1
    bar.OnLButtonDown(kMkLButton, 5, 50);
    bar.OnMouseMove(kMkLButton, 5, 20);
    bar.OnLButtonUp(0, 5, 20);
    EXPECT_EQ(host.sent, (std::vector<Msg>{{0xCD0, 0, 1}, {0xCD0, 39, 3}, {0xCD0, 0, 2}}));
    EXPECT_EQ(bar.Value(), 39);
}

TEST(VerticalSlider, OddFillRisesOnePixelWhenMagnified) {
    struct Case {
        double scale;
        int height;
        int value;
        int fillTop;
    };
    // Maximum 132: the fill is height * (value + 1) / 132 rows.
    for (const Case c : {Case{1.0, 264, 4, 254}, Case{2.0, 264, 4, 254}, Case{2.0, 264, 5, 252},
                         Case{1.0, 263, 0, 262}, Case{2.0, 263, 0, 261}, Case{1.5, 264, 2, 258},
                         Case{1.5, 263, 2, 257}}) {
        RecordingHost host(c.scale);
        CVerticalSliderControl bar(&host, 1, Rect{0, 0, 14, c.height}, "", 132, 0, 0);
        bar.SetValue(c.value);
        EXPECT_EQ(bar.FillTop(), c.fillTop) << c.scale << " " << c.height << " " << c.value;
    }
}

TEST(DPIValueShow, ReportsPressAndClickButNeverDrags) {
    RecordingHost host;
    CDPIValueShowControl bar(&host, 0xCD5, Rect{0, 0, 10, 100}, "", 50, 0, 0);
    bar.OnLButtonDown(kMkLButton, 5, 50);
    bar.OnMouseMove(kMkLButton, 5, 20);
    bar.OnLButtonUp(0, 5, 20);
    EXPECT_EQ(host.sent, (std::vector<Msg>{{0xCD5, 0, 1}, {0xCD5, 0, 2}}));
    EXPECT_EQ(bar.Value(), 0);
}

// --- sleep dial -----------------------------------------------------------------

struct DialPoint {
    int x, y;  // unscaled outer corners of the wedge
};
const DialPoint kOuter[11] = {{0, 0},   {0, 0},  {0, 0},    {3, 71},   {7, 51},  {17, 32},
                              {40, 13}, {70, 5}, {100, 14}, {121, 31}, {131, 51}};
const DialPoint kLast{134, 71};

class DialWedges : public ::testing::TestWithParam<double> {};

TEST_P(DialWedges, ReleaseOnEachWedgePicksItsTime) {
    const double s = GetParam();
    RecordingHost host(s);
    const int left = 80;
    const int top = 512;
    CPowerManageButton dial(&host, Rect{left, top, left + int(140 * s), top + int(90 * s)}, "");
    for (int v = 3; v <= 10; ++v) {
        const DialPoint a = kOuter[v];
        const DialPoint b = v < 10 ? kOuter[v + 1] : kLast;
        // The centroid of the wedge lies inside it.
        const int x = left + int((a.x + b.x + 70) * s / 3);
        const int y = top + int((a.y + b.y + 71) * s / 3);
        host.sent.clear();
        dial.OnLButtonDown(kMkLButton, x, y);
        dial.OnLButtonUp(0, x, y);
        EXPECT_EQ(dial.Value(), v) << "scale " << s;
        EXPECT_EQ(host.sent, (std::vector<Msg>{{0xDAC, 0, 1}, {0xDAC, 0, 2}}));
    }
}

TEST_P(DialWedges, ReleaseBetweenTheWedgesChangesNothing) {
    const double s = GetParam();
    RecordingHost host(s);
    CPowerManageButton dial(&host, Rect{0, 0, int(140 * s), int(90 * s)}, "");
    dial.SetValue(5);
    for (const DialPoint p : {DialPoint{2, 88}, DialPoint{138, 85}, DialPoint{70, 80}}) {
        const int x = int(p.x * s);
        const int y = int(p.y * s);
        ASSERT_EQ(dial.WedgeAt(x, y), 0);
        host.sent.clear();
        dial.OnLButtonDown(kMkLButton, x, y);
        dial.OnLButtonUp(0, x, y);
        EXPECT_EQ(dial.Value(), 5);
        EXPECT_EQ(host.sent, (std::vector<Msg>{{0xDAC, 0, 1}}));
        // The press is over: the dial follows the pointer again.
        EXPECT_EQ(dial.State(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, DialWedges, ::testing::Values(1.0, 1.5, 2.0));

// --- scroll bar -----------------------------------------------------------------

// 18 x 200 at scale 1: arrows 20 high, track rows 20..179 (160 rows).
class ScrollBarTest : public ::testing::Test {
  protected:
    void SetUp() override { bar.SetScrollInfo(40, 20, 100); }
    RecordingHost host;
    CVScrollBar bar{&host, 0x7E5, Rect{0, 0, 18, 200}, ""};
};

TEST_F(ScrollBarTest, ThumbFromPositionPageAndRange) {
    EXPECT_EQ(bar.TrackTop(), 20);
    EXPECT_EQ(bar.TrackBottom(), 179);
    EXPECT_EQ(bar.ThumbTop(), 84);      // 20 + 0.4 * 160
    EXPECT_EQ(bar.ThumbBottom(), 115);  // 32 rows
    bar.SetScrollInfo(5, 3, 0);
    EXPECT_EQ(bar.ThumbTop(), 20);
    EXPECT_EQ(bar.ThumbBottom(), 179);
    bar.SetScrollInfo(90, 50, 100);  // runs past the end: cut at the track
    EXPECT_EQ(bar.ThumbBottom(), 179);
}

TEST_F(ScrollBarTest, PressReportsThePart) {
    struct Case {
        int y;
        uintptr_t part;
    };
    for (const Case c : {Case{5, 6}, Case{190, 7}, Case{50, 8}, Case{150, 9}, Case{100, 0}}) {
        host.sent.clear();
        bar.OnLButtonDown(kMkLButton, 9, c.y);
        bar.OnLButtonUp(0, 9, c.y);
        EXPECT_EQ(host.sent, (std::vector<Msg>{{0x7E5, c.part, 1}, {0x7E5, 0, 2}})) << c.y;
    }
}

TEST_F(ScrollBarTest, DragReportsWhenThePositionChanges) {
    bar.OnLButtonDown(kMkLButton, 9, 100);
    ASSERT_TRUE(bar.Dragging());
    bar.OnMouseMove(kMkLButton, 9, 116);  // thumb to 100: (80 * 100) / 160 = 50
    bar.OnMouseMove(kMkLButton, 9, 117);  // 101: still 50
    bar.OnMouseMove(kMkLButton, 9, 500);  // stops at the end: 148 -> 80
    EXPECT_EQ(host.sent, (std::vector<Msg>{{0x7E5, 0, 1}, {0x7E5, 0, 3}, {0x7E5, 0, 3}}));
    EXPECT_EQ(bar.GetPos(), 80);
    EXPECT_EQ(bar.ThumbBottom(), 179);
}

TEST(ScrollBar, ArrowsScaleWithTheUi) {
    RecordingHost host(1.5);
    CVScrollBar bar(&host, 0x7E5, Rect{0, 0, 27, 300}, "");
    EXPECT_EQ(bar.TrackTop(), 30);  // an 18 x 20 arrow drawn 27 x 30
    EXPECT_EQ(bar.TrackBottom(), 300 - 30 - 1);
}

// --- lists ------------------------------------------------------------------------

class FakeRows : public ListRowSource {
  public:
    int RowCount() const override { return int(rows.size()); }
    ListRow Row(int i) const override { return rows[size_t(i)]; }
    int SelectedRow() const override { return selected; }
    void SelectRow(int i) override { selected = i; }
    void ToggleFolder(int i) override { toggled.push_back(i); }

    std::vector<ListRow> rows{{"Folder", 0, true, false, -1},
                              {"Macro", 1, false, false, -1},
                              {"Other", 0, true, true, -1}};
    int selected = -1;
    std::vector<int> toggled;
};

TEST(EditShowList, PressSelectsAndTogglesOnTheIcon) {
    RecordingHost host;
    FakeRows rows;
    CEditShowList tree(&host, Rect{25, 54, 168, 323}, "", &rows);
    EXPECT_EQ(tree.VisibleRowCount(), 13);  // (269 + 10) / 20
    const int iconX = tree.IndentX(0) + 2;
    tree.OnLButtonDown(kMkLButton, iconX, 54 + 45);  // third row, on its icon
    EXPECT_EQ(rows.selected, 2);
    EXPECT_EQ(rows.toggled, std::vector<int>{2});
    tree.OnLButtonUp(0, iconX, 54 + 45);
    tree.OnLButtonDown(kMkLButton, 150, 54 + 5);  // first row, past its icon
    EXPECT_EQ(rows.selected, 0);
    EXPECT_EQ(rows.toggled.size(), 1u);
    tree.OnLButtonDown(kMkLButton, 150, 54 + 100);  // below the last row
    EXPECT_EQ(rows.selected, -1);
    EXPECT_EQ(host.sent, (std::vector<Msg>{{0x7DF, 0, 2}}));
}

TEST(EditShowList, DoubleClickTogglesAndRightClickCarriesThePoint) {
    RecordingHost host;
    FakeRows rows;
    CEditShowList tree(&host, Rect{0, 0, 200, 200}, "", &rows);
    tree.SetFirstVisibleRow(1);  // rows 1, 2 on screen
    tree.OnLButtonDblClk(kMkLButton, 150, 25);
    EXPECT_EQ(rows.toggled, std::vector<int>{2});
    Point seen{};
    host.onSend = [&](const Msg& m) {
        if (m.l == NotifyRightClick) {
            seen = *reinterpret_cast<const Point*>(m.w);
        }
    };
    tree.OnRButtonUp(0, 120, 5);
    EXPECT_EQ(rows.selected, 1);
    EXPECT_EQ(seen, (Point{120, 5}));
    ASSERT_EQ(host.sent.size(), 2u);
    EXPECT_EQ(host.sent[0], (Msg{0x7DF, 0, 10}));
}

TEST(ImageShowList, PressSelectsAnActionAndDoubleClickAsksToModify) {
    RecordingHost host(2.0);
    FakeRows rows;
    CImageShowList list(&host, Rect{0, 0, 200, 200}, "", &rows);
    EXPECT_EQ(list.VisibleRowCount(), 5);  // (200 + 20) / 40
    list.OnLButtonDown(kMkLButton, 10, 45);
    EXPECT_EQ(rows.selected, 1);
    list.OnLButtonUp(0, 10, 45);
    list.OnLButtonDblClk(kMkLButton, 10, 45);
    list.OnLButtonDown(kMkLButton, 10, 190);
    EXPECT_EQ(rows.selected, -1);
    EXPECT_TRUE(rows.toggled.empty());
    EXPECT_EQ(host.sent, (std::vector<Msg>{{0x7E4, 0, 2}, {0x7E4, 0, 10}}));
}

}  // namespace
}  // namespace velmaro::test
