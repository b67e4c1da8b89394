// The disk through POSIX calls. The calls themselves are a table so tests can
// make a write fail part-way (ENOSPC, EIO) or be interrupted (EINTR).
#pragma once

#include <sys/types.h>

#include "storage/file_system.h"

namespace velmaro {

struct SysCalls {
    int (*open)(const char* path, int flags, mode_t mode);
    ssize_t (*write)(int fd, const void* buf, size_t count);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*unlink)(const char* path);

    static SysCalls Real();
};

class PosixFileSystem : public FileSystem {
  public:
    explicit PosixFileSystem(SysCalls calls = SysCalls::Real()) : sys_(calls) {}

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

  private:
    bool WriteAll(int fd, std::string_view bytes);
    // Notes errno (or `error`) as the reason of the call that fails; false.
    bool Fail(int error = 0);
    SysCalls sys_;
    int last_errno_ = 0;
};

}  // namespace velmaro
