// The new name of a library item. The edit starts with the old name. OK
// (button or Enter) with a text that differs from the old name (letter case
// counts) ends Accepted with the text in ResultText(); the old name unchanged
// ends Rejected, as does Cancel. The caller checks the name against the
// item's siblings (RenameRefusal) before it renames.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/macro/macro_edit_dlg_base.h"
#include "macro/macro_library.h"

namespace velmaro {

class CMacroKeyRenameDlg : public CMacroEditDlgBase {
  public:
    CMacroKeyRenameDlg(UiContext& ui, const LanguageTable& language, std::u16string old_name,
                       DialogRegistry registry = {}, QWidget* parent = nullptr);

    // The text the user confirmed (also when it equals the old name).
    const std::u16string& ResultText() const { return result_; }
    const std::u16string& OldName() const { return oldName_; }

  protected:
    void OnOk() override;

  private:
    std::u16string oldName_;
    std::u16string result_;
};

// Why the item at `loc` cannot take `name`: the language entry to show (242
// for an empty name, 241 for a name a sibling already has), or nothing when
// the rename may go ahead.
std::optional<uint16_t> RenameRefusal(const MacroLibrary& library, const MacroItemLocation& loc,
                                      std::u16string_view name);

}  // namespace velmaro
