#include "ui/tiled_picture.h"

#include <QColor>
#include <QList>
#include <algorithm>
#include <array>

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

}  // namespace

TiledPicture::TiledPicture(const QImage& picture) {
    if (picture.isNull()) {
        return;
    }
    const bool rgb888 = picture.format() == QImage::Format_RGB888;
    const QImage image = rgb888 || picture.format() == QImage::Format_RGB32
                             ? picture
                             : picture.convertToFormat(QImage::Format_RGB32);
    size_ = image.size();
    columns_ = (size_.width() + kSide - 1) / kSide;
    tiles_.resize(size_t(columns_) * size_t((size_.height() + kSide - 1) / kSide));
    std::array<uint8_t, size_t(kSide) * kSide> numbers{};
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
                                           : reinterpret_cast<const QRgb*>(line)[at] | 0xFF000000U;
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
            pixels_.push_back(image.copy(area));
            continue;
        }
        tile.Count = uint16_t(colours.Count());
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

void TiledPicture::Draw(QPainter& p, const QRect& area) const {
    const QRect part = area.intersected(QRect(QPoint(0, 0), size_));
    if (part.isEmpty()) {
        return;
    }
    for (int row = part.top() / kSide; row <= part.bottom() / kSide; ++row) {
        for (int column = part.left() / kSide; column <= part.right() / kSide; ++column) {
            DrawTile(p, size_t(row) * size_t(columns_) + size_t(column));
        }
    }
}

void TiledPicture::DrawTile(QPainter& p, size_t t) const {
    const Tile& tile = tiles_[t];
    const QRect area = Area(t);
    if (tile.Bits == kPixels) {
        p.drawImage(area.topLeft(), pixels_[tile.First]);
        return;
    }
    const QRgb* colours = colours_.data() + tile.FirstColour;
    if (tile.Bits == 0) {
        p.fillRect(area, QColor::fromRgb(colours[0]));
        return;
    }
    // The numbers spread to a byte each, which the painter reads as an
    // 8-bit picture with the square's colours.
    alignas(4) std::array<uchar, size_t(kSide) * kSide> numbers;
    const uint8_t* in = bits_.data() + tile.First;
    const int rowBytes = RowBytes(area.width(), tile.Bits);
    const unsigned mask = (1U << tile.Bits) - 1;
    for (int y = 0; y < area.height(); ++y, in += rowBytes) {
        uchar* out = numbers.data() + size_t(y) * kSide;
        for (int x = 0; x < area.width(); ++x) {
            const int bit = x * tile.Bits;
            out[x] = uchar((in[bit / 8] >> (8 - tile.Bits - bit % 8)) & mask);
        }
    }
    QImage square(numbers.data(), area.width(), area.height(), kSide, QImage::Format_Indexed8);
    square.setColorTable(QList<QRgb>(colours, colours + tile.Count));
    p.drawImage(area.topLeft(), square);
}

QImage TiledPicture::ToImage() const {
    QImage image(size_, QImage::Format_RGB32);
    if (image.isNull()) {
        return image;
    }
    QPainter p(&image);
    Draw(p, image.rect());
    return image;
}

}  // namespace velmaro
