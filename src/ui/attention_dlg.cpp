#include "ui/attention_dlg.h"

#include <memory>

#include "ui/image_button.h"
#include "ui/static_text.h"

namespace velmaro {

namespace {

constexpr int kOkText = 4;  // LanguageTable: "OK"

}  // namespace

CAttentionDlg::CAttentionDlg(UiContext& ui, const LanguageTable& language, const QString& title,
                             const QString& message, QWidget* owner)
    : CDlgBase(ui, owner), language_(language), title_(title), message_(message) {
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
                                           QWidget* owner) {
    auto* dlg = new CAttentionDlg(ui, language, title, message, owner);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    dlg->setModal(false);
    dlg->show();
    dlg->raise();
    return dlg;
}

void CAttentionDlg::InitUI(int, int, int, int) {
    auto* close = MakeControl<CImageButton>(0, kAttentionCloseId, Ui().ScaledRect(300, 4, 315, 19),
                                            QString());
    close->SetImages(Ui().SkinFile("exit_nr.png"), Ui().SkinFile("exit_ov.png"));

    auto* ok = MakeControl<CImageButton>(0, kAttentionOkId, Ui().ScaledRect(240, 70, 309, 90),
                                         QString::fromStdU16String(language_.Text(kOkText)));
    ok->SetImages(Ui().SkinFile("button2_nr.png"), Ui().SkinFile("button2_ov.png"));

    // The frame leaves its title line free for the caller's title.
    MakeControl<CStaticText>(0, kAttentionTitleId, Ui().ScaledRect(21, 11, 175, 31), title_,
                             kAttentionTitleColor, kDtLeft);
    const Rect& band = kAttentionTextRect;
    MakeControl<CStaticText>(0, kAttentionTextId,
                             Ui().ScaledRect(band.left, band.top, band.right, band.bottom),
                             message_, kTextNormal, kAttentionTextFormat);
}

void CAttentionDlg::DrawWindow(QPainter& dc, const Rect& updateRect) {
    const Rect client{0, 0, width(), height()};
    FillBackground(dc, client);
    DrawFrameBitmap(dc, QStringLiteral("Frame_warning.bmp"));
    DrawControls(dc, updateRect);
}

void CAttentionDlg::Finish(int result) {
    ReleaseAllImages();
    EndDialog(result);
}

}  // namespace velmaro
