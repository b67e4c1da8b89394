#include "ui/program_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include "ui/skin_image.h"

namespace velmaro {

namespace {

constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

// Reads a size when it is asked for and keeps nothing. A size not shipped
// is drawn from the smallest shipped one at least as large (the largest if
// none is), smoothly scaled down: what an icon of all the pixmaps would
// give.
int ShippedFor(const QSize& size) {
    for (int shipped : kSizes) {
        if (shipped >= size.width() && shipped >= size.height()) {
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

class ProgramIconEngine final : public QIconEngine {
  public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
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
        return read;
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
