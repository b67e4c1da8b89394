#include "app/settings_sections.h"

#include <QPainter>

#include "app/debounce_section.h"
#include "app/dpi_section.h"
#include "app/lift_off_section.h"
#include "app/lighting_section.h"
#include "app/main_window.h"
#include "app/pointer_section.h"
#include "app/rate_section.h"
#include "ui/check_button.h"
#include "ui/skin_image.h"

namespace velmaro {

const std::array<SectionInfo, kSectionCount> kSections = {{
    {Section::Dpi, kDpiHeaderId, 11, CDpiSection::kLayer, true, 196},
    {Section::Lighting, kLightingHeaderId, 12, CLightingSection::kLayer, true, 180},
    {Section::Rate, kRateHeaderId, 13, CRateSection::kLayer, false, 180},
    {Section::LiftOff, kLiftOffHeaderId, 19, CLiftOffSection::kLayer, false, 85},
    {Section::Pointer, kPointerHeaderId, 14, CPointerSection::kLayer, false, 110},
    {Section::Debounce, kDebounceHeaderId, 272, CDebounceSection::kLayer, false, 0},
}};

const SectionInfo& InfoOf(Section section) {
    return kSections[size_t(section)];
}

namespace {

using S = Section;

struct CloseRule {
    // The first rule whose condition is open decides; kNone always holds.
    int IfOpen;
    std::initializer_list<Section> Close;
};
constexpr int kAlways = -1;

// For each section opened: the rules in the order they are tried.
const std::array<std::initializer_list<CloseRule>, kSectionCount> kCloseTable = {{
    // DPI
    {{int(S::Lighting), {S::Rate, S::LiftOff, S::Debounce, S::Pointer}},
     {int(S::Rate), {S::LiftOff, S::Debounce, S::Pointer}},
     {int(S::LiftOff), {S::Debounce, S::Pointer}},
     {kAlways, {}}},
    // lighting
    {{int(S::Dpi), {S::Rate, S::LiftOff, S::Debounce, S::Pointer}},
     {int(S::Rate), {S::LiftOff, S::Debounce, S::Pointer}},
     {int(S::LiftOff), {S::Debounce, S::Pointer}},
     {kAlways, {}}},
    // report rate
    {{int(S::Dpi), {S::Lighting, S::LiftOff, S::Debounce, S::Pointer}},
     {int(S::Lighting), {S::LiftOff, S::Debounce, S::Pointer}},
     {int(S::LiftOff), {S::Debounce, S::Pointer}},
     {kAlways, {}}},
    // lift-off
    {{int(S::Dpi), {S::Lighting, S::Rate, S::Debounce, S::Pointer}},
     {int(S::Lighting), {S::Rate, S::Debounce, S::Pointer}},
     {int(S::Rate), {S::Pointer, S::Debounce}},
     {kAlways, {}}},
    // pointer
    {{int(S::Dpi), {S::Lighting, S::LiftOff, S::Debounce, S::Rate}},
     {int(S::Lighting), {S::Rate, S::LiftOff, S::Debounce}},
     {int(S::Rate), {S::LiftOff, S::Debounce}},
     {kAlways, {}}},
    // debounce
    {{int(S::Dpi), {S::Lighting, S::Rate, S::LiftOff, S::Pointer}},
     {int(S::Lighting), {S::Rate, S::LiftOff, S::Pointer}},
     {int(S::Rate), {S::LiftOff, S::Pointer}},
     {kAlways, {}}},
}};

}  // namespace

SectionSet SectionsToClose(Section opened, const SectionSet& open) {
    SectionSet close{};
    for (const CloseRule& rule : kCloseTable[size_t(opened)]) {
        if (rule.IfOpen != kAlways && !open[size_t(rule.IfOpen)])
            continue;
        for (Section s : rule.Close)
            close[size_t(s)] = true;
        break;
    }
    return close;
}

std::array<int, kSectionCount> HeaderTops(const SectionSet& open, bool liftOffShown) {
    auto is = [&](Section s) { return open[size_t(s)] ? 1 : 0; };
    std::array<int, kSectionCount> tops{};
    const int dpi = 196 * is(S::Dpi);
    const int lighting = 180 * is(S::Lighting);
    const int rate = 180 * is(S::Rate);
    tops[size_t(S::Dpi)] = 37;
    tops[size_t(S::Lighting)] = 67 + dpi;
    tops[size_t(S::Rate)] = 97 + dpi + lighting;
    tops[size_t(S::LiftOff)] = liftOffShown ? 127 + dpi + lighting + rate : -1;
    tops[size_t(S::Pointer)] = (liftOffShown ? 157 : 127) + dpi + lighting + rate +
                               85 * is(S::LiftOff) + 85 * is(S::Debounce);
    tops[size_t(S::Debounce)] = -1;
    return tops;
}

void CSettingsSections::InitUI() {
    CKorvaneDlg& w = Window();
    UiContext& ui = w.Ui();
    const bool extended = w.State().Sensor.ExtendedSensorFlag == 1;
    SectionSet open{};
    for (const SectionInfo& info : kSections)
        open[size_t(info.Which)] = info.OpenAtStart;
    const auto tops = HeaderTops(open, extended);
    int nextTop = 37;
    for (const SectionInfo& info : kSections) {
        const int top = tops[size_t(info.Which)] >= 0 ? tops[size_t(info.Which)] : nextTop;
        nextTop = top + 30;
        auto* header = w.MakeControl<CCheckButton>(
            0, info.HeaderId,
            ui.ScaledRect(kColumnLeft, top, kColumnLeft + kColumnWidth, top + kHeaderHeight),
            w.Text(info.Caption));
        header->SetImages(ui.SkinFile("header_nr.png"), ui.SkinFile("header_ov.png"),
                          ui.SkinFile("header_ov.png"));
        header->SetCheckedColor();
        header->SetTextMargin(w.Px(12));
        header->SetChecked(info.OpenAtStart);
    }
    if (auto* debounce = w.FindControl(kDebounceHeaderId))
        debounce->SetPageVisible(false);
    if (auto* liftOff = w.FindControl(kLiftOffHeaderId))
        liftOff->SetPageVisible(extended);

    const QImage frame = ReadPicture(ui.SkinFile("Frame_Lighting_Setting.bmp"));
    if (!frame.isNull())
        framePiece_ = frame.copy(0, 0, 230, 82).convertToFormat(QImage::Format_RGB32);
    ShowLayers();
}

bool CSettingsSections::IsOpen(Section section) const {
    auto* header = Window().FindControlAs<CCheckButton>(InfoOf(section).HeaderId);
    return header != nullptr && header->Checked();
}

bool CSettingsSections::IsHeaderShown(Section section) const {
    CControlBase* header = Window().FindControl(InfoOf(section).HeaderId);
    return header != nullptr && header->PageVisible();
}

Rect CSettingsSections::HeaderRect(Section section) const {
    CControlBase* header = Window().FindControl(InfoOf(section).HeaderId);
    return header != nullptr ? header->GetRect() : kNoRect;
}

void CSettingsSections::SetOpen(Section section, bool open) {
    auto* header = Window().FindControlAs<CCheckButton>(InfoOf(section).HeaderId);
    if (header == nullptr)
        return;
    header->SetChecked(open);
    if (open) {
        SectionSet now{};
        for (const SectionInfo& info : kSections)
            now[size_t(info.Which)] = IsOpen(info.Which);
        const SectionSet close = SectionsToClose(section, now);
        for (const SectionInfo& info : kSections) {
            if (!close[size_t(info.Which)])
                continue;
            if (auto* other = Window().FindControlAs<CCheckButton>(info.HeaderId))
                other->SetChecked(false);
        }
    }
    ShowLayers();
    Window().RefreshControls();
    Window().InvalidateAll();
}

bool CSettingsSections::OnMessage(uint32_t msg, uintptr_t, intptr_t lParam) {
    for (const SectionInfo& info : kSections) {
        if (info.HeaderId != msg)
            continue;
        if (lParam == NotifyClick) {
            // The header has already toggled itself.
            SetOpen(info.Which, IsOpen(info.Which));
        }
        return true;
    }
    return false;
}

void CSettingsSections::SensorChanged(bool extended) {
    if (auto* liftOff = Window().FindControl(kLiftOffHeaderId))
        liftOff->SetPageVisible(extended);
    ShowLayers();
    Window().InvalidateAll();
}

void CSettingsSections::ShowLayers() {
    for (const SectionInfo& info : kSections) {
        bool visible = IsOpen(info.Which);
        // A section whose header is hidden stays hidden, open or not.
        if (info.Which == Section::LiftOff || info.Which == Section::Debounce)
            visible = visible && IsHeaderShown(info.Which);
        Window().SetLayerVisible(info.Layer, visible);
    }
}

void CSettingsSections::LayOut(QPainter* dc) {
    CKorvaneDlg& w = Window();
    SectionSet open{};
    for (const SectionInfo& info : kSections)
        open[size_t(info.Which)] = IsOpen(info.Which) && IsHeaderShown(info.Which);
    // The debounce section counts in the layout although its header is never shown.
    open[size_t(Section::Debounce)] = IsOpen(Section::Debounce);
    const auto tops = HeaderTops(open, IsHeaderShown(Section::LiftOff));
    for (const SectionInfo& info : kSections) {
        const int top = tops[size_t(info.Which)];
        if (top < 0)
            continue;
        if (info.Which != Section::Dpi) {
            if (CControlBase* header = w.FindControl(info.HeaderId)) {
                const Rect r = w.Ui().ScaledRect(kColumnLeft, top, kColumnLeft + kColumnWidth,
                                                 top + kHeaderHeight);
                header->SetRect(r.left, r.top, r.right, r.bottom);
            }
        }
        const int originY = top + kHeaderHeight;
        if (dc != nullptr && open[size_t(info.Which)] && info.FrameHeight > 0 &&
            !framePiece_.isNull()) {
            const QRect target(w.Px(kColumnLeft), w.Px(originY), w.Px(kColumnWidth),
                               w.Px(info.FrameHeight));
            dc->drawImage(target, framePiece_);
        }
        switch (info.Which) {
            case Section::Lighting:
                w.Lighting().PlaceAt(kColumnLeft, originY);
                break;
            case Section::Rate:
                w.Rate().PlaceAt(kColumnLeft, originY);
                break;
            case Section::LiftOff:
                w.LiftOff().PlaceAt(kColumnLeft, originY);
                break;
            case Section::Pointer:
                w.Pointer().PlaceAt(kColumnLeft, originY);
                break;
            default:
                break;
        }
    }
}

}  // namespace velmaro
