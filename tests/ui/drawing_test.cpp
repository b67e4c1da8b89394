// Drawing rules: text layout flags, fonts and their substitutes, image
// scaling, and the battery gauge.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <QResource>
#include <QTemporaryDir>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "ui/battery.h"
#include "ui/check_button.h"
#include "ui/skin_image.h"
#include "ui/text_draw.h"
#include "ui/tiled_picture.h"
#include "ui/ui_platform.h"
#include "ui_test_support.h"

namespace velmaro::test {
namespace {

// --- text -------------------------------------------------------------------------

QFont TestFont() {
    UiContext ui;
    return ui.MakeFont("Tahoma", 16);
}

TEST(SkinText, PrefixesLineBreaksAndEllipses) {
    const QFont f = TestFont();
    const Rect wide{0, 0, 400, 20};
    EXPECT_EQ(LayoutSkinText(f, "&Open a&&b", wide, kDtSingleLine), QStringList{"Open a&b"});
    EXPECT_EQ(LayoutSkinText(f, "&Open", wide, kDtSingleLine | kDtNoPrefix), QStringList{"&Open"});
    EXPECT_EQ(LayoutSkinText(f, "one\r\ntwo", wide, kDtSingleLine), QStringList{"one two"});
    EXPECT_EQ(LayoutSkinText(f, "one\ntwo", wide, 0), (QStringList{"one", "two"}));

    const QString longText = "A caption far too long for its little field";
    const QStringList cut = LayoutSkinText(f, longText, Rect{0, 0, 80, 20}, kDtCaption);
    ASSERT_EQ(cut.size(), 1);
    EXPECT_NE(cut[0], longText);
    EXPECT_LE(QFontMetrics(f).horizontalAdvance(cut[0]), 80);
    // Without an ellipsis flag the text stays whole (and is clipped).
    EXPECT_EQ(LayoutSkinText(f, longText, Rect{0, 0, 80, 20}, kDtSingleLine),
              QStringList{longText});
}

TEST(SkinText, WordBreakWrapsToTheWidth) {
    const QFont f = TestFont();
    const QStringList lines = LayoutSkinText(f, "the quick brown fox jumps over the lazy dog",
                                             Rect{0, 0, 90, 200}, kDtWordBreak);
    EXPECT_GT(lines.size(), 2);
    for (const QString& line : lines) {
        EXPECT_FALSE(line.startsWith(' '));
        if (line.contains(' ')) {
            EXPECT_LE(QFontMetrics(f).horizontalAdvance(line), 90) << line.toStdString();
        }
    }
}

// Top-most row holding a drawn pixel, or -1.
int FirstInkRow(const QImage& img) {
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixel(x, y) != qRgb(0, 0, 0)) {
                return y;
            }
        }
    }
    return -1;
}

