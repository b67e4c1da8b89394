// What a load or save did to the disk beyond reading: the files it could not
// write and the old files it put aside before replacing them with defaults.
// The program stays quiet about these; the command-line tool prints them.
#pragma once

#include <string>
#include <vector>

#include "storage/file_system.h"

namespace velmaro {

struct KeptFile {
    std::string Path;    // the file that was about to be replaced
    std::string KeptAs;  // where its old content is now; empty when it could not be kept

    friend bool operator==(const KeptFile&, const KeptFile&) = default;
};

struct StorageReport {
    // Files whose new content did not reach the disk; each still holds what
    // it held before (or does not exist).
    std::vector<std::string> FailedWrites;
    std::vector<KeptFile> KeptFiles;

    bool AllWritten() const { return FailedWrites.empty(); }
    // Notes a write that did not land (each file once).
    void NoteWrite(bool written, const std::string& path);
    void Append(const StorageReport& other);

    friend bool operator==(const StorageReport&, const StorageReport&) = default;
};

// Keeps an existing file beside itself (KeepBadFile) before it is replaced by
// defaults, and notes it in the report. A missing file needs no keeping.
void KeepBeforeReplacing(FileSystem& fs, const std::string& path, StorageReport& report);

}  // namespace velmaro
