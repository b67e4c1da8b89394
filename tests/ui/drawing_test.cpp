// Drawing rules: text layout flags, fonts and their substitutes, image
// scaling, and the battery gauge.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <functional>
#include <utility>
#include <vector>

#include "ui/battery.h"
#include "ui/check_button.h"
#include "ui/text_draw.h"
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
