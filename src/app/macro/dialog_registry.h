// How a macro dialog enters the program's open-dialog table. The macro
// dialogs cannot see the main window, so whoever opens one passes the pair
// of calls that add and remove a window (the main window's RegisterDialog and
// UnregisterDialog). Either call may be empty: the dialog then runs unlisted.
#pragma once

#include <functional>

class QWidget;

namespace velmaro {

struct DialogRegistry {
    std::function<void(QWidget*)> Register;
    std::function<void(QWidget*)> Unregister;
};

}  // namespace velmaro
