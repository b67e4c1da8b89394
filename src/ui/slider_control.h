// A horizontal slider with n discrete steps. The thumb follows the pointer
// freely while dragged and snaps to the nearest step on release; every drag
// move reports (id, step, NotifyDrag).
#pragma once

#include <vector>

#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace velmaro {

class CSliderControl : public CControlBase {
  public:
    // leftPad / rightPad: from the rectangle's edges to the first / last step
    // (client pixels); the thumb spans pos - leftPad .. pos + rightPad.
    CSliderControl(ControlHost* host, uint32_t id, const Rect& rect, const QString& text, int steps,
                   int leftPad, int rightPad, bool pageVisible = true, bool visible = true,
                   bool disabled = false);

    void SetThumbImage(const QString& path);
    // Moves the thumb to `step` (clamped to the steps). No repaint.
    void SetPos(int step);
    int GetPos() const { return step_; }
    int StepCount() const { return int(positions_.size()); }
    int StepPosition(int step) const { return positions_.at(size_t(step)); }
    // The first step whose midpoint to the next lies right of x, else the last.
    int NearestStep(int x) const;
    bool Dragging() const { return dragging_; }
    Rect ThumbRect() const { return thumbRect_; }

    // A move the host forwards while the pointer is outside the control
    // during a drag; same as a move over it. Returns whether it dragged.
    bool OnDragOutside(uint32_t flags, int x, int y);

    void SetRect(int left, int top, int right, int bottom) override;
    using CControlBase::SetRect;

    void Draw(QPainter& dc, const Rect& updateRect) override;
    bool OnMouseMove(uint32_t flags, int x, int y) override;
    bool OnLButtonDown(uint32_t flags, int x, int y) override;
    bool OnLButtonUp(uint32_t flags, int x, int y) override;
    void ReleaseImages() override { thumb_.Release(); }

  private:
    void ComputePositions();
    bool DragTo(int x);

    SkinImage thumb_;
    int leftPad_;
    int rightPad_;
    int stepCount_;
    int step_ = 0;
    int thumbX_ = 0;
    bool dragging_ = false;
    std::vector<int> positions_;
    Rect thumbRect_;
};

}  // namespace velmaro
