#include "ui/control_images.h"

#include <algorithm>

namespace velmaro {

bool ControlImages::SetLook(int look, const QString& path) {
    SkinImage& img = looks_.at(size_t(look));
    if (!img.LoadFile(path)) {
        return false;
    }
    frameWidth_ = img.Width();
    frameHeight_ = img.Height();
    return true;
}

bool ControlImages::SetStrip(const QString& path, int frames) {
    stripFrames_ = std::max(1, frames);
    if (!strip_.LoadFile(path)) {
        return false;
    }
    frameWidth_ = strip_.Width() / std::max(1, frames);
    frameHeight_ = strip_.Height();
    return true;
}

bool ControlImages::SetStripResource(int resourceId, int frames) {
    return SetStrip(PngResourcePath(resourceId), frames);
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
