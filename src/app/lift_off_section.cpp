#include "app/lift_off_section.h"

#include "app/main_window.h"

namespace velmaro {

void CLiftOffSection::InitUI() {}

}  // namespace velmaro
