// Asks for the name of a new profile; the field starts empty.
#pragma once

#include "app/profile_name_dlg.h"

namespace velmaro {

class CAddProfileDlg : public CProfileNameDlg {
  public:
    CAddProfileDlg(UiContext& ui, const LanguageTable& language, QWidget* owner = nullptr,
                   WarningFn warning = nullptr);
};

}  // namespace velmaro
