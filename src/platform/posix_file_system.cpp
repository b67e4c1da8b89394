#include "platform/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace velmaro {

namespace {

int RealOpen(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string TempNameBeside(const std::string& path) {
    static std::mt19937_64 rng{std::random_device{}()};
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".tmp-%012llx",
                  static_cast<unsigned long long>(rng() & 0xFFFFFFFFFFFFull));
    return path + suffix;
}

// A regular file open for reading; the descriptor is closed with it.
class PosixFileReader : public FileReader {
  public:
    explicit PosixFileReader(int fd) : fd_(fd) {}
    ~PosixFileReader() override { ::close(fd_); }
    PosixFileReader(const PosixFileReader&) = delete;
    PosixFileReader& operator=(const PosixFileReader&) = delete;

    bool Read(char* buffer, size_t size, size_t& got) override {
        got = 0;
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, size);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return false;
            got = static_cast<size_t>(n);
            return true;
        }
    }

    bool Rewind() override { return ::lseek(fd_, 0, SEEK_SET) == 0; }

  private:
    int fd_;
};

bool WriteAllWith(const SysCalls& sys, int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = sys.write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = EIO;  // nothing written and no reason given
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The content goes to a temporary file beside the target as it comes; at
// Commit it is synced and renamed over the target. Any failure, or no
// Commit, removes the temporary file and leaves the target as it was. The
// system's reason for a failure goes to `last_errno`, the file system's.
class PosixAtomicWriter : public AtomicFileWriter {
  public:
    PosixAtomicWriter(const SysCalls& sys, std::string path, int& last_errno)
        : sys_(sys), path_(std::move(path)), last_errno_(last_errno) {
        // Keep the permissions of the file we replace.
        mode_t mode = 0644;
        struct stat st {};
        if (::stat(path_.c_str(), &st) == 0) {
            if (!S_ISREG(st.st_mode)) {
                Note(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
                return;
            }
            mode = st.st_mode & 07777;
        }
        temp_ = TempNameBeside(path_);
        fd_ = sys_.open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        ok_ = fd_ >= 0;
        // Not ours to remove when it could not be made.
        if (!ok_) {
            Note(errno);
            temp_.clear();
        }
    }
    ~PosixAtomicWriter() override {
        if (!committed_)
            Abandon();
    }
    PosixAtomicWriter(const PosixAtomicWriter&) = delete;
    PosixAtomicWriter& operator=(const PosixAtomicWriter&) = delete;

    bool Write(std::string_view bytes) override {
        if (ok_ && !WriteAllWith(sys_, fd_, bytes)) {
            Note(errno);
            ok_ = false;
        }
        return ok_;
    }

    bool Commit() override {
        if (fd_ < 0 || committed_)
            return false;
        bool ok = ok_ && sys_.fsync(fd_) == 0;
        int error = ok || !ok_ ? 0 : errno;
        ok = sys_.close(fd_) == 0 && ok;
        if (!ok && ok_ && error == 0)
            error = errno;
        fd_ = -1;
        if (ok) {
            ok = sys_.rename(temp_.c_str(), path_.c_str()) == 0;
            error = ok ? 0 : errno;
        }
        if (!ok) {
            if (error != 0)
                Note(error);
            ok_ = false;
            Abandon();
            return false;
        }
        committed_ = true;
        // Make the rename itself durable.
        const int dir = ::open(DirectoryOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
        return true;
    }

  private:
    void Note(int error) { last_errno_ = error != 0 ? error : EIO; }

    void Abandon() {
        if (fd_ >= 0) {
            sys_.close(fd_);
            fd_ = -1;
        }
        if (!temp_.empty()) {
            sys_.unlink(temp_.c_str());
            temp_.clear();
        }
    }

    SysCalls sys_;
    std::string path_;
    std::string temp_;
    int& last_errno_;
    int fd_ = -1;
    bool ok_ = false;
    bool committed_ = false;
};

// Opens a regular file for reading; -1 otherwise, with errno telling why
// (EISDIR for a folder, EINVAL for another kind of file).
int OpenRegularForReading(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st {};
    int error = 0;
    if (::fstat(fd, &st) != 0)
        error = errno;
    else if (!S_ISREG(st.st_mode))
        error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    if (error != 0) {
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

}  // namespace

SysCalls SysCalls::Real() {
    return SysCalls{&RealOpen, &::write, &::fsync, &::close, &::rename, &::unlink};
}

FileSystem& DefaultFileSystem() {
    static PosixFileSystem fs;
    return fs;
}

bool PosixFileSystem::Fail(int error) {
    last_errno_ = error != 0 ? error : errno;
    return false;
}

std::string PosixFileSystem::LastErrorText() const {
    return last_errno_ == 0 ? std::string() : std::string(std::strerror(last_errno_));
}

std::vector<std::string> PosixFileSystem::ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec))
        names.push_back(it->path().filename().string());
    return names;
}

std::unique_ptr<FileReader> PosixFileSystem::OpenForReading(const std::string& path) {
    const int fd = OpenRegularForReading(path);
    if (fd < 0) {
        Fail();
        return nullptr;
    }
    return std::make_unique<PosixFileReader>(fd);
}

bool PosixFileSystem::ReadFile(const std::string& path, std::string& bytes) {
    const int fd = OpenRegularForReading(path);
    if (fd < 0)
        return Fail();
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return Fail(error);
    }
    bytes.clear();
    bytes.reserve(static_cast<size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return Fail(error);
        }
        if (n == 0)
            break;
        bytes.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
}

bool PosixFileSystem::CanOpenForUpdate(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular;
}

bool PosixFileSystem::WriteAll(int fd, std::string_view bytes) {
    return WriteAllWith(sys_, fd, bytes);
}

bool PosixFileSystem::WriteFileAtomic(const std::string& path, std::string_view bytes) {
    const std::unique_ptr<AtomicFileWriter> writer = PosixFileSystem::BeginAtomicWrite(path);
    return writer->Write(bytes) && writer->Commit();
}

std::unique_ptr<AtomicFileWriter> PosixFileSystem::BeginAtomicWrite(const std::string& path) {
    return std::make_unique<PosixAtomicWriter>(sys_, path, last_errno_);
}

bool PosixFileSystem::CreateNewFile(const std::string& path, std::string_view bytes) {
    const int fd = sys_.open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return Fail();
    bool ok = WriteAll(fd, bytes) && sys_.fsync(fd) == 0;
    const int error = errno;
    ok = sys_.close(fd) == 0 && ok;
    if (!ok) {
        sys_.unlink(path.c_str());
        return Fail(error);
    }
    return true;
}

bool PosixFileSystem::RenameNoReplace(const std::string& from, const std::string& to) {
    // link + unlink never replaces an existing target.
    if (::link(from.c_str(), to.c_str()) != 0)
        return Fail();
    return sys_.unlink(from.c_str()) == 0 || Fail();
}

bool PosixFileSystem::Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool PosixFileSystem::IsDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PosixFileSystem::CreateDirectories(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return IsDirectory(path);
}

}  // namespace velmaro
