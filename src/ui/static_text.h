// A caption on the window (labels, values, percentages). Never takes the
// mouse. Drawn with the alignment plus vertical centring and word ellipsis;
// vertical centring applies to single-line layouts only, so a static text
// starts at the top of its rectangle.
#pragma once

#include "ui/control_base.h"

namespace velmaro {

class CStaticText : public CControlBase {
  public:
    CStaticText(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                ColorRef color = kTextNormal, uint32_t align = kDtLeft, bool pageVisible = true,
                bool visible = true, bool disabled = true);

    void SetColor(ColorRef color) { color_ = color; }
    ColorRef Color() const { return color_; }
    void SetAlignment(uint32_t align) { align_ = align; }

    void Draw(QPainter& dc, const Rect& updateRect) override;

  private:
    ColorRef color_;
    uint32_t align_;
};

}  // namespace velmaro
