// The lighting section of the right-hand column.
#pragma once

#include "app/main_window_page.h"

namespace velmaro {

class CLightingSection : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 2 of the main window.
    static constexpr int kLayer = 2;

    void InitUI() override;
};

}  // namespace velmaro
