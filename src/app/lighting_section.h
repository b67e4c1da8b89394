// The lighting section of the right-hand column: the effect field with its
// mode list, and for the current effect its colour slots, speed and
// brightness sliders and direction buttons, each shown only where the effect
// has it. A single click on a colour slot toggles it 150 ms later (timers 1
// to 8, one per slot) unless a double click comes first and opens the colour
// palette instead.
#pragma once

#include <cstdint>

#include "app/main_window_page.h"

namespace velmaro {

class CSliderControl;

inline constexpr uint32_t kLightingModeFieldId = 0xC30;
inline constexpr uint32_t kLightingModeFieldMessage = 0x478;
inline constexpr uint32_t kLightingModeDeactivatedMessage = 0x47A;
inline constexpr uint32_t kLightingColorLabelId = 0xC59;
inline constexpr uint32_t kLightingBrightnessLabelId = 0xC5A;
inline constexpr uint32_t kLightingSpeedLabelId = 0xC5B;
inline constexpr uint32_t kLightingDirectionLabelId = 0xC5C;
inline constexpr uint32_t kLightingSlotId = 0xC6C;  // + slot 0..7
inline constexpr uint32_t kLightingSpeedTrackId = 0xC76;
inline constexpr uint32_t kLightingBrightnessTrackId = 0xC77;
inline constexpr uint32_t kLightingSpeedSliderId = 0xC80;
inline constexpr uint32_t kLightingSpeedValueId = 0xC8A;
inline constexpr uint32_t kLightingBrightnessSliderId = 0xC94;
inline constexpr uint32_t kLightingBrightnessValueId = 0xC9E;
inline constexpr uint32_t kLightingUpId = 0xCA8;
inline constexpr uint32_t kLightingDownId = 0xCB2;

inline constexpr int kLightingSlots = 8;
// Single-click timer of slot i is i + 1.
inline constexpr int kLightingSlotTimerBase = 1;
inline constexpr int kLightingSlotDelayMs = 150;
// The window's popup slot of the mode list.
inline constexpr int kLightingPopupSlot = 0;

class CLightingSection : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 2 of the main window.
    static constexpr int kLayer = 2;

    void InitUI() override;
    bool OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    void Refresh(const ProfileRecord& profile) override;
    bool OnTimer(int id) override;
    void OnLeftDrag(Point p) override;
    void OnDragEnd() override;
    void PlaceAt(int x, int y) override;

  private:
    void OpenModeList();
    void OnModeChosen(uintptr_t field, const void* result);
    void OnSlotClick(int slot);
    void OnSlotDoubleClick(int slot);
    void OnSlotTimer(int slot);
    // The slider was released on itself (or a drag ended off it).
    void CommitSlider(uint32_t id);
    void ShowSliderValue(uint32_t id, int step);
    void OnDirection();
    CSliderControl* Slider(uint32_t id) const;

    bool dragChanged_ = false;
};

}  // namespace velmaro
