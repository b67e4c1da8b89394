// Macro manager: record button, action icons and folder icons (list rows are
// 20 pixels high, the icons 16 x 16).
#include "art.h"

namespace skin {
namespace {

QImage RecordButton(bool recording) {
    const int w = 90, h = 18;
    QImage img = Canvas(w, h);
    QPainter p;
    Begin(p, img);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    p.setPen(QPen(recording ? col::kDanger : QColor(72, 72, 78), 1));
    p.setBrush(recording ? Vertical(r, QColor(86, 24, 22), QColor(44, 12, 12))
                         : Vertical(r, QColor(36, 36, 40), QColor(20, 20, 22)));
    p.drawPath(RoundedRect(r, h / 2.0 - 0.5));
    const QPointF dot(10, 9);
    if (recording) {
        QPainterPath d;
        d.addEllipse(dot, 4, 4);
        Glow(p, d, QColor(255, 80, 60), 3);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 84, 68));
        p.drawEllipse(dot, 4.2, 4.2);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(140, 40, 36));
        p.drawEllipse(dot, 4, 4);
    }
    p.end();
    return img;
}

// Key press (arrow down onto a key) and key release (arrow up from it).
QImage KeyAction(bool press) {
    QImage img = Canvas(16, 16);
    QPainter p;
    Begin(p, img);
    const QColor c = press ? col::kAccent : QColor(150, 208, 140);
    p.setPen(QPen(c, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(2.5, press ? 10.5 : 10.5, 11, 4), 1.5, 1.5);
    p.setPen(QPen(c, 2, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(QPointF(8, press ? 1.5 : 8), QPointF(8, press ? 6 : 3));
    Triangle(p, QPointF(8, press ? 7 : 2.5), 7, press ? 2 : 0, c);
    p.end();
    return img;
}

QImage Delay() {
    QImage img = Canvas(16, 16);
    QPainter p;
    Begin(p, img);
    p.setPen(QPen(QColor(200, 200, 206), 1.3));
    p.setBrush(QColor(30, 30, 33));
    p.drawEllipse(QPointF(8, 8), 6.3, 6.3);
    p.setPen(QPen(col::kAccent, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(8, 4));
    p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
    p.end();
    return img;
}

QImage Folder(bool open) {
    QImage img = Canvas(16, 16);
    QPainter p;
    Begin(p, img);
    const QColor back(30, 92, 128), front(56, 150, 204), rim(140, 210, 250);
    QPolygonF tab;
    tab << QPointF(1.5, 3.5) << QPointF(6, 3.5) << QPointF(7.5, 5) << QPointF(14.5, 5)
        << QPointF(14.5, 13.5) << QPointF(1.5, 13.5);
    p.setPen(QPen(rim, 1));
    p.setBrush(back);
    p.drawPolygon(tab);
    if (open) {
        QPolygonF flap;
        flap << QPointF(3.5, 7.5) << QPointF(15.5, 7.5) << QPointF(13, 13.5) << QPointF(1.5, 13.5);
        p.setBrush(front);
        p.drawPolygon(flap);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(front);
        p.drawRect(QRectF(2, 6.5, 12, 6.5));
        HLine(p, 2, 13, 6, rim);
    }
    p.end();
    return img;
}

}  // namespace

void DrawMacroEditor(Sink& sink) {
    sink.SkinPng("macro_record_nr.png", RecordButton(false));
    sink.SkinPng("macro_record_dn.png", RecordButton(true));
    sink.SkinPng("macro_down.png", KeyAction(true));
    sink.SkinPng("macro_up.png", KeyAction(false));
    sink.SkinPng("macro_time.png", Delay());
    sink.SkinPng("foldr_open.png", Folder(true));
    sink.SkinPng("foldr_close.png", Folder(false));
}

}  // namespace skin
