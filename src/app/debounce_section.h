// The key debounce section, kept hidden: its slider carries KeyDebounce
// through, as an even number of milliseconds from 0 to 30.
#pragma once

#include <cstdint>

#include "app/main_window_page.h"

namespace velmaro {

class CDebounceSection : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 6 of the main window.
    static constexpr int kLayer = 6;
    static constexpr uint32_t kTrackId = 0xDCB;
    static constexpr uint32_t kSliderId = 0xDCA;     // 3530
    static constexpr uint32_t kValueTextId = 0xDCC;  // 3532
    // 16 steps of 2 ms.
    static constexpr int kSteps = 16;
    // What the collect step stores when the slider is missing.
    static constexpr int kFallbackMs = 12;

    void InitUI() override;
    void Refresh(const ProfileRecord& profile) override;
    void Collect(ProfileRecord& profile) override;
};

}  // namespace velmaro
