// The progress dialog: a text over a bar that fills in about half a second,
// then the dialog closes by itself. Shown modally by the settings writer
// after an apply that sent something.
//
// The bar grows 2 percent every 10 ms on the dialog's own timer (the window
// is only ever touched by the thread that owns it): the first step draws 0
// percent as the dialog initialises, the last draws 98, the next tick finds
// it full and the dialog ends 20 ms later. The bar is part of the dialog's
// painting, so a repaint while it fills keeps the bar as far as it got.
#pragma once

#include <QImage>
#include <QString>

#include "ui/dlg_base.h"

namespace velmaro {

inline constexpr uint32_t kProgressTextId = 0x7DC;
inline constexpr ColorRef kProgressTextColor = 0xBEBEBE;

class CProgressBarDlg : public CDlgBase {
  public:
    // Unscaled window and bar geometry (the frame images have this size; the
    // bar is the strip of the second image at kBarTop, kBarHeight high).
    static constexpr int kWidth = 429;
    static constexpr int kHeight = 140;
    static constexpr int kBarTop = 66;
    static constexpr int kBarHeight = 12;
    // Timers: a fill step every 10 ms, then the end 20 ms after full.
    static constexpr int kFillTimer = 1;
    static constexpr int kFillStepMs = 10;
    static constexpr int kFillStepPercent = 2;
    static constexpr int kCloseTimer = 2;
    static constexpr int kCloseDelayMs = 20;

    CProgressBarDlg(UiContext& ui, const QString& title, const QString& message,
                    QWidget* owner = nullptr);

    // Loads the two frame images and draws the first step; the bar fills from here.
    bool OnInitDialog() override;
    void DrawWindow(QPainter& dc, const Rect& updateRect) override;
    void InitUI(int left, int top, int right, int bottom) override;

    const QString& Title() const { return title_; }
    const QString& Message() const { return message_; }
    // The percentage the next step draws (100 once the bar is full).
    int Percent() const { return percent_; }
    // Width of the bar drawn so far, in unscaled pixels; -1 before the first step.
    int BarWidth() const { return barWidth_; }

  protected:
    void OnTimer(int id) override;

  private:
    void FillStep();

    QString title_;
    QString message_;
    QImage background_;
    QImage bar_;
    int percent_ = 0;
    int barWidth_ = -1;
};

}  // namespace velmaro
