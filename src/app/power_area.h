// The power area below the button fields: the sleep-time dial and its text,
// the move-lighting and motion wake-up boxes with their captions, and the
// battery legend. The battery gauge and its percentage belong to the window
// (the status poll feeds them).
#pragma once

#include <cstdint>

#include "app/main_window_page.h"

namespace velmaro {

class CPowerArea : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 0 of the main window.
    static constexpr int kLayer = 0;
    static constexpr uint32_t kSleepDialId = 0xDAC;        // 3500
    static constexpr uint32_t kSleepTextId = 0xD4F;        // 3407
    static constexpr uint32_t kMoveLightingBoxId = 0xDAD;  // 3501
    static constexpr uint32_t kMotionWakeupBoxId = 0xDB0;  // 3504
    static constexpr uint32_t kLegendImageId = 0xD49;
    static constexpr uint32_t kCaptionId = 0xD4A;

    void InitUI() override;
    bool OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    void Refresh(const ProfileRecord& profile) override;
};

}  // namespace velmaro