int InkTopFor(uint32_t flags) {
    QImage img(200, 60, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    DrawSkinText(p, TestFont(), "Hx", Rect{0, 0, 200, 60}, flags, 0xFFFFFF);
    p.end();
    return FirstInkRow(img);
}

TEST(SkinText, VerticalCentringNeedsASingleLine) {
    const int top = InkTopFor(kDtLeft);
    const int centred = InkTopFor(kDtSingleLine | kDtVCenter);
    const int bottom = InkTopFor(kDtSingleLine | kDtBottom);
    ASSERT_GE(top, 0);
    EXPECT_EQ(InkTopFor(kDtVCenter), top);  // ignored without kDtSingleLine
    EXPECT_GT(centred, top + 10);
    EXPECT_GT(bottom, centred + 10);
}

TEST(SkinText, HorizontalAlignment) {
    auto inkLeft = [](uint32_t flags) {
        QImage img(200, 30, QImage::Format_RGB32);
        img.fill(Qt::black);
        QPainter p(&img);
        DrawSkinText(p, TestFont(), "W", Rect{0, 0, 200, 30}, flags | kDtSingleLine, 0xFFFFFF);
        p.end();
        for (int x = 0; x < img.width(); ++x) {
            for (int y = 0; y < img.height(); ++y) {
                if (img.pixel(x, y) != qRgb(0, 0, 0)) {
                    return x;
                }
            }
        }
        return -1;
    };
    EXPECT_LT(inkLeft(kDtLeft), 10);
    EXPECT_NEAR(inkLeft(kDtCenter), 93, 8);
    EXPECT_GT(inkLeft(kDtRight), 180);
}

// --- fonts ------------------------------------------------------------------------

TEST(Fonts, ArtworkFacesResolveToInstalledFonts) {
    const QStringList families = QFontDatabase::families();
    const FontSubstitutes chosen = InstallFontSubstitutes();
    if (families.contains("Liberation Sans")) {
        EXPECT_EQ(chosen.Latin, "Liberation Sans");
        EXPECT_EQ(QFontInfo(QFont("Tahoma")).family(), "Liberation Sans");
    }
    if (families.contains("WenQuanYi Micro Hei")) {
        EXPECT_EQ(chosen.Cjk, "WenQuanYi Micro Hei");
        EXPECT_EQ(QFontInfo(QFont(QString::fromUtf16(u"宋体"))).family(), "WenQuanYi Micro Hei");
    }
    EXPECT_TRUE(chosen.Latin.isEmpty() || families.contains(chosen.Latin));
}

// The program lists the installed fonts on a thread of its own while it
// starts; whatever comes first of a font made and a paint finishes that
// (the substitutions go in), once.
TEST(Fonts, FontsListedAheadAreFinishedBeforeTheFirstFontOrPaint) {
    const std::vector<std::pair<const char*, std::function<void(UiContext&)>>> firsts = {
        {"font", [](UiContext& ui) { ui.MakeFont("Tahoma", 16); }},
        {"edit field font", [](UiContext& ui) { ui.EditFieldFont(80); }},
        {"paint",
         [](UiContext& ui) {
             TestDlg dlg{ui};
             dlg.Initialize();
             dlg.RenderAll();
         }},
    };
    for (const auto& [name, first] : firsts) {
        SCOPED_TRACE(name);
        UiContext ui;
        int finished = 0;
        ui.SetFontsPending([&finished] { ++finished; });
        first(ui);
        EXPECT_EQ(finished, 1);
        ui.MakeFont("Tahoma", 16);
        EXPECT_EQ(finished, 1);
    }
}

TEST(Fonts, HeightIsTheLineHeightOfTheFaceNamed) {
    UiContext ui;
    // Tahoma's line is 1.207 em, so 16 pixels of line are a 13-pixel em.
    EXPECT_EQ(ui.MakeFont("Tahoma", 16).pixelSize(), 13);
    EXPECT_EQ(ui.MakeFont("Tahoma", 32).pixelSize(), 27);
    EXPECT_EQ(ui.MakeFont("Tahoma", 11).pixelSize(), 9);
    // The Chinese face's line is its em.
    EXPECT_EQ(ui.MakeFont(QString::fromUtf16(u"宋体"), 24).pixelSize(), 24);
    // Other faces are measured as installed.
    const QFontMetrics fm(ui.MakeFont("DejaVu Sans", 20));
    EXPECT_NEAR(fm.ascent() + fm.descent(), 20, 1.5);
    // The program-wide font comes from the language table's choice.
    ui.Font = UiFont{u"Tahoma", 24, 1};
    EXPECT_EQ(ui.ProgramFont().pixelSize(), 20);
    // A negative height is the character height itself.
    EXPECT_EQ(ui.MakeFont("Tahoma", -13).pixelSize(), 13);
}

// --- images at the UI scale ---------------------------------------------------------

TEST(Scaling, ImagesAreMagnifiedPixelForPixel) {
    QTemporaryDir dir;
    QImage pic(2, 2, QImage::Format_ARGB32);
    pic.setPixelColor(0, 0, Qt::red);
    pic.setPixelColor(1, 0, Qt::green);
    pic.setPixelColor(0, 1, Qt::blue);
    pic.setPixelColor(1, 1, Qt::white);
    const QString path = dir.filePath("pic.png");
    ASSERT_TRUE(pic.save(path));

    RecordingHost host(2.0);
    CCheckButton b(&host, 1, Rect{10, 10, 14, 14}, "");
    b.SetNormalImage(path);
    QImage out(30, 30, QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter p(&out);
    b.Draw(p, Rect{0, 0, 30, 30});
    p.end();
    EXPECT_EQ(out.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(out.pixelColor(11, 11), QColor(Qt::red));
    EXPECT_EQ(out.pixelColor(12, 10), QColor(Qt::green));
    EXPECT_EQ(out.pixelColor(13, 11), QColor(Qt::green));
    EXPECT_EQ(out.pixelColor(10, 12), QColor(Qt::blue));
    EXPECT_EQ(out.pixelColor(13, 13), QColor(Qt::white));
    EXPECT_EQ(out.pixelColor(14, 14), QColor(Qt::black));
}

TEST(Scaling, ReleasedImagesDrawNothing) {
    QTemporaryDir dir;
    RecordingHost host;
    CCheckButton b(&host, 1, Rect{0, 0, 10, 10}, "");
    b.SetNormalImage(SolidPng(dir, "n.png", 10, 10, Qt::red));
    b.ReleaseImages();
    QImage out(10, 10, QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter p(&out);
    b.Draw(p, Rect{0, 0, 10, 10});
    p.end();
    EXPECT_EQ(out.pixelColor(5, 5), QColor(Qt::black));
}

// A picture is read on its control's first paint, once for every control
// naming the same file; a file that cannot be read leaves its look blank.
TEST(Scaling, PicturesAreReadOnFirstPaintOnceForAllControls) {
    QTemporaryDir dir;
    RecordingHost host;
    const QString red = SolidPng(dir, "n.png", 10, 10, Qt::red);
    CCheckButton a(&host, 1, Rect{0, 0, 10, 10}, "");
    CCheckButton b(&host, 2, Rect{10, 0, 20, 10}, "");
    CCheckButton missing(&host, 3, Rect{20, 0, 30, 10}, "");
    a.SetNormalImage(red);
    b.SetNormalImage(red);
    missing.SetNormalImage(dir.filePath("absent.png"));
    EXPECT_EQ(host.ui.Pictures.Count(), 0);

    QImage out(30, 10, QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter p(&out);
    for (CCheckButton* c : {&a, &b, &missing})
        c->Draw(p, Rect{0, 0, 30, 10});
    p.end();
    EXPECT_EQ(out.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(out.pixelColor(15, 5), QColor(Qt::red));
    EXPECT_EQ(out.pixelColor(25, 5), QColor(Qt::black));
    EXPECT_EQ(host.ui.Pictures.Count(), 2);
}

// --- BMP pictures -------------------------------------------------------------------

// What Qt's own reader makes of `bytes`.
QImage QtBmp(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    // Qt reads into 32 bits; the skin's decoder keeps the file's 24.
    return reader.read().convertToFormat(QImage::Format_RGB888);
}

// A 24-bit BMP of a picture with no two pixels alike, as Qt writes it.
QByteArray Bmp24(int width, int height) {
    QImage pic(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pic.setPixel(x, y, qRgb(x * 37 + 1, y * 59 + 2, (x ^ y) * 13 + 3));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(pic.save(&buffer, "BMP"));
    return bytes;
}

void PutLe32(QByteArray& bytes, int at, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char(uint32_t(value) >> (8 * i) & 0xFF);
}

void ExpectSamePicture(const QImage& fast, const QImage& qt) {
    ASSERT_FALSE(fast.isNull());
    EXPECT_EQ(fast.format(), qt.format());
    EXPECT_EQ(fast.size(), qt.size());
    EXPECT_EQ(fast.dotsPerMeterX(), qt.dotsPerMeterX());
    EXPECT_EQ(fast.dotsPerMeterY(), qt.dotsPerMeterY());
    EXPECT_EQ(fast, qt);
}

// Every width pads its rows differently; top-down files have a negative
// height.
TEST(BmpPictures, OpaqueBmpsDecodeAsQtDecodesThem) {
    for (const int width : {1, 2, 3, 4, 5, 17})
        for (const int height : {1, 3}) {
            SCOPED_TRACE(testing::Message() << width << " x " << height);
            const QByteArray bottomUp = Bmp24(width, height);
            ASSERT_EQ(bottomUp[28], 24);
            ExpectSamePicture(DecodeOpaqueBmp(bottomUp), QtBmp(bottomUp));

            QByteArray topDown = bottomUp;
            PutLe32(topDown, 22, -height);
            const int at = int(uint8_t(bottomUp[10]));
            const int stride = (width * 3 + 3) & ~3;
            for (int y = 0; y < height; ++y)
                topDown.replace(at + y * stride, stride,
                                bottomUp.mid(at + (height - 1 - y) * stride, stride));
            ExpectSamePicture(DecodeOpaqueBmp(topDown), QtBmp(topDown));
        }
}

// The main window's background is compiled in uncompressed and read in
// place; its pages are handed back once it is decoded, and read again alike.
TEST(BmpPictures, TheCompiledInBackgroundsDecodeAsQtDecodesThem) {
    InitUiResources();
    EXPECT_EQ(QResource(BitmapResourcePath(364)).compressionAlgorithm(), QResource::NoCompression);
    for (const int id : {364, 287}) {
        SCOPED_TRACE(id);
        const QByteArray bytes = QResource(BitmapResourcePath(id)).uncompressedData();
        ExpectSamePicture(DecodeOpaqueBmp(bytes), QtBmp(bytes));
        const QImage first = ReadPicture(BitmapResourcePath(id));
        EXPECT_EQ(first, QtBmp(bytes));
        EXPECT_EQ(ReadPicture(BitmapResourcePath(id)), first);
    }
}

// Anything else is left to Qt's reader: other kinds of BMP, damaged headers
// and files cut short anywhere.
TEST(BmpPictures, OtherOrDamagedBmpsAreLeftToQtsReader) {
    const QByteArray good = Bmp24(5, 3);
    const std::vector<std::pair<const char*, std::function<void(QByteArray&)>>> damage = {
        {"32 bits", [](QByteArray& b) { b[28] = 32; }},
        {"run-length coded", [](QByteArray& b) { PutLe32(b, 30, 1); }},
        {"two planes", [](QByteArray& b) { b[26] = 2; }},
        {"no width", [](QByteArray& b) { PutLe32(b, 18, 0); }},
        {"no height", [](QByteArray& b) { PutLe32(b, 22, 0); }},
        {"huge height", [](QByteArray& b) { PutLe32(b, 22, 1 << 30); }},
        {"negative huge height", [](QByteArray& b) { PutLe32(b, 22, -(1 << 30)); }},
        {"pixels beyond the end", [](QByteArray& b) { PutLe32(b, 10, 1 << 30); }},
        {"pixels inside the header", [](QByteArray& b) { PutLe32(b, 10, 20); }},
        {"unknown header", [](QByteArray& b) { PutLe32(b, 14, 64); }},
        {"not a BMP", [](QByteArray& b) { b[0] = 'X'; }},
    };
    for (const auto& [name, change] : damage) {
        SCOPED_TRACE(name);
        QByteArray bytes = good;
        change(bytes);
        EXPECT_TRUE(DecodeOpaqueBmp(bytes).isNull());
    }
    for (qsizetype size = 0; size < good.size(); ++size)
        EXPECT_TRUE(DecodeOpaqueBmp(good.left(size)).isNull()) << size;

    QTemporaryDir dir;
    const QString cut = dir.filePath("cut.bmp");
    QFile file(cut);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(good.left(good.size() - 4));
    file.close();
    // Qt's reader gives the rows it could read (the file is stored bottom
    // up); what it leaves of the top row is undefined.
    const QImage ours = ReadPicture(cut).convertToFormat(QImage::Format_RGB888);
    const QImage qt = QtBmp(good.left(good.size() - 4));
    ASSERT_FALSE(qt.isNull());
    ASSERT_EQ(ours.size(), qt.size());
    for (int y = 1; y < qt.height(); ++y)
        EXPECT_EQ(0,
                  std::memcmp(ours.constScanLine(y), qt.constScanLine(y), size_t(qt.width()) * 3))
            << y;
}

// --- pictures held in squares ----------------------------------------------

// A picture whose squares of 32 by 32 hold 1, 2, 3, 5, 17, 256 and 1024
// colours, in both directions of a row; its last column and row are cut
// short (100 by 70). With transparency, every colour is see-through but
// those of the plain squares: one wholly, the other not at all.
QImage SquaresOfEveryKind(QImage::Format format) {
    constexpr int kCounts[] = {1, 2, 3, 5, 17, 256, 1024, 1};
    QImage picture(100, 70, format);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const int square = (y / 32) * 4 + x / 32;
            const int count = kCounts[square % 8];
            const int number = ((x % 32) + 32 * (y % 32)) % count;
            // A different set of colours in every square.
            const int colour =
                (square * 4096 + (square % 2 ? count - 1 - number : number)) & 0xFFFF;
            const int alpha = square == 0 ? 255 : square == 7 ? 0 : 60 + colour % 150;
            picture.setPixelColor(x, y, QColor(colour & 0xFF, colour >> 8, 40 + square, alpha));
        }
    return picture;
}

// What is drawn over a patterned canvas: the picture, or its squares, at
// (3, 2) through the same clip.
QImage DrawnOver(const std::function<void(QPainter&)>& draw, const QRect& clip) {
    QImage canvas(110, 80, QImage::Format_RGB32);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            canvas.setPixel(x, y, qRgb(x * 2, y * 3, (x + y) % 256));
    QPainter p(&canvas);
    p.setClipRect(clip);
    draw(p);
    return canvas;
}

TEST(TiledPicture, DrawsThePicturesPixelsInEveryPartAsked) {
    for (const QImage::Format format :
         {QImage::Format_RGB888, QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        const QImage picture = SquaresOfEveryKind(format);
        const TiledPicture tiled(picture);
        ASSERT_EQ(tiled.Size(), picture.size());
        EXPECT_EQ(tiled.ToImage(), picture.convertToFormat(
                                       picture.hasAlphaChannel() ? format : QImage::Format_RGB32));
        const QPoint at(3, 2);
        for (const QRect& area : {QRect(0, 0, 110, 80), QRect(5, 3, 30, 40), QRect(31, 31, 2, 2),
                                  QRect(90, 60, 20, 20), QRect(33, 0, 1, 70)}) {
            SCOPED_TRACE(testing::Message() << format << " " << area.x() << "," << area.y() << " "
                                            << area.width() << "x" << area.height());
            EXPECT_EQ(
                DrawnOver([&](QPainter& p) { tiled.Draw(p, at, area); }, area.translated(at)),
                DrawnOver([&](QPainter& p) { p.drawImage(at, picture); }, area.translated(at)));
        }
    }
}

// The main window's background in squares: the same pixels in a fraction of
// the memory.
TEST(TiledPicture, TheMainBackgroundTakesUnderAThirdOfItsMemory) {
    InitUiResources();
    const QImage background = ReadPicture(BitmapResourcePath(364));
    ASSERT_FALSE(background.isNull());
    const TiledPicture tiled(background);
    EXPECT_EQ(tiled.ToImage(), background.convertToFormat(QImage::Format_RGB32));
    EXPECT_LT(tiled.Bytes(), size_t(background.sizeInBytes()) / 3);
}

// --- battery gauge -----------------------------------------------------------------

struct FillCase {
    double scale;
    int level;
    int destTop;
    int sourceTop;
};

class BatteryFill : public ::testing::TestWithParam<FillCase> {};

TEST_P(BatteryFill, FillStartsWhereTheRuleSays) {
    const FillCase c = GetParam();
    QTemporaryDir dir;
    RecordingHost host(c.scale);
    // The gauge picture is 30 x 61; the control is that size at the scale.
    CBattery b(&host, Rect{0, 0, int(30 * c.scale), int(61 * c.scale)}, "");
    b.SetFullImage(SolidPng(dir, "full.png", 30, 61, Qt::red));
    const CBattery::FillGeometry g = b.FillFor(c.level);
    EXPECT_EQ(g.DestTop, c.destTop);
    EXPECT_EQ(g.SourceTop, c.sourceTop);
}

INSTANTIATE_TEST_SUITE_P(Rule, BatteryFill,
                         ::testing::Values(FillCase{1.0, 100, 7, 7}, FillCase{1.0, 50, 32, 32},
                                           FillCase{1.0, 0, 56, 56},  // still one row
                                           FillCase{1.0, 1, 56, 56}, FillCase{2.0, 100, 14, 7},
                                           FillCase{2.0, 51, 64, 32},
                                           // At 1.5 an odd remainder moves the top up a row.
                                           FillCase{1.5, 50, 47, 32}));

class BatteryDraw : public ::testing::Test {
  protected:
    void SetUp() override {
        QImage bolt(30, 61, QImage::Format_ARGB32);
        bolt.fill(Qt::transparent);
        bolt.setPixelColor(15, 30, Qt::yellow);
        const QString boltPath = dir.filePath("bolt.png");
        bolt.save(boltPath);
        battery.SetImages(SolidPng(dir, "full.png", 30, 61, Qt::red),
                          SolidPng(dir, "empty.png", 30, 61, Qt::blue),
                          SolidPng(dir, "charging.png", 30, 61, Qt::green), boltPath);
    }
    QImage Render() {
        QImage out(30, 61, QImage::Format_RGB32);
        out.fill(Qt::black);
        QPainter p(&out);
        battery.Draw(p, Rect{0, 0, 30, 61});
        return out;
    }
    QTemporaryDir dir;
    RecordingHost host;
    CBattery battery{&host, Rect{0, 0, 30, 61}, ""};
};

TEST_F(BatteryDraw, OnBatteryFillsTheEmptyPictureToTheLevel) {
    battery.SetMode(CBattery::OnBattery);
    battery.SetLevel(50);
    const QImage out = Render();
    EXPECT_EQ(out.pixelColor(5, 31), QColor(Qt::blue));
    EXPECT_EQ(out.pixelColor(5, 32), QColor(Qt::red));
    EXPECT_EQ(out.pixelColor(5, 60), QColor(Qt::red));
    EXPECT_EQ(out.pixelColor(15, 30), QColor(Qt::blue));  // no bolt
}

TEST_F(BatteryDraw, ChargingFillsToTheAnimationNotTheLevel) {
    battery.SetMode(CBattery::Charging);
    battery.SetLevel(80);
    battery.SetAnimation(25);  // 12 rows from 45
    const QImage out = Render();
    EXPECT_EQ(out.pixelColor(5, 44), QColor(Qt::black));  // the empty picture is not drawn
    EXPECT_EQ(out.pixelColor(5, 45), QColor(Qt::green));
    EXPECT_EQ(out.pixelColor(15, 30), QColor(Qt::yellow));
}

TEST_F(BatteryDraw, FullShowsTheFullPictureUnderTheBolt) {
    battery.SetMode(CBattery::Full);
    const QImage out = Render();
    EXPECT_EQ(out.pixelColor(5, 0), QColor(Qt::red));
    EXPECT_EQ(out.pixelColor(15, 30), QColor(Qt::yellow));
}

TEST(Battery, LevelAboveAHundredShowsEmpty) {
    RecordingHost host;
    CBattery b(&host, Rect{0, 0, 30, 61}, "");
    b.SetLevel(150);
    EXPECT_EQ(b.Level(), 0);
    b.SetLevel(100);
    EXPECT_EQ(b.Level(), 100);
}

}  // namespace
}  // namespace velmaro::test
