// What the window asks of the desktop: its own mouse settings and the user
// guide. Both start without a shell; a desktop that cannot do either is left
// alone (nothing happens, nothing is shown).
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace velmaro {

struct DesktopCommand {
    QString Program;
    QStringList Arguments;
};

// The mouse settings of the desktops named in XDG_CURRENT_DESKTOP (a
// colon-separated list), the named desktops' first, then every known one.
std::vector<DesktopCommand> MouseSettingsCandidates(const QString& currentDesktop);

// Starts the first candidate whose program is installed; false when none is.
bool StartDesktopMouseSettings();

// Opens the user guide with the desktop's handler; false when it refused.
bool OpenUserGuide(const QString& url);

// The link's caption: the web address without its scheme, or `localName`
// (the guide's title in the user's language) for a local file.
QString UserGuideCaption(const QString& url, const QString& localName);

// The configured guide, unless it is a local file that is not there (a
// program run from its build folder): then the fallback file when it exists.
QString ChooseUserGuide(const QString& configured, const QString& fallbackFile);

}  // namespace velmaro
