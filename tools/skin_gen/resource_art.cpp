// Images compiled into the program: popup background (151), scroll bar arrows
// (188 up, 187 down) and the application icon (128).
#include <QTransform>

#include "app_icon.h"
#include "art.h"

namespace skin {
namespace {

QImage PopupBackground() {
    QImage img = Canvas(65, 65);
    QPainter p;
    Begin(p, img);
    const QRectF r(0.5, 0.5, 64, 64);
    p.setPen(QPen(col::kAccentDim, 1));
    p.setBrush(Vertical(r, QColor(26, 26, 29, 242), QColor(16, 16, 18, 242)));
    p.drawPath(RoundedRect(r, 4));
    const QRectF rule(4, 1, 57, 1);
    QLinearGradient fade(rule.topLeft(), rule.topRight());
    fade.setColorAt(0, WithAlpha(col::kAccent, 0));
    fade.setColorAt(0.5, col::kAccent);
    fade.setColorAt(1, WithAlpha(col::kAccent, 0));
    p.fillRect(rule, fade);
    p.end();
    return img;
}

// Three 18 x 20 frames side by side: normal, hover, pressed.
QImage ArrowStrip(bool up) {
    constexpr int kFrameW = 18, kFrameH = 20;
    QImage img = Canvas(3 * kFrameW, kFrameH);
    QPainter p;
    Begin(p, img);
    for (int f = 0; f < 3; ++f) {
        const QRect cell(f * kFrameW, 0, kFrameW, kFrameH);
        QColor back, glyph;
        switch (f) {
            case 0:
                back = Ref(0x101010);  // the scroll bar's own track colour
                glyph = QColor(118, 118, 124);
                break;
            case 1:
                back = Ref(0x1F1F1F);
                glyph = col::kAccent;
                break;
            default:
                back = col::kAccentDim;
                glyph = col::kTextHover;
                break;
        }
        p.fillRect(cell, back);
        if (f > 0) {
            FrameRect(p, cell, f == 1 ? col::kAccentDim : col::kAccent);
        }
        Triangle(p, QPointF(cell.left() + kFrameW / 2.0, up ? 10.5 : 9.5), 9, up ? 0 : 2, glyph);
    }
    p.end();
    return img;
}

}  // namespace

void DrawResourceImages(Sink& sink) {
    sink.ResourcePng("151.png", "png/151.png", PopupBackground());
    sink.ResourcePng("188.png", "png/188.png", ArrowStrip(true));
    sink.ResourcePng("187.png", "png/187.png", ArrowStrip(false));
    for (int size : kAppIconSizes) {
        sink.ResourcePng(QString("icon/%1.png").arg(size), QString("icon/128/%1.png").arg(size),
                         AppIcon(size));
    }
}

}  // namespace skin
