// Helpers for the storage tests: a temporary data folder on the real disk,
// UTF-16 file bytes, and a file system that counts what is written.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/program_state.h"
#include "model/text.h"
#include "storage/file_system.h"

namespace velmaro::testing {

class TempDir {
  public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmaro-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    // Names of everything in `sub` (or the folder itself), sorted.
    std::vector<std::string> List(const std::string& sub = "") const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_ + "/" + sub))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    std::string path_;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// UTF-16LE code units, without a byte order mark.
inline std::string Utf16Bytes(std::u16string_view text) {
    std::string bytes;
    for (const char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

// A file as the program writes it: FF FE, then the text.
inline std::string Utf16File(std::u16string_view text) {
    return std::string("\xFF\xFE", 2) + Utf16Bytes(text);
}

// The text of a file written by the program (byte order mark dropped).
inline std::u16string TextOfFile(const std::string& path) {
    const std::string bytes = ReadBytes(path);
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             static_cast<unsigned char>(bytes[i + 1]) << 8));
    return text;
}

inline std::vector<std::u16string> SplitLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find(u'\n', start);
        if (end == std::u16string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

inline std::u16string JoinLines(const std::vector<std::u16string>& lines) {
    std::u16string text;
    for (const auto& line : lines)
        text += line + u'\n';
    return text;
}

// Passes everything to another file system and counts the calls that change
// the disk.
class CountingFileSystem : public FileSystem {
  public:
    explicit CountingFileSystem(FileSystem& inner) : inner_(inner) {}

    int Changes() const { return static_cast<int>(Written.size()); }
    std::vector<std::string> Written;

    bool ReadFile(const std::string& path, std::string& bytes) override {
        return inner_.ReadFile(path, bytes);
    }
    bool CanOpenForUpdate(const std::string& path) override {
        return inner_.CanOpenForUpdate(path);
    }
    bool WriteFileAtomic(const std::string& path, std::string_view bytes) override {
        Written.push_back(path);
        return inner_.WriteFileAtomic(path, bytes);
    }
    bool CreateNewFile(const std::string& path, std::string_view bytes) override {
        Written.push_back(path);
        return inner_.CreateNewFile(path, bytes);
    }
    bool RenameNoReplace(const std::string& from, const std::string& to) override {
        Written.push_back(to);
        return inner_.RenameNoReplace(from, to);
    }
    bool Exists(const std::string& path) override { return inner_.Exists(path); }
    bool IsDirectory(const std::string& path) override { return inner_.IsDirectory(path); }
    bool CreateDirectories(const std::string& path) override {
        return inner_.CreateDirectories(path);
    }

  private:
    FileSystem& inner_;
};

// UI texts the defaults take their names from.
inline LanguageTable TestLanguage() {
    LanguageTable lang;
    const char16_t* keys[] = {u"Left", u"Right", u"Middle", u"Forward", u"Back"};
    for (int i = 0; i < 5; ++i)
        lang.Entries[20 + i] = keys[i];
    lang.Entries[42] = u"DPI cycle";
    for (int i = 0; i < 5; ++i)
        lang.Entries[85 + i] = u"Profile " + FormatDecimal(i + 1);
    lang.Entries[100] = u"Off";
    lang.Entries[101] = u"Wave";
    return lang;
}

}  // namespace velmaro::testing
