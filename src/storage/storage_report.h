// What a load or save did to the disk beyond reading: the files it could not
// write, the old files it put aside before replacing them, and what it
// mended on the way. Each entry carries a reason the program shows the user
// (the window in its language, the command-line tool in English).
#pragma once

#include <string>
#include <vector>

#include "model/reason.h"
#include "storage/file_system.h"

namespace velmaro {

struct KeptFile {
    std::string Path;    // the file that was about to be replaced
    std::string KeptAs;  // where its old content is now; empty when it could not be kept
    // Why it was replaced and what happened to the rest ("config.ini line 5
    // has no \"=\": the settings and the five profiles were reset to their
    // defaults").
    Reason Why;
    // False when an identical copy was there already: nothing new on disk.
    bool MadeNow = true;

    friend bool operator==(const KeptFile&, const KeptFile&) = default;
};

struct StorageReport {
    // Files whose new content did not reach the disk; each still holds what
    // it held before (or does not exist).
    std::vector<std::string> FailedWrites;
    // The system's reason for each entry of FailedWrites (same index); empty
    // when it gave none.
    std::vector<std::string> WriteErrors;
    std::vector<KeptFile> KeptFiles;
    // What was mended without a file being replaced (a slot path that was
    // not used, buttons left as they were), one reason each.
    std::vector<Reason> Notes;

    bool AllWritten() const { return FailedWrites.empty(); }
    // Notes a write that did not land (each file once), with the system's
    // reason.
    void NoteWrite(bool written, const std::string& path, const std::string& error = {});
    // The same, taking the reason from the file system that failed.
    void NoteWrite(bool written, const std::string& path, const FileSystem& fs);
    void Note(Reason note);
    void Append(const StorageReport& other);
    // Nothing to tell.
    bool Empty() const { return FailedWrites.empty() && KeptFiles.empty() && Notes.empty(); }

    friend bool operator==(const StorageReport&, const StorageReport&) = default;
};

// Keeps an existing file beside itself (KeepBadFile) before it is replaced,
// and notes it in the report with `reason`. A missing file needs no keeping.
void KeepBeforeReplacing(FileSystem& fs, const std::string& path, StorageReport& report,
                         const Reason& why = {});

// Why a file that was to be read could not be, as a reason for the user
// ("it does not exist", "it is a folder", "it cannot be read (Permission
// denied)").
Reason UnreadableFileReason(FileSystem& fs, const std::string& path);

}  // namespace velmaro
