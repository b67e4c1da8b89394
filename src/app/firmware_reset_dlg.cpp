#include "app/firmware_reset_dlg.h"

#include <QPainter>

#include "ui/image_button.h"
#include "ui/static_text.h"

namespace velmaro {

CFirmwareResetDlg::CFirmwareResetDlg(UiContext& ui, const LanguageTable& language, QWidget* owner)
    : CDlgBase(ui, owner), language_(language) {
    SetWindowSize(Px(kWidth), Px(kHeight));
    auto cancel = [this](uint32_t, uintptr_t, intptr_t l) -> intptr_t {
        if (l == NotifyClick)
            EndDialog(QDialog::Rejected);
        return 0;
    };
    OnMessages({kResetCloseId, kResetCancelId}, cancel);
    OnMessage(kResetConfirmId, [this](uint32_t, uintptr_t, intptr_t l) -> intptr_t {
        if (l == NotifyClick)
            EndDialog(QDialog::Accepted);
        return 0;
    });
}

void CFirmwareResetDlg::InitUI(int, int, int, int) {
    UiContext& ui = Ui();
    auto text = [&](int n) { return QString::fromStdU16String(language_.Text(size_t(n))); };
    auto* close =
        MakeControl<CImageButton>(0, kResetCloseId, ui.ScaledRect(405, 4, 420, 19), QString());
    close->SetImages(ui.SkinFile("exit_nr.png"), ui.SkinFile("exit_ov.png"));
    auto* confirm =
        MakeControl<CImageButton>(0, kResetConfirmId, ui.ScaledRect(260, 110, 329, 130), text(4));
    confirm->SetImages(ui.SkinFile("button2_nr.png"), ui.SkinFile("button2_ov.png"));
    auto* cancel =
        MakeControl<CImageButton>(0, kResetCancelId, ui.ScaledRect(350, 110, 419, 130), text(5));
    cancel->SetImages(ui.SkinFile("button2_nr.png"), ui.SkinFile("button2_ov.png"));
    // The question wraps inside the band between the title line and the buttons.
    MakeControl<CStaticText>(0, kResetQuestionId, ui.ScaledRect(0, 60, 429, 108), text(140),
                             kTextNormal, kDtCenter | kDtWordBreak);
}

void CFirmwareResetDlg::DrawWindow(QPainter& dc, const Rect& updateRect) {
    FillBackground(dc, updateRect);
    DrawFrameBitmap(dc, "Frame_common.bmp");
    DrawControls(dc, updateRect);
}

}  // namespace velmaro
