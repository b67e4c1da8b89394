// A picture on the window (slider tracks, legends). Never takes the mouse.
// Draws frame `frame` of its picture, whose frame width is the picture's
// width, stretched over its rectangle.
#pragma once

#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace velmaro {

class CStaticImage : public CControlBase {
  public:
    CStaticImage(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                 bool pageVisible = true, bool visible = true, bool disabled = true);

    void SetImage(const QString& path) { image_.SetFile(Pictures(), path); }
    void SetImageResource(int resourceId) { image_.SetResource(Pictures(), resourceId); }
    void SetFrame(int frame) { frame_ = frame; }
    int Frame() const { return frame_; }

    void Draw(QPainter& dc, const Rect& updateRect) override;
    void ReleaseImages() override { image_.Release(); }

  private:
    SkinImage image_;
    int frame_ = 0;
};

}  // namespace velmaro
