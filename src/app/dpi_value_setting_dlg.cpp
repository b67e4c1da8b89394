#include "app/dpi_value_setting_dlg.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "model/profile_edits.h"
#include "model/text.h"
#include "skin_layout.h"
#include "ui/image_button.h"
#include "ui/slider_control.h"
#include "ui/static_image.h"
#include "ui/static_text.h"
#include "ui/vertical_slider_control.h"

namespace velmaro {

namespace layout = velmaro::skin_layout;

namespace {

constexpr int kTitleText = 125;
constexpr int kLabelTexts[2] = {126, 127};
constexpr int kOkText = 4;
constexpr int kCancelText = 5;
constexpr ColorRef kTitleColor = 0xFFFFFF;
constexpr ColorRef kLabelColor = 0xB4B4B4;
// A DPI value has at most five digits; a little room for a sign or a slip.
constexpr int kEditMaxLength = 7;

}  // namespace

CDPIValueSettingDlg::CDPIValueSettingDlg(UiContext& ui, const LanguageTable& language,
                                         const SensorTables& sensor, CVerticalSliderControl& bar,
                                         QWidget* owner)
    : CDlgBase(ui, owner),
      language_(language),
      sensor_(sensor),
      bar_(bar),
      count_(int(sensor.StepCount)),
      step_(std::clamp(bar.Value(), 0, std::max(0, int(sensor.StepCount) - 1))) {
    SetWindowSize(Px(layout::kDpiDialogWidth), Px(layout::kDpiDialogHeight));
    OnMessages({kDpiDialogCloseId, kDpiDialogCancelId},
               [this](uint32_t, uintptr_t, intptr_t l) -> intptr_t {
                   if (l == NotifyClick) {
                       ReleaseAllImages();
                       EndDialog(QDialog::Rejected);
                   }
                   return 0;
               });
    OnMessage(kDpiDialogOkId, [this](uint32_t, uintptr_t, intptr_t l) -> intptr_t {
        if (l == NotifyClick)
            OnOk();
        return 0;
    });
    OnMessage(kDpiDialogSliderId, [this](uint32_t, uintptr_t w, intptr_t l) -> intptr_t {
        if (l == NotifyDrag) {
            step_ = std::clamp(int(w), 0, std::max(0, count_ - 1));
            ShowStep();
        } else if (l == NotifyClick) {
            if (CSliderControl* slider = Slider())
                step_ = slider->GetPos();
            ShowStep();
        }
        return 0;
    });
}

void CDPIValueSettingDlg::InitUI(int, int, int, int) {
    UiContext& ui = Ui();
    auto L = [&](const layout::Rect& r) {
        return ui.ScaledRect(r.left, r.top, r.right(), r.bottom());
    };
    auto text = [&](int n) { return QString::fromStdU16String(language_.Text(size_t(n))); };

    MakeControl<CStaticText>(0, kDpiDialogTextId, L(layout::kDpiDialogTitle), text(kTitleText),
                             kTitleColor, kDtLeft);
    auto* close =
        MakeControl<CImageButton>(0, kDpiDialogCloseId, L(layout::kDpiDialogClose), QString());
    close->SetImages(ui.SkinFile("exit_nr.png"), ui.SkinFile("exit_ov.png"));
    auto* ok = MakeControl<CImageButton>(0, kDpiDialogOkId, L(layout::kDpiDialogOk), text(kOkText));
    ok->SetImages(ui.SkinFile("button2_nr.png"), ui.SkinFile("button2_ov.png"));
    auto* cancel = MakeControl<CImageButton>(0, kDpiDialogCancelId, L(layout::kDpiDialogCancel),
                                             text(kCancelText));
    cancel->SetImages(ui.SkinFile("button2_nr.png"), ui.SkinFile("button2_ov.png"));
    cancel->SetVisible(false);
    for (int i = 0; i < 2; ++i) {
        MakeControl<CStaticText>(0, kDpiDialogTextId, L(layout::DpiDialogLabel(i)),
                                 text(kLabelTexts[i]), kLabelColor, kDtLeft);
    }
    auto* value = MakeControl<CStaticText>(0, kDpiDialogValueId, L(layout::kDpiDialogEdit),
                                           QString(), kLabelColor, kDtRight);
    value->SetVisible(false);
    auto* track =
        MakeControl<CStaticImage>(0, kDpiDialogTrackId, L(layout::kDpiDialogTrack), QString());
    track->SetImage(ui.SkinFile("Slider_bar.png"));
    auto* slider = MakeControl<CSliderControl>(0, kDpiDialogSliderId, L(layout::kDpiDialogSlider),
                                               QString(), std::max(count_, 1), Px(6), Px(7));
    slider->SetThumbImage(ui.SkinFile("Slider_Circle.png"));

    // A standard edit box in the dialog's colours and font.
    edit_ = new QLineEdit(this);
    const Rect e = L(layout::kDpiDialogEdit);
    edit_->setGeometry(e.left, e.top, e.right - e.left, e.bottom - e.top);
    edit_->setFont(ui.ProgramFont());
    edit_->setMaxLength(kEditMaxLength);
    edit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit_->setStyleSheet(QStringLiteral("QLineEdit { background: #0c0c0d; color: #ffffff;"
                                        " border: 1px solid #3a3a40; padding: 0 %1px;"
                                        " selection-background-color: #1c6fa0; }")
                             .arg(Px(4)));
    edit_->installEventFilter(this);
    edit_->setFocus();
    SelectStep(step_);
}

CSliderControl* CDPIValueSettingDlg::Slider() const {
    return FindControlAs<CSliderControl>(kDpiDialogSliderId);
}

void CDPIValueSettingDlg::SelectStep(int step) {
    step_ = std::clamp(step, 0, std::max(0, count_ - 1));
    if (CSliderControl* slider = Slider()) {
        slider->SetPos(step_);
        InvalidateRect(slider->GetRect());
    }
    ShowStep();
}

void CDPIValueSettingDlg::ShowStep() {
    const QString dpi = QString::number(sensor_.DisplayDpi(uint32_t(step_)));
    if (CControlBase* value = FindControl(kDpiDialogValueId))
        value->SetText(dpi);
    if (edit_ != nullptr && edit_->text() != dpi) {
        edit_->setText(dpi);
        edit_->selectAll();
    }
}

void CDPIValueSettingDlg::ApplyTypedValue() {
    if (edit_ == nullptr)
        return;
    const int32_t typed = ParseDecimal(edit_->text().toStdU16String());
    SelectStep(int(StepForTypedDpi(sensor_, typed)));
}

void CDPIValueSettingDlg::OnOk() {
    ApplyTypedValue();
    bar_.SetValue(step_);
    ReleaseAllImages();
    EndDialog(QDialog::Accepted);
}

bool CDPIValueSettingDlg::HandleKey(int key) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            OnEnterKey();
            return true;
        case Qt::Key_Escape:
            OnEscapeKey();
            return true;
        case Qt::Key_Left:
            if (step_ > 0)
                SelectStep(step_ - 1);
            return true;
        case Qt::Key_Right:
            if (step_ < count_ - 1)
                SelectStep(step_ + 1);
            return true;
        default:
            return false;
    }
}

