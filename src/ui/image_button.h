// A push button drawn from normal and hover pictures (or a three-frame strip,
// usually compiled in) with a caption. Its click carries its own id as wParam.
#pragma once

#include "ui/control_base.h"
#include "ui/control_images.h"

namespace velmaro {

// The image button that also reports every move over it.
inline constexpr uint32_t kHoverMoveButtonId = 0xDAE;

class CImageButton : public CControlBase {
  public:
    CImageButton(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                 uint32_t align = kDtCenter, bool pageVisible = true, bool visible = true,
                 bool disabled = false);

    void SetNormalImage(const QString& path) { images_.SetLook(Pictures(), LookNormal, path); }
    void SetHoverImage(const QString& path) { images_.SetLook(Pictures(), LookHover, path); }
    void SetImages(const QString& normal, const QString& hover);
    void SetStripImage(const QString& path) { images_.SetStrip(Pictures(), path); }
    // A PNG compiled into the program, as a three-frame strip.
    void LoadFromResource(int resourceId) { images_.SetStripResource(Pictures(), resourceId); }
    void SetTextMargin(int left) {
        marginLeft_ = left;
        marginRight_ = 0;
    }

    void Draw(QPainter& dc, const Rect& updateRect) override;
    bool OnMouseMove(uint32_t flags, int x, int y) override;
    bool OnLButtonDown(uint32_t flags, int x, int y) override;
    bool OnLButtonUp(uint32_t flags, int x, int y) override;
    void ReleaseImages() override { images_.Release(); }

  private:
    ControlImages images_;
    uint32_t align_;
    int marginLeft_ = 0;
    int marginRight_ = 0;
};

}  // namespace velmaro
