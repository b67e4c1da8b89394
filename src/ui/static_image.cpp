#include "ui/static_image.h"

namespace velmaro {

CStaticImage::CStaticImage(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                           bool pageVisible, bool visible, bool)
    : CControlBase(host, id, rect, text, pageVisible, visible, true) {}

void CStaticImage::Draw(QPainter& dc, const Rect& updateRect) {
    if (!tiled_.IsNull()) {
        const QRect place = rect_.ToQRect();
        tiled_.Draw(dc, place.topLeft(),
                    updateRect.ToQRect().intersected(place).translated(-place.topLeft()));
        return;
    }
    if (image_.IsNull()) {
        return;
    }
    const int w = image_.Width();
    DrawSkinImage(dc, image_.Image(), QRect(frame_ * w, 0, w, image_.Height()), rect_.ToQRect());
}

void CStaticImage::CompactImages() {
    if (!tiled_.IsNull() || !image_.IsRead() || image_.IsNull() || frame_ != 0 ||
        image_.Width() != rect_.Width() || image_.Height() != rect_.Height()) {
        return;
    }
    tiled_ = TiledPicture(image_.Image());
    Pictures().Forget(image_.Path());
    image_.Release();
}

}  // namespace velmaro
