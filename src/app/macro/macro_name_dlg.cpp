#include "app/macro/macro_name_dlg.h"

namespace velmaro {

namespace {

constexpr uint16_t kTitleMacro = 239;
constexpr uint16_t kTitleFolder = 243;

}  // namespace

CMacroKeyOrFolderNameDlg::CMacroKeyOrFolderNameDlg(UiContext& ui, const LanguageTable& language,
                                                   MacroNameMode mode, DialogRegistry registry,
                                                   QWidget* parent)
    : CMacroEditDlgBase(ui, language, mode == MacroNameMode::Folder ? kTitleFolder : kTitleMacro,
                        true, QString(), true, std::move(registry), parent) {}

void CMacroKeyOrFolderNameDlg::OnOk() {
    result_ = EditText().toStdU16String();
    CMacroEditDlgBase::OnOk();
}

}  // namespace velmaro
