#include "app/dpi_section.h"

#include "app/main_window.h"

namespace velmaro {

void CDpiSection::InitUI() {}

}  // namespace velmaro
