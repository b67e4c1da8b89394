// Bringing the main window to the front. On X11 the window is raised and
// activated as always. A Wayland compositor lets a window take the focus
// only with an activation token (xdg-activation) that stands for the user's
// action elsewhere: the launcher's token of a later start, or the one this
// program was started with. Qt's Wayland shell takes the token from
// XDG_ACTIVATION_TOKEN when the window asks to be activated.
#pragma once

#include <QString>

class QWidget;

namespace velmaro {

// Shows `window` normally (from hidden or minimised), raises and activates
// it, presenting `activationToken` on Wayland when there is one.
void BringToFront(QWidget* window, const QString& activationToken);

// The token this process was started with (XDG_ACTIVATION_TOKEN), taken
// out of the environment so that programs started from here never reuse
// it; empty when there is none.
QString TakeStartActivationToken();

// Whether the program runs on a Wayland compositor (not through XWayland).
bool OnWayland();

}  // namespace velmaro
