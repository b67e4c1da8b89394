// Asks before the mouse and the current profile go back to their factory
// settings. Enter confirms; Escape does nothing (a stray key must not answer
// a question like this one either way).
#pragma once

#include "model/language_table.h"
#include "ui/dlg_base.h"

namespace velmaro {

inline constexpr uint32_t kResetCloseId = 0x7D4;     // 2004
inline constexpr uint32_t kResetConfirmId = 0x7DA;   // 2010
inline constexpr uint32_t kResetCancelId = 0x7DB;    // 2011
inline constexpr uint32_t kResetQuestionId = 0xBB9;  // 3001

class CFirmwareResetDlg : public CDlgBase {
  public:
    static constexpr int kWidth = 429;
    static constexpr int kHeight = 140;

    CFirmwareResetDlg(UiContext& ui, const LanguageTable& language, QWidget* owner = nullptr);

    void DrawWindow(QPainter& dc, const Rect& updateRect) override;
    void InitUI(int left, int top, int right, int bottom) override;

  protected:
    void OnEnterKey() override { EndDialog(QDialog::Accepted); }
    void OnEscapeKey() override {}

  private:
    const LanguageTable& language_;
};

}  // namespace velmaro
