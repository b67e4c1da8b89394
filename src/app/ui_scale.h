// The UI scale from the size of a maximised window's client area.
#pragma once

namespace velmaro {

// 1.0, 1.5 or 2.0.
double UiScaleFor(int width, int height);

// The display ratio: horizontal logical pixels per inch / 96; 1.0 when the
// screen gives no usable figure.
double DisplayRatioFor(double logicalDpiX);

}  // namespace velmaro
