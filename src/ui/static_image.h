// A picture on the window (slider tracks, legends). Never takes the mouse.
// Draws frame `frame` of its picture, whose frame width is the picture's
// width, stretched over its rectangle.
#pragma once

#include "ui/control_base.h"
#include "ui/skin_image.h"
#include "ui/tiled_picture.h"

namespace velmaro {

class CStaticImage : public CControlBase {
  public:
    CStaticImage(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                 bool pageVisible = true, bool visible = true, bool disabled = true);

    void SetImage(const QString& path) {
        tiled_ = TiledPicture();
        image_.SetFile(Pictures(), path);
    }
    void SetImageResource(int resourceId) {
        tiled_ = TiledPicture();
        image_.SetResource(Pictures(), resourceId);
    }
    void SetFrame(int frame) { frame_ = frame; }
    int Frame() const { return frame_; }

    void Draw(QPainter& dc, const Rect& updateRect) override;
    void ReleaseImages() override {
        tiled_ = TiledPicture();
        image_.Release();
    }
    // A large picture drawn whole at its own size (scale 1.0) moves into
    // squares when they are smaller and no other control holds it; the
    // program's pictures let go of it.
    void CompactImages() override;
    // Whether the picture is held in squares (tests).
    bool InSquares() const { return !tiled_.IsNull(); }

  private:
    SkinImage image_;
    TiledPicture tiled_;
    QString tiledPath_;  // the picture in squares, named again if they no longer fit
    int frame_ = 0;
};

}  // namespace velmaro
