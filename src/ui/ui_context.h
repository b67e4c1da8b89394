// What every skinned window and control of one program shares: the UI scale,
// the program-wide font, the skin folder and the selection words that several
// controls read and write together. One object, owned by whoever runs the
// windows and passed to each host; tests build their own.
#pragma once

#include <QFont>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "model/language_table.h"
#include "ui/skin_image.h"
#include "ui/ui_types.h"

namespace velmaro {

// Selections that span several controls (radio groups, DPI level buttons, the
// page and profile tabs).
struct SelectionState {
    uint32_t RadioGroupBits = 0;
    uint8_t DpiRadioMask = 0x02;
    uint32_t CurrentPage = 0;
    uint32_t CurrentProfileTab = 0;
};

class UiContext {
  public:
    // 1.0, 1.5 or 2.0: multiplies every position, size and font height.
    double Scale = 1.0;
    // Face, height (already multiplied by the scale when the language was
    // loaded) and character set of the program-wide font.
    UiFont Font;
    // The screen's horizontal logical pixels per inch divided by 96. The
    // edit fields of the small dialogs divide their point sizes by it.
    double DisplayRatio = 1.0;
    SelectionState Selection;
    // The skin folder with a trailing "/".
    QString SkinsDir;
    // The skin pictures read so far, shared by every window and control.
    SkinImageCache Pictures;

    // v unscaled pixels at the UI scale, truncated.
    int Px(double v) const { return int(v * Scale); }
    Rect ScaledRect(int left, int top, int right, int bottom) const;
    // Full path of a file in the skin folder ("check_nr.png", "mouse/mouse_nr.png").
    QString SkinFile(const QString& relative) const { return SkinsDir + relative; }

    // A font sized the way the window system sizes a font of `height`: a
    // positive height is the line height (ascent + descent) of the face named,
    // a negative one its character height. Faces resolve through the
    // substitutions that InstallFontSubstitutes() set up, keeping the glyph
    // size of the face named.
    QFont MakeFont(const QString& face, int height) const;
    // The program-wide font at its own height.
    QFont ProgramFont() const;
    // The font of a dialog's edit field: "Tahoma" as a point font of
    // (tenths x UI scale / display ratio, truncated) tenths of a point. The
    // window system turns points into pixels at the screen's logical DPI, so
    // the ratio keeps the glyphs at the size the skin was drawn for.
    QFont EditFieldFont(int tenthsOfPoint) const;

    // A program that has the installed fonts listed on a thread of its own
    // while it starts hands over here what finishes that (the wait and the
    // substitutions). The first font made or text drawn runs it, so no face
    // is resolved before the substitutions are in.
    void SetFontsPending(std::function<void()> finish) { fontsPending_ = std::move(finish); }
    void ReadyFonts() const;

  private:
    mutable std::function<void()> fontsPending_;
    // Line height of each face at a 100-pixel em, measured once.
    mutable std::map<QString, double> lineHeightPer100_;
};

}  // namespace velmaro
