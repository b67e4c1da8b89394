#include "ui/tab_control.h"

namespace velmaro {

int MainPageOfTab(uint32_t id) {
    switch (id) {
        case 0xBB9:
            return 0;
        case 0xBBA:
            return 1;
        case 0xBBB:
            return 2;
        case 0xBBC:
            return 3;
        case 0xBBF:
            return 7;
        case 0xBC0:
            return 8;
        case 0xBC1:
            return 9;
        default:
            return -1;
    }
}

int ProfileOfTab(uint32_t id) {
    return id >= 0x801 && id <= 0x805 ? int(id - 0x801) : -1;
}

CTabControl::CTabControl(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                         uint32_t align, const QString& tabText, bool pageVisible, bool visible,
                         bool disabled)
    : CControlBase(host, id, rect, text, pageVisible, visible, disabled),
      align_(align),
      tabText_(tabText) {}

void CTabControl::SetImages(const QString& normal, const QString& hover, const QString& selected,
                            const QString& selectedHover) {
    SetNormalImage(normal);
    SetHoverImage(hover);
    SetSelectedImage(selected);
    SetSelectedHoverImage(selectedHover);
}

void CTabControl::SetTabText(const QString& text) {
    if (text != tabText_) {
        tabText_ = text;
        Invalidate();
    }
}

bool CTabControl::Selected() const {
    if (const int page = MainPageOfTab(id_); page >= 0) {
        return Selection().CurrentPage == uint32_t(page);
    }
    if (const int profile = ProfileOfTab(id_); profile >= 0) {
        return Selection().CurrentProfileTab == uint32_t(profile);
    }
    return false;
}

int CTabControl::Look() const {
    if (Selected()) {
        if (ProfileOfTab(id_) >= 0 && state_ == 1) {
            return LookDownHover;
        }
        return LookDown;
    }
    return state_;
}

void CTabControl::Draw(QPainter& dc, const Rect&) {
    const int look = Look();
    if (images_.HasStrip()) {
        images_.DrawFrame(dc, look, rect_);
    } else if (images_.LookSet(LookNormal)) {
        images_.DrawLook(dc, look, rect_);
    } else {
        return;
    }
    DrawCaption(dc, tabText_,
                Rect{rect_.left + marginLeft_, rect_.top, rect_.right - marginRight_, rect_.bottom},
                align_ | kDtCaption, kTextNormal);
}

bool CTabControl::OnMouseMove(uint32_t, int x, int y) {
    return TrackHover(x, y);
}

bool CTabControl::OnLButtonDown(uint32_t, int x, int y) {
    if (disabled_ || !Inside(x, y)) {
        return false;
    }
    return SetState(2);
}

bool CTabControl::OnLButtonUp(uint32_t, int x, int y) {
    if (disabled_) {
        return false;
    }
    if (!Inside(x, y)) {
        return SetState(0);
    }
    const int before = Look();
    const bool changed = SetState(1);
    if (const int page = MainPageOfTab(id_); page >= 0) {
        Selection().CurrentPage = uint32_t(page);
    } else if (const int profile = ProfileOfTab(id_); profile >= 0) {
        Selection().CurrentProfileTab = uint32_t(profile);
    }
    Notify(0, NotifyClick);
    return changed || Look() != before;
}

bool CTabControl::OnRButtonUp(uint32_t, int x, int y) {
    if (!disabled_ && Inside(x, y)) {
        Notify(id_, NotifyRightClick);
    }
    return false;
}

}  // namespace velmaro
