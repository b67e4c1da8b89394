// The report-rate, lift-off, pointer and debounce sections and the power
// area, driven by clicks on the window over the virtual mouse: what each
// control writes into the profile, which reports reach the mouse, what the
// saved profile holds, and where the controls sit at each UI scale.
#include <gmock/gmock.h>

#include <QCursor>

#include "app/debounce_section.h"
#include "app/lift_off_section.h"
#include "app/pointer_section.h"
#include "app/power_area.h"
#include "app/rate_section.h"
#include "device/feature_report.h"
#include "main_window_fixture.h"
#include "skin_layout.h"
#include "ui/battery.h"
#include "ui/check_button.h"
#include "ui/combo_button.h"
#include "ui/power_manage_button.h"
#include "ui/skin_image.h"
#include "ui/slider_control.h"

namespace velmaro::test {
namespace {

namespace layout = velmaro::skin_layout;

// The status answer's sensor code of a sensor that offers the lift-off distance.
constexpr uint8_t kExtendedSensorCode = 0x35;

class SectionsTest : public MainWindowFixture {
  protected:
    // The pointer stays where the last test clicked; a click there in a new
    // window would bring no move, so no control under it would be hovered.
    void SetUp() override { QCursor::setPos(QPoint(-500, -500)); }

    // The command codes of the setting reports sent since the last
    // ClearReports (status queries left out).
    std::vector<uint8_t> SettingCommands() {
        std::vector<uint8_t> commands;
        for (const SeamLogEntry& e : Sets()) {
            if (e.bytes.size() > 2 && e.bytes[2] != CMD_QUERY_STATUS)
                commands.push_back(e.bytes[2]);
        }
        return commands;
    }
    // Payload byte `i` of the last setting report with `command`.
    int PayloadByte(uint8_t command, size_t i) {
        int value = -1;
        for (const SeamLogEntry& e : Sets()) {
            if (e.bytes.size() > 7 + i && e.bytes[2] == command)
                value = e.bytes[7 + i];
        }
        return value;
    }
    // One change: nothing before timer 30, exactly one report when it runs.
    void ExpectOneReportAfterApply(uint8_t command) {
        EXPECT_THAT(SettingCommands(), ::testing::IsEmpty());
        Advance(19);
        EXPECT_THAT(SettingCommands(), ::testing::IsEmpty());
        Advance(1);
        EXPECT_THAT(SettingCommands(), ::testing::ElementsAre(command));
    }
    MainWindowOptions Extended(double scale = 1.0) {
        MainWindowOptions options;
        options.Scale = scale;
        options.Mouse.status.sensor_code = kExtendedSensorCode;
        return options;
    }
    // Opens a section as its header does and paints, which lays the column out.
    void Open(Section section) {
        Window().Sections().SetOpen(section, true);
        Window().RenderAll();
    }
    // Clicks a header and paints.
    void ClickHeader(uint32_t header) {
        ASSERT_TRUE(Click(header));
        Window().RenderAll();
    }
    // The value of line "name=value" of profile file 0 as saved; "(none)"
    // when the file has no such line.
    std::string SavedValue(const std::string& name) {
        const std::string text = "\n" + ProfileText(0);
        const size_t at = text.find("\n" + name + "=");
        if (at == std::string::npos)
            return "(none)";
        const size_t from = at + name.size() + 2;
        return text.substr(from, text.find('\n', from) - from);
    }
    std::u16string Setting(ProfileSetting n) { return Window().Profile().Setting(n); }
    bool Shown(uint32_t id) {
        CControlBase* c = Window().FindControl(id);
        return c != nullptr && c->IsShown();
    }
    CBattery& Gauge() { return *Window().FindControlAs<CBattery>(kBatteryGaugeId); }
    // Long enough for the status poll to query the mouse once more.
    void NextStatusAnswer() { Advance(21000); }
};

// --- report rate ------------------------------------------------------------------

struct RateCase {
    uint32_t Tile;
    int Index;
    const char* Name;
};

TEST_F(SectionsTest, RateTileSendsOneReportAndSavesTheRate) {
    const RateCase cases[] = {
        {0xBD6, 0, "125HZ"}, {0xBD7, 1, "250HZ"}, {0xBD8, 2, "500HZ"}, {0xBD9, 3, "1000HZ"}};
    CKorvaneDlg& w = Start();
    Advance(100);  // the apply after the start-up scan
    Open(Section::Rate);
    // Start from a rate none of the cases has, so every click changes it.
    w.Profile().PollingRateValue = {1, 0, 0};
    w.Profile().PollingRateName = u"250HZ";
    Core().Writer().RebuildLastSent();
    for (const RateCase& c : {cases[0], cases[3], cases[2], cases[1]}) {
        SCOPED_TRACE(c.Name);
        ClearReports();
        ASSERT_TRUE(Click(c.Tile));
        EXPECT_EQ(w.Profile().PollingRateValue[0], c.Index);
        EXPECT_EQ(w.Profile().PollingRateName, QString(c.Name).toStdU16String());
        ExpectOneReportAfterApply(CMD_SET_POLLING_RATE);
        // Only the chosen rate's caption shows; the hidden field has the name.
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Shown(CRateSection::kCaptionIds[size_t(i)]), i == c.Index) << i;
        EXPECT_EQ(w.FindControlAs<CComboButton>(CRateSection::kRateFieldId)->ValueText(), c.Name);
        EXPECT_FALSE(Shown(CRateSection::kRateFieldId));
        Advance(10000);
        EXPECT_EQ(SavedValue("PollingRateName"), c.Name);
    }
}

TEST_F(SectionsTest, RateOutsideTheTilesShowsAsThousandAndOnlyClicksAct) {
    CKorvaneDlg& w = Start();
    w.Sections().SetOpen(Section::Rate, true);
    w.Profile().PollingRateValue = {7, 0, 0};
    w.RefreshControls();
    EXPECT_TRUE(Shown(CRateSection::kCaptionIds[3]));
    EXPECT_EQ(PollingIndexFromRadioBits(w.Ui().Selection.RadioGroupBits), 3);
    // Other notifications of a tile (the press) change nothing.
    Advance(100);
    ClearReports();
    w.SendMessage(CRateSection::kTileIds[0], 0, NotifyDown);
    Advance(100);
    EXPECT_EQ(w.Profile().PollingRateValue[0], 7);
    EXPECT_THAT(SettingCommands(), ::testing::IsEmpty());
}

TEST(RateBits, OnlyASingleLowerRateBitPicksIt) {
    EXPECT_EQ(PollingIndexFromRadioBits(1u << 16), 0);
    EXPECT_EQ(PollingIndexFromRadioBits(1u << 17 | 0x3), 1);  // other groups' bits do not count
    EXPECT_EQ(PollingIndexFromRadioBits(1u << 18), 2);
    EXPECT_EQ(PollingIndexFromRadioBits(1u << 19), 3);
    EXPECT_EQ(PollingIndexFromRadioBits(0), 3);
    EXPECT_EQ(PollingIndexFromRadioBits(1u << 16 | 1u << 17), 3);
}

// --- power area -------------------------------------------------------------------

struct PowerCase {
    const char* Name;
    std::function<void()> Act;
    ProfileSetting Changed;
    const char16_t* Value;
    uint8_t Command;
};

TEST_F(SectionsTest, DialAndBoxesEachSendTheirOneReport) {
    CKorvaneDlg& w = Start();
    Advance(100);
    // A point inside the dial's wedge of `minutes` (centroid of its triangle).
    auto clickWedge = [this](int wx, int wy) {
        const Rect r = Window().FindControl(CPowerArea::kSleepDialId)->GetRect();
        const double s = Window().Scale();
        ClickAt(QPoint(r.left + int(wx * s), r.top + int(wy * s)));
    };
    auto click = [this](uint32_t id) { ASSERT_TRUE(Click(id)); };
    const PowerCase cases[] = {
        {"dial 5 min", [&] { clickWedge(42, 38); }, kPowerDownTime, u"5", CMD_SET_POWER_SAVING},
        {"dial 10 min", [&] { clickWedge(112, 64); }, kPowerDownTime, u"10", CMD_SET_POWER_SAVING},
        {"move lighting off", [&] { click(CPowerArea::kMoveLightingBoxId); },
         kMoveLightingOnOffMode, u"0", CMD_SET_POWER_SAVING},
        {"move lighting on", [&] { click(CPowerArea::kMoveLightingBoxId); }, kMoveLightingOnOffMode,
         u"1", CMD_SET_POWER_SAVING},
        {"motion wake-up toggled", [&] { click(CPowerArea::kMotionWakeupBoxId); }, kMotionWakeup,
         nullptr, CMD_SET_MOTION_WAKEUP},
        {"motion wake-up back", [&] { click(CPowerArea::kMotionWakeupBoxId); }, kMotionWakeup,
         nullptr, CMD_SET_MOTION_WAKEUP},
    };
    // Start from the opposite of the first cases.
    SetPowerDownTime(w.Profile(), 3);
    SetMoveLightingOnOff(w.Profile(), 1);
    w.RefreshControls();
    Core().Writer().RebuildLastSent();
    for (const PowerCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ClearReports();
        const std::u16string before = Setting(c.Changed);
        c.Act();
        const std::u16string expected = c.Value != nullptr ? c.Value : before == u"1" ? u"0" : u"1";
        EXPECT_EQ(Setting(c.Changed), expected);
        ExpectOneReportAfterApply(c.Command);
    }
    // Refresh shows the profile: dial, text and boxes.
    EXPECT_EQ(w.FindControlAs<CPowerManageButton>(CPowerArea::kSleepDialId)->Value(), 10);
    EXPECT_EQ(w.FindControl(CPowerArea::kSleepTextId)->GetText(), "Sleep after 10 min");
    EXPECT_TRUE(w.FindControlAs<CCheckButton>(CPowerArea::kMoveLightingBoxId)->Checked());
}

TEST_F(SectionsTest, DialClickBetweenWedgesChangesNothing) {
    CKorvaneDlg& w = Start();
    Advance(100);
    ClearReports();
    const std::u16string before = Setting(kPowerDownTime);
    const Rect r = w.FindControl(CPowerArea::kSleepDialId)->GetRect();
    ClickAt(QPoint(r.left + 70, r.top + 86));  // below the centre: no wedge
    Advance(100);
    EXPECT_EQ(Setting(kPowerDownTime), before);
    EXPECT_THAT(SettingCommands(), ::testing::IsEmpty());
}

TEST_F(SectionsTest, RefreshShowsTheStoredPowerSettings) {
    CKorvaneDlg& w = Start();
    w.Profile().Setting(kPowerDownTime) = u"7";
    w.Profile().Setting(kMoveLightingOnOffMode) = u"0";
    w.Profile().Setting(kMotionWakeup) = u"1";
    w.RefreshControls();
    EXPECT_EQ(w.FindControlAs<CPowerManageButton>(CPowerArea::kSleepDialId)->Value(), 7);
    EXPECT_EQ(w.FindControl(CPowerArea::kSleepTextId)->GetText(), "Sleep after 7 min");
    EXPECT_FALSE(w.FindControlAs<CCheckButton>(CPowerArea::kMoveLightingBoxId)->Checked());
    EXPECT_TRUE(w.FindControlAs<CCheckButton>(CPowerArea::kMotionWakeupBoxId)->Checked());
}

// --- lift-off -------------------------------------------------------------------------

TEST_F(SectionsTest, LiftOffIsOfferedOnlyWithAnExtendedSensor) {
    CKorvaneDlg& plain = Start();
    EXPECT_FALSE(plain.Sections().IsHeaderShown(Section::LiftOff));
    EXPECT_FALSE(Click(kLiftOffHeaderId));
    Stop();
    SetUp();
    CKorvaneDlg& w = Start(Extended());
    EXPECT_TRUE(w.Sections().IsHeaderShown(Section::LiftOff));
    EXPECT_FALSE(Shown(CLiftOffSection::kRadioIds[0]));
    ClickHeader(kLiftOffHeaderId);
    EXPECT_TRUE(Shown(CLiftOffSection::kRadioIds[0]));
    EXPECT_TRUE(Shown(CLiftOffSection::kCaptionIds[1]));
}

TEST_F(SectionsTest, LiftOffRadiosStoreTheDistance) {
    CKorvaneDlg& w = Start(Extended());
    Advance(100);
    ClickHeader(kLiftOffHeaderId);
    w.Profile().Setting(kLiftDetectionHeight) = u"1";
    w.RefreshControls();
    Core().Writer().RebuildLastSent();
    struct Case {
        size_t Radio;
        const char16_t* Height;
    };
    for (const Case& c : {Case{1, u"2"}, Case{0, u"1"}}) {
        ClearReports();
        ASSERT_TRUE(Click(CLiftOffSection::kRadioIds[c.Radio]));
        EXPECT_EQ(Setting(kLiftDetectionHeight), c.Height);
        ExpectOneReportAfterApply(CMD_SET_LIFT_OFF);
    }
    Advance(10000);
    EXPECT_EQ(SavedValue("LiftDetectionHeight"), "1");
    // Anything but "1" shows the second radio.
    w.Profile().Setting(kLiftDetectionHeight) = u"x";
    w.RefreshControls();
    EXPECT_EQ(w.Ui().Selection.RadioGroupBits & (3u << 20), 1u << 21);
}

// --- values carried through -----------------------------------------------------------

TEST_F(SectionsTest, DebounceIsCollectedAsAnEvenStep) {
    struct Case {
        const char16_t* Stored;
        const char16_t* Collected;
        const char* Text;
    };
    const Case cases[] = {
        {u"13", u"12", "12ms"}, {u"12", u"12", "12ms"}, {u"0", u"0", "0ms"},
        {u"30", u"30", "30ms"}, {u"31", u"30", "30ms"}, {u"200", u"30", "30ms"},
        {u"-5", u"0", "0ms"},   {u"abc", u"0", "0ms"},
    };
    CKorvaneDlg& w = Start();
    for (const Case& c : cases) {
        w.Profile().Setting(kKeyDebounce) = c.Stored;
        w.RefreshControls();
        EXPECT_EQ(w.FindControl(CDebounceSection::kValueTextId)->GetText(), c.Text);
        w.CollectPages();
        EXPECT_EQ(Setting(kKeyDebounce), c.Collected)
            << QString::fromStdU16String(c.Stored).toStdString();
    }
    // Never shown, even when its header is checked.
    EXPECT_FALSE(Shown(CDebounceSection::kSliderId));
    w.Sections().SetOpen(Section::Debounce, true);
    EXPECT_FALSE(Shown(CDebounceSection::kSliderId));
}

TEST_F(SectionsTest, DebounceOfThirteenIsWrittenBackAsTwelveByTheNextChange) {
    CKorvaneDlg& w = Start(Extended());
    Advance(100);
    w.Profile().Setting(kKeyDebounce) = u"13";
    w.RefreshControls();
    ClickHeader(kLiftOffHeaderId);
    ASSERT_TRUE(Click(CLiftOffSection::kRadioIds[1]));
    EXPECT_EQ(Setting(kKeyDebounce), u"12");
    Advance(20 + 10000);
    EXPECT_EQ(SavedValue("KeyDebounce"), "12");
}

TEST_F(SectionsTest, PointerValuesPassThroughUnchanged) {
    struct Case {
        ProfileSetting Setting;
        const char16_t* Stored;
        const char16_t* Collected;
    };
    const Case cases[] = {
        {kPointerSpeed, u"7", u"7"},          {kPointerSpeed, u"10", u"10"},
        {kPointerSpeed, u"15", u"10"},  // clamped to the slider's last step
        {kScrollWheelSpeed, u"0", u"0"},      {kScrollWheelSpeed, u"9", u"9"},
        {kDoubleClickSpeed, u"3", u"3"},      {kAccelerationEnable, u"0", u"0"},
        {kAccelerationEnable, u"1", u"1"},    {kScrollWheelPageEnable, u"1", u"1"},
        {kScrollWheelPageEnable, u"0", u"0"}, {kScrollWheelPageEnable, u"2", u"0"},
    };
    CKorvaneDlg& w = Start();
    for (const Case& c : cases) {
        w.Profile().Setting(c.Setting) = c.Stored;
        w.RefreshControls();
        w.CollectPages();
        EXPECT_EQ(Setting(c.Setting), c.Collected)
            << int(c.Setting) << " " << QString::fromStdU16String(c.Stored).toStdString();
    }
    // Only the mouse settings button shows when the section opens.
    ClickHeader(kPointerHeaderId);
    EXPECT_TRUE(Shown(kMouseSettingsButtonId));
    for (uint32_t id : {CPointerSection::kSliderIds[0], CPointerSection::kValueTextIds[0],
                        CPointerSection::kAccelerationBoxId, CPointerSection::kScrollPagesId})
        EXPECT_FALSE(Shown(id)) << id;
}

// --- battery ------------------------------------------------------------------------------

struct BatteryCase {
    uint8_t Level;
    uint8_t Charge;
    int Mode;
    bool PercentShown;
    const char* Percent;
};

TEST_F(SectionsTest, GaugeFollowsTheStatusAnswers) {
    const BatteryCase cases[] = {
        {57, 0, CBattery::OnBattery, true, "57%"},   {3, 0, CBattery::OnBattery, true, "3%"},
        {80, 1, CBattery::Charging, false, nullptr}, {100, 2, CBattery::Full, true, "100%"},
        {150, 0, CBattery::OnBattery, true, "0%"},  // not a reading
    };
    CKorvaneDlg& w = Start();
    for (const BatteryCase& c : cases) {
        SCOPED_TRACE(int(c.Level));
        SimStatus status = Mouse().Status();
        status.battery = c.Level;
        status.charge = c.Charge;
        Mouse().SetStatus(status);
        NextStatusAnswer();
        EXPECT_EQ(Gauge().GetMode(), c.Mode);
        if (c.Mode == CBattery::OnBattery) {
            EXPECT_EQ(Gauge().Level(), c.Level > 100 ? 0 : c.Level);
        }
        CControlBase* text = w.FindControl(kBatteryTextId);
        EXPECT_EQ(text->IsShown(), c.PercentShown);
        if (c.Percent != nullptr) {
            EXPECT_EQ(text->GetText(), c.Percent);
        }
    }
}

TEST_F(SectionsTest, ChargingFillsToTheAnimationNotTheLevel) {
    Start();
    SimStatus status = Mouse().Status();
    status.battery = 80;
    status.charge = 1;
    Mouse().SetStatus(status);
    NextStatusAnswer();
    ASSERT_EQ(Gauge().GetMode(), CBattery::Charging);
    std::vector<int> seen;
    for (int tick = 0; tick < 5; ++tick) {
        seen.push_back(Gauge().Animation());
        Advance(1000);
    }
    // Every status tick moves the fill on by a quarter, round and round.
    for (size_t i = 1; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], seen[i - 1] % 100 + 25) << i;
    const int before = Gauge().Animation();
    const QImage a = Window().RenderAll().copy(Gauge().GetRect().ToQRect());
    Advance(1000);
    ASSERT_NE(Gauge().Animation(), before);
    const QImage b = Window().RenderAll().copy(Gauge().GetRect().ToQRect());
    EXPECT_NE(a, b);
}

