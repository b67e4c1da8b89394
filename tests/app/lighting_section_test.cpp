// The lighting section of the main window, its mode list and the colour
// palette, on the virtual mouse. Lighting reports are "08: mode, brightness
// and speed (each + 1, a nibble each), then the mode's data".
#include <gmock/gmock.h>

#include "app/color_palette_dlg.h"
#include "app/combo_lighting_popup.h"
#include "app/dpi_section.h"
#include "app/lighting_section.h"
#include "section_fixture.h"
#include "ui/color_select_check_button.h"
#include "ui/combo_button.h"
#include "ui/slider_control.h"

namespace velmaro::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LightingSectionTest : public SectionFixture {
  protected:
    CColorSelectCheckButton* Slot(int i) {
        return Window().FindControlAs<CColorSelectCheckButton>(kLightingSlotId + uint32_t(i));
    }
    CSliderControl* Slider(uint32_t id) { return Window().FindControlAs<CSliderControl>(id); }
    QString TextOf(uint32_t id) { return Window().FindControl(id)->GetText(); }
    bool Shown(uint32_t id) { return Window().FindControl(id)->IsShown(); }
    // The profile's lighting mode as a stored profile holds it.
    void GivenMode(int mode, std::initializer_list<uint8_t> selected = {}) {
        Given([&](ProfileRecord& p) {
            p.Lighting1ModeValue = {uint8_t(mode), 0, 0};
            p.Lighting1Name = Window().State().Language.Text(size_t(LightingModeNameEntry(mode)));
            if (selected.size() > 0) {
                p.Lighting1ColorSelected[size_t(mode)] = {};
                size_t i = 0;
                for (uint8_t s : selected)
                    p.Lighting1ColorSelected[size_t(mode)][i++] = s;
            }
        });
    }
    QPoint StepPoint(uint32_t id, int step) {
        CSliderControl* s = Slider(id);
        return QPoint(s->StepPosition(step), (s->GetRect().top + s->GetRect().bottom) / 2);
    }
};

