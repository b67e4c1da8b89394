// Start at login: an XDG autostart entry that starts the program hidden in
// the notification area, so the battery display and the on-screen display
// are there from login. The entry is
// $XDG_CONFIG_HOME/autostart/<application id>.desktop (~/.config when the
// variable is unset or not absolute); whether it exists is the setting.
#pragma once

#include <QString>

#include "model/reason.h"

namespace velmaro {

// The autostart entry's path.
QString AutostartEntryPath();

bool AutostartEnabled();

// Writes the entry (starting `command` with --hidden) or removes it. Empty on
// success, else what went wrong, naming the file, with the system's reason.
Reason SetAutostart(bool enabled, const QString& command);

// How the entry starts this program: the plain name when the program found
// on PATH is this one, else its absolute path.
QString AutostartCommand();

}  // namespace velmaro
