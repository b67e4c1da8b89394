// The profiles page: the profile list and its actions.
#pragma once

#include "app/main_window_page.h"

namespace velmaro {

class CProfilesPage : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 0 of the main window.
    static constexpr int kLayer = 0;

    void InitUI() override;
};

}  // namespace velmaro
