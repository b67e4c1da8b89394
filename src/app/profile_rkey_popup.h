// The menu a right click on a profile row opens: import, export, rename and
// remove. A choice reports (0x48C, 2049 + slot, address of the result) with
// the action in the first code byte.
#pragma once

#include <cstdint>

#include "model/language_table.h"
#include "ui/list_popup.h"

namespace velmaro {

// Kind 13: losing activation sends 0x48D.
inline constexpr int kProfileMenuKind = 13;
inline constexpr uint32_t kProfileMenuMessage = 0x48C;
inline constexpr uint32_t kProfileMenuDeactivated = 0x48D;
// wParam of a choice is this plus the slot the menu was opened for.
inline constexpr uint32_t kProfileMenuSlotBase = 2049;

enum class ProfileAction : uint8_t {
    Import = 0,
    Export = 1,
    Rename = 2,
    Remove = 3,
    Add = 4,
    NoSlotLeft = 5,
};

class CProfileRKeyPopup : public CListPopup {
  public:
    CProfileRKeyPopup(UiContext& ui, const LanguageTable& language, const PopupItemImages& images);

  protected:
    void InitItems() override;

  private:
    const LanguageTable& language_;
};

}  // namespace velmaro
