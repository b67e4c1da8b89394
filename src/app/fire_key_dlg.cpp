#include "app/fire_key_dlg.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include "model/profile_edits.h"
#include "ui/attention_dlg.h"
#include "ui/image_button.h"
#include "ui/static_text.h"

namespace velmaro {

namespace {

constexpr uint32_t kTitleId = 0xBB9;
constexpr uint32_t kFirstLabelId = 0xBBA;
constexpr uint32_t kSecondLabelId = 0xBBB;
constexpr uint32_t kHintId = 0xBBC;
constexpr uint16_t kMessageDigitsOnly = 175;
// Far above 255; keeps long digit strings from overflowing.
constexpr int kNumberBound = 100000;

}  // namespace

int FireKeyFieldNumber(const QString& text) {
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        value = std::min(kNumberBound, value * 10 + (c.unicode() - u'0'));
    }
    return value;
}

CFireKeyDlg::CFireKeyDlg(UiContext& ui, const LanguageTable& language, CDlgBase* owner,
                         AttentionFn attention)
    : CDlgBase(ui, owner), language_(language), owner_(owner), attention_(std::move(attention)) {
    SetWindowSize(Px(kWidth), Px(kHeight));
    OnMessage(kFireKeyCloseId, [this](uint32_t, uintptr_t, intptr_t l) {
        if (l == NotifyClick)
            EndDialog(QDialog::Rejected);
        return intptr_t(0);
    });
    OnMessage(kFireKeyOkId, [this](uint32_t, uintptr_t, intptr_t l) {
        if (l == NotifyClick)
            OnOk();
        return intptr_t(0);
    });
}

bool CFireKeyDlg::OnInitDialog() {
    CDlgBase::OnInitDialog();
    StartTimer(kFireKeyCheckTimer, kFireKeyCheckPeriodMs);
    return true;
}

void CFireKeyDlg::InitUI(int, int, int, int) {
    UiContext& ui = Ui();
    auto text = [&](int n) { return QString::fromStdU16String(language_.Text(size_t(n))); };
    auto* close =
        MakeControl<CImageButton>(0, kFireKeyCloseId, ui.ScaledRect(405, 4, 420, 19), QString());
    close->SetImages(ui.SkinFile("exit_nr.png"), ui.SkinFile("exit_ov.png"));
    MakeControl<CStaticText>(0, kTitleId, ui.ScaledRect(24, 6, 300, 24), text(170),
                             ColorRef(0xFFFFFF), kDtCaption);
    MakeControl<CStaticText>(0, kFirstLabelId, ui.ScaledRect(24, 39, 200, 61), text(171),
                             kTextNormal, kDtCaption);
    MakeControl<CStaticText>(0, kSecondLabelId, ui.ScaledRect(24, 69, 200, 91), text(172),
                             kTextNormal, kDtCaption);
    MakeControl<CStaticText>(0, kHintId, ui.ScaledRect(24, 96, 405, 108), text(173),
                             ColorRef(0x8C8C8C));

    auto makeField = [&](int top, const QString& value) {
        auto* edit = new QLineEdit(value, this);
        const Rect r = ui.ScaledRect(210, top, 300, top + 22);
        edit->setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
        edit->setAlignment(Qt::AlignCenter);
        // 10.5 points: 14 pixels on a 96 DPI screen at scale 1.
        edit->setFont(ui.EditFieldFont(105));
        edit->setFrame(false);
        edit->setStyleSheet(
            "QLineEdit { background: #1e1e1e; color: #ffffff; "
            "border: 1px solid #5a5a5a; }");
        edit->installEventFilter(this);
        edit->show();
        return edit;
    };
    first_ = makeField(39, "50");
    second_ = makeField(69, "0");

    auto* ok =
        MakeControl<CImageButton>(0, kFireKeyOkId, ui.ScaledRect(336, 110, 405, 130), text(4));
    ok->SetImages(ui.SkinFile("button2_nr.png"), ui.SkinFile("button2_ov.png"));
}

void CFireKeyDlg::DrawWindow(QPainter& dc, const Rect& updateRect) {
    FillBackground(dc, updateRect);
    DrawFrameBitmap(dc, "Frame_common.bmp");
    DrawControls(dc, updateRect);
}

bool CFireKeyDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || (watched != first_ && watched != second_))
        return CDlgBase::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const int k = key->key();
    // Enter and Escape neither confirm nor close.
    if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape)
        return true;
    const QString typed = key->text();
    if (typed.isEmpty() || k == Qt::Key_Backspace)
        return false;
    const QChar c = typed.front();
    if (c.isPrint() && (c < u'0' || c > u'9')) {
        // The character is still entered; the user is told after it appears.
        auto* edit = static_cast<QLineEdit*>(watched);
        edit->insert(typed);
        Attention(kMessageDigitsOnly);
        return true;
    }
    return false;
}

void CFireKeyDlg::OnTimer(int id) {
    if (id == kFireKeyCheckTimer) {
        CheckFields();
        return;
    }
    CDlgBase::OnTimer(id);
}

void CFireKeyDlg::CheckFields() {
    if (first_ == nullptr || second_ == nullptr)
        return;
    if (FireKeyFieldNumber(first_->text()) >= 256) {
        first_->setText("255");
        Attention(kMessageFireKeyFirst);
    }
    if (FireKeyFieldNumber(second_->text()) > 255) {
        second_->setText("255");
        Attention(kMessageFireKeySecond);
    }
}

void CFireKeyDlg::OnOk() {
    // Values the timer has not cut yet are cut now.
    CheckFields();
    if (first_ == nullptr || second_ == nullptr)
        return;
    const int first = FireKeyFieldNumber(first_->text());
    const int second = FireKeyFieldNumber(second_->text());
    if (first <= 4) {
        Attention(kMessageFireKeyFirst);
        return;
    }
    choice_ = FireKeyChoice(language_, first, second);
    if (!choice_)
        return;
    StopTimer(kFireKeyCheckTimer);
    if (owner_ != nullptr) {
        result_ = PopupResult{choice_->Name, choice_->Value};
        owner_->SendMessage(kFireKeyChoiceMessage, 0, reinterpret_cast<intptr_t>(&result_));
    }
    EndDialog(QDialog::Accepted);
}

void CFireKeyDlg::Attention(uint16_t message_entry) {
    if (attention_) {
        attention_(message_entry);
        return;
    }
    CAttentionDlg dialog(Ui(), language_,
                         QString::fromStdU16String(language_.Text(kAttentionTitle)),
                         QString::fromStdU16String(language_.Text(message_entry)), this);
    dialog.DoModal();
}

}  // namespace velmaro
