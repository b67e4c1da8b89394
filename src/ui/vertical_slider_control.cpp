#include "ui/vertical_slider_control.h"

#include <algorithm>

namespace velmaro {

CVerticalSliderControl::CVerticalSliderControl(ControlHost* host, uint32_t id, const Rect& rect,
                                               const QString& text, int maximum, int bottomPad,
                                               int topPad, bool pageVisible, bool visible,
                                               bool disabled)
    : CControlBase(host, id, rect, text, pageVisible, visible, disabled),
      maximum_(maximum),
      bottomPad_(bottomPad),
      topPad_(topPad) {}

int CVerticalSliderControl::ValueAt(int y) const {
    const int height = rect_.Height();
    if (height <= 0) {
        return 0;
    }
    int yy = std::clamp(y, rect_.top, rect_.bottom);
    if (yy != rect_.bottom) {
        yy += 1;
    }
    return ((rect_.bottom - yy) * maximum_) / height;
}

int CVerticalSliderControl::FillTop() const {
    if (maximum_ <= 0) {
        return rect_.bottom;
    }
    const int h = std::clamp(rect_.Height() * (value_ + 1) / maximum_, 0, rect_.Height());
    int top = rect_.bottom - h;
    // At a magnified scale an odd fill would end between two image rows.
    if (Scale() > 1 && h % 2 == 1) {
        top -= 1;
    }
    return std::max(top, rect_.top);
}

void CVerticalSliderControl::Draw(QPainter& dc, const Rect&) {
    const double s = Scale();
    if (!background_.IsNull()) {
        DrawSkinImage(dc, background_.Image(),
                      QRect(rect_.left, rect_.top, int(background_.Width() * s),
                            int(background_.Height() * s)));
    }
    if (fill_.IsNull()) {
        return;
    }
    const int top = FillTop();
    const int shown = rect_.bottom - top;
    if (shown <= 0) {
        return;
    }
    // The bottom part of the fill picture, at the UI scale.
    const int w = int(fill_.Width() * s);
    const double srcRows = std::min(double(fill_.Height()), shown / s);
    const QRectF src(0, fill_.Height() - srcRows, fill_.Width(), srcRows);
    dc.setRenderHint(QPainter::SmoothPixmapTransform, false);
    dc.drawImage(QRectF(rect_.left, top, w, shown), fill_.Image(), src);
}

bool CVerticalSliderControl::OnMouseMove(uint32_t, int x, int y) {
    if (disabled_) {
        return false;
    }
    if (dragging_) {
        value_ = ValueAt(y);
        Invalidate();
        Notify(uintptr_t(value_), NotifyDrag);
        return true;
    }
    return TrackHover(x, y);
}

bool CVerticalSliderControl::OnLButtonDown(uint32_t, int x, int y) {
    if (disabled_ || !Inside(x, y)) {
        return false;
    }
    const bool changed = SetState(2);
    dragging_ = true;
    Notify(0, NotifyDown);
    return changed;
}

bool CVerticalSliderControl::OnLButtonUp(uint32_t, int x, int y) {
    dragging_ = false;
    if (disabled_) {
        return false;
    }
    if (!Inside(x, y)) {
        return SetState(0);
    }
    const bool changed = SetState(1);
    Notify(0, NotifyClick);
    return changed;
}

void CVerticalSliderControl::ReleaseImages() {
    background_.Release();
    fill_.Release();
}

}  // namespace velmaro
