#include "ui/tiled_picture.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace velmaro {

namespace {

constexpr int kMostColours = 256;

// The colours of one square, each numbered in the order first met; gives up
// past kMostColours. Open addressing over twice as many slots as colours.
class SquareColours {
  public:
    // The number of `colour`, or -1 once there are too many.
    int Number(QRgb colour) {
        unsigned slot = (colour * 2654435761U) >> (32 - kBits);
        while (used_[slot] && keys_[slot] != colour) {
            slot = (slot + 1) & (kSlots - 1);
        }
        if (!used_[slot]) {
            if (count_ == kMostColours) {
                return -1;
            }
            used_[slot] = true;
            keys_[slot] = colour;
            numbers_[slot] = uint8_t(count_);
            colours_[size_t(count_++)] = colour;
        }
        return numbers_[slot];
    }
    int Count() const { return count_; }
    const QRgb* Colours() const { return colours_.data(); }

  private:
    static constexpr int kBits = 9;
    static constexpr unsigned kSlots = 1U << kBits;
    std::array<bool, kSlots> used_{};
    std::array<QRgb, kSlots> keys_{};
    std::array<uint8_t, kSlots> numbers_{};
    std::array<QRgb, kMostColours> colours_{};
    int count_ = 0;
};

// The fewest of 1, 2, 4 and 8 bits that number `count` colours.
uint8_t BitsFor(int count) {
    return count <= 2 ? 1 : count <= 4 ? 2 : count <= 16 ? 4 : 8;
}

int RowBytes(int width, int bits) {
    return (width * bits + 7) / 8;
}

// One row of numbers of `Bits` bits, the first in the highest bits of its
// byte, as the colours they number.
template <int Bits>
void Spread(const uint8_t* in, int width, const QRgb* colours, QRgb* out) {
    constexpr int kPerByte = 8 / Bits;
    constexpr unsigned kMask = (1U << Bits) - 1;
    int x = 0;
    for (; x + kPerByte <= width; x += kPerByte, ++in) {
        const unsigned byte = *in;
        for (int k = 0; k < kPerByte; ++k) {
            out[x + k] = colours[(byte >> (8 - Bits * (k + 1))) & kMask];
        }
    }
    for (int k = 0; x < width; ++k, ++x) {
        out[x] = colours[(unsigned(*in) >> (8 - Bits * (k + 1))) & kMask];
    }
}

}  // namespace

TiledPicture::TiledPicture(const QImage& picture) {
    if (picture.isNull()) {
        return;
    }
    // Read as they are in 24 or 32 bits; anything else is converted first.
    const bool rgb888 = picture.format() == QImage::Format_RGB888;
    format_ =
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    const QImage image =
        rgb888 || picture.format() == format_ ? picture : picture.convertToFormat(format_);
    size_ = image.size();
    columns_ = (size_.width() + kSide - 1) / kSide;
    tiles_.resize(size_t(columns_) * size_t((size_.height() + kSide - 1) / kSide));
    std::array<uint8_t, size_t(kSide) * kSide> numbers{};
    // The unused byte of a pixel in 32 bits without alpha reads as opaque.
    const QRgb opaque = format_ == QImage::Format_RGB32 ? 0xFF000000U : 0;
    for (size_t t = 0; t < tiles_.size(); ++t) {
        const QRect area = Area(t);
        Tile& tile = tiles_[t];
        SquareColours colours;
        bool fits = true;
        for (int y = 0; y < area.height() && fits; ++y) {
            const uchar* line = image.constScanLine(area.top() + y);
            for (int x = 0; x < area.width(); ++x) {
                const int at = area.left() + x;
                const QRgb colour = rgb888 ? qRgb(line[at * 3], line[at * 3 + 1], line[at * 3 + 2])
                                           : reinterpret_cast<const QRgb*>(line)[at] | opaque;
                const int number = colours.Number(colour);
                if (number < 0) {
                    fits = false;
                    break;
                }
                numbers[size_t(y) * kSide + size_t(x)] = uint8_t(number);
            }
        }
        if (!fits) {
            tile.Bits = kPixels;
            tile.First = uint32_t(pixels_.size());
            pixels_.push_back(image.copy(area).convertToFormat(format_));
            continue;
        }
        tile.FirstColour = uint32_t(colours_.size());
        colours_.insert(colours_.end(), colours.Colours(), colours.Colours() + colours.Count());
        if (colours.Count() == 1) {
            continue;
        }
        // Each row in whole bytes, the first pixel in the highest bits.
        tile.Bits = BitsFor(colours.Count());
        tile.First = uint32_t(bits_.size());
        const int rowBytes = RowBytes(area.width(), tile.Bits);
        bits_.resize(bits_.size() + size_t(rowBytes) * size_t(area.height()));
        uint8_t* out = bits_.data() + tile.First;
        for (int y = 0; y < area.height(); ++y, out += rowBytes) {
            for (int x = 0; x < area.width(); ++x) {
                const int bit = x * tile.Bits;
                out[bit / 8] |=
                    uint8_t(numbers[size_t(y) * kSide + size_t(x)] << (8 - tile.Bits - bit % 8));
            }
        }
    }
    bits_.shrink_to_fit();
    colours_.shrink_to_fit();
}

