// The desktop program's command line.
#pragma once

#include <QString>
#include <QStringList>

namespace velmaro {

struct AppOptions {
    bool Simulate = false;
    QString SimulateOptions;  // what followed "--simulate="
    QString DataDir;          // empty: the user's (or the simulation's) data folder
    QString TracePath;
    QString Screenshot;  // write the main window to this PNG and exit
    bool QuitAfterPaint = false;
    // Start in the notification area without showing the window.
    bool Hidden = false;
    bool Version = false;
    bool Help = false;
    // `--sim EVENT...`: hand EVENT to the running simulated copy.
    bool SendSimEvent = false;
    QString SimEvent;
    // Empty when the command line was understood.
    QString Error;

    bool Ok() const { return Error.isEmpty(); }
};

// `arguments` without the program name.
AppOptions ParseAppOptions(const QStringList& arguments);

// The --help text; `simDataFolder` is where --simulate keeps its files.
QString HelpText(const QString& simDataFolder);

}  // namespace velmaro
