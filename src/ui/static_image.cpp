#include "ui/static_image.h"

namespace velmaro {

CStaticImage::CStaticImage(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                           bool pageVisible, bool visible, bool)
    : CControlBase(host, id, rect, text, pageVisible, visible, true) {}

void CStaticImage::Draw(QPainter& dc, const Rect&) {
    if (image_.IsNull()) {
        return;
    }
    const int w = image_.Width();
    DrawSkinImage(dc, image_.Image(), QRect(frame_ * w, 0, w, image_.Height()), rect_.ToQRect());
}

}  // namespace velmaro
