// The lighting mode list the mode field opens: the effects the mouse offers
// from the popup (modes 0 to 5, 8 and 9), named from the language table. A
// choice reports the mode's name and its three code bytes (mode, 0, 0).
#pragma once

#include <cstdint>

#include "model/language_table.h"
#include "ui/list_popup.h"

namespace velmaro {

// Kind 9: losing activation sends 0x47A.
inline constexpr int kLightingPopupKind = 9;
inline constexpr uint32_t kLightingModeChosenMessage = 0x479;
// The items are as wide as the mode field (unscaled).
inline constexpr int kLightingPopupItemRight = 189;

class CComboLightingPopup : public CListPopup {
  public:
    CComboLightingPopup(UiContext& ui, const LanguageTable& language,
                        const PopupItemImages& images);

  protected:
    void InitItems() override;

  private:
    const LanguageTable& language_;
};

}  // namespace velmaro
