#include "app/ui_scale.h"

namespace velmaro {

double UiScaleFor(int cx, int cy) {
    if (cx > 2400 && cy > 1600)
        return 2.0;
    if (cx > 1800)
        return cy > 1200 ? 1.5 : 1.0;
    return 1.0;
}

double DisplayRatioFor(double logicalDpiX) {
    return logicalDpiX > 0 && logicalDpiX < 10000 ? logicalDpiX / 96.0 : 1.0;
}

}  // namespace velmaro
