// Start-up steps every program with skinned windows takes.
#pragma once

#include <QString>
#include <QStringList>

namespace velmaro {

// Before the QApplication exists: the UI scale alone sizes the skinned
// windows, so Qt must not multiply them again by the screen's pixel ratio.
void PrepareUiPlatform();

// After the QApplication exists: the faces the artwork was made for resolve
// to installed fonts of similar metrics. Returns the substitutes it named;
// an entry is empty when no candidate is installed (Qt's own fallback then
// applies).
struct FontSubstitutes {
    QString Latin;  // for "Tahoma"
    QString Cjk;    // for "宋体"
};
FontSubstitutes InstallFontSubstitutes();

// Resolves `face` the way the windows' text does, on the calling thread.
// Qt keeps the fallback faces fontconfig names for a face for the whole
// program, so a start that does this beside its other work leaves the first
// text on the GUI thread only the face to open. Run it after
// InstallFontSubstitutes and before the GUI thread's first text.
void ResolveFaceAhead(const QString& face);

// Keeps the compiled-in skin images linked into programs that use the
// toolkit as a static library. Call once after the QApplication exists.
void InitUiResources();

// The skin folder, with a trailing "/": "skins/" beside the executable when it
// exists, else the installed one.
QString FindSkinsDir();

}  // namespace velmaro
