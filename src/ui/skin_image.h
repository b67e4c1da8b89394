// One picture of the skin as a control holds it: a file of the skin folder
// or an image compiled into the program, drawn pixel for pixel (nearest
// neighbour) from a source rectangle into a destination one.
//
// Pictures are read when they are first needed, not when a control is
// created: a window names every picture of every look of every control at
// start-up, but its first paint shows only the normal looks of the page in
// front. A picture is read the first time it is drawn or measured (a hover
// look on the first hover, a dialog's pictures on its first paint), through
// the program's SkinImageCache, which keeps it for every control showing the
// same file.
#pragma once

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QString>
#include <future>
#include <map>
#include <optional>
#include <vector>

#include "ui/kept_pictures.h"

namespace velmaro {

// The skin pictures one program has read, by path. Each file is read and
// prepared for drawing once and shared (QImage data is shared, not copied).
class SkinImageCache {
  public:
    // The picture of a skin file or a compiled-in image (":/png/151.png"),
    // read now unless it was read before; null when it cannot be read (a
    // failed read is kept too, so a missing file is looked for once).
    QImage Get(const QString& path);
    // Whether `path` has been read.
    bool Holds(const QString& path) const { return images_.contains(path); }
    // Lets go of the picture of `path` if nothing else holds it any more (a
    // control that did holds it in another form now); it is read again if
    // asked for again. Returns whether it is gone.
    bool Forget(const QString& path);
    // How many files have been read.
    int Count() const { return int(images_.size()); }
    // Forgets every picture (a benchmark's cold start); what the controls
    // already hold stays with them.
    void Clear() {
        images_.clear();
        ahead_.clear();
        identities_.clear();
        fromKept_.clear();
    }

    // Starts reading `path` (as ReadPicture does) on a thread of its own, so
    // that a large picture the first paint needs is read while the program
    // starts its window; Read() takes it.
    void ReadAhead(const QString& path);
    // `path` as ReadPicture reads it, not kept here: the read started ahead
    // for it (waiting for its end), else read now.
    QImage Read(const QString& path);
    // Starts reading each of `paths` not read or started yet, one after the
    // other in that order, on one thread of its own: the pictures a window's
    // first paint drew last time, read while the window is built. Those kept
    // decoded in `keptFile` (when given) for files unchanged since are taken
    // from it instead.
    void ReadAheadAll(const std::vector<QString>& paths, const QString& keptFile = QString());
    // Keeps the pictures of `paths` read so far, decoded, in `keptFile` for
    // the next ReadAheadAll; skin files only. Nothing is written when every
    // one of them was taken from that file already. The file is written on a
    // thread of its own, which the cache waits for when it ends; the result
    // tells whether the file holds them.
    std::shared_future<bool> Keep(const QString& keptFile, const std::vector<QString>& paths);
    // Forgets the reads started ahead that nobody took (a list that no longer
    // fits); what they read is freed when they end.
    void DropAhead() { ahead_.clear(); }
    // Every path read so far (by Get or Read), in the order first asked for;
    // the window takes from it what its first paint read.
    const std::vector<QString>& ReadOrder() const { return readOrder_; }

    // Reads every picture as soon as a control names it, the way the program
    // read its skin before pictures waited for their first paint. Tests draw
    // a window both ways and compare.
    bool Eager = false;

  private:
    // A picture as read ahead: with its file's identity from before it was
    // read, and whether it came from the kept pictures.
    struct Ahead {
        QImage Image;
        std::optional<FileIdentity> Identity;
        bool Kept = false;
    };
    QHash<QString, QImage> images_;
    std::map<QString, std::shared_future<Ahead>> ahead_;
    // The identity of each skin file when it was read, and which files were
    // taken from the kept pictures.
    QHash<QString, FileIdentity> identities_;
    QSet<QString> fromKept_;
    std::vector<QString> readOrder_;
    // The thread reading a list ahead; it ends before the cache does.
    std::shared_future<void> listReader_;
    // The thread writing the kept pictures; it too ends before the cache.
    std::shared_future<bool> keeper_;
};

class SkinImage {
  public:
    // Names the picture; it is read through `cache` the first time it is
    // drawn or measured (at once when the cache is eager). A file that cannot
    // be read leaves the picture set but empty: its look draws nothing.
    void SetFile(SkinImageCache& cache, const QString& path);
    // A PNG compiled into the program under its number (":/png/<id>.png").
    void SetResource(SkinImageCache& cache, int id);
    // A picture already in memory. Returns whether it holds anything.
    bool LoadImage(const QImage& image);
    // Forgets the picture: not set, nothing drawn.
    void Release();

    // A picture was named since the last release.
    bool IsSet() const { return set_; }
    // The file or compiled-in image named.
    const QString& Path() const { return path_; }
    // Whether the picture has been read yet (tests, the benchmark).
    bool IsRead() const { return read_; }
    // These read the picture if it has not been read yet.
    bool IsNull() const { return Image().isNull(); }
    int Width() const { return Image().width(); }
    int Height() const { return Image().height(); }
    const QImage& Image() const;

  private:
    SkinImageCache* cache_ = nullptr;
    QString path_;
    mutable QImage image_;
    mutable bool read_ = false;
    bool set_ = false;
};

// Nearest-neighbour copy of src (image pixels) into dst (target pixels); a
// source outside the image draws what overlaps it, which may be nothing.
void DrawSkinImage(QPainter& p, const QImage& image, const QRect& src, const QRect& dst);
// The whole image into dst.
void DrawSkinImage(QPainter& p, const QImage& image, const QRect& dst);

// Reads a picture file or compiled-in image with the decoder its suffix
// names (".png", ".bmp"). Qt's own reader would first load every image
// plugin installed to ask each whether it knows the suffix; the skin holds
// only formats Qt decodes itself. A name without a known suffix is read the
// usual way. Null when the file cannot be read.
QImage ReadPicture(const QString& path);
// An uncompressed 24-bit BMP (the compiled-in backgrounds are) decoded as
// Qt's reader decodes it, several times as fast; null for any other kind or
// a damaged file, which ReadPicture leaves to Qt's reader.
QImage DecodeOpaqueBmp(const QByteArray& bytes);

// The resource names of the compiled-in images.
QString PngResourcePath(int id);
QString BitmapResourcePath(int id);

}  // namespace velmaro
