// The on-screen display: a small frameless, translucent, topmost tool window
// at the bottom-right of the screen's available area that shows a DPI level,
// its DPI and the report rate the mouse switched to by itself. It never takes
// the focus; the main window closes it when its countdown runs out.
#pragma once

#include <QWidget>

#include "device/core_ui.h"

namespace velmaro {

class COsdWindow : public QWidget {
  public:
    // Unscaled size.
    static constexpr int kWidth = 180;
    static constexpr int kHeight = 140;

    COsdWindow(double scale, const QString& fontFace);

    void SetTexts(const OsdTexts& texts);
    const OsdTexts& Texts() const { return texts_; }
    // Places the window at the bottom-right of the primary screen's available
    // area and shows it without activating it.
    void ShowAtCorner();
    // The client area as painted.
    QImage Render() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Paint(QPainter& dc) const;

    double scale_;
    QString face_;
    OsdTexts texts_;
};

}  // namespace velmaro
