// The DPI section of the main window and the DPI value dialog, on the virtual
// mouse (sensor 0x3325: step n shows (4 + 2n) x 50 DPI up to step 48, device
// code n + 1).
#include <gmock/gmock.h>

#include <bit>

#include "app/color_palette_dlg.h"
#include "app/dpi_section.h"
#include "app/dpi_value_setting_dlg.h"
#include "section_fixture.h"
#include "ui/check_button.h"
#include "ui/dpi_radio_button.h"
#include "ui/slider_control.h"
#include "ui/vertical_slider_control.h"

namespace velmaro::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// Default steps of levels 0..4 (6, 14, 30, 48, 58) as device codes.
constexpr char kDefaultCodes[] = "07 00 0F 00 1F 00 31 00 3B 00";
constexpr char kZeros[] = " 00 00 00 00 00 00";

std::string DpiReport(int ordinal, uint8_t mask, const std::string& codes = kDefaultCodes) {
    char head[16];
    std::snprintf(head, sizeof head, "05: %02X %02X ",
                  unsigned(((ordinal + 1) << 4) | std::popcount(mask)), unsigned(mask));
    return head + codes + kZeros;
}

class DpiSectionTest : public SectionFixture {
  protected:
    CCheckButton* Box(int k) {
        return Window().FindControlAs<CCheckButton>(kDpiEnableBoxId + uint32_t(k));
    }
    CDPIRadioButton* Number(int k) {
        return Window().FindControlAs<CDPIRadioButton>(kDpiNumberId + uint32_t(k));
    }
    // Opens the DPI value dialog from bar `level`, runs `run` in it.
    void WithDpiDialog(int level, std::function<void(CDPIValueSettingDlg&)> run) {
        OnDialog<CDPIValueSettingDlg>(std::move(run));
        SpaceClicks();
        ASSERT_TRUE(Click(kDpiBarId + uint32_t(level)));
    }
    void Type(CDPIValueSettingDlg& d, const QString& text) {
        d.EditBox()->selectAll();
        QTest::keyClicks(d.EditBox(), text);
    }
};

TEST_F(DpiSectionTest, ShowsFiveLevelsFromTheProfile) {
    CKorvaneDlg& w = Begin();
    for (int k = 0; k < kDpiLevels; ++k) {
        const bool shown = k < 5;
        for (uint32_t id : {kDpiEnableBoxId, kDpiSwatchId, kDpiBarId, kDpiNumberId})
            EXPECT_EQ(w.FindControl(id + uint32_t(k))->IsShown(), shown) << id << " " << k;
        EXPECT_FALSE(w.FindControl(kDpiDragBarId + uint32_t(k))->IsShown());
    }
    // Default profile: levels 0..4 on, ordinal 1 (level 1), steps 6, 14, ...
    EXPECT_TRUE(Box(4)->Checked());
    EXPECT_FALSE(Box(5)->Checked());
    EXPECT_EQ(Number(0)->Value() * 50, 800);
    EXPECT_EQ(Number(4)->Value() * 50, 10000);
    EXPECT_EQ(w.Dpi().HighlightedLevel(), 1);
    const Rect bar = w.FindControl(kDpiBarId + 2)->GetRect();
    EXPECT_EQ(bar, (Rect{976, 75, 983, 207}));
}

TEST_F(DpiSectionTest, BarsScaleWithTheUi) {
    CKorvaneDlg& w = Begin(1.5);
    EXPECT_EQ(w.FindControl(kDpiBarId + 1)->GetRect(), (Rect{1407, 112, 1417, 310}));
    auto* bar = w.FindControlAs<CVerticalSliderControl>(kDpiBarId + 1);
    EXPECT_EQ(bar->Maximum(), 59);
}

struct EnableCase {
    uint8_t Mask;
    int Ordinal;
    int Level;  // its box is clicked
    uint8_t NewMask;
    int NewOrdinal;
    int Highlighted;
};

TEST_F(DpiSectionTest, CurrentLevelStaysTheSamePhysicalLevel) {
    const EnableCase cases[] = {
        {0x1F, 2, 0, 0x1E, 1, 2},  // a level below the current one goes
        {0x1F, 2, 3, 0x17, 2, 2},  // a level above goes
        {0x1F, 2, 2, 0x1B, 1, 1},  // the current one goes: the next lower
        {0x1F, 0, 0, 0x1E, 0, 1},  // the lowest current one goes: the next higher
        {0x1B, 2, 2, 0x1F, 3, 3},  // a level below comes back
        {0x17, 1, 3, 0x1F, 1, 1},  // a level above comes back
    };
    Begin();
    for (const EnableCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask " << int(c.Mask) << " level " << c.Level);
        Given([&](ProfileRecord& p) {
            p.DPIOffOnFlagValue = c.Mask;
            p.CurrentDPILevelValue = uint8_t(c.Ordinal);
        });
        ASSERT_TRUE(Click(kDpiEnableBoxId + uint32_t(c.Level)));
        EXPECT_EQ(Window().Profile().DPIOffOnFlagValue, c.NewMask);
        EXPECT_EQ(Window().Profile().CurrentDPILevelValue, c.NewOrdinal);
        EXPECT_EQ(Window().Dpi().HighlightedLevel(), c.Highlighted);
        Advance(20);
        EXPECT_THAT(SentSettings(), ElementsAre(DpiReport(c.NewOrdinal, c.NewMask)));
    }
}

