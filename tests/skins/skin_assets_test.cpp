// The generated skin: every file of the skin folder and every compiled-in
// resource exists under its exact name, with its size and pixel format; the
// scroll arrows are three 18 x 20 frames; the looks of each control differ;
// the mouse picture lies under the button markers; the palette has a real
// colour field inside its picking areas.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QString>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "skin_layout.h"

namespace {

namespace layout = velmaro::skin_layout;

enum class Kind { Rgba, Bmp24 };

struct Expected {
    const char* path;
    int width;
    int height;
    Kind kind;
};

void PrintTo(const Expected& e, std::ostream* os) {
    *os << e.path;
}

// What the file header says about the picture.
struct Header {
    bool ok = false;
    Kind kind = Kind::Rgba;
    int width = 0;
    int height = 0;
    int depthOrType = 0;  // PNG: bit depth * 100 + colour type; BMP: bits per pixel
};

std::uint32_t Be32(const QByteArray& b, int at) {
    return (std::uint32_t(std::uint8_t(b[at])) << 24) |
           (std::uint32_t(std::uint8_t(b[at + 1])) << 16) |
           (std::uint32_t(std::uint8_t(b[at + 2])) << 8) | std::uint32_t(std::uint8_t(b[at + 3]));
}

std::uint32_t Le32(const QByteArray& b, int at) {
    return std::uint32_t(std::uint8_t(b[at])) | (std::uint32_t(std::uint8_t(b[at + 1])) << 8) |
           (std::uint32_t(std::uint8_t(b[at + 2])) << 16) |
           (std::uint32_t(std::uint8_t(b[at + 3])) << 24);
}

Header ReadHeader(const QByteArray& bytes) {
    Header h;
    if (bytes.size() >= 26 && bytes.startsWith("\x89PNG\r\n\x1a\n") && bytes.mid(12, 4) == "IHDR") {
        h.ok = true;
        h.kind = Kind::Rgba;
        h.width = int(Be32(bytes, 16));
        h.height = int(Be32(bytes, 20));
        h.depthOrType = std::uint8_t(bytes[24]) * 100 + std::uint8_t(bytes[25]);
    } else if (bytes.size() >= 30 && bytes.startsWith("BM")) {
        h.ok = true;
        h.kind = Kind::Bmp24;
        h.width = int(std::int32_t(Le32(bytes, 18)));
        h.height = std::abs(int(std::int32_t(Le32(bytes, 22))));
        h.depthOrType = std::uint8_t(bytes[28]) | (std::uint8_t(bytes[29]) << 8);
    }
    return h;
}

void ExpectPicture(const QString& file, const Expected& e) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "missing: " << file.toStdString();
    const QByteArray bytes = f.readAll();
    const Header h = ReadHeader(bytes);
    ASSERT_TRUE(h.ok) << "neither PNG nor BMP: " << file.toStdString();
    EXPECT_EQ(h.kind, e.kind) << file.toStdString();
    EXPECT_EQ(h.width, e.width) << file.toStdString();
    EXPECT_EQ(h.height, e.height) << file.toStdString();
    // 8-bit RGBA PNGs (colour type 6) and 24-bit bitmaps.
    EXPECT_EQ(h.depthOrType, e.kind == Kind::Rgba ? 806 : 24) << file.toStdString();
    EXPECT_FALSE(QImage::fromData(bytes).isNull()) << "does not decode: " << file.toStdString();
}

QString SkinFile(const QString& relative) {
    return QDir(QStringLiteral(VELMARO_SKINS_DIR)).absoluteFilePath(relative);
}

QImage Skin(const QString& relative) {
    return QImage(SkinFile(relative)).convertToFormat(QImage::Format_ARGB32);
}

// --- The skin folder -----------------------------------------------------------

