#include "app/rate_section.h"

#include "app/main_window.h"
#include "app/settings_sections.h"
#include "model/profile_edits.h"
#include "ui/combo_button.h"
#include "ui/radio_button.h"
#include "ui/static_text.h"

namespace velmaro {

namespace {

constexpr ColorRef kCaptionColor = 0xB4B4B4;
constexpr std::array<int, 4> kRatesHz = {125, 250, 500, 1000};
constexpr std::array<const char*, 4> kTileNames = {"125hz", "250hz", "500hz", "1000hz"};
// The captions' LanguageTable entries, by polling index.
constexpr int kFirstCaptionEntry = 280;

// Offsets from the section origin (unscaled): a 2 x 2 square with 125 Hz top
// left, 250 Hz bottom left, 500 Hz bottom right and 1000 Hz top right; the
// captions share one place between the rows.
struct Place {
    int x, y, w, h;
};
constexpr std::array<Place, 4> kTilePlaces = {
    {{59, 20, 72, 72}, {59, 92, 72, 72}, {131, 92, 72, 72}, {131, 20, 72, 72}}};
constexpr Place kCaptionPlace{88, 83, 85, 18};
// The hidden rate field keeps a place inside the frame.
constexpr Place kFieldPlace{51, 150, 160, 26};

constexpr uint32_t RateBit(int index) {
    return 1u << (CRateSection::kFirstRateBit + index);
}
constexpr uint32_t kAllRateBits = RateBit(0) | RateBit(1) | RateBit(2) | RateBit(3);

}  // namespace

int PollingIndexFromRadioBits(uint32_t radioBits) {
    const uint32_t bits = radioBits & kAllRateBits;
    for (int index = 0; index < 3; ++index) {
        if (bits == RateBit(index))
            return index;
    }
    return 3;
}

void CRateSection::InitUI() {
    CKorvaneDlg& w = Window();
    UiContext& ui = w.Ui();
    for (size_t i = 0; i < kTileIds.size(); ++i) {
        auto* tile = w.MakeControl<CRadioButton>(kLayer, kTileIds[i], Rect{}, QString());
        const QString name = kTileNames[i];
        // Hover and selected share the lit picture.
        tile->SetImages(ui.SkinFile(name + "_nr.png"), ui.SkinFile(name + "_dn.png"),
                        ui.SkinFile(name + "_dn.png"));
    }
    for (size_t i = 0; i < kCaptionIds.size(); ++i) {
        // Created hidden; refresh shows the chosen rate's.
        w.MakeControl<CStaticText>(kLayer, kCaptionIds[i], Rect{},
                                   w.Text(kFirstCaptionEntry + int(i)), kCaptionColor, kDtCenter,
                                   true, false);
    }
    // Never shown: it only carries the rate's name.
    auto* field = w.MakeControl<CComboButton>(kLayer, kRateFieldId, Rect{}, QString(), kRateFieldId,
                                              kDtCenter, QString(), true, false);
    field->SetImages(ui.SkinFile("combo2_nr.png"), ui.SkinFile("combo2_ov.png"));
    // The column showed its layers before this section had controls.
    w.SetLayerVisible(kLayer, w.Sections().IsOpen(Section::Rate));
}

void CRateSection::PlaceAt(int x, int y) {
    CKorvaneDlg& w = Window();
    auto place = [&](uint32_t id, const Place& p) {
        if (CControlBase* control = w.FindControl(id))
            control->SetRect(w.Ui().ScaledRect(x + p.x, y + p.y, x + p.x + p.w, y + p.y + p.h));
    };
    for (size_t i = 0; i < kTileIds.size(); ++i) {
        place(kTileIds[i], kTilePlaces[i]);
        place(kCaptionIds[i], kCaptionPlace);
    }
    place(kRateFieldId, kFieldPlace);
}

bool CRateSection::OnMessage(uint32_t msg, uintptr_t, intptr_t lParam) {
    for (size_t i = 0; i < kTileIds.size(); ++i) {
        if (msg != kTileIds[i])
            continue;
        if (lParam == NotifyClick) {
            // The tile has already selected its bit in the radio word.
            const int index = PollingIndexFromRadioBits(Window().Ui().Selection.RadioGroupBits);
            Window().ApplyEdit([index](ProfileRecord& profile) {
                return EditReportRate(profile, kRatesHz[size_t(index)]);
            });
        }
        return true;
    }
    return false;
}

void CRateSection::Refresh(const ProfileRecord& profile) {
    CKorvaneDlg& w = Window();
    if (auto* field = w.FindControlAs<CComboButton>(kRateFieldId))
        field->SetValueText(QString::fromStdU16String(profile.PollingRateName));
    // A polling index outside 0..2 shows as 1000 Hz, as it is sent.
    const int b = profile.PollingRateValue[0];
    const int index = b <= 2 ? b : 3;
    uint32_t& bits = w.Ui().Selection.RadioGroupBits;
    bits = (bits & ~kAllRateBits) | RateBit(index);
    for (size_t i = 0; i < kCaptionIds.size(); ++i) {
        if (CControlBase* caption = w.FindControl(kCaptionIds[i]))
            caption->SetVisible(int(i) == index);
    }
}

}  // namespace velmaro
