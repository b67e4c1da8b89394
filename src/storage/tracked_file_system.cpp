#include "storage/tracked_file_system.h"

#include <utility>

#include "model/text_entries.h"

namespace velmaro {

namespace {

class TrackedWriter : public AtomicFileWriter {
  public:
    TrackedWriter(TrackedFileSystem& fs, std::string path, std::unique_ptr<AtomicFileWriter> inner)
        : fs_(fs), path_(std::move(path)), inner_(std::move(inner)) {}
    bool Write(std::string_view bytes) override {
        hash_.Add(bytes);
        return inner_->Write(bytes);
    }
    bool Commit() override {
        // Checked as late as possible: right before the file is replaced.
        fs_.GuardWrite(path_);
        const bool ok = inner_->Commit();
        if (ok)
            fs_.Wrote(path_, hash_.Value());
        return ok;
    }

  private:
    TrackedFileSystem& fs_;
    std::string path_;
    std::unique_ptr<AtomicFileWriter> inner_;
    ContentHash hash_;
};

}  // namespace

void ContentHash::Add(std::string_view bytes) {
    for (const char c : bytes) {
        value_ ^= static_cast<unsigned char>(c);
        value_ *= 1099511628211ull;
    }
}

uint64_t ContentHash::Of(std::string_view bytes) {
    ContentHash hash;
    hash.Add(bytes);
    return hash.Value();
}

bool TrackedFileSystem::InFolder(const std::string& path) const {
    return !folder_.empty() && path.size() > folder_.size() && path.starts_with(folder_) &&
           path.find('/', folder_.size()) == std::string::npos;
}

std::optional<uint64_t> TrackedFileSystem::DiskHash(const std::string& path, std::string* bytes) {
    std::string read;
    if (!inner_.Exists(path) || !inner_.ReadFile(path, read))
        return std::nullopt;
    const uint64_t hash = ContentHash::Of(read);
    if (bytes)
        *bytes = std::move(read);
    return hash;
}

void TrackedFileSystem::Remember(const std::string& path) {
    if (!InFolder(path))
        return;
    const std::optional<uint64_t> hash = DiskHash(path, nullptr);
    files_[path] = {hash, hash};
}

void TrackedFileSystem::Remember(const std::string& path, std::string_view bytes) {
    if (!InFolder(path))
        return;
    const uint64_t hash = ContentHash::Of(bytes);
    files_[path] = {hash, hash};
}

void TrackedFileSystem::Saw(const std::string& path, std::string_view bytes) {
    if (InFolder(path))
        files_[path].Seen = ContentHash::Of(bytes);
}

bool TrackedFileSystem::ChangedOutside(const std::string& path, std::string* bytes) {
    const auto it = files_.find(path);
    if (it == files_.end())
        return false;
    const std::optional<uint64_t> now = DiskHash(path, bytes);
    return now && now != it->second.Seen;
}

bool TrackedFileSystem::IsOwnVersion(const std::string& path, std::string_view bytes) const {
    const auto it = files_.find(path);
    return it != files_.end() && it->second.Own == ContentHash::Of(bytes);
}

void TrackedFileSystem::TakeOver(TrackedFileSystem&& other) {
    folder_ = std::move(other.folder_);
    files_ = std::move(other.files_);
    kept_.Append(other.TakeKeptBeforeWrites());
}

StorageReport TrackedFileSystem::TakeKeptBeforeWrites() {
    return std::exchange(kept_, StorageReport{});
}

void TrackedFileSystem::GuardWrite(const std::string& path) {
    if (!ChangedOutside(path))
        return;
    KeepBeforeReplacing(inner_, path, kept_, Reason::Of(text::kOutsideSinceRead));
}

void TrackedFileSystem::Wrote(const std::string& path, uint64_t hash) {
    if (InFolder(path))
        files_[path] = {hash, hash};
}

bool TrackedFileSystem::ReadFile(const std::string& path, std::string& bytes) {
    return inner_.ReadFile(path, bytes);
}

std::unique_ptr<FileReader> TrackedFileSystem::OpenForReading(const std::string& path) {
    return inner_.OpenForReading(path);
}

bool TrackedFileSystem::CanOpenForUpdate(const std::string& path) {
    return inner_.CanOpenForUpdate(path);
}

bool TrackedFileSystem::WriteFileAtomic(const std::string& path, std::string_view bytes) {
    GuardWrite(path);
    const bool ok = inner_.WriteFileAtomic(path, bytes);
    if (ok)
        Wrote(path, ContentHash::Of(bytes));
    return ok;
}

std::unique_ptr<AtomicFileWriter> TrackedFileSystem::BeginAtomicWrite(const std::string& path) {
    return std::make_unique<TrackedWriter>(*this, path, inner_.BeginAtomicWrite(path));
}

bool TrackedFileSystem::CreateNewFile(const std::string& path, std::string_view bytes) {
    const bool ok = inner_.CreateNewFile(path, bytes);
    if (ok)
        Wrote(path, ContentHash::Of(bytes));
    return ok;
}

bool TrackedFileSystem::RenameNoReplace(const std::string& from, const std::string& to) {
    return inner_.RenameNoReplace(from, to);
}

bool TrackedFileSystem::Exists(const std::string& path) {
    return inner_.Exists(path);
}

bool TrackedFileSystem::IsDirectory(const std::string& path) {
    return inner_.IsDirectory(path);
}

bool TrackedFileSystem::CreateDirectories(const std::string& path) {
    return inner_.CreateDirectories(path);
}

std::string TrackedFileSystem::LastErrorText() const {
    return inner_.LastErrorText();
}

std::vector<std::string> TrackedFileSystem::ListFolder(const std::string& folder) {
    return inner_.ListFolder(folder);
}

}  // namespace velmaro
