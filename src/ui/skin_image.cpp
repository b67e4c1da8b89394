#include "ui/skin_image.h"

namespace velmaro {

namespace {

QImage Prepared(QImage image) {
    if (image.isNull()) {
        return image;
    }
    // Premultiplied ARGB is what the raster painter blends fastest.
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

bool SkinImage::LoadFile(const QString& path) {
    set_ = true;
    image_ = Prepared(QImage(path));
    return !image_.isNull();
}

bool SkinImage::LoadResource(int id) {
    return LoadFile(PngResourcePath(id));
}

bool SkinImage::LoadImage(const QImage& image) {
    set_ = true;
    image_ = Prepared(image);
    return !image_.isNull();
}

void SkinImage::Release() {
    image_ = QImage();
    set_ = false;
}

void DrawSkinImage(QPainter& p, const QImage& image, const QRect& src, const QRect& dst) {
    if (image.isNull() || src.isEmpty() || dst.isEmpty()) {
        return;
    }
    // Only the part of the source that lies on the image is drawn, at the
    // same place it would take in the full stretch.
    const QRect inside = src.intersected(image.rect());
    if (inside.isEmpty()) {
        return;
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (inside == src) {
        p.drawImage(dst, image, src);
        return;
    }
    const double sx = double(dst.width()) / src.width();
    const double sy = double(dst.height()) / src.height();
    const QRectF target(dst.left() + (inside.left() - src.left()) * sx,
                        dst.top() + (inside.top() - src.top()) * sy, inside.width() * sx,
                        inside.height() * sy);
    p.drawImage(target, image, QRectF(inside));
}

void DrawSkinImage(QPainter& p, const QImage& image, const QRect& dst) {
    DrawSkinImage(p, image, image.rect(), dst);
}

QString PngResourcePath(int id) {
    return QStringLiteral(":/png/%1.png").arg(id);
}
QString BitmapResourcePath(int id) {
    return QStringLiteral(":/bitmap/%1.bmp").arg(id);
}

}  // namespace velmaro
