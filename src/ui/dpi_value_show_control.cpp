#include "ui/dpi_value_show_control.h"

namespace velmaro {

bool CDPIValueShowControl::OnMouseMove(uint32_t, int x, int y) {
    return TrackHover(x, y);
}

bool CDPIValueShowControl::OnLButtonDown(uint32_t, int x, int y) {
    if (disabled_ || !Inside(x, y)) {
        return false;
    }
    const bool changed = SetState(2);
    Notify(0, NotifyDown);
    return changed;
}

}  // namespace velmaro
