// What a popup window needs from the window that owns it: a message sent
// and handled at once, and a widget to stay above and to die with.
#pragma once

#include <cstdint>

class QWidget;

namespace velmaro {

class CPopupOwner {
  public:
    // Handles `message` before returning, like a window message sent to the owner.
    virtual intptr_t SendMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) = 0;
    // The owner's window; popups are shown above it and are destroyed with it.
    virtual QWidget* PopupParent() = 0;

  protected:
    ~CPopupOwner() = default;
};

}  // namespace velmaro
