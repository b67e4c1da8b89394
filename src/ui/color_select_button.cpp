#include "ui/color_select_button.h"

namespace velmaro {

CColorSelectButton::CColorSelectButton(ControlHost* host, uint32_t id, const Rect& rect,
                                       const QString& text, const Rect& swatch, bool pageVisible,
                                       bool visible, bool disabled)
    : CControlBase(host, id, rect, text, pageVisible, visible, disabled), swatch_(swatch) {}

void CColorSelectButton::Draw(QPainter& dc, const Rect&) {
    dc.fillRect(swatch_.ToQRect(), ToQColor(color_));
}

bool CColorSelectButton::OnMouseMove(uint32_t, int x, int y) {
    return TrackHover(x, y);
}

bool CColorSelectButton::OnLButtonDown(uint32_t, int x, int y) {
    return PressDown(x, y);
}

bool CColorSelectButton::OnLButtonUp(uint32_t, int x, int y) {
    return PressUp(x, y);
}

}  // namespace velmaro
