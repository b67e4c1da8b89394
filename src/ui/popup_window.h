// What a skinned host needs from the popup windows it opens (drop-down lists,
// context menus): a top-level widget that creates its window on request,
// reports to its owner through the owner's SendMessage, and deletes itself
// when closed. The host keeps popups in slots as guarded, non-owning pointers,
// so a popup that went away on its own reads as an empty slot.
#pragma once

#include <QWidget>
#include <cstdint>

#include "ui/ui_types.h"

namespace velmaro {

class CDlgBase;

class PopupWindow : public QWidget {
  public:
    using QWidget::QWidget;

    // Creates and shows the popup for `owner` at `screenRect` (screen
    // pixels; a list popup may size itself). `message` and `data` come back
    // to the owner with the choice. Returns whether the window was created;
    // a popup that was created deletes itself when it is closed.
    virtual bool Create(CDlgBase* owner, const Rect& screenRect, uint32_t message,
                        uint32_t data) = 0;
};

}  // namespace velmaro
