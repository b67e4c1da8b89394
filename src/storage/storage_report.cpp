#include "storage/storage_report.h"

#include <algorithm>

namespace velmaro {

void StorageReport::NoteWrite(bool written, const std::string& path) {
    if (!written && std::find(FailedWrites.begin(), FailedWrites.end(), path) == FailedWrites.end())
        FailedWrites.push_back(path);
}

void StorageReport::Append(const StorageReport& other) {
    for (const std::string& path : other.FailedWrites)
        NoteWrite(false, path);
    KeptFiles.insert(KeptFiles.end(), other.KeptFiles.begin(), other.KeptFiles.end());
}

void KeepBeforeReplacing(FileSystem& fs, const std::string& path, StorageReport& report) {
    // A folder in the file's place is not ours to move; the write will fail
    // and say so.
    if (path.empty() || !fs.Exists(path) || fs.IsDirectory(path))
        return;
    report.KeptFiles.push_back({path, KeepBadFile(fs, path)});
}

}  // namespace velmaro
