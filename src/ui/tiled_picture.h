// A picture held in squares of 32 by 32 pixels, each in as few bits as its
// colours need: one colour for a plain square; else its own list of at most
// 256 colours and, for each pixel, the colour's number in 1, 2, 4 or 8 bits;
// else, past 256 colours, its pixels in 32 bits. A window background of a
// few thousand colours shrinks to under a quarter of its 24-bit size; a
// photograph would grow (Bytes() tells). A square is drawn by rebuilding its
// pixels, so it draws exactly what the picture draws.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <cstdint>
#include <vector>

namespace velmaro {

class TiledPicture {
  public:
    // Null.
    TiledPicture() = default;
    // `picture` in squares. An opaque picture is drawn as in 32 bits, one
    // with transparency as in premultiplied 32 bits (as the painter blends
    // it either way).
    explicit TiledPicture(const QImage& picture);

    bool IsNull() const { return size_.isEmpty(); }
    QSize Size() const { return size_; }
    // About what it holds, in bytes: those who make one keep it only when
    // it is smaller than the picture.
    size_t Bytes() const;

    // Draws the squares meeting `area` (picture pixels) with the picture's
    // top left corner at `at`. The painter's clip limits what changes, as
    // it would for the picture.
    void Draw(QPainter& p, const QPoint& at, const QRect& area) const;
    // The picture back, in the 32-bit format it is drawn in.
    QImage ToImage() const;

  private:
    struct Tile {
        // Bits per pixel: 0 for a plain square (its one colour first in
        // colours_), 1 to 8 for numbered pixels; kPixels for a square of
        // more colours, kept whole (pixels_[First]). Colours and pixels are
        // in format_.
        uint8_t Bits = 0;
        uint32_t FirstColour = 0;  // in colours_
        uint32_t First = 0;        // its first byte in bits_, rows whole bytes
    };
    static constexpr int kSide = 32;
    static constexpr uint8_t kPixels = 0xFF;
    static constexpr int kStripSquares = 8;

    QRect Area(size_t tile) const;
    // Lines [from, from + lines) of square `tile` in 32 bits of format_,
    // rows `stride` pixels apart.
    void Rebuild(size_t tile, int from, int lines, QRgb* out, int stride) const;

    QSize size_;
    QImage::Format format_ = QImage::Format_RGB32;
    int columns_ = 0;
    std::vector<Tile> tiles_;  // row by row
    std::vector<uint8_t> bits_;
    std::vector<QRgb> colours_;
    std::vector<QImage> pixels_;
};

}  // namespace velmaro
