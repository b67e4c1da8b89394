#include "app/autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "model/text_entries.h"

#ifndef VELMARO_APP_ID
#define VELMARO_APP_ID "velmaro"
#endif

namespace velmaro {

namespace {

// One argument of a desktop entry's Exec key: quoted when it holds anything
// but plain characters, with the characters the quoting reserves escaped.
QString ExecWord(const QString& word) {
    QString escaped = word;
    escaped.replace('%', QStringLiteral("%%"));
    bool plain = !escaped.isEmpty();
    for (const QChar c : escaped) {
        if (!(c.isLetterOrNumber() || QStringLiteral("/._-+%").contains(c)))
            plain = false;
    }
    if (plain)
        return escaped;
    QString quoted;
    for (const QChar c : escaped) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    // The key's value is itself unescaped once more: backslashes double.
    quoted.replace('\\', QStringLiteral("\\\\"));
    return '"' + quoted + '"';
}

QString ConfigHome() {
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!configured.isEmpty() && QDir::isAbsolutePath(configured))
        return configured;
    return QDir::homePath() + "/.config";
}

}  // namespace

QString AutostartEntryPath() {
    return ConfigHome() + "/autostart/" + QStringLiteral(VELMARO_APP_ID) + ".desktop";
}

bool AutostartEnabled() {
    return QFileInfo::exists(AutostartEntryPath());
}

Reason SetAutostart(bool enabled, const QString& command) {
    const QString path = AutostartEntryPath();
    if (!enabled) {
        QFile file(path);
        if (!file.exists() || file.remove())
            return {};
        return Reason::Of(
            text::kAutostartNotRemoved,
            {Reason::Text(path.toStdU16String()), SystemReason(file.errorString().toStdString())});
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Reason::Of(text::kAutostartNoFolder,
                          {Reason::Text(QFileInfo(path).absolutePath().toStdU16String())});
    const QString entry = QStringLiteral(
                              "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=Velmaro\n"
                              "Comment=The mouse's battery and on-screen display from login\n"
                              "Exec=%1 --hidden\n"
                              "Icon=%2\n"
                              "Terminal=false\n"
                              "X-GNOME-Autostart-enabled=true\n")
                              .arg(ExecWord(command), QStringLiteral(VELMARO_APP_ID));
    // Written beside and renamed: a half-written entry never starts anything.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(entry.toUtf8()) < 0 || !file.commit())
        return WriteFailure(path.toStdU16String(), file.errorString().toStdString());
    return {};
}

QString AutostartCommand() {
    const QString self = QCoreApplication::applicationFilePath();
    const QString name = QFileInfo(self).fileName();
    const QString onPath = QStandardPaths::findExecutable(name);
    if (!onPath.isEmpty() &&
        QFileInfo(onPath).canonicalFilePath() == QFileInfo(self).canonicalFilePath())
        return name;
    return self;
}

}  // namespace velmaro