// Sizes of frames, menu items, DPI bars, rate tiles, colour slots, direction
// buttons, headers, window buttons and the battery follow from the places the
// program draws them; the others are the skin's own choice.
const Expected kSkinFiles[] = {
    {"Frame_common.bmp", 429, 140, Kind::Bmp24},
    {"Frame_warning.bmp", 319, 102, Kind::Bmp24},
    {"Frame_warning_long.bmp", 560, 220, Kind::Bmp24},
    {"Frame_DPI.bmp", 429, 140, Kind::Bmp24},
    {"Frame_Macro_Manager.bmp", 528, 365, Kind::Bmp24},
    {"Frame_progress_nr.bmp", 429, 140, Kind::Bmp24},
    {"Frame_progress_ov.bmp", 429, 140, Kind::Bmp24},
    {"Frame_Lighting_Setting.bmp", 230, 82, Kind::Bmp24},
    {"exit_nr.png", 15, 15, Kind::Rgba},
    {"exit_ov.png", 15, 15, Kind::Rgba},
    {"min_nr.png", 15, 15, Kind::Rgba},
    {"min_ov.png", 15, 15, Kind::Rgba},
    {"button1_nr.png", 69, 20, Kind::Rgba},
    {"button1_ov.png", 69, 20, Kind::Rgba},
    {"button2_nr.png", 69, 20, Kind::Rgba},
    {"button2_ov.png", 69, 20, Kind::Rgba},
    {"button4_nr.png", 215, 45, Kind::Rgba},
    {"check_nr.png", 11, 11, Kind::Rgba},
    {"check_ov.png", 11, 11, Kind::Rgba},
    {"check_dn.png", 11, 11, Kind::Rgba},
    {"check_button_dpi_nr.png", 14, 14, Kind::Rgba},
    {"check_button_dpi_ov.png", 14, 14, Kind::Rgba},
    {"check_button_dpi_dn.png", 14, 14, Kind::Rgba},
    {"radio_nr.png", 15, 15, Kind::Rgba},
    {"radio_ov.png", 15, 15, Kind::Rgba},
    {"radio_dn.png", 15, 15, Kind::Rgba},
    {"header_nr.png", 262, 25, Kind::Rgba},
    {"header_ov.png", 262, 25, Kind::Rgba},
    {"header2_nr.png", 180, 22, Kind::Rgba},
    {"header2_ov.png", 180, 22, Kind::Rgba},
    {"combo2_nr.png", 160, 26, Kind::Rgba},
    {"combo2_ov.png", 160, 26, Kind::Rgba},
    {"combo3_nr.png", 189, 25, Kind::Rgba},
    {"combo3_ov.png", 189, 25, Kind::Rgba},
    {"menu_nr.png", 190, 22, Kind::Rgba},
    {"menu_ov.png", 190, 22, Kind::Rgba},
    {"menusub_nr.png", 190, 22, Kind::Rgba},
    {"menusub_ov.png", 190, 22, Kind::Rgba},
    {"Slider_bar.png", 145, 3, Kind::Rgba},
    {"Slider_bar2.png", 145, 3, Kind::Rgba},
    {"Slider_Circle.png", 13, 13, Kind::Rgba},
    {"125hz_nr.png", 72, 72, Kind::Rgba},
    {"125hz_dn.png", 72, 72, Kind::Rgba},
    {"250hz_nr.png", 72, 72, Kind::Rgba},
    {"250hz_dn.png", 72, 72, Kind::Rgba},
    {"500hz_nr.png", 72, 72, Kind::Rgba},
    {"500hz_dn.png", 72, 72, Kind::Rgba},
    {"1000hz_nr.png", 72, 72, Kind::Rgba},
    {"1000hz_dn.png", 72, 72, Kind::Rgba},
    {"color_select_nr.png", 21, 20, Kind::Rgba},
    {"color_select_check.png", 21, 20, Kind::Rgba},
    {"up_nr.png", 29, 18, Kind::Rgba},
    {"up_ov.png", 29, 18, Kind::Rgba},
    {"up_check.png", 29, 18, Kind::Rgba},
    {"down_nr.png", 29, 18, Kind::Rgba},
    {"down_ov.png", 29, 18, Kind::Rgba},
    {"down_check.png", 29, 18, Kind::Rgba},
    {"dpi_value.png", 34, 14, Kind::Rgba},
    {"mouse/dpi_bar_1.png", 7, 132, Kind::Rgba},
    {"mouse/dpi_bar_2.png", 7, 132, Kind::Rgba},
    {"power_manage_3min.png", 140, 90, Kind::Rgba},
    {"power_manage_4min.png", 140, 90, Kind::Rgba},
    {"power_manage_5min.png", 140, 90, Kind::Rgba},
    {"power_manage_6min.png", 140, 90, Kind::Rgba},
    {"power_manage_7min.png", 140, 90, Kind::Rgba},
    {"power_manage_8min.png", 140, 90, Kind::Rgba},
    {"power_manage_9min.png", 140, 90, Kind::Rgba},
    {"power_manage_10min.png", 140, 90, Kind::Rgba},
    {"battery_full.png", 30, 61, Kind::Rgba},
    {"battery_empty.png", 30, 61, Kind::Rgba},
    {"battery_charging.png", 30, 61, Kind::Rgba},
    {"battery_lighting.png", 30, 61, Kind::Rgba},
    {"battery_green.png", 16, 8, Kind::Rgba},
    {"battery_orange.png", 16, 8, Kind::Rgba},
    {"battery_red.png", 16, 8, Kind::Rgba},
    {"mouse/mouse_nr.png", 260, 420, Kind::Rgba},
    {"mouse/number1.png", 24, 24, Kind::Rgba},
    {"mouse/number2.png", 24, 24, Kind::Rgba},
    {"mouse/number3.png", 24, 24, Kind::Rgba},
    {"mouse/number4.png", 24, 24, Kind::Rgba},
    {"mouse/number5.png", 24, 24, Kind::Rgba},
    {"mouse/number6.png", 24, 24, Kind::Rgba},
    {"mouse/number7.png", 24, 24, Kind::Rgba},
    {"mouse/number8.png", 24, 24, Kind::Rgba},
    {"mouse/number9.png", 24, 24, Kind::Rgba},
    {"macro_record_nr.png", 90, 18, Kind::Rgba},
    {"macro_record_dn.png", 90, 18, Kind::Rgba},
    {"macro_down.png", 16, 16, Kind::Rgba},
    {"macro_up.png", 16, 16, Kind::Rgba},
    {"macro_time.png", 16, 16, Kind::Rgba},
    {"foldr_open.png", 16, 16, Kind::Rgba},
    {"foldr_close.png", 16, 16, Kind::Rgba},
};

