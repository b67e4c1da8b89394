// The context menu of the macro manager's tree: the eight tree commands, of
// which the ones that fit the item under the pointer are offered. Item ids
// are the command numbers; a choice reports (message, data, address of the
// result) with the command's caption as name and its number in code0.
#pragma once

#include <cstdint>
#include <vector>

#include "model/language_table.h"
#include "ui/list_popup.h"

namespace velmaro {

inline constexpr int kMacroListPopupKind = 15;
// The choice message the macro manager gives the menu.
inline constexpr uint32_t kMacroListChoiceMessage = 0x491;

enum class MacroTreeCommand : uint8_t {
    NewMacro = 0,
    NewFolder = 1,
    ExportMacro = 2,
    ImportMacro = 3,
    Rename = 4,
    Delete = 5,
    ImportCollection = 6,
    ExportCollection = 7,
};

// What the item under the pointer is.
enum class MacroTreeSelection { Nothing, Folder, Macro };

// The commands offered for a selection, in menu order.
std::vector<MacroTreeCommand> OfferedMacroTreeCommands(MacroTreeSelection selection);
// The language entry of a command's caption (245..252).
uint16_t MacroTreeCommandEntry(MacroTreeCommand command);

class CMacroListPopup : public CListPopup {
  public:
    CMacroListPopup(UiContext& ui, const LanguageTable& language, MacroTreeSelection selection,
                    const PopupItemImages& images);

    MacroTreeSelection Selection() const { return selection_; }

  protected:
    void InitItems() override;

  private:
    const LanguageTable& language_;
    MacroTreeSelection selection_;
};

}  // namespace velmaro
