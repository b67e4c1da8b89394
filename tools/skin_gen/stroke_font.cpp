#include "stroke_font.h"

#include <QPainterPath>
#include <initializer_list>
#include <vector>

namespace skin {
namespace {

// Glyphs live on a grid 4 units wide and 6 units high (capital height); the
// lower-case z sits on the x-height, from 2.5 down to 6.
struct Glyph {
    char c;
    double width;
    std::vector<std::vector<QPointF>> strokes;
};

using Stroke = std::vector<QPointF>;

const std::vector<Glyph>& Glyphs() {
    static const std::vector<Glyph> glyphs = {
        {'0', 4, {{{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}}}},
        {'1', 3, {{{0.5, 1.2}, {2, 0}, {2, 6}}, {{0.5, 6}, {3, 6}}}},
        {'2', 4, {{{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2.4}, {0, 6}, {4, 6}}}},
        {'3',
         4,
         {{{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {1.4, 3}},
          {{3, 3}, {4, 4}, {4, 5}, {3, 6}, {1, 6}, {0, 5}}}},
        {'4', 4, {{{3, 6}, {3, 0}, {0, 4.2}, {4, 4.2}}}},
        {'5', 4, {{{4, 0}, {0.4, 0}, {0, 2.8}, {3, 2.8}, {4, 3.8}, {4, 5}, {3, 6}, {0, 6}}}},
        {'6',
         4,
         {{{3.4, 0}, {1, 0}, {0, 1}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 4}, {3, 3}, {0, 3}}}},
        {'7', 4, {{{0, 0}, {4, 0}, {4, 1}, {1.6, 6}}}},
        {'8',
         4,
         {{{1, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {1, 3}, {0, 2}, {0, 1}, {1, 0}},
          {{1, 3}, {0, 4}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 4}, {3, 3}}}},
        {'9',
         4,
         {{{0.6, 6}, {3, 6}, {4, 5}, {4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 2}, {1, 3}, {4, 3}}}},
        {'A', 4, {{{0, 6}, {0, 2}, {2, 0}, {4, 2}, {4, 6}}, {{0, 4}, {4, 4}}}},
        {'B',
         4,
         {{{0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {0, 3}},
          {{3, 3}, {4, 4}, {4, 5}, {3, 6}, {0, 6}, {0, 0}}}},
        {'C', 4, {{{4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 5}, {1, 6}, {3, 6}, {4, 5}}}},
        {'D', 4, {{{0, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {0, 6}, {0, 0}}}},
        {'E', 4, {{{4, 0}, {0, 0}, {0, 6}, {4, 6}}, {{0, 3}, {3, 3}}}},
        {'G',
         4,
         {{{4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 3}, {2, 3}}}},
        {'H', 4, {{{0, 0}, {0, 6}}, {{4, 0}, {4, 6}}, {{0, 3}, {4, 3}}}},
        {'I', 0, {{{0, 0}, {0, 6}}}},
        {'L', 4, {{{0, 0}, {0, 6}, {4, 6}}}},
        {'M', 5, {{{0, 6}, {0, 0}, {2.5, 3.2}, {5, 0}, {5, 6}}}},
        {'N', 4, {{{0, 6}, {0, 0}, {4, 6}, {4, 0}}}},
        {'O', 4, {{{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}}}},
        {'P', 4, {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {0, 3}}}},
        {'R', 4, {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {0, 3}}, {{2, 3}, {4, 6}}}},
        {'V', 4, {{{0, 0}, {2, 6}, {4, 0}}}},
        {'z', 3.2, {{{0, 2.6}, {3.2, 2.6}, {0, 6}, {3.2, 6}}}},
    };
    return glyphs;
}

const Glyph* Find(char c) {
    for (const Glyph& g : Glyphs()) {
        if (g.c == c) {
            return &g;
        }
    }
    return nullptr;
}

// Gap between glyphs, in grid units, and the width of a space.
constexpr double kGap = 1.6;
constexpr double kSpace = 3;

}  // namespace

double TextWidth(std::string_view text, const TextStyle& style) {
    const double unit = style.cap / 6;
    double w = 0;
    bool first = true;
    for (char c : text) {
        if (!first) {
            w += kGap * unit + style.spacing;
        }
        first = false;
        if (c == ' ') {
            w += kSpace * unit;
        } else if (const Glyph* g = Find(c)) {
            w += g->width * unit;
        }
    }
    return w;
}

void DrawText(QPainter& p, std::string_view text, QPointF topLeft, const TextStyle& style) {
    const double unit = style.cap / 6;
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(style.colour, style.weight, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    double x = topLeft.x();
    bool first = true;
    for (char c : text) {
        if (!first) {
            x += kGap * unit + style.spacing;
        }
        first = false;
        if (c == ' ') {
            x += kSpace * unit;
            continue;
        }
        const Glyph* g = Find(c);
        if (g == nullptr) {
            continue;
        }
        for (const Stroke& s : g->strokes) {
            QPainterPath path;
            for (std::size_t i = 0; i < s.size(); ++i) {
                const QPointF pt(x + s[i].x() * unit, topLeft.y() + s[i].y() * unit);
                if (i == 0) {
                    path.moveTo(pt);
                } else {
                    path.lineTo(pt);
                }
            }
            p.drawPath(path);
        }
        x += g->width * unit;
    }
    p.restore();
}

void DrawTextCentred(QPainter& p, std::string_view text, QPointF centre, const TextStyle& style) {
    const double w = TextWidth(text, style);
    DrawText(p, text, QPointF(centre.x() - w / 2, centre.y() - style.cap / 2), style);
}

}  // namespace skin
