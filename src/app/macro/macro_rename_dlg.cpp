#include "app/macro/macro_rename_dlg.h"

namespace velmaro {

namespace {

constexpr uint16_t kTitleRename = 238;
constexpr uint16_t kMessageEmptyName = 242;
constexpr uint16_t kMessageNameTaken = 241;

}  // namespace

CMacroKeyRenameDlg::CMacroKeyRenameDlg(UiContext& ui, const LanguageTable& language,
                                       std::u16string old_name, DialogRegistry registry,
                                       QWidget* parent)
    : CMacroEditDlgBase(ui, language, kTitleRename, true, QString::fromStdU16String(old_name), true,
                        std::move(registry), parent),
      oldName_(std::move(old_name)) {}

void CMacroKeyRenameDlg::OnOk() {
    result_ = EditText().toStdU16String();
    // The same name, letter for letter, is nothing to do.
    if (result_ == oldName_) {
        OnCancel();
        return;
    }
    CMacroEditDlgBase::OnOk();
}

std::optional<uint16_t> RenameRefusal(const MacroLibrary& library, const MacroItemLocation& loc,
                                      std::u16string_view name) {
    if (name.empty())
        return kMessageEmptyName;
    if (library.NameTakenAmongSiblings(name, loc))
        return kMessageNameTaken;
    return std::nullopt;
}

}  // namespace velmaro
