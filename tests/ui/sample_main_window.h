// A window laid out like the main window over the real skin: the main
// background, the button fields, the power area, and the DPI and lighting
// sections open. The gallery takes screenshots of it and the paint benchmark
// times it; it has no behaviour of its own.
#pragma once

#include <QImage>

#include "ui/dlg_base.h"

namespace velmaro::sample {

class CSampleMainDlg : public CDlgBase {
  public:
    explicit CSampleMainDlg(UiContext& ui);

    void DrawWindow(QPainter& dc, const Rect& updateRect) override;
    void InitUI(int left, int top, int right, int bottom) override;

    int ControlCount() const;

  private:
    QImage dpiFrame_;
    QImage lightingFrame_;
};

}  // namespace velmaro::sample
