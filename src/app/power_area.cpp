#include "app/power_area.h"

#include "app/main_window.h"
#include "model/profile_edits.h"
#include "skin_layout.h"
#include "ui/check_button.h"
#include "ui/power_manage_button.h"
#include "ui/static_image.h"
#include "ui/static_text.h"

namespace velmaro {

namespace layout = velmaro::skin_layout;

namespace {

constexpr ColorRef kTextColor = 0xB4B4B4;
// LanguageTable entries.
constexpr int kSleepBefore = 266;
constexpr int kSleepAfter = 267;
constexpr int kMoveLightingCaption = 268;
constexpr int kMotionWakeupCaption = 269;
constexpr int kFirstLegendCaption = 273;  // high, medium, low
constexpr const char* kLegendImages[3] = {"battery_green.png", "battery_orange.png",
                                          "battery_red.png"};

}  // namespace

void CPowerArea::InitUI() {
    CKorvaneDlg& w = Window();
    UiContext& ui = w.Ui();
    auto R = [&](const layout::Rect& r) {
        return ui.ScaledRect(r.left, r.top, r.right(), r.bottom());
    };

    auto* dial = w.MakeControl<CPowerManageButton>(kLayer, R(layout::kSleepDial), QString());
    for (int minutes = 3; minutes <= 10; ++minutes)
        dial->SetValueImage(minutes, ui.SkinFile(QString("power_manage_%1min.png").arg(minutes)));
    w.MakeControl<CStaticText>(kLayer, kSleepTextId, R(layout::kSleepText), QString(), kTextColor,
                               kDtCenter);

    struct Box {
        uint32_t Id;
        layout::Rect Place;
        layout::Rect CaptionPlace;
        int Caption;
    };
    for (const Box& b : {Box{kMoveLightingBoxId, layout::kMoveLightingBox,
                             layout::kMoveLightingText, kMoveLightingCaption},
                         Box{kMotionWakeupBoxId, layout::kMotionWakeupBox,
                             layout::kMotionWakeupText, kMotionWakeupCaption}}) {
        auto* box = w.MakeControl<CCheckButton>(kLayer, b.Id, R(b.Place), QString());
        box->SetImages(ui.SkinFile("check_nr.png"), ui.SkinFile("check_ov.png"),
                       ui.SkinFile("check_dn.png"));
        w.MakeControl<CStaticText>(kLayer, kCaptionId, R(b.CaptionPlace), w.Text(b.Caption),
                                   kTextColor);
    }

    for (int i = 0; i < 3; ++i) {
        auto* chip = w.MakeControl<CStaticImage>(kLayer, kLegendImageId,
                                                 R(layout::BatteryLegendImage(i)), QString());
        chip->SetImage(ui.SkinFile(kLegendImages[i]));
        w.MakeControl<CStaticText>(kLayer, kCaptionId, R(layout::BatteryLegendText(i)),
                                   w.Text(kFirstLegendCaption + i), kTextColor);
    }
}

bool CPowerArea::OnMessage(uint32_t msg, uintptr_t, intptr_t lParam) {
    CKorvaneDlg& w = Window();
    switch (msg) {
        case kSleepDialId:
            if (lParam == NotifyClick) {
                if (auto* dial = w.FindControlAs<CPowerManageButton>(kSleepDialId)) {
                    const int minutes = dial->Value();
                    w.ApplyEdit([minutes](ProfileRecord& profile) {
                        return EditSleepTime(profile, minutes);
                    });
                }
            }
            return true;
        case kMoveLightingBoxId:
        case kMotionWakeupBoxId:
            if (lParam == NotifyClick) {
                // The box has already toggled itself.
                if (auto* box = w.FindControlAs<CCheckButton>(msg)) {
                    const bool on = box->Checked();
                    const bool move = msg == kMoveLightingBoxId;
                    w.ApplyEdit([on, move](ProfileRecord& profile) {
                        return move ? EditMoveLighting(profile, on) : EditMotionWakeup(profile, on);
                    });
                }
            }
            return true;
        default:
            return false;
    }
}

void CPowerArea::Refresh(const ProfileRecord& profile) {
    CKorvaneDlg& w = Window();
    if (auto* box = w.FindControlAs<CCheckButton>(kMoveLightingBoxId))
        box->SetChecked(profile.Setting(kMoveLightingOnOffMode) == u"1");
    if (auto* box = w.FindControlAs<CCheckButton>(kMotionWakeupBoxId))
        box->SetChecked(profile.Setting(kMotionWakeup) == u"1");
    const int minutes = profile.SettingNumber(kPowerDownTime);
    if (auto* dial = w.FindControlAs<CPowerManageButton>(kSleepDialId))
        dial->SetValue(minutes);
    if (CControlBase* text = w.FindControl(kSleepTextId))
        text->SetText(w.Text(kSleepBefore) + QString::number(minutes) + w.Text(kSleepAfter));
}

}  // namespace velmaro
