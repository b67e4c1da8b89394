// The UI scale from the size of a maximised window's client area.
#pragma once

namespace velmaro {

// 1.0, 1.5 or 2.0.
double UiScaleFor(int width, int height);

}  // namespace velmaro
