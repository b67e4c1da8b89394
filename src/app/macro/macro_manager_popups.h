// The manager's two popups.
#pragma once

#include "model/language_table.h"
#include "ui/popup_window.h"
#include "ui/ui_context.h"

namespace velmaro {

// The tree's context menu for what was right-clicked: nothing, a folder or a
// macro. A choice reports the command in code byte 0.
PopupWindow* MakeTreeMenu(UiContext& ui, const LanguageTable& language, bool item, bool macro);

// The insert drop-down's list; a choice reports the insert kind in code byte 0.
PopupWindow* MakeInsertList(UiContext& ui, const LanguageTable& language);

}  // namespace velmaro
