// A check box or a toggling header: normal, hover and checked pictures (or a
// three-frame strip) with a caption beside them. A click toggles the check
// before the host hears of it, so the host reads the new value.
#pragma once

#include <array>

#include "ui/control_images.h"
#include "ui/toggle_control.h"

namespace velmaro {

class CCheckButton : public CToggleControl {
  public:
    // align: kDtLeft, kDtCenter or kDtRight.
    CCheckButton(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                 uint32_t align = kDtLeft, bool pageVisible = true, bool visible = true,
                 bool disabled = false);

    void SetNormalImage(const QString& path) { images_.SetLook(Pictures(), LookNormal, path); }
    void SetHoverImage(const QString& path) { images_.SetLook(Pictures(), LookHover, path); }
    void SetCheckedImage(const QString& path) { images_.SetLook(Pictures(), LookDown, path); }
    // All three; returns whether every one loaded.
    void SetImages(const QString& normal, const QString& hover, const QString& checked);
    void SetStripImage(const QString& path) { images_.SetStrip(Pictures(), path); }
    void SetStripResource(int resourceId) { images_.SetStripResource(Pictures(), resourceId); }

    void SetChecked(bool checked) { checked_ = checked; }
    bool Checked() const { return checked_; }
    // The checked caption turns white (section headers).
    void SetCheckedColor() { colors_[LookDown] = 0xFFFFFF; }
    void SetTextColors(ColorRef normal, ColorRef hover, ColorRef checked) {
        colors_ = {normal, hover, checked};
    }
    // Left text inset; the right one is 0.
    void SetTextMargin(int left) {
        marginLeft_ = left;
        marginRight_ = 0;
    }
    // Captions shown instead of the caption while not checked / checked.
    void SetUncheckedText(const QString& text) { uncheckedText_ = text; }
    void SetCheckedText(const QString& text) { checkedText_ = text; }

    void Draw(QPainter& dc, const Rect& updateRect) override;
    void ReleaseImages() override { images_.Release(); }

  protected:
    bool IsOn() const override { return checked_; }
    void OnClicked() override { checked_ = !checked_; }

  private:
    ControlImages images_;
    bool checked_ = false;
    uint32_t align_;
    int marginLeft_ = 0;
    int marginRight_ = 0;
    QString uncheckedText_;
    QString checkedText_;
    std::array<ColorRef, 3> colors_{kTextNormal, kTextHover, kTextPressed};
};

}  // namespace velmaro
