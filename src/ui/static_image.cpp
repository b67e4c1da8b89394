#include "ui/static_image.h"

namespace velmaro {

CStaticImage::CStaticImage(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                           bool pageVisible, bool visible, bool)
    : CControlBase(host, id, rect, text, pageVisible, visible, true) {}

void CStaticImage::Draw(QPainter& dc, const Rect& updateRect) {
    const QRect place = rect_.ToQRect();
    if (!tiled_.IsNull()) {
        if (frame_ == 0 && tiled_.Size() == place.size()) {
            tiled_.Draw(dc, place.topLeft(),
                        updateRect.ToQRect().intersected(place).translated(-place.topLeft()));
            return;
        }
        // Another frame or size: drawn from the picture again.
        tiled_ = TiledPicture();
        image_.SetFile(Pictures(), tiledPath_);
    }
    if (image_.IsNull()) {
        return;
    }
    const int w = image_.Width();
    DrawSkinImage(dc, image_.Image(), QRect(frame_ * w, 0, w, image_.Height()), place);
}

void CStaticImage::CompactImages() {
    // Smaller pictures are not worth it, and are often shared.
    constexpr qsizetype kLeastBytes = 64 * 1024;
    if (!tiled_.IsNull() || !image_.IsRead() || image_.IsNull() || frame_ != 0 ||
        image_.Width() != rect_.Width() || image_.Height() != rect_.Height() ||
        image_.Image().sizeInBytes() < kLeastBytes) {
        return;
    }
    TiledPicture tiled(image_.Image());
    if (tiled.Bytes() >= size_t(image_.Image().sizeInBytes())) {
        return;
    }
    const QString path = image_.Path();
    image_.Release();
    if (!Pictures().Forget(path)) {
        image_.SetFile(Pictures(), path);  // held elsewhere too: nothing to gain
        return;
    }
    tiled_ = std::move(tiled);
    tiledPath_ = path;
}

}  // namespace velmaro
