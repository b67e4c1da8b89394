// The program's icon: the sizes shipped in the compiled-in resources, each
// read from its PNG when a window or the notification area asks for it. The
// window manager and the notification host keep their own copy, so the
// program holds no decoded size of its own.
#pragma once

#include <QIcon>
#include <QList>
#include <QSize>

namespace velmaro {

// The same icon for every window and the notification area.
const QIcon& ProgramIcon();

// The sizes shipped, smallest first.
QList<QSize> ProgramIconSizes();

}  // namespace velmaro
