// A colour swatch (a DPI level's indicator colour): a solid rectangle that
// reports presses and clicks.
#pragma once

#include "ui/control_base.h"

namespace velmaro {

class CColorSelectButton : public CControlBase {
  public:
    // swatch: the filled rectangle, in client coordinates.
    CColorSelectButton(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                       const Rect& swatch, bool pageVisible = true, bool visible = true,
                       bool disabled = false);

    void SetColor(ColorRef color) { color_ = color; }
    ColorRef Color() const { return color_; }
    void SetSwatch(const Rect& swatch) { swatch_ = swatch; }
    Rect Swatch() const { return swatch_; }

    void Draw(QPainter& dc, const Rect& updateRect) override;
    bool OnMouseMove(uint32_t flags, int x, int y) override;
    bool OnLButtonDown(uint32_t flags, int x, int y) override;
    bool OnLButtonUp(uint32_t flags, int x, int y) override;

  private:
    Rect swatch_;
    ColorRef color_ = 0x00FF00;
};

}  // namespace velmaro
