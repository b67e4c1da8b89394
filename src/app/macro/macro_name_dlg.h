// The name of a new macro (mode 0) or folder (mode 1). Any text is accepted,
// empty or blanks only; the caller decides what it takes. OK (button or
// Enter) gives the typed text in ResultText(); Cancel leaves it empty.
#pragma once

#include <string>

#include "app/macro/macro_edit_dlg_base.h"

namespace velmaro {

enum class MacroNameMode { Macro = 0, Folder = 1 };

class CMacroKeyOrFolderNameDlg : public CMacroEditDlgBase {
  public:
    CMacroKeyOrFolderNameDlg(UiContext& ui, const LanguageTable& language, MacroNameMode mode,
                             DialogRegistry registry = {}, QWidget* parent = nullptr);

    // The typed text after OK; empty after Cancel.
    const std::u16string& ResultText() const { return result_; }

  protected:
    void OnOk() override;

  private:
    std::u16string result_;
};

}  // namespace velmaro
