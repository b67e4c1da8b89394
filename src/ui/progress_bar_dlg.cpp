#include "ui/progress_bar_dlg.h"

#include <algorithm>

#include "ui/skin_image.h"
#include "ui/static_text.h"

namespace velmaro {

CProgressBarDlg::CProgressBarDlg(UiContext& ui, const QString& title, const QString& message,
                                 QWidget* owner)
    : CDlgBase(ui, owner), title_(title), message_(message) {
    SetWindowSize(Px(kWidth), Px(kHeight));
}

void CProgressBarDlg::InitUI(int, int, int, int) {
    MakeControl<CStaticText>(0, kProgressTextId, Ui().ScaledRect(10, 3, 164, 23), message_,
                             kProgressTextColor, kDtLeft);
}

bool CProgressBarDlg::OnInitDialog() {
    CDlgBase::OnInitDialog();
    background_ = ReadPicture(Ui().SkinFile(QStringLiteral("Frame_progress_nr.bmp")));
    bar_ = ReadPicture(Ui().SkinFile(QStringLiteral("Frame_progress_ov.bmp")));
    percent_ = 0;
    FillStep();
    StartTimer(kFillTimer, kFillStepMs);
    return true;
}

void CProgressBarDlg::FillStep() {
    if (percent_ >= 100) {
        // Full: the dialog ends a moment later.
        StopTimer(kFillTimer);
        StartTimer(kCloseTimer, kCloseDelayMs);
        return;
    }
    barWidth_ = percent_ * kWidth / 100;
    percent_ = std::min(100, percent_ + kFillStepPercent);
    InvalidateRect(Rect{0, Px(kBarTop), width(), Px(kBarTop + kBarHeight)});
}

void CProgressBarDlg::OnTimer(int id) {
    if (id == kFillTimer) {
        FillStep();
    } else if (id == kCloseTimer) {
        StopTimer(kCloseTimer);
        background_ = QImage();
        bar_ = QImage();
        ReleaseAllImages();
        EndDialog(QDialog::Accepted);
    }
}

void CProgressBarDlg::DrawWindow(QPainter& dc, const Rect& updateRect) {
    FillBackground(dc, Rect{0, 0, width(), height()});
    DrawSkinImage(dc, background_, QRect(0, 0, kWidth, kHeight),
                  QRect(0, 0, Px(kWidth), Px(kHeight)));
    if (barWidth_ > 0) {
        DrawSkinImage(dc, bar_, QRect(0, kBarTop, barWidth_, kBarHeight),
                      QRect(0, Px(kBarTop), Px(barWidth_), Px(kBarHeight)));
    }
    DrawControls(dc, updateRect);
}

}  // namespace velmaro
