#include "ui/power_manage_button.h"

#include <QPolygon>

namespace velmaro {

namespace {

// Outer corners of each wedge in unscaled dial pixels, for values 1..10.
// Values 1 and 2 cannot be picked: their wedges are slivers.
struct WedgePoints {
    int x1, y1, x2, y2;
};
constexpr WedgePoints kWedges[10] = {
    {0, 0, 1, 1},    {0, 0, 1, 1},     {3, 71, 7, 51},     {7, 51, 17, 32},    {17, 32, 40, 13},
    {40, 13, 70, 5}, {70, 5, 100, 14}, {100, 14, 121, 31}, {121, 31, 131, 51}, {131, 51, 134, 71},
};
constexpr int kCentreX = 70;
constexpr int kCentreY = 71;

}  // namespace

CPowerManageButton::CPowerManageButton(ControlHost* host, const Rect& rect, const QString& text,
                                       uint32_t align, bool pageVisible, bool visible,
                                       bool disabled)
    : CControlBase(host, kPowerManageId, rect, text, pageVisible, visible, disabled),
      align_(align) {
    BuildWedges();
}

void CPowerManageButton::BuildWedges() {
    const double s = Scale();
    const int l = rect_.left;
    const int t = rect_.top;
    const QPoint centre(l + int(kCentreX * s), t + int(kCentreY * s));
    for (size_t v = 0; v < wedges_.size(); ++v) {
        const WedgePoints& w = kWedges[v];
        QPolygon tri;
        tri << QPoint(l + int(w.x1 * s), t + int(w.y1 * s))
            << QPoint(l + int(w.x2 * s), t + int(w.y2 * s)) << centre;
        wedges_[v] = QRegion(tri, Qt::OddEvenFill);
    }
}

void CPowerManageButton::SetRect(int left, int top, int right, int bottom) {
    CControlBase::SetRect(left, top, right, bottom);
    BuildWedges();
}

void CPowerManageButton::SetValueImage(int value, const QString& path) {
    if (value >= 1 && value <= 10) {
        images_[size_t(value - 1)].SetFile(Pictures(), path);
    }
}

int CPowerManageButton::WedgeAt(int x, int y) const {
    for (int v = 3; v <= 10; ++v) {
        if (wedges_[size_t(v - 1)].contains(QPoint(x, y))) {
            return v;
        }
    }
    return 0;
}

void CPowerManageButton::Draw(QPainter& dc, const Rect&) {
    if (value_ < 1 || value_ > 10) {
        return;
    }
    const SkinImage& img = images_[size_t(value_ - 1)];
    if (!img.IsNull()) {
        DrawSkinImage(dc, img.Image(), rect_.ToQRect());
    }
}

bool CPowerManageButton::OnMouseMove(uint32_t, int x, int y) {
    return TrackHover(x, y);
}

bool CPowerManageButton::OnLButtonDown(uint32_t, int x, int y) {
    if (disabled_ || !Inside(x, y)) {
        return false;
    }
    const bool changed = SetState(2);
    Notify(0, NotifyDown);
    return changed;
}

bool CPowerManageButton::OnLButtonUp(uint32_t, int x, int y) {
    if (disabled_) {
        return false;
    }
    if (!Inside(x, y)) {
        return SetState(0);
    }
    const int picked = WedgeAt(x, y);
    if (picked == 0) {
        // Between the wedges: the time stays, the press is over.
        return SetState(1);
    }
    const bool changed = SetState(1) || picked != value_;
    value_ = picked;
    Notify(0, NotifyClick);
    return changed;
}

void CPowerManageButton::ReleaseImages() {
    for (SkinImage& img : images_) {
        img.Release();
    }
}

}  // namespace velmaro