class SkinFileTest : public testing::TestWithParam<Expected> {};

TEST_P(SkinFileTest, ExistsWithItsSizeAndFormat) {
    ExpectPicture(SkinFile(GetParam().path), GetParam());
}

std::string TestName(const testing::TestParamInfo<Expected>& info) {
    std::string name = info.param.path;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinFileTest, testing::ValuesIn(kSkinFiles), TestName);

TEST(SkinFolder, HoldsExactlyTheListedFiles) {
    QSet<QString> expected;
    for (const Expected& e : kSkinFiles) {
        expected.insert(QString::fromLatin1(e.path));
    }
    ASSERT_EQ(expected.size(), 92);
    QSet<QString> found;
    const QDir root(QStringLiteral(VELMARO_SKINS_DIR));
    QDirIterator it(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        found.insert(root.relativeFilePath(it.next()));
    }
    EXPECT_EQ(found, expected);
}

// --- Compiled-in resources -------------------------------------------------------

const Expected kResources[] = {
    {":/bitmap/364.bmp", 1127, 740, Kind::Bmp24}, {":/bitmap/287.bmp", 500, 291, Kind::Bmp24},
    {":/png/151.png", 65, 65, Kind::Rgba},        {":/png/187.png", 54, 20, Kind::Rgba},
    {":/png/188.png", 54, 20, Kind::Rgba},        {":/icon/128/16.png", 16, 16, Kind::Rgba},
    {":/icon/128/32.png", 32, 32, Kind::Rgba},    {":/icon/128/48.png", 48, 48, Kind::Rgba},
    {":/icon/128/256.png", 256, 256, Kind::Rgba},
};

class ResourceTest : public testing::TestWithParam<Expected> {};

