// Where the program's shared files are: the skin pictures (needed to draw any
// window) and the shipped language files (also compiled in; the folder is
// where a user finds them to copy or edit). Looked for beside the executable
// (the build tree), in the installed layout relative to the executable's
// prefix (bin/../share/velmaro, wherever the program was installed) and in
// the share folder the build was configured for.
#pragma once

#include <QString>
#include <QStringList>

#include "model/language_table.h"

namespace velmaro {

// The program could not start: its skins are missing.
inline constexpr int kExitMissingFiles = 1;

struct ResourceFolders {
    // With a trailing "/"; empty when none of the places holds it.
    QString SkinsDir;
    QString LanguageDir;
    // Every skin folder looked in, in order.
    QStringList LookedIn;

    bool Found() const { return !SkinsDir.isEmpty(); }
};

// `executableDir`: the folder of the running program. `shareFromBin`: the
// installed share folder relative to the installed program's folder
// ("../share/velmaro"). `configuredShareDir`: the absolute share folder of the
// configured install prefix. Empty arguments are skipped.
ResourceFolders FindResourceFolders(const QString& executableDir, const QString& shareFromBin,
                                    const QString& configuredShareDir);

// The message for a start without skins: what is missing and where it was
// looked for.
QString MissingResourcesText(const ResourceFolders& folders, const LanguageTable& language);

}  // namespace velmaro
