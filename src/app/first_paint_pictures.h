// The pictures the main window's last first paint drew, remembered in the
// user's cache folder so that the next start reads them on a thread of their
// own while the window is being built, instead of one after the other in its
// first paint. A list that no longer fits (another skin, another page in
// front) only costs a picture read for nothing or read late: what is drawn is
// always what the controls ask for.
//
// The file: the line "skins <skin folder>", then one picture per line, a file
// of that skin folder or a compiled-in image (":/..."). Anything else in it
// is ignored.
#pragma once

#include <QString>
#include <vector>

namespace velmaro {

// $XDG_CACHE_HOME/velmaro/first-paint-pictures (~/.cache when unset).
QString FirstPaintPicturesFile();
// Beside it, those pictures kept decoded (ui/kept_pictures.h).
QString KeptPicturesFile();

// The pictures listed in `file` for `skinsDir`; none when the file is
// missing, unreadable or written for another skin folder.
std::vector<QString> ReadFirstPaintPictures(const QString& file, const QString& skinsDir);

// Writes the list, replacing the file in one step, unless it holds the same
// list already. Returns whether the file now holds it.
bool WriteFirstPaintPictures(const QString& file, const QString& skinsDir,
                             const std::vector<QString>& pictures);

}  // namespace velmaro
