#include "storage/stdio_file_ex.h"

#include "model/text.h"

namespace velmaro {

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
    path_ = path;
    mode_ = mode;
    if (mode == Mode::Read) {
        if (!fs_.CanOpenForUpdate(path) || !fs_.ReadFile(path, bytes_))
            return false;
    }
    open_ = true;
    return true;
}

bool CStdioFileEx::ReadString(std::u16string& line) {
    line.clear();
    if (!open_ || mode_ != Mode::Read)
        return false;
    if (pos_ == 0)
        pos_ = 2;  // the byte order mark, taken on trust
    while (pos_ + 1 < bytes_.size()) {
        const auto unit =
            static_cast<char16_t>(static_cast<unsigned char>(bytes_[pos_]) |
                                  (static_cast<unsigned char>(bytes_[pos_ + 1]) << 8));
        pos_ += 2;
        line.push_back(unit);
        if (unit == u'\n')
            break;
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
    bytes_.reserve(bytes_.size() + text.size() * 2);
    for (const char16_t unit : text) {
        bytes_.push_back(static_cast<char>(unit & 0xFF));
        bytes_.push_back(static_cast<char>(unit >> 8));
    }
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
    return ok;
}

}  // namespace velmaro
