// The line-oriented UTF-16LE text file behind every file the program writes:
// byte order mark FF FE, lines ended by a single line feed.
//
// Reading goes through the file a piece at a time (a library file can be
// tens of megabytes): the first two bytes are skipped whatever they are; a
// line keeps a carriage return before its line feed; an empty line comes
// back as the one-unit text "\n", so parsers looking for "=" find none there.
//
// Writing collects the text and puts it on disk when the file is closed, as
// one atomic replacement: a write that fails leaves the old file untouched
// and Close() says so. A file that already holds the same bytes is not
// written at all. Text beyond a megabyte is checked against the file on disk
// as it comes and, from the first difference on, goes on to the file
// system's atomic writer in pieces, still replacing the file only at Close().
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "storage/file_system.h"

namespace velmaro {

class CStdioFileEx {
  public:
    enum class Mode {
        Read,   // an existing file that could also be opened for writing
        Write,  // created, or replaced as a whole at Close()
    };

    explicit CStdioFileEx(FileSystem& fs = DefaultFileSystem()) : fs_(fs) {}
    ~CStdioFileEx();
    CStdioFileEx(const CStdioFileEx&) = delete;
    CStdioFileEx& operator=(const CStdioFileEx&) = delete;

    bool Open(const std::string& path, Mode mode);
    bool Open(const std::u16string& path, Mode mode);

    // The next line; false only at the end of the file.
    bool ReadString(std::u16string& line);
    // Appends the text unchanged; the caller puts in the line feeds.
    void WriteString(std::u16string_view text);
    // Room for `units` more code units of text, so a large file is built
    // without growing its buffer again and again.
    void Reserve(size_t units);
    // For a file opened for writing: true when its content is safely on disk.
    bool Close();

    const std::string& Path() const { return path_; }

  private:
    // At least `n` bytes from pos_ on in the read buffer; false at the end.
    bool Fill(size_t n);
    // Moves the text collected so far on: checked against the file on disk
    // while it matches, to the atomic writer after that.
    void Flush();
    // True when `bytes` are the next bytes of the file on disk.
    bool MatchesOld(std::string_view bytes);
    // Hands `bytes` to the atomic writer, started on the first call with the
    // part that matched the file on disk.
    void SendOn(std::string_view bytes);

    FileSystem& fs_;
    std::string path_;
    bool open_ = false;
    Mode mode_ = Mode::Read;
    // Writing: the whole file. Reading: the piece at hand, bytes pos_ to end_.
    std::string bytes_;
    size_t pos_ = 0;
    size_t end_ = 0;
    std::unique_ptr<FileReader> reader_;
    // Writing: the file on disk, read alongside while the text matches it.
    std::unique_ptr<FileReader> old_;
    bool old_opened_ = false;
    bool same_so_far_ = true;
    size_t matched_ = 0;
    bool mark_written_ = false;
    std::string scratch_;
    std::unique_ptr<AtomicFileWriter> writer_;
    bool write_failed_ = false;
    bool read_all_ = false;
    bool mark_skipped_ = false;
};

}  // namespace velmaro
