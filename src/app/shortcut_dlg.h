// The key combination dialog: the user ticks modifiers and presses a key; OK
// sends the combination's name and bytes to the owner (0x40C, lParam = the
// address of the result) and closes. While it is open the keyboard hook
// reports every key typed into the program; the last key that is not a
// modifier is the one taken.
#pragma once

#include <optional>

#include "app/macro/keyboard_hook.h"
#include "model/button_functions.h"
#include "model/language_table.h"
#include "ui/dlg_base.h"
#include "ui/wnd_popup.h"

namespace velmaro {

inline constexpr uint32_t kShortcutCloseId = 0x7D4;       // 2004
inline constexpr uint32_t kShortcutNoModifierId = 0x7D5;  // 2005
inline constexpr uint32_t kShortcutCtrlId = 0x7D6;        // 2006
inline constexpr uint32_t kShortcutAltId = 0x7D7;         // 2007
inline constexpr uint32_t kShortcutShiftId = 0x7D8;       // 2008
inline constexpr uint32_t kShortcutWinId = 0x7D9;         // 2009
inline constexpr uint32_t kShortcutOkId = 0x7DA;          // 2010
inline constexpr uint32_t kShortcutCancelId = 0x7DB;      // 2011
inline constexpr uint32_t kShortcutKeyTextId = 0x7DC;     // 2012
// The choice, sent to the owner.
inline constexpr uint32_t kShortcutChoiceMessage = 0x40C;

class CShortcutDlg : public CDlgBase {
  public:
    static constexpr int kWidth = 429;
    static constexpr int kHeight = 140;

    // `owner` receives the choice.
    CShortcutDlg(UiContext& ui, const LanguageTable& language, CDlgBase* owner = nullptr);
    ~CShortcutDlg() override;

    bool OnInitDialog() override;
    void DrawWindow(QPainter& dc, const Rect& updateRect) override;
    void InitUI(int left, int top, int right, int bottom) override;
    void done(int result) override;

    const KeyCombinationCapture& Capture() const { return capture_; }
    // What OK sent, if anything.
    const std::optional<ButtonChoice>& Choice() const { return choice_; }
    bool Hooked() const { return hook_.IsHooked(); }

  private:
    void OnKey(uintptr_t wParam);
    void OnNoModifier();
    void OnOk();
    bool Ticked(uint32_t id) const;

    const LanguageTable& language_;
    CDlgBase* owner_;
    CKeyboardHook hook_;
    KeyCombinationCapture capture_;
    std::optional<ButtonChoice> choice_;
    PopupResult result_;
};

}  // namespace velmaro
