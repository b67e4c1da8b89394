// A vertical bar (the DPI value bars): a background picture with a fill
// picture rising from the bottom to (value + 1) / maximum of the height.
// Dragging over it reports (id, value, NotifyDrag).
#pragma once

#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace velmaro {

class CVerticalSliderControl : public CControlBase {
  public:
    CVerticalSliderControl(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                           int maximum, int bottomPad, int topPad, bool pageVisible = true,
                           bool visible = true, bool disabled = false);

    void SetBackgroundImage(const QString& path) { background_.SetFile(Pictures(), path); }
    void SetFillImage(const QString& path) { fill_.SetFile(Pictures(), path); }
    void SetValue(int value) { value_ = value; }
    int Value() const { return value_; }
    int Maximum() const { return maximum_; }
    // The sensor changed and with it the number of steps. No repaint.
    void SetMaximum(int maximum) { maximum_ = maximum; }
    // The value a pointer at height y stands for.
    int ValueAt(int y) const;
    // Top edge of the fill at the current value.
    int FillTop() const;
    bool Dragging() const { return dragging_; }

    void Draw(QPainter& dc, const Rect& updateRect) override;
    bool OnMouseMove(uint32_t flags, int x, int y) override;
    bool OnLButtonDown(uint32_t flags, int x, int y) override;
    bool OnLButtonUp(uint32_t flags, int x, int y) override;
    void ReleaseImages() override;

  protected:
    SkinImage background_;
    SkinImage fill_;
    int maximum_;
    int bottomPad_;
    int topPad_;
    int value_ = 0;
    bool dragging_ = false;
};

}  // namespace velmaro
