// An opaque picture held in squares of 32 by 32 pixels, each in as few bits
// as its colours need: one colour for a plain square; else its own list of
// at most 256 colours and, for each pixel, the colour's number in 1, 2, 4 or
// 8 bits; else, past 256 colours, its pixels as they were. A window
// background of a few thousand colours shrinks to a fifth of its 24-bit
// size. Drawing gives the same pixels as drawing the picture itself.
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
    // `picture` in squares; any transparency it has is ignored, as the
    // painter ignores it in a 32-bit picture without alpha.
    explicit TiledPicture(const QImage& picture);

    bool IsNull() const { return size_.isEmpty(); }
    QSize Size() const { return size_; }
    // What it holds, in bytes (the benchmark, tests).
    size_t Bytes() const;

    // Draws the squares meeting `area` (picture pixels) with the picture's
    // top left corner at the painter's origin. The painter's clip limits
    // what changes, as it would for the picture.
    void Draw(QPainter& p, const QRect& area) const;
    // The picture back in 32 bits without alpha.
    QImage ToImage() const;

    static constexpr int kSide = 32;

  private:
    struct Tile {
        // Bits per pixel: 0 for a plain square (its one colour first in
        // colours_), 1 to 8 for numbered pixels; kPixels for a square kept
        // as it was (pixels_[First]).
        uint8_t Bits = 0;
        uint16_t Count = 0;        // its colours
        uint32_t FirstColour = 0;  // in colours_
        uint32_t First = 0;        // its first byte in bits_, rows whole bytes
    };
    static constexpr uint8_t kPixels = 0xFF;

    QRect Area(size_t tile) const;
    void DrawTile(QPainter& p, size_t tile) const;

    QSize size_;
    int columns_ = 0;
    std::vector<Tile> tiles_;  // row by row
    std::vector<uint8_t> bits_;
    std::vector<QRgb> colours_;
    std::vector<QImage> pixels_;
};

}  // namespace velmaro
