// A link: a strip, or only its caption coloured by state. It reports the
// pointer entering and leaving once per crossing.
#pragma once

#include "ui/control_base.h"
#include "ui/control_images.h"

namespace velmaro {

inline constexpr uint32_t kLinkButtonId = 0xDAF;

class CLinkButton : public CControlBase {
  public:
    CLinkButton(ControlHost* host, const Rect& rect, const QString& text,
                uint32_t align = kDtCenter, bool pageVisible = true, bool visible = true,
                bool disabled = false);

    void SetStripImage(const QString& path) { images_.SetStrip(Pictures(), path); }
    void SetStripResource(int resourceId) { images_.SetStripResource(Pictures(), resourceId); }

    void Draw(QPainter& dc, const Rect& updateRect) override;
    bool OnMouseMove(uint32_t flags, int x, int y) override;
    bool OnLButtonDown(uint32_t flags, int x, int y) override;
    bool OnLButtonUp(uint32_t flags, int x, int y) override;
    void ReleaseImages() override { images_.Release(); }

  private:
    ControlImages images_;
    uint32_t align_;
    bool enterSent_ = false;
};

}  // namespace velmaro
