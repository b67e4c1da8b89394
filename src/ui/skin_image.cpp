#include "ui/skin_image.h"

#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <memory>

namespace velmaro {

namespace {

QImage Prepared(QImage image) {
    if (image.isNull()) {
        return image;
    }
    // Premultiplied ARGB is what the raster painter blends fastest.
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

QImage SkinImageCache::Get(const QString& path) {
    const auto it = images_.constFind(path);
    if (it != images_.constEnd()) {
        return it.value();
    }
    const QImage image = Prepared(Read(path));
    images_.insert(path, image);
    return image;
}

void SkinImageCache::ReadAheadAll(const std::vector<QString>& paths) {
    struct List {
        std::vector<QString> paths;
        std::vector<std::promise<QImage>> pictures;
    };
    auto list = std::make_shared<List>();
    for (const QString& path : paths) {
        if (!images_.contains(path) && ahead_.count(path) == 0) {
            list->paths.push_back(path);
        }
    }
    if (list->paths.empty()) {
        return;
    }
    list->pictures.resize(list->paths.size());
    for (size_t i = 0; i < list->paths.size(); ++i) {
        ahead_.emplace(list->paths[i], list->pictures[i].get_future().share());
    }
    if (listReader_.valid()) {
        listReader_.wait();
    }
    const auto readAll = [list] {
        for (size_t i = 0; i < list->paths.size(); ++i) {
            list->pictures[i].set_value(Prepared(ReadPicture(list->paths[i])));
        }
    };
    listReader_ = std::async(std::launch::async, readAll).share();
}

void SkinImageCache::ReadAhead(const QString& path) {
    if (ahead_.count(path) == 0) {
        ahead_.emplace(
            path, std::async(std::launch::async, [path] { return ReadPicture(path); }).share());
    }
}

QImage SkinImageCache::Read(const QString& path) {
    if (std::find(readOrder_.begin(), readOrder_.end(), path) == readOrder_.end()) {
        readOrder_.push_back(path);
    }
    const auto it = ahead_.find(path);
    if (it == ahead_.end()) {
        return ReadPicture(path);
    }
    QImage image = it->second.get();
    ahead_.erase(it);
    return image;
}

void SkinImage::SetFile(SkinImageCache& cache, const QString& path) {
    cache_ = &cache;
    path_ = path;
    image_ = QImage();
    read_ = false;
    set_ = true;
    if (cache.Eager) {
        Image();
    }
}

void SkinImage::SetResource(SkinImageCache& cache, int id) {
    SetFile(cache, PngResourcePath(id));
}

bool SkinImage::LoadImage(const QImage& image) {
    cache_ = nullptr;
    path_.clear();
    image_ = Prepared(image);
    read_ = true;
    set_ = true;
    return !image_.isNull();
}

void SkinImage::Release() {
    cache_ = nullptr;
    path_.clear();
    image_ = QImage();
    read_ = false;
    set_ = false;
}

const QImage& SkinImage::Image() const {
    if (!read_) {
        read_ = true;
        if (cache_ != nullptr) {
            image_ = cache_->Get(path_);
        }
    }
    return image_;
}

void DrawSkinImage(QPainter& p, const QImage& image, const QRect& src, const QRect& dst) {
    if (image.isNull() || src.isEmpty() || dst.isEmpty()) {
        return;
    }
    // Only the part of the source that lies on the image is drawn, at the
    // same place it would take in the full stretch.
    const QRect inside = src.intersected(image.rect());
    if (inside.isEmpty()) {
        return;
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (inside == src) {
        p.drawImage(dst, image, src);
        return;
    }
    const double sx = double(dst.width()) / src.width();
    const double sy = double(dst.height()) / src.height();
    const QRectF target(dst.left() + (inside.left() - src.left()) * sx,
                        dst.top() + (inside.top() - src.top()) * sy, inside.width() * sx,
                        inside.height() * sy);
    p.drawImage(target, image, QRectF(inside));
}

void DrawSkinImage(QPainter& p, const QImage& image, const QRect& dst) {
    DrawSkinImage(p, image, image.rect(), dst);
}

QImage ReadPicture(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const QString suffix = dot < 0 ? QString() : path.mid(dot + 1).toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("bmp")) {
        return QImage(path);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QImage();
    }
    QImageReader reader(&file, suffix.toLatin1());
    // Only the decoder of that format; no plugin is loaded to guess.
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QString PngResourcePath(int id) {
    return QStringLiteral(":/png/%1.png").arg(id);
}
QString BitmapResourcePath(int id) {
    return QStringLiteral(":/bitmap/%1.bmp").arg(id);
}

}  // namespace velmaro
