// velmaro_gallery [OUT_DIR]: draws every control class in each of its looks,
// and a window laid out like the main window, at UI scales 1.0 and 2.0 on
// the offscreen platform, and writes them as PNG files for looking at.
#include <QApplication>
#include <QDir>
#include <cstdio>
#include <vector>

#include "sample_main_window.h"
#include "ui/battery.h"
#include "ui/check_button.h"
#include "ui/color_select_button.h"
#include "ui/color_select_check_button.h"
#include "ui/combo_button.h"
#include "ui/dpi_radio_button.h"
#include "ui/dpi_value_show_control.h"
#include "ui/edit_show_list.h"
#include "ui/image_button.h"
#include "ui/image_show_list.h"
#include "ui/link_button.h"
#include "ui/power_manage_button.h"
#include "ui/radio_button.h"
#include "ui/slider_control.h"
#include "ui/static_image.h"
#include "ui/static_text.h"
#include "ui/tab_control.h"
#include "ui/text_draw.h"
#include "ui/ui_platform.h"
#include "ui/v_scroll_bar.h"
#include "ui/vertical_slider_control.h"

namespace velmaro::gallery {
namespace {

// A few rows of a macro library and of a macro's actions.
class TreeRows : public ListRowSource {
  public:
    int RowCount() const override { return int(rows_.size()); }
    ListRow Row(int i) const override { return rows_[size_t(i)]; }
    int SelectedRow() const override { return 2; }
    void SelectRow(int) override {}

  private:
    std::vector<ListRow> rows_{{"Games", 0, true, true, -1},
                               {"Reload", 1, false, false, -1},
                               {"Burst fire", 1, false, false, -1},
                               {"Office", 0, true, false, -1},
                               {"A macro with a very long name indeed", 0, false, false, -1}};
};

class ActionRows : public ListRowSource {
  public:
    int RowCount() const override { return int(rows_.size()); }
    ListRow Row(int i) const override { return rows_[size_t(i)]; }
    int SelectedRow() const override { return 1; }
    void SelectRow(int) override {}

  private:
    std::vector<ListRow> rows_{{"A  pressed", 0, false, false, 2},
                               {"Delay 50 ms", 0, false, false, 0},
                               {"A  released", 0, false, false, 1},
                               {"Left button pressed", 0, false, false, 2}};
};

struct Label {
    Rect rect;
    QString text;
    uint32_t flags;
};

class GalleryDlg : public CDlgBase {
  public:
    explicit GalleryDlg(UiContext& ui) : CDlgBase(ui) {
        SetWindowSize(Px(1180), Px(1030));
        SetBackgroundColor(0x262422);
    }

    void DrawWindow(QPainter& dc, const Rect& update) override {
        FillBackground(dc, update);
        const QFont font = Ui().MakeFont("Tahoma", Px(14));
        for (const Label& l : labels_) {
            DrawSkinText(dc, font, l.text, l.rect, l.flags,
                         l.flags & kDtCenter ? 0x808080 : 0xB4B4B4);
        }
        for (const Rect& r : outlines_) {
            dc.setPen(QColor(80, 80, 80));
            dc.setBrush(Qt::NoBrush);
            dc.drawRect(r.ToQRect().adjusted(-1, -1, 0, 0));
        }
        DrawControls(dc, update);
    }

    void InitUI(int, int, int, int) override;

