// The drop-down of the macro manager's insert field: the five kinds of action
// that can be inserted. Item ids are the kinds; a choice reports (message,
// data, address of the result) with the caption as name and the kind in
// code0. The opener gives the kind that picks the deactivation message.
#pragma once

#include <cstdint>

#include "model/language_table.h"
#include "ui/list_popup.h"

namespace velmaro {

// The popup kind and choice message the macro manager uses.
inline constexpr int kActionInsertPopupKind = 14;
inline constexpr uint32_t kActionInsertChoiceMessage = 0x48F;

enum class MacroInsertKind : uint8_t {
    LeftClick = 0,
    RightClick = 1,
    MiddleClick = 2,
    Delay = 3,
    Key = 4,
};
inline constexpr int kMacroInsertKindCount = 5;

// The language entry of a kind's caption (20, 21, 22, 205, 206).
uint16_t MacroInsertKindEntry(MacroInsertKind kind);

class CComboActionInsertPopup : public CListPopup {
  public:
    CComboActionInsertPopup(UiContext& ui, const LanguageTable& language, int kind,
                            const PopupItemImages& images);

  protected:
    void InitItems() override;

  private:
    const LanguageTable& language_;
};

}  // namespace velmaro
