// The manager's two popups and the editing dialogs it asks by default.
#pragma once

#include "macro/dialogs/macro_manager_dlg.h"
#include "ui/popup_window.h"

namespace velmaro {

// The tree's context menu for what was right-clicked: nothing, a folder or a
// macro. A choice reports the command in code byte 0.
PopupWindow* MakeTreeMenu(UiContext& ui, const LanguageTable& language, bool item, bool macro);

// The insert drop-down's list; a choice reports the InsertKind in code byte 0.
PopupWindow* MakeInsertList(UiContext& ui, const LanguageTable& language);

// The program's own name, key and delay dialogs, run modally over `manager`.
MacroEditors DefaultMacroEditors(CMacroManagerDlg& manager, const LanguageTable& language);

}  // namespace velmaro
