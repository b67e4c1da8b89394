#include "app/macro/action_key_modify_dlg.h"

#include "model/key_tables.h"
#include "ui/control_base.h"

namespace velmaro {

namespace {

constexpr uint16_t kTitleKey = 221;

}  // namespace

CActionKeyModifyDlg::CActionKeyModifyDlg(UiContext& ui, const LanguageTable& language,
                                         MacroAction& action, DialogRegistry registry,
                                         QWidget* parent)
    : CMacroEditDlgBase(ui, language, kTitleKey, false,
                        QString::fromStdU16String(std::u16string(KeyNameOf(action.Bytes[0]))), true,
                        std::move(registry), parent),
      action_(action),
      chosen_(action.Bytes[0]) {
    OnMessage(kKeyHookMessage, [this](uint32_t, uintptr_t w, intptr_t) {
        OnKey(w);
        return intptr_t(0);
    });
}

CActionKeyModifyDlg::~CActionKeyModifyDlg() {
    StopHook();
}

bool CActionKeyModifyDlg::OnInitDialog() {
    CMacroEditDlgBase::OnInitDialog();
    hook_.StartHook(this);
    hooked_ = true;
    ShowChosen();
    return true;
}

// Presses and releases alike: the last key event decides.
void CActionKeyModifyDlg::OnKey(uintptr_t wParam) {
    chosen_ = uint8_t(wParam & 0xFF);
    ShowChosen();
}

void CActionKeyModifyDlg::ShowChosen() {
    if (CControlBase* field = FindControl(kMacroEditKeyFieldId)) {
        field->SetText(QString::fromStdU16String(std::u16string(KeyNameOf(chosen_))));
        InvalidateRect(field->GetRect());
    }
}

void CActionKeyModifyDlg::StopHook() {
    if (!hooked_)
        return;
    hook_.StopHook();
    hooked_ = false;
}

void CActionKeyModifyDlg::OnOk() {
    action_.Bytes[0] = chosen_;
    StopHook();
    CMacroEditDlgBase::OnOk();
}

void CActionKeyModifyDlg::OnCancel() {
    StopHook();
    CMacroEditDlgBase::OnCancel();
}

}  // namespace velmaro
