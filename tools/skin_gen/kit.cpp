#include "kit.h"

#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace skin {

QColor Mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto mix = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()),
                  mix(a.alpha(), b.alpha()));
}

void Sink::SkinPng(const QString& path, const QImage& image) {
    outputs_.push_back({Output::Root::Skins, path, {}, Output::Format::Png, image});
}

void Sink::SkinBmp(const QString& path, const QImage& image) {
    outputs_.push_back({Output::Root::Skins, path, {}, Output::Format::Bmp24, image});
}

void Sink::ResourcePng(const QString& path, const QString& alias, const QImage& image) {
    outputs_.push_back({Output::Root::Resources, path, alias, Output::Format::Png, image});
}

void Sink::ResourceBmp(const QString& path, const QString& alias, const QImage& image,
                       bool stored) {
    outputs_.push_back(
        {Output::Root::Resources, path, alias, Output::Format::Bmp24, image, stored});
}

const QImage* Sink::Find(const QString& path) const {
    for (const Output& o : outputs_) {
        if (o.path == path) {
            return &o.image;
        }
    }
    return nullptr;
}

QImage Canvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage OpaqueCanvas(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void Begin(QPainter& p, QImage& image) {
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
}

QPainterPath RoundedRect(const QRectF& r, double radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QPainterPath Chamfered(const QRectF& r, double cut) {
    QPolygonF poly;
    poly << QPointF(r.left() + cut, r.top()) << QPointF(r.right() - cut, r.top())
         << QPointF(r.right(), r.top() + cut) << QPointF(r.right(), r.bottom() - cut)
         << QPointF(r.right() - cut, r.bottom()) << QPointF(r.left() + cut, r.bottom())
         << QPointF(r.left(), r.bottom() - cut) << QPointF(r.left(), r.top() + cut);
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

QPainterPath SlantedRect(const QRectF& r, double cut) {
    QPolygonF poly;
    poly << QPointF(r.left() + cut, r.top()) << QPointF(r.right(), r.top())
         << QPointF(r.right(), r.bottom() - cut) << QPointF(r.right() - cut, r.bottom())
         << QPointF(r.left(), r.bottom()) << QPointF(r.left(), r.top() + cut);
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

QLinearGradient Vertical(const QRectF& r, const QColor& top, const QColor& bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

QLinearGradient Horizontal(const QRectF& r, const QColor& left, const QColor& right) {
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, left);
    g.setColorAt(1, right);
    return g;
}

void Glow(QPainter& p, const QPainterPath& shape, const QColor& colour, double radius) {
    p.save();
    p.setBrush(Qt::NoBrush);
    const int steps = std::max(2, int(radius));
    for (int i = steps; i >= 1; --i) {
        const double w = 2.0 * radius * i / steps;
        const double fall = 1.0 - double(i) / (steps + 1);
        QColor c = colour;
        c.setAlphaF(colour.alphaF() * fall * fall * 0.35);
        p.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(shape);
    }
    p.restore();
}

void HLine(QPainter& p, int x0, int x1, int y, const QColor& c) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(x0, y, x1 - x0 + 1, 1), c);
    p.restore();
}

void VLine(QPainter& p, int x, int y0, int y1, const QColor& c) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(x, y0, 1, y1 - y0 + 1), c);
    p.restore();
}

void FrameRect(QPainter& p, const QRect& r, const QColor& c) {
    HLine(p, r.left(), r.right(), r.top(), c);
    HLine(p, r.left(), r.right(), r.bottom(), c);
    VLine(p, r.left(), r.top(), r.bottom(), c);
    VLine(p, r.right(), r.top(), r.bottom(), c);
}

namespace {

// Unit direction vectors: 0 up, 1 right, 2 down, 3 left.
QPointF Dir(int direction) {
    switch (direction & 3) {
        case 0:
            return {0, -1};
        case 1:
            return {1, 0};
        case 2:
            return {0, 1};
        default:
            return {-1, 0};
    }
}

}  // namespace

void Chevron(QPainter& p, QPointF centre, double size, int direction, const QColor& c,
             double width) {
    const QPointF d = Dir(direction);
    const QPointF n(-d.y(), d.x());
    const double h = size / 2;
    QPainterPath path;
    path.moveTo(centre - d * (h / 2) + n * h);
    path.lineTo(centre + d * (h / 2));
    path.lineTo(centre - d * (h / 2) - n * h);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.restore();
}

void Triangle(QPainter& p, QPointF centre, double size, int direction, const QColor& c) {
    const QPointF d = Dir(direction);
    const QPointF n(-d.y(), d.x());
    const double h = size / 2;
    QPolygonF poly;
    poly << centre + d * h * 0.8 << centre - d * h * 0.6 + n * h << centre - d * h * 0.6 - n * h;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(poly);
    p.restore();
}

void CheckMark(QPainter& p, const QRectF& box, const QColor& c, double width) {
    QPainterPath path;
    path.moveTo(box.left() + box.width() * 0.18, box.top() + box.height() * 0.52);
    path.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.76);
    path.lineTo(box.left() + box.width() * 0.84, box.top() + box.height() * 0.26);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(path);
    p.restore();
}

void Hatch(QPainter& p, const QRectF& area, int spacing, const QColor& c) {
    p.save();
    p.setClipRect(area, Qt::IntersectClip);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(c, 1));
    const int span = int(area.width() + area.height());
    for (int k = 0; k < span; k += spacing) {
        p.drawLine(QPointF(area.left() + k, area.top()),
                   QPointF(area.left() + k - area.height(), area.bottom()));
    }
    p.restore();
}

}  // namespace skin
