#include "ui/combo_button.h"

namespace velmaro {

CComboButton::CComboButton(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                           uint32_t groupMessage, uint32_t align, const QString& valueText,
                           bool pageVisible, bool visible, bool disabled)
    : CControlBase(host, id, rect, text, pageVisible, visible, disabled),
      valueText_(valueText),
      groupMessage_(groupMessage),
      align_(align) {}

void CComboButton::SetImages(const QString& normal, const QString& hover) {
    SetNormalImage(normal);
    SetHoverImage(hover);
}

void CComboButton::SetValueText(const QString& text) {
    valueText_ = text;
    Invalidate();
}

int CComboButton::Look() const {
    if (images_.HasStrip()) {
        if (locked_) {
            return state_ == 0 ? 3 : 4;
        }
        return active_ ? 1 : state_;
    }
    return state_ == 0 && !active_ ? LookNormal : LookHover;
}

void CComboButton::Draw(QPainter& dc, const Rect&) {
    const int look = Look();
    if (images_.HasStrip()) {
        images_.DrawFrame(dc, look, rect_);
    } else if (images_.LookSet(LookNormal)) {
        images_.DrawLook(dc, look, rect_);
    } else {
        return;
    }
    const ColorRef color = look == 0 ? kTextNormal : kTextHover;
    DrawCaption(dc, showDisable_ ? QStringLiteral("Disable") : valueText_,
                Rect{rect_.left + marginLeft_, rect_.top, rect_.right - marginRight_, rect_.bottom},
                align_ | kDtCaption, color);
}

bool CComboButton::OnMouseMove(uint32_t, int x, int y) {
    if (disabled_ || state_ == 2) {
        return false;
    }
    if (Inside(x, y)) {
        const bool changed = SetState(1);
        if (!hoverSent_) {
            if (hoverCount_ <= 3) {
                ++hoverCount_;
            } else {
                hoverSent_ = true;
            }
            leftArea_ = false;
            NotifyAs(groupMessage_, id_, NotifyHover);
        }
        return changed;
    }
    const bool changed = SetState(0);
    if (!leftArea_ && !active_) {
        hoverSent_ = false;
        hoverCount_ = 0;
        leftArea_ = true;
        NotifyAs(groupMessage_, id_, NotifyLeave);
    }
    return changed;
}

bool CComboButton::OnLButtonDown(uint32_t, int x, int y) {
    if (disabled_ || !Inside(x, y)) {
        return false;
    }
    const bool changed = SetState(2);
    if (!locked_) {
        Notify(0, NotifyDown);
    }
    return changed;
}

bool CComboButton::OnLButtonUp(uint32_t, int x, int y) {
    if (disabled_) {
        return false;
    }
    if (!Inside(x, y)) {
        return SetState(0);
    }
    const bool changed = SetState(1);
    if (!locked_) {
        NotifyAs(groupMessage_, id_, NotifyClick);
    }
    return changed;
}

}  // namespace velmaro
