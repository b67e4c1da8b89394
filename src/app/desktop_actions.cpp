#include "app/desktop_actions.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace velmaro {

namespace {

struct KnownDesktop {
    const char* Name;  // as XDG_CURRENT_DESKTOP names it
    DesktopCommand Command;
};

const std::vector<KnownDesktop>& KnownDesktops() {
    static const std::vector<KnownDesktop> known = {
        {"GNOME", {"gnome-control-center", {"mouse"}}},
        {"KDE", {"systemsettings", {"kcm_mouse"}}},
        {"XFCE", {"xfce4-mouse-settings", {}}},
        {"MATE", {"mate-mouse-properties", {}}},
        {"X-CINNAMON", {"cinnamon-settings", {"mouse"}}},
        {"LXQT", {"lxqt-config-input", {}}},
    };
    return known;
}

}  // namespace

std::vector<DesktopCommand> MouseSettingsCandidates(const QString& currentDesktop) {
    std::vector<DesktopCommand> out;
    std::vector<bool> taken(KnownDesktops().size(), false);
    for (const QString& name : currentDesktop.split(':', Qt::SkipEmptyParts)) {
        for (size_t i = 0; i < KnownDesktops().size(); ++i) {
            const QString known = QString::fromLatin1(KnownDesktops()[i].Name);
            // "Cinnamon" and "X-Cinnamon" both occur.
            if (!taken[i] && (name.compare(known, Qt::CaseInsensitive) == 0 ||
                              ("X-" + name).compare(known, Qt::CaseInsensitive) == 0)) {
                taken[i] = true;
                out.push_back(KnownDesktops()[i].Command);
            }
        }
    }
    for (size_t i = 0; i < KnownDesktops().size(); ++i) {
        if (!taken[i])
            out.push_back(KnownDesktops()[i].Command);
    }
    return out;
}

bool StartDesktopMouseSettings() {
    const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    for (const DesktopCommand& command : MouseSettingsCandidates(desktop)) {
        const QString path = QStandardPaths::findExecutable(command.Program);
        if (path.isEmpty())
            continue;
        if (QProcess::startDetached(path, command.Arguments))
            return true;
    }
    return false;
}

bool OpenUserGuide(const QString& url) {
    if (url.isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl(url));
}

QString UserGuideCaption(const QString& url, const QString& localName) {
    const QUrl parsed(url);
    if (parsed.isLocalFile() || url.isEmpty())
        return localName;
    return parsed.host() + parsed.path();
}

QString ChooseUserGuide(const QString& configured, const QString& fallbackFile) {
    const QUrl parsed(configured);
    if (!configured.isEmpty() && (!parsed.isLocalFile() || QFileInfo::exists(parsed.toLocalFile())))
        return configured;
    if (!fallbackFile.isEmpty() && QFileInfo::exists(fallbackFile))
        return QUrl::fromLocalFile(fallbackFile).toString();
    return configured;
}

}  // namespace velmaro
