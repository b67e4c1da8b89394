#include "platform/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace velmaro {

namespace {

constexpr const char* kLockFileName = "velmaro.lock";

}  // namespace

FolderLock::~FolderLock() {
    Release();
}

FolderLock::FolderLock(FolderLock&& other) noexcept : fd_(other.fd_), error_(other.error_) {
    other.fd_ = -1;
}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = other.fd_;
        error_ = std::move(other.error_);
        other.fd_ = -1;
    }
    return *this;
}

void FolderLock::Release() {
    if (fd_ >= 0) {
        // The holder's name goes first, so nobody names a holder that left.
        if (ftruncate(fd_, 0) != 0) {
            // The lock is released with the file all the same.
        }
        close(fd_);
        fd_ = -1;
    }
}

std::string FolderLock::LockPathFor(const std::string& folder) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + kLockFileName;
}

FolderLock FolderLock::TryTake(const std::string& folder, const std::string& program) {
    FolderLock lock;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string path = LockPathFor(folder);
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        lock.error_ = std::strerror(errno);
        return lock;
    }
    int result;
    do {
        result = flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        close(fd);
        return lock;
    }
    lock.fd_ = fd;
    const std::string holder = std::to_string(getpid()) + ' ' + program + '\n';
    if (ftruncate(fd, 0) != 0 || pwrite(fd, holder.data(), holder.size(), 0) < 0) {
        // Only the holder's name is missing; the lock itself is held.
    }
    return lock;
}

LockHolder FolderLock::ReadHolder(const std::string& folder) {
    LockHolder holder;
    std::ifstream file(LockPathFor(folder));
    std::string line;
    if (!std::getline(file, line))
        return holder;
    std::istringstream words(line);
    long pid = 0;
    std::string program;
    if (words >> pid >> program && pid > 0) {
        holder.Pid = pid;
        holder.Program = program;
    }
    return holder;
}

}  // namespace velmaro
