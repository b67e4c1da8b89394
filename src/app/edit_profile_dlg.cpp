#include "app/edit_profile_dlg.h"

namespace velmaro {

namespace {

constexpr uint16_t kPrompt = 144;

}  // namespace

CEditProfileDlg::CEditProfileDlg(UiContext& ui, const LanguageTable& language,
                                 const QString& current_name, QWidget* owner, WarningFn warning)
    : CProfileNameDlg(ui, language, kPrompt, current_name, owner, std::move(warning)) {}

}  // namespace velmaro
