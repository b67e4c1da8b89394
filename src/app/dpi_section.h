// The DPI section of the right-hand column.
#pragma once

#include "app/main_window_page.h"

namespace velmaro {

class CDpiSection : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 1 of the main window.
    static constexpr int kLayer = 1;

    void InitUI() override;
};

}  // namespace velmaro
