// Buttons, check boxes, radios, headers, drop-down fields, list items,
// sliders, colour slots and direction buttons.
#include <QRadialGradient>

#include "art.h"

namespace skin {
namespace {

const char* Suffix(Look look) {
    switch (look) {
        case Look::Normal:
            return "_nr";
        case Look::Hover:
            return "_ov";
        default:
            return "_dn";
    }
}

// Close and minimise: a bare glyph, lit on a plate when hovered.
QImage WindowButton(bool close, Look look) {
    QImage img = Canvas(15, 15);
    QPainter p;
    Begin(p, img);
    const bool hover = look != Look::Normal;
    if (hover) {
        p.setPen(Qt::NoPen);
        p.setBrush(close ? col::kDanger : col::kAccent);
        p.drawPath(RoundedRect(QRectF(0, 0, 15, 15), 3));
    }
    const QColor glyph = hover ? col::kTextHover : col::kText;
    p.setPen(QPen(glyph, 1.7, Qt::SolidLine, Qt::SquareCap));
    if (close) {
        p.drawLine(QPointF(4.5, 4.5), QPointF(10.5, 10.5));
        p.drawLine(QPointF(10.5, 4.5), QPointF(4.5, 10.5));
    } else {
        p.drawLine(QPointF(3.5, 9.5), QPointF(11.5, 9.5));
    }
    p.end();
    return img;
}

// Neutral text button (profiles, reset, attention OK, macro list buttons).
QImage RoundButton(int w, int h, Look look) {
    QImage img = Canvas(w, h);
    QPainter p;
    Begin(p, img);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    const bool hover = look != Look::Normal;
    p.setPen(QPen(hover ? col::kAccent : col::kPanelLight, 1));
    p.setBrush(hover ? Vertical(r, QColor(42, 78, 102), QColor(20, 42, 58))
                     : Vertical(r, QColor(50, 50, 54), QColor(30, 30, 33)));
    p.drawPath(RoundedRect(r, 3));
    HLine(p, 3, w - 4, 1, hover ? WithAlpha(col::kAccentGlow, 120) : QColor(255, 255, 255, 22));
    p.end();
    return img;
}

// Dialog button with cut corners (OK, Cancel in the small dialogs).
QImage CutButton(int w, int h, Look look) {
    QImage img = Canvas(w, h);
    QPainter p;
    Begin(p, img);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    const bool hover = look != Look::Normal;
    p.setPen(QPen(hover ? col::kAccentGlow : QColor(78, 78, 84), 1));
    p.setBrush(hover ? Vertical(r, col::kAccent, QColor(26, 100, 146))
                     : Vertical(r, QColor(38, 38, 42), QColor(24, 24, 26)));
    p.drawPath(Chamfered(r, 5));
    // The lower left cut edge is lit: the mark of the skin's dialog buttons.
    p.setPen(QPen(hover ? col::kTextHover : col::kAccent, 1.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(0.5, h - 5.5), QPointF(5.5, h - 0.5));
    p.end();
    return img;
}

// The large "mouse settings" button of the pointer section.
QImage WideButton() {
    const int w = 215, h = 45;
    QImage img = Canvas(w, h);
    QPainter p;
    Begin(p, img);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    p.setPen(QPen(col::kPanelLight, 1));
    p.setBrush(Vertical(r, QColor(40, 40, 44), QColor(20, 20, 22)));
    p.drawPath(Chamfered(r, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(col::kAccent);
    p.drawRect(QRectF(4, 12, 3, h - 24));
    // Small mouse outline at the left.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(col::kAccent, 1.5));
    p.drawRoundedRect(QRectF(16, 12, 14, 21), 7, 7);
    p.drawLine(QPointF(23, 12.5), QPointF(23, 19));
    HLine(p, 10, w - 11, 1, QColor(255, 255, 255, 20));
    p.end();
    return img;
}

QImage CheckBox(Look look) {
    QImage img = Canvas(11, 11);
    QPainter p;
    p.begin(&img);
    const QColor rim = look == Look::Normal  ? QColor(104, 104, 110)
                       : look == Look::Hover ? col::kAccent
                                             : col::kAccentGlow;
    const QColor fill = look == Look::Down    ? col::kAccent
                        : look == Look::Hover ? QColor(24, 46, 60)
                                              : col::kPanel;
    p.fillRect(QRect(0, 0, 11, 11), rim);
    p.fillRect(QRect(1, 1, 9, 9), fill);
    if (look == Look::Down) {
        p.setRenderHint(QPainter::Antialiasing, true);
        CheckMark(p, QRectF(1, 1, 9, 9), col::kTextHover, 1.6);
    }
    p.end();
    return img;
}

// The DPI level switch: a rounded "LED" box.
QImage DpiCheck(Look look) {
    QImage img = Canvas(14, 14);
    QPainter p;
    Begin(p, img);
    const QRectF r(0.5, 0.5, 13, 13);
    if (look == Look::Down) {
        p.setPen(QPen(col::kAccentGlow, 1));
        p.setBrush(Vertical(r, col::kAccentGlow, col::kAccent));
        p.drawPath(RoundedRect(r, 3.5));
        CheckMark(p, QRectF(1.5, 1.5, 11, 11), QColor(8, 20, 30), 2);
    } else {
        p.setPen(QPen(look == Look::Hover ? col::kAccent : QColor(92, 92, 98), 1));
        p.setBrush(look == Look::Hover ? QColor(22, 44, 58) : col::kPanel);
        p.drawPath(RoundedRect(r, 3.5));
        p.setPen(Qt::NoPen);
        p.setBrush(look == Look::Hover ? col::kAccent : QColor(60, 60, 64));
        p.drawEllipse(QPointF(7, 7), 1.8, 1.8);
    }
    p.end();
    return img;
}

QImage Radio(Look look) {
    QImage img = Canvas(15, 15);
    QPainter p;
    Begin(p, img);
    const QPointF c(7.5, 7.5);
    p.setPen(QPen(look == Look::Normal ? QColor(104, 104, 110) : col::kAccent, 1.3));
    p.setBrush(look == Look::Hover ? QColor(22, 44, 58) : col::kPanel);
    p.drawEllipse(c, 6.4, 6.4);
    if (look == Look::Down) {
        QRadialGradient g(c, 4);
        g.setColorAt(0, col::kAccentGlow);
        g.setColorAt(1, col::kAccent);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(c, 3.6, 3.6);
    }
    p.end();
    return img;
}

// Section header of the settings column; the open look is the hover image.
QImage SectionHeader(bool open) {
    const int w = 262, h = 25;
    QImage img = Canvas(w, h);
    QPainter p;
    Begin(p, img);
    const QRectF r(0, 0, w, h);
    p.fillRect(r, open ? Vertical(r, QColor(40, 46, 52), QColor(24, 28, 32))
                       : Vertical(r, QColor(34, 34, 37), QColor(22, 22, 24)));
    HLine(p, 0, w - 1, 0, open ? QColor(70, 86, 98) : QColor(54, 54, 58));
    if (open) {
        p.fillRect(QRectF(0, h - 1, w, 1), Horizontal(r, col::kAccent, WithAlpha(col::kAccent, 0)));
    } else {
        HLine(p, 0, w - 1, h - 1, QColor(10, 10, 11));
    }
    p.fillRect(QRect(0, 4, 3, h - 8), open ? col::kAccent : QColor(72, 72, 78));
    // Grip dots before the arrow.
    for (int i = 0; i < 3; ++i) {
        p.fillRect(QRect(226 + 4 * i, 11, 2, 2), open ? col::kAccentDim : QColor(58, 58, 62));
    }
    Chevron(p, QPointF(246, 12.5), 9, open ? 2 : 1, open ? col::kAccentGlow : col::kMuted, 1.8);
    p.end();
    return img;
}

// Area title: a slanted double mark and a rule fading to the right.
QImage AreaTitle(bool hover) {
    const int w = 180, h = 22;
    QImage img = Canvas(w, h);
    QPainter p;
    Begin(p, img);
    const QColor mark = hover ? col::kAccentGlow : col::kAccent;
    if (hover) {
        QPainterPath glowPath;
        glowPath.moveTo(6, 16);
        glowPath.lineTo(10, 6);
        Glow(p, glowPath, col::kAccent, 4);
    }
    for (int i = 0; i < 2; ++i) {
        QPolygonF slash;
        const double x = 4 + 6 * i;
        slash << QPointF(x + 4, 5) << QPointF(x + 7, 5) << QPointF(x + 3, 17) << QPointF(x, 17);
        p.setPen(Qt::NoPen);
        p.setBrush(i == 0 ? mark : WithAlpha(mark, 150));
        p.drawPolygon(slash);
    }
    const QRectF rule(0, h - 2, w, 1);
    p.fillRect(
        rule, Horizontal(rule, hover ? col::kAccent : QColor(96, 96, 102), QColor(96, 96, 102, 0)));
    p.end();
    return img;
}

// Button assignment field: value on the left, drop-down arrow in its own cell.
QImage AssignField(Look look) {
    const int w = 160, h = 26;
    QImage img = Canvas(w, h);
    QPainter p;
    Begin(p, img);
    const bool hover = look != Look::Normal;
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    p.setPen(QPen(hover ? col::kAccent : QColor(62, 62, 67), 1));
    p.setBrush(hover ? Vertical(r, QColor(28, 38, 46), QColor(18, 24, 30))
                     : Vertical(r, QColor(26, 26, 28), QColor(18, 18, 20)));
    p.drawPath(RoundedRect(r, 2.5));
    VLine(p, 134, 4, h - 5, hover ? col::kAccentDim : QColor(48, 48, 52));
    Chevron(p, QPointF(147, 13), 8, 2, hover ? col::kTextHover : col::kMuted, 1.7);
    p.end();
    return img;
}

// Lighting mode and macro insert field: slanted, with a solid arrow.
QImage ModeField(Look look) {
    const int w = 189, h = 25;
    QImage img = Canvas(w, h);
    QPainter p;
    Begin(p, img);
    const bool hover = look != Look::Normal;
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    p.setPen(QPen(hover ? col::kAccent : QColor(66, 66, 72), 1));
    p.setBrush(hover ? Vertical(r, QColor(26, 58, 80), QColor(14, 30, 42))
                     : Vertical(r, QColor(30, 30, 33), QColor(18, 18, 20)));
    p.drawPath(SlantedRect(r, 6));
    Triangle(p, QPointF(176, 12.5), 9, 2, hover ? col::kAccentGlow : col::kMuted);
    p.end();
    return img;
}

// List popup item; with an arrow when it opens a submenu.
QImage MenuItem(bool sub, bool hover) {
    const int w = 190, h = 22;
    QImage img = Canvas(w, h);
    QPainter p;
    Begin(p, img);
    const QRectF r(0, 0, w, h);
    if (hover) {
        p.fillRect(r, Horizontal(r, QColor(40, 124, 172), QColor(20, 62, 88)));
        p.fillRect(QRect(0, 0, 3, h), col::kAccentGlow);
    } else {
        p.fillRect(r, QColor(24, 24, 26));
        HLine(p, 6, w - 7, h - 1, QColor(38, 38, 41));
    }
    if (sub) {
        Chevron(p, QPointF(181, 11), 8, 1, hover ? col::kTextHover : col::kMuted, 1.7);
    }
    p.end();
    return img;
}

QImage SliderTrack(bool filled) {
    QImage img = Canvas(145, 3);
    QPainter p(&img);
    const QColor rows[3] = {filled ? QColor(20, 72, 102) : QColor(8, 8, 9),
                            filled ? col::kAccent : QColor(44, 44, 47),
                            filled ? col::kAccentGlow : QColor(66, 66, 70)};
    for (int y = 0; y < 3; ++y) {
        p.fillRect(QRect(0, y, 145, 1), rows[y]);
    }
    p.end();
    return img;
}

QImage SliderThumb() {
    QImage img = Canvas(13, 13);
    QPainter p;
    Begin(p, img);
    const QPointF c(6.5, 6.5);
    QRadialGradient g(QPointF(5.5, 5), 6);
    g.setColorAt(0, QColor(74, 74, 80));
    g.setColorAt(1, QColor(24, 24, 26));
    p.setPen(QPen(col::kAccent, 1.5));
    p.setBrush(g);
    p.drawEllipse(c, 5.6, 5.6);
    p.setPen(Qt::NoPen);
    p.setBrush(col::kAccentGlow);
    p.drawEllipse(c, 1.7, 1.7);
    p.end();
    return img;
}

// Lighting colour slot: only the three outer pixel rings show, the program
// fills the rest with the slot's colour.
QImage ColourSlot(bool checked) {
    QImage img = Canvas(21, 20);
    QPainter p(&img);
    const QColor rings[3] = {checked ? col::kAccentGlow : QColor(78, 78, 84),
                             checked ? col::kAccent : QColor(30, 30, 32),
                             checked ? QColor(6, 6, 6) : QColor(12, 12, 13)};
    for (int i = 0; i < 3; ++i) {
        p.fillRect(QRect(i, i, 21 - 2 * i, 20 - 2 * i), rings[i]);
    }
    p.fillRect(QRect(3, 3, 15, 14), QColor(0, 0, 0));
    if (checked) {
        // Corner ticks make the selection readable whatever the colour.
        p.fillRect(QRect(0, 0, 5, 1), col::kTextHover);
        p.fillRect(QRect(0, 0, 1, 5), col::kTextHover);
        p.fillRect(QRect(16, 19, 5, 1), col::kTextHover);
        p.fillRect(QRect(20, 15, 1, 5), col::kTextHover);
    }
    p.end();
    return img;
}

// Lighting direction: up or down, as a pill with a chevron.
QImage Direction(bool up, Look look) {
    const int w = 29, h = 18;
    QImage img = Canvas(w, h);
    QPainter p;
    Begin(p, img);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    QColor rim, glyph;
    if (look == Look::Down) {
        p.setBrush(Vertical(r, col::kAccent, QColor(24, 96, 140)));
        rim = col::kAccentGlow;
        glyph = col::kTextHover;
    } else if (look == Look::Hover) {
        p.setBrush(QColor(40, 40, 44));
        rim = QColor(150, 150, 156);
        glyph = col::kTextHover;
    } else {
        p.setBrush(QColor(28, 28, 30));
        rim = QColor(66, 66, 70);
        glyph = col::kMuted;
    }
    p.setPen(QPen(rim, 1));
    p.drawPath(RoundedRect(r, 4));
    Chevron(p, QPointF(14.5, up ? 9.5 : 8.5), 10, up ? 0 : 2, glyph,
            look == Look::Down ? 2.2 : 1.8);
    p.end();
    return img;
}

}  // namespace

void DrawControls(Sink& sink) {
    for (Look look : {Look::Normal, Look::Hover}) {
        const QString s = Suffix(look);
        sink.SkinPng("exit" + s + ".png", WindowButton(true, look));
        sink.SkinPng("min" + s + ".png", WindowButton(false, look));
        sink.SkinPng("button1" + s + ".png", CutButton(69, 20, look));
        sink.SkinPng("button2" + s + ".png", RoundButton(69, 20, look));
        sink.SkinPng("header" + s + ".png", SectionHeader(look == Look::Hover));
        sink.SkinPng("header2" + s + ".png", AreaTitle(look == Look::Hover));
        sink.SkinPng("combo2" + s + ".png", AssignField(look));
        sink.SkinPng("combo3" + s + ".png", ModeField(look));
        sink.SkinPng("menu" + s + ".png", MenuItem(false, look == Look::Hover));
        sink.SkinPng("menusub" + s + ".png", MenuItem(true, look == Look::Hover));
    }
    sink.SkinPng("button4_nr.png", WideButton());
    for (Look look : {Look::Normal, Look::Hover, Look::Down}) {
        const QString s = Suffix(look);
        sink.SkinPng("check" + s + ".png", CheckBox(look));
        sink.SkinPng("check_button_dpi" + s + ".png", DpiCheck(look));
        sink.SkinPng("radio" + s + ".png", Radio(look));
    }
    sink.SkinPng("Slider_bar.png", SliderTrack(false));
    sink.SkinPng("Slider_bar2.png", SliderTrack(true));
    sink.SkinPng("Slider_Circle.png", SliderThumb());
    sink.SkinPng("color_select_nr.png", ColourSlot(false));
    sink.SkinPng("color_select_check.png", ColourSlot(true));
    for (bool up : {true, false}) {
        const QString name = up ? "up" : "down";
        sink.SkinPng(name + "_nr.png", Direction(up, Look::Normal));
        sink.SkinPng(name + "_ov.png", Direction(up, Look::Hover));
        sink.SkinPng(name + "_check.png", Direction(up, Look::Down));
    }
}

}  // namespace skin
