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
    // Each setter returns whether loading succeeded; a success records the
    // picture's size as the frame size.
    bool SetLook(int look, const QString& path);
    // A strip of `frames` equal frames (frame width = width / frames).
    bool SetStrip(const QString& path, int frames = 3);
    // A strip from a PNG compiled into the program.
    bool SetStripResource(int resourceId, int frames = 3);

    bool HasStrip() const { return strip_.IsSet(); }
    bool LookSet(int look) const { return looks_[size_t(look)].IsSet(); }
    int FrameWidth() const { return frameWidth_; }
    int FrameHeight() const { return frameHeight_; }

    // Frame `frame` of the strip stretched over dst (nothing past the strip's end).
    void DrawFrame(QPainter& p, int frame, const Rect& dst) const;
    // The picture of a look stretched over dst.
    void DrawLook(QPainter& p, int look, const Rect& dst) const;

    void Release();

  private:
    std::array<SkinImage, 4> looks_;
    SkinImage strip_;
    int stripFrames_ = 3;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
};

}  // namespace velmaro
