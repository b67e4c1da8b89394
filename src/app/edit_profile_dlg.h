// Asks for a profile's new name; the field starts with the current one.
#pragma once

#include "app/profile_name_dlg.h"

namespace velmaro {

class CEditProfileDlg : public CProfileNameDlg {
  public:
    CEditProfileDlg(UiContext& ui, const LanguageTable& language, const QString& current_name,
                    QWidget* owner = nullptr, WarningFn warning = nullptr);
};

}  // namespace velmaro
