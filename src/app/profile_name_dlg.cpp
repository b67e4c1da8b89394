#include "app/profile_name_dlg.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "ui/attention_dlg.h"
#include "ui/image_button.h"
#include "ui/static_text.h"

namespace velmaro {

namespace {

constexpr uint32_t kTitleId = 0xBB9;
constexpr uint32_t kPromptId = 0xBBA;
constexpr uint16_t kTitleEntry = 10;
// The warning's own title, whatever the language.
constexpr char16_t kWarningTitle[] = u"警告!";

}  // namespace

CProfileNameDlg::CProfileNameDlg(UiContext& ui, const LanguageTable& language,
                                 uint16_t prompt_entry, const QString& initial_name, QWidget* owner,
                                 WarningFn warning)
    : CDlgBase(ui, owner),
      language_(language),
      prompt_(prompt_entry),
      initial_(initial_name),
      warning_(std::move(warning)) {
    SetWindowSize(Px(kWidth), Px(kHeight));
    OnMessages({kProfileNameCloseId, kProfileNameCancelId},
               [this](uint32_t, uintptr_t, intptr_t l) {
                   if (l == NotifyClick)
                       EndDialog(QDialog::Rejected);
                   return intptr_t(0);
               });
    OnMessage(kProfileNameOkId, [this](uint32_t, uintptr_t, intptr_t l) {
        if (l == NotifyClick)
            OnOk();
        return intptr_t(0);
    });
}

bool CProfileNameDlg::OnInitDialog() {
    CDlgBase::OnInitDialog();
    field_->setFocus();
    field_->selectAll();
    return true;
}

void CProfileNameDlg::InitUI(int, int, int, int) {
    UiContext& ui = Ui();
    auto text = [&](int n) { return QString::fromStdU16String(language_.Text(size_t(n))); };
    auto* close = MakeControl<CImageButton>(0, kProfileNameCloseId, ui.ScaledRect(405, 4, 420, 19),
                                            QString());
    close->SetImages(ui.SkinFile("exit_nr.png"), ui.SkinFile("exit_ov.png"));
    MakeControl<CStaticText>(0, kTitleId, ui.ScaledRect(24, 6, 300, 24), text(kTitleEntry),
                             ColorRef(0xFFFFFF), kDtCaption);
    MakeControl<CStaticText>(0, kPromptId, ui.ScaledRect(24, 38, 405, 58), text(prompt_),
                             kTextNormal, kDtCaption);

    field_ = new QLineEdit(initial_, this);
    const Rect r = ui.ScaledRect(24, 66, 405, 92);
    field_->setGeometry(r.left, r.top, r.Width(), r.Height());
    field_->setAlignment(Qt::AlignCenter);
    // 10.5 points: 14 pixels on a 96 DPI screen at scale 1.
    field_->setFont(ui.EditFieldFont(105));
    field_->setFrame(false);
    field_->setStyleSheet(
        "QLineEdit { background: #1e1e1e; color: #ffffff; border: 1px solid #5a5a5a; }"
        "QLineEdit:focus { border: 1px solid #35a0de; }");
    field_->installEventFilter(this);
    field_->show();

    auto* ok =
        MakeControl<CImageButton>(0, kProfileNameOkId, ui.ScaledRect(250, 108, 319, 128), text(4));
    ok->SetImages(ui.SkinFile("button2_nr.png"), ui.SkinFile("button2_ov.png"));
    auto* cancel = MakeControl<CImageButton>(0, kProfileNameCancelId,
                                             ui.ScaledRect(336, 108, 405, 128), text(5));
    cancel->SetImages(ui.SkinFile("button2_nr.png"), ui.SkinFile("button2_ov.png"));
}

void CProfileNameDlg::DrawWindow(QPainter& dc, const Rect& updateRect) {
    FillBackground(dc, updateRect);
    DrawFrameBitmap(dc, "Frame_common.bmp");
    DrawControls(dc, updateRect);
}

bool CProfileNameDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(event)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            OnOk();
            return true;
        }
        // Escape neither cancels nor closes.
        if (k == Qt::Key_Escape)
            return true;
    }
    return CDlgBase::eventFilter(watched, event);
}

QString CProfileNameDlg::Name() const {
    if (field_ == nullptr)
        return {};
    QString name = field_->text();
    name.replace(u'\r', u' ').replace(u'\n', u' ');
    return name;
}

void CProfileNameDlg::OnOk() {
    // A name of spaces only would show as an empty row.
    if (Name().trimmed().isEmpty()) {
        const QString title = QString::fromUtf16(kWarningTitle);
        const QString message = QString::fromStdU16String(language_.Text(kMessageEmptyProfileName));
        if (warning_) {
            warning_(title, message);
        } else {
            CAttentionDlg dialog(Ui(), language_, title, message, this);
            dialog.DoModal();
        }
        if (field_ != nullptr)
            field_->setFocus();
        return;
    }
    EndDialog(QDialog::Accepted);
}

}  // namespace velmaro
