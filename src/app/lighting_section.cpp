#include "app/lighting_section.h"

#include "app/main_window.h"

namespace velmaro {

void CLightingSection::InitUI() {}

}  // namespace velmaro
