#include "ui/slider_control.h"

#include <algorithm>

namespace velmaro {

CSliderControl::CSliderControl(ControlHost* host, uint32_t id, const Rect& rect,
                               const QString& text, int steps, int leftPad, int rightPad,
                               bool pageVisible, bool visible, bool disabled)
    : CControlBase(host, id, rect, text, pageVisible, visible, disabled),
      leftPad_(leftPad),
      rightPad_(rightPad),
      stepCount_(std::max(1, steps)) {
    ComputePositions();
    SetPos(0);
}

void CSliderControl::ComputePositions() {
    const int n = stepCount_;
    const int usable = rect_.Width() - leftPad_ - rightPad_;
    positions_.assign(size_t(n), 0);
    for (int i = 1; i < n - 1; ++i) {
        positions_[size_t(i)] = rect_.left + leftPad_ + (usable * i) / (n - 1);
    }
    positions_.back() = rect_.right - rightPad_;
    positions_.front() = rect_.left + leftPad_;
}

void CSliderControl::SetRect(int left, int top, int right, int bottom) {
    CControlBase::SetRect(left, top, right, bottom);
    ComputePositions();
    SetPos(step_);
}

void CSliderControl::SetThumbImage(const QString& path) {
    thumb_.SetFile(Pictures(), path);
}

void CSliderControl::SetPos(int step) {
    // Steps come from stored settings too; one outside the slider shows at its end.
    step_ = std::clamp(step, 0, StepCount() - 1);
    const int p = positions_[size_t(step_)];
    thumbRect_ = Rect{p - leftPad_, rect_.top, p + rightPad_, rect_.bottom};
}

int CSliderControl::NearestStep(int x) const {
    const int n = StepCount();
    for (int i = 0; i < n - 1; ++i) {
        if (x < (positions_[size_t(i)] + positions_[size_t(i + 1)]) / 2) {
            return i;
        }
    }
    return n - 1;
}

bool CSliderControl::DragTo(int x) {
    x = std::clamp(x, rect_.left, rect_.right);
    thumbX_ = x - leftPad_;
    step_ = NearestStep(x);
    Invalidate();
    Notify(uintptr_t(step_), NotifyDrag);
    return true;
}

bool CSliderControl::OnDragOutside(uint32_t, int x, int) {
    if (disabled_ || !dragging_ || (state_ != 1 && state_ != 2)) {
        return false;
    }
    return DragTo(x);
}

bool CSliderControl::OnMouseMove(uint32_t, int x, int y) {
    if (disabled_) {
        return false;
    }
    if (dragging_ && (state_ == 1 || state_ == 2)) {
        return DragTo(x);
    }
    return TrackHover(x, y);
}

bool CSliderControl::OnLButtonDown(uint32_t, int x, int y) {
    if (disabled_ || !Inside(x, y)) {
        return false;
    }
    SetState(2);
    if (thumbRect_.Contains(x, y)) {
        dragging_ = true;
    }
    thumbX_ = x - leftPad_;
    Notify(0, NotifyDown);
    return true;
}

bool CSliderControl::OnLButtonUp(uint32_t, int x, int y) {
    const bool wasDragging = dragging_;
    dragging_ = false;
    if (disabled_) {
        return false;
    }
    if (!Inside(x, y)) {
        // The thumb settles on the step the drag reached, where a press finds it.
        SetPos(step_);
        return SetState(0) || wasDragging;
    }
    SetState(1);
    SetPos(NearestStep(x));
    Notify(0, NotifyClick);
    return true;
}

void CSliderControl::Draw(QPainter& dc, const Rect&) {
    if (thumb_.IsNull()) {
        return;
    }
    const int w = int(thumb_.Width() * Scale());
    const int h = int(thumb_.Height() * Scale());
    int x = positions_[size_t(step_)] - leftPad_;
    if (dragging_) {
        x = std::clamp(thumbX_, rect_.left, std::max(rect_.left, rect_.right - w));
    }
    DrawSkinImage(dc, thumb_.Image(), QRect(x, rect_.top, w, h));
}

}  // namespace velmaro
