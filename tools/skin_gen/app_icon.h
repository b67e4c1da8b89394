// The application icon, kept as a short list of shapes on a 64 x 64 grid so
// that the pixel sizes and the scalable SVG of the desktop theme are drawn
// from the same source.
#pragma once

#include <QImage>
#include <QString>

namespace skin {

// The icon drawn anew at size x size pixels, so small sizes stay sharp.
QImage AppIcon(int size);

// The same shapes as an SVG document (64 x 64 user units).
QString AppIconSvg();

// The pixel sizes installed in the icon theme.
inline constexpr int kAppIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

}  // namespace skin
