// One writer per data folder: an exclusive advisory lock (flock) on a lock
// file inside the folder. The kernel releases it when the process ends, so a
// crash never leaves the folder locked. The holder writes its process id and
// program name into the file, so that whoever waits can name it.
#pragma once

#include <chrono>
#include <string>

namespace velmaro {

// Who holds a folder's lock, as its lock file says.
struct LockHolder {
    long Pid = 0;         // 0: not known (the file is empty or being written)
    std::string Program;  // "velmaro", "velmaroctl", ...
};

class FolderLock {
  public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // The lock file of a data folder (with or without a trailing "/").
    static std::string LockPathFor(const std::string& folder);

    // Takes the lock without waiting; the folder is created when missing.
    // On success the file names this process as `program`. Not held when
    // another process holds it or the file cannot be opened (Error() says
    // which).
    static FolderLock TryTake(const std::string& folder, const std::string& program);

    // The holder named in the folder's lock file (read without locking).
    static LockHolder ReadHolder(const std::string& folder);

    bool Held() const { return fd_ >= 0; }
    // Empty, or the system's reason the lock file could not be opened.
    const std::string& Error() const { return error_; }
    // Lets the lock go now (closing the file releases it).
    void Release();

  private:
    int fd_ = -1;
    std::string error_;
};

}  // namespace velmaro
