// The pictures of one control: a picture per look (normal, hover, pressed or
// checked, selected-and-hover) or a strip holding the looks as equal frames
// side by side. A control with a strip draws the strip and ignores the rest.
#pragma once

#include <QPainter>
#include <QString>
#include <array>

#include "ui/skin_image.h"
#include "ui/ui_types.h"

namespace velmaro {

enum Look : int { LookNormal = 0, LookHover = 1, LookDown = 2, LookDownHover = 3 };

class ControlImages {
  public:
    // The pictures are read when first drawn or measured (skin_image.h).
    void SetLook(SkinImageCache& cache, int look, const QString& path);
    // A strip of `frames` equal frames (frame width = width / frames).
    void SetStrip(SkinImageCache& cache, const QString& path, int frames = 3);
    // A strip from a PNG compiled into the program.
    void SetStripResource(SkinImageCache& cache, int resourceId, int frames = 3);

    bool HasStrip() const { return strip_.IsSet(); }
    bool LookSet(int look) const { return looks_[size_t(look)].IsSet(); }
    // One frame of the strip, or the normal look when there is no strip.
    int FrameWidth() const;
    int FrameHeight() const;
    const SkinImage& LookImage(int look) const { return looks_.at(size_t(look)); }

    // Frame `frame` of the strip stretched over dst (nothing past the strip's end).
    void DrawFrame(QPainter& p, int frame, const Rect& dst) const;
    // The picture of a look stretched over dst.
    void DrawLook(QPainter& p, int look, const Rect& dst) const;

    void Release();

  private:
    std::array<SkinImage, 4> looks_;
    SkinImage strip_;
    int stripFrames_ = 3;
};

}  // namespace velmaro