  private:
    Rect R(int l, int t, int w, int h) { return Ui().ScaledRect(l, t, l + w, t + h); }
    QString Skin(const QString& f) { return Ui().SkinFile(f); }
    void RowLabel(int y, const QString& text, int x = 10) {
        labels_.push_back({R(x, y, 165, 20), text, kDtLeft | kDtSingleLine | kDtVCenter});
    }
    // A look name under a cell.
    void LookLabel(int x, int y, int w, const QString& text) {
        labels_.push_back({R(x - 20, y, w + 40, 14), text, kDtCenter | kDtSingleLine});
    }
    static void Hover(CControlBase* c) {
        const Rect r = c->GetRect();
        c->OnMouseMove(0, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    static void Press(CControlBase* c) {
        const Rect r = c->GetRect();
        c->OnLButtonDown(kMkLButton, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    std::vector<Label> labels_;
    std::vector<Rect> outlines_;
    TreeRows tree_;
    ActionRows actions_;
};

void GalleryDlg::InitUI(int, int, int, int) {
    UiContext& ui = Ui();
    const char* looks[] = {"normal", "hover", "pressed", "checked", "disabled"};
    int y = 10;

    // Check boxes: the caption is a separate text, as on the pages.
    RowLabel(y, "CCheckButton");
    for (int i = 0; i < 5; ++i) {
        const int x = 190 + i * 120;
        auto* c = MakeControl<CCheckButton>(0, 0x100 + uint32_t(i), R(x, y + 4, 11, 11), QString());
        c->SetImages(Skin("check_nr.png"), Skin("check_ov.png"), Skin("check_dn.png"));
        if (i == 1)
            Hover(c);
        if (i == 2)
            Press(c);
        if (i == 3)
            c->SetChecked(true);
        if (i == 4)
            c->SetDisabled(true);
        labels_.push_back({R(x + 16, y, 90, 18), looks[i], kDtLeft | kDtSingleLine | kDtVCenter});
    }
    for (int i = 0; i < 3; ++i) {
        const int x = 800 + i * 120;
        auto* c = MakeControl<CCheckButton>(0, 0x110 + uint32_t(i), R(x, y + 2, 14, 14), QString());
        c->SetImages(Skin("check_button_dpi_nr.png"), Skin("check_button_dpi_ov.png"),
                     Skin("check_button_dpi_dn.png"));
        if (i == 1)
            Hover(c);
        if (i == 2)
            c->SetChecked(true);
        labels_.push_back(
            {R(x + 18, y, 90, 18), looks[i == 2 ? 3 : i], kDtLeft | kDtSingleLine | kDtVCenter});
    }
    y += 30;

    RowLabel(y + 2, "CCheckButton header");
    for (int i = 0; i < 3; ++i) {
        auto* c = MakeControl<CCheckButton>(0, 0x120 + uint32_t(i), R(190 + i * 300, y, 262, 25),
                                            i == 2 ? "Lighting (open)" : "Report rate");
        c->SetImages(Skin("header_nr.png"), Skin("header_ov.png"), Skin("header_ov.png"));
        c->SetCheckedColor();
        c->SetTextMargin(Px(12));
        if (i == 1)
            Hover(c);
        if (i == 2)
            c->SetChecked(true);
    }
    y += 40;

    RowLabel(y, "CRadioButton");
    ui.Selection.RadioGroupBits = (1u << 20) | (1u << 19);
    const uint32_t radioIds[4] = {0xDB7, 0x7D9, 0x7DA, 0xDB6};
    const char* radioLooks[4] = {"normal", "hover", "pressed", "selected"};
    for (int i = 0; i < 4; ++i) {
        const int x = 190 + i * 120;
        auto* r = MakeControl<CRadioButton>(0, radioIds[i], R(x, y + 2, 15, 15), QString());
        r->SetImages(Skin("radio_nr.png"), Skin("radio_ov.png"), Skin("radio_dn.png"));
        if (i == 1)
            Hover(r);
        if (i == 2)
            Press(r);
        labels_.push_back(
            {R(x + 20, y, 90, 18), radioLooks[i], kDtLeft | kDtSingleLine | kDtVCenter});
    }
    y += 28;

    RowLabel(y + 26, "CRadioButton tiles");
    const char* rates[4] = {"125hz", "250hz", "500hz", "1000hz"};
    const char* tileLooks[4] = {"normal", "hover", "pressed", "selected"};
    for (int i = 0; i < 4; ++i) {
        const int x = 190 + i * 110;
        auto* r = MakeControl<CRadioButton>(0, 0xBD6 + uint32_t(i), R(x, y, 72, 72), QString());
        r->SetImages(Skin(QString(rates[i]) + "_nr.png"), Skin(QString(rates[i]) + "_dn.png"),
                     Skin(QString(rates[i]) + "_dn.png"));
        if (i == 1)
            Hover(r);
        if (i == 2)
            Press(r);
        LookLabel(x, y + 74, 72, tileLooks[i]);
    }
    y += 96;

    RowLabel(y, "CImageButton");
    for (int i = 0; i < 3; ++i) {
        const int x = 190 + i * 100;
        auto* b = MakeControl<CImageButton>(0, 0x130 + uint32_t(i), R(x, y, 69, 20), "OK");
        b->SetImages(Skin("button1_nr.png"), Skin("button1_ov.png"));
        if (i == 1)
            Hover(b);
        if (i == 2)
            Press(b);
        LookLabel(x, y + 22, 69, looks[i]);
    }
    for (int i = 0; i < 2; ++i) {
        const int x = 500 + i * 40;
        auto* b = MakeControl<CImageButton>(0, 0x134 + uint32_t(i), R(x, y + 2, 15, 15), QString());
        b->SetImages(Skin("exit_nr.png"), Skin("exit_ov.png"));
        if (i == 1)
            Hover(b);
    }
    for (int i = 0; i < 3; ++i) {
        const int x = 610 + i * 50;
        auto* b = MakeControl<CImageButton>(0, 0x137 + uint32_t(i), R(x, y, 18, 20), QString());
        b->LoadFromResource(188);
        if (i == 1)
            Hover(b);
        if (i == 2)
            Press(b);
        LookLabel(x, y + 22, 18, looks[i]);
    }
    for (int i = 0; i < 2; ++i) {
        const int x = 760 + i * 200;
        auto* b = MakeControl<CImageButton>(0, 0x13A + uint32_t(i), R(x, y - 10, 190, 40),
                                            "Mouse settings");
        // The skin has no hover picture for this button; pages give it the normal one.
        b->SetImages(Skin("button4_nr.png"), Skin("button4_nr.png"));
        if (i == 1)
            Hover(b);
    }
    y += 46;

    RowLabel(y + 3, "CComboButton");
    const char* comboLooks[5] = {"normal", "hover", "active", "show Disable", "locked"};
    for (int i = 0; i < 5; ++i) {
        const int x = 190 + i * 190;
        auto* c = MakeControl<CComboButton>(0, 0x140 + uint32_t(i), R(x, y, 160, 26), QString(),
                                            0x404, kDtCenter, "Left click");
        c->SetImages(Skin("combo2_nr.png"), Skin("combo2_ov.png"));
        if (i == 1)
            Hover(c);
        if (i == 2)
            c->SetActive(true);
        if (i == 3)
            c->SetShowDisable(true);
        if (i == 4)
            c->SetLocked(true);
        LookLabel(x, y + 28, 160, comboLooks[i]);
    }
    y += 48;

    RowLabel(y, "CLinkButton");
    for (int i = 0; i < 3; ++i) {
        const int x = 190 + i * 190;
        auto* l = MakeControl<CLinkButton>(0, R(x, y, 160, 22), "www.example.com");
        l->SetFont(Px(18), "Tahoma");
        if (i == 1)
            Hover(l);
        if (i == 2)
            Press(l);
        outlines_.push_back(l->GetRect());
        LookLabel(x, y + 24, 160, looks[i]);
    }
    y += 44;

    RowLabel(y, "CTabControl");
    ui.Selection.CurrentPage = 0;
    ui.Selection.CurrentProfileTab = 3;
    const uint32_t tabIds[4] = {0xBBA, 0xBBB, 0xBB9, 0x804};
    const char* tabLooks[4] = {"normal", "hover", "selected", "selected + hover"};
    for (int i = 0; i < 4; ++i) {
        const int x = 190 + i * 220;
        auto* t = MakeControl<CTabControl>(0, tabIds[i], R(x, y, 180, 22), QString(), kDtLeft,
                                           QString("Tab %1").arg(i + 1));
        t->SetImages(Skin("header2_nr.png"), Skin("header2_ov.png"), Skin("header2_ov.png"),
                     Skin("header2_ov.png"));
        t->SetTextMargin(Px(22));
        if (i == 1 || i == 3)
            Hover(t);
        LookLabel(x, y + 24, 180, tabLooks[i]);
    }
    y += 44;

    RowLabel(y, "CColorSelect(Check)Button");
    const ColorRef swatches[3] = {0x0000FF, 0x00FF00, 0xFF8000};
    for (int i = 0; i < 3; ++i) {
        const Rect sw = R(190 + i * 40, y + 6, 15, 8);
        auto* s = MakeControl<CColorSelectButton>(0, 0x150 + uint32_t(i), sw, QString(), sw);
        s->SetColor(swatches[i]);
    }
    const char* slotLooks[3] = {"unchecked", "checked", "hover"};
    for (int i = 0; i < 3; ++i) {
        const int x = 360 + i * 90;
        auto* s = MakeControl<CColorSelectCheckButton>(0, 0x160 + uint32_t(i), R(x, y, 21, 20),
                                                       QString(), Rect{});
        s->SetImages(Skin("color_select_nr.png"), Skin("color_select_check.png"));
        s->SetColor(ToColorRef(QColor::fromHsv(120 * i, 255, 255)));
        if (i == 1)
            s->SetChecked(true);
        if (i == 2)
            Hover(s);
        LookLabel(x, y + 22, 21, slotLooks[i]);
    }
    y += 42;

    RowLabel(y, "CDPIRadioButton");
    ui.Selection.DpiRadioMask = 0x03;
    const char* dpiLooks[4] = {"selected", "current", "normal", "hover"};
    for (int k = 0; k < 4; ++k) {
        const int x = 190 + k * 120;
        auto* d = MakeControl<CDPIRadioButton>(0, 0xCDA + uint32_t(k), R(x, y, 34, 14), QString());
        d->SetImages(Skin("dpi_value.png"), Skin("dpi_value.png"), Skin("dpi_value.png"));
        d->SetFont(Px(11), "Tahoma");
        d->SetValue(16 * (k + 1));
        if (k == 1)
            d->SetTextColor(0x0000FF);
        if (k == 3)
            Hover(d);
        LookLabel(x, y + 16, 34, dpiLooks[k]);
    }
    y += 36;

    RowLabel(y + 35, "CPowerManageButton");
    for (int i = 0; i < 3; ++i) {
        const int x = 190 + i * 170;
        auto* d = MakeControl<CPowerManageButton>(0, R(x, y, 140, 90), QString());
        for (int v = 3; v <= 10; ++v) {
            d->SetValueImage(v, Skin(QStringLiteral("power_manage_%1min.png").arg(v)));
        }
        const int values[3] = {3, 6, 10};
        d->SetValue(values[i]);
        LookLabel(x, y + 92, 140, QStringLiteral("%1 min").arg(values[i]));
    }
    y += 112;

    RowLabel(y, "CSliderControl");
    const char* sliderLooks[4] = {"step 0 of 5", "step 2", "step 4", "dragging"};
    for (int i = 0; i < 4; ++i) {
        const int x = 190 + i * 200;
        auto* track = MakeControl<CStaticImage>(0, 0x170, R(x + 6, y + 8, 145, 3), QString());
        track->SetImage(Skin("Slider_bar.png"));
        auto* s = MakeControl<CSliderControl>(0, 0x171 + uint32_t(i), R(x, y + 2, 158, 15),
                                              QString(), 5, Px(6), Px(7));
        s->SetThumbImage(Skin("Slider_Circle.png"));
        s->SetPos(i == 1 ? 2 : i == 2 ? 4 : 0);
        if (i == 3) {
            Hover(s);
            const Rect t = s->ThumbRect();
            s->OnLButtonDown(kMkLButton, t.left + 2, t.top + 4);
            s->OnMouseMove(kMkLButton, t.left + Px(50), t.top + 4);
        }
        LookLabel(x, y + 20, 158, sliderLooks[i]);
    }
    y += 42;

    RowLabel(y + 56, "CVerticalSlider");
    labels_.push_back({R(10, y + 76, 165, 20), "CDPIValueShow", kDtLeft | kDtSingleLine});
    const int barValues[6] = {0, 10, 20, 40, 4, 30};
    for (int i = 0; i < 6; ++i) {
        const int x = 190 + i * 40;
        CVerticalSliderControl* bar =
            i < 4 ? MakeControl<CVerticalSliderControl>(0, 0x180 + uint32_t(i), R(x, y, 7, 132),
                                                        QString(), 41, 0, 0)
                  : MakeControl<CDPIValueShowControl>(0, 0x180 + uint32_t(i), R(x, y, 7, 132),
                                                      QString(), 41, 0, 0);
        bar->SetBackgroundImage(Skin("mouse/dpi_bar_1.png"));
        bar->SetFillImage(Skin("mouse/dpi_bar_2.png"));
        bar->SetValue(barValues[i]);
        LookLabel(x - 10, y + 134, 27, QString::number(barValues[i]));
    }
    RowLabel(y + 56, "CVScrollBar", 460);
    const char* scrollLooks[4] = {"normal", "thumb hover", "arrow hover", "range 0"};
    for (int i = 0; i < 4; ++i) {
        const int x = 580 + i * 100;
        auto* sb = MakeControl<CVScrollBar>(0, 0x190 + uint32_t(i), R(x, y, 18, 132), QString());
        sb->SetScrollInfo(i == 1 ? 20 : 5, 10, i == 3 ? 0 : 40);
        if (i == 1) {
            Hover(sb);
            sb->OnMouseMove(0, sb->GetRect().left + Px(9), sb->ThumbTop() + 2);
        }
        if (i == 2)
            sb->OnMouseMove(0, sb->GetRect().left + Px(9), sb->GetRect().top + 2);
        LookLabel(x - 20, y + 134, 58, scrollLooks[i]);
    }
    y += 156;

    RowLabel(y + 50, "CEditShowList");
    auto* tree = MakeControl<CEditShowList>(0, R(190, y, 220, 120), QString(), &tree_);
    tree->SetFolderImages(Skin("foldr_open.png"), Skin("foldr_close.png"));
    RowLabel(y + 50, "CImageShowList", 460);
    auto* list = MakeControl<CImageShowList>(0, R(580, y, 220, 120), QString(), &actions_);
    list->SetIcon(0, Skin("macro_time.png"));
    list->SetIcon(1, Skin("macro_up.png"));
    list->SetIcon(2, Skin("macro_down.png"));
    y += 132;

    RowLabel(y, "CStaticText");
    const uint32_t aligns[3] = {kDtLeft, kDtCenter, kDtRight};
    for (int i = 0; i < 3; ++i) {
        auto* t = MakeControl<CStaticText>(0, 0x1A0, R(190 + i * 160, y, 140, 18),
                                           i == 0   ? "left"
                                           : i == 1 ? "centre"
                                                    : "right",
                                           kTextNormal, aligns[i]);
        outlines_.push_back(t->GetRect());
    }
    auto* longText = MakeControl<CStaticText>(0, 0x1A1, R(670, y, 140, 18),
                                              "A caption far too long for its field");
    outlines_.push_back(longText->GetRect());
    auto* cjk = MakeControl<CStaticText>(0, 0x1A2, R(830, y, 140, 18),
                                         QString::fromUtf16(u"中文界面 宋体"), 0xFFFFFF);
    cjk->SetFont(Px(12), QString::fromUtf16(u"宋体"));
    outlines_.push_back(cjk->GetRect());
    auto* white = MakeControl<CStaticText>(0, 0x1A3, R(990, y, 140, 18), "60%", 0xFFFFFF);
    white->SetFont(Px(16), "Tahoma");
    outlines_.push_back(white->GetRect());
    y += 30;

    RowLabel(y - 5, "CStaticImage");
    const char* chips[3] = {"battery_green.png", "battery_orange.png", "battery_red.png"};
    for (int i = 0; i < 3; ++i) {
        auto* s = MakeControl<CStaticImage>(0, 0x1B0, R(190 + i * 40, y, 16, 8), QString());
        s->SetImage(Skin(chips[i]));
    }
    y += 20;

    RowLabel(y + 20, "CBattery");
    const char* batteryLooks[6] = {"100%", "50%", "3%", "charging 50", "charging 100", "full"};
    for (int i = 0; i < 6; ++i) {
        const int x = 190 + i * 90;
        auto* b = MakeControl<CBattery>(0, R(x, y, 30, 61), QString());
        b->SetImages(Skin("battery_full.png"), Skin("battery_empty.png"),
                     Skin("battery_charging.png"), Skin("battery_lighting.png"));
        const int levels[3] = {100, 50, 3};
        if (i < 3) {
            b->SetMode(CBattery::OnBattery);
            b->SetLevel(levels[i]);
        } else if (i < 5) {
            b->SetMode(CBattery::Charging);
            b->SetAnimation(i == 3 ? 50 : 100);
        } else {
            b->SetMode(CBattery::Full);
        }
        LookLabel(x - 20, y + 63, 70, batteryLooks[i]);
    }
}

bool Save(const QImage& image, const QString& file) {
    if (!image.save(file, "PNG")) {
        std::fprintf(stderr, "velmaro_gallery: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

}  // namespace
}  // namespace velmaro::gallery

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    velmaro::PrepareUiPlatform();
    QApplication app(argc, argv);
    velmaro::InitUiResources();
    velmaro::InstallFontSubstitutes();

    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : VELMARO_GALLERY_DIR;
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "velmaro_gallery: cannot create %s\n", qPrintable(out));
        return 1;
    }
    bool ok = true;
    for (double scale : {1.0, 2.0}) {
        velmaro::UiContext ui;
        ui.Scale = scale;
        ui.Font = velmaro::UiFont{u"Tahoma", int(16 * scale), 1};
        ui.SkinsDir = QStringLiteral(VELMARO_SKINS_DIR "/");
        const QString tag = QString::number(scale, 'f', 1);

        velmaro::gallery::GalleryDlg gallery(ui);
        gallery.Initialize();
        ok &= velmaro::gallery::Save(gallery.RenderAll(), out + "/gallery_" + tag + ".png");

        velmaro::sample::CSampleMainDlg main(ui);
        main.Initialize();
        ok &= velmaro::gallery::Save(main.RenderAll(), out + "/main_" + tag + ".png");

        // The same window with the Chinese program font.
        velmaro::UiContext cjk = ui;
        cjk.Font = velmaro::UiFont{u"宋体", int(12 * scale), 134};
        velmaro::sample::CSampleMainDlg mainCjk(cjk);
        mainCjk.Initialize();
        ok &= velmaro::gallery::Save(mainCjk.RenderAll(), out + "/main_cjk_" + tag + ".png");
    }
    return ok ? 0 : 1;
}
