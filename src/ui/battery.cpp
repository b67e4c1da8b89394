#include "ui/battery.h"

#include <algorithm>

namespace velmaro {

CBattery::CBattery(ControlHost* host, const Rect& rect, const QString& text, bool pageVisible,
                   bool visible, bool)
    : CControlBase(host, kBatteryId, rect, text, pageVisible, visible, true) {}

void CBattery::SetImages(const QString& full, const QString& empty, const QString& charging,
                         const QString& bolt) {
    SetFullImage(full);
    SetEmptyImage(empty);
    SetChargingImage(charging);
    SetBoltImage(bolt);
}

CBattery::FillGeometry CBattery::FillFor(int percent) const {
    const double s = Scale();
    // Even an almost empty battery shows one row.
    const int fill = std::max(1, percent * kInnerHeight / 100);
    int y = rect_.top + int((kTopMargin + kInnerHeight - fill) * s);
    if (s > 1 && (rect_.bottom - y) % 2 == 1) {
        y -= 1;
    }
    const int sy = full_.Height() - int((rect_.bottom - y) / s);
    return FillGeometry{y, sy};
}

void CBattery::DrawPartial(QPainter& dc, const SkinImage& image, int percent) const {
    if (image.IsNull() || full_.Height() <= 0) {
        return;
    }
    const double s = Scale();
    const FillGeometry g = FillFor(percent);
    const int rows = full_.Height() - g.SourceTop;
    if (rows <= 0) {
        return;
    }
    DrawSkinImage(dc, image.Image(), QRect(0, g.SourceTop, full_.Width(), rows),
                  QRect(rect_.left, g.DestTop, int(full_.Width() * s), int(rows * s)));
}

void CBattery::Draw(QPainter& dc, const Rect&) {
    const QRect whole = rect_.ToQRect();
    switch (mode_) {
        case OnBattery:
            if (!empty_.IsNull()) {
                DrawSkinImage(dc, empty_.Image(), whole);
            }
            DrawPartial(dc, full_, level_);
            break;
        case Charging:
            DrawPartial(dc, charging_, animation_);
            if (!bolt_.IsNull()) {
                DrawSkinImage(dc, bolt_.Image(), whole);
            }
            break;
        default:
            if (!full_.IsNull()) {
                DrawSkinImage(dc, full_.Image(), whole);
            }
            if (!bolt_.IsNull()) {
                DrawSkinImage(dc, bolt_.Image(), whole);
            }
            break;
    }
}

void CBattery::ReleaseImages() {
    full_.Release();
    empty_.Release();
    charging_.Release();
    bolt_.Release();
}

}  // namespace velmaro
