#include "app/color_palette_dlg.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/main_window.h"
#include "skin_layout.h"
#include "ui/image_button.h"
#include "ui/static_text.h"

namespace velmaro {

namespace layout = velmaro::skin_layout;

namespace {

constexpr int kOkText = 4;
constexpr int kTitleText = 120;  // "Colour"
constexpr ColorRef kValueColor = 0xE6E6E6;
constexpr ColorRef kTitleColor = 0xFFFFFF;

}  // namespace

CColorPaletteDlg::CColorPaletteDlg(UiContext& ui, const LanguageTable& language, ColorRef initial,
                                   CKorvaneDlg* registry, QWidget* owner)
    : CDlgBase(ui, owner), language_(language), selected_(initial & 0xFFFFFF), registry_(registry) {
    SetWindowSize(Px(layout::kPaletteWidth), Px(layout::kPaletteHeight));
    OnMessage(kPaletteOkId, [this](uint32_t, uintptr_t, intptr_t l) -> intptr_t {
        if (l == NotifyClick)
            Finish(QDialog::Accepted);
        return 0;
    });
    OnMessage(kPaletteCloseId, [this](uint32_t, uintptr_t, intptr_t l) -> intptr_t {
        if (l == NotifyClick)
            Finish(QDialog::Rejected);
        return 0;
    });
}

CColorPaletteDlg::~CColorPaletteDlg() {
    if (registry_ != nullptr)
        registry_->UnregisterDialog(this);
}

bool CColorPaletteDlg::OnInitDialog() {
    CDlgBase::OnInitDialog();
    if (registry_ != nullptr)
        registry_->RegisterDialog(this);
    LoadBackground(kPaletteBackgroundResource);
    return true;
}

void CColorPaletteDlg::InitUI(int, int, int, int) {
    UiContext& ui = Ui();
    auto L = [&](const layout::Rect& r) {
        return ui.ScaledRect(r.left, r.top, r.right(), r.bottom());
    };
    auto* close =
        MakeControl<CImageButton>(0, kPaletteCloseId, L(layout::kPaletteClose), QString());
    close->SetImages(ui.SkinFile("exit_nr.png"), ui.SkinFile("exit_ov.png"));
    auto* ok = MakeControl<CImageButton>(0, kPaletteOkId, L(layout::kPaletteOk),
                                         QString::fromStdU16String(language_.Text(kOkText)));
    ok->SetImages(ui.SkinFile("button2_nr.png"), ui.SkinFile("button2_ov.png"));
    MakeControl<CStaticText>(0, kPaletteTitleId, ui.ScaledRect(28, 4, 240, 20),
                             QString::fromStdU16String(language_.Text(kTitleText)), kTitleColor,
                             kDtLeft);
    const uint32_t ids[3] = {kPaletteRedId, kPaletteGreenId, kPaletteBlueId};
    for (int i = 0; i < 3; ++i) {
        const layout::Rect r = layout::PaletteValueText(i);
        // A little inset so the digits clear the box's border.
        auto* value = MakeControl<CStaticText>(
            0, ids[i], ui.ScaledRect(r.left, r.top, r.right() - 4, r.bottom()), QString(),
            kValueColor, kDtRight | kDtSingleLine | kDtVCenter);
        value->SetFont(Px(14), "Tahoma");
    }
    ShowSelected();
}

void CColorPaletteDlg::ShowSelected() {
    const int parts[3] = {int(selected_ & 0xFF), int((selected_ >> 8) & 0xFF),
                          int((selected_ >> 16) & 0xFF)};
    const uint32_t ids[3] = {kPaletteRedId, kPaletteGreenId, kPaletteBlueId};
    for (int i = 0; i < 3; ++i) {
        if (CControlBase* text = FindControl(ids[i]))
            text->SetText(QString::number(parts[i]));
    }
    InvalidateAll();
}

bool CColorPaletteDlg::InPickingArea(Point p) const {
    auto inside = [&](const layout::Rect& r) {
        return p.x >= Px(r.left) && p.x < Px(r.right()) && p.y >= Px(r.top) && p.y < Px(r.bottom());
    };
    return inside(layout::kPaletteField) || inside(layout::kPaletteSwatches);
}

bool CColorPaletteDlg::PickAt(Point p) {
    if (!InPickingArea(p))
        return false;
    const QImage& image = RenderAll();
    if (!image.valid(p.x, p.y))
        return false;
    const ColorRef color = ToColorRef(image.pixelColor(p.x, p.y));
    if (color == kPaletteFrameColor)
        return false;
    selected_ = color;
    ShowSelected();
    return true;
}

void CColorPaletteDlg::mousePressEvent(QMouseEvent* event) {
    const QPoint q = event->position().toPoint();
    const Point p{q.x(), q.y()};
    if (event->button() == Qt::LeftButton && InPickingArea(p)) {
        // A press on the colours picks; it does not begin a window move.
        PickAt(p);
        event->accept();
        return;
    }
    CDlgBase::mousePressEvent(event);
}

void CColorPaletteDlg::Finish(int result) {
    ReleaseAllImages();
    EndDialog(result);
}

void CColorPaletteDlg::DrawWindow(QPainter& dc, const Rect& updateRect) {
    FillBackground(dc, Rect{0, 0, width(), height()});
    DrawBackground(dc);
    const layout::Rect& pv = layout::kPalettePreview;
    dc.fillRect(
        QRect(Px(pv.left), Px(pv.top), Px(pv.right()) - Px(pv.left), Px(pv.bottom()) - Px(pv.top)),
        ToQColor(selected_));
    DrawControls(dc, updateRect);
}

}  // namespace velmaro
