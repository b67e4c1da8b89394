// The length of a delay action, typed in milliseconds. The edit starts with
// the action's delay. Every typed character other than a digit or backspace
// shows an attention message (entry 175) and is entered all the same. OK
// (button or Enter) reads the number at the start of the text and makes the
// action a delay of that length, cut to 0..15,300,000 ms; Cancel and the
// close button leave the action as it was.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/macro/macro_edit_dlg_base.h"
#include "model/macro_record.h"

namespace velmaro {

inline constexpr uint32_t kMaxMacroDelayMs = 15'300'000;
inline constexpr uint16_t kMessageDigitsOnly = 175;

// The delay a typed text stands for: leading blanks and a sign allowed, the
// digits up to the first other character (0 when there are none), then held
// to 0..15,300,000.
uint32_t DelayFromText(std::u16string_view text);

class CActionTimeModifyDlg : public CMacroEditDlgBase {
  public:
    // `action` must outlive the dialog; it is written on OK only.
    // `attention` shows the message about non-digits (null: the program's
    // attention dialog).
    CActionTimeModifyDlg(UiContext& ui, const LanguageTable& language, MacroAction& action,
                         MacroAttentionFn attention = nullptr, DialogRegistry registry = {},
                         QWidget* parent = nullptr);

  protected:
    void OnOk() override;
    void OnEditChar(QChar c) override;

  private:
    MacroAction& action_;
    MacroAttentionFn attention_;
};

}  // namespace velmaro
