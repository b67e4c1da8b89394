#include "ui/color_select_check_button.h"

namespace velmaro {

CColorSelectCheckButton::CColorSelectCheckButton(ControlHost* host, uint32_t id, const Rect& rect,
                                                 const QString& text, const Rect& swatch,
                                                 bool pageVisible, bool visible, bool disabled)
    : CControlBase(host, id, rect, text, pageVisible, visible, disabled), swatch_(swatch) {}

void CColorSelectCheckButton::SetImages(const QString& normal, const QString& checked) {
    SetNormalImage(normal);
    SetCheckedImage(checked);
}

Rect CColorSelectCheckButton::Swatch() const {
    const int inset = int(3 * Scale());
    return rect_.Deflated(inset, inset);
}

void CColorSelectCheckButton::Draw(QPainter& dc, const Rect&) {
    if (images_.HasStrip()) {
        images_.DrawFrame(dc, checked_ ? 1 : 0, rect_);
    } else {
        images_.DrawLook(dc, checked_ ? LookDown : LookNormal, rect_);
    }
    swatch_ = Swatch();
    dc.fillRect(swatch_.ToQRect(), ToQColor(color_));
}

bool CColorSelectCheckButton::OnMouseMove(uint32_t, int x, int y) {
    return TrackHover(x, y);
}

bool CColorSelectCheckButton::OnLButtonDown(uint32_t, int x, int y) {
    return PressDown(x, y);
}

bool CColorSelectCheckButton::OnLButtonUp(uint32_t, int x, int y) {
    return PressUp(x, y);
}

bool CColorSelectCheckButton::OnLButtonDblClk(uint32_t, int x, int y) {
    if (!disabled_ && Inside(x, y)) {
        Notify(0, NotifyDoubleClick);
    }
    return false;
}

}  // namespace velmaro
