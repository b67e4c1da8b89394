#include "app/resource_folders.h"

#include <QDir>
#include <QFileInfo>

#include "model/reason.h"
#include "model/text_entries.h"

namespace velmaro {

namespace {

// A folder counts only with the pictures in it: an empty or half-copied
// folder would give a window of blank controls.
constexpr char kSkinProbe[] = "Frame_warning.bmp";
constexpr char kLanguageProbe[] = "Lan_EN.txt";

QString WithSlash(QString path) {
    path = QDir::cleanPath(path);
    return path.endsWith('/') ? path : path + '/';
}

}  // namespace

ResourceFolders FindResourceFolders(const QString& executableDir, const QString& shareFromBin,
                                    const QString& configuredShareDir) {
    QStringList bases;
    if (!executableDir.isEmpty()) {
        bases << executableDir;
        if (!shareFromBin.isEmpty())
            bases << executableDir + '/' + shareFromBin;
    }
    if (!configuredShareDir.isEmpty())
        bases << configuredShareDir;

    ResourceFolders found;
    for (const QString& base : bases) {
        const QString skins = WithSlash(base + "/skins");
        if (found.LookedIn.contains(skins))
            continue;
        found.LookedIn << skins;
        if (!found.Found() && QFileInfo::exists(skins + kSkinProbe))
            found.SkinsDir = skins;
        const QString lang = WithSlash(base + "/lang");
        if (found.LanguageDir.isEmpty() && QFileInfo::exists(lang + kLanguageProbe))
            found.LanguageDir = lang;
    }
    return found;
}

QString MissingResourcesText(const ResourceFolders& folders, const LanguageTable& language) {
    QString text = QString::fromStdU16String(
        RenderReason(language, Reason::Of(text::kSkinsMissing, {Reason::Text(kSkinProbe)})));
    text += '\n';
    for (const QString& folder : folders.LookedIn)
        text += "  " + folder + '\n';
    return text + QString::fromStdU16String(language.Text(text::kSkinsReinstall));
}

}  // namespace velmaro
