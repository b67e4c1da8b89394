#include "app/button_page.h"

#include "app/main_window.h"

namespace velmaro {

void CButtonPage::InitUI() {}

}  // namespace velmaro
