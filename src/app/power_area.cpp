#include "app/power_area.h"

#include "app/main_window.h"

namespace velmaro {

void CPowerArea::InitUI() {}

}  // namespace velmaro
