#include "app/rate_section.h"

#include "app/main_window.h"

namespace velmaro {

void CRateSection::InitUI() {}

}  // namespace velmaro
