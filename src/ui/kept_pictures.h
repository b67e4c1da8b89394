// Skin pictures kept decoded between starts. The pictures the main window's
// first paint drew are written once, as the painter uses them, to one file
// in the user's cache folder; the next start takes them from it instead of
// decoding each PNG again. A picture is taken only while its file is the very
// one it was decoded from: the same size, modification and change times,
// inode and device as when it was read. A kept file that is missing,
// damaged, or written by another version or machine holds nothing, and the
// pictures are decoded as before.
//
// The file: the line "velmaro kept pictures 1 Qt <version>" (the Qt that
// decoded them), the number 0x01020304 as written (the byte order), the
// number of pictures and a 64-bit checksum of what follows, then per
// picture, in the writer's byte order:
// the path's length and its UTF-8 bytes, the file's identity (five 64-bit
// numbers), the picture's width, height, bytes per line and dots per metre
// (x and y), then its premultiplied ARGB pixels.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace velmaro {

// What tells a file apart from a changed or replaced one.
struct FileIdentity {
    int64_t Size = 0;
    int64_t ModifiedNs = 0;
    int64_t ChangedNs = 0;
    uint64_t Inode = 0;
    uint64_t Device = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of a file of the skin folder now; none for a compiled-in
// picture (":/...") or a file that cannot be looked at.
std::optional<FileIdentity> IdentityOf(const QString& path);

struct KeptPicture {
    QString Path;
    FileIdentity Identity;
    QImage Image;
};

class KeptPictures {
  public:
    // Everything `file` holds; nothing when it cannot be read or is damaged
    // anywhere.
    static KeptPictures Read(const QString& file);
    // The picture kept for `path` when its file still has `now` as identity;
    // null otherwise.
    QImage Take(const QString& path, const std::optional<FileIdentity>& now) const;
    bool Empty() const { return pictures_.empty(); }

  private:
    std::map<QString, KeptPicture> pictures_;
};

// Replaces `file` with `pictures` in one step; pictures that are null or not
// premultiplied ARGB are left out. Returns whether the file was written.
bool WriteKeptPictures(const QString& file, const std::vector<KeptPicture>& pictures);

}  // namespace velmaro
