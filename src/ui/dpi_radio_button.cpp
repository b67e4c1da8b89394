#include "ui/dpi_radio_button.h"

namespace velmaro {

CDPIRadioButton::CDPIRadioButton(ControlHost* host, uint32_t id, const Rect& rect,
                                 const QString& text, bool pageVisible, bool visible, bool disabled)
    : CControlBase(host, id, rect, text, pageVisible, visible, disabled) {}

bool CDPIRadioButton::SetImages(const QString& normal, const QString& hover,
                                const QString& selected) {
    const bool a = SetNormalImage(normal);
    const bool b = SetHoverImage(hover);
    const bool c = SetSelectedImage(selected);
    return a && b && c;
}

int CDPIRadioButton::Level() const {
    return id_ >= kFirstDpiRadioId && id_ < kFirstDpiRadioId + 8 ? int(id_ - kFirstDpiRadioId) : -1;
}

bool CDPIRadioButton::Selected() const {
    const int k = Level();
    return k >= 0 && (Selection().DpiRadioMask & (1u << k)) != 0;
}

int CDPIRadioButton::Look() const {
    if (state_ == 2 || Selected()) {
        return LookDown;
    }
    return state_ == 1 ? LookHover : LookNormal;
}

void CDPIRadioButton::Draw(QPainter& dc, const Rect&) {
    const int look = Look();
    if (images_.HasStrip()) {
        images_.DrawFrame(dc, look, rect_);
    } else if (images_.LookSet(LookNormal)) {
        images_.DrawLook(dc, look, rect_);
    }
    const Rect band{rect_.left, rect_.top, rect_.right, rect_.top + int(11 * Scale())};
    DrawCaption(dc, QString::number(value_ * 50), band, kDtCenter | kDtSingleLine | kDtWordEllipsis,
                textColor_);
}

bool CDPIRadioButton::OnMouseMove(uint32_t, int x, int y) {
    return TrackHover(x, y);
}

bool CDPIRadioButton::OnLButtonDown(uint32_t, int x, int y) {
    if (disabled_ || !Inside(x, y)) {
        return false;
    }
    return SetState(2);
}

bool CDPIRadioButton::OnLButtonUp(uint32_t, int x, int y) {
    if (disabled_) {
        return false;
    }
    if (!Inside(x, y)) {
        return SetState(0);
    }
    const int before = Look();
    const bool changed = SetState(1);
    if (const int k = Level(); k >= 0) {
        Selection().DpiRadioMask = uint8_t((1u << (k + 1)) - 1);
    }
    Notify(0, NotifyClick);
    return changed || Look() != before;
}

}  // namespace velmaro
