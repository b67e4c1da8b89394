// The main window's start-up, its window-level controls and the column of
// settings sections.
#include <gmock/gmock.h>

#include "app/tray_icon.h"
#include "main_window_fixture.h"
#include "ui/battery.h"
#include "ui/check_button.h"

namespace velmaro::test {
namespace {

using ::testing::ElementsAre;

TEST_F(MainWindowFixture, StartUpReachesTheRunningState) {
    CKorvaneDlg& w = Start();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.size(), QSize(1127, 740));
    EXPECT_TRUE(w.Startup().DevicePresent());
    // Timers 80 (start-up check) and 110 (status) run; the scan's apply waits.
    EXPECT_TRUE(TimerRunning(kTimerStartupCheck));
    EXPECT_TRUE(TimerRunning(kTimerStatus));
    EXPECT_EQ(Core().Device().CurrentDpiOrdinal, 2);
    // The window-level controls exist with their captions.
    for (uint32_t id : {kExitButtonId, kMinimiseButtonId, kResetButtonId, kUserGuideLinkId,
                        kTitleButtonsId, kTitlePerformanceId, kTitlePowerId, kBatteryGaugeId,
                        kBatteryTextId, kMouseSettingsButtonId})
        EXPECT_NE(w.FindControl(id), nullptr) << id;
    EXPECT_EQ(w.FindControl(kResetButtonId)->GetText(), "Reset");
    EXPECT_EQ(w.FindControl(kTitlePowerId)->GetText(), "Power");
    // With a notification area the icon is there, with the tip and menu.
    ASSERT_NE(w.Tray(), nullptr);
    EXPECT_EQ(w.Tray()->Icon().toolTip(), "Pyxeltor Quill mouse");
    const QList<QAction*> menu = w.Tray()->Menu().actions();
    ASSERT_EQ(menu.size(), 4);
    EXPECT_EQ(menu[1]->text(), "Start at login");
    EXPECT_TRUE(menu[1]->isCheckable());
    // The files exist after the start.
    EXPECT_FALSE(ReadDataFile("config/config.ini").isEmpty());
    EXPECT_FALSE(ReadDataFile("config/default0.psf").isEmpty());
}

TEST_F(MainWindowFixture, StartUpWithoutMouseShowsTheMessageAfterTwoSeconds) {
    MainWindowOptions options;
    options.Mouse.cable = false;
    options.Tray = false;
    Start(options);
    EXPECT_FALSE(TimerRunning(kTimerStatus));
    EXPECT_EQ(Window().Tray(), nullptr);
    Advance(1999);
    EXPECT_EQ(Window().StartupMessage(), nullptr);
    Advance(1);
    ASSERT_NE(Window().StartupMessage(), nullptr);
    EXPECT_TRUE(Window().StartupMessage()->isVisible());
    Window().StartupMessage()->close();
}

TEST_F(MainWindowFixture, WindowScalesWithTheUi) {
    MainWindowOptions options;
    options.Scale = 1.5;
    CKorvaneDlg& w = Start(options);
    EXPECT_EQ(w.size(), QSize(1690, 1110));
    EXPECT_EQ(w.FindControl(kExitButtonId)->GetRect(), (Rect{1638, 18, 1660, 40}));
}

// --- sections -------------------------------------------------------------------

struct CloseCase {
    Section Opened;
    std::vector<Section> OpenBefore;
    std::vector<Section> Closed;
};

TEST(SectionTable, OpeningClosesByTheFirstRuleThatHolds) {
    using S = Section;
    const CloseCase cases[] = {
        {S::Dpi, {S::Lighting, S::Rate}, {S::Rate, S::LiftOff, S::Pointer, S::Debounce}},
        {S::Dpi, {S::Rate, S::Pointer}, {S::LiftOff, S::Pointer, S::Debounce}},
        {S::Dpi, {S::Pointer}, {}},
        {S::Rate, {S::Dpi, S::Lighting}, {S::Lighting, S::LiftOff, S::Pointer, S::Debounce}},
        {S::Rate, {S::LiftOff, S::Pointer}, {S::Pointer, S::Debounce}},
        {S::LiftOff, {S::Rate, S::Pointer}, {S::Pointer, S::Debounce}},
        {S::Pointer, {}, {}},
        {S::Pointer, {S::Lighting, S::Rate}, {S::Rate, S::LiftOff, S::Debounce}},
        {S::Debounce, {S::Rate, S::LiftOff}, {S::LiftOff, S::Pointer}},
    };
    for (const CloseCase& c : cases) {
        SectionSet open{};
        for (Section s : c.OpenBefore)
            open[size_t(s)] = true;
        SectionSet expected{};
        for (Section s : c.Closed)
            expected[size_t(s)] = true;
        EXPECT_EQ(SectionsToClose(c.Opened, open), expected) << int(c.Opened);
    }
}

TEST(SectionTable, HeaderTops) {
    using S = Section;
    SectionSet open{};
    open[size_t(S::Dpi)] = open[size_t(S::Lighting)] = true;
    auto tops = HeaderTops(open, true);
    EXPECT_EQ(tops[size_t(S::Rate)], 473);
    EXPECT_EQ(tops[size_t(S::LiftOff)], 503);
    EXPECT_EQ(tops[size_t(S::Pointer)], 533);
    EXPECT_EQ(HeaderTops(open, false)[size_t(S::Pointer)], 503);
    SectionSet rateOpen{};
    rateOpen[size_t(S::Dpi)] = rateOpen[size_t(S::Rate)] = rateOpen[size_t(S::LiftOff)] = true;
    tops = HeaderTops(rateOpen, true);
    EXPECT_EQ(tops[size_t(S::Lighting)], 263);
    EXPECT_EQ(tops[size_t(S::Rate)], 293);
    EXPECT_EQ(tops[size_t(S::Pointer)], 157 + 196 + 180 + 85);
}

class SectionLayout : public MainWindowFixture, public ::testing::WithParamInterface<double> {};

TEST_P(SectionLayout, HeadersFollowTheOpenSections) {
    const double s = GetParam();
    MainWindowOptions options;
    options.Scale = s;
    CKorvaneDlg& w = Start(options);
    CSettingsSections& sections = w.Sections();
    auto top = [&](Section which) { return sections.HeaderRect(which).top; };
    w.RenderAll();
    EXPECT_TRUE(sections.IsOpen(Section::Dpi));
    EXPECT_TRUE(sections.IsOpen(Section::Lighting));
    EXPECT_EQ(top(Section::Rate), int(473 * s));
    const bool extended = sections.IsHeaderShown(Section::LiftOff);
    EXPECT_EQ(top(Section::Pointer), int((extended ? 533 : 503) * s));
    EXPECT_EQ(sections.HeaderRect(Section::Rate).left, int(846 * s));
    EXPECT_EQ(sections.HeaderRect(Section::Rate).Width(), int(1108 * s) - int(846 * s));

    // A click on the report-rate header opens it and closes lighting.
    ASSERT_TRUE(Click(kRateHeaderId));
    w.RenderAll();
    EXPECT_TRUE(sections.IsOpen(Section::Rate));
    EXPECT_TRUE(sections.IsOpen(Section::Dpi));
    EXPECT_FALSE(sections.IsOpen(Section::Lighting));
    EXPECT_EQ(top(Section::Rate), int(293 * s));
    EXPECT_EQ(top(Section::Pointer), int((extended ? 157 + 376 : 127 + 376) * s));

    // Closing it by its header leaves DPI open.
    ASSERT_TRUE(Click(kRateHeaderId));
    EXPECT_FALSE(sections.IsOpen(Section::Rate));
    EXPECT_TRUE(sections.IsOpen(Section::Dpi));
    Screenshot(QString("main_window_%1").arg(s));
}

INSTANTIATE_TEST_SUITE_P(Scales, SectionLayout, ::testing::Values(1.0, 1.5, 2.0));

TEST_F(MainWindowFixture, HiddenSectionLayersFollowTheirHeaders) {
    CKorvaneDlg& w = Start();
    EXPECT_FALSE(w.FindControl(kMouseSettingsButtonId)->IsShown());
    ASSERT_TRUE(Click(kPointerHeaderId));
    EXPECT_TRUE(w.FindControl(kMouseSettingsButtonId)->IsShown());
    EXPECT_FALSE(w.FindControl(kDebounceHeaderId)->IsShown());
}

}  // namespace
}  // namespace velmaro::test
