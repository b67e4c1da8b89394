#include "app/osd_window.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>

namespace velmaro {

namespace {

constexpr QRgb kOsdColor = qRgb(164, 73, 164);
constexpr char16_t kChineseFace[] = u"宋体";

}  // namespace

COsdWindow::COsdWindow(double scale, const QString& fontFace)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      scale_(scale),
      face_(fontFace) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setWindowOpacity(128.0 / 255.0);
    setFixedSize(int(kWidth * scale), int(kHeight * scale));
}

void COsdWindow::SetTexts(const OsdTexts& texts) {
    texts_ = texts;
    update();
}

void COsdWindow::ShowAtCorner() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() + 1 - width(), area.bottom() + 1 - height());
    }
    show();
}

QImage COsdWindow::Render() const {
    QImage image(size(), QImage::Format_RGB32);
    QPainter dc(&image);
    Paint(dc);
    return image;
}

void COsdWindow::paintEvent(QPaintEvent*) {
    // One off-screen image, copied in one step.
    const QImage image = Render();
    QPainter dc(this);
    dc.drawImage(0, 0, image);
}

void COsdWindow::Paint(QPainter& dc) const {
    const double s = scale_;
    dc.fillRect(QRect(QPoint(0, 0), size()), QColor(kOsdColor));
    dc.setPen(Qt::white);
    auto font = [&](int height, int width, int weight) {
        QFont f(face_);
        f.setStyleHint(QFont::SansSerif);
        f.setPixelSize(std::max(1, int(height * s)));
        f.setWeight(QFont::Weight(weight));
        // The width asks for a narrow face: stretch the glyphs to it.
        QFontMetrics m(f);
        const int avg = std::max(1, m.averageCharWidth());
        f.setStretch(std::clamp(int(100.0 * width * s / avg), 1, 4000));
        return f;
    };
    const QFont small = font(24, 12, 700);
    const QFont large = font(48, 24, 400);
    const bool chinese = face_ == QString::fromUtf16(kChineseFace);
    auto at = [&](const QFont& f, double x, double y, const QString& text) {
        dc.setFont(f);
        QFontMetrics m(f);
        dc.drawText(QPointF(int(x * s), int(y * s) + m.ascent()), text);
    };
    const QString level = QString::fromStdU16String(texts_.Level);
    const QString dpi = QString::fromStdU16String(texts_.Dpi);
    const QString rate = QString::fromStdU16String(texts_.Rate);
    at(small, 58, 20, level);
    double x = 50;
    if (dpi.size() == 5)
        x = chinese ? 34 : 16;
    else if (dpi.size() == 4)
        x = chinese ? 44 : 34;
    at(large, x, 44, dpi);
    at(small, rate.size() == 6 ? 50 : 57, 92, rate);
}

}  // namespace velmaro
