#include "ui/toggle_control.h"

#include "ui/control_images.h"

namespace velmaro {

int CToggleControl::Look() const {
    if (state_ == 2 || IsOn()) {
        return LookDown;
    }
    return state_ == 1 ? LookHover : LookNormal;
}

bool CToggleControl::OnMouseMove(uint32_t, int x, int y) {
    return TrackHover(x, y);
}

bool CToggleControl::OnLButtonDown(uint32_t, int x, int y) {
    if (disabled_ || !Inside(x, y)) {
        return false;
    }
    const bool changed = SetState(2);
    if (notifyOnPress_) {
        Notify(0, NotifyDown);
    }
    return changed;
}

bool CToggleControl::OnLButtonUp(uint32_t, int x, int y) {
    if (disabled_) {
        return false;
    }
    if (!Inside(x, y)) {
        return SetState(0);
    }
    const int before = Look();
    const bool changed = SetState(1);
    OnClicked();
    Notify(0, NotifyClick);
    return changed || Look() != before;
}

}  // namespace velmaro
