// The seam between the core and the disk. Every file the program reads or
// writes goes through it, so tests can put a failing disk under any writer.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velmaro {

// A file being read from its start, a piece at a time.
class FileReader {
  public:
    virtual ~FileReader() = default;
    // Up to `size` further bytes into `buffer`; `got` is 0 at the end of the
    // file. False when the file could not be read on.
    virtual bool Read(char* buffer, size_t size, size_t& got) = 0;
    // Back to the start of the same file; false when that is not possible.
    virtual bool Rewind() = 0;
};

// A file being written in pieces that replaces the file at its path as one
// step at Commit (see WriteFileAtomic). Dropped without a Commit, it leaves
// the old file as it was.
class AtomicFileWriter {
  public:
    virtual ~AtomicFileWriter() = default;
    // False once anything failed; later calls then fail too.
    virtual bool Write(std::string_view bytes) = 0;
    // True when the whole content is safely in place of the old file.
    virtual bool Commit() = 0;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // The whole file. False when it is missing or cannot be read.
    virtual bool ReadFile(const std::string& path, std::string& bytes) = 0;
    // The file for reading piece by piece, so a large file is never held
    // whole; null when it is missing or cannot be read. By default it is
    // read whole with ReadFile and handed out from memory.
    virtual std::unique_ptr<FileReader> OpenForReading(const std::string& path);
    // True when the file exists and could be opened for reading and writing.
    virtual bool CanOpenForUpdate(const std::string& path) = 0;
    // Replaces the file's content as one step: the data goes to a temporary
    // file beside it, is synced, and is renamed over the old file. On any
    // failure the old file is left exactly as it was and false is returned.
    virtual bool WriteFileAtomic(const std::string& path, std::string_view bytes) = 0;
    // WriteFileAtomic for content made a piece at a time, so a large file is
    // never held whole. By default the pieces are collected and given to
    // WriteFileAtomic at Commit.
    virtual std::unique_ptr<AtomicFileWriter> BeginAtomicWrite(const std::string& path);
    // Writes a new file; fails (and changes nothing) when `path` exists.
    virtual bool CreateNewFile(const std::string& path, std::string_view bytes) = 0;
    // Renames; fails when `to` exists.
    virtual bool RenameNoReplace(const std::string& from, const std::string& to) = 0;
    virtual bool Exists(const std::string& path) = 0;
    virtual bool IsDirectory(const std::string& path) = 0;
    // Creates the folder (and its parents). True when it exists afterwards.
    virtual bool CreateDirectories(const std::string& path) = 0;
    // The system's reason for the last call that failed ("Permission denied",
    // "Is a directory", ...); empty when the disk gives none.
    virtual std::string LastErrorText() const { return {}; }
    // The names of the folder's entries (not their paths); none when the
    // folder cannot be listed.
    virtual std::vector<std::string> ListFolder(const std::string& /*folder*/) { return {}; }
};

// The real disk.
FileSystem& DefaultFileSystem();

// Before a file that could not be read is replaced by defaults, its content is
// kept beside it as "<path>.bad-YYYYMMDD-HHMMSS" (with "-2", "-3", ... added
// when that name is taken), a name nothing else ever writes. A file already
// kept with the same bytes is not kept again: its copy's name is returned.
// Returns the name used, or an empty text when there was nothing to keep or
// keeping failed.
std::string KeepBadFile(FileSystem& fs, const std::string& path);

// The same, telling whether the copy was made now (false: an identical copy
// was there already, or nothing was kept).
std::string KeepBadFile(FileSystem& fs, const std::string& path, bool& made_now);

}  // namespace velmaro
