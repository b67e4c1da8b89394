#include "sample_main_window.h"

#include "skin_layout.h"
#include "ui/battery.h"
#include "ui/check_button.h"
#include "ui/color_select_button.h"
#include "ui/color_select_check_button.h"
#include "ui/combo_button.h"
#include "ui/dpi_radio_button.h"
#include "ui/dpi_value_show_control.h"
#include "ui/image_button.h"
#include "ui/power_manage_button.h"
#include "ui/slider_control.h"
#include "ui/static_image.h"
#include "ui/static_text.h"

namespace velmaro::sample {

namespace layout = velmaro::skin_layout;

namespace {

constexpr int kColumn = 846;
constexpr int kDpiOrigin = 37 + 25;
constexpr int kLightingOrigin = 67 + 196 + 25;

}  // namespace

CSampleMainDlg::CSampleMainDlg(UiContext& ui) : CDlgBase(ui) {
    SetWindowSize(Px(layout::kMainWidth), Px(layout::kMainHeight));
}

int CSampleMainDlg::ControlCount() const {
    int n = 0;
    for (int layer = 0; layer < kLayerCount; ++layer) {
        n += int(LayerControls(layer).size());
    }
    return n;
}

void CSampleMainDlg::InitUI(int, int, int, int) {
    UiContext& ui = Ui();
    auto R = [&](int l, int t, int w, int h) { return ui.ScaledRect(l, t, l + w, t + h); };
    auto L = [&](const layout::Rect& r) { return R(r.left, r.top, r.width, r.height); };
    auto skin = [&](const QString& file) { return ui.SkinFile(file); };
    const QString tahoma = "Tahoma";

    LoadBackground(364);
    // The section frames are pieces of one bitmap stretched to each section.
    const QImage frame(skin("Frame_Lighting_Setting.bmp"));
    if (!frame.isNull()) {
        const QImage piece = frame.copy(0, 0, 230, 82).convertToFormat(QImage::Format_RGB32);
        dpiFrame_ = piece.scaled(Px(262), Px(196), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        lightingFrame_ =
            piece.scaled(Px(262), Px(180), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }

    // --- layer 0: window buttons, titles, button fields, power area, headers
    auto* exit = MakeControl<CImageButton>(0, 0x7D4, R(1092, 12, 15, 15), QString());
    exit->SetImages(skin("exit_nr.png"), skin("exit_ov.png"));
    auto* min = MakeControl<CImageButton>(0, 0x7D5, R(1072, 12, 15, 15), QString());
    min->SetImages(skin("min_nr.png"), skin("min_ov.png"));
    // Chinese captions with the Chinese program font, to see its glyphs.
    const bool zh = ui.Font.CharSet == 134;
    auto T = [zh](const char16_t* chinese, const char* english) {
        return zh ? QString::fromUtf16(chinese) : QString(english);
    };
    const QString titles[3] = {T(u"按键设置", "Button Settings"), T(u"电源", "Power"),
                               T(u"性能", "Performance")};
    const layout::Rect titleRects[3] = {layout::kTitleButtonSettings, layout::kTitlePower,
                                        layout::kTitlePerformance};
    for (int i = 0; i < 3; ++i) {
        auto* t =
            MakeControl<CImageButton>(0, 0xBC5 + uint32_t(i), L(titleRects[i]), titles[i], kDtLeft);
        t->SetImages(skin("header2_nr.png"), skin("header2_ov.png"));
        t->SetTextMargin(Px(layout::kAreaTitleTextMargin));
    }
    const QString functions[6] = {T(u"左键", "Left click"),   T(u"右键", "Right click"),
                                  T(u"中键", "Middle click"), T(u"前进", "Forward"),
                                  T(u"后退", "Back"),         T(u"DPI 循环", "DPI loop")};
    for (int i = 0; i < 6; ++i) {
        auto* f = MakeControl<CComboButton>(0, 0x7E0 + uint32_t(i), L(layout::ButtonField(i)),
                                            QString(), 0x404, kDtCenter, functions[i]);
        f->SetImages(skin("combo2_nr.png"), skin("combo2_ov.png"));
    }
    auto* mouse =
        MakeControl<CStaticImage>(0, 0xD60,
                                  R(layout::kMousePicture.x, layout::kMousePicture.y,
                                    layout::kMousePictureWidth, layout::kMousePictureHeight),
                                  QString());
    mouse->SetImage(skin("mouse/mouse_nr.png"));
    auto* battery = MakeControl<CBattery>(0, L(layout::kBatteryGauge), QString());
    battery->SetImages(skin("battery_full.png"), skin("battery_empty.png"),
                       skin("battery_charging.png"), skin("battery_lighting.png"));
    battery->SetLevel(60);
    auto* percent = MakeControl<CStaticText>(0, 0xD4D, L(layout::kBatteryText), "60%");
    percent->SetFont(Px(16), tahoma);
    const char* chips[3] = {"battery_green.png", "battery_orange.png", "battery_red.png"};
    const QString legend[3] = {T(u"电量 50% 以上", "Above 50%"), T(u"20% 至 50%", "20% to 50%"),
                               T(u"20% 以下", "Below 20%")};
    for (int i = 0; i < 3; ++i) {
        auto* chip =
            MakeControl<CStaticImage>(0, 0xD49, L(layout::BatteryLegendImage(i)), QString());
        chip->SetImage(skin(chips[i]));
        MakeControl<CStaticText>(0, 0xD4A, L(layout::BatteryLegendText(i)), legend[i]);
    }
    auto* dial = MakeControl<CPowerManageButton>(0, L(layout::kSleepDial), QString());
    for (int v = 3; v <= 10; ++v) {
        dial->SetValueImage(v, skin(QStringLiteral("power_manage_%1min.png").arg(v)));
    }
    dial->SetValue(5);
    MakeControl<CStaticText>(0, 0xD4F, L(layout::kSleepText),
                             T(u"5 分钟后休眠", "Sleep after 5 minutes"), kTextNormal, kDtCenter);
    auto* moveBox = MakeControl<CCheckButton>(0, 0xDAD, L(layout::kMoveLightingBox), QString());
    moveBox->SetImages(skin("check_nr.png"), skin("check_ov.png"), skin("check_dn.png"));
    moveBox->SetChecked(true);
    MakeControl<CStaticText>(0, 0xD4A, L(layout::kMoveLightingText),
                             T(u"移动时灯光", "Lighting while moving"));
    auto* wakeBox = MakeControl<CCheckButton>(0, 0xDB0, L(layout::kMotionWakeupBox), QString());
    wakeBox->SetImages(skin("check_nr.png"), skin("check_ov.png"), skin("check_dn.png"));
    MakeControl<CStaticText>(0, 0xD4A, L(layout::kMotionWakeupText),
                             T(u"移动唤醒", "Motion wake-up"));
    struct Header {
        uint32_t id;
        int top;
        const char* caption;
        bool open;
    };
    for (const Header& h :
         {Header{0xBB9, 37, "DPI", true}, Header{0xBBA, 263, "Lighting", true},
          Header{0xBBC, 473, "Report rate", false}, Header{0xBBB, 503, "Pointer", false}}) {
        auto* c = MakeControl<CCheckButton>(0, h.id, R(kColumn, h.top, 262, 25), h.caption);
        c->SetImages(skin("header_nr.png"), skin("header_ov.png"), skin("header_ov.png"));
        c->SetCheckedColor();
        c->SetTextMargin(Px(12));
        c->SetChecked(h.open);
    }
    auto* profiles = MakeControl<CImageButton>(0, 0x7F8, R(36, 700, 69, 20), "Profiles");
    profiles->SetImages(skin("button2_nr.png"), skin("button2_ov.png"));
    auto* reset = MakeControl<CImageButton>(0, 0xD03, R(1040, 700, 69, 20), "Reset");
    reset->SetImages(skin("button2_nr.png"), skin("button2_ov.png"));

    // --- layer 1: the DPI section
    const int steps[5] = {8, 16, 32, 64, 96};
    const ColorRef colors[5] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF};
    for (int k = 0; k < 5; ++k) {
        auto* bar = MakeControl<CDPIValueShowControl>(1, 0xCE4 + uint32_t(k), L(layout::DpiBar(k)),
                                                      QString(), 120, 0, 0);
        bar->SetBackgroundImage(skin("mouse/dpi_bar_1.png"));
        bar->SetFillImage(skin("mouse/dpi_bar_2.png"));
        bar->SetValue(steps[k]);
        auto* number = MakeControl<CDPIRadioButton>(1, 0xCDA + uint32_t(k), L(layout::DpiNumber(k)),
                                                    QString());
        number->SetImages(skin("dpi_value.png"), skin("dpi_value.png"), skin("dpi_value.png"));
        number->SetFont(Px(11), tahoma);
        number->SetValue(steps[k]);
        number->SetTextColor(k == 1 ? 0x0000FF : kTextNormal);
        const Rect swatch = L(layout::DpiSwatch(k));
        auto* sw =
            MakeControl<CColorSelectButton>(1, 0xCF0 + uint32_t(k), swatch, QString(), swatch);
        sw->SetColor(colors[k]);
        auto* enable = MakeControl<CCheckButton>(1, 0xCBC + uint32_t(k), L(layout::DpiEnableBox(k)),
                                                 QString());
        enable->SetImages(skin("check_button_dpi_nr.png"), skin("check_button_dpi_ov.png"),
                          skin("check_button_dpi_dn.png"));
        enable->SetChecked(k < 4);
    }

    // --- layer 2: the lighting section
    const int o = kLightingOrigin;
    const int x = kColumn;
    auto* mode = MakeControl<CComboButton>(2, 0xC76, R(x + 40, o + 11, 189, 25), QString(), 0x40A,
                                           kDtCenter, "Breathing");
    mode->SetImages(skin("combo3_nr.png"), skin("combo3_ov.png"));
    struct SliderRow {
        uint32_t id;
        int top;
        const char* caption;
        const char* value;
        int step;
    };
    for (const SliderRow& s : {SliderRow{0xC80, o + 48, "Speed", "3", 2},
                               SliderRow{0xC94, o + 88, "Brightness", "100%", 4}}) {
        MakeControl<CStaticText>(2, s.id + 20, R(x + 42, s.top, 140, 16), s.caption);
        auto* track =
            MakeControl<CStaticImage>(2, s.id + 5, R(x + 42, s.top + 24, 145, 3), QString());
        track->SetImage(skin("Slider_bar.png"));
        auto* slider = MakeControl<CSliderControl>(2, s.id, R(x + 36, s.top + 18, 158, 15),
                                                   QString(), 5, Px(6), Px(7));
        slider->SetThumbImage(skin("Slider_Circle.png"));
        slider->SetPos(s.step);
        auto* value =
            MakeControl<CStaticText>(2, s.id + 10, R(x + 198, s.top + 16, 50, 18), s.value);
        value->SetFont(Px(16), tahoma);
    }
    for (int i = 0; i < 7; ++i) {
        auto* slot = MakeControl<CColorSelectCheckButton>(
            2, 0xC9F + uint32_t(i), R(x + 42 + 26 * i, o + 134, 21, 20), QString(), Rect{});
        slot->SetImages(skin("color_select_nr.png"), skin("color_select_check.png"));
        slot->SetColor(ToColorRef(QColor::fromHsv(i * 50, 255, 255)));
        slot->SetChecked(i == 0);
    }
}

void CSampleMainDlg::DrawWindow(QPainter& dc, const Rect& updateRect) {
    FillBackground(dc, updateRect);
    DrawBackground(dc);
    dc.drawImage(Px(kColumn), Px(kDpiOrigin), dpiFrame_);
    dc.drawImage(Px(kColumn), Px(kLightingOrigin), lightingFrame_);
    DrawControls(dc, updateRect);
}

}  // namespace velmaro::sample
