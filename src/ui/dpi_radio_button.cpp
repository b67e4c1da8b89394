#include "ui/dpi_radio_button.h"

namespace velmaro {

CDPIRadioButton::CDPIRadioButton(ControlHost* host, uint32_t id, const Rect& rect,
                                 const QString& text, bool pageVisible, bool visible, bool disabled)
    : CToggleControl(host, id, rect, text, pageVisible, visible, disabled) {
    SetNotifyOnPress(false);
}

void CDPIRadioButton::SetImages(const QString& normal, const QString& hover,
                                const QString& selected) {
    SetNormalImage(normal);
    SetHoverImage(hover);
    SetSelectedImage(selected);
}

int CDPIRadioButton::Level() const {
    return id_ >= kFirstDpiRadioId && id_ < kFirstDpiRadioId + 8 ? int(id_ - kFirstDpiRadioId) : -1;
}

bool CDPIRadioButton::Selected() const {
    const int k = Level();
    return k >= 0 && (Selection().DpiRadioMask & (1u << k)) != 0;
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

void CDPIRadioButton::OnClicked() {
    if (const int k = Level(); k >= 0) {
        Selection().DpiRadioMask = uint8_t((1u << (k + 1)) - 1);
    }
}

}  // namespace velmaro
