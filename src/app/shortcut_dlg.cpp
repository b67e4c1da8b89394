#include "app/shortcut_dlg.h"

#include <QPainter>

#include "ui/check_button.h"
#include "ui/image_button.h"
#include "ui/static_text.h"

namespace velmaro {

namespace {

constexpr uint32_t kTitleId = 0xBB8;
constexpr uint32_t kCaptionId = 0xBB9;
constexpr uint32_t kModifierBoxes[] = {kShortcutCtrlId, kShortcutShiftId, kShortcutAltId,
                                       kShortcutWinId};
constexpr ColorRef kKeyTextColor = 0xFFFFFF;

}  // namespace

CShortcutDlg::CShortcutDlg(UiContext& ui, const LanguageTable& language, CDlgBase* owner)
    : CDlgBase(ui, owner), language_(language), owner_(owner) {
    SetWindowSize(Px(kWidth), Px(kHeight));
    OnMessages({kShortcutCloseId, kShortcutCancelId}, [this](uint32_t, uintptr_t, intptr_t l) {
        if (l == NotifyClick)
            EndDialog(QDialog::Rejected);
        return intptr_t(0);
    });
    OnMessage(kShortcutOkId, [this](uint32_t, uintptr_t, intptr_t l) {
        if (l == NotifyClick)
            OnOk();
        return intptr_t(0);
    });
    OnMessage(kShortcutNoModifierId, [this](uint32_t, uintptr_t, intptr_t l) {
        if (l == NotifyClick)
            OnNoModifier();
        return intptr_t(0);
    });
    OnMessage(kKeyHookMessage, [this](uint32_t, uintptr_t w, intptr_t) {
        OnKey(w);
        return intptr_t(0);
    });
}

CShortcutDlg::~CShortcutDlg() {
    hook_.StopHook();
}

bool CShortcutDlg::OnInitDialog() {
    CDlgBase::OnInitDialog();
    hook_.StartHook(this);
    return true;
}

void CShortcutDlg::done(int result) {
    hook_.StopHook();
    CDlgBase::done(result);
}

void CShortcutDlg::InitUI(int, int, int, int) {
    UiContext& ui = Ui();
    auto text = [&](int n) { return QString::fromStdU16String(language_.Text(size_t(n))); };
    auto* close =
        MakeControl<CImageButton>(0, kShortcutCloseId, ui.ScaledRect(405, 4, 420, 19), QString());
    close->SetImages(ui.SkinFile("exit_nr.png"), ui.SkinFile("exit_ov.png"));
    MakeControl<CStaticText>(0, kTitleId, ui.ScaledRect(24, 6, 300, 24), text(29),
                             ColorRef(0xFFFFFF), kDtCaption);
    MakeControl<CStaticText>(0, kCaptionId, ui.ScaledRect(24, 34, 405, 52), text(180));

    // Ctrl, Shift, Alt, Win in a row, each box with its name beside it.
    struct Box {
        uint32_t Id;
        QString Caption;
        int Left;
        int Width;
    };
    const Box boxes[] = {{kShortcutCtrlId, "Ctrl", 24, 60},
                         {kShortcutShiftId, "Shift", 96, 60},
                         {kShortcutAltId, "Alt", 168, 60},
                         {kShortcutWinId, "Win", 240, 60},
                         {kShortcutNoModifierId, text(181), 24, 200}};
    int row = 0;
    for (const Box& b : boxes) {
        const int top = b.Id == kShortcutNoModifierId ? 86 : 62;
        auto* box = MakeControl<CCheckButton>(
            0, b.Id, ui.ScaledRect(b.Left, top + 3, b.Left + 11, top + 14), QString());
        box->SetImages(ui.SkinFile("check_nr.png"), ui.SkinFile("check_ov.png"),
                       ui.SkinFile("check_dn.png"));
        MakeControl<CStaticText>(0, 0xBC0 + uint32_t(row++),
                                 ui.ScaledRect(b.Left + 17, top, b.Left + 17 + b.Width, top + 17),
                                 b.Caption, kTextNormal, kDtCaption);
    }
    // The captured key, in a box of its own at the right.
    auto* key = MakeControl<CStaticText>(0, kShortcutKeyTextId, ui.ScaledRect(300, 60, 405, 80),
                                         QString(), kKeyTextColor, kDtCenter | kDtCaption);
    key->SetFont(Px(14), "Tahoma");

    auto* ok =
        MakeControl<CImageButton>(0, kShortcutOkId, ui.ScaledRect(260, 110, 329, 130), text(4));
    ok->SetImages(ui.SkinFile("button2_nr.png"), ui.SkinFile("button2_ov.png"));
    auto* cancel =
        MakeControl<CImageButton>(0, kShortcutCancelId, ui.ScaledRect(350, 110, 419, 130), text(5));
    cancel->SetImages(ui.SkinFile("button2_nr.png"), ui.SkinFile("button2_ov.png"));
}

void CShortcutDlg::DrawWindow(QPainter& dc, const Rect& updateRect) {
    FillBackground(dc, updateRect);
    DrawFrameBitmap(dc, "Frame_common.bmp");
    // A sunken well behind the captured key.
    if (CControlBase* key = FindControl(kShortcutKeyTextId)) {
        const Rect r = key->GetRect();
        dc.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), QColor(0x1E1E1E));
        dc.setPen(QColor(0x5A5A5A));
        dc.drawRect(QRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1));
    }
    DrawControls(dc, updateRect);
}

void CShortcutDlg::OnKey(uintptr_t wParam) {
    if (!capture_.Press(uint8_t(wParam & 0xFF)))
        return;
    if (CControlBase* key = FindControl(kShortcutKeyTextId)) {
        key->SetText(QString::fromStdU16String(std::u16string(capture_.KeyText())));
        InvalidateRect(key->GetRect());
    }
}

void CShortcutDlg::OnNoModifier() {
    const bool off = Ticked(kShortcutNoModifierId);
    for (uint32_t id : kModifierBoxes) {
        if (CControlBase* box = FindControl(id)) {
            box->SetDisabled(off);
            InvalidateRect(box->GetRect());
        }
    }
}

bool CShortcutDlg::Ticked(uint32_t id) const {
    const auto* box = FindControlAs<CCheckButton>(id);
    return box != nullptr && box->Checked();
}

void CShortcutDlg::OnOk() {
    const KeyModifiers ticks{Ticked(kShortcutCtrlId), Ticked(kShortcutShiftId),
                             Ticked(kShortcutAltId), Ticked(kShortcutWinId)};
    choice_ = capture_.Encode(ticks, Ticked(kShortcutNoModifierId));
    if (!choice_) {
        EndDialog(QDialog::Rejected);
        return;
    }
    if (owner_ != nullptr) {
        result_ = PopupResult{choice_->Name, choice_->Value};
        owner_->SendMessage(kShortcutChoiceMessage, 0, reinterpret_cast<intptr_t>(&result_));
    }
    EndDialog(QDialog::Accepted);
}

}  // namespace velmaro
