#include "app/debounce_section.h"

#include "app/main_window.h"
#include "model/profile_edits.h"
#include "model/text.h"
#include "ui/slider_control.h"
#include "ui/static_image.h"
#include "ui/static_text.h"

namespace velmaro {

namespace {

constexpr ColorRef kValueColor = 0xB4B4B4;
// Where the section was created (unscaled); the layout leaves it there.
constexpr int kLeft = 888;
constexpr int kTop = 620;

QString MsText(int step) {
    return QString("%1ms").arg(step * 2);
}

}  // namespace

void CDebounceSection::InitUI() {
    CKorvaneDlg& w = Window();
    UiContext& ui = w.Ui();
    auto* track = w.MakeControl<CStaticImage>(
        kLayer, kTrackId, ui.ScaledRect(kLeft, kTop + 7, kLeft + 150, kTop + 11), QString());
    track->SetImage(ui.SkinFile("Slider_bar.png"));
    auto* slider = w.MakeControl<CSliderControl>(kLayer, kSliderId,
                                                 ui.ScaledRect(kLeft, kTop, kLeft + 150, kTop + 18),
                                                 QString(), kSteps, w.Px(6), w.Px(6));
    slider->SetThumbImage(ui.SkinFile("Slider_Circle.png"));
    auto* text = w.MakeControl<CStaticText>(
        kLayer, kValueTextId, ui.ScaledRect(kLeft + 160, kTop, kLeft + 210, kTop + 18), MsText(0),
        kValueColor);
    text->SetFont(w.Px(12), "Tahoma");
    // Its header is never shown, so neither is the section.
    w.SetLayerVisible(kLayer, false);
}

void CDebounceSection::Refresh(const ProfileRecord& profile) {
    CKorvaneDlg& w = Window();
    auto* slider = w.FindControlAs<CSliderControl>(kSliderId);
    if (slider == nullptr)
        return;
    // Odd values round down to the step below; values outside the slider are
    // clamped to it.
    slider->SetPos(profile.SettingNumber(kKeyDebounce) / 2);
    if (CControlBase* text = w.FindControl(kValueTextId))
        text->SetText(MsText(slider->GetPos()));
}

void CDebounceSection::Collect(ProfileRecord& profile) {
    auto* slider = Window().FindControlAs<CSliderControl>(kSliderId);
    const int ms = slider != nullptr ? slider->GetPos() * 2 : kFallbackMs;
    EditDebounce(profile, ms);
}

}  // namespace velmaro
