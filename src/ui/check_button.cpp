#include "ui/check_button.h"

namespace velmaro {

CCheckButton::CCheckButton(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                           uint32_t align, bool pageVisible, bool visible, bool disabled)
    : CToggleControl(host, id, rect, text, pageVisible, visible, disabled), align_(align) {}

void CCheckButton::SetImages(const QString& normal, const QString& hover, const QString& checked) {
    SetNormalImage(normal);
    SetHoverImage(hover);
    SetCheckedImage(checked);
}

void CCheckButton::Draw(QPainter& dc, const Rect&) {
    const int look = Look();
    if (images_.HasStrip()) {
        images_.DrawFrame(dc, look, rect_);
        return;
    }
    if (!images_.LookSet(LookNormal)) {
        return;
    }
    images_.DrawLook(dc, look, rect_);
    const QString& replacement = look == LookDown ? checkedText_ : uncheckedText_;
    const QString& caption = replacement.isEmpty() ? text_ : replacement;
    DrawCaption(dc, caption,
                Rect{rect_.left + marginLeft_, rect_.top, rect_.right - marginRight_, rect_.bottom},
                align_ | kDtCaption, colors_[size_t(look)]);
}

}  // namespace velmaro
