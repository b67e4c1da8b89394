#include "app/data_folder_watcher.h"

#include <QDir>

#include "storage/storage_report.h"

namespace velmaro {

CDataFolderWatcher::CDataFolderWatcher(const QString& configFolder, std::function<void()> changed)
    : folder_(configFolder), changed_(std::move(changed)) {
    // The folder sees renames over its files (atomic saves of editors and
    // sync tools); the files see writes in place.
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        Rewatch();
        changed_();
    });
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] {
        Rewatch();
        changed_();
    });
    Rewatch();
}

void CDataFolderWatcher::Rewatch() {
    if (!watcher_.directories().contains(folder_) && QDir(folder_).exists())
        watcher_.addPath(folder_);
    // A file replaced by a rename is a new file: watch it again.
    QStringList files;
    for (const QString& name : QDir(folder_).entryList({"*.ini", "*.psf", "*.mlf"}, QDir::Files))
        files << QDir(folder_).filePath(name);
    const QStringList watched = watcher_.files();
    if (!watched.isEmpty())
        watcher_.removePaths(watched);
    if (!files.isEmpty())
        watcher_.addPaths(files);
}

QString DescribeKeptFiles(const LanguageTable& language, const QString& heading,
                          const StorageReport& report) {
    auto render = [&](const Reason& reason) {
        return QString::fromStdU16String(RenderReason(language, reason));
    };
    QStringList lines;
    for (const KeptFile& kept : report.KeptFiles) {
        if (!kept.MadeNow)
            continue;
        const QString why = render(kept.Why);
        lines << (kept.KeptAs.empty() ? QString::fromStdString(kept.Path)
                                      : QString::fromStdString(kept.Path) + " -> " +
                                            QString::fromStdString(kept.KeptAs)) +
                     (why.isEmpty() ? QString() : ": " + why);
    }
    for (const Reason& note : report.Notes)
        lines << render(note);
    if (lines.isEmpty())
        return {};
    return heading + "\n" + lines.join("\n");
}

}  // namespace velmaro
