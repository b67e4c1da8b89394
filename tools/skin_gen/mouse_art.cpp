// The mouse picture with its six buttons, the numbered button markers, and the
// DPI bars and value plates.
#include <QRadialGradient>
#include <QTransform>
#include <string>

#include "art.h"
#include "skin_layout.h"
#include "stroke_font.h"

namespace skin {
namespace {

namespace layout = velmaro::skin_layout;

// Centre of marker i (0..5) in the picture's own pixels.
QPointF MarkerCentre(int i) {
    const layout::Point m = layout::kButtonMarkers[i];
    return QPointF(m.x - layout::kMousePicture.x + layout::kMarkerSize / 2.0,
                   m.y - layout::kMousePicture.y + layout::kMarkerSize / 2.0);
}

// The shell seen from above, front at the top, symmetric about x = cx.
QPainterPath Shell(double cx) {
    // Right half as (dx, y) control points; the left half mirrors it.
    struct Seg {
        QPointF c1, c2, end;
    };
    const QPointF start(0, 10);
    const Seg right[] = {
        {{30, 8}, {54, 12}, {66, 24}},     {{84, 44}, {97, 110}, {97, 168}},
        {{97, 212}, {87, 238}, {86, 262}}, {{85, 290}, {96, 310}, {96, 336}},
        {{96, 384}, {58, 410}, {0, 410}},
    };
    auto at = [cx](QPointF d, double sign) { return QPointF(cx + sign * d.x(), d.y()); };
    QPainterPath path;
    path.moveTo(at(start, 1));
    for (const Seg& s : right) {
        path.cubicTo(at(s.c1, 1), at(s.c2, 1), at(s.end, 1));
    }
    for (int i = int(std::size(right)) - 1; i >= 0; --i) {
        const QPointF from = i > 0 ? right[i - 1].end : start;
        path.cubicTo(at(right[i].c2, -1), at(right[i].c1, -1), at(from, -1));
    }
    path.closeSubpath();
    return path;
}

// A main button's area: the front of the shell on one side of the centre line.
QPainterPath MainButton(double cx, double sign) {
    QPainterPath path;
    path.moveTo(cx + sign * 2.5, 0);
    path.lineTo(cx + sign * 2.5, 154);
    path.quadTo(cx + sign * 52, 166, cx + sign * 112, 134);
    path.lineTo(cx + sign * 112, 0);
    path.closeSubpath();
    return path;
}

QPainterPath Pill(const QRectF& r) {
    return RoundedRect(r, r.width() / 2);
}

void RaisedFill(QPainter& p, const QPainterPath& shape, const QColor& top, const QColor& bottom,
                const QColor& rim) {
    const QRectF b = shape.boundingRect();
    p.setPen(QPen(rim, 1.2));
    p.setBrush(Vertical(b, top, bottom));
    p.drawPath(shape);
}

QImage MousePicture() {
    QImage img = Canvas(layout::kMousePictureWidth, layout::kMousePictureHeight);
    QPainter p;
    Begin(p, img);
    const double cx = (MarkerCentre(0).x() + MarkerCentre(1).x()) / 2;  // 128.5
    const double wheelX = MarkerCentre(2).x();
    const QPainterPath shell = Shell(cx);

    // Shadow and a faint accent glow under the shell.
    Glow(p, shell.translated(0, 5), QColor(0, 0, 0, 255), 8);
    Glow(p, shell, WithAlpha(col::kAccent, 120), 5);

    // Body.
    QLinearGradient body(QPointF(cx - 100, 0), QPointF(cx + 100, 410));
    body.setColorAt(0, QColor(40, 40, 44));
    body.setColorAt(0.45, QColor(22, 22, 25));
    body.setColorAt(1, QColor(12, 12, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawPath(shell);

    p.save();
    p.setClipPath(shell);
    // Textured palm: fine diagonal grip lines behind the buttons.
    {
        QPainterPath palm = shell;
        for (double sign : {-1.0, 1.0}) {
            palm = palm.subtracted(MainButton(cx, sign));
        }
        p.save();
        p.setClipPath(palm, Qt::IntersectClip);
        Hatch(p, QRectF(0, 0, 260, 420), 5, QColor(255, 255, 255, 8));
        p.restore();
    }

    // Main buttons (1 left, 2 right), lighter than the body, with seams.
    for (double sign : {-1.0, 1.0}) {
        const QPainterPath b = MainButton(cx, sign);
        QLinearGradient g(QPointF(cx, 0), QPointF(cx + sign * 40, 160));
        g.setColorAt(0, QColor(82, 82, 90));
        g.setColorAt(0.5, QColor(54, 54, 60));
        g.setColorAt(1, QColor(38, 38, 43));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(b);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(6, 6, 7), 2.2));
        p.drawPath(b);
        p.setPen(QPen(QColor(118, 118, 128), 1));
        p.drawPath(b.translated(sign * 1.2, 1.6));
    }
    // Sheen on the left button's front.
    QRadialGradient sheen(QPointF(cx - 45, 40), 46);
    sheen.setColorAt(0, QColor(255, 255, 255, 40));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawEllipse(QPointF(cx - 45, 40), 46, 46);

    // Light strip along the rear, in the accent colour.
    p.setBrush(Qt::NoBrush);
    QPainterPath rear;
    rear.moveTo(cx - 88, 320);
    rear.cubicTo(QPointF(cx - 88, 392), QPointF(cx - 40, 402), QPointF(cx, 402));
    rear.cubicTo(QPointF(cx + 40, 402), QPointF(cx + 88, 392), QPointF(cx + 88, 320));
    Glow(p, rear, col::kAccent, 6);
    p.setPen(QPen(col::kAccentGlow, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(rear);
    p.restore();

    // Wheel (3) in its well, lit around the edge.
    const QRectF well(wheelX - 11, 84, 22, 60);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(5, 5, 6));
    p.drawPath(RoundedRect(well, 9));
    Glow(p, RoundedRect(well, 9), col::kAccent, 3);
    const QRectF wheel(wheelX - 6.5, 89, 13, 50);
    QLinearGradient roll(wheel.topLeft(), wheel.bottomLeft());
    roll.setColorAt(0, QColor(40, 40, 44));
    roll.setColorAt(0.5, QColor(120, 120, 128));
    roll.setColorAt(1, QColor(36, 36, 40));
    p.setBrush(roll);
    p.setPen(QPen(QColor(150, 150, 158), 1));
    p.drawPath(RoundedRect(wheel, 6));
    for (int y = 93; y < 137; y += 4) {
        HLine(p, int(wheel.left()) + 2, int(wheel.right()) - 2, y, QColor(20, 20, 22, 200));
    }

    // DPI button (6) behind the wheel, with its indicator light above it.
    const QPointF dpi = MarkerCentre(5);
    const QRectF dpiRect(dpi.x() - 8, dpi.y() - 13, 16, 26);
    RaisedFill(p, RoundedRect(dpiRect, 5), QColor(84, 84, 92), QColor(40, 40, 44),
               QColor(140, 140, 148));
    p.fillRect(QRectF(dpi.x() - 4, dpiRect.top() + 5, 8, 2), col::kAccentGlow);
    p.fillRect(QRectF(dpi.x() - 4, dpiRect.top() + 9, 8, 2), col::kAccent);
    p.fillRect(QRectF(dpi.x() - 4, dpiRect.top() + 13, 8, 2), col::kAccentDim);

    // Side buttons (4 forward, 5 back) on the left flank.
    for (int i : {3, 4}) {
        const QPointF c = MarkerCentre(i);
        const QRectF r(c.x() - 9, c.y() - 20, 18, 40);
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(i == 3 ? 4 : -5);
        t.translate(-c.x(), -c.y());
        const QPainterPath pill = t.map(Pill(r));
        Glow(p, pill, QColor(0, 0, 0), 3);
        RaisedFill(p, pill, QColor(92, 92, 100), QColor(44, 44, 48), QColor(150, 150, 158));
        p.setPen(QPen(QColor(255, 255, 255, 60), 1));
        p.drawLine(t.map(QLineF(c.x() - 3, r.top() + 6, c.x() - 3, r.bottom() - 6)));
    }

    // Emblem on the palm.
    const QPointF em(cx, 300);
    QPainterPath chevron;
    chevron.moveTo(em + QPointF(-16, -8));
    chevron.lineTo(em + QPointF(0, 8));
    chevron.lineTo(em + QPointF(16, -8));
    Glow(p, chevron, col::kAccent, 5);
    p.setPen(QPen(col::kAccentGlow, 2.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(chevron);

    // Rim.
    p.setPen(QPen(QColor(104, 104, 112), 1.4));
    p.drawPath(shell);
    p.end();
    return img;
}

QImage Marker(int number) {
    const int s = layout::kMarkerSize;
    QImage img = Canvas(s, s);
    QPainter p;
    Begin(p, img);
    const QPointF c(s / 2.0, s / 2.0);
    QPainterPath ring;
    ring.addEllipse(c, 9.5, 9.5);
    Glow(p, ring, col::kAccentGlow, 2.5);
    p.setPen(QPen(col::kAccent, 2));
    p.setBrush(QColor(8, 12, 16, 235));
    p.drawPath(ring);
    TextStyle style;
    style.cap = 10;
    style.weight = 1.8;
    style.colour = col::kTextHover;
    DrawTextCentred(p, std::to_string(number), c, style);
    p.end();
    return img;
}

QImage DpiBarBack() {
    QImage img = Canvas(7, 132);
    QPainter p(&img);
    p.fillRect(QRect(0, 0, 7, 132), QColor(46, 46, 50));
    p.fillRect(QRect(1, 1, 5, 130), QColor(10, 10, 11));
    for (int y = 12; y < 131; y += 12) {
        p.fillRect(QRect(1, y, 5, 1), QColor(28, 28, 31));
    }
    p.end();
    return img;
}

QImage DpiBarFill() {
    QImage img = Canvas(7, 132);
    QPainter p(&img);
    QLinearGradient g(QPointF(0, 0), QPointF(0, 132));
    g.setColorAt(0, col::kAccentGlow);
    g.setColorAt(0.35, col::kAccent);
    g.setColorAt(1, QColor(20, 70, 100));
    p.fillRect(QRect(0, 0, 7, 132), g);
    p.fillRect(QRect(2, 0, 1, 132), QColor(255, 255, 255, 70));
    p.fillRect(QRect(0, 0, 1, 132), QColor(0, 0, 0, 90));
    p.fillRect(QRect(6, 0, 1, 132), QColor(0, 0, 0, 90));
    p.fillRect(QRect(0, 0, 7, 1), col::kTextHover);
    p.end();
    return img;
}

// Plate behind a DPI number (the number is drawn in the top 11 pixels).
QImage DpiPlate() {
    QImage img = Canvas(34, 14);
    QPainter p;
    Begin(p, img);
    const QRectF r(0.5, 0.5, 33, 13);
    p.setPen(QPen(QColor(54, 54, 58), 1));
    p.setBrush(Vertical(r, QColor(28, 28, 30), QColor(16, 16, 18)));
    p.drawPath(RoundedRect(r, 2));
    HLine(p, 12, 21, 13, col::kAccentDim);
    p.end();
    return img;
}

}  // namespace

void DrawMouse(Sink& sink) {
    sink.SkinPng("mouse/mouse_nr.png", MousePicture());
    for (int n = 1; n <= 9; ++n) {
        sink.SkinPng(QString("mouse/number%1.png").arg(n), Marker(n));
    }
    sink.SkinPng("mouse/dpi_bar_1.png", DpiBarBack());
    sink.SkinPng("mouse/dpi_bar_2.png", DpiBarFill());
    sink.SkinPng("dpi_value.png", DpiPlate());
}

}  // namespace skin
