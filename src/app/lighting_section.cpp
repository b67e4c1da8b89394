#include "app/lighting_section.h"

#include "app/color_palette_dlg.h"
#include "app/combo_lighting_popup.h"
#include "app/main_window.h"
#include "ui/color_select_check_button.h"
#include "ui/combo_button.h"
#include "ui/radio_button.h"
#include "ui/slider_control.h"
#include "ui/static_image.h"
#include "ui/static_text.h"

namespace velmaro {

namespace {

constexpr ColorRef kLabelColor = 0xB4B4B4;
constexpr ColorRef kValueColor = 0xFFFFFF;
constexpr int kColorLabelText = 120;
constexpr int kSpeedLabelText = 121;
constexpr int kBrightnessLabelText = 122;
constexpr int kDirectionLabelText = 123;
// Where the list opens below the field, before it sizes itself (unscaled).
constexpr int kModeListExtent = 300;
// Radio group D: up and down.
constexpr uint32_t kUpBit = 1u << 11;
constexpr uint32_t kDownBit = 1u << 12;

// Offsets from the section origin (unscaled): left, top, width, height.
struct Place {
    uint32_t Id;
    int Left;
    int Top;
    int Width;
    int Height;
};

constexpr Place kPlaces[] = {
    {kLightingModeFieldId, 40, 11, 189, 25},
    {kLightingSpeedLabelId, 42, 42, 90, 18},
    {kLightingBrightnessLabelId, 42, 42, 90, 18},
    {kLightingSpeedTrackId, 42, 72, 145, 3},
    {kLightingBrightnessTrackId, 42, 72, 145, 3},
    {kLightingSpeedSliderId, 42, 67, 145, 13},
    {kLightingBrightnessSliderId, 42, 67, 145, 13},
    {kLightingSpeedValueId, 195, 64, 31, 18},
    {kLightingBrightnessValueId, 195, 64, 40, 18},
    {kLightingColorLabelId, 42, 107, 210, 18},
    {kLightingDirectionLabelId, 42, 107, 90, 18},
    {kLightingUpId, 42, 134, 29, 18},
    {kLightingDownId, 81, 134, 29, 18},
};

// The slots follow one another at 26-pixel steps.
constexpr Place SlotPlace(int slot) {
    return Place{kLightingSlotId + uint32_t(slot), 42 + 26 * slot, 134, 21, 20};
}

// Where the section first stands: DPI and lighting open.
constexpr int kStartX = 846;
constexpr int kStartY = 67 + 196 + 25;

int SlotOf(uint32_t msg) {
    return msg >= kLightingSlotId && msg < kLightingSlotId + kLightingSlots
               ? int(msg - kLightingSlotId)
               : -1;
}

}  // namespace

void CLightingSection::InitUI() {
    CKorvaneDlg& w = Window();
    UiContext& ui = w.Ui();
    auto skin = [&](const QString& file) { return ui.SkinFile(file); };
    auto at = [&](const Place& p) {
        return ui.ScaledRect(kStartX + p.Left, kStartY + p.Top, kStartX + p.Left + p.Width,
                             kStartY + p.Top + p.Height);
    };
    auto place = [&](uint32_t id) {
        for (const Place& p : kPlaces) {
            if (p.Id == id)
                return at(p);
        }
        return kNoRect;
    };

    auto* field =
        w.MakeControl<CComboButton>(kLayer, kLightingModeFieldId, place(kLightingModeFieldId),
                                    QString(), kLightingModeFieldMessage, kDtCenter);
    field->SetImages(skin("combo3_nr.png"), skin("combo3_ov.png"));

    w.MakeControl<CStaticText>(kLayer, kLightingColorLabelId, place(kLightingColorLabelId),
                               w.Text(kColorLabelText), kLabelColor);
    for (int i = 0; i < kLightingSlots; ++i) {
        const Rect r = at(SlotPlace(i));
        auto* slot = w.MakeControl<CColorSelectCheckButton>(kLayer, kLightingSlotId + uint32_t(i),
                                                            r, QString(), r);
        slot->SetImages(skin("color_select_nr.png"), skin("color_select_check.png"));
    }

    struct SliderRow {
        uint32_t Label, Track, Slider, Value;
        int Caption, Steps;
    };
    for (const SliderRow& s :
         {SliderRow{kLightingSpeedLabelId, kLightingSpeedTrackId, kLightingSpeedSliderId,
                    kLightingSpeedValueId, kSpeedLabelText, kLightingSpeedSteps},
          SliderRow{kLightingBrightnessLabelId, kLightingBrightnessTrackId,
                    kLightingBrightnessSliderId, kLightingBrightnessValueId, kBrightnessLabelText,
                    kLightingBrightnessSteps}}) {
        w.MakeControl<CStaticText>(kLayer, s.Label, place(s.Label), w.Text(s.Caption), kLabelColor);
        auto* track = w.MakeControl<CStaticImage>(kLayer, s.Track, place(s.Track), QString());
        track->SetImage(skin("Slider_bar.png"));
        // The thumb (13 pixels) stays within the track's ends.
        auto* slider = w.MakeControl<CSliderControl>(kLayer, s.Slider, place(s.Slider), QString(),
                                                     s.Steps, w.Px(6), w.Px(7));
        slider->SetThumbImage(skin("Slider_Circle.png"));
        auto* value = w.MakeControl<CStaticText>(kLayer, s.Value, place(s.Value), QString(),
                                                 kValueColor, kDtLeft | kDtSingleLine);
        value->SetFont(w.Px(16), "Tahoma");
    }

    w.MakeControl<CStaticText>(kLayer, kLightingDirectionLabelId, place(kLightingDirectionLabelId),
                               w.Text(kDirectionLabelText), kLabelColor);
    auto* up = w.MakeControl<CRadioButton>(kLayer, kLightingUpId, place(kLightingUpId), QString());
    up->SetImages(skin("up_nr.png"), skin("up_ov.png"), skin("up_check.png"));
    auto* down =
        w.MakeControl<CRadioButton>(kLayer, kLightingDownId, place(kLightingDownId), QString());
    down->SetImages(skin("down_nr.png"), skin("down_ov.png"), skin("down_check.png"));
}

void CLightingSection::PlaceAt(int x, int y) {
    CKorvaneDlg& w = Window();
    auto move = [&](const Place& p) {
        if (CControlBase* c = w.FindControl(p.Id)) {
            const Rect r = w.Ui().ScaledRect(x + p.Left, y + p.Top, x + p.Left + p.Width,
                                             y + p.Top + p.Height);
            if (c->GetRect() != r)
                c->SetRect(r);
        }
    };
    for (const Place& p : kPlaces)
        move(p);
    for (int i = 0; i < kLightingSlots; ++i)
        move(SlotPlace(i));
}

CSliderControl* CLightingSection::Slider(uint32_t id) const {
    return Window().FindControlAs<CSliderControl>(id);
}

void CLightingSection::Refresh(const ProfileRecord& profile) {
    CKorvaneDlg& w = Window();
    const int stored = profile.Lighting1ModeValue[0];
    // A damaged profile may hold a mode beyond the tables: show its name only.
    const bool known = stored < kLightingModes;
    const size_t m = known ? size_t(stored) : 0;
    if (auto* field = w.FindControlAs<CComboButton>(kLightingModeFieldId))
        field->SetValueText(QString::fromStdU16String(profile.Lighting1Name));

    const int slotCount = known ? LightingColorSlotsShown(stored) : 0;
    bool changed = false;
    for (int i = 0; i < kLightingSlots; ++i) {
        if (auto* slot = w.FindControlAs<CColorSelectCheckButton>(kLightingSlotId + uint32_t(i))) {
            slot->SetColor(profile.Lighting1FixedColor[m][size_t(i)]);
            slot->SetChecked(profile.Lighting1ColorSelected[m][size_t(i)] != 0);
            if (slot->Visible() != (i < slotCount)) {
                slot->SetVisible(i < slotCount);
                changed = true;
            }
        }
    }
    auto show = [&](uint32_t id, bool shown) {
        if (CControlBase* c = w.FindControl(id); c != nullptr && c->Visible() != shown) {
            c->SetVisible(shown);
            changed = true;
        }
    };
    show(kLightingColorLabelId, slotCount > 0);
    const bool speed = known && LightingShowsSpeed(stored);
    const bool brightness = known && LightingShowsBrightness(stored);
    const bool direction = known && LightingShowsDirection(stored);
    for (uint32_t id : {kLightingSpeedLabelId, kLightingSpeedTrackId, kLightingSpeedSliderId,
                        kLightingSpeedValueId})
        show(id, speed);
    for (uint32_t id : {kLightingBrightnessLabelId, kLightingBrightnessTrackId,
                        kLightingBrightnessSliderId, kLightingBrightnessValueId})
        show(id, brightness);
    for (uint32_t id : {kLightingDirectionLabelId, kLightingUpId, kLightingDownId})
        show(id, direction);
    // Controls sharing a place swapped: a pointer resting on one that went
    // must find the shown one with its next move.
    if (changed && w.Hovered() != nullptr && !w.Hovered()->IsShown())
        w.ResetHover();

    if (CSliderControl* s = Slider(kLightingSpeedSliderId)) {
        s->SetPos(profile.Lighting1Speed[m]);
        ShowSliderValue(kLightingSpeedSliderId, s->GetPos());
    }
    if (CSliderControl* s = Slider(kLightingBrightnessSliderId)) {
        s->SetPos(profile.Lighting1Brightness[m]);
        ShowSliderValue(kLightingBrightnessSliderId, s->GetPos());
    }
    uint32_t& radios = w.Ui().Selection.RadioGroupBits;
    radios =
        (radios & ~(kUpBit | kDownBit)) | (profile.Lighting1Direction[m] != 0 ? kUpBit : kDownBit);
}

void CLightingSection::ShowSliderValue(uint32_t id, int step) {
    CKorvaneDlg& w = Window();
    const bool speed = id == kLightingSpeedSliderId;
    CControlBase* text = w.FindControl(speed ? kLightingSpeedValueId : kLightingBrightnessValueId);
    if (text == nullptr)
        return;
    text->SetText(speed ? QString::number(LightingSpeedShown(uint8_t(step)))
                        : QString("%1%").arg(LightingBrightnessPercent(uint8_t(step))));
}

bool CLightingSection::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    CKorvaneDlg& w = Window();
    switch (msg) {
        case kLightingModeFieldId:
            return true;  // the press; the field's click comes as its group message
        case kLightingModeFieldMessage:
            if (wParam == kLightingModeFieldId && lParam == NotifyClick)
                OpenModeList();
            return true;
        case kLightingModeChosenMessage:
            OnModeChosen(wParam, reinterpret_cast<const void*>(lParam));
            return true;
        case kLightingModeDeactivatedMessage:
            if (lParam == kLightingPopupKind) {
                if (auto* field = w.FindControlAs<CComboButton>(kLightingModeFieldId)) {
                    field->SetActive(false);
                    w.InvalidateRect(field->GetRect());
                }
                w.ClosePopup(kLightingPopupSlot);
            }
            return true;
        case kLightingSpeedSliderId:
        case kLightingBrightnessSliderId:
            if (lParam == NotifyDrag)
                ShowSliderValue(msg, int(wParam));
            else if (lParam == NotifyClick)
                CommitSlider(msg);
            return true;
        case kLightingUpId:
        case kLightingDownId:
            if (lParam == NotifyClick)
                OnDirection();
            return true;
        default:
            break;
    }
    if (const int slot = SlotOf(msg); slot >= 0) {
        if (lParam == NotifyClick)
            OnSlotClick(slot);
        else if (lParam == NotifyDoubleClick)
            OnSlotDoubleClick(slot);
        return true;
    }
    return false;
}

