#include "app/profiles_page.h"

#include "app/main_window.h"

namespace velmaro {

void CProfilesPage::InitUI() {}

}  // namespace velmaro
