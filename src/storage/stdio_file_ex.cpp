#include "storage/stdio_file_ex.h"

#include <algorithm>
#include <cstring>

#include "model/text.h"

namespace velmaro {

namespace {

constexpr size_t kReadPiece = 64 * 1024;

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
    if (bytes_.empty())
        bytes_.append("\xFF\xFE", 2);
    const size_t at = bytes_.size();
    bytes_.resize(at + text.size() * 2);
    char* out = bytes_.data() + at;
    for (const char16_t unit : text) {
        *out++ = static_cast<char>(unit & 0xFF);
        *out++ = static_cast<char>(unit >> 8);
    }
}

void CStdioFileEx::Reserve(size_t units) {
    if (!open_ || mode_ != Mode::Write)
        return;
    bytes_.reserve(std::max<size_t>(bytes_.size(), 2) + units * 2);
}

bool CStdioFileEx::Close() {
    if (!open_)
        return false;
    open_ = false;
    bool ok = true;
    if (mode_ == Mode::Write) {
        // A file that already holds these bytes is left alone: saving what
        // did not change neither rewrites the file nor touches its time.
        std::string old;
        const bool same = fs_.ReadFile(path_, old) && old == bytes_;
        ok = same || fs_.WriteFileAtomic(path_, bytes_);
    }
    bytes_.clear();
    bytes_.shrink_to_fit();
    pos_ = 0;
    end_ = 0;
    reader_.reset();
    return ok;
}

}  // namespace velmaro
