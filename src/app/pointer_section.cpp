#include "app/pointer_section.h"

#include "app/main_window.h"
#include "app/settings_sections.h"
#include "model/text.h"
#include "ui/check_button.h"
#include "ui/radio_button.h"
#include "ui/slider_control.h"
#include "ui/static_image.h"
#include "ui/static_text.h"

namespace velmaro {

namespace {

constexpr ColorRef kCaptionColor = 0xB4B4B4;

struct SliderInfo {
    ProfileSetting Setting;
    int Steps;
    uint32_t TrackId;
    uint32_t CaptionId;
    int CaptionEntry;
};
// In the order of CPointerSection::kSliderIds.
constexpr std::array<SliderInfo, 3> kSliders = {{
    {kPointerSpeed, 11, 0xC43, 0xC3D, 286},
    {kScrollWheelSpeed, 10, 0xC44, 0xC3E, 287},
    {kDoubleClickSpeed, 11, 0xC45, 0xC3F, 288},
}};
// Captions of the acceleration box and the two scroll radios.
constexpr std::array<uint32_t, 3> kBoxCaptionIds = {0xC40, 0xC41, 0xC42};
constexpr std::array<int, 3> kBoxCaptionEntries = {289, 290, 291};

constexpr uint32_t kScrollLinesBit = 1u << 7;
constexpr uint32_t kScrollPagesBit = 1u << 8;

// Where the hidden controls were created (unscaled client pixels), inside the
// section's frame; the layout never moves them.
constexpr int kLeft = 866;
constexpr int kTop = 560;

}  // namespace

void CPointerSection::InitUI() {
    CKorvaneDlg& w = Window();
    UiContext& ui = w.Ui();
    auto R = [&](int l, int t, int width, int height) {
        return ui.ScaledRect(l, t, l + width, t + height);
    };
    // Hidden controls: created with their own visibility off, so opening the
    // section shows only the mouse settings button.
    constexpr bool page = true, hidden = false;
    for (size_t i = 0; i < kSliders.size(); ++i) {
        const SliderInfo& s = kSliders[i];
        const int top = kTop + 22 * int(i);
        w.MakeControl<CStaticText>(kLayer, s.CaptionId, R(kLeft, top, 90, 18),
                                   w.Text(s.CaptionEntry), kCaptionColor, kDtLeft, page, hidden);
        auto* track = w.MakeControl<CStaticImage>(kLayer, s.TrackId, R(kLeft + 92, top + 7, 110, 4),
                                                  QString(), page, hidden);
        track->SetImage(ui.SkinFile("Slider_bar.png"));
        auto* slider =
            w.MakeControl<CSliderControl>(kLayer, kSliderIds[i], R(kLeft + 92, top, 110, 18),
                                          QString(), s.Steps, w.Px(6), w.Px(6), page, hidden);
        slider->SetThumbImage(ui.SkinFile("Slider_Circle.png"));
        w.MakeControl<CStaticText>(kLayer, kValueTextIds[i], R(kLeft + 206, top, 24, 18), QString(),
                                   kCaptionColor, kDtLeft, page, hidden);
    }
    const int top = kTop + 66;
    auto* box = w.MakeControl<CCheckButton>(kLayer, kAccelerationBoxId, R(kLeft, top + 3, 11, 11),
                                            QString(), kDtLeft, page, hidden);
    box->SetImages(ui.SkinFile("check_nr.png"), ui.SkinFile("check_ov.png"),
                   ui.SkinFile("check_dn.png"));
    const std::array<uint32_t, 2> radios = {kScrollLinesId, kScrollPagesId};
    for (size_t i = 0; i < radios.size(); ++i) {
        auto* radio = w.MakeControl<CRadioButton>(
            kLayer, radios[i], R(kLeft + 120 * int(i), top + 22, 15, 15), QString(), page, hidden);
        radio->SetImages(ui.SkinFile("radio_nr.png"), ui.SkinFile("radio_ov.png"),
                         ui.SkinFile("radio_dn.png"));
    }
    for (size_t i = 0; i < kBoxCaptionIds.size(); ++i) {
        const int l = i == 0 ? kLeft + 16 : kLeft + 18 + 120 * int(i - 1);
        const int t = i == 0 ? top : top + 20;
        w.MakeControl<CStaticText>(kLayer, kBoxCaptionIds[i], R(l, t, 100, 18),
                                   w.Text(kBoxCaptionEntries[i]), kCaptionColor, kDtLeft, page,
                                   hidden);
    }
    // The column showed its layers before this section had controls.
    w.SetLayerVisible(kLayer, w.Sections().IsOpen(Section::Pointer));
}

void CPointerSection::PlaceAt(int x, int y) {
    // The window creates the mouse settings button; the section places it.
    if (CControlBase* button = Window().FindControl(kMouseSettingsButtonId)) {
        const Rect r = Window().Ui().ScaledRect(x + 20, y + 30, x + 20 + 215, y + 30 + 45);
        button->SetRect(r.left, r.top, r.right, r.bottom);
    }
}

void CPointerSection::Refresh(const ProfileRecord& profile) {
    CKorvaneDlg& w = Window();
    const bool byPages = profile.Setting(kScrollWheelPageEnable) == u"1";
    for (size_t i = 0; i < kSliders.size(); ++i) {
        auto* slider = w.FindControlAs<CSliderControl>(kSliderIds[i]);
        if (slider == nullptr)
            continue;
        // A stored step outside the slider is clamped to it.
        slider->SetPos(profile.SettingNumber(kSliders[i].Setting));
        if (CControlBase* text = w.FindControl(kValueTextIds[i]))
            text->SetText(QString::number(slider->GetPos() + 1));
    }
    // The scroll-lines slider means nothing while scrolling by pages.
    if (auto* scroll = w.FindControl(kSliderIds[1]))
        scroll->SetDisabled(byPages);
    if (auto* box = w.FindControlAs<CCheckButton>(kAccelerationBoxId))
        box->SetChecked(profile.Setting(kAccelerationEnable) == u"1");
    uint32_t& bits = w.Ui().Selection.RadioGroupBits;
    bits = (bits & ~(kScrollLinesBit | kScrollPagesBit)) |
           (byPages ? kScrollPagesBit : kScrollLinesBit);
}

void CPointerSection::Collect(ProfileRecord& profile) {
    CKorvaneDlg& w = Window();
    for (size_t i = 0; i < kSliders.size(); ++i) {
        if (auto* slider = w.FindControlAs<CSliderControl>(kSliderIds[i]))
            profile.Setting(kSliders[i].Setting) = FormatDecimal(slider->GetPos());
    }
    if (auto* box = w.FindControlAs<CCheckButton>(kAccelerationBoxId))
        profile.Setting(kAccelerationEnable) = box->Checked() ? u"1" : u"0";
    const bool byPages = (w.Ui().Selection.RadioGroupBits & kScrollPagesBit) != 0;
    profile.Setting(kScrollWheelPageEnable) = byPages ? u"1" : u"0";
}

}  // namespace velmaro
