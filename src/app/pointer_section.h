// The pointer section: the button that opens the desktop's mouse settings,
// and the pointer values the profile carries. Those have controls that are
// never shown: refresh sets them from the profile and the collect step reads
// them back, so the values pass through; nothing sends them anywhere.
#pragma once

#include <array>
#include <cstdint>

#include "app/main_window_page.h"

namespace velmaro {

class CPointerSection : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 3 of the main window.
    static constexpr int kLayer = 3;

    // The hidden sliders: pointer speed, scroll speed, double-click speed.
    static constexpr std::array<uint32_t, 3> kSliderIds = {0x7FB, 0x7F9, 0x7FC};
    static constexpr std::array<uint32_t, 3> kValueTextIds = {0xC3A, 0xC3B, 0xC3C};
    static constexpr uint32_t kAccelerationBoxId = 0x7EE;
    // Scroll by lines / by pages (radio group B, bits 7 and 8).
    static constexpr uint32_t kScrollLinesId = 0x7D9;
    static constexpr uint32_t kScrollPagesId = 0x7DA;

    void InitUI() override;
    void Refresh(const ProfileRecord& profile) override;
    void Collect(ProfileRecord& profile) override;
    void PlaceAt(int x, int y) override;
};

}  // namespace velmaro
