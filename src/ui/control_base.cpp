#include "ui/control_base.h"

#include "ui/text_draw.h"

namespace velmaro {

CControlBase::CControlBase(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                           bool pageVisible, bool visible, bool disabled)
    : host_(host),
      id_(id),
      rect_(rect),
      pageVisible_(pageVisible),
      visible_(visible),
      disabled_(disabled),
      text_(text),
      font_(host->Ui().ProgramFont()) {}

CControlBase::~CControlBase() = default;

bool CControlBase::SetFocused(bool) {
    return false;
}

void CControlBase::SetRect(int left, int top, int right, int bottom) {
    rect_ = Rect{left, top, right, bottom};
}

Rect CControlBase::GetRect() const {
    return rect_;
}

void CControlBase::SetText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    Invalidate();
}

QString CControlBase::GetText() const {
    return text_;
}

void CControlBase::SetPageVisible(bool visible) {
    pageVisible_ = visible;
}

void CControlBase::SetVisible(bool visible) {
    visible_ = visible;
}

bool CControlBase::OnMouseMove(uint32_t, int, int) {
    return false;
}
bool CControlBase::OnLButtonDown(uint32_t, int, int) {
    return false;
}
bool CControlBase::OnLButtonUp(uint32_t, int, int) {
    return false;
}
bool CControlBase::OnRButtonUp(uint32_t, int, int) {
    return false;
}
bool CControlBase::OnLButtonDblClk(uint32_t, int, int) {
    return false;
}

void CControlBase::ReleaseImages() {}

void CControlBase::SetFont(int height, const QString& face) {
    font_ = host_->Ui().MakeFont(face, height);
}

intptr_t CControlBase::Notify(uintptr_t wParam, intptr_t lParam) const {
    return host_->SendMessage(id_, wParam, lParam);
}

intptr_t CControlBase::NotifyAs(uint32_t msg, uintptr_t wParam, intptr_t lParam) const {
    return host_->SendMessage(msg, wParam, lParam);
}

bool CControlBase::PressDown(int x, int y) {
    if (disabled_ || !Inside(x, y)) {
        return false;
    }
    const bool changed = SetState(2);
    Notify(0, NotifyDown);
    return changed;
}

bool CControlBase::PressUp(int x, int y) {
    if (disabled_) {
        return false;
    }
    if (!Inside(x, y)) {
        return SetState(0);
    }
    const bool changed = SetState(1);
    Notify(0, NotifyClick);
    return changed;
}

bool CControlBase::TrackHover(int x, int y) {
    if (disabled_ || state_ == 2) {
        return false;
    }
    return SetState(Inside(x, y) ? 1 : 0);
}

bool CControlBase::SetState(int state) {
    const bool changed = state_ != state;
    state_ = state;
    return changed;
}

void CControlBase::DrawCaption(QPainter& dc, const QString& text, const Rect& r, uint32_t flags,
                               ColorRef color) const {
    DrawSkinText(dc, font_, text, r, flags, color);
}

}  // namespace velmaro
