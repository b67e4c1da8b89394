#include "ui/skin_image.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QResource>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>

#ifdef __linux__
#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace velmaro {

namespace {

QImage Prepared(QImage image) {
    if (image.isNull()) {
        return image;
    }
    // Premultiplied ARGB is what the raster painter blends fastest; the
    // picture is converted in place where the format allows (opaque RGB
    // needs no change of its pixels).
    return std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

uint32_t Le32(const uchar* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const uchar* p) {
    return uint16_t(p[0] | p[1] << 8);
}

// A picture's bytes: a compiled-in image without a copy of its data, a file
// read whole. `inPlace` tells whether they are the program's own pages (a
// picture compiled in uncompressed).
QByteArray PictureBytes(const QString& path, bool& inPlace) {
    inPlace = false;
    if (path.startsWith(QLatin1Char(':'))) {
        const QResource resource(path);
        if (!resource.isValid()) {
            return QByteArray();
        }
        inPlace = resource.compressionAlgorithm() == QResource::NoCompression;
        return resource.uncompressedData();
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Once a large picture compiled in uncompressed is decoded, its pages of the
// program's file are handed back: they would stay resident for as long as
// the program runs, and the system reads them from the file again should
// they be touched. The pages are read-only and never written, so nothing is
// lost; pages shared with neighbouring data are kept. Only bytes inside a
// loaded program or library (file-backed) are handed back: memory of any
// other kind would read as zeros afterwards.
void ReleaseInPlaceBytes(const QByteArray& bytes) {
#ifdef __linux__
    constexpr qsizetype kWorthIt = 256 * 1024;
    const long page = sysconf(_SC_PAGESIZE);
    Dl_info head{}, tail{};
    if (bytes.size() < kWorthIt || page <= 0 || dladdr(bytes.constData(), &head) == 0 ||
        dladdr(bytes.constData() + bytes.size() - 1, &tail) == 0 ||
        head.dli_fbase != tail.dli_fbase) {
        return;
    }
    const auto mask = ~(uintptr_t(page) - 1);
    const auto start = reinterpret_cast<uintptr_t>(bytes.constData());
    const uintptr_t first = (start + uintptr_t(page) - 1) & mask;
    const uintptr_t end = (start + uintptr_t(bytes.size())) & mask;
    if (end > first) {
        madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
    }
#else
    (void)bytes;
#endif
}

}  // namespace

bool SkinImageCache::Forget(const QString& path) {
    const auto it = images_.find(path);
    if (it == images_.end()) {
        return true;
    }
    if (!it->isDetached()) {
        return false;
    }
    images_.erase(it);
    return true;
}

QImage SkinImageCache::Get(const QString& path) {
    const auto it = images_.constFind(path);
    if (it != images_.constEnd()) {
        return it.value();
    }
    const QImage image = Prepared(Read(path));
    images_.insert(path, image);
    return image;
}

void SkinImageCache::ReadAheadAll(const std::vector<QString>& paths, const QString& keptFile) {
    struct List {
        std::vector<QString> paths;
        std::vector<std::promise<Ahead>> pictures;
        QString keptFile;
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
    list->keptFile = keptFile;
    for (size_t i = 0; i < list->paths.size(); ++i) {
        ahead_.emplace(list->paths[i], list->pictures[i].get_future().share());
    }
    if (listReader_.valid()) {
        listReader_.wait();
    }
    const auto readAll = [list] {
        size_t i = 0;
        try {
            const KeptPictures kept =
                list->keptFile.isEmpty() ? KeptPictures() : KeptPictures::Read(list->keptFile);
            for (; i < list->paths.size(); ++i) {
                Ahead picture;
                // Looked at before it is read: a file changed meanwhile is
                // changed for the next start too.
                picture.Identity = IdentityOf(list->paths[i]);
                picture.Image = kept.Take(list->paths[i], picture.Identity);
                picture.Kept = !picture.Image.isNull();
                if (!picture.Kept) {
                    picture.Image = Prepared(ReadPicture(list->paths[i]));
                }
                list->pictures[i].set_value(std::move(picture));
                // The list lives as long as the cache: the picture is held
                // only by the future that Read() takes and lets go.
                list->pictures[i] = std::promise<Ahead>();
            }
        } catch (...) {
            // Out of memory: the pictures not read come as nothing (their
            // looks draw nothing) rather than keep the window waiting.
            for (; i < list->paths.size(); ++i) {
                list->pictures[i].set_value(Ahead{});
            }
        }
    };
    listReader_ = std::async(std::launch::async, readAll).share();
}

void SkinImageCache::ReadAhead(const QString& path) {
    if (ahead_.count(path) == 0) {
        ahead_.emplace(path, std::async(std::launch::async, [path] {
                                 Ahead picture;
                                 picture.Identity = IdentityOf(path);
                                 picture.Image = ReadPicture(path);
                                 return picture;
                             }).share());
    }
}

QImage SkinImageCache::Read(const QString& path) {
    if (std::find(readOrder_.begin(), readOrder_.end(), path) == readOrder_.end()) {
        readOrder_.push_back(path);
    }
    const auto it = ahead_.find(path);
    // The identity of the file as first read, which is the picture Get
    // keeps.
    if (it == ahead_.end()) {
        if (!identities_.contains(path)) {
            if (const std::optional<FileIdentity> id = IdentityOf(path)) {
                identities_.insert(path, *id);
            }
        }
        return ReadPicture(path);
    }
    const Ahead picture = it->second.get();
    ahead_.erase(it);
    if (picture.Identity && !identities_.contains(path)) {
        identities_.insert(path, *picture.Identity);
    }
    if (picture.Kept) {
        fromKept_.insert(path);
    }
    return picture.Image;
}

std::shared_future<bool> SkinImageCache::Keep(const QString& keptFile,
                                              const std::vector<QString>& paths) {
    std::vector<KeptPicture> pictures;
    bool allKept = true;
    for (const QString& path : paths) {
        const auto id = identities_.constFind(path);
        const auto image = images_.constFind(path);
        if (id == identities_.constEnd() || image == images_.constEnd() || image->isNull()) {
            continue;
        }
        pictures.push_back({path, *id, *image});
        allKept = allKept && fromKept_.contains(path);
    }
    std::promise<bool> nothingToWrite;
    if (allKept) {
        nothingToWrite.set_value(true);
        return nothingToWrite.get_future().share();
    }
    // Written (and synced) on a thread of its own: the window goes on. The
    // pictures' data is shared, not copied.
    if (keeper_.valid()) {
        keeper_.wait();
    }
    keeper_ = std::async(std::launch::async, [keptFile, pictures = std::move(pictures)]() mutable {
                  const bool written = WriteKeptPictures(keptFile, pictures);
                  // Let go once written, not when the cache ends.
                  pictures.clear();
                  return written;
              }).share();
    return keeper_;
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

QImage DecodeOpaqueBmp(const QByteArray& bytes) {
    // File header (14 bytes), then a Windows information header (40 bytes,
    // or its longer versions of 108 and 124).
    constexpr qsizetype kHeaders = 14 + 40;
    if (bytes.size() < kHeaders || bytes[0] != 'B' || bytes[1] != 'M') {
        return QImage();
    }
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const uint32_t pixelsAt = Le32(data + 10);
    const uint32_t infoSize = Le32(data + 14);
    const auto width = int32_t(Le32(data + 18));
    const auto height = int32_t(Le32(data + 22));
    constexpr int32_t kLargest = 32768;
    if ((infoSize != 40 && infoSize != 108 && infoSize != 124) || Le16(data + 26) != 1 ||
        Le16(data + 28) != 24 || Le32(data + 30) != 0 || width <= 0 || width > kLargest ||
        height == 0 || height < -kLargest || height > kLargest || pixelsAt < 14 + infoSize) {
        return QImage();
    }
    const int rows = height < 0 ? -height : height;
    const qsizetype stride = (qsizetype(width) * 3 + 3) & ~qsizetype(3);
    if (qsizetype(pixelsAt) > bytes.size() || (bytes.size() - pixelsAt) / stride < rows) {
        return QImage();
    }
    // Kept in 24 bits as in the file: the main window's background is most
    // of the memory the window holds, and the painter copies red-green-blue
    // rows nearly as fast as 32-bit ones.
    QImage image(width, rows, QImage::Format_RGB888);
    if (image.isNull()) {
        return image;
    }
    for (int y = 0; y < rows; ++y) {
        // Bottom-up unless the height is negative.
        const uchar* in = data + pixelsAt + stride * (height < 0 ? y : rows - 1 - y);
        uchar* out = image.scanLine(y);
        for (int x = 0; x < width; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    const auto dotsX = int32_t(Le32(data + 38));
    const auto dotsY = int32_t(Le32(data + 42));
    if (dotsX > 0) {
        image.setDotsPerMeterX(dotsX);
    }
    if (dotsY > 0) {
        image.setDotsPerMeterY(dotsY);
    }
    return image;
}

QImage ReadPicture(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const QString suffix = dot < 0 ? QString() : path.mid(dot + 1).toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("bmp")) {
        return QImage(path);
    }
    bool inPlace = false;
    QByteArray bytes = PictureBytes(path, inPlace);
    if (bytes.isEmpty()) {
        return QImage();
    }
    if (suffix == QLatin1String("bmp")) {
        QImage opaque = DecodeOpaqueBmp(bytes);
        if (!opaque.isNull()) {
            if (inPlace) {
                ReleaseInPlaceBytes(bytes);
            }
            return opaque;
        }
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, suffix.toLatin1());
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
