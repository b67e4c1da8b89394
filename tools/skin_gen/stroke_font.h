// A small angular stroke font for the few words and numbers that are part of
// the artwork itself (rate tiles, dial, markers, logo). It is drawn from line
// segments so the images come out the same on every machine, whatever fonts
// are installed.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPointF>
#include <string_view>

namespace skin {

struct TextStyle {
    double cap = 8;       // height of capitals and digits in pixels
    double weight = 1.4;  // stroke width in pixels
    double spacing = 0;   // extra gap between glyphs in pixels (added to the font's own)
    QColor colour = Qt::white;
};

// Width of the text in pixels (glyphs the font lacks are left out).
double TextWidth(std::string_view text, const TextStyle& style);

// Draws with the top of the capitals at topLeft.y().
void DrawText(QPainter& p, std::string_view text, QPointF topLeft, const TextStyle& style);

// Draws centred on centre (horizontally and on the capitals' height).
void DrawTextCentred(QPainter& p, std::string_view text, QPointF centre, const TextStyle& style);

}  // namespace skin
