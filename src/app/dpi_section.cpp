#include "app/dpi_section.h"

#include "app/color_palette_dlg.h"
#include "app/dpi_value_setting_dlg.h"
#include "app/main_window.h"
#include "skin_layout.h"
#include "ui/check_button.h"
#include "ui/color_select_button.h"
#include "ui/dpi_radio_button.h"
#include "ui/dpi_value_show_control.h"
#include "ui/vertical_slider_control.h"

namespace velmaro {

namespace layout = velmaro::skin_layout;

namespace {

// Levels 5..7 sit beyond the fifth, hidden.
constexpr int kBarPad = 12;
// A bar shows this value until the first refresh.
constexpr int kBarStartValue = 4;

int LevelOf(uint32_t msg, uint32_t first) {
    return msg >= first && msg < first + kDpiLevels ? int(msg - first) : -1;
}

}  // namespace

void CDpiSection::InitUI() {
    CKorvaneDlg& w = Window();
    UiContext& ui = w.Ui();
    auto L = [&](const layout::Rect& r) {
        return ui.ScaledRect(r.left, r.top, r.right(), r.bottom());
    };
    auto skin = [&](const QString& file) { return ui.SkinFile(file); };
    const int steps = int(w.State().Sensor.StepCount);
    for (int k = 0; k < kDpiLevels; ++k) {
        const uint32_t level = uint32_t(k);
        const bool shown = k < kShownDpiLevels;

        auto* box = w.MakeControl<CCheckButton>(kLayer, kDpiEnableBoxId + level,
                                                L(layout::DpiEnableBox(k)), QString());
        box->SetImages(skin("check_button_dpi_nr.png"), skin("check_button_dpi_ov.png"),
                       skin("check_button_dpi_dn.png"));

        const Rect swatch = L(layout::DpiSwatch(k));
        w.MakeControl<CColorSelectButton>(kLayer, kDpiSwatchId + level, swatch, QString(), swatch);

        auto* bar =
            w.MakeControl<CDPIValueShowControl>(kLayer, kDpiBarId + level, L(layout::DpiBar(k)),
                                                QString(), steps, w.Px(kBarPad), w.Px(kBarPad));
        bar->SetBackgroundImage(skin("mouse/dpi_bar_1.png"));
        bar->SetFillImage(skin("mouse/dpi_bar_2.png"));
        bar->SetValue(kBarStartValue);

        // Kept for the layout of the levels; nothing ever shows it.
        auto* drag = w.MakeControl<CVerticalSliderControl>(kLayer, kDpiDragBarId + level,
                                                           L(layout::DpiBar(k)), QString(), steps,
                                                           w.Px(kBarPad), w.Px(kBarPad));
        drag->SetBackgroundImage(skin("mouse/dpi_bar_1.png"));
        drag->SetFillImage(skin("mouse/dpi_bar_2.png"));
        drag->SetVisible(false);

        auto* number = w.MakeControl<CDPIRadioButton>(kLayer, kDpiNumberId + level,
                                                      L(layout::DpiNumber(k)), QString());
        number->SetImages(skin("dpi_value.png"), skin("dpi_value.png"), skin("dpi_value.png"));
        number->SetFont(w.Px(11), "Tahoma");
        number->SetTextColor(kDpiNumberColor);

        if (!shown) {
            for (uint32_t id : {kDpiEnableBoxId, kDpiSwatchId, kDpiBarId, kDpiNumberId}) {
                if (CControlBase* c = w.FindControl(id + level))
                    c->SetVisible(false);
            }
        }
    }
}

void CDpiSection::Refresh(const ProfileRecord& profile) {
    CKorvaneDlg& w = Window();
    const SensorTables& sensor = w.State().Sensor;
    const uint8_t mask = profile.DPIOffOnFlagValue;
    ordinal_ = profile.CurrentDPILevelValue;
    highlighted_ = AbsoluteDpiLevel(mask, ordinal_);
    for (int k = 0; k < kDpiLevels; ++k) {
        const uint32_t level = uint32_t(k);
        const bool on = ((mask >> k) & 1) != 0;
        const uint32_t step = sensor.ClampStep(profile.XYSettingValue[size_t(k)]);
        if (auto* box = w.FindControlAs<CCheckButton>(kDpiEnableBoxId + level))
            box->SetChecked(on);
        if (auto* number = w.FindControlAs<CDPIRadioButton>(kDpiNumberId + level)) {
            number->SetTextColor(k == highlighted_ ? kDpiCurrentNumberColor : kDpiNumberColor);
            number->SetValue(sensor.StepCount > 0 ? int(sensor.StepValues[step]) : 0);
            number->SetDisabled(!on);
        }
        if (auto* swatch = w.FindControlAs<CColorSelectButton>(kDpiSwatchId + level))
            swatch->SetColor(profile.DPILevelIndication[size_t(k)]);
        if (auto* bar = w.FindControlAs<CVerticalSliderControl>(kDpiBarId + level))
            bar->SetValue(int(profile.XYSettingValue[size_t(k)]));
    }
}

void CDpiSection::Collect(ProfileRecord& profile) {
    CKorvaneDlg& w = Window();
    uint8_t mask = 0;
    bool found = false;
    for (int k = 0; k < kDpiLevels; ++k) {
        if (auto* box = w.FindControlAs<CCheckButton>(kDpiEnableBoxId + uint32_t(k))) {
            found = true;
            if (box->Checked())
                mask = uint8_t(mask | (1u << k));
        }
    }
    if (!found)
        return;
    profile.DPIOffOnFlagValue = mask;
    profile.CurrentDPILevelValue = uint8_t(ordinal_);
}

void CDpiSection::SensorChanged(bool) {
    CKorvaneDlg& w = Window();
    const int steps = int(w.State().Sensor.StepCount);
    for (int k = 0; k < kDpiLevels; ++k) {
        for (uint32_t id : {kDpiBarId, kDpiDragBarId}) {
            if (auto* bar = w.FindControlAs<CVerticalSliderControl>(id + uint32_t(k)))
                bar->SetMaximum(steps);
        }
    }
}

bool CDpiSection::OnMessage(uint32_t msg, uintptr_t, intptr_t lParam) {
    if (const int k = LevelOf(msg, kDpiEnableBoxId); k >= 0) {
        if (lParam == NotifyClick)
            OnEnableBox(k);
        return true;
    }
    if (const int k = LevelOf(msg, kDpiSwatchId); k >= 0) {
        if (lParam == NotifyClick)
            OnSwatch(k);
        return true;
    }
    if (const int k = LevelOf(msg, kDpiBarId); k >= 0) {
        if (lParam == NotifyClick)
            OnBar(k);
        return true;
    }
    // The numbers and the hidden drag bars report; nothing follows.
    return LevelOf(msg, kDpiNumberId) >= 0 || LevelOf(msg, kDpiDragBarId) >= 0;
}

void CDpiSection::OnEnableBox(int level) {
    CKorvaneDlg& w = Window();
    auto* box = w.FindControlAs<CCheckButton>(kDpiEnableBoxId + uint32_t(level));
    if (box == nullptr)
        return;
    // The box has toggled already.
    const bool on = box->Checked();
    const EditResult result =
        w.ApplyEditAndCollect([&](ProfileRecord& p) { return EditDpiLevelEnabled(p, level, on); });
    if (!result.Accepted()) {
        // The last enabled level stays on.
        box->SetChecked(!on);
        w.InvalidateRect(box->GetRect());
    }
}

void CDpiSection::OnSwatch(int level) {
    CKorvaneDlg& w = Window();
    if (level >= kShownDpiLevels)
        return;
    CColorPaletteDlg palette(w.Ui(), w.State().Language,
                             w.Profile().DPILevelIndication[size_t(level)], &w, &w);
    if (w.RunModal(palette) != QDialog::Accepted)
        return;
    const ColorRef color = palette.SelectedColor();
    w.ApplyEdit([&](ProfileRecord& p) { return EditDpiLevelColor(p, level, color); });
}

void CDpiSection::OnBar(int level) {
    CKorvaneDlg& w = Window();
    auto* bar = w.FindControlAs<CVerticalSliderControl>(kDpiBarId + uint32_t(level));
    const SensorTables& sensor = w.State().Sensor;
    // Without a step table there is nothing to choose from.
    if (bar == nullptr || sensor.StepCount == 0 || level >= kShownDpiLevels)
        return;
    CDPIValueSettingDlg dialog(w.Ui(), w.State().Language, sensor, *bar, &w);
    if (w.RunModal(dialog) != QDialog::Accepted)
        return;
    const int step = bar->Value();
    w.ApplyEdit([&](ProfileRecord& p) { return EditDpiLevelStep(p, sensor, level, step); });
}

}  // namespace velmaro
