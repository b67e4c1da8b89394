// An in-memory disk for the language and data-folder tests: files, folders,
// read-only files and switchable failures.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>

#include "storage/file_system.h"

namespace velmaro::testing {

class MemoryDisk : public FileSystem {
  public:
    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    std::set<std::string> read_only;
    bool fail_writes = false;
    bool fail_folders = false;

    bool ReadFile(const std::string& path, std::string& bytes) override {
        const auto it = files.find(path);
        if (it == files.end())
            return false;
        bytes = it->second;
        return true;
    }
    bool CanOpenForUpdate(const std::string& path) override {
        return files.count(path) && !read_only.count(path);
    }
    bool WriteFileAtomic(const std::string& path, std::string_view bytes) override {
        if (fail_writes)
            return false;
        files[path] = std::string(bytes);
        return true;
    }
    bool CreateNewFile(const std::string& path, std::string_view bytes) override {
        if (fail_writes || Exists(path))
            return false;
        files[path] = std::string(bytes);
        return true;
    }
    bool RenameNoReplace(const std::string& from, const std::string& to) override {
        if (!files.count(from) || Exists(to))
            return false;
        files[to] = files[from];
        files.erase(from);
        return true;
    }
    bool Exists(const std::string& path) override { return files.count(path) || IsDirectory(path); }
    bool IsDirectory(const std::string& path) override { return folders.count(Trim(path)); }
    bool CreateDirectories(const std::string& path) override {
        if (fail_folders)
            return false;
        std::string p = Trim(path);
        if (files.count(p))
            return false;
        for (size_t i = 1; i <= p.size(); ++i) {
            if (i == p.size() || p[i] == '/')
                folders.insert(p.substr(0, i));
        }
        return true;
    }

    // A file in the program's format: byte order mark, then UTF-16LE.
    void Put(const std::string& path, std::u16string_view text) { files[path] = Utf16(text); }

    static std::string Utf16(std::u16string_view text, bool mark = true) {
        std::string bytes = mark ? std::string("\xFF\xFE", 2) : std::string();
        for (const char16_t unit : text) {
            bytes.push_back(static_cast<char>(unit & 0xFF));
            bytes.push_back(static_cast<char>(unit >> 8));
        }
        return bytes;
    }

  private:
    static std::string Trim(std::string path) {
        while (path.size() > 1 && path.back() == '/')
            path.pop_back();
        return path;
    }
};

}  // namespace velmaro::testing
