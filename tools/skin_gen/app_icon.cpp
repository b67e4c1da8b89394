// The icon: a mouse outline with a lit wheel on a dark rounded tile.
#include "app_icon.h"

#include <QTextStream>
#include <vector>

#include "kit.h"

namespace skin {
namespace {

// One shape of the icon: a rounded rectangle (filled with a vertical
// gradient, outlined) or a straight stroke with square ends.
struct Shape {
    enum class Kind { Box, Stroke };
    Kind kind;
    QRectF box;  // Box: the rectangle; Stroke: from topLeft to bottomRight
    double radius = 0;
    QColor fillTop, fillBottom;  // invalid: no fill
    QColor pen;                  // invalid: no outline
    double penWidth = 0;
};

std::vector<Shape> Shapes() {
    const QColor none;
    const QRectF kWheelFrom(QPointF(32, 10), QPointF(32, 28));
    const QRectF kSplit(QPointF(19, 28), QPointF(45, 28));
    return {
        // The tile.
        {Shape::Kind::Box, QRectF(1, 1, 62, 62), 13, QColor(34, 34, 38), QColor(10, 10, 12),
         col::kAccentDim, 1.5},
        // The mouse body, its middle seam and the line between the buttons.
        {Shape::Kind::Box, QRectF(18, 9, 28, 46), 14, QColor(16, 16, 18), QColor(16, 16, 18),
         col::kAccent, 4},
        {Shape::Kind::Stroke, kWheelFrom, 0, none, none, col::kAccent, 3},
        {Shape::Kind::Stroke, kSplit, 0, none, none, col::kAccent, 3},
        // The lit wheel.
        {Shape::Kind::Box, QRectF(29, 15, 6, 9), 3, col::kAccentGlow, col::kAccentGlow, none, 0},
    };
}

QString Number(double v) {
    return QString::number(v, 'g', 6);
}

QString Rgb(const QColor& c) {
    return c.name(QColor::HexRgb);
}

}  // namespace

QImage AppIcon(int size) {
    QImage img = Canvas(size, size);
    QPainter p;
    Begin(p, img);
    p.scale(size / 64.0, size / 64.0);
    for (const Shape& s : Shapes()) {
        if (s.pen.isValid()) {
            QPen pen(s.pen, s.penWidth);
            pen.setCapStyle(Qt::SquareCap);
            p.setPen(pen);
        } else {
            p.setPen(Qt::NoPen);
        }
        if (s.kind == Shape::Kind::Stroke) {
            p.drawLine(s.box.topLeft(), s.box.bottomRight());
            continue;
        }
        p.setBrush(s.fillTop.isValid() ? QBrush(Vertical(s.box, s.fillTop, s.fillBottom))
                                       : QBrush(Qt::NoBrush));
        p.drawPath(RoundedRect(s.box, s.radius));
    }
    p.end();
    return img;
}

QString AppIconSvg() {
    QString svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" "
           "viewBox=\"0 0 64 64\">\n";
    const std::vector<Shape> shapes = Shapes();
    out << "  <defs>\n";
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const Shape& s = shapes[i];
        if (s.kind == Shape::Kind::Box && s.fillTop.isValid() && s.fillTop != s.fillBottom) {
            out << "    <linearGradient id=\"g" << i
                << "\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" << Number(s.box.top())
                << "\" x2=\"0\" y2=\"" << Number(s.box.bottom()) << "\">"
                << "<stop offset=\"0\" stop-color=\"" << Rgb(s.fillTop) << "\"/>"
                << "<stop offset=\"1\" stop-color=\"" << Rgb(s.fillBottom) << "\"/>"
                << "</linearGradient>\n";
        }
    }
    out << "  </defs>\n";
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const Shape& s = shapes[i];
        const QString stroke =
            s.pen.isValid()
                ? QString(" stroke=\"%1\" stroke-width=\"%2\"").arg(Rgb(s.pen), Number(s.penWidth))
                : QString(" stroke=\"none\"");
        if (s.kind == Shape::Kind::Stroke) {
            out << "  <line x1=\"" << Number(s.box.left()) << "\" y1=\"" << Number(s.box.top())
                << "\" x2=\"" << Number(s.box.right()) << "\" y2=\"" << Number(s.box.bottom())
                << "\"" << stroke << " stroke-linecap=\"square\"/>\n";
            continue;
        }
        QString fill = "none";
        if (s.fillTop.isValid()) {
            fill = s.fillTop == s.fillBottom ? Rgb(s.fillTop) : QString("url(#g%1)").arg(i);
        }
        out << "  <rect x=\"" << Number(s.box.x()) << "\" y=\"" << Number(s.box.y())
            << "\" width=\"" << Number(s.box.width()) << "\" height=\"" << Number(s.box.height())
            << "\" rx=\"" << Number(s.radius) << "\" fill=\"" << fill << "\"" << stroke << "/>\n";
    }
    out << "</svg>\n";
    return svg;
}

}  // namespace skin
