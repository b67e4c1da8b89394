// The DPI value dialog: picks one step of the sensor's DPI table for a DPI
// bar, with a slider (one position per step), the arrow keys or a typed
// value. Enter applies the typed value and stays open, Escape does nothing,
// OK writes the chosen step into the bar, close writes nothing.
#pragma once

#include <cstdint>

#include "model/language_table.h"
#include "model/sensor_tables.h"
#include "ui/dlg_base.h"

class QLineEdit;

namespace velmaro {

class CSliderControl;
class CVerticalSliderControl;

inline constexpr uint32_t kDpiDialogCloseId = 0x7D4;
inline constexpr uint32_t kDpiDialogOkId = 0x7DA;
inline constexpr uint32_t kDpiDialogCancelId = 0x7DB;
inline constexpr uint32_t kDpiDialogTextId = 0x7DC;  // title and both labels
inline constexpr uint32_t kDpiDialogValueId = 0x7DD;
inline constexpr uint32_t kDpiDialogTrackId = 0x7E4;
inline constexpr uint32_t kDpiDialogSliderId = 0x7E5;

class CDPIValueSettingDlg : public CDlgBase {
  public:
    // `bar` is the DPI bar edited: its value is the step shown at first and
    // receives the chosen step on OK. The sensor's table must have steps.
    CDPIValueSettingDlg(UiContext& ui, const LanguageTable& language, const SensorTables& sensor,
                        CVerticalSliderControl& bar, QWidget* owner = nullptr);

    void DrawWindow(QPainter& dc, const Rect& updateRect) override;
    void InitUI(int left, int top, int right, int bottom) override;

    int SelectedStep() const { return step_; }
    QLineEdit* EditBox() const { return edit_; }

  protected:
    // Enter, Escape, Left and Right reach the dialog before the edit box.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void OnEnterKey() override { ApplyTypedValue(); }
    void OnEscapeKey() override {}
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    bool HandleKey(int key);
    // Selects `step`, moves the slider and shows its DPI in the texts.
    void SelectStep(int step);
    void ShowStep();
    void ApplyTypedValue();
    void OnOk();
    CSliderControl* Slider() const;

    const LanguageTable& language_;
    const SensorTables& sensor_;
    CVerticalSliderControl& bar_;
    int count_;
    int step_;
    QLineEdit* edit_ = nullptr;  // a child of the dialog
};

}  // namespace velmaro