TEST_F(LightingSectionTest, ModeListOffersAllButSixAndSevenAndSendsTheChoice) {
    CKorvaneDlg& w = Begin();
    ASSERT_TRUE(Click(kLightingModeFieldId));
    auto* list = dynamic_cast<CComboLightingPopup*>(w.Popup(kLightingPopupSlot));
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(w.FindControlAs<CComboButton>(kLightingModeFieldId)->Active());
    std::vector<int> modes;
    std::vector<std::string> names;
    for (const PopupItem& item : list->Items()) {
        modes.push_back(item.Code[0]);
        names.push_back(ToUtf8(item.Caption));
    }
    EXPECT_THAT(modes, ElementsAre(0, 1, 2, 3, 4, 5, 8, 9));
    EXPECT_THAT(names, ElementsAre("Off", "Wave", "Breathing", "Static", "Colour Cycle", "Neon",
                                   "Flicker", "Marquee"));

    const QPoint at = CentreOf(list->Items()[3].Bounds);
    SendMouse(*list, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    SendMouse(*list, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(*list, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    ProcessEvents();
    EXPECT_EQ(w.Popup(kLightingPopupSlot), nullptr);
    EXPECT_FALSE(w.FindControlAs<CComboButton>(kLightingModeFieldId)->Active());
    EXPECT_EQ(w.FindControlAs<CComboButton>(kLightingModeFieldId)->ValueText(), "Static");
    EXPECT_EQ(w.Profile().Lighting1ModeValue, (KeyValue{3, 0, 0}));
    Advance(20);
    EXPECT_THAT(SentSettings(), ElementsAre("08: 03 42 FF 00 FF"));
}

TEST_F(LightingSectionTest, ModeListClosesWhenItLosesActivation) {
    CKorvaneDlg& w = Begin();
    ASSERT_TRUE(Click(kLightingModeFieldId));
    w.SendMessage(kLightingModeDeactivatedMessage, kLightingModeFieldId, kLightingPopupKind);
    ProcessEvents();
    EXPECT_EQ(w.Popup(kLightingPopupSlot), nullptr);
    EXPECT_FALSE(w.FindControlAs<CComboButton>(kLightingModeFieldId)->Active());
    Advance(20);
    EXPECT_THAT(SentSettings(), IsEmpty());
}

struct ModeLooks {
    int Mode;
    const char* Name;
    int Slots;
    bool Speed, Brightness, Direction;
};

TEST_F(LightingSectionTest, EachModeShowsItsOwnControls) {
    // Modes 6 and 7 are never offered, but a profile holding them shows them.
    const ModeLooks cases[] = {
        {0, "Off", 0, false, false, false},         {1, "Wave", 0, true, false, true},
        {2, "Breathing", 7, true, false, false},    {3, "Static", 1, false, true, false},
        {4, "Colour Cycle", 0, true, false, false}, {5, "Neon", 0, true, false, false},
        {6, "Custom", 8, false, false, false},      {7, "Two-Tone", 2, true, false, false},
        {8, "Flicker", 0, true, false, false},      {9, "Marquee", 0, true, false, false},
    };
    Begin();
    for (const ModeLooks& c : cases) {
        SCOPED_TRACE(c.Mode);
        GivenMode(c.Mode);
        EXPECT_EQ(Window().FindControlAs<CComboButton>(kLightingModeFieldId)->ValueText(), c.Name);
        int shownSlots = 0;
        for (int i = 0; i < kLightingSlots; ++i) {
            shownSlots += Slot(i)->IsShown() ? 1 : 0;
            EXPECT_EQ(Slot(i)->Color(),
                      Window().Profile().Lighting1FixedColor[size_t(c.Mode)][size_t(i)]);
        }
        EXPECT_EQ(shownSlots, c.Slots);
        EXPECT_EQ(Shown(kLightingColorLabelId), c.Slots > 0);
        for (uint32_t id : {kLightingSpeedLabelId, kLightingSpeedSliderId, kLightingSpeedTrackId,
                            kLightingSpeedValueId})
            EXPECT_EQ(Shown(id), c.Speed) << id;
        for (uint32_t id : {kLightingBrightnessLabelId, kLightingBrightnessSliderId,
                            kLightingBrightnessTrackId, kLightingBrightnessValueId})
            EXPECT_EQ(Shown(id), c.Brightness) << id;
        for (uint32_t id : {kLightingDirectionLabelId, kLightingUpId, kLightingDownId})
            EXPECT_EQ(Shown(id), c.Direction) << id;
    }
}

struct SlotCase {
    int Mode;
    std::initializer_list<uint8_t> Selected;
    int Clicked;
    const char* Attention;  // "" when the toggle is taken
    const char* Report;     // "" when nothing is sent
};

TEST_F(LightingSectionTest, ASingleClickTogglesTheSlotUnlessTheModeNeedsIt) {
    // Consecutive cases click different slots (two clicks on one place
    // would make a double click).
    const SlotCase cases[] = {
        {3, {1}, 0, "attention This lighting effect needs at least one colour.", ""},
        {7, {0, 1}, 1, "attention This lighting effect needs at least one colour.", ""},
        {2,
         {1, 0, 0, 0, 0, 0, 0},
         0,
         "attention This lighting effect needs at least one colour.",
         ""},
        {6,
         {1, 1, 0, 0, 0, 0, 0, 0},
         1,
         "attention This lighting effect needs at least two colours.",
         ""},
        {6,
         {1, 1, 1, 0, 0, 0, 0, 0},
         2,
         "",
         "08: 06 22 FF 00 00 00 FF 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {2, {1, 0, 0, 0, 0, 0, 0}, 3, "", "08: 02 22 02 FF 00 00 00 FF FF"},
    };
    Begin();
    for (const SlotCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.Mode << " slot " << c.Clicked);
        GivenMode(c.Mode, c.Selected);
        dialogs.clear();
        const bool before = Slot(c.Clicked)->Checked();
        ASSERT_TRUE(Click(kLightingSlotId + uint32_t(c.Clicked)));
        Advance(149);  // a double click may still come
        EXPECT_EQ(Slot(c.Clicked)->Checked(), before);
        Advance(1);
        const bool refused = *c.Attention != '\0';
        EXPECT_EQ(Slot(c.Clicked)->Checked(), refused ? before : !before);
        EXPECT_EQ(Window().Profile().Lighting1ColorSelected[size_t(c.Mode)][size_t(c.Clicked)] != 0,
                  Slot(c.Clicked)->Checked());
        if (refused) {
            EXPECT_THAT(dialogs, ElementsAre(c.Attention));
        }
        Advance(20);
        if (*c.Report == '\0') {
            EXPECT_THAT(SentSettings(), IsEmpty());
        } else {
            EXPECT_THAT(SentSettings(), ElementsAre(c.Report));
        }
    }
}

TEST_F(LightingSectionTest, ADoubleClickOpensThePaletteWithoutToggling) {
    Begin();
    GivenMode(2);
    OnDialog<CColorPaletteDlg>([&](CColorPaletteDlg& d) {
        EXPECT_EQ(d.SelectedColor(), 0x00FF00u);
        // Top row, fifth swatch: cyan.
        ClickIn(d, QPoint(372, 44));
        EXPECT_EQ(d.SelectedColor(), 0xFFFF00u);
        EXPECT_EQ(d.FindControl(kPaletteRedId)->GetText(), "0");
        EXPECT_EQ(d.FindControl(kPaletteGreenId)->GetText(), "255");
        EXPECT_EQ(d.FindControl(kPaletteBlueId)->GetText(), "255");
        // The preview shows the colour at once.
        EXPECT_EQ(d.RenderAll().pixelColor(270, 240), QColor(0, 255, 255));
        ASSERT_TRUE(ClickControlIn(d, kPaletteOkId));
    });
    DoubleClick(kLightingSlotId + 1);
    Advance(300);
    EXPECT_TRUE(Slot(1)->Checked());
    EXPECT_EQ(Slot(1)->Color(), 0xFFFF00u);
    EXPECT_EQ(Window().Profile().Lighting1FixedColor[2][1], 0xFFFF00u);
    EXPECT_THAT(SentSettings(), ElementsAre("08: 02 22 07 FF 00 00 00 FF FF 00 00 FF 00 FF FF FF "
                                            "FF 00 FF 00 FF FF FF FF"));
}

TEST_F(LightingSectionTest, SlidersSendOnRelease) {
    Begin();
    ClickAt(StepPoint(kLightingSpeedSliderId, 2));
    EXPECT_EQ(TextOf(kLightingSpeedValueId), "3");
    Advance(20);
    EXPECT_THAT(SentSettings(), ElementsAre("08: 01 23 01"));

    // Brightness is mode 3's; the value reads as a percentage.
    GivenMode(3);
    EXPECT_EQ(TextOf(kLightingBrightnessValueId), "100%");
    ClickAt(StepPoint(kLightingBrightnessSliderId, 0));
    EXPECT_EQ(TextOf(kLightingBrightnessValueId), "25%");
    Advance(20);
    EXPECT_THAT(SentSettings(), ElementsAre("08: 03 12 FF 00 FF"));
}

TEST_F(LightingSectionTest, ASliderDragReleasedOffTheSliderStillCounts) {
    CKorvaneDlg& w = Begin();
    CSliderControl* speed = Slider(kLightingSpeedSliderId);
    const Rect thumb = speed->ThumbRect();
    const QPoint start((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
    QTest::mouseMove(&w, start);
    SendMouse(w, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    const QPoint off(speed->GetRect().right + 30, speed->GetRect().bottom + 40);
    SendMouse(w, QEvent::MouseMove, off, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(TextOf(kLightingSpeedValueId), "3");
    SendMouse(w, QEvent::MouseButtonRelease, off, Qt::LeftButton, Qt::NoButton);
    SendMouse(w, QEvent::MouseMove, off, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(w.Profile().Lighting1Speed[1], 2);
    Advance(20);
    EXPECT_THAT(SentSettings(), ElementsAre("08: 01 23 01"));
}

TEST_F(LightingSectionTest, DirectionButtonsSendOnlyAChange) {
    Begin();
    ASSERT_TRUE(Click(kLightingUpId));  // already up
    Advance(20);
    EXPECT_THAT(SentSettings(), IsEmpty());
    ASSERT_TRUE(Click(kLightingDownId));
    EXPECT_EQ(Window().Profile().Lighting1Direction[1], 0);
    Advance(20);
    EXPECT_THAT(SentSettings(), ElementsAre("08: 01 22 00"));
}

// Every change that runs the window's collect step normalises the values the
// pages only carry through: a stored debounce of 13 goes out as 12 with it,
// not only after a lift-off click.
TEST_F(LightingSectionTest, ChangesThatCollectSendTheDebounceAsAnEvenStep) {
    struct Case {
        const char* Name;
        std::function<void()> Change;
        const char* Report;  // the change's own report
    };
    const Case cases[] = {
        {"DPI enable box", [this] { Click(kDpiEnableBoxId + 4); },
         "05: 24 0F 07 00 0F 00 1F 00 31 00 3B 00 00 00 00 00 00 00"},
        {"direction radio", [this] { Click(kLightingDownId); }, "08: 01 22 00"},
        // The direction stays down from the case before.
        {"speed slider release", [this] { ClickAt(StepPoint(kLightingSpeedSliderId, 2)); },
         "08: 01 23 00"},
    };
    Begin();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Given([](ProfileRecord& p) { p.Setting(kKeyDebounce) = u"13"; });
        SpaceClicks();
        c.Change();
        EXPECT_EQ(Window().Profile().Setting(kKeyDebounce), u"12");
        Advance(20);
        EXPECT_THAT(SentSettings(), ::testing::UnorderedElementsAre(c.Report, "0A: 0C"));
    }
}

TEST_F(LightingSectionTest, ControlsFollowTheSectionDown) {
    CKorvaneDlg& w = Begin();
    // DPI open: the lighting origin is 846, 67 + 196 + 25.
    w.RenderAll();
    EXPECT_EQ(w.FindControl(kLightingModeFieldId)->GetRect(), (Rect{886, 299, 1075, 324}));
    w.Sections().SetOpen(Section::Dpi, false);
    w.RenderAll();
    EXPECT_EQ(w.FindControl(kLightingModeFieldId)->GetRect(), (Rect{886, 103, 1075, 128}));
    EXPECT_EQ(w.FindControl(kLightingSlotId + 2)->GetRect(), (Rect{940, 226, 961, 246}));
}

// --- the palette on its own ---------------------------------------------------------

TEST_F(LightingSectionTest, PaletteKeysFrameAndOpenDialogTable) {
    CKorvaneDlg& w = Begin();
    CColorPaletteDlg palette(Ui(), w.State().Language, 0x123456, &w, &w);
    palette.Initialize();
    palette.show();
    ProcessEvents();
    EXPECT_THAT(w.OpenDialogs(), ElementsAre(&palette));
    EXPECT_EQ(palette.FindControl(kPaletteRedId)->GetText(), "86");
    // The ring round the colour field is the frame colour: nothing is picked.
    ClickIn(palette, QPoint(19, 27));
    EXPECT_EQ(palette.SelectedColor(), 0x123456u);
    palette.setResult(-1);
    QTest::keyClick(&palette, Qt::Key_Escape);
    EXPECT_TRUE(palette.isVisible());
    QTest::keyClick(&palette, Qt::Key_Return);
    EXPECT_FALSE(palette.isVisible());
    EXPECT_EQ(palette.result(), int(QDialog::Accepted));
    QDir().mkpath(VELMARO_APP_SCREENSHOT_DIR);
    for (double scale : {1.0, 2.0}) {
        UiContext ui = Ui();
        ui.Scale = scale;
        CColorPaletteDlg shot(ui, w.State().Language, 0xFFFF00, nullptr);
        shot.Initialize();
        shot.RenderAll().save(QString(VELMARO_APP_SCREENSHOT_DIR) +
                              QString("/palette_%1.png").arg(int(scale * 10)));
    }
}

TEST_F(LightingSectionTest, PaletteLeavesTheTableWhenItGoes) {
    CKorvaneDlg& w = Begin();
    {
        CColorPaletteDlg palette(Ui(), w.State().Language, 0, &w, &w);
        palette.Initialize();
        EXPECT_EQ(w.OpenDialogs().size(), 1u);
    }
    EXPECT_THAT(w.OpenDialogs(), IsEmpty());
}

TEST_F(LightingSectionTest, ScreenshotsOfTheSlotModes) {
    for (double scale : {1.0, 1.5}) {
        Begin(scale);
        GivenMode(6);
        Screenshot(QString("lighting_mode6_%1").arg(int(scale * 10)));
        GivenMode(3);
        Screenshot(QString("lighting_mode3_%1").arg(int(scale * 10)));
        Stop();
    }
}

}  // namespace
}  // namespace velmaro::test