TEST_F(DpiSectionTest, TheLastEnabledLevelCannotBeSwitchedOff) {
    Begin();
    Given([](ProfileRecord& p) {
        p.DPIOffOnFlagValue = 0x01;
        p.CurrentDPILevelValue = 0;
    });
    ASSERT_TRUE(Click(kDpiEnableBoxId));
    EXPECT_TRUE(Box(0)->Checked());
    EXPECT_EQ(Window().Profile().DPIOffOnFlagValue, 0x01);
    Advance(20);
    EXPECT_THAT(SentSettings(), IsEmpty());
    EXPECT_THAT(dialogs, IsEmpty());
}

TEST_F(DpiSectionTest, ChangesReachTheProfileFileTenSecondsLater) {
    Begin();
    ASSERT_TRUE(Click(kDpiEnableBoxId));
    Advance(20);
    EXPECT_THAT(ProfileText(0), Not(HasSubstr("DPIOffOnFlagValue=1E")));
    Advance(10000);
    EXPECT_THAT(ProfileText(0), HasSubstr("DPIOffOnFlagValue=1E"));
}

TEST_F(DpiSectionTest, HiddenLevelsPassThroughCollect) {
    Begin();
    Given([](ProfileRecord& p) {
        p.DPIOffOnFlagValue = 0xE3;  // levels 0, 1 and the hidden 5..7
        p.XYSettingValue[6] = 17;
    });
    Window().CollectPages();
    EXPECT_EQ(Window().Profile().DPIOffOnFlagValue, 0xE3);
    EXPECT_EQ(Window().Profile().XYSettingValue[6], 17);
}

TEST_F(DpiSectionTest, OkOnTheDpiDialogSendsTheLevelsOnce) {
    Begin();
    WithDpiDialog(2, [&](CDPIValueSettingDlg& d) {
        EXPECT_EQ(d.SelectedStep(), 30);
        EXPECT_EQ(d.EditBox()->text(), "3200");
        Type(d, "6400");
        ASSERT_TRUE(ClickControlIn(d, kDpiDialogOkId));
    });
    EXPECT_EQ(Window().Profile().XYSettingValue[2], 51);
    EXPECT_EQ(Number(2)->Value() * 50, 6400);
    Advance(20);
    EXPECT_THAT(SentSettings(), ElementsAre(DpiReport(1, 0x1F, "07 00 0F 00 34 00 31 00 3B 00")));
}

