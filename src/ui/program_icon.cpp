#include "ui/program_icon.h"

#include <QIconEngine>
#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>

#include "ui/skin_image.h"

namespace velmaro {

namespace {

constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The smallest size with at least the area asked for; the largest if none.
int ShippedFor(const QSize& size) {
    const qint64 asked = qint64(size.width()) * size.height();
    for (int shipped : kSizes) {
        if (qint64(shipped) * shipped >= asked) {
            return shipped;
        }
    }
    return kSizes[std::size(kSizes) - 1];
}

// Scaled down into `size` keeping its shape; never up.
QSize Fitted(const QSize& picture, const QSize& size) {
    return picture.width() > size.width() || picture.height() > size.height()
               ? picture.scaled(size, Qt::KeepAspectRatio)
               : picture;
}

// Reads a size when it is asked for and keeps nothing. A size not shipped
// is drawn from the smallest shipped one at least as large (the largest if
// none is), smoothly scaled down, and a mode other than the normal one as
// the desktop's style shows it: what an icon of all the pixmaps would give.
class ProgramIconEngine final : public QIconEngine {
  public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        // In the device's own pixels.
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        if (size.isEmpty()) {
            return QPixmap();
        }
        const int shipped = ShippedFor(size);
        QPixmap read =
            QPixmap::fromImage(ReadPicture(QStringLiteral(":/icon/128/%1.png").arg(shipped)));
        const QSize fitted = Fitted(read.size(), size);
        if (fitted != read.size()) {
            read = read.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        return mode == QIcon::Normal ? read : QIcon(read).pixmap(read.size(), mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int shipped = ShippedFor(size);
        return Fitted(QSize(shipped, shipped), size);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return ProgramIconSizes(); }

    QIconEngine* clone() const override { return new ProgramIconEngine; }
    QString key() const override { return QStringLiteral("velmaro-program-icon"); }
};

}  // namespace

QList<QSize> ProgramIconSizes() {
    QList<QSize> sizes;
    for (int size : kSizes) {
        sizes.append(QSize(size, size));
    }
    return sizes;
}

const QIcon& ProgramIcon() {
    static const QIcon icon(new ProgramIconEngine);
    return icon;
}

}  // namespace velmaro
