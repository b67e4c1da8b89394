// A radio button: its selected look comes from the shared radio word, one bit
// per button; a click selects its bit and clears the others of its group only.
#pragma once

#include <optional>

#include "ui/control_images.h"
#include "ui/toggle_control.h"

namespace velmaro {

// Where a radio button's selection lives in SelectionState::RadioGroupBits.
struct RadioGroupBit {
    uint32_t Bit;        // the button's own bit
    uint32_t GroupMask;  // every bit of its group
};

// The groups: A 0x7D6, 0x820..0x825 (bits 0..6); B 0x7D9, 0x7DA (7, 8: scroll
// by lines / pages); C 0xDAD, 0xDAE (9, 10); D 0xCA8, 0xCB2 (11, 12: lighting
// direction); F 0x7EF..0x7F1 (13..15: macro loop mode); E 0xBD6..0xBD9
// (16..19: report rate); G 0xDB6, 0xDB7 (20, 21: lift-off distance).
// Ids outside the table have no bit.
std::optional<RadioGroupBit> RadioGroupOf(uint32_t id);

class CRadioButton : public CToggleControl {
  public:
    CRadioButton(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                 bool pageVisible = true, bool visible = true, bool disabled = false);

    void SetNormalImage(const QString& path) { images_.SetLook(Pictures(), LookNormal, path); }
    void SetHoverImage(const QString& path) { images_.SetLook(Pictures(), LookHover, path); }
    void SetSelectedImage(const QString& path) { images_.SetLook(Pictures(), LookDown, path); }
    void SetImages(const QString& normal, const QString& hover, const QString& selected);
    void SetStripImage(const QString& path) { images_.SetStrip(Pictures(), path); }
    void SetStripResource(int resourceId) { images_.SetStripResource(Pictures(), resourceId); }

    // Its bit is set in the shared radio word.
    bool Selected() const;

    void Draw(QPainter& dc, const Rect& updateRect) override;
    void ReleaseImages() override { images_.Release(); }

  protected:
    bool IsOn() const override { return Selected(); }
    // Selects its bit and clears the others of its group.
    void OnClicked() override;

  private:
    ControlImages images_;
};

}  // namespace velmaro
