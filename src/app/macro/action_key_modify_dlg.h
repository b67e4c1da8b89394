// Captures a key for a key action. While the dialog is open every key press
// and release typed into the program reaches it through CKeyboardHook; the
// field shows the name of the last key event. OK writes that key's code into
// byte 0 of the action given (bytes 1..3 keep their values; OK without a key
// event writes the code it started with); Cancel and the close button leave
// the action as it was.
#pragma once

#include <cstdint>

#include "app/macro/keyboard_hook.h"
#include "app/macro/macro_edit_dlg_base.h"
#include "model/macro_record.h"

namespace velmaro {

class CActionKeyModifyDlg : public CMacroEditDlgBase {
  public:
    // `action` must outlive the dialog; it is written on OK only.
    CActionKeyModifyDlg(UiContext& ui, const LanguageTable& language, MacroAction& action,
                        DialogRegistry registry = {}, QWidget* parent = nullptr);
    ~CActionKeyModifyDlg() override;

    bool OnInitDialog() override;

    uint8_t ChosenCode() const { return chosen_; }
    bool Hooked() const { return hooked_; }
    CKeyboardHook& Hook() { return hook_; }

  protected:
    void OnOk() override;
    void OnCancel() override;
    // Enter and Escape are keys like any other here: captured, not acted on.
    void OnEnterKey() override {}

  private:
    void OnKey(uintptr_t wParam);
    void StopHook();
    void ShowChosen();

    MacroAction& action_;
    uint8_t chosen_;
    CKeyboardHook hook_;
    bool hooked_ = false;
};

}  // namespace velmaro
