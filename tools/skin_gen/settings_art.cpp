// Report-rate tiles, the sleep-time dial and the battery pieces.
#include <QRadialGradient>
#include <cmath>
#include <string>

#include "art.h"
#include "stroke_font.h"

namespace skin {
namespace {

// --- Report rate -----------------------------------------------------------

// The four tiles form a 2 x 2 square (125 and 1000 on top, 250 and 500 below)
// whose rate caption is drawn across its middle; the tiles leave a channel
// there, so the top tiles sit high and the bottom ones low.
QImage RateTile(int hz, int bars, bool top, bool selected) {
    QImage img = Canvas(72, 72);
    QPainter p;
    Begin(p, img);
    const QRectF r = top ? QRectF(4.5, 4.5, 63, 55) : QRectF(4.5, 12.5, 63, 55);
    if (selected) {
        Glow(p, Chamfered(r, 7), col::kAccent, 4);
    }
    p.setPen(QPen(selected ? col::kAccent : QColor(60, 60, 65), selected ? 1.6 : 1));
    p.setBrush(selected ? Vertical(r, QColor(26, 70, 98), QColor(10, 26, 38))
                        : Vertical(r, QColor(34, 34, 37), QColor(19, 19, 21)));
    p.drawPath(Chamfered(r, 7));

    // Signal bars in the corner: more bars for a faster rate.
    for (int i = 0; i < 4; ++i) {
        const QRectF bar(r.right() - 19 + i * 4, r.top() + 14 - (3 + 2 * i), 2.6, 3 + 2 * i);
        QColor c = i < bars ? (selected ? col::kAccentGlow : QColor(130, 130, 136))
                            : (selected ? QColor(30, 80, 110) : QColor(52, 52, 56));
        p.fillRect(bar, c);
    }

    TextStyle number;
    number.cap = 13;
    number.weight = 2.1;
    number.spacing = 0.5;
    number.colour = selected ? col::kTextHover : col::kText;
    const double mid = r.center().y() + 2;
    DrawTextCentred(p, std::to_string(hz), QPointF(r.center().x(), mid - 4), number);
    TextStyle unit;
    unit.cap = 7;
    unit.weight = 1.3;
    unit.colour = selected ? col::kAccentGlow : col::kMuted;
    DrawTextCentred(p, "Hz", QPointF(r.center().x(), mid + 13), unit);
    p.end();
    return img;
}

// --- Sleep dial --------------------------------------------------------------

// The dial's wedges are hit-tested by the program as triangles from the centre
// (70, 71) through these outer points; the artwork follows the same angles.
constexpr QPointF kDialCentre(70, 71);
constexpr QPointF kDialPoints[9] = {{3, 71},   {7, 51},   {17, 32},  {40, 13}, {70, 5},
                                    {100, 14}, {121, 31}, {131, 51}, {134, 71}};

double AngleOf(QPointF pt) {
    return std::atan2(kDialCentre.y() - pt.y(), pt.x() - kDialCentre.x()) * 180 / M_PI;
}

QPainterPath Sector(double r0, double r1, double fromDeg, double toDeg) {
    // Angles counter-clockwise from the right, as QPainterPath::arcTo takes them.
    const QPointF c = kDialCentre;
    QPainterPath path;
    path.arcMoveTo(QRectF(c.x() - r1, c.y() - r1, 2 * r1, 2 * r1), fromDeg);
    path.arcTo(QRectF(c.x() - r1, c.y() - r1, 2 * r1, 2 * r1), fromDeg, toDeg - fromDeg);
    path.arcTo(QRectF(c.x() - r0, c.y() - r0, 2 * r0, 2 * r0), toDeg, fromDeg - toDeg);
    path.closeSubpath();
    return path;
}

QImage SleepDial(int minutes) {
    QImage img = Canvas(140, 90);
    QPainter p;
    Begin(p, img);
    const double gap = 1.4;
    for (int v = 3; v <= 10; ++v) {
        const int i = v - 3;
        const double a0 = AngleOf(kDialPoints[i + 1]) + gap / 2;  // right edge of the wedge
        const double a1 = AngleOf(kDialPoints[i]) - gap / 2;      // left edge
        const QPainterPath wedge = Sector(33, 62, a0, a1);
        const bool lit = v <= minutes;
        if (v == minutes) {
            Glow(p, wedge, col::kAccent, 4);
            p.setPen(QPen(col::kTextHover, 1));
            QRadialGradient g(kDialCentre, 62);
            g.setColorAt(0.5, col::kAccent);
            g.setColorAt(1, col::kAccentGlow);
            p.setBrush(g);
        } else if (lit) {
            const double t = double(i) / 7;
            p.setPen(QPen(Mix(col::kAccentDim, col::kAccent, 0.5 + t / 2), 1));
            p.setBrush(Mix(QColor(18, 54, 76), col::kAccentDim, t));
        } else {
            p.setPen(QPen(QColor(54, 54, 58), 1));
            p.setBrush(QColor(28, 28, 31));
        }
        p.drawPath(wedge);

        const double mid = (a0 + a1) / 2 * M_PI / 180;
        const QPointF at(kDialCentre.x() + 48 * std::cos(mid),
                         kDialCentre.y() - 48 * std::sin(mid));
        TextStyle label;
        label.cap = 7;
        label.weight = 1.25;
        label.colour = v == minutes ? QColor(6, 16, 24)
                       : lit        ? col::kTextHover
                                    : QColor(112, 112, 118);
        DrawTextCentred(p, std::to_string(v), at, label);
    }

    // Outer scale: lit up to the chosen time.
    const double reach = AngleOf(kDialPoints[minutes - 2]);
    p.setBrush(Qt::NoBrush);
    QPainterPath scale;
    scale.arcMoveTo(QRectF(kDialCentre.x() - 66, kDialCentre.y() - 66, 132, 132), 180);
    scale.arcTo(QRectF(kDialCentre.x() - 66, kDialCentre.y() - 66, 132, 132), 180, -180);
    p.setPen(QPen(QColor(46, 46, 50), 1.5));
    p.drawPath(scale);
    QPainterPath litScale;
    litScale.arcMoveTo(QRectF(kDialCentre.x() - 66, kDialCentre.y() - 66, 132, 132), 180);
    litScale.arcTo(QRectF(kDialCentre.x() - 66, kDialCentre.y() - 66, 132, 132), 180, reach - 180);
    p.setPen(QPen(col::kAccent, 1.5));
    p.drawPath(litScale);

    // Hub with the chosen time.
    QPainterPath hub;
    hub.moveTo(kDialCentre + QPointF(-28, 0));
    hub.arcTo(QRectF(kDialCentre.x() - 28, kDialCentre.y() - 28, 56, 56), 180, -180);
    hub.closeSubpath();
    p.setPen(QPen(col::kAccentDim, 1.5));
    p.setBrush(QColor(16, 16, 18));
    p.drawPath(hub);
    HLine(p, 2, 137, 72, QColor(54, 54, 58));
    TextStyle big;
    big.cap = 15;
    big.weight = 2.4;
    big.spacing = 0.5;
    big.colour = col::kTextHover;
    DrawTextCentred(p, std::to_string(minutes), QPointF(70, 58), big);
    TextStyle unit;
    unit.cap = 6;
    unit.weight = 1.2;
    unit.spacing = 0.5;
    unit.colour = col::kText;
    DrawTextCentred(p, "MIN", QPointF(70, 81), unit);
    p.end();
    return img;
}

// --- Battery -------------------------------------------------------------------

// 30 x 61 pieces: terminal on top, the fill area is rows 7..56 (50 rows), the
// partial drawing shows the bottom part of the full image over the empty one.
enum class Cell { Empty, Full, Charging };

QImage Battery(Cell cell) {
    QImage img = Canvas(30, 61);
    QPainter p(&img);
    const QColor rim(128, 128, 134);
    p.fillRect(QRect(10, 0, 10, 3), rim);
    p.fillRect(QRect(1, 3, 28, 58), rim);
    p.fillRect(QRect(3, 5, 24, 54), QColor(12, 12, 13));
    // Five segments of ten rows, the tenth row of each left dark.
    for (int k = 0; k < 5; ++k) {
        const QRect seg(5, 7 + 10 * k, 20, 9);
        if (cell == Cell::Empty) {
            p.fillRect(seg, QColor(26, 26, 28));
            continue;
        }
        const QColor edge = cell == Cell::Full ? QColor(36, 130, 58) : QColor(24, 96, 140);
        const QColor core = cell == Cell::Full ? col::kGreen : col::kAccent;
        QLinearGradient g(QPointF(seg.left(), 0), QPointF(seg.right() + 1, 0));
        g.setColorAt(0, edge);
        g.setColorAt(0.35, core);
        g.setColorAt(1, edge);
        p.fillRect(seg, g);
        p.fillRect(QRect(seg.left(), seg.top(), seg.width(), 1), QColor(255, 255, 255, 70));
    }
    // Rounded body corners.
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QPoint& corner : {QPoint(1, 3), QPoint(28, 3), QPoint(1, 60), QPoint(28, 60)}) {
        p.fillRect(QRect(corner, QSize(1, 1)), Qt::transparent);
    }
    p.end();
    return img;
}

QImage Bolt() {
    QImage img = Canvas(30, 61);
    QPainter p;
    Begin(p, img);
    QPolygonF bolt;
    bolt << QPointF(18, 12) << QPointF(8, 34) << QPointF(14.5, 34) << QPointF(11, 50)
         << QPointF(22.5, 27) << QPointF(16, 27) << QPointF(20.5, 12);
    p.setPen(QPen(QColor(8, 8, 8), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Vertical(bolt.boundingRect(), QColor(255, 255, 150), col::kTextPressed));
    p.drawPolygon(bolt);
    p.end();
    return img;
}

QImage LegendChip(const QColor& c) {
    QImage img = Canvas(16, 8);
    QPainter p;
    Begin(p, img);
    const QRectF r(0.5, 0.5, 15, 7);
    p.setPen(QPen(c.darker(160), 1));
    p.setBrush(Vertical(r, c.lighter(125), c));
    p.drawPath(RoundedRect(r, 2));
    p.end();
    return img;
}

}  // namespace

void DrawSettings(Sink& sink) {
    struct Rate {
        int hz;
        int bars;
        bool top;
    };
    for (const Rate& r :
         {Rate{125, 1, true}, Rate{250, 2, false}, Rate{500, 3, false}, Rate{1000, 4, true}}) {
        const QString base = QString::number(r.hz) + "hz";
        sink.SkinPng(base + "_nr.png", RateTile(r.hz, r.bars, r.top, false));
        sink.SkinPng(base + "_dn.png", RateTile(r.hz, r.bars, r.top, true));
    }
    for (int minutes = 3; minutes <= 10; ++minutes) {
        sink.SkinPng(QString("power_manage_%1min.png").arg(minutes), SleepDial(minutes));
    }
    sink.SkinPng("battery_full.png", Battery(Cell::Full));
    sink.SkinPng("battery_empty.png", Battery(Cell::Empty));
    sink.SkinPng("battery_charging.png", Battery(Cell::Charging));
    sink.SkinPng("battery_lighting.png", Bolt());
    sink.SkinPng("battery_green.png", LegendChip(col::kGreen));
    sink.SkinPng("battery_orange.png", LegendChip(col::kOrange));
    sink.SkinPng("battery_red.png", LegendChip(col::kDanger));
}

}  // namespace skin