TEST_P(ResourceTest, IsCompiledInWithItsSizeAndFormat) {
    ExpectPicture(QString::fromLatin1(GetParam().path), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Resources, ResourceTest, testing::ValuesIn(kResources), TestName);

// --- Scroll bar arrows: three 18 x 20 frames (normal, hover, pressed) --------------

struct ArrowCase {
    const char* resource;
    bool pointsUp;
};

void PrintTo(const ArrowCase& c, std::ostream* os) {
    *os << c.resource;
}

class ArrowStripTest : public testing::TestWithParam<ArrowCase> {};

TEST_P(ArrowStripTest, HoldsThreeDistinctFramesEachWithItsOwnArrow) {
    const QImage strip =
        QImage(QString::fromLatin1(GetParam().resource)).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(strip.size(), QSize(54, 20));
    constexpr int kFrameW = 18;
    std::vector<QImage> frames;
    for (int f = 0; f < 3; ++f) {
        const QImage frame = strip.copy(f * kFrameW, 0, kFrameW, 20);
        frames.push_back(frame);
        // The glyph: pixels that differ clearly from the frame's background
        // (sampled beside the arrow, inside the frame's rim).
        const QColor back = frame.pixelColor(2, 10);
        int top = 0, bottom = 0, left = 0, right = 0;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < kFrameW; ++x) {
                const QColor c = frame.pixelColor(x, y);
                const int diff = std::abs(c.red() - back.red()) +
                                 std::abs(c.green() - back.green()) +
                                 std::abs(c.blue() - back.blue());
                if (diff < 90 || x == 0 || y == 0 || x == kFrameW - 1 || y == 19) {
                    continue;
                }
                (y < 10 ? top : bottom)++;
                (x < kFrameW / 2 ? left : right)++;
            }
        }
        EXPECT_GT(top + bottom, 20) << "frame " << f << " has no arrow";
        // Centred in its own frame, so no frame bleeds into the next.
        EXPECT_LE(std::abs(left - right), 4) << "frame " << f;
        // A triangle has more of its area at its base than at its tip.
        if (GetParam().pointsUp) {
            EXPECT_LT(top, bottom) << "frame " << f;
        } else {
            EXPECT_GT(top, bottom) << "frame " << f;
        }
    }
    EXPECT_NE(frames[0], frames[1]);
    EXPECT_NE(frames[1], frames[2]);
    EXPECT_NE(frames[0], frames[2]);
}

INSTANTIATE_TEST_SUITE_P(Arrows, ArrowStripTest,
                         testing::Values(ArrowCase{":/png/188.png", true},
                                         ArrowCase{":/png/187.png", false}),
                         [](const testing::TestParamInfo<ArrowCase>& info) {
                             return std::string(info.param.pointsUp ? "Up188" : "Down187");
                         });

// --- Looks of a control ----------------------------------------------------------------

// Every look of a control must be visibly its own; a copied file would leave
// the hover or pressed state without feedback.
TEST(SkinLooks, EveryStateOfAControlLooksDifferent) {
    const std::vector<std::vector<QString>> groups = {
        {"exit_nr.png", "exit_ov.png"},
        {"min_nr.png", "min_ov.png"},
        {"button1_nr.png", "button1_ov.png"},
        {"button2_nr.png", "button2_ov.png"},
        {"check_nr.png", "check_ov.png", "check_dn.png"},
        {"check_button_dpi_nr.png", "check_button_dpi_ov.png", "check_button_dpi_dn.png"},
        {"radio_nr.png", "radio_ov.png", "radio_dn.png"},
        {"header_nr.png", "header_ov.png"},
        {"header2_nr.png", "header2_ov.png"},
        {"combo2_nr.png", "combo2_ov.png"},
        {"combo3_nr.png", "combo3_ov.png"},
        {"menu_nr.png", "menu_ov.png", "menusub_nr.png", "menusub_ov.png"},
        {"125hz_nr.png", "125hz_dn.png", "250hz_nr.png", "250hz_dn.png", "500hz_nr.png",
         "500hz_dn.png", "1000hz_nr.png", "1000hz_dn.png"},
        {"color_select_nr.png", "color_select_check.png"},
        {"up_nr.png", "up_ov.png", "up_check.png", "down_nr.png", "down_ov.png", "down_check.png"},
        {"power_manage_3min.png", "power_manage_4min.png", "power_manage_5min.png",
         "power_manage_6min.png", "power_manage_7min.png", "power_manage_8min.png",
         "power_manage_9min.png", "power_manage_10min.png"},
        {"battery_full.png", "battery_empty.png", "battery_charging.png"},
        {"mouse/number1.png", "mouse/number2.png", "mouse/number3.png", "mouse/number4.png",
         "mouse/number5.png", "mouse/number6.png", "mouse/number7.png", "mouse/number8.png",
         "mouse/number9.png"},
        {"macro_record_nr.png", "macro_record_dn.png"},
        {"macro_up.png", "macro_down.png", "macro_time.png"},
        {"foldr_open.png", "foldr_close.png"},
        {"Frame_progress_nr.bmp", "Frame_progress_ov.bmp"},
    };
    for (const auto& group : groups) {
        for (std::size_t i = 0; i < group.size(); ++i) {
            for (std::size_t j = i + 1; j < group.size(); ++j) {
                EXPECT_NE(Skin(group[i]), Skin(group[j]))
                    << group[i].toStdString() << " and " << group[j].toStdString();
            }
        }
    }
}

