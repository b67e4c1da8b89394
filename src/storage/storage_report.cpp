#include "storage/storage_report.h"

#include <algorithm>

#include "model/text_entries.h"

namespace velmaro {

void StorageReport::NoteWrite(bool written, const std::string& path, const std::string& error) {
    if (written || std::find(FailedWrites.begin(), FailedWrites.end(), path) != FailedWrites.end())
        return;
    FailedWrites.push_back(path);
    WriteErrors.push_back(error);
}

void StorageReport::NoteWrite(bool written, const std::string& path, const FileSystem& fs) {
    NoteWrite(written, path, written ? std::string() : fs.LastErrorText());
}

void StorageReport::Note(Reason note) {
    if (std::find(Notes.begin(), Notes.end(), note) == Notes.end())
        Notes.push_back(std::move(note));
}

void StorageReport::Append(const StorageReport& other) {
    for (size_t i = 0; i < other.FailedWrites.size(); ++i)
        NoteWrite(false, other.FailedWrites[i],
                  i < other.WriteErrors.size() ? other.WriteErrors[i] : std::string());
    for (const KeptFile& kept : other.KeptFiles) {
        // The same file kept to the same copy twice in one run is told once.
        const bool known = std::any_of(KeptFiles.begin(), KeptFiles.end(), [&](const KeptFile& k) {
            return k.Path == kept.Path && k.KeptAs == kept.KeptAs && !k.KeptAs.empty();
        });
        if (!known)
            KeptFiles.push_back(kept);
    }
    for (const Reason& note : other.Notes)
        Note(note);
}

void KeepBeforeReplacing(FileSystem& fs, const std::string& path, StorageReport& report,
                         const Reason& why) {
    // A folder in the file's place is not ours to move; the write will fail
    // and say so.
    if (path.empty() || !fs.Exists(path) || fs.IsDirectory(path))
        return;
    bool made_now = false;
    const std::string kept_as = KeepBadFile(fs, path, made_now);
    for (const KeptFile& k : report.KeptFiles) {
        if (k.Path == path && k.KeptAs == kept_as && !kept_as.empty())
            return;
    }
    report.KeptFiles.push_back({path, kept_as, why, made_now || kept_as.empty()});
}

Reason UnreadableFileReason(FileSystem& fs, const std::string& path) {
    if (path.empty())
        return Reason::Of(text::kFileNotNamed);
    if (!fs.Exists(path))
        return Reason::Of(text::kFileMissing);
    if (fs.IsDirectory(path))
        return Reason::Of(text::kFileIsFolder);
    std::string bytes;
    if (!fs.ReadFile(path, bytes)) {
        const std::string why = fs.LastErrorText();
        return why.empty() ? Reason::Of(text::kFileUnreadable)
                           : Reason::Of(text::kFileUnreadableBecause, {SystemReason(why)});
    }
    return Reason::Of(text::kFileNotReadWrite);
}

}  // namespace velmaro
