// The report-rate section: four rate tiles and their captions.
#pragma once

#include "app/main_window_page.h"

namespace velmaro {

class CRateSection : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 4 of the main window.
    static constexpr int kLayer = 4;

    void InitUI() override;
};

}  // namespace velmaro
