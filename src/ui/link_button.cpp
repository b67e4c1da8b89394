#include "ui/link_button.h"

namespace velmaro {

CLinkButton::CLinkButton(ControlHost* host, const Rect& rect, const QString& text, uint32_t align,
                         bool pageVisible, bool visible, bool disabled)
    : CControlBase(host, kLinkButtonId, rect, text, pageVisible, visible, disabled),
      align_(align) {}

void CLinkButton::Draw(QPainter& dc, const Rect&) {
    if (images_.HasStrip()) {
        images_.DrawFrame(dc, state_, rect_);
        return;
    }
    static constexpr ColorRef kColors[3] = {kTextNormal, kTextHover, kTextPressed};
    DrawCaption(dc, text_, rect_, align_ | kDtCaption, kColors[state_]);
}

bool CLinkButton::OnMouseMove(uint32_t, int x, int y) {
    if (disabled_ || state_ == 2) {
        return false;
    }
    const bool inside = Inside(x, y);
    const bool changed = SetState(inside ? 1 : 0);
    if (inside && !enterSent_) {
        enterSent_ = true;
        Notify(0, NotifyHover);
    } else if (!inside && enterSent_) {
        enterSent_ = false;
        Notify(0, NotifyLeave);
    }
    return changed;
}

bool CLinkButton::OnLButtonDown(uint32_t, int x, int y) {
    return PressDown(x, y);
}

bool CLinkButton::OnLButtonUp(uint32_t, int x, int y) {
    return PressUp(x, y);
}

}  // namespace velmaro
