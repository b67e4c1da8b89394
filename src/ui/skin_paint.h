// Small drawing helpers shared by the skinned windows: colours given as
// 0x00BBGGRR words, fonts given as a face and a cell height in pixels, text
// laid out with the DT_ style flags, and images copied pixel for pixel.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <cstdint>
#include <string_view>

#include "model/language_table.h"

namespace velmaro {

// Text layout flags, with the values the skin tables use.
inline constexpr uint32_t kDtLeft = 0x0;
inline constexpr uint32_t kDtCenter = 0x1;
inline constexpr uint32_t kDtRight = 0x2;
inline constexpr uint32_t kDtVCenter = 0x4;  // only together with kDtSingleLine
inline constexpr uint32_t kDtWordBreak = 0x10;
inline constexpr uint32_t kDtSingleLine = 0x20;
inline constexpr uint32_t kDtWordEllipsis = 0x40000;

// A colour word: red in the low byte, blue in the third.
inline QColor ColorRefToQColor(uint32_t c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

// A font whose line (ascent + descent) is `cell_height` pixels, as a
// positive font height asks for.
QFont SkinFont(std::u16string_view face, int cell_height);
inline QFont SkinFont(const UiFont& font) {
    return SkinFont(font.Face, font.Height);
}

// Draws `text` into `rect` as the flags say; nothing outside `rect` is
// touched. Single-line text is cut with "..." when it does not fit;
// word-wrapped text that runs below the rectangle is cut off.
void DrawSkinText(QPainter& painter, const QRect& rect, const QString& text, uint32_t format);

// Copies `source` of `image` into `dest`, scaled by nearest neighbour.
void DrawSkinImage(QPainter& painter, const QRect& dest, const QImage& image, const QRect& source);
inline void DrawSkinImage(QPainter& painter, const QRect& dest, const QImage& image) {
    DrawSkinImage(painter, dest, image, image.rect());
}

}  // namespace velmaro
