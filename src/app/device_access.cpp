#include "app/device_access.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "model/reason.h"
#include "model/text_entries.h"

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

QString DeviceAccessText(const LanguageTable& language, const QString& ruleFile) {
    auto words = [&](uint16_t entry) { return QString::fromStdU16String(language.Text(entry)); };
    // The commands are commands: they stay as the shell needs them.
    const QString install = QStringLiteral("sudo install -m 644 %1 /etc/udev/rules.d/\n");
    QString out = words(text::kAccessDenied) + '\n' + words(text::kAccessRunCommands) + '\n';
    if (ruleFile.isEmpty())
        out += kIndent + install.arg(QString::fromLatin1(kUdevRuleName));
    else if (!UdevReads(ruleFile))
        out += kIndent + install.arg(ShellWord(ruleFile));
    out += kIndent + QStringLiteral("sudo udevadm control --reload\n") + kIndent +
           QStringLiteral("sudo udevadm trigger\n") + words(text::kAccessReplug);
    if (ruleFile.isEmpty()) {
        out += '\n' +
               QString::fromStdU16String(RenderReason(
                   language, Reason::Of(text::kAccessRuleSource, {Reason::Text(kUdevRuleName)})));
    }
    return out;
}

}  // namespace velmaro
