#include "ui/kept_pictures.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>

namespace velmaro {

namespace {

// The Qt that decoded the pictures is named: another may decode them
// otherwise.
QByteArray FirstLine() {
    return QByteArrayLiteral("velmaro kept pictures 1 Qt ") + qVersion() + '\n';
}
constexpr uint32_t kByteOrder = 0x01020304;
// Far beyond any skin; a damaged file cannot make the reader allocate more.
constexpr qint64 kMostBytes = 64 * 1024 * 1024;
constexpr uint32_t kLongestPath = 4096;
constexpr uint32_t kLargestSide = 16384;

template <typename T>
void Put(QByteArray& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

class Cursor {
  public:
    explicit Cursor(const QByteArray& bytes) : bytes_(bytes) {}
    bool AtEnd() const { return at_ == bytes_.size(); }
    template <typename T>
    bool Get(T& value) {
        if (bytes_.size() - at_ < qsizetype(sizeof value))
            return false;
        std::memcpy(&value, bytes_.constData() + at_, sizeof value);
        at_ += qsizetype(sizeof value);
        return true;
    }
    // `count` bytes, or null when fewer are left.
    const char* Take(qsizetype count) {
        if (count < 0 || bytes_.size() - at_ < count)
            return nullptr;
        const char* p = bytes_.constData() + at_;
        at_ += count;
        return p;
    }

  private:
    const QByteArray& bytes_;
    qsizetype at_ = 0;
};

// Of everything after the header: a file damaged on the disk holds nothing.
// Each step is one-to-one in the hash so far, so a change of any one word
// always shows.
uint64_t Checksum(const char* data, qsizetype size) {
    uint64_t hash = 14695981039346656037ull;
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t word = 0;
        std::memcpy(&word, data + i, 8);
        hash = (hash ^ word) * 1099511628211ull;
    }
    for (; i < size; ++i)
        hash = (hash ^ uint8_t(data[i])) * 1099511628211ull;
    return hash ^ uint64_t(size);
}

bool GetIdentity(Cursor& in, FileIdentity& id) {
    return in.Get(id.Size) && in.Get(id.ModifiedNs) && in.Get(id.ChangedNs) && in.Get(id.Inode) &&
           in.Get(id.Device);
}

}  // namespace

std::optional<FileIdentity> IdentityOf(const QString& path) {
    if (path.isEmpty() || path.startsWith(QLatin1Char(':')))
        return std::nullopt;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    FileIdentity id;
    id.Size = int64_t(st.st_size);
    id.ModifiedNs = int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    id.ChangedNs = int64_t(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    id.Inode = uint64_t(st.st_ino);
    id.Device = uint64_t(st.st_dev);
    return id;
}

KeptPictures KeptPictures::Read(const QString& file) {
    KeptPictures kept;
    // Only a regular file, and no more than its size said (it may grow while
    // it is read): asking for the limit itself would set that much aside.
    // Opened without waiting, in case it is a pipe with no writer.
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return kept;
    QFile f;
    struct stat st {};
    if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return kept;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMostBytes)
        return kept;
    const QByteArray bytes = f.read(qint64(st.st_size) + 1);
    const QByteArray firstLine = FirstLine();
    Cursor in(bytes);
    const char* first = in.Take(firstLine.size());
    uint32_t order = 0, count = 0;
    uint64_t checksum = 0;
    if (bytes.size() > kMostBytes || first == nullptr ||
        QByteArray::fromRawData(first, firstLine.size()) != firstLine || !in.Get(order) ||
        order != kByteOrder || !in.Get(count) || !in.Get(checksum))
        return kept;
    const qsizetype payload = firstLine.size() + 4 + 4 + 8;
    if (Checksum(bytes.constData() + payload, bytes.size() - payload) != checksum)
        return kept;
    std::map<QString, KeptPicture> pictures;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t pathBytes = 0;
        if (!in.Get(pathBytes) || pathBytes == 0 || pathBytes > kLongestPath)
            return kept;
        const char* path = in.Take(qsizetype(pathBytes));
        KeptPicture picture;
        uint32_t width = 0, height = 0, bytesPerLine = 0;
        int32_t dotsX = 0, dotsY = 0;
        if (path == nullptr || !GetIdentity(in, picture.Identity) || !in.Get(width) ||
            !in.Get(height) || !in.Get(bytesPerLine) || !in.Get(dotsX) || !in.Get(dotsY) ||
            width == 0 || height == 0 || width > kLargestSide || height > kLargestSide ||
            bytesPerLine != width * 4)
            return kept;
        const char* pixels = in.Take(qsizetype(bytesPerLine) * height);
        if (pixels == nullptr)
            return kept;
        picture.Path = QString::fromUtf8(path, qsizetype(pathBytes));
        QImage image(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
        if (image.isNull())
            return kept;
        for (uint32_t y = 0; y < height; ++y)
            std::memcpy(image.scanLine(int(y)), pixels + qsizetype(y) * bytesPerLine, bytesPerLine);
        if (dotsX > 0)
            image.setDotsPerMeterX(dotsX);
        if (dotsY > 0)
            image.setDotsPerMeterY(dotsY);
        picture.Image = std::move(image);
        pictures[picture.Path] = std::move(picture);
    }
    // A file cut short between two pictures, or with more after them, is
    // damaged too.
    if (in.AtEnd())
        kept.pictures_ = std::move(pictures);
    return kept;
}

QImage KeptPictures::Take(const QString& path, const std::optional<FileIdentity>& now) const {
    const auto it = pictures_.find(path);
    if (it == pictures_.end() || !now || *now != it->second.Identity)
        return QImage();
    return it->second.Image;
}

bool WriteKeptPictures(const QString& file, const std::vector<KeptPicture>& pictures) {
    QByteArray out = FirstLine();
    Put(out, kByteOrder);
    const qsizetype countAt = out.size();
    uint32_t count = 0;
    Put(out, count);
    Put(out, uint64_t(0));
    const qsizetype payload = out.size();
    for (const KeptPicture& p : pictures) {
        const QByteArray path = p.Path.toUtf8();
        const QImage& image = p.Image;
        if (image.isNull() || image.format() != QImage::Format_ARGB32_Premultiplied ||
            path.isEmpty() || path.size() > qsizetype(kLongestPath) ||
            image.width() > int(kLargestSide) || image.height() > int(kLargestSide))
            continue;
        ++count;
        Put(out, uint32_t(path.size()));
        out += path;
        Put(out, p.Identity.Size);
        Put(out, p.Identity.ModifiedNs);
        Put(out, p.Identity.ChangedNs);
        Put(out, p.Identity.Inode);
        Put(out, p.Identity.Device);
        const auto rowBytes = uint32_t(image.width()) * 4;
        Put(out, uint32_t(image.width()));
        Put(out, uint32_t(image.height()));
        Put(out, rowBytes);
        Put(out, int32_t(image.dotsPerMeterX()));
        Put(out, int32_t(image.dotsPerMeterY()));
        for (int y = 0; y < image.height(); ++y)
            out.append(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes);
    }
    std::memcpy(out.data() + countAt, &count, sizeof count);
    const uint64_t checksum = Checksum(out.constData() + payload, out.size() - payload);
    std::memcpy(out.data() + countAt + sizeof count, &checksum, sizeof checksum);
    if (out.size() > kMostBytes || !QDir().mkpath(QFileInfo(file).absolutePath()))
        return false;
    QSaveFile save(file);
    return save.open(QIODevice::WriteOnly) && save.write(out) == out.size() && save.commit();
}

}  // namespace velmaro
