// Watches the data folder's config/ for changes made outside the program
// (a file edited by hand, synced from another machine). A burst of events
// (an editor's save, a rename over the file) becomes one call a moment
// later, through the window's timer; the program's own atomic saves come by
// too, and the core tells them apart by their bytes.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <functional>

namespace velmaro {

struct LanguageTable;
struct StorageReport;

// The window's timer that runs the look after the last event.
inline constexpr int kTimerOutsideChanges = 120;
inline constexpr int kOutsideChangesDelayMs = 300;

// Language table entries: the headings of the attention messages.
inline constexpr int kTextChangedOutside = 420;
inline constexpr int kTextFilesRepaired = 421;

class CDataFolderWatcher : public QObject {
  public:
    // `changed` runs on each event (the window restarts its timer there).
    CDataFolderWatcher(const QString& configFolder, std::function<void()> changed);

  private:
    void Rewatch();

    QFileSystemWatcher watcher_;
    QString folder_;
    std::function<void()> changed_;
};

// A report of kept files and repairs as lines for the attention dialog,
// after `heading`, the reasons in `language`; empty when there is nothing
// to tell.
QString DescribeKeptFiles(const LanguageTable& language, const QString& heading,
                          const StorageReport& report);

}  // namespace velmaro
