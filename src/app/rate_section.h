// The report-rate section: four rate tiles in a 2 x 2 square, the caption of
// the chosen rate between them, and the hidden rate field that carries the
// rate's name.
#pragma once

#include <array>
#include <cstdint>

#include "app/main_window_page.h"

namespace velmaro {

class CRateSection : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 4 of the main window.
    static constexpr int kLayer = 4;
    // Tiles and captions by polling index: 125, 250, 500, 1000 Hz.
    static constexpr std::array<uint32_t, 4> kTileIds = {0xBD6, 0xBD7, 0xBD8, 0xBD9};
    static constexpr std::array<uint32_t, 4> kCaptionIds = {0xC46, 0xC47, 0xC48, 0xC49};
    static constexpr uint32_t kRateFieldId = 0xC26;  // 3110
    // The tiles' bits in the radio word (group E).
    static constexpr int kFirstRateBit = 16;

    void InitUI() override;
    bool OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    void Refresh(const ProfileRecord& profile) override;
    void PlaceAt(int x, int y) override;
};

// The polling index the tiles' radio bits stand for: only the 125, 250 or
// 500 Hz bit gives 0, 1 or 2; anything else is 1000 Hz (3).
int PollingIndexFromRadioBits(uint32_t radioBits);

}  // namespace velmaro
