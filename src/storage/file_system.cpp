#include "storage/file_system.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>

namespace velmaro {

namespace {

// An earlier copy of this file with these very bytes, or an empty text.
std::string ExistingCopy(FileSystem& fs, const std::string& path, const std::string& bytes) {
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string prefix =
        (slash == std::string::npos ? path : path.substr(slash + 1)) + ".bad-";
    for (const std::string& name : fs.ListFolder(folder)) {
        if (name.rfind(prefix, 0) != 0)
            continue;
        const std::string copy = slash == std::string::npos ? name : folder + name;
        std::string kept;
        if (fs.ReadFile(copy, kept) && kept == bytes)
            return copy;
    }
    return {};
}

class WholeFileReader : public FileReader {
  public:
    explicit WholeFileReader(std::string bytes) : bytes_(std::move(bytes)) {}
    bool Read(char* buffer, size_t size, size_t& got) override {
        got = std::min(size, bytes_.size() - pos_);
        std::memcpy(buffer, bytes_.data() + pos_, got);
        pos_ += got;
        return true;
    }
    bool Rewind() override {
        pos_ = 0;
        return true;
    }

  private:
    std::string bytes_;
    size_t pos_ = 0;
};

class CollectingWriter : public AtomicFileWriter {
  public:
    CollectingWriter(FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
    bool Write(std::string_view bytes) override {
        bytes_.append(bytes);
        return true;
    }
    bool Commit() override { return fs_.WriteFileAtomic(path_, bytes_); }

  private:
    FileSystem& fs_;
    std::string path_;
    std::string bytes_;
};

}  // namespace

std::unique_ptr<AtomicFileWriter> FileSystem::BeginAtomicWrite(const std::string& path) {
    return std::make_unique<CollectingWriter>(*this, path);
}

std::unique_ptr<FileReader> FileSystem::OpenForReading(const std::string& path) {
    std::string bytes;
    if (!ReadFile(path, bytes))
        return nullptr;
    return std::make_unique<WholeFileReader>(std::move(bytes));
}

std::string KeepBadFile(FileSystem& fs, const std::string& path) {
    bool made_now = false;
    return KeepBadFile(fs, path, made_now);
}

std::string KeepBadFile(FileSystem& fs, const std::string& path, bool& made_now) {
    made_now = false;
    if (!fs.Exists(path) || fs.IsDirectory(path))
        return {};
    std::string bytes;
    const bool readable = fs.ReadFile(path, bytes);
    // A file that stays damaged (its replacement cannot be written) would
    // otherwise gain a copy at every start.
    if (readable) {
        if (std::string copy = ExistingCopy(fs, path, bytes); !copy.empty())
            return copy;
    }

    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    if (const std::tm* t = std::localtime(&now))
        local = *t;
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = path + ".bad-" + stamp;

    for (int n = 1; n < 1000; ++n) {
        const std::string name = n == 1 ? base : base + "-" + std::to_string(n);
        if (fs.Exists(name))
            continue;
        // A copy leaves the original in place until its replacement is safely
        // written; a file we cannot read is moved aside instead.
        if (readable ? fs.CreateNewFile(name, bytes) : fs.RenameNoReplace(path, name)) {
            made_now = true;
            return name;
        }
        if (!fs.Exists(name))
            return {};
    }
    return {};
}

}  // namespace velmaro
