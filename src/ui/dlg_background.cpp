// The window's background and the small dialogs' frames: read, kept at the
// UI scale (in squares at scale 1.0 once the window is on the screen) and
// drawn.
#include "ui/dlg_base.h"

#include <QPainter>
#include <algorithm>

#include "ui/skin_image.h"
#include "ui/tiled_picture.h"

namespace velmaro {

namespace {

// Composes a picture with transparency over opaque black, as bitmaps are.
QImage Opaque(const QImage& image) {
    if (!image.hasAlphaChannel()) {
        // A bitmap read in 24 bits stays so.
        return image.format() == QImage::Format_RGB888
                   ? image
                   : image.convertToFormat(QImage::Format_RGB32);
    }
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter p(&out);
    p.drawImage(0, 0, image);
    return out;
}

// An opaque picture at the UI scale: at 1.0 the picture as read (24 bits
// for a bitmap); a larger copy in 32 bits, which the painter copies without
// converting (a full repaint at 2.0 would otherwise take a fifth longer).
QImage AtScale(const QImage& opaque, const QSize& scaled) {
    return scaled == opaque.size()
               ? opaque
               : opaque.convertToFormat(QImage::Format_RGB32)
                     .scaled(scaled, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

ColorRef AverageColour(const QImage& picture) {
    uint64_t r = 0, g = 0, b = 0;
    // Read as it is in 24 or 32 bits; anything else is converted first.
    const bool rgb888 = picture.format() == QImage::Format_RGB888;
    const QImage image = rgb888 || picture.format() == QImage::Format_RGB32
                             ? picture
                             : picture.convertToFormat(QImage::Format_RGB32);
    // The sizes read once: the loop runs over every pixel of the background.
    const int width = image.width();
    const int height = image.height();
    const uint64_t n = uint64_t(width) * uint64_t(height);
    for (int y = 0; y < height; ++y) {
        if (rgb888) {
            const uchar* line = image.constScanLine(y);
            for (int x = 0; x < width; ++x, line += 3) {
                r += line[0];
                g += line[1];
                b += line[2];
            }
            continue;
        }
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            r += uint64_t(qRed(line[x]));
            g += uint64_t(qGreen(line[x]));
            b += uint64_t(qBlue(line[x]));
        }
    }
    if (n == 0) {
        return 0;
    }
    return ColorRef(r / n) | (ColorRef(g / n) << 8) | (ColorRef(b / n) << 16);
}

}  // namespace

// --- background and frames --------------------------------------------------

bool CDlgBase::LoadBackground(int resourceId) {
    return LoadBackground(BitmapResourcePath(resourceId));
}

bool CDlgBase::LoadBackground(const QString& path) {
    const QImage loaded = ui_.Pictures.Read(path);
    if (loaded.isNull()) {
        return false;
    }
    backgroundPath_ = path;
    const QImage background = Opaque(loaded);
    backgroundSize_ = background.size();
    // Its average colour is worked out when a fill first needs it.
    backgroundColorPending_ = true;
    const int w = background.width();
    const int h = background.height();
    cornerSize_ = (w < windowSize_.width() || h < windowSize_.height()) ? std::min({w, 100, h}) : 0;
    const QSize scaled(Px(w), Px(h));
    // Only the copy at the UI scale is kept.
    scaledBackground_ = AtScale(background, scaled);
    tiledBackground_ = TiledPicture();
    tilingTried_ = false;
    return true;
}

QSize CDlgBase::ScaledBackgroundSize() const {
    return tiledBackground_.IsNull() ? scaledBackground_.size() : tiledBackground_.Size();
}

bool CDlgBase::BackgroundToTile() const {
    // Only at scale 1.0: at a larger scale a full repaint copies the 32-bit
    // copy made for it, fastest of all, and squares would slow it down.
    return !tilingTried_ && !scaledBackground_.isNull() &&
           scaledBackground_.size() == backgroundSize_;
}

void CDlgBase::TileBackground() {
    if (!BackgroundToTile()) {
        return;
    }
    tilingTried_ = true;
    TiledPicture tiled(scaledBackground_);
    if (tiled.Bytes() >= size_t(scaledBackground_.sizeInBytes())) {
        return;  // a photograph, say
    }
    // The average colour is taken while the whole picture is at hand.
    BackgroundColor();
    tiledBackground_ = std::move(tiled);
    scaledBackground_ = QImage();
}

ColorRef CDlgBase::BackgroundColor() const {
    if (backgroundColorPending_) {
        backgroundColorPending_ = false;
        // Every picture pixel appears the same number of times in the copy at
        // a whole-number scale; at other scales the picture is read again.
        const QSize scaled = ScaledBackgroundSize();
        const bool whole =
            scaled.width() % backgroundSize_.width() == 0 &&
            scaled.height() % backgroundSize_.height() == 0 &&
            scaled.width() / backgroundSize_.width() == scaled.height() / backgroundSize_.height();
        backgroundColor_ = whole && !scaledBackground_.isNull()
                               ? AverageColour(scaledBackground_)
                               : AverageColour(Opaque(ReadPicture(backgroundPath_)));
    }
    return backgroundColor_;
}

void CDlgBase::SetBackgroundColor(ColorRef c) {
    backgroundColor_ = c;
    backgroundColorPending_ = false;
}

void CDlgBase::FillOutsideBackground(QPainter& dc, const Rect& r) const {
    const QRegion outside =
        QRegion(r.ToQRect()) - QRegion(QRect(QPoint(0, 0), ScaledBackgroundSize()));
    for (const QRect& part : outside) {
        FillBackground(dc, Rect::FromQRect(part));
    }
}

void CDlgBase::DrawBackground(QPainter& dc) const {
    if (tiledBackground_.IsNull()) {
        if (!scaledBackground_.isNull()) {
            dc.drawImage(0, 0, scaledBackground_);
        }
        return;
    }
    // Only the squares under the parts repainted: two small controls far
    // apart do not rebuild everything between them.
    if (!dc.hasClipping()) {
        tiledBackground_.Draw(dc, QPoint(0, 0), QRect(QPoint(0, 0), tiledBackground_.Size()));
        return;
    }
    for (const QRect& part : dc.clipRegion()) {
        tiledBackground_.Draw(dc, QPoint(0, 0), part);
    }
}

void CDlgBase::FillBackground(QPainter& dc, const Rect& r) const {
    dc.fillRect(r.ToQRect(), ToQColor(BackgroundColor()));
}

bool CDlgBase::DrawFrameBitmap(QPainter& dc, const QString& skinFile) {
    auto it = frameCache_.find(skinFile);
    if (it == frameCache_.end()) {
        const QImage loaded = ui_.Pictures.Read(ui_.SkinFile(skinFile));
        if (loaded.isNull()) {
            return false;
        }
        const QImage opaque = Opaque(loaded);
        const QSize scaled(Px(opaque.width()), Px(opaque.height()));
        it = frameCache_.emplace(skinFile, AtScale(opaque, scaled)).first;
    }
    dc.drawImage(0, 0, it->second);
    return true;
}

}  // namespace velmaro
