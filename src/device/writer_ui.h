// What the settings writer asks of the user interface. The main window
// implements it; tests record the calls and the command-line tool ignores them.
#pragma once

#include <string>

namespace velmaro {

class WriterUi {
  public:
    virtual ~WriterUi() = default;
    // Every page shows the current profile again.
    virtual void RefreshControls() = 0;
    // The short modal progress dialog after a write reached the mouse.
    virtual void ShowProgress(const std::u16string& text) = 0;
    // A macro copy of the current profile was refreshed from the library.
    virtual void MarkProfileChanged() = 0;
};

}  // namespace velmaro
