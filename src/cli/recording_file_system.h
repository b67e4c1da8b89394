// The disk as the core and the commands see it, noting every file whose new
// content landed, so a command's JSON can list what it saved.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "storage/file_system.h"

namespace velmaro::cli {

class RecordingFileSystem final : public FileSystem {
  public:
    explicit RecordingFileSystem(FileSystem& inner) : inner_(inner) {}

    bool ReadFile(const std::string& path, std::string& bytes) override {
        if (served_ && path == served_path_) {
            bytes = served_bytes_;
            return true;
        }
        return inner_.ReadFile(path, bytes);
    }
    bool CanOpenForUpdate(const std::string& path) override {
        return (served_ && path == served_path_) || inner_.CanOpenForUpdate(path);
    }
    bool WriteFileAtomic(const std::string& path, std::string_view bytes) override {
        if (capturing_ && path == captured_path_) {
            captured_.assign(bytes);
            return true;
        }
        return Note(inner_.WriteFileAtomic(path, bytes), path);
    }
    bool CreateNewFile(const std::string& path, std::string_view bytes) override {
        return Note(inner_.CreateNewFile(path, bytes), path);
    }
    bool RenameNoReplace(const std::string& from, const std::string& to) override {
        return inner_.RenameNoReplace(from, to);
    }
    bool Exists(const std::string& path) override {
        return (served_ && path == served_path_) || inner_.Exists(path);
    }
    bool IsDirectory(const std::string& path) override { return inner_.IsDirectory(path); }
    std::string LastErrorText() const override { return inner_.LastErrorText(); }
    std::vector<std::string> ListFolder(const std::string& folder) override {
        return inner_.ListFolder(folder);
    }
    bool CreateDirectories(const std::string& path) override {
        return inner_.CreateDirectories(path);
    }

    // Each written file once, in the order of its first write.
    const std::vector<std::string>& Written() const { return written_; }
    // Forgets what was written so far (the start-up's own saves).
    void Forget() { written_.clear(); }

    // Standard input and output under a file name ("-"): reading `path`
    // gives `bytes`; writing `path` keeps the bytes for Captured().
    void ServeInput(const std::string& path, std::string bytes) {
        served_ = true;
        served_path_ = path;
        served_bytes_ = std::move(bytes);
    }
    void CaptureOutput(const std::string& path) {
        capturing_ = true;
        captured_path_ = path;
    }
    const std::string& Captured() const { return captured_; }
    // Ends one command's standard input and output.
    void EndCommand() {
        served_ = capturing_ = false;
        served_path_.clear();
        served_bytes_.clear();
        captured_path_.clear();
        captured_.clear();
    }

  private:
    bool Note(bool written, const std::string& path) {
        bool known = false;
        for (const std::string& w : written_)
            known = known || w == path;
        if (written && !known)
            written_.push_back(path);
        return written;
    }

    FileSystem& inner_;
    std::vector<std::string> written_;
    bool served_ = false;
    std::string served_path_, served_bytes_;
    bool capturing_ = false;
    std::string captured_path_, captured_;
};

}  // namespace velmaro::cli
