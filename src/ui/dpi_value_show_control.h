// A DPI value bar that only shows its value: drawn as a vertical slider,
// reporting presses and clicks but never a drag.
#pragma once

#include "ui/vertical_slider_control.h"

namespace velmaro {

class CDPIValueShowControl : public CVerticalSliderControl {
  public:
    using CVerticalSliderControl::CVerticalSliderControl;

    bool OnMouseMove(uint32_t flags, int x, int y) override;
    bool OnLButtonDown(uint32_t flags, int x, int y) override;
};

}  // namespace velmaro
