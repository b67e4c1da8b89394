// A lighting colour slot: a framed swatch with a checked look. The swatch is
// the rectangle shrunk by 3 pixels (times the UI scale) on each side and is
// filled after the frame picture. A double click reports NotifyDoubleClick.
#pragma once

#include "ui/control_base.h"
#include "ui/control_images.h"

namespace velmaro {

class CColorSelectCheckButton : public CControlBase {
  public:
    CColorSelectCheckButton(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                            const Rect& swatch, bool pageVisible = true, bool visible = true,
                            bool disabled = false);

    void SetNormalImage(const QString& path) { images_.SetLook(Pictures(), LookNormal, path); }
    void SetCheckedImage(const QString& path) { images_.SetLook(Pictures(), LookDown, path); }
    void SetImages(const QString& normal, const QString& checked);
    // Frame 0 unchecked, 1 checked.
    void SetStripImage(const QString& path, int frames = 2) {
        images_.SetStrip(Pictures(), path, frames);
    }

    void SetColor(ColorRef color) { color_ = color; }
    ColorRef Color() const { return color_; }
    void SetChecked(bool checked) { checked_ = checked; }
    bool Checked() const { return checked_; }
    // Where the colour goes at the control's current rectangle.
    Rect Swatch() const;

    void Draw(QPainter& dc, const Rect& updateRect) override;
    bool OnMouseMove(uint32_t flags, int x, int y) override;
    bool OnLButtonDown(uint32_t flags, int x, int y) override;
    bool OnLButtonUp(uint32_t flags, int x, int y) override;
    bool OnLButtonDblClk(uint32_t flags, int x, int y) override;
    void ReleaseImages() override { images_.Release(); }

  private:
    ControlImages images_;
    Rect swatch_;
    ColorRef color_ = 0x00FF00;
    bool checked_ = false;
};

}  // namespace velmaro