// --- Pictures that must line up with what the program draws over them ------------

TEST(SkinLayout, EveryButtonMarkerSitsOnTheMousePicture) {
    const QImage mouse = Skin("mouse/mouse_nr.png");
    for (int i = 0; i < 6; ++i) {
        const layout::Point m = layout::kButtonMarkers[i];
        const int x = m.x - layout::kMousePicture.x + layout::kMarkerSize / 2;
        const int y = m.y - layout::kMousePicture.y + layout::kMarkerSize / 2;
        ASSERT_TRUE(mouse.rect().contains(x, y)) << "marker " << i + 1;
        EXPECT_EQ(qAlpha(mouse.pixel(x, y)), 255) << "marker " << i + 1 << " is off the mouse";
    }
}

TEST(SkinLayout, TheProgressBarStripIsFilledAcrossTheWholeWidth) {
    // The progress dialog copies rows 66..77 of the bar frame over the plain one.
    const QImage plain = Skin("Frame_progress_nr.bmp");
    const QImage bar = Skin("Frame_progress_ov.bmp");
    for (int x : {0, 214, 428}) {
        for (int y : {66, 72, 77}) {
            EXPECT_NE(bar.pixel(x, y), plain.pixel(x, y)) << x << "," << y;
        }
    }
}

// The palette dialog takes the colour of the pixel under a click in its picking
// areas; the frame colour 0x0F0F0F there picks nothing.
TEST(SkinLayout, ThePaletteHasARealColourFieldInItsPickingAreas) {
    const QImage palette =
        QImage(QStringLiteral(":/bitmap/287.bmp")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(palette.size(), QSize(500, 291));
    const QRgb frame = qRgb(0x0F, 0x0F, 0x0F);
    for (const layout::Rect& area : {layout::kPaletteField, layout::kPaletteSwatches}) {
        EXPECT_EQ(palette.pixel(area.left, area.top), frame);
        EXPECT_EQ(palette.pixel(area.right() - 1, area.bottom() - 1), frame);
    }
    QSet<QRgb> fieldColours;
    bool red = false, green = false, blue = false, white = false;
    const layout::Rect f = layout::kPaletteField;
    for (int y = f.top + 2; y < f.bottom() - 2; ++y) {
        for (int x = f.left + 2; x < f.right() - 2; ++x) {
            const QRgb c = palette.pixel(x, y);
            ASSERT_NE(c, frame) << "unpickable colour at " << x << "," << y;
            fieldColours.insert(c);
            red |= qRed(c) > 240 && qGreen(c) < 30 && qBlue(c) < 30;
            green |= qGreen(c) > 240 && qRed(c) < 30 && qBlue(c) < 30;
            blue |= qBlue(c) > 240 && qRed(c) < 30 && qGreen(c) < 30;
            white |= qRed(c) > 245 && qGreen(c) > 245 && qBlue(c) > 245;
        }
    }
    EXPECT_GT(fieldColours.size(), 10000);
    EXPECT_TRUE(red && green && blue && white);

    QSet<QRgb> swatchColours;
    const layout::Rect s = layout::kPaletteSwatches;
    for (int y = s.top; y < s.bottom(); ++y) {
        for (int x = s.left; x < s.right(); ++x) {
            swatchColours.insert(palette.pixel(x, y));
        }
    }
    swatchColours.remove(frame);
    EXPECT_GE(swatchColours.size(), 40);
}

}  // namespace