bool CDPIValueSettingDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress &&
        HandleKey(static_cast<QKeyEvent*>(event)->key())) {
        event->accept();
        return true;
    }
    return CDlgBase::eventFilter(watched, event);
}

void CDPIValueSettingDlg::keyPressEvent(QKeyEvent* event) {
    if (HandleKey(event->key())) {
        event->accept();
        return;
    }
    CDlgBase::keyPressEvent(event);
}

void CDPIValueSettingDlg::mouseMoveEvent(QMouseEvent* event) {
    CDlgBase::mouseMoveEvent(event);
    // A drag that leaves the slider still drives it.
    CSliderControl* slider = Slider();
    const QPoint p = event->position().toPoint();
    if (slider != nullptr && (event->buttons() & Qt::LeftButton) &&
        !slider->GetRect().Contains(p.x(), p.y()) && slider->OnDragOutside(0, p.x(), p.y())) {
        InvalidateRect(slider->GetRect());
    }
}

void CDPIValueSettingDlg::DrawWindow(QPainter& dc, const Rect& updateRect) {
    FillBackground(dc, Rect{0, 0, width(), height()});
    DrawFrameBitmap(dc, QStringLiteral("Frame_DPI.bmp"));
    DrawControls(dc, updateRect);
}

}  // namespace velmaro
