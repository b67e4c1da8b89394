// Backgrounds of the main window (resource 364) and of the colour palette
// dialog (resource 287), both 24-bit bitmaps.
#include <QRadialGradient>
#include <cmath>
#include <string>

#include "art.h"
#include "skin_layout.h"
#include "stroke_font.h"

namespace skin {
namespace {

namespace layout = velmaro::skin_layout;

QRect ToQRect(const layout::Rect& r) {
    return QRect(r.left, r.top, r.width, r.height);
}

void Panel(QPainter& p, const QRect& r, bool brackets) {
    p.fillRect(r, Vertical(r, QColor(22, 22, 24), QColor(14, 14, 15)));
    FrameRect(p, r, QColor(40, 40, 44));
    HLine(p, r.left() + 1, r.right() - 1, r.top() + 1, QColor(255, 255, 255, 12));
    if (brackets) {
        const int len = 12;
        p.fillRect(QRect(r.left(), r.top(), len, 2), col::kAccent);
        p.fillRect(QRect(r.left(), r.top(), 2, len), col::kAccent);
        p.fillRect(QRect(r.right() - len + 1, r.bottom() - 1, len, 2), col::kAccent);
        p.fillRect(QRect(r.right() - 1, r.bottom() - len + 1, 2, len), col::kAccent);
    }
}

void Logo(QPainter& p) {
    QPainterPath mark;
    mark.moveTo(24, 12);
    mark.lineTo(31, 25);
    mark.lineTo(38, 12);
    Glow(p, mark, col::kAccent, 4);
    p.setPen(QPen(col::kAccentGlow, 2.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mark);
    TextStyle word;
    word.cap = 12;
    word.weight = 1.9;
    word.spacing = 2.5;
    word.colour = QColor(226, 226, 230);
    DrawText(p, "VELMARO", QPointF(48, 12.5), word);
    const double end = 48 + TextWidth("VELMARO", word);
    const QRectF rule(48, 29, end - 48, 1);
    p.fillRect(rule, Horizontal(rule, col::kAccent, WithAlpha(col::kAccent, 0)));
}

// The mouse stands on a lit stage: glow, dot grid, scale rings and a floor.
void Stage(QPainter& p) {
    const QRect stage = ToQRect(layout::kStage);
    const QPointF c(layout::kMousePicture.x + layout::kMousePictureWidth / 2.0,
                    layout::kMousePicture.y + layout::kMousePictureHeight / 2.0 - 20);
    p.save();
    p.setClipRect(stage);
    QRadialGradient glow(c, 330);
    glow.setColorAt(0, WithAlpha(col::kAccent, 40));
    glow.setColorAt(0.6, WithAlpha(col::kAccent, 10));
    glow.setColorAt(1, WithAlpha(col::kAccent, 0));
    p.fillRect(stage, glow);

    // Dot grid, fading away from the mouse.
    for (int y = stage.top() + 8; y < stage.bottom(); y += 16) {
        for (int x = stage.left() + 8; x < stage.right(); x += 16) {
            const double d = std::hypot(x - c.x(), y - c.y());
            const int a = int(34 * std::max(0.0, 1 - d / 360));
            if (a > 2) {
                p.fillRect(QRect(x, y, 1, 1), QColor(140, 190, 220, a));
            }
        }
    }

    // Scale rings with lit arcs, like an instrument around the mouse.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(50, 50, 55), 1, Qt::DashLine));
    p.drawEllipse(c, 250, 250);
    const QRectF ring(c.x() - 226, c.y() - 226, 452, 452);
    p.setPen(QPen(WithAlpha(col::kAccent, 90), 2, Qt::SolidLine, Qt::FlatCap));
    for (int a : {100, 280}) {
        p.drawArc(ring, a * 16, 50 * 16);
    }
    p.setPen(QPen(WithAlpha(col::kAccent, 50), 1));
    for (int a : {20, 200}) {
        p.drawArc(ring.adjusted(-10, -10, 10, 10), a * 16, 30 * 16);
    }
    // Tick marks on the outer ring.
    for (int deg = 0; deg < 360; deg += 6) {
        const double rad = deg * M_PI / 180;
        const double r0 = deg % 30 == 0 ? 262 : 266;
        p.setPen(QPen(QColor(70, 70, 76, deg % 30 == 0 ? 200 : 110), 1));
        p.drawLine(QPointF(c.x() + r0 * std::cos(rad), c.y() + r0 * std::sin(rad)),
                   QPointF(c.x() + 270 * std::cos(rad), c.y() + 270 * std::sin(rad)));
    }

    // Floor under the mouse.
    const QPointF floor(c.x(), layout::kMousePicture.y + layout::kMousePictureHeight + 14);
    QRadialGradient pool(floor, 160);
    pool.setColorAt(0, WithAlpha(col::kAccent, 70));
    pool.setColorAt(1, WithAlpha(col::kAccent, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(pool);
    p.drawEllipse(floor, 170, 26);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(WithAlpha(col::kAccentGlow, 110), 1.2));
    p.drawEllipse(floor, 132, 17);
    p.restore();

    // Corner marks of the stage.
    const QColor mark(64, 64, 70);
    const int len = 14;
    for (const QPoint& corner :
         {stage.topLeft(), stage.topRight(), stage.bottomLeft(), stage.bottomRight()}) {
        const int dx = corner.x() == stage.left() ? 1 : -1;
        const int dy = corner.y() == stage.top() ? 1 : -1;
        p.fillRect(QRect(dx > 0 ? corner.x() : corner.x() - len + 1, corner.y(), len, 1), mark);
        p.fillRect(QRect(corner.x(), dy > 0 ? corner.y() : corner.y() - len + 1, 1, len), mark);
    }
}

// Numbered badges left of the button fields; the same numbers light up on the
// mouse when the pointer rests on a field.
void ButtonBadges(QPainter& p) {
    TextStyle digit;
    digit.cap = 9;
    digit.weight = 1.6;
    digit.colour = col::kText;
    for (int i = 0; i < 6; ++i) {
        const layout::Point c = layout::ButtonFieldBadgeCentre(i);
        const layout::Rect field = layout::ButtonField(i);
        HLine(p, c.x + 11, field.left - 1, c.y, QColor(56, 56, 60));
        p.setPen(QPen(col::kAccentDim, 1.5));
        p.setBrush(QColor(12, 12, 14));
        p.drawEllipse(QPointF(c.x + 0.5, c.y + 0.5), 10, 10);
        DrawTextCentred(p, std::to_string(i + 1), QPointF(c.x + 0.5, c.y + 0.5), digit);
    }
}

void PowerArea(QPainter& p) {
    const layout::Rect g = layout::kBatteryGauge;
    const QRect bay(g.left - 8, g.top - 6, g.width + 16, g.height + 12);
    p.fillRect(bay, QColor(9, 9, 10));
    FrameRect(p, bay, QColor(38, 38, 42));
    const layout::Rect dial = layout::kSleepDial;
    // A soft base under the dial's half circle.
    QRadialGradient base(QPointF(dial.left + 70, dial.top + 71), 80);
    base.setColorAt(0, WithAlpha(col::kAccent, 26));
    base.setColorAt(1, WithAlpha(col::kAccent, 0));
    p.fillRect(QRect(dial.left - 10, dial.top - 6, dial.width + 20, dial.height + 6), base);
    const layout::Rect panel = layout::kPowerPanel;
    HLine(p, panel.left + 14, panel.left + panel.width - 15, layout::kSleepDial.top - 8,
          QColor(40, 40, 44));
    HLine(p, panel.left + 14, panel.left + panel.width - 15, layout::kMoveLightingText.top - 5,
          QColor(40, 40, 44));
}

QImage MainBackground() {
    const int w = layout::kMainWidth, h = layout::kMainHeight;
    QImage img = OpaqueCanvas(w, h, col::kBase);
    QPainter p;
    Begin(p, img);
    const QRect all(0, 0, w, h);
    p.fillRect(all, Vertical(all, QColor(17, 17, 19), QColor(8, 8, 9)));
    Hatch(p, all, 7, QColor(255, 255, 255, 4));

    const QRect strip(0, 0, w, layout::kTitleStripHeight);
    p.fillRect(strip, Vertical(strip, QColor(32, 32, 35), QColor(19, 19, 21)));
    HLine(p, 0, w - 1, strip.bottom() - 1, QColor(48, 48, 52));
    HLine(p, 0, w - 1, strip.bottom(), QColor(4, 4, 4));
    Logo(p);

    Stage(p);
    Panel(p, ToQRect(layout::kButtonPanel), true);
    Panel(p, ToQRect(layout::kPowerPanel), true);
    const QRect column = ToQRect(layout::kSectionColumn);
    p.fillRect(column, QColor(12, 12, 13));
    FrameRect(p, column.adjusted(-1, 0, 1, 1), QColor(32, 32, 35));
    ButtonBadges(p);
    PowerArea(p);

    const QRect bottom(0, layout::kBottomStripTop, w, h - layout::kBottomStripTop);
    p.fillRect(bottom, Vertical(bottom, QColor(20, 20, 22), QColor(11, 11, 12)));
    HLine(p, 0, w - 1, bottom.top(), QColor(46, 46, 50));
    const QRectF glowLine(w / 2.0 - 300, bottom.top(), 600, 1);
    QLinearGradient fade(glowLine.topLeft(), glowLine.topRight());
    fade.setColorAt(0, WithAlpha(col::kAccent, 0));
    fade.setColorAt(0.5, col::kAccent);
    fade.setColorAt(1, WithAlpha(col::kAccent, 0));
    p.fillRect(glowLine, fade);
    p.end();
    return img;
}

// --- Colour palette ----------------------------------------------------------

// The frame colour picks nothing, so the colour fields never use it.
QColor Pickable(QColor c) {
    if (c.red() == 0x0F && c.green() == 0x0F && c.blue() == 0x0F) {
        c.setBlue(0x10);
    }
    return c;
}

void ColourField(QImage& img, const QRect& area) {
    for (int y = 0; y < area.height(); ++y) {
        const double t = double(y) / (area.height() - 1);
        for (int x = 0; x < area.width(); ++x) {
            const double hue = double(x) / area.width();
            // White at the top, the full colour in the middle, black at the bottom.
            const double sat = t < 0.5 ? t * 2 : 1.0;
            const double val = t < 0.5 ? 1.0 : 1.0 - (t - 0.5) * 2 * 0.97;
            img.setPixelColor(area.left() + x, area.top() + y,
                              Pickable(QColor::fromHsvF(float(hue), float(sat), float(val))));
        }
    }
}

void Swatches(QPainter& p, const QRect& area) {
    const int cols = 8, rows = 5, cw = 26, ch = 30, gap = 2;
    const int x0 = area.left() + (area.width() - (cols * cw + (cols - 1) * gap)) / 2;
    const int y0 = area.top() + (area.height() - (rows * ch + (rows - 1) * gap)) / 2;
    const int hues[cols] = {0, 30, 60, 120, 180, 210, 270, 310};
    const int greys[cols] = {255, 214, 176, 140, 108, 80, 56, 34};
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            QColor colour;
            switch (r) {
                case 0:
                    colour = QColor::fromHsv(hues[c], 255, 255);
                    break;
                case 1:
                    colour = QColor::fromHsv(hues[c], 140, 255);
                    break;
                case 2:
                    colour = QColor::fromHsv(hues[c], 255, 150);
                    break;
                case 3:
                    colour = QColor::fromHsv(hues[c], 60, 255);
                    break;
                default:
                    colour = QColor(greys[c], greys[c], greys[c]);
                    break;
            }
            p.fillRect(QRect(x0 + c * (cw + gap), y0 + r * (ch + gap), cw, ch), Pickable(colour));
        }
    }
}

QImage PaletteBackground() {
    const int w = layout::kPaletteWidth, h = layout::kPaletteHeight;
    QImage img = DialogFrame(w, h, 22);
    QPainter p;
    Begin(p, img);
    // Emblem: a small colour wheel in the title strip.
    QConicalGradient wheel(QPointF(14, 11), 0);
    for (int i = 0; i <= 6; ++i) {
        wheel.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 230, 255));
    }
    p.setPen(QPen(QColor(10, 10, 10), 1));
    p.setBrush(wheel);
    p.drawEllipse(QPointF(14, 11), 6, 6);

