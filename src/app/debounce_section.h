// The key debounce section (kept hidden): its slider carries KeyDebounce through.
#pragma once

#include "app/main_window_page.h"

namespace velmaro {

class CDebounceSection : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 6 of the main window.
    static constexpr int kLayer = 6;

    void InitUI() override;
};

}  // namespace velmaro
