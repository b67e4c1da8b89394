// Skin pictures kept decoded between starts: taken back only while their
// files are the very ones they were decoded from, and never from a damaged
// file.
#include "ui/kept_pictures.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <functional>
#include <utility>

#include "ui/skin_image.h"

namespace velmaro {
namespace {

QImage Picture(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    image.setPixel(0, 0, qRgba(10, 200, 30, 128));  // half transparent
    return image;
}

class KeptPicturesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(Picture(7, 5, qRgb(1, 2, 3)).save(a, "PNG"));
        ASSERT_TRUE(Picture(3, 9, qRgba(90, 80, 70, 60)).save(b, "PNG"));
    }
    // The pictures as the skin reads them, kept with their files' identities.
    std::vector<KeptPicture> Decoded() const {
        std::vector<KeptPicture> pictures;
        for (const QString& path : {a, b}) {
            SkinImageCache cache;
            pictures.push_back({path, *IdentityOf(path), cache.Get(path)});
        }
        return pictures;
    }

    QTemporaryDir dir;
    const QString a = dir.filePath("a.png");
    const QString b = dir.filePath("b.png");
    const QString kept = dir.filePath("cache/kept");
};

TEST_F(KeptPicturesTest, AnUnchangedFileGivesItsPictureBackAsDecoded) {
    const std::vector<KeptPicture> decoded = Decoded();
    ASSERT_TRUE(WriteKeptPictures(kept, decoded));
    const KeptPictures read = KeptPictures::Read(kept);
    for (const KeptPicture& p : decoded) {
        const QImage back = read.Take(p.Path, IdentityOf(p.Path));
        EXPECT_EQ(back.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(back, p.Image);
        EXPECT_EQ(back.dotsPerMeterX(), p.Image.dotsPerMeterX());
    }
    EXPECT_TRUE(read.Take(dir.filePath("other.png"), IdentityOf(a)).isNull());
    EXPECT_FALSE(IdentityOf(QStringLiteral(":/bitmap/364.bmp")));
}

// Whatever happens to a file since it was decoded, its kept picture is not
// taken: rewritten alike, rewritten with its old modification time put back,
// replaced by a copy, removed.
TEST_F(KeptPicturesTest, AFileChangedInAnyWayIsDecodedAgain) {
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"rewritten alike",
         [&] {
             QFile f(a);
             ASSERT_TRUE(f.open(QIODevice::ReadOnly));
             const QByteArray bytes = f.readAll();
             f.close();
             ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
             f.write(bytes);
         }},
        {"its modification time put back",
         [&] {
             struct stat st {};
             ASSERT_EQ(::stat(QFile::encodeName(a).constData(), &st), 0);
             QFile f(a);
             ASSERT_TRUE(f.open(QIODevice::Append));
             f.write("x");
             f.resize(st.st_size);
             f.close();
             const timespec times[2] = {st.st_atim, st.st_mtim};
             ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(a).constData(), times, 0), 0);
         }},
        {"replaced by a copy",
         [&] {
             ASSERT_TRUE(QFile::copy(a, a + ".new"));
             ASSERT_TRUE(QFile::remove(a));
             ASSERT_TRUE(QFile::rename(a + ".new", a));
         }},
        {"removed", [&] { ASSERT_TRUE(QFile::remove(a)); }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        SetUp();
        ASSERT_TRUE(WriteKeptPictures(kept, Decoded()));
        // Times move on in steps the file system can tell apart.
        QThread::msleep(20);
        change();
        const KeptPictures read = KeptPictures::Read(kept);
        EXPECT_TRUE(read.Take(a, IdentityOf(a)).isNull());
        EXPECT_FALSE(read.Take(b, IdentityOf(b)).isNull());
    }
}

// A file cut short anywhere, with any one byte damaged (its first line, byte
// order, sizes or pixels), or longer than its pictures, holds nothing at all.
TEST_F(KeptPicturesTest, ADamagedFileHoldsNothing) {
    ASSERT_TRUE(WriteKeptPictures(kept, Decoded()));
    QFile f(kept);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray whole = f.readAll();
    f.close();
    const auto readBack = [&](const QByteArray& bytes) {
        QFile out(kept);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
        out.close();
        return KeptPictures::Read(kept);
    };
    for (qsizetype cut = 0; cut < whole.size(); ++cut)
        EXPECT_TRUE(readBack(whole.left(cut)).Empty()) << "cut at " << cut;
    for (qsizetype at = 0; at < whole.size(); ++at) {
        QByteArray damaged = whole;
        damaged[at] = char(damaged[at] ^ 0x10);
        EXPECT_TRUE(readBack(damaged).Empty()) << "damaged at " << at;
    }
    EXPECT_TRUE(readBack(whole + "more").Empty());
    EXPECT_FALSE(readBack(whole).Empty());

    // Not a regular file: endless bytes are not read, and a pipe with no
    // writer is not waited for.
    ASSERT_TRUE(QFile::remove(kept));
    ASSERT_TRUE(QFile::link("/dev/zero", kept));
    EXPECT_TRUE(KeptPictures::Read(kept).Empty());
    ASSERT_TRUE(QFile::remove(kept));
    ASSERT_EQ(::mkfifo(QFile::encodeName(kept).constData(), 0600), 0);
    EXPECT_TRUE(KeptPictures::Read(kept).Empty());
}

// The list read ahead takes the kept pictures of unchanged files and decodes
// the others; only a start that decoded one writes the kept file again.
TEST_F(KeptPicturesTest, AReadAheadTakesKeptPicturesAndKeepsWhatItDecoded) {
    const auto start = [&](bool& wrote) {
        SkinImageCache cache;
        cache.ReadAheadAll({a, b}, kept);
        std::vector<QImage> pictures = {cache.Get(a), cache.Get(b)};
        const QDateTime before = QFileInfo(kept).lastModified();
        EXPECT_TRUE(cache.Keep(kept, {a, b, QStringLiteral(":/png/151.png")}).get());
        wrote = QFileInfo(kept).lastModified() != before || !before.isValid();
        return pictures;
    };
    bool wrote = false;
    const std::vector<QImage> first = start(wrote);
    EXPECT_TRUE(wrote);
    QThread::msleep(20);
    EXPECT_EQ(start(wrote), first);
    EXPECT_FALSE(wrote);

    ASSERT_TRUE(Picture(7, 5, qRgb(200, 100, 0)).save(a, "PNG"));
    const std::vector<QImage> changed = start(wrote);
    EXPECT_TRUE(wrote);
    EXPECT_NE(changed[0], first[0]);
    EXPECT_EQ(changed[0], SkinImageCache().Get(a));
    EXPECT_EQ(changed[1], first[1]);
}

// A picture the cache lets go of (a control holds it in squares) is freed:
// neither the list read ahead nor the writing of the kept file holds on to
// it, whether it was decoded or taken from the kept file.
TEST_F(KeptPicturesTest, APictureTheCacheLetsGoOfIsHeldByNoReadOrKeep) {
    for (const bool wasKept : {false, true}) {
        SCOPED_TRACE(wasKept);
        SkinImageCache cache;
        cache.ReadAheadAll({a, b}, kept);
        cache.Get(a);
        cache.Get(b);
        EXPECT_TRUE(cache.Keep(kept, {a, b}).get());
        EXPECT_TRUE(QTest::qWaitFor([&] { return cache.Forget(a); }, 2000));
        EXPECT_FALSE(cache.Holds(a));
    }
}

}  // namespace
}  // namespace velmaro
