#include "app/app_options.h"

namespace velmaro {

AppOptions ParseAppOptions(const QStringList& arguments) {
    AppOptions o;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        auto value = [&](const QString& name, QString& out) {
            if (a.startsWith(name + "=")) {
                out = a.mid(name.size() + 1);
                return true;
            }
            if (a != name)
                return false;
            if (i + 1 >= arguments.size()) {
                o.Error = name + " needs a value";
                return true;
            }
            out = arguments[++i];
            return true;
        };
        if (a == "--simulate") {
            o.Simulate = true;
        } else if (a.startsWith("--simulate=")) {
            o.Simulate = true;
            o.SimulateOptions = a.mid(11);
        } else if (value("--data-dir", o.DataDir) || value("--trace", o.TracePath) ||
                   value("--screenshot", o.Screenshot)) {
            if (!o.Ok())
                return o;
        } else if (a == "--hidden") {
            o.Hidden = true;
        } else if (a == "--quit-after-paint") {
            o.QuitAfterPaint = true;
        } else if (a == "--version") {
            o.Version = true;
        } else if (a == "--help" || a == "-h") {
            o.Help = true;
        } else if (a == "--sim") {
            // The rest of the line is the event.
            o.SendSimEvent = true;
            o.SimEvent = arguments.mid(i + 1).join(' ');
            if (o.SimEvent.isEmpty())
                o.Error = "--sim needs an event";
            return o;
        } else {
            o.Error = "unknown option " + a;
            return o;
        }
    }
    return o;
}

QString HelpText(const QString& simDataFolder) {
    return QStringLiteral(
               "Usage: velmaro [OPTIONS]\n"
               "       velmaro --sim EVENT\n"
               "\n"
               "Configures the mouse: DPI levels, lighting, buttons, report rate, power\n"
               "and profiles. Only one copy runs; starting it again brings the window back.\n"
               "\n"
               "Options:\n"
               "  --simulate[=OPTIONS]  run on a built-in virtual mouse instead of a real one.\n"
               "                        OPTIONS: cable, receiver, both, sensor=0xNN,\n"
               "                        battery=N, charge=N (comma-separated). Its files are\n"
               "                        kept apart from a real mouse's, in\n"
               "                        %1\n"
               "                        unless --data-dir says otherwise.\n"
               "  --data-dir DIR        keep settings, profiles and macros in DIR\n"
               "  --trace FILE          append every report to and from the mouse to FILE\n"
               "  --hidden              start in the notification area without showing the\n"
               "                        window (as the tray menu's \"Start at login\" does);\n"
               "                        without a notification area the window shows\n"
               "  --screenshot FILE     start, write the main window to FILE (PNG) and exit\n"
               "  --quit-after-paint    start, print \"first paint N ms\" and exit\n"
               "  --version             print the version and exit\n"
               "  --help                print this help and exit\n"
               "\n"
               "Events for a running simulated copy (velmaro --sim EVENT):\n"
               "  dpi N                 the mouse switched to DPI level N (from 1)\n"
               "  rate HZ               the mouse switched to 125, 250, 500 or 1000 Hz\n"
               "  unplug cable|receiver, plug cable|receiver\n"
               "  battery N             the battery level the mouse reports next (0..255)\n"
               "  charge 0|1|2          on battery, charging, full\n"
               "  sensor 0xNN           the sensor code the mouse reports next\n"
               "Exit status of --sim: 0 delivered, 1 no simulated copy running, 2 unknown "
               "event.\n"
               "Exit status otherwise: 0 ended normally, 1 the skin pictures are missing,\n"
               "2 bad usage, 3 a file given on the command line could not be written.\n")
        .arg(simDataFolder);
}

}  // namespace velmaro