// The gauge as painted against the drawing rule worked out here: the empty
// picture (mode 0), then the filled part of the full or charging picture,
// then (modes 1 and 2) the bolt over the whole gauge.
class GaugeDrawing : public SectionsTest, public ::testing::WithParamInterface<double> {};

TEST_P(GaugeDrawing, PaintsByTheFillRule) {
    const double s = GetParam();
    MainWindowOptions options;
    options.Scale = s;
    CKorvaneDlg& w = Start(options);
    auto image = [&](const char* file) { return QImage(Ui().SkinFile(file)); };
    const QImage full = image("battery_full.png"), empty = image("battery_empty.png"),
                 charging = image("battery_charging.png"), bolt = image("battery_lighting.png");
    ASSERT_FALSE(full.isNull());
    const int W = full.width(), H = full.height();
    struct Case {
        int Mode;
        int Level;
        int Animation;
    };
    for (const Case& c : {Case{0, 57, 25}, Case{0, 1, 25}, Case{0, 100, 25}, Case{1, 80, 50},
                          Case{1, 80, 100}, Case{2, 100, 25}}) {
        SCOPED_TRACE(testing::Message() << "mode " << c.Mode << " level " << c.Level);
        CBattery& g = Gauge();
        g.SetMode(c.Mode);
        g.SetLevel(c.Level);
        g.SetAnimation(c.Animation);
        const Rect r = g.GetRect();
        g.SetVisible(false);
        QImage expected = w.RenderAll().copy();
        g.SetVisible(true);
        const QImage actual = w.RenderAll().copy(r.ToQRect());
        QPainter p(&expected);
        auto partial = [&](const QImage& picture, int percent) {
            const int fill = std::max(1, percent * 50 / 100);
            int y = r.top + int((7 + 50 - fill) * s);
            if (s > 1 && (r.bottom - y) % 2 == 1)
                --y;
            const int sy = H - int((r.bottom - y) / s);
            DrawSkinImage(p, picture, QRect(0, sy, W, H - sy),
                          QRect(r.left, y, int(W * s), int((H - sy) * s)));
        };
        const QRect whole = r.ToQRect();
        if (c.Mode == 0) {
            DrawSkinImage(p, empty, whole);
            partial(full, c.Level);
        } else if (c.Mode == 1) {
            partial(charging, c.Animation);
            DrawSkinImage(p, bolt, whole);
        } else {
            DrawSkinImage(p, full, whole);
            DrawSkinImage(p, bolt, whole);
        }
        p.end();
        EXPECT_EQ(actual, expected.copy(whole));
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, GaugeDrawing, ::testing::Values(1.0, 1.5, 2.0));

// --- layout -------------------------------------------------------------------------------

class SectionPlaces : public SectionsTest, public ::testing::WithParamInterface<double> {
  protected:
    // Unscaled rectangle (left, top, width, height) as the window applies it.
    Rect At(int l, int t, int width, int height) {
        return Ui().ScaledRect(l, t, l + width, t + height);
    }
    Rect RectOf(uint32_t id) { return Window().FindControl(id)->GetRect(); }
};

TEST_P(SectionPlaces, SectionsSitAtTheirOrigins) {
    const double s = GetParam();
    CKorvaneDlg& w = Start(Extended(s));
    CSettingsSections& sections = w.Sections();
    ASSERT_TRUE(sections.IsHeaderShown(Section::LiftOff));
    const QString scale = QString::number(s, 'f', 1);

    // Report rate with DPI open: header at 293, origin 318.
    ASSERT_TRUE(Click(kRateHeaderId));
    w.RenderAll();
    EXPECT_EQ(sections.HeaderRect(Section::Rate), At(846, 293, 262, 25));
    EXPECT_EQ(RectOf(0xBD6), At(846 + 59, 318 + 20, 72, 72));
    EXPECT_EQ(RectOf(0xBD9), At(846 + 131, 318 + 20, 72, 72));
    EXPECT_EQ(RectOf(0xBD7), At(846 + 59, 318 + 92, 72, 72));
    EXPECT_EQ(RectOf(0xBD8), At(846 + 131, 318 + 92, 72, 72));
    for (uint32_t id : CRateSection::kCaptionIds)
        EXPECT_EQ(RectOf(id), At(846 + 88, 318 + 83, 85, 18));
    // Lift-off below the open report rate: 127 + 196 + 180.
    EXPECT_EQ(sections.HeaderRect(Section::LiftOff), At(846, 503, 262, 25));
    Screenshot("sections_rate_" + scale);

    // Lift-off opened closes the report rate: header at 323, origin 348.
    ASSERT_TRUE(Click(kLiftOffHeaderId));
    w.RenderAll();
    EXPECT_FALSE(sections.IsOpen(Section::Rate));
    EXPECT_EQ(sections.HeaderRect(Section::LiftOff), At(846, 323, 262, 25));
    EXPECT_EQ(RectOf(0xDB6), At(846 + 80, 348 + 27, 15, 15));
    EXPECT_EQ(RectOf(0xDB7), At(846 + 160, 348 + 27, 15, 15));
    EXPECT_EQ(RectOf(0xDC0), At(846 + 64, 348 + 47, 47, 18));
    EXPECT_EQ(RectOf(0xDC1), At(846 + 144, 348 + 47, 47, 18));
    EXPECT_EQ(sections.HeaderRect(Section::Pointer), At(846, 157 + 196 + 85, 262, 25));
    Screenshot("sections_lift_off_" + scale);

    // Pointer opened with DPI open closes lift-off: header at 353, origin 378.
    ASSERT_TRUE(Click(kPointerHeaderId));
    w.RenderAll();
    EXPECT_FALSE(sections.IsOpen(Section::LiftOff));
    EXPECT_EQ(sections.HeaderRect(Section::Pointer), At(846, 353, 262, 25));
    EXPECT_EQ(RectOf(kMouseSettingsButtonId), At(846 + 20, 378 + 30, 215, 45));
    Screenshot("sections_pointer_" + scale);

    // With DPI closed too, the column closes up: pointer at 157, origin 182.
    ASSERT_TRUE(Click(kDpiHeaderId));
    w.RenderAll();
    EXPECT_EQ(sections.HeaderRect(Section::Pointer), At(846, 157, 262, 25));
    EXPECT_EQ(RectOf(kMouseSettingsButtonId), At(846 + 20, 182 + 30, 215, 45));

    // The power area follows the artwork.
    EXPECT_EQ(RectOf(CPowerArea::kSleepDialId), At(80, 512, 140, 90));
    EXPECT_EQ(RectOf(CPowerArea::kMoveLightingBoxId), At(40, 634, 11, 11));
    EXPECT_EQ(RectOf(CPowerArea::kMotionWakeupBoxId), At(40, 660, 11, 11));
    EXPECT_EQ(RectOf(kBatteryGaugeId), At(80, 433, 30, 61));
}

INSTANTIATE_TEST_SUITE_P(Scales, SectionPlaces, ::testing::Values(1.0, 1.5, 2.0));

}  // namespace
}  // namespace velmaro::test
