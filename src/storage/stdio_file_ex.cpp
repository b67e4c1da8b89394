#include "storage/stdio_file_ex.h"

#include <algorithm>
#include <cstring>

#include "model/text.h"

namespace velmaro {

namespace {

constexpr size_t kReadPiece = 64 * 1024;
constexpr size_t kWritePiece = 1024 * 1024;

// Exactly `n` bytes into `buffer`; false at an early end or a read error.
bool ReadExactly(FileReader& reader, char* buffer, size_t n) {
    while (n > 0) {
        size_t got = 0;
        if (!reader.Read(buffer, n, got) || got == 0)
            return false;
        buffer += got;
        n -= got;
    }
    return true;
}

// True when the reader's next bytes are `expected`.
bool ReadsAs(FileReader& reader, std::string_view expected, std::string& scratch) {
    scratch.resize(std::min(expected.size(), kReadPiece));
    while (!expected.empty()) {
        const size_t n = std::min(expected.size(), scratch.size());
        if (!ReadExactly(reader, scratch.data(), n) ||
            std::memcmp(scratch.data(), expected.data(), n) != 0)
            return false;
        expected.remove_prefix(n);
    }
    return true;
}

// The reader's next `n` bytes into the writer.
bool CopyPrefix(FileReader& reader, size_t n, AtomicFileWriter& writer) {
    std::string piece(std::min(n, kReadPiece), '\0');
    while (n > 0) {
        const size_t step = std::min(n, piece.size());
        if (!ReadExactly(reader, piece.data(), step) ||
            !writer.Write(std::string_view(piece.data(), step)))
            return false;
        n -= step;
    }
    return true;
}

}  // namespace

CStdioFileEx::~CStdioFileEx() {
    Close();
}

bool CStdioFileEx::Open(const std::u16string& path, Mode mode) {
    return Open(ToUtf8(path), mode);
}

bool CStdioFileEx::Open(const std::string& path, Mode mode) {
    Close();
    bytes_.clear();
    pos_ = 0;
    end_ = 0;
    read_all_ = false;
    mark_skipped_ = false;
    writer_.reset();
    write_failed_ = false;
    old_.reset();
    old_opened_ = false;
    same_so_far_ = true;
    matched_ = 0;
    mark_written_ = false;
    path_ = path;
    mode_ = mode;
    if (mode == Mode::Read) {
        if (!fs_.CanOpenForUpdate(path))
            return false;
        reader_ = fs_.OpenForReading(path);
        if (!reader_)
            return false;
        bytes_.resize(kReadPiece);
    }
    open_ = true;
    return true;
}

bool CStdioFileEx::Fill(size_t n) {
    while (end_ - pos_ < n) {
        if (read_all_)
            return false;
        // Keep what is left of the piece (half a code unit at most) in front.
        std::memmove(bytes_.data(), bytes_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
        size_t got = 0;
        // A file that cannot be read on ends there.
        if (!reader_->Read(bytes_.data() + end_, bytes_.size() - end_, got) || got == 0)
            read_all_ = true;
        end_ += got;
    }
    return true;
}

bool CStdioFileEx::ReadString(std::u16string& line) {
    line.clear();
    if (!open_ || mode_ != Mode::Read)
        return false;
    if (!mark_skipped_) {
        if (!Fill(2))
            return false;
        pos_ += 2;  // the byte order mark, taken on trust
        mark_skipped_ = true;
    }
    bool ended = false;
    while (!ended && Fill(2)) {
        const size_t whole_units_end = pos_ + ((end_ - pos_) & ~size_t{1});
        const auto* bytes = reinterpret_cast<const unsigned char*>(bytes_.data());
        while (pos_ < whole_units_end) {
            const auto unit = static_cast<char16_t>(bytes[pos_] | (bytes[pos_ + 1] << 8));
            pos_ += 2;
            line.push_back(unit);
            if (unit == u'\n') {
                ended = true;
                break;
            }
        }
    }
    if (line.size() >= 2 && line.back() == u'\n')
        line.pop_back();
    return !line.empty();
}

void CStdioFileEx::WriteString(std::u16string_view text) {
    if (!open_ || mode_ != Mode::Write)
        return;
    if (!mark_written_) {
        bytes_.append("\xFF\xFE", 2);
        mark_written_ = true;
    }
    const size_t at = bytes_.size();
    bytes_.resize(at + text.size() * 2);
    char* out = bytes_.data() + at;
    for (const char16_t unit : text) {
        *out++ = static_cast<char>(unit & 0xFF);
        *out++ = static_cast<char>(unit >> 8);
    }
    if (bytes_.size() >= kWritePiece)
        Flush();
}

void CStdioFileEx::Flush() {
    if (same_so_far_ && MatchesOld(bytes_))
        matched_ += bytes_.size();
    else
        SendOn(bytes_);
    bytes_.clear();
}

bool CStdioFileEx::MatchesOld(std::string_view bytes) {
    if (!old_opened_) {
        old_opened_ = true;
        old_ = fs_.OpenForReading(path_);
    }
    if (!old_ || !ReadsAs(*old_, bytes, scratch_))
        same_so_far_ = false;
    return same_so_far_;
}

void CStdioFileEx::SendOn(std::string_view bytes) {
    if (!writer_) {
        same_so_far_ = false;
        writer_ = fs_.BeginAtomicWrite(path_);
        // The text that matched the file on disk was not kept: its bytes
        // come from the file itself, read again from its start.
        if (matched_ > 0 && !(old_ && old_->Rewind() && CopyPrefix(*old_, matched_, *writer_)))
            write_failed_ = true;
        old_.reset();
    }
    if (!write_failed_ && !writer_->Write(bytes))
        write_failed_ = true;
}

void CStdioFileEx::Reserve(size_t units) {
    if (!open_ || mode_ != Mode::Write)
        return;
    // Beyond a piece the text goes on to the writer, so no more is needed.
    bytes_.reserve(std::min(std::max<size_t>(bytes_.size(), 2) + units * 2, kWritePiece + 4096));
}

bool CStdioFileEx::Close() {
    if (!open_)
        return false;
    open_ = false;
    bool ok = true;
    if (mode_ == Mode::Write) {
        // A file that already holds these bytes is left alone: saving what
        // did not change neither rewrites the file nor touches its time.
        bool same = same_so_far_ && MatchesOld(bytes_);
        if (same) {
            matched_ += bytes_.size();
            bytes_.clear();
            char extra = 0;
            size_t got = 0;
            same = old_->Read(&extra, 1, got) && got == 0;
        }
        if (same) {
            ok = true;
        } else if (!writer_ && matched_ == 0) {
            ok = fs_.WriteFileAtomic(path_, bytes_);
        } else {
            SendOn(bytes_);
            ok = !write_failed_ && writer_->Commit();
        }
        writer_.reset();
        old_.reset();
    }
    bytes_.clear();
    bytes_.shrink_to_fit();
    pos_ = 0;
    end_ = 0;
    reader_.reset();
    return ok;
}

}  // namespace velmaro
