// The press and hover cycle of the radio-like controls (radio buttons, DPI
// level buttons, check buttons): hover exactly while the pointer is inside,
// pressed from a press inside until the release, and the down look while
// pressed or on. A release inside takes the control's own step (select its
// bit, flip its check) before the host hears NotifyClick, so the host reads
// the new value; a release outside only lets go.
#pragma once

#include "ui/control_base.h"

namespace velmaro {

class CToggleControl : public CControlBase {
  public:
    using CControlBase::CControlBase;

    // 0 normal, 1 hover, 2 pressed or on.
    int Look() const;

    bool OnMouseMove(uint32_t flags, int x, int y) override;
    bool OnLButtonDown(uint32_t flags, int x, int y) override;
    bool OnLButtonUp(uint32_t flags, int x, int y) override;

  protected:
    // Shown down without being pressed: selected, checked.
    virtual bool IsOn() const = 0;
    // A release inside, before NotifyClick.
    virtual void OnClicked() = 0;
    // Whether a press sends NotifyDown (the DPI level buttons stay silent).
    void SetNotifyOnPress(bool notify) { notifyOnPress_ = notify; }

  private:
    bool notifyOnPress_ = true;
};

}  // namespace velmaro
