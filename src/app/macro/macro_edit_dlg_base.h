// The frame the four small macro editing dialogs share: 319 x 102 at the UI
// scale, the warning frame, a title line, one field (11, 40, 306, 62), OK,
// Cancel and a close button that acts as Cancel. The dialog is in the
// open-dialog table from its initialisation to its destruction. Escape is
// swallowed; what Enter does is up to each dialog.
//
// A caller builds a subclass, runs it with DoModal()/exec() and reads its
// result (QDialog::Accepted for OK, QDialog::Rejected for Cancel).
#pragma once

#include <QString>
#include <functional>

#include "app/macro/dialog_registry.h"
#include "model/language_table.h"
#include "ui/dlg_base.h"

class QLineEdit;

namespace velmaro {

inline constexpr uint32_t kMacroEditCloseId = 0x7D4;     // 2004
inline constexpr uint32_t kMacroEditOkId = 0x7DA;        // 2010
inline constexpr uint32_t kMacroEditCancelId = 0x7DB;    // 2011
inline constexpr uint32_t kMacroEditTitleId = 0x7DC;     // 2012
inline constexpr uint32_t kMacroEditKeyTitleId = 0x7DD;  // 2013, the key-capture dialog's title
inline constexpr uint32_t kMacroEditKeyFieldId = 0x7DC;  // 2012, the captured key's name
inline constexpr uint32_t kMacroEditFieldId = 0x7E1;     // 2017, the edit box

// The field, unscaled.
inline constexpr Rect kMacroEditFieldRect{11, 40, 306, 62};

// Shows an attention message (title entry 150) modally over the dialog.
using MacroAttentionFn = std::function<void(uint16_t message_entry)>;

class CMacroEditDlgBase : public CDlgBase {
  public:
    static constexpr int kWidth = 319;
    static constexpr int kHeight = 102;

    ~CMacroEditDlgBase() override;

    bool OnInitDialog() override;
    void DrawWindow(QPainter& dc, const Rect& updateRect) override;
    void InitUI(int left, int top, int right, int bottom) override;

    // The edit box of the name, rename and delay dialogs; null for the
    // key-capture dialog and before initialisation.
    QLineEdit* EditBox() const { return edit_; }
    // The title shown on the frame.
    QString TitleText() const;

  protected:
    // `title_entry`: the language entry of the title. `with_edit`: the field
    // is an edit box holding `initial_text`; otherwise a static text. The
    // name, rename and key-capture dialogs paint the field white.
    CMacroEditDlgBase(UiContext& ui, const LanguageTable& language, uint16_t title_entry,
                      bool with_edit, QString initial_text, bool white_field,
                      DialogRegistry registry, QWidget* parent);

    // OK (button or Enter) and Cancel (button, close button, or a close from
    // outside). The base ends the dialog with Accepted / Rejected.
    virtual void OnOk();
    virtual void OnCancel();
    void OnEnterKey() override { OnOk(); }
    void OnEscapeKey() override {}
    void reject() override;

    bool eventFilter(QObject* watched, QEvent* event) override;
    // A character typed into the edit box, before it is entered.
    virtual void OnEditChar(QChar) {}

    const LanguageTable& Language() const { return language_; }
    QString EditText() const;

  private:
    // Keeps the text within the width of the field: a change that would make
    // it wider is undone.
    void KeepWithinField();

    const LanguageTable& language_;
    uint16_t titleEntry_;
    bool withEdit_;
    QString initialText_;
    bool whiteField_;
    DialogRegistry registry_;
    bool registered_ = false;
    QLineEdit* edit_ = nullptr;
    QString lastFittingText_;
};

}  // namespace velmaro
