// The pointer section: the system mouse settings button and the pointer
// values the profile carries through.
#pragma once

#include "app/main_window_page.h"

namespace velmaro {

class CPointerSection : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 3 of the main window.
    static constexpr int kLayer = 3;

    void InitUI() override;
    void PlaceAt(int x, int y) override;
};

}  // namespace velmaro