    const QRect field = ToQRect(layout::kPaletteField);
    const QRect swatches = ToQRect(layout::kPaletteSwatches);
    p.fillRect(field, col::kFrameLine);
    p.fillRect(swatches, col::kFrameLine);
    p.end();
    ColourField(img, field.adjusted(2, 2, -2, -2));
    Begin(p, img);
    p.setRenderHint(QPainter::Antialiasing, false);
    Swatches(p, swatches.adjusted(2, 2, -2, -2));

    const QRect preview = ToQRect(layout::kPalettePreview);
    FrameRect(p, preview.adjusted(-2, -2, 2, 2), col::kAccentDim);
    FrameRect(p, preview.adjusted(-1, -1, 1, 1), QColor(6, 6, 6));

    const QColor letters[3] = {QColor(236, 86, 80), QColor(96, 214, 110), QColor(80, 160, 250)};
    const char* names[3] = {"R", "G", "B"};
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int i = 0; i < 3; ++i) {
        const layout::Rect lr = layout::PaletteValueText(i);
        const QRect box = ToQRect(lr);
        p.fillRect(box, QColor(9, 9, 10));
        FrameRect(p, box, QColor(50, 50, 54));
        TextStyle s;
        s.cap = 9;
        s.weight = 1.7;
        s.colour = letters[i];
        DrawTextCentred(p, names[i], QPointF(lr.left - 12, lr.top + lr.height / 2.0), s);
    }
    p.end();
    return img;
}

}  // namespace

void DrawWindows(Sink& sink) {
    // The main window's background is drawn by every start: stored as it
    // is, it is decoded straight from the program's file.
    sink.ResourceBmp("364.bmp", "bitmap/364.bmp", MainBackground(), true);
    sink.ResourceBmp("287.bmp", "bitmap/287.bmp", PaletteBackground());
}

}  // namespace skin
