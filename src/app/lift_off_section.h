// The lift-off distance section, offered only with an extended sensor.
#pragma once

#include "app/main_window_page.h"

namespace velmaro {

class CLiftOffSection : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 5 of the main window.
    static constexpr int kLayer = 5;

    void InitUI() override;
};

}  // namespace velmaro
