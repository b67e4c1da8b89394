// The button assignment page: the six button fields and the mouse picture area.
#pragma once

#include "app/main_window_page.h"

namespace velmaro {

class CButtonPage : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 0 of the main window.
    static constexpr int kLayer = 0;

    void InitUI() override;
};

}  // namespace velmaro
