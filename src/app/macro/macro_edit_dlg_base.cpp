#include "app/macro/macro_edit_dlg_base.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include "ui/image_button.h"
#include "ui/static_text.h"

namespace velmaro {

namespace {

constexpr ColorRef kTitleColor = 0xFFFFFF;
constexpr ColorRef kFieldTextColor = 0x000000;
// The edit's font: ten points (in tenths) at the UI scale, divided by the
// display ratio.
constexpr int kEditFontTenths = 100;

QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace

CMacroEditDlgBase::CMacroEditDlgBase(UiContext& ui, const LanguageTable& language,
                                     uint16_t title_entry, bool with_edit, QString initial_text,
                                     bool white_field, DialogRegistry registry, QWidget* parent)
    : CDlgBase(ui, parent),
      language_(language),
      titleEntry_(title_entry),
      withEdit_(with_edit),
      initialText_(std::move(initial_text)),
      whiteField_(white_field),
      registry_(std::move(registry)) {
    SetWindowSize(Px(kWidth), Px(kHeight));
    OnMessage(kMacroEditOkId, [this](uint32_t, uintptr_t, intptr_t l) {
        if (l == NotifyClick)
            OnOk();
        return intptr_t(0);
    });
    OnMessages({kMacroEditCloseId, kMacroEditCancelId}, [this](uint32_t, uintptr_t, intptr_t l) {
        if (l == NotifyClick)
            OnCancel();
        return intptr_t(0);
    });
}

CMacroEditDlgBase::~CMacroEditDlgBase() {
    if (registered_ && registry_.Unregister)
        registry_.Unregister(this);
}

bool CMacroEditDlgBase::OnInitDialog() {
    CDlgBase::OnInitDialog();
    if (registry_.Register) {
        registry_.Register(this);
        registered_ = true;
    }
    if (edit_ != nullptr)
        edit_->setFocus(Qt::OtherFocusReason);
    return true;
}

QString CMacroEditDlgBase::TitleText() const {
    return QString::fromStdU16String(language_.Text(titleEntry_));
}

QString CMacroEditDlgBase::EditText() const {
    return edit_ != nullptr ? edit_->text() : QString();
}

void CMacroEditDlgBase::InitUI(int, int, int, int) {
    UiContext& ui = Ui();
    auto text = [&](int n) { return QString::fromStdU16String(language_.Text(size_t(n))); };
    const uint32_t titleId = withEdit_ ? kMacroEditTitleId : kMacroEditKeyTitleId;
    // Beside the frame's warning sign, on the attention dialog's title line.
    MakeControl<CStaticText>(0, titleId, ui.ScaledRect(21, 11, 220, 31), TitleText(), kTitleColor,
                             kDtCaption);
    auto* close =
        MakeControl<CImageButton>(0, kMacroEditCloseId, ui.ScaledRect(300, 4, 315, 19), QString());
    close->SetImages(ui.SkinFile("exit_nr.png"), ui.SkinFile("exit_ov.png"));
    auto* ok =
        MakeControl<CImageButton>(0, kMacroEditOkId, ui.ScaledRect(170, 70, 235, 93), text(4));
    ok->SetImages(ui.SkinFile("button2_nr.png"), ui.SkinFile("button2_ov.png"));
    auto* cancel =
        MakeControl<CImageButton>(0, kMacroEditCancelId, ui.ScaledRect(240, 70, 305, 93), text(5));
    cancel->SetImages(ui.SkinFile("button2_nr.png"), ui.SkinFile("button2_ov.png"));

    const Rect field = ui.ScaledRect(kMacroEditFieldRect.left, kMacroEditFieldRect.top,
                                     kMacroEditFieldRect.right, kMacroEditFieldRect.bottom);
    if (!withEdit_) {
        auto* key = MakeControl<CStaticText>(0, kMacroEditKeyFieldId, field, initialText_,
                                             kFieldTextColor, kDtCenter | kDtCaption);
        key->SetFont(Px(22), "Tahoma");
        return;
    }
    edit_ = new QLineEdit(initialText_, this);
    edit_->setObjectName(QStringLiteral("field%1").arg(kMacroEditFieldId));
    edit_->setGeometry(ToQRect(field));
    edit_->setAlignment(Qt::AlignCenter);
    edit_->setFrame(false);
    edit_->setFont(ui.EditFieldFont(kEditFontTenths));
    edit_->setStyleSheet(QStringLiteral(
        "QLineEdit { background: #ffffff; color: #000000; border: none; padding: 0px; }"));
    edit_->installEventFilter(this);
    lastFittingText_ = initialText_;
    connect(edit_, &QLineEdit::textChanged, this, [this] { KeepWithinField(); });
    edit_->show();
}

void CMacroEditDlgBase::DrawWindow(QPainter& dc, const Rect& updateRect) {
    FillBackground(dc, updateRect);
    DrawFrameBitmap(dc, QStringLiteral("Frame_warning.bmp"));
    if (whiteField_) {
        const Rect f = Ui().ScaledRect(kMacroEditFieldRect.left, kMacroEditFieldRect.top,
                                       kMacroEditFieldRect.right, kMacroEditFieldRect.bottom);
        dc.fillRect(ToQRect(f), Qt::white);
    }
    DrawControls(dc, updateRect);
}

void CMacroEditDlgBase::OnOk() {
    ReleaseAllImages();
    EndDialog(QDialog::Accepted);
}

void CMacroEditDlgBase::OnCancel() {
    ReleaseAllImages();
    EndDialog(QDialog::Rejected);
}

// A close from outside (the open-dialog table, the window system) ends the
// dialog as Cancel.
void CMacroEditDlgBase::reject() {
    OnCancel();
}

bool CMacroEditDlgBase::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_ || event->type() != QEvent::KeyPress)
        return CDlgBase::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            OnEnterKey();
            return true;
        case Qt::Key_Escape:
            OnEscapeKey();
            return true;
        default:
            break;
    }
    const QString typed = key->text();
    if (!typed.isEmpty() && typed.front().isPrint())
        OnEditChar(typed.front());
    return false;
}

// The edit does not scroll: like a field without horizontal scrolling, it
// takes no more text than it can show.
void CMacroEditDlgBase::KeepWithinField() {
    if (edit_ == nullptr)
        return;
    const QString now = edit_->text();
    const QFontMetrics metrics(edit_->font());
    // QLineEdit keeps a small margin on either side of the text.
    const int room = edit_->width() - 4;
    if (metrics.horizontalAdvance(now) <= room || now.size() <= lastFittingText_.size()) {
        lastFittingText_ = now;
        return;
    }
    const int cursor = edit_->cursorPosition() - int(now.size() - lastFittingText_.size());
    const QSignalBlocker block(edit_);
    edit_->setText(lastFittingText_);
    edit_->setCursorPosition(std::max(0, cursor));
}

}  // namespace velmaro
