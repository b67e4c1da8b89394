// One picture of the skin as a control holds it: loaded from a file of the
// skin folder or from an image compiled into the program, drawn pixel for
// pixel (nearest neighbour) from a source rectangle into a destination one.
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>

namespace velmaro {

class SkinImage {
  public:
    // Each load marks the image as set; a failed load leaves it set but
    // empty, so its look draws nothing. Returns whether loading succeeded.
    bool LoadFile(const QString& path);
    // A PNG compiled into the program under its number (":/png/<id>.png").
    bool LoadResource(int id);
    bool LoadImage(const QImage& image);
    // Forgets the picture: not set, nothing drawn.
    void Release();

    // A load was attempted since the last release.
    bool IsSet() const { return set_; }
    bool IsNull() const { return image_.isNull(); }
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    const QImage& Image() const { return image_; }

  private:
    QImage image_;
    bool set_ = false;
};

// Nearest-neighbour copy of src (image pixels) into dst (target pixels); a
// source outside the image draws what overlaps it, which may be nothing.
void DrawSkinImage(QPainter& p, const QImage& image, const QRect& src, const QRect& dst);
// The whole image into dst.
void DrawSkinImage(QPainter& p, const QImage& image, const QRect& dst);

// The resource names of the compiled-in images.
QString PngResourcePath(int id);
QString BitmapResourcePath(int id);

}  // namespace velmaro
