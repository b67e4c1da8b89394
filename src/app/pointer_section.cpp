#include "app/pointer_section.h"

#include "app/main_window.h"

namespace velmaro {

void CPointerSection::InitUI() {}

void CPointerSection::PlaceAt(int x, int y) {
    // The window creates the mouse settings button; the section places it.
    if (CControlBase* button = Window().FindControl(kMouseSettingsButtonId)) {
        const Rect r = Window().Ui().ScaledRect(x + 20, y + 30, x + 20 + 215, y + 30 + 45);
        button->SetRect(r.left, r.top, r.right, r.bottom);
    }
}

}  // namespace velmaro
