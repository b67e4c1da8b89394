#include "app/debounce_section.h"

#include "app/main_window.h"

namespace velmaro {

void CDebounceSection::InitUI() {}

}  // namespace velmaro
