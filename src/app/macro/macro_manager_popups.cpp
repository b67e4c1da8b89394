#include "app/macro/macro_manager_popups.h"

#include "app/macro/macro_manager_dlg.h"
#include "ui/combo_action_insert_popup.h"
#include "ui/macro_list_popup.h"

namespace velmaro {

PopupWindow* MakeTreeMenu(UiContext& ui, const LanguageTable& language, bool item, bool macro) {
    const MacroTreeSelection selection = !item   ? MacroTreeSelection::Nothing
                                         : macro ? MacroTreeSelection::Macro
                                                 : MacroTreeSelection::Folder;
    return new CMacroListPopup(ui, language, selection, MenuItemImages(ui));
}

PopupWindow* MakeInsertList(UiContext& ui, const LanguageTable& language) {
    return new CComboActionInsertPopup(ui, language, kInsertPopupKind, MenuItemImages(ui));
}

}  // namespace velmaro
