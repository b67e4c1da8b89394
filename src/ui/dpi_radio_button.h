// A DPI level button (ids 0xCDA + k, k = 0..7): a click selects the first
// k + 1 levels in the shared DPI mask; selected while its own bit is set. It
// shows its value (times 50) in a band along its top.
#pragma once

#include "ui/control_images.h"
#include "ui/toggle_control.h"

namespace velmaro {

inline constexpr uint32_t kFirstDpiRadioId = 0xCDA;

class CDPIRadioButton : public CToggleControl {
  public:
    CDPIRadioButton(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                    bool pageVisible = true, bool visible = true, bool disabled = false);

    void SetNormalImage(const QString& path) { images_.SetLook(Pictures(), LookNormal, path); }
    void SetHoverImage(const QString& path) { images_.SetLook(Pictures(), LookHover, path); }
    void SetSelectedImage(const QString& path) { images_.SetLook(Pictures(), LookDown, path); }
    void SetImages(const QString& normal, const QString& hover, const QString& selected);
    void SetStripImage(const QString& path) { images_.SetStrip(Pictures(), path); }

    // The step value shown (in units of 50 DPI).
    void SetValue(int value) { value_ = value; }
    int Value() const { return value_; }
    void SetTextColor(ColorRef c) { textColor_ = c; }

    // Level k of this button, or -1 for an id outside 0xCDA..0xCE1.
    int Level() const;
    bool Selected() const;

    void Draw(QPainter& dc, const Rect& updateRect) override;
    void ReleaseImages() override { images_.Release(); }

  protected:
    bool IsOn() const override { return Selected(); }
    // Selects the first k + 1 levels.
    void OnClicked() override;

  private:
    ControlImages images_;
    int value_ = 0;
    ColorRef textColor_ = kTextNormal;
};

}  // namespace velmaro