QRect TiledPicture::Area(size_t tile) const {
    const int left = int(tile % size_t(columns_)) * kSide;
    const int top = int(tile / size_t(columns_)) * kSide;
    return QRect(left, top, std::min(kSide, size_.width() - left),
                 std::min(kSide, size_.height() - top));
}

size_t TiledPicture::Bytes() const {
    size_t bytes = tiles_.capacity() * sizeof(Tile) + bits_.capacity() +
                   colours_.capacity() * sizeof(QRgb) + pixels_.capacity() * sizeof(QImage);
    for (const QImage& square : pixels_) {
        bytes += size_t(square.sizeInBytes());
    }
    return bytes;
}

void TiledPicture::Draw(QPainter& p, const QPoint& at, const QRect& area) const {
    const QRect part = area.intersected(QRect(QPoint(0, 0), size_));
    if (part.isEmpty()) {
        return;
    }
    // Up to kStripSquares squares of a row at a time: their lines within
    // `part` rebuilt side by side, and drawn at once. The strip (32 kB at
    // most) comes from the heap's free blocks, not a mapping of its own.
    const int first = part.left() / kSide;
    const int last = part.right() / kSide;
    const auto strip = std::make_unique_for_overwrite<QRgb[]>(
        size_t(kStripSquares) * kSide * size_t(std::min(kSide, part.height())));
    for (int row = part.top() / kSide; row <= part.bottom() / kSide; ++row) {
        const int top = std::max(part.top(), row * kSide);
        const int lines = std::min(part.bottom() + 1, (row + 1) * kSide) - top;
        for (int from = first; from <= last; from += kStripSquares) {
            const int to = std::min(last, from + kStripSquares - 1);
            const int left = from * kSide;
            const int width = std::min(size_.width(), (to + 1) * kSide) - left;
            for (int column = from; column <= to; ++column) {
                Rebuild(size_t(row) * size_t(columns_) + size_t(column), top - row * kSide, lines,
                        strip.get() + (column * kSide - left), width);
            }
            const QImage pixels(reinterpret_cast<const uchar*>(strip.get()), width, lines,
                                qsizetype(width) * qsizetype(sizeof(QRgb)), format_);
            p.drawImage(at + QPoint(left, top), pixels);
        }
    }
}

void TiledPicture::Rebuild(size_t t, int from, int lines, QRgb* out, int stride) const {
    const Tile& tile = tiles_[t];
    const int width = Area(t).width();
    if (tile.Bits == kPixels) {
        const QImage& square = pixels_[tile.First];
        for (int y = 0; y < lines; ++y, out += stride) {
            std::memcpy(out, square.constScanLine(from + y), size_t(width) * sizeof(QRgb));
        }
        return;
    }
    const QRgb* colours = colours_.data() + tile.FirstColour;
    if (tile.Bits == 0) {
        for (int y = 0; y < lines; ++y, out += stride) {
            std::fill(out, out + width, colours[0]);
        }
        return;
    }
    const int rowBytes = RowBytes(width, tile.Bits);
    const uint8_t* in = bits_.data() + tile.First + size_t(from) * size_t(rowBytes);
    for (int y = 0; y < lines; ++y, in += rowBytes, out += stride) {
        switch (tile.Bits) {
            case 1:
                Spread<1>(in, width, colours, out);
                break;
            case 2:
                Spread<2>(in, width, colours, out);
                break;
            case 4:
                Spread<4>(in, width, colours, out);
                break;
            default:
                Spread<8>(in, width, colours, out);
                break;
        }
    }
}

QImage TiledPicture::ToImage() const {
    QImage image(size_, format_);
    if (image.isNull()) {
        return image;
    }
    image.fill(0);
    QPainter p(&image);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    Draw(p, QPoint(0, 0), image.rect());
    return image;
}

}  // namespace velmaro
