#include "ui/control_images.h"

#include <algorithm>

namespace velmaro {

void ControlImages::SetLook(SkinImageCache& cache, int look, const QString& path) {
    looks_.at(size_t(look)).SetFile(cache, path);
}

void ControlImages::SetStrip(SkinImageCache& cache, const QString& path, int frames) {
    stripFrames_ = std::max(1, frames);
    strip_.SetFile(cache, path);
}

void ControlImages::SetStripResource(SkinImageCache& cache, int resourceId, int frames) {
    SetStrip(cache, PngResourcePath(resourceId), frames);
}

int ControlImages::FrameWidth() const {
    return HasStrip() ? strip_.Width() / stripFrames_ : looks_[LookNormal].Width();
}

int ControlImages::FrameHeight() const {
    return HasStrip() ? strip_.Height() : looks_[LookNormal].Height();
}

void ControlImages::DrawFrame(QPainter& p, int frame, const Rect& dst) const {
    const int w = strip_.Width() / stripFrames_;
    if (strip_.IsNull() || w <= 0) {
        return;
    }
    DrawSkinImage(p, strip_.Image(), QRect(frame * w, 0, w, strip_.Height()), dst.ToQRect());
}

void ControlImages::DrawLook(QPainter& p, int look, const Rect& dst) const {
    const SkinImage& img = looks_.at(size_t(look));
    if (!img.IsNull()) {
        DrawSkinImage(p, img.Image(), dst.ToQRect());
    }
}

void ControlImages::Release() {
    for (SkinImage& img : looks_) {
        img.Release();
    }
    strip_.Release();
}

}  // namespace velmaro
