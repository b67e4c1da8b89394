#include "app/device_access.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace velmaro {

namespace {

// Folders udev reads rules from: a rule there only needs a reload.
bool UdevReads(const QString& ruleFile) {
    const QString folder = QFileInfo(ruleFile).absolutePath();
    return folder == "/etc/udev/rules.d" || folder == "/usr/lib/udev/rules.d" ||
           folder == "/lib/udev/rules.d" || folder == "/usr/local/lib/udev/rules.d";
}

// Quoted for the shell when it holds anything but plain path characters.
QString ShellWord(const QString& path) {
    for (const QChar c : path) {
        if (!(c.isLetterOrNumber() || QStringLiteral("/._-+").contains(c))) {
            QString quoted = path;
            quoted.replace('\'', QStringLiteral("'\\''"));
            return '\'' + quoted + '\'';
        }
    }
    return path;
}

// Commands are indented with no-break spaces: the dialog's word wrap would
// drop ordinary leading spaces.
const QString kIndent(4, QChar(0x00A0));

}  // namespace

bool MouseAccessDenied(const ScanReport& scan) {
    for (const OpenFailure& failure : scan.OpenFailures) {
        if (failure.Error.kind == HidErrorKind::kAccessDenied)
            return true;
    }
    return false;
}

QString FindUdevRule(const QString& executableDir, const QString& ruleFromBin,
                     const QString& configuredRule, const QString& sourceRule) {
    QStringList candidates;
    if (!executableDir.isEmpty() && !ruleFromBin.isEmpty())
        candidates << QDir::cleanPath(executableDir + '/' + ruleFromBin);
    candidates << configuredRule << sourceRule;
    for (const QString& candidate : candidates) {
        if (!candidate.isEmpty() && QFileInfo(candidate).isFile())
            return QDir::cleanPath(candidate);
    }
    return {};
}

QString DeviceAccessText(const QString& ruleFile) {
    QString text = QStringLiteral(
        "The mouse is plugged in, but this user may not open it: the udev rule that gives "
        "the user at the screen access to it is not in place.\n"
        "In a terminal, run:\n");
    if (ruleFile.isEmpty()) {
        text += kIndent + QStringLiteral("sudo install -m 644 %1 /etc/udev/rules.d/\n")
                              .arg(QString::fromLatin1(kUdevRuleName));
    } else if (!UdevReads(ruleFile)) {
        text +=
            kIndent +
            QStringLiteral("sudo install -m 644 %1 /etc/udev/rules.d/\n").arg(ShellWord(ruleFile));
    }
    text += kIndent + QStringLiteral("sudo udevadm control --reload\n") + kIndent +
            QStringLiteral("sudo udevadm trigger\n") +
            QStringLiteral(
                "then unplug the mouse (or its receiver), plug it in again and restart Velmaro.");
    if (ruleFile.isEmpty()) {
        text += QStringLiteral(
                    "\n%1 comes with the Velmaro package and is in the packaging folder of its "
                    "sources.")
                    .arg(QString::fromLatin1(kUdevRuleName));
    }
    return text;
}

}  // namespace velmaro
