// The power area below the button fields: sleep-time dial, power boxes and the battery legend.
#pragma once

#include "app/main_window_page.h"

namespace velmaro {

class CPowerArea : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 0 of the main window.
    static constexpr int kLayer = 0;

    void InitUI() override;
};

}  // namespace velmaro