void CLightingSection::OpenModeList() {
    CKorvaneDlg& w = Window();
    auto* field = w.FindControlAs<CComboButton>(kLightingModeFieldId);
    if (field == nullptr)
        return;
    field->SetActive(true);
    w.InvalidateRect(field->GetRect());
    auto* popup = new CComboLightingPopup(w.Ui(), w.State().Language, MenuItemImages(w.Ui()));
    const Rect r = field->GetRect();
    const QPoint origin = w.mapToGlobal(QPoint(r.left, r.bottom));
    const int extent = w.Px(kModeListExtent);
    w.OpenPopup(kLightingPopupSlot, popup,
                Rect{origin.x(), origin.y(), origin.x() + extent, origin.y() + extent},
                kLightingModeChosenMessage, kLightingModeFieldId);
}

void CLightingSection::OnModeChosen(uintptr_t field, const void* result) {
    CKorvaneDlg& w = Window();
    if (auto* f = w.FindControlAs<CComboButton>(kLightingModeFieldId)) {
        f->SetActive(false);
        w.InvalidateRect(f->GetRect());
    }
    w.ClosePopup(kLightingPopupSlot);
    if (field != kLightingModeFieldId || result == nullptr)
        return;
    const int mode = static_cast<const PopupResult*>(result)->Code[0];
    w.ApplyEdit([&](ProfileRecord& p) { return EditLightingMode(p, w.State().Language, mode); });
}

