#include "preview.h"

#include <QDir>
#include <algorithm>

#include "skin_layout.h"

namespace skin {
namespace {

namespace layout = velmaro::skin_layout;

const QImage& Get(const Sink& sink, const QString& path) {
    static const QImage missing;
    const QImage* img = sink.Find(path);
    return img != nullptr ? *img : missing;
}

void Put(QPainter& p, const Sink& sink, const QString& path, int x, int y) {
    p.drawImage(QPoint(x, y), Get(sink, path));
}

void PutStretched(QPainter& p, const Sink& sink, const QString& path, const QRect& dest,
                  const QRect& source = QRect()) {
    const QImage& img = Get(sink, path);
    p.drawImage(dest, img, source.isNull() ? img.rect() : source);
}

// Every skin image at twice its size on a checkerboard, in reading order,
// cut into pages small enough to look at.
std::vector<QImage> ContactSheets(const Sink& sink) {
    const int width = 1000, height = 760, pad = 10, scale = 2;
    std::vector<std::vector<std::pair<QPoint, const Output*>>> pages(1);
    int x = pad, y = pad, rowH = 0;
    for (const Output& o : sink.outputs()) {
        if (o.root != Output::Root::Skins) {
            continue;
        }
        const QSize s = o.image.size() * scale;
        if (x + s.width() > width - pad) {
            x = pad;
            y += rowH + pad;
            rowH = 0;
        }
        if (y + s.height() > height - pad && !pages.back().empty()) {
            pages.emplace_back();
            x = pad;
            y = pad;
            rowH = 0;
        }
        pages.back().push_back({QPoint(x, y), &o});
        x += s.width() + pad;
        rowH = std::max(rowH, s.height());
    }
    std::vector<QImage> sheets;
    for (const auto& page : pages) {
        QImage sheet(width, height, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&sheet);
        for (int cy = 0; cy < height; cy += 8) {
            for (int cx = 0; cx < width; cx += 8) {
                p.fillRect(QRect(cx, cy, 8, 8),
                           ((cx + cy) / 8) % 2 ? QColor(60, 60, 64) : QColor(46, 46, 50));
            }
        }
        for (const auto& [at, o] : page) {
            p.drawImage(QRect(at, o->image.size() * scale), o->image);
        }
        p.end();
        sheets.push_back(sheet);
    }
    return sheets;
}

// The main window as the program lays it out: DPI section open plus either
// the lighting section or the report-rate section.
QImage MainMockup(const Sink& sink, bool lighting) {
    QImage img = Get(sink, "364.bmp").convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    Put(p, sink, "exit_nr.png", 1092, 12);
    Put(p, sink, "min_ov.png", 1072, 12);
    for (const layout::Rect& t :
         {layout::kTitleButtonSettings, layout::kTitlePower, layout::kTitlePerformance}) {
        Put(p, sink, t.top == 48 ? "header2_ov.png" : "header2_nr.png", t.left, t.top);
    }
    for (int i = 0; i < 6; ++i) {
        const layout::Rect f = layout::ButtonField(i);
        Put(p, sink, i == 2 ? "combo2_ov.png" : "combo2_nr.png", f.left, f.top);
    }
    Put(p, sink, "mouse/mouse_nr.png", layout::kMousePicture.x, layout::kMousePicture.y);
    for (int i = 0; i < 6; ++i) {
        if (lighting || i == 2) {
            Put(p, sink, QString("mouse/number%1.png").arg(i + 1), layout::kButtonMarkers[i].x,
                layout::kButtonMarkers[i].y);
        }
    }
    // Battery at 60 % (the gauge's partial drawing at UI scale 1).
    const layout::Rect g = layout::kBatteryGauge;
    Put(p, sink, "battery_empty.png", g.left, g.top);
    const int fill = 60 * 50 / 100, y = g.top + 7 + 50 - fill, sy = 61 - (g.bottom() - y);
    PutStretched(p, sink, lighting ? "battery_full.png" : "battery_charging.png",
                 QRect(g.left, y, 30, 61 - sy), QRect(0, sy, 30, 61 - sy));
    if (!lighting) {
        Put(p, sink, "battery_lighting.png", g.left, g.top);
    }
    const char* chips[3] = {"battery_green.png", "battery_orange.png", "battery_red.png"};
    for (int i = 0; i < 3; ++i) {
        Put(p, sink, chips[i], layout::BatteryLegendImage(i).left,
            layout::BatteryLegendImage(i).top);
    }
    Put(p, sink, lighting ? "power_manage_5min.png" : "power_manage_10min.png",
        layout::kSleepDial.left, layout::kSleepDial.top);
    Put(p, sink, "check_dn.png", layout::kMoveLightingBox.left, layout::kMoveLightingBox.top);
    Put(p, sink, "check_nr.png", layout::kMotionWakeupBox.left, layout::kMotionWakeupBox.top);
    Put(p, sink, "button2_nr.png", 36, 700);
    Put(p, sink, "button2_ov.png", 1040, 700);

    // Settings column.
    const int x = 846;
    const QRect framePiece(0, 0, 230, 82);
    Put(p, sink, "header_ov.png", x, 37);
    PutStretched(p, sink, "Frame_Lighting_Setting.bmp", QRect(x, 62, 262, 196), framePiece);
    const int values[5] = {4, 10, 18, 26, 40};
    for (int k = 0; k < 5; ++k) {
        const layout::Rect bar = layout::DpiBar(k);
        Put(p, sink, "mouse/dpi_bar_1.png", bar.left, bar.top);
        const int h = bar.height * (values[k] + 1) / 41;
        PutStretched(p, sink, "mouse/dpi_bar_2.png", QRect(bar.left, bar.bottom() - h, 7, h),
                     QRect(0, 132 - h, 7, h));
        const layout::Rect n = layout::DpiNumber(k);
        Put(p, sink, "dpi_value.png", n.left, n.top);
        const layout::Rect s = layout::DpiSwatch(k);
        p.fillRect(QRect(s.left, s.top, s.width, s.height), QColor::fromHsv(k * 60, 230, 255));
        const layout::Rect e = layout::DpiEnableBox(k);
        Put(p, sink, k < 4 ? "check_button_dpi_dn.png" : "check_button_dpi_nr.png", e.left, e.top);
    }
    if (lighting) {
        const int top = 67 + 196, o = top + 25;
        Put(p, sink, "header_ov.png", x, top);
        PutStretched(p, sink, "Frame_Lighting_Setting.bmp", QRect(x, o, 262, 180), framePiece);
        Put(p, sink, "combo3_nr.png", x + 40, o + 11);
        Put(p, sink, "Slider_bar.png", x + 42, o + 72);
        PutStretched(p, sink, "Slider_bar2.png", QRect(x + 42, o + 72, 72, 3), QRect(0, 0, 72, 3));
        Put(p, sink, "Slider_Circle.png", x + 42 + 72 - 6, o + 67);
        for (int i = 0; i < 7; ++i) {
            const int sx = x + 42 + 26 * i, sy2 = o + 134;
            Put(p, sink, i % 3 == 0 ? "color_select_check.png" : "color_select_nr.png", sx, sy2);
            p.fillRect(QRect(sx + 3, sy2 + 3, 15, 14), QColor::fromHsv(i * 50, 255, 255));
        }
        Put(p, sink, "header_nr.png", x, 97 + 376);
        Put(p, sink, "header_nr.png", x, 127 + 376);
    } else {
        const int top = 97 + 196, o = top + 25;
        Put(p, sink, "header_nr.png", x, 67 + 196);
        Put(p, sink, "header_ov.png", x, top);
        PutStretched(p, sink, "Frame_Lighting_Setting.bmp", QRect(x, o, 262, 180), framePiece);
        Put(p, sink, "125hz_nr.png", x + 59, o + 20);
        Put(p, sink, "1000hz_dn.png", x + 131, o + 20);
        Put(p, sink, "250hz_nr.png", x + 59, o + 92);
        Put(p, sink, "500hz_nr.png", x + 131, o + 92);
        Put(p, sink, "header_nr.png", x, 127 + 196 + 180);
    }
    p.end();
    return img;
}

// The small dialogs with their buttons in place.
QImage Dialogs(const Sink& sink) {
    QImage img(1000, 420, QImage::Format_ARGB32_Premultiplied);
    img.fill(QColor(40, 40, 44));
    QPainter p(&img);
    Put(p, sink, "Frame_warning.bmp", 10, 10);
    Put(p, sink, "exit_nr.png", 10 + 300, 10 + 4);
    Put(p, sink, "button2_nr.png", 10 + 240, 10 + 70);
    Put(p, sink, "Frame_progress_nr.bmp", 10, 130);
    PutStretched(p, sink, "Frame_progress_ov.bmp", QRect(10, 130 + 66, 260, 12),
                 QRect(0, 66, 260, 12));
    Put(p, sink, "Frame_DPI.bmp", 10, 280);
    Put(p, sink, "Slider_bar.png", 60, 280 + 70);
    Put(p, sink, "Slider_Circle.png", 120, 280 + 65);
    Put(p, sink, "button1_nr.png", 250, 280 + 106);
    Put(p, sink, "button1_ov.png", 330, 280 + 106);
    Put(p, sink, "Frame_Macro_Manager.bmp", 450, 10);
    p.fillRect(QRect(450 + 24, 10 + 53, 145, 271), QColor(0x94, 0x94, 0x94));
    p.fillRect(QRect(450 + 189, 10 + 53, 145, 271), QColor(0x94, 0x94, 0x94));
    p.fillRect(QRect(450 + 25, 10 + 54, 143, 269), QColor(0x4B, 0x4B, 0x4B));
    p.fillRect(QRect(450 + 190, 10 + 54, 143, 269), QColor(0x4B, 0x4B, 0x4B));
    p.fillRect(QRect(450 + 25, 10 + 74, 143, 20), QColor(0x35, 0xA0, 0xDE));
    Put(p, sink, "foldr_open.png", 450 + 27, 10 + 56);
    Put(p, sink, "foldr_close.png", 450 + 27, 10 + 76);
    Put(p, sink, "macro_down.png", 450 + 192, 10 + 56);
    Put(p, sink, "macro_time.png", 450 + 192, 10 + 76);
    Put(p, sink, "macro_up.png", 450 + 192, 10 + 96);
    const QImage& up = Get(sink, "188.png");
    const QImage& down = Get(sink, "187.png");
    p.drawImage(QRect(450 + 169, 10 + 53, 18, 20), up, QRect(0, 0, 18, 20));
    p.drawImage(QRect(450 + 169, 10 + 304, 18, 20), down, QRect(18, 0, 18, 20));
    p.drawImage(QRect(450 + 334, 10 + 53, 18, 20), up, QRect(36, 0, 18, 20));
    p.drawImage(QRect(450 + 334, 10 + 304, 18, 20), down, QRect(0, 0, 18, 20));
    Put(p, sink, "exit_ov.png", 450 + 505, 10 + 3);
    Put(p, sink, "macro_record_dn.png", 450 + 370, 10 + 53);
    Put(p, sink, "check_dn.png", 450 + 370, 10 + 86);
    Put(p, sink, "radio_dn.png", 450 + 368, 10 + 113);
    Put(p, sink, "radio_nr.png", 450 + 368, 10 + 141);
    Put(p, sink, "radio_ov.png", 450 + 368, 10 + 169);
    PutStretched(p, sink, "combo3_nr.png", QRect(450 + 370, 10 + 250, 117, 14));
    for (int i = 0; i < 4; ++i) {
        PutStretched(p, sink, i % 2 ? "button2_ov.png" : "button2_nr.png",
                     QRect(450 + 24 + 82 * i + (i > 1 ? 1 : 0), 10 + 333, 65, 23));
    }
    p.end();
    return img;
}

bool Save(const QImage& img, const QDir& dir, const QString& name) {
    return img.save(dir.absoluteFilePath(name), "PNG");
}

}  // namespace

bool WritePreviews(const Sink& sink, const QString& path) {
    QDir dir(path);
    if (!dir.mkpath(".")) {
        return false;
    }
    QImage palette = Get(sink, "287.bmp");
    const std::vector<QImage> sheets = ContactSheets(sink);
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (!Save(sheets[i], dir, QString("contact_%1.png").arg(i + 1))) {
            return false;
        }
    }
    return Save(MainMockup(sink, true), dir, "main_lighting.png") &&
           Save(MainMockup(sink, false), dir, "main_report_rate.png") &&
           Save(Dialogs(sink), dir, "dialogs.png") && Save(palette, dir, "palette.png") &&
           Save(Get(sink, "icon/256.png"), dir, "icon.png");
}

}  // namespace skin
