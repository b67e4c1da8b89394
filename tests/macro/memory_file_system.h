// A disk in memory for the macro tests: files are byte strings by path, and
// writes can be made to fail.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "model/text.h"
#include "storage/file_system.h"

namespace velmaro::testing {

class MemoryFileSystem : public FileSystem {
  public:
    std::map<std::string, std::string> files;
    bool fail_writes = false;
    bool fail_creates = false;

    bool ReadFile(const std::string& path, std::string& bytes) override {
        const auto it = files.find(path);
        if (it == files.end())
            return false;
        bytes = it->second;
        return true;
    }
    bool CanOpenForUpdate(const std::string& path) override { return files.count(path) != 0; }
    bool WriteFileAtomic(const std::string& path, std::string_view bytes) override {
        if (fail_writes)
            return false;
        files[path] = std::string(bytes);
        return true;
    }
    bool CreateNewFile(const std::string& path, std::string_view bytes) override {
        if (fail_creates || files.count(path) != 0)
            return false;
        files[path] = std::string(bytes);
        return true;
    }
    bool RenameNoReplace(const std::string& from, const std::string& to) override {
        if (files.count(from) == 0 || files.count(to) != 0)
            return false;
        files[to] = files[from];
        files.erase(from);
        return true;
    }
    bool Exists(const std::string& path) override { return files.count(path) != 0; }
    bool IsDirectory(const std::string&) override { return false; }
    bool CreateDirectories(const std::string&) override { return true; }

    // Files whose name starts with `prefix`.
    int CountStartingWith(const std::string& prefix) const {
        int n = 0;
        for (const auto& [name, bytes] : files)
            n += name.rfind(prefix, 0) == 0 ? 1 : 0;
        return n;
    }
};

// The bytes of a UTF-16LE text file with byte order mark holding `text`.
inline std::string Utf16File(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

// The text of such a file (its first two bytes skipped).
inline std::u16string TextOf(const std::string& bytes) {
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    return text;
}

}  // namespace velmaro::testing
