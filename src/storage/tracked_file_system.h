// The data folder's files as the program last saw them. A file system that
// hands everything to another one and remembers, for each file of one
// folder, the bytes the program last read cleanly or wrote there (its own
// version) and the bytes it last saw on disk. A change made outside (a file
// edited by hand, synced from another machine) then shows as disk bytes
// that differ from those seen, however quickly it came: times and sizes can
// hide a quick edit, the bytes cannot.
//
// Every write over a file whose disk bytes changed since they were last
// seen keeps the outside version beside it first (KeepBadFile) and notes it,
// so nothing put there from outside is overwritten blindly, even when it
// arrived between a check and the save.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "storage/file_system.h"
#include "storage/storage_report.h"

namespace velmaro {

// A 64-bit FNV-1a hash of a file's bytes, fed a piece at a time.
class ContentHash {
  public:
    void Add(std::string_view bytes);
    uint64_t Value() const { return value_; }
    static uint64_t Of(std::string_view bytes);

  private:
    uint64_t value_ = 14695981039346656037ull;
};

class TrackedFileSystem : public FileSystem {
  public:
    explicit TrackedFileSystem(FileSystem& inner) : inner_(inner) {}

    // Only files directly in `folder` (ending with "/") are tracked.
    void SetFolder(std::string folder) { folder_ = std::move(folder); }
    bool InFolder(const std::string& path) const;

    // Takes what is on disk now as the program's own version (a missing
    // file as missing). Called before a file is read, so an edit that comes
    // while it is read is seen afterwards as a change.
    void Remember(const std::string& path);
    // Takes `bytes` as both on disk and the program's own.
    void Remember(const std::string& path, std::string_view bytes);
    // Takes `bytes` as seen on disk, the program's own version unchanged.
    void Saw(const std::string& path, std::string_view bytes);

    // The file's bytes on disk differ from those last seen: changed from
    // outside. A missing file, or one never remembered, is no change. Puts
    // the disk bytes into `bytes` when given.
    bool ChangedOutside(const std::string& path, std::string* bytes = nullptr);
    // `bytes` are the program's own version of the file (what it last read
    // cleanly or wrote); false for a file never remembered.
    bool IsOwnVersion(const std::string& path, std::string_view bytes) const;

    // Takes over what `other` (over the same inner file system) remembered
    // and saw, as if it had all happened here.
    void TakeOver(TrackedFileSystem&& other);

    // What writes kept beside themselves since the last call.
    StorageReport TakeKeptBeforeWrites();

    FileSystem& Inner() { return inner_; }

    bool ReadFile(const std::string& path, std::string& bytes) override;
    std::unique_ptr<FileReader> OpenForReading(const std::string& path) override;
    bool CanOpenForUpdate(const std::string& path) override;
    bool WriteFileAtomic(const std::string& path, std::string_view bytes) override;
    std::unique_ptr<AtomicFileWriter> BeginAtomicWrite(const std::string& path) override;
    bool CreateNewFile(const std::string& path, std::string_view bytes) override;
    bool RenameNoReplace(const std::string& from, const std::string& to) override;
    bool Exists(const std::string& path) override;
    bool IsDirectory(const std::string& path) override;
    bool CreateDirectories(const std::string& path) override;
    std::string LastErrorText() const override;
    std::vector<std::string> ListFolder(const std::string& folder) override;

    // Before `path` is replaced: keeps an outside change beside it.
    void GuardWrite(const std::string& path);
    // After the program wrote `hash` to `path`.
    void Wrote(const std::string& path, uint64_t hash);

  private:
    struct State {
        std::optional<uint64_t> Own;   // none: missing
        std::optional<uint64_t> Seen;  // none: missing
    };
    std::optional<uint64_t> DiskHash(const std::string& path, std::string* bytes);

    FileSystem& inner_;
    std::string folder_;
    std::map<std::string, State> files_;
    StorageReport kept_;
};

}  // namespace velmaro
