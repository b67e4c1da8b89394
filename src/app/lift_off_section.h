// The lift-off distance section, offered only with an extended sensor: two
// radio buttons (1 and 2) with their captions.
#pragma once

#include <array>
#include <cstdint>

#include "app/main_window_page.h"

namespace velmaro {

class CLiftOffSection : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 5 of the main window.
    static constexpr int kLayer = 5;
    // Distance 1 and 2 (radio group G, bits 20 and 21).
    static constexpr std::array<uint32_t, 2> kRadioIds = {0xDB6, 0xDB7};
    static constexpr std::array<uint32_t, 2> kCaptionIds = {0xDC0, 0xDC1};
    static constexpr int kFirstBit = 20;

    void InitUI() override;
    bool OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    void Refresh(const ProfileRecord& profile) override;
    void Collect(ProfileRecord& profile) override;
    void PlaceAt(int x, int y) override;

  private:
    // 1 when only the first radio is chosen, else 2.
    int ChosenHeight() const;
};

}  // namespace velmaro
