#include "app/lift_off_section.h"

#include "app/main_window.h"
#include "app/settings_sections.h"
#include "model/profile_edits.h"
#include "ui/radio_button.h"
#include "ui/static_text.h"

namespace velmaro {

namespace {

constexpr ColorRef kCaptionColor = 0xB4B4B4;
// The captions' LanguageTable entries ("1 mm", "2 mm").
constexpr int kFirstCaptionEntry = 284;

struct Place {
    int x, y, w, h;
};
constexpr std::array<Place, 2> kRadioPlaces = {{{80, 27, 15, 15}, {160, 27, 15, 15}}};
constexpr std::array<Place, 2> kCaptionPlaces = {{{64, 47, 47, 18}, {144, 47, 47, 18}}};

constexpr uint32_t kBits = 3u << CLiftOffSection::kFirstBit;

}  // namespace

void CLiftOffSection::InitUI() {
    CKorvaneDlg& w = Window();
    UiContext& ui = w.Ui();
    for (size_t i = 0; i < kRadioIds.size(); ++i) {
        auto* radio = w.MakeControl<CRadioButton>(kLayer, kRadioIds[i], Rect{}, QString());
        radio->SetImages(ui.SkinFile("radio_nr.png"), ui.SkinFile("radio_ov.png"),
                         ui.SkinFile("radio_dn.png"));
        w.MakeControl<CStaticText>(kLayer, kCaptionIds[i], Rect{},
                                   w.Text(kFirstCaptionEntry + int(i)), kCaptionColor, kDtCenter);
    }
    // The column showed its layers before this section had controls.
    w.SetLayerVisible(kLayer, w.Sections().IsOpen(Section::LiftOff) &&
                                  w.Sections().IsHeaderShown(Section::LiftOff));
}

void CLiftOffSection::PlaceAt(int x, int y) {
    CKorvaneDlg& w = Window();
    auto place = [&](uint32_t id, const Place& p) {
        if (CControlBase* control = w.FindControl(id))
            control->SetRect(w.Ui().ScaledRect(x + p.x, y + p.y, x + p.x + p.w, y + p.y + p.h));
    };
    for (size_t i = 0; i < kRadioIds.size(); ++i) {
        place(kRadioIds[i], kRadioPlaces[i]);
        place(kCaptionIds[i], kCaptionPlaces[i]);
    }
}

int CLiftOffSection::ChosenHeight() const {
    const uint32_t bits = Window().Ui().Selection.RadioGroupBits & kBits;
    return bits == 1u << kFirstBit ? 1 : 2;
}

bool CLiftOffSection::OnMessage(uint32_t msg, uintptr_t, intptr_t lParam) {
    if (msg != kRadioIds[0] && msg != kRadioIds[1])
        return false;
    if (lParam != NotifyClick)
        return true;
    CKorvaneDlg& w = Window();
    for (uint32_t id : kRadioIds) {
        if (CControlBase* radio = w.FindControl(id))
            w.InvalidateRect(radio->GetRect());
    }
    // The window's collect step runs with every change of this section, so
    // the values only carried through (debounce, pointer) are normalised too.
    w.CollectPages();
    const int height = ChosenHeight();
    w.ApplyEdit([&w, height](ProfileRecord& profile) {
        return EditLiftOff(profile, w.State().Sensor, height);
    });
    return true;
}

void CLiftOffSection::Refresh(const ProfileRecord& profile) {
    uint32_t& bits = Window().Ui().Selection.RadioGroupBits;
    const int chosen = profile.Setting(kLiftDetectionHeight) == u"1" ? 0 : 1;
    bits = (bits & ~kBits) | (1u << (kFirstBit + chosen));
}

void CLiftOffSection::Collect(ProfileRecord& profile) {
    profile.Setting(kLiftDetectionHeight) = ChosenHeight() == 1 ? u"1" : u"2";
}

}  // namespace velmaro