void CLightingSection::OnSlotClick(int slot) {
    // The release that ends a double click is no single click.
    if (Window().DoubleClicked())
        return;
    // Deferred, so that a double click can cancel it.
    Window().StartTimer(kLightingSlotTimerBase + slot, kLightingSlotDelayMs);
}

bool CLightingSection::OnTimer(int id) {
    const int slot = id - kLightingSlotTimerBase;
    if (slot < 0 || slot >= kLightingSlots)
        return false;
    Window().StopTimer(id);
    OnSlotTimer(slot);
    return true;
}

void CLightingSection::OnSlotTimer(int slot) {
    // A refusal shows the attention dialog and leaves the slot selected.
    Window().ApplyEdit([&](ProfileRecord& p) { return ToggleLightingColorSelected(p, slot); });
}

void CLightingSection::OnSlotDoubleClick(int slot) {
    CKorvaneDlg& w = Window();
    w.StopTimer(kLightingSlotTimerBase + slot);
    const int mode = w.Profile().Lighting1ModeValue[0];
    if (mode >= kLightingModes)
        return;
    CColorPaletteDlg palette(w.Ui(), w.State().Language,
                             w.Profile().Lighting1FixedColor[size_t(mode)][size_t(slot)], &w, &w);
    if (w.RunModal(palette) != QDialog::Accepted)
        return;
    const ColorRef color = palette.SelectedColor();
    w.ApplyEdit([&](ProfileRecord& p) { return EditLightingColor(p, slot, color); });
}

