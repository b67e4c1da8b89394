// The small dialog that asks for a profile's name: a prompt, one edit field
// (focused) and OK, Cancel and close. OK or Enter accepts a name that is not
// empty; an empty one is refused with a warning and the dialog stays open.
// Escape does nothing. Adding and renaming a profile differ only in the
// prompt and the field's first text (CAddProfileDlg, CEditProfileDlg).
#pragma once

#include <QString>
#include <functional>

#include "model/language_table.h"
#include "ui/dlg_base.h"

class QLineEdit;

namespace velmaro {

inline constexpr uint32_t kProfileNameCloseId = 0x7D4;   // 2004
inline constexpr uint32_t kProfileNameOkId = 0x7DA;      // 2010
inline constexpr uint32_t kProfileNameCancelId = 0x7DB;  // 2011
// LanguageTable entry of the warning about an empty name.
inline constexpr uint16_t kMessageEmptyProfileName = 147;

class CProfileNameDlg : public CDlgBase {
  public:
    static constexpr int kWidth = 429;
    static constexpr int kHeight = 140;
    // Shows a warning (title, message) modally.
    using WarningFn = std::function<void(const QString& title, const QString& message)>;

    // `warning` null: an attention dialog of its own.
    CProfileNameDlg(UiContext& ui, const LanguageTable& language, uint16_t prompt_entry,
                    const QString& initial_name, QWidget* owner = nullptr,
                    WarningFn warning = nullptr);

    bool OnInitDialog() override;
    void DrawWindow(QPainter& dc, const Rect& updateRect) override;
    void InitUI(int left, int top, int right, int bottom) override;

    QLineEdit* Field() const { return field_; }
    // The accepted name, as a profile file can hold it (line breaks, which
    // would split the file's line, become spaces).
    QString Name() const;

  protected:
    void OnEnterKey() override { OnOk(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnOk();

    const LanguageTable& language_;
    uint16_t prompt_;
    QString initial_;
    WarningFn warning_;
    QLineEdit* field_ = nullptr;
};

}  // namespace velmaro
