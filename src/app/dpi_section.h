// The DPI section of the right-hand column: for each of the eight DPI levels
// an enable box, an indicator colour swatch, a bar and a number for its DPI
// value, the current level's number in red. Levels 5 to 7 exist but stay
// hidden; refresh and collect still cover them so their stored values pass
// through. A bar click opens the DPI value dialog, a swatch click the colour
// palette.
#pragma once

#include <cstdint>

#include "app/main_window_page.h"

namespace velmaro {

inline constexpr uint32_t kDpiEnableBoxId = 0xCBC;  // + level
inline constexpr uint32_t kDpiSwatchId = 0xCC6;     // + level
inline constexpr uint32_t kDpiDragBarId = 0xCD0;    // + level, never shown
inline constexpr uint32_t kDpiNumberId = 0xCDA;     // + level
inline constexpr uint32_t kDpiBarId = 0xCE4;        // + level

inline constexpr ColorRef kDpiNumberColor = 0xB4B4B4;
inline constexpr ColorRef kDpiCurrentNumberColor = 0x0000FF;

class CDpiSection : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 1 of the main window.
    static constexpr int kLayer = 1;

    void InitUI() override;
    bool OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    void Refresh(const ProfileRecord& profile) override;
    void Collect(ProfileRecord& profile) override;
    void SensorChanged(bool extended) override;

    // The absolute level (0..7) whose number is shown as current; -1 for none.
    int HighlightedLevel() const { return highlighted_; }

  private:
    void OnEnableBox(int level);
    void OnSwatch(int level);
    void OnBar(int level);

    // The working copy of the current level ordinal, loaded on every refresh.
    int ordinal_ = 0;
    int highlighted_ = -1;
};

}  // namespace velmaro
