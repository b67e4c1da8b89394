#include "ui/attention_dlg.h"

#include <memory>

#include "ui/image_button.h"
#include "ui/static_text.h"

namespace velmaro {

namespace {

constexpr int kOkText = 4;  // LanguageTable: "OK"

}  // namespace

CAttentionDlg::CAttentionDlg(UiContext& ui, const LanguageTable& language, const QString& title,
                             const QString& message, QWidget* owner, AttentionLayout layout)
    : CDlgBase(ui, owner), language_(language), title_(title), message_(message), layout_(layout) {
    if (layout_ == AttentionLayout::Long)
        SetWindowSize(Px(kLongWidth), Px(kLongHeight));
    else
        SetWindowSize(Px(kWidth), Px(kHeight));
    OnMessage(kAttentionOkId, [this](uint32_t, uintptr_t, intptr_t lParam) -> intptr_t {
        if (lParam == NotifyClick) {
            Finish(QDialog::Accepted);
        }
        return 0;
    });
    OnMessage(kAttentionCloseId, [this](uint32_t, uintptr_t, intptr_t lParam) -> intptr_t {
        if (lParam == NotifyClick) {
            Finish(QDialog::Rejected);
        }
        return 0;
    });
}

CAttentionDlg* CAttentionDlg::ShowModeless(UiContext& ui, const LanguageTable& language,
                                           const QString& title, const QString& message,
                                           QWidget* owner, AttentionLayout layout) {
    auto* dlg = new CAttentionDlg(ui, language, title, message, owner, layout);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    dlg->setModal(false);
    dlg->show();
    dlg->raise();
    return dlg;
}

void CAttentionDlg::InitUI(int, int, int, int) {
    const bool wide = layout_ == AttentionLayout::Long;
    // The buttons keep their distance from the right and bottom edges.
    const int dx = wide ? kLongWidth - kWidth : 0;
    const int dy = wide ? kLongHeight - kHeight : 0;
    auto* close = MakeControl<CImageButton>(0, kAttentionCloseId,
                                            Ui().ScaledRect(300 + dx, 4, 315 + dx, 19), QString());
    close->SetImages(Ui().SkinFile("exit_nr.png"), Ui().SkinFile("exit_ov.png"));

    auto* ok = MakeControl<CImageButton>(0, kAttentionOkId,
                                         Ui().ScaledRect(240 + dx, 70 + dy, 309 + dx, 90 + dy),
                                         QString::fromStdU16String(language_.Text(kOkText)));
    ok->SetImages(Ui().SkinFile("button2_nr.png"), Ui().SkinFile("button2_ov.png"));

    // The frame leaves its title line free for the caller's title.
    MakeControl<CStaticText>(0, kAttentionTitleId, Ui().ScaledRect(21, 11, 175 + dx, 31), title_,
                             kAttentionTitleColor, kDtLeft);
    if (wide) {
        MakeControl<CStaticText>(0, kAttentionTextId,
                                 Ui().ScaledRect(22, 46, kLongWidth - 22, kLongHeight - 36),
                                 message_, kTextNormal, kDtLeft | kDtWordBreak | kDtEditControl);
        return;
    }
    const Rect& band = kAttentionTextRect;
    MakeControl<CStaticText>(0, kAttentionTextId,
                             Ui().ScaledRect(band.left, band.top, band.right, band.bottom),
                             message_, kTextNormal, kAttentionTextFormat);
}

void CAttentionDlg::DrawWindow(QPainter& dc, const Rect& updateRect) {
    const Rect client{0, 0, width(), height()};
    FillBackground(dc, client);
    DrawFrameBitmap(dc, layout_ == AttentionLayout::Long ? QStringLiteral("Frame_warning_long.bmp")
                                                         : QStringLiteral("Frame_warning.bmp"));
    DrawControls(dc, updateRect);
}

void CAttentionDlg::Finish(int result) {
    ReleaseAllImages();
    EndDialog(result);
}

}  // namespace velmaro
