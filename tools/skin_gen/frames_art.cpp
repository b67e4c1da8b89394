// Dialog frames (24-bit bitmaps) and the frame of the settings sections.
#include "art.h"
#include "skin_layout.h"
#include "stroke_font.h"

namespace skin {
namespace {

constexpr int kTitle = velmaro::skin_layout::kDialogTitleHeight;

// Accent brackets in two opposite corners.
void CornerBrackets(QPainter& p, int w, int h, int len) {
    p.fillRect(QRect(0, 0, len, 2), col::kAccent);
    p.fillRect(QRect(0, 0, 2, len), col::kAccent);
    p.fillRect(QRect(w - len, h - 2, len, 2), col::kAccent);
    p.fillRect(QRect(w - 2, h - len, 2, len), col::kAccent);
}

}  // namespace

// The common dialog look: dark body, title strip with an accent rule, rim,
// corner brackets and a faint hatch in the lower right corner.
QImage DialogFrame(int w, int h, int title) {
    QImage img = OpaqueCanvas(w, h, col::kPanel);
    QPainter p;
    Begin(p, img);
    const QRectF body(0, 0, w, h);
    p.fillRect(body, Vertical(body, QColor(24, 24, 26), QColor(13, 13, 14)));
    // The hatched corner's edge runs along the hatch lines, so it shows no seam.
    const double reach = h * 0.7;
    QPainterPath corner;
    corner.moveTo(w, h - reach);
    corner.lineTo(w, h);
    corner.lineTo(w - reach, h);
    corner.closeSubpath();
    p.save();
    p.setClipPath(corner);
    Hatch(p, corner.boundingRect(), 6, QColor(255, 255, 255, 7));
    p.restore();
    const QRectF strip(0, 0, w, title);
    p.fillRect(strip, Vertical(strip, QColor(36, 36, 40), QColor(25, 25, 28)));
    const QRectF rule(1, title, w - 2, 1);
    p.fillRect(rule, Horizontal(rule, col::kAccent, QColor(40, 40, 44)));
    HLine(p, 1, w - 2, title + 1, QColor(8, 8, 9));
    FrameRect(p, QRect(0, 0, w, h), QColor(62, 62, 68));
    FrameRect(p, QRect(1, 1, w - 2, h - 2), QColor(8, 8, 9));
    CornerBrackets(p, w, h, 16);
    p.end();
    return img;
}

namespace {

QImage WarningFrame(int w, int h) {
    const int title = 34;
    QImage img = DialogFrame(w, h, title);
    QPainter p;
    Begin(p, img);
    // Warning sign left of the title line (which starts at x = 21).
    QPolygonF sign;
    sign << QPointF(11, 13) << QPointF(18, 26) << QPointF(4, 26);
    p.setPen(QPen(col::kOrange, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(col::kOrange);
    p.drawPolygon(sign);
    p.setPen(QPen(QColor(20, 14, 4), 1.6));
    p.drawLine(QPointF(11, 17), QPointF(11, 21.5));
    p.drawPoint(QPointF(11, 24));
    p.end();
    return img;
}

QImage DpiFrame() {
    QImage img = DialogFrame(429, 140, kTitle);
    QPainter p;
    Begin(p, img);
    TextStyle style;
    style.cap = 8;
    style.weight = 1.4;
    style.colour = col::kAccentDim;
    DrawText(p, "DPI", QPointF(372, 9), style);
    p.end();
    return img;
}

QImage MacroManagerFrame() {
    const int w = 528, h = 365;
    QImage img = DialogFrame(w, h, kTitle);
    QPainter p;
    Begin(p, img);
    // Recessed bay behind the tree, the action list and their scroll bars.
    const QRect bay(20, 31, 338, 298);
    p.fillRect(bay, QColor(10, 10, 11));
    FrameRect(p, bay, QColor(44, 44, 48));
    HLine(p, bay.left() + 1, bay.right() - 1, bay.top() + 1, QColor(4, 4, 4));
    // Recording and play options panel.
    const QRect panel(362, 45, 154, 280);
    p.fillRect(panel, Vertical(panel, QColor(26, 26, 29), QColor(18, 18, 20)));
    FrameRect(p, panel, QColor(46, 46, 50));
    p.fillRect(QRect(panel.left(), panel.top(), 3, 26), col::kAccent);
    HLine(p, panel.left() + 8, panel.right() - 8, 104, QColor(40, 40, 44));
    HLine(p, panel.left() + 8, panel.right() - 8, 220, QColor(40, 40, 44));
    // Record mark in the title strip.
    p.setPen(Qt::NoPen);
    p.setBrush(col::kDanger);
    p.drawEllipse(QPointF(14, 13), 4, 4);
    p.end();
    return img;
}

// The progress frames: the bar is the 12-pixel strip at y = 66 of the second.
QImage ProgressFrame(bool bar) {
    const int w = 429, h = 140;
    QImage img = DialogFrame(w, h, kTitle);
    QPainter p;
    Begin(p, img);
    for (int i = 0; i <= 10; ++i) {
        const int x = 14 + i * 40;
        VLine(p, x, 58, i % 5 == 0 ? 63 : 61, QColor(60, 60, 64));
    }
    const QRect groove(0, 66, w, 12);
    if (bar) {
        p.fillRect(groove, Vertical(groove, col::kAccentGlow, QColor(22, 94, 138)));
        // Diagonal light stripes across the bar.
        p.save();
        p.setClipRect(groove);
        p.setPen(QPen(QColor(255, 255, 255, 40), 3));
        for (int x = -12; x < w; x += 12) {
            p.drawLine(QPointF(x, 78), QPointF(x + 12, 66));
        }
        p.restore();
        HLine(p, 0, w - 1, 66, QColor(200, 236, 255));
    } else {
        p.fillRect(groove, QColor(9, 9, 10));
        HLine(p, 0, w - 1, 66, QColor(3, 3, 3));
        HLine(p, 0, w - 1, 77, QColor(48, 48, 52));
    }
    p.end();
    return img;
}

// The section frame: only its piece (0, 0, 230, 82) is used, stretched to the
// section's size, so it stays plain: rim, lit left edge, bracket.
QImage SectionFrame() {
    const int w = 230, h = 82;
    QImage img = OpaqueCanvas(w, h, col::kPanel);
    QPainter p;
    Begin(p, img);
    const QRectF r(0, 0, w, h);
    p.fillRect(r, Vertical(r, QColor(22, 22, 24), QColor(15, 15, 16)));
    FrameRect(p, QRect(0, 0, w, h), QColor(40, 40, 44));
    p.fillRect(QRect(0, 1, 2, h - 2), col::kAccentDim);
    p.fillRect(QRect(w - 12, h - 2, 12, 1), col::kAccent);
    p.fillRect(QRect(w - 2, h - 12, 1, 12), col::kAccent);
    p.end();
    return img;
}

}  // namespace

void DrawFrames(Sink& sink) {
    sink.SkinBmp("Frame_common.bmp", DialogFrame(429, 140, kTitle));
    sink.SkinBmp("Frame_warning.bmp", WarningFrame(319, 102));
    // For messages with steps to follow (commands to run, files to look at).
    sink.SkinBmp("Frame_warning_long.bmp", WarningFrame(560, 220));
    sink.SkinBmp("Frame_DPI.bmp", DpiFrame());
    sink.SkinBmp("Frame_Macro_Manager.bmp", MacroManagerFrame());
    sink.SkinBmp("Frame_progress_nr.bmp", ProgressFrame(false));
    sink.SkinBmp("Frame_progress_ov.bmp", ProgressFrame(true));
    sink.SkinBmp("Frame_Lighting_Setting.bmp", SectionFrame());
}

}  // namespace skin
