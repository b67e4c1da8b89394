#include "app/add_profile_dlg.h"

namespace velmaro {

namespace {

constexpr uint16_t kPrompt = 141;

}  // namespace

CAddProfileDlg::CAddProfileDlg(UiContext& ui, const LanguageTable& language, QWidget* owner,
                               WarningFn warning)
    : CProfileNameDlg(ui, language, kPrompt, QString(), owner, std::move(warning)) {}

}  // namespace velmaro