TEST_F(DpiSectionTest, ClosingTheDpiDialogChangesNothing) {
    Begin();
    WithDpiDialog(0, [&](CDPIValueSettingDlg& d) {
        QTest::keyClick(d.EditBox(), Qt::Key_Right);
        EXPECT_EQ(d.SelectedStep(), 7);
        ASSERT_TRUE(ClickControlIn(d, kDpiDialogCloseId));
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(Window().Profile().XYSettingValue[0], 6);
    EXPECT_EQ(Window().FindControlAs<CVerticalSliderControl>(kDpiBarId)->Value(), 6);
    Advance(20);
    EXPECT_THAT(SentSettings(), IsEmpty());
}

struct TypedCase {
    const char* Typed;
    int Step;
    const char* Shown;
};

TEST_F(DpiSectionTest, EnterAppliesTheTypedValueAndKeepsTheDialogOpen) {
    const TypedCase cases[] = {
        {"99999", 58, "10000"},  // above the table's top: the last step
        {"6400", 51, "6400"},    // exactly a table value
        {"6300", 51, "6400"},    // between two values: the one above
        {"abc", 0, "200"},       // no number reads as 0
    };
    Begin();
    WithDpiDialog(1, [&](CDPIValueSettingDlg& d) {
        for (const TypedCase& c : cases) {
            Type(d, c.Typed);
            QTest::keyClick(d.EditBox(), Qt::Key_Return);
            EXPECT_EQ(d.SelectedStep(), c.Step) << c.Typed;
            EXPECT_EQ(d.EditBox()->text(), c.Shown) << c.Typed;
            EXPECT_TRUE(d.isVisible()) << c.Typed;
        }
        QTest::keyClick(d.EditBox(), Qt::Key_Escape);
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.result(), -1);
        ASSERT_TRUE(ClickControlIn(d, kDpiDialogCloseId));
    });
    EXPECT_EQ(Window().Profile().XYSettingValue[1], 14);
}

TEST_F(DpiSectionTest, ArrowKeysStopAtTheTableEnds) {
    Begin();
    Given([](ProfileRecord& p) { p.XYSettingValue[0] = 0; });
    WithDpiDialog(0, [&](CDPIValueSettingDlg& d) {
        QTest::keyClick(d.EditBox(), Qt::Key_Left);
        EXPECT_EQ(d.SelectedStep(), 0);
        QTest::keyClick(d.EditBox(), Qt::Key_Right);
        QTest::keyClick(d.EditBox(), Qt::Key_Right);
        EXPECT_EQ(d.SelectedStep(), 2);
        EXPECT_EQ(d.EditBox()->text(), "400");
        auto* slider = d.FindControlAs<CSliderControl>(kDpiDialogSliderId);
        EXPECT_EQ(slider->GetPos(), 2);
        for (int i = 0; i < 60; ++i)
            QTest::keyClick(d.EditBox(), Qt::Key_Right);
        EXPECT_EQ(d.SelectedStep(), 58);
        ASSERT_TRUE(ClickControlIn(d, kDpiDialogCloseId));
    });
}

TEST_F(DpiSectionTest, ADragLeavingTheSliderStillDrivesIt) {
    Begin();
    WithDpiDialog(0, [&](CDPIValueSettingDlg& d) {
        auto* slider = d.FindControlAs<CSliderControl>(kDpiDialogSliderId);
        const Rect thumb = slider->ThumbRect();
        const QPoint start((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
        SendMouse(d, QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
        SendMouse(d, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        // Far right and below the slider: the last step.
        const QPoint outside(slider->GetRect().right + 40, slider->GetRect().bottom + 20);
        SendMouse(d, QEvent::MouseMove, outside, Qt::NoButton, Qt::LeftButton);
        EXPECT_EQ(d.SelectedStep(), 58);
        EXPECT_EQ(d.EditBox()->text(), "10000");
        SendMouse(d, QEvent::MouseButtonRelease, outside, Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(d.SelectedStep(), 58);
        ASSERT_TRUE(ClickControlIn(d, kDpiDialogOkId));
        EXPECT_EQ(d.result(), int(QDialog::Accepted));
    });
    EXPECT_EQ(Window().Profile().XYSettingValue[0], 58);
}

TEST_F(DpiSectionTest, SwatchOpensThePaletteAndSendsTheColours) {
    Begin();
    OnDialog<CColorPaletteDlg>([&](CColorPaletteDlg& d) {
        EXPECT_EQ(d.SelectedColor(), 0xFF0000u);  // level 2 starts blue
        // The first swatch of the top row is pure red.
        ClickIn(d, QPoint(260, 44));
        EXPECT_EQ(d.SelectedColor(), 0x0000FFu);
        ASSERT_TRUE(ClickControlIn(d, kPaletteOkId));
    });
    ASSERT_TRUE(Click(kDpiSwatchId + 2));
    EXPECT_EQ(Window().Profile().DPILevelIndication[2], 0x0000FFu);
    Advance(20);
    EXPECT_THAT(SentSettings(), ElementsAre("06: FF 00 00 00 FF 00 FF 00 00 FF FF 00 FF 00 FF FF "
                                            "00 FF FF FF FF FF FF FF"));
}

TEST_F(DpiSectionTest, ScreenshotsAtEveryScale) {
    for (double scale : {1.0, 1.5, 2.0}) {
        Begin(scale);
        Screenshot(QString("dpi_lighting_%1").arg(int(scale * 10)));
        Stop();
    }
}

TEST_F(DpiSectionTest, DpiDialogScreenshot) {
    Begin(1.5);
    WithDpiDialog(3, [&](CDPIValueSettingDlg& d) {
        QDir().mkpath(VELMARO_APP_SCREENSHOT_DIR);
        d.RenderAll().save(QString(VELMARO_APP_SCREENSHOT_DIR) + "/dpi_dialog_15.png");
        // Qt's own widgets are not in the skinned image; grab the window too.
        d.grab().save(QString(VELMARO_APP_SCREENSHOT_DIR) + "/dpi_dialog_grab_15.png");
        ASSERT_TRUE(ClickControlIn(d, kDpiDialogCloseId));
    });
}

}  // namespace
}  // namespace velmaro::test