void CLightingSection::CommitSlider(uint32_t id) {
    CSliderControl* slider = Slider(id);
    if (slider == nullptr)
        return;
    const int step = slider->GetPos();
    ShowSliderValue(id, step);
    if (id == kLightingSpeedSliderId) {
        Window().ApplyEditAndCollect([&](ProfileRecord& p) {
            return EditLightingSpeed(p, LightingSpeedShown(uint8_t(step)));
        });
    } else {
        Window().ApplyEditAndCollect([&](ProfileRecord& p) {
            return EditLightingBrightness(p, LightingBrightnessPercent(uint8_t(step)));
        });
    }
}

void CLightingSection::OnDirection() {
    CKorvaneDlg& w = Window();
    for (uint32_t id : {kLightingUpId, kLightingDownId}) {
        if (CControlBase* c = w.FindControl(id))
            w.InvalidateRect(c->GetRect());
    }
    const bool up = (w.Ui().Selection.RadioGroupBits & (kUpBit | kDownBit)) == kUpBit;
    w.ApplyEditAndCollect([&](ProfileRecord& p) { return EditLightingDirection(p, up); });
}

void CLightingSection::OnLeftDrag(Point p) {
    CKorvaneDlg& w = Window();
    for (uint32_t id : {kLightingSpeedSliderId, kLightingBrightnessSliderId}) {
        CSliderControl* slider = Slider(id);
        if (slider == nullptr || !slider->IsShown() || slider->GetRect().Contains(p.x, p.y))
            continue;
        if (slider->OnDragOutside(0, p.x, p.y)) {
            dragChanged_ = true;
            w.InvalidateRect(slider->GetRect());
        }
        ShowSliderValue(id, slider->GetPos());
    }
}

void CLightingSection::OnDragEnd() {
    if (!dragChanged_)
        return;
    dragChanged_ = false;
    // A drag released off the slider reports no click: take its step now so
    // that the profile holds what the slider shows.
    const ProfileRecord& profile = Window().Profile();
    const int mode = profile.Lighting1ModeValue[0];
    if (mode >= kLightingModes)
        return;
    CSliderControl* speed = Slider(kLightingSpeedSliderId);
    if (speed != nullptr && speed->IsShown() &&
        speed->GetPos() != profile.Lighting1Speed[size_t(mode)])
        CommitSlider(kLightingSpeedSliderId);
    CSliderControl* brightness = Slider(kLightingBrightnessSliderId);
    if (brightness != nullptr && brightness->IsShown() &&
        brightness->GetPos() != profile.Lighting1Brightness[size_t(mode)])
        CommitSlider(kLightingBrightnessSliderId);
}

}  // namespace velmaro
