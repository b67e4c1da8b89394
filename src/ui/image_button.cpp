#include "ui/image_button.h"

namespace velmaro {

CImageButton::CImageButton(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                           uint32_t align, bool pageVisible, bool visible, bool disabled)
    : CControlBase(host, id, rect, text, pageVisible, visible, disabled), align_(align) {}

void CImageButton::SetImages(const QString& normal, const QString& hover) {
    SetNormalImage(normal);
    SetHoverImage(hover);
}

void CImageButton::Draw(QPainter& dc, const Rect&) {
    if (images_.HasStrip()) {
        images_.DrawFrame(dc, state_, rect_);
        return;
    }
    if (!images_.LookSet(LookNormal)) {
        return;
    }
    // Pressed shows the hover picture with the pressed caption colour.
    static constexpr ColorRef kColors[3] = {kTextNormal, kTextHover, kTextPressed};
    images_.DrawLook(dc, state_ == 0 ? LookNormal : LookHover, rect_);
    DrawCaption(dc, text_,
                Rect{rect_.left + marginLeft_, rect_.top, rect_.right - marginRight_, rect_.bottom},
                align_ | kDtCaption, kColors[state_]);
}

bool CImageButton::OnMouseMove(uint32_t, int x, int y) {
    const bool changed = TrackHover(x, y);
    if (id_ == kHoverMoveButtonId && !disabled_ && Inside(x, y)) {
        Notify(0, NotifyHoverMove);
    }
    return changed;
}

bool CImageButton::OnLButtonDown(uint32_t, int x, int y) {
    if (disabled_ || !Inside(x, y)) {
        return false;
    }
    const bool changed = SetState(2);
    Notify(0, NotifyDown);
    return changed;
}

bool CImageButton::OnLButtonUp(uint32_t, int x, int y) {
    if (disabled_) {
        return false;
    }
    if (!Inside(x, y)) {
        return SetState(0);
    }
    const bool changed = SetState(1);
    Notify(id_, NotifyClick);
    return changed;
}

}  // namespace velmaro
