#include "app/data_folder_watcher.h"

#include <QDir>

#include "model/text_entries.h"
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
    // The endings are compared here rather than given to QDir as name
    // filters, which would load the regular expression engine for them.
    QStringList files;
    for (const QString& name : QDir(folder_).entryList(QDir::Files)) {
        for (const char* ending : {".ini", ".psf", ".mlf"}) {
            if (name.endsWith(QLatin1String(ending), Qt::CaseInsensitive)) {
                files << QDir(folder_).filePath(name);
                break;
            }
        }
    }
    const QStringList watched = watcher_.files();
    if (!watched.isEmpty())
        watcher_.removePaths(watched);
    if (!files.isEmpty())
        watcher_.addPaths(files);
}

namespace {

// A file's folder (with its "/") and name.
std::pair<QString, QString> SplitPath(const std::string& path) {
    const QString whole = QString::fromStdString(path);
    const qsizetype slash = whole.lastIndexOf('/');
    return {whole.left(slash + 1), whole.mid(slash + 1)};
}

// The files of one line: kept for the same reason, each beside itself
// under its own name and the same ending (".bad-20261210-183021").
struct KeptGroup {
    std::vector<const KeptFile*> Files;
    QString Ending;
};

QString EndingOf(const KeptFile& kept) {
    return !kept.KeptAs.empty() && kept.KeptAs.starts_with(kept.Path)
               ? QString::fromStdString(kept.KeptAs.substr(kept.Path.size()))
               : QString();
}

}  // namespace

QString DescribeKeptFiles(const LanguageTable& language, const QString& heading,
                          const StorageReport& report) {
    auto render = [&](const Reason& reason) {
        return QString::fromStdU16String(RenderReason(language, reason));
    };
    // Files kept for one reason with one ending share a line, so that a
    // reset of the five profiles is one line, not five.
    std::vector<KeptGroup> groups;
    for (const KeptFile& kept : report.KeptFiles) {
        if (!kept.MadeNow)
            continue;
        const QString ending = EndingOf(kept);
        if (!groups.empty() && !ending.isEmpty() && groups.back().Ending == ending &&
            groups.back().Files.front()->Why == kept.Why)
            groups.back().Files.push_back(&kept);
        else
            groups.push_back({{&kept}, ending});
    }
    // The files are named without their folder when they all share one,
    // which is then told once.
    QString folder;
    bool oneFolder = !groups.empty();
    for (const KeptGroup& group : groups) {
        for (const KeptFile* kept : group.Files) {
            const QString at = SplitPath(kept->Path).first;
            oneFolder = oneFolder && (folder.isEmpty() || folder == at) &&
                        (kept->KeptAs.empty() || SplitPath(kept->KeptAs).first == at);
            folder = at;
        }
    }
    auto name = [&](const std::string& path) {
        return oneFolder ? SplitPath(path).second : QString::fromStdString(path);
    };

    QStringList lines;
    if (oneFolder)
        lines << folder;
    for (const KeptGroup& group : groups) {
        const KeptFile& first = *group.Files.front();
        QString files;
        if (group.Files.size() > 1) {
            std::vector<Reason> names;
            for (const KeptFile* kept : group.Files)
                names.push_back(Reason::Text(name(kept->Path).toStdU16String()));
            files =
                render(Reason::Of(text::kKeptEach, {ListOf(std::move(names)),
                                                    Reason::Text(group.Ending.toStdU16String())}));
        } else {
            files = first.KeptAs.empty() ? name(first.Path)
                                         : name(first.Path) + " -> " + name(first.KeptAs);
        }
        const QString why = render(first.Why);
        lines << files + (why.isEmpty() ? QString() : ": " + why);
    }
    for (const Reason& note : report.Notes)
        lines << render(note);
    if (lines.isEmpty())
        return {};
    return heading + "\n" + lines.join("\n");
}

}  // namespace velmaro
