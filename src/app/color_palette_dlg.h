// The colour palette: a colour field and a block of swatches to pick from,
// the red, green and blue values of the picked colour and a preview square.
// It starts on the colour being edited; OK (or Enter) ends with the picked
// colour, close ends without one, Escape does nothing. While open it stands
// in the main window's open-dialog table, so the end of the program closes it.
#pragma once

#include <cstdint>

#include "model/language_table.h"
#include "ui/dlg_base.h"

namespace velmaro {

class CKorvaneDlg;

inline constexpr uint32_t kPaletteCloseId = 0x7D4;
inline constexpr uint32_t kPaletteOkId = 0x7DA;
inline constexpr uint32_t kPaletteRedId = 0x7DB;
inline constexpr uint32_t kPaletteGreenId = 0x7DC;
inline constexpr uint32_t kPaletteBlueId = 0x7DD;
inline constexpr uint32_t kPaletteTitleId = 0x7DE;

// The colour of the rings round the picking areas: picks nothing.
inline constexpr ColorRef kPaletteFrameColor = 0x0F0F0F;
inline constexpr int kPaletteBackgroundResource = 287;

class CColorPaletteDlg : public CDlgBase {
  public:
    // `registry`: the main window whose open-dialog table holds the palette
    // while it is open; may be null.
    CColorPaletteDlg(UiContext& ui, const LanguageTable& language, ColorRef initial,
                     CKorvaneDlg* registry, QWidget* owner = nullptr);
    ~CColorPaletteDlg() override;

    bool OnInitDialog() override;
    void DrawWindow(QPainter& dc, const Rect& updateRect) override;
    void InitUI(int left, int top, int right, int bottom) override;

    // 0x00BBGGRR.
    ColorRef SelectedColor() const { return selected_; }
    // A press at `p` (client pixels): inside a picking area and not on the
    // frame colour, the pixel there becomes the selected colour. Returns
    // whether it did.
    bool PickAt(Point p);
    bool InPickingArea(Point p) const;

  protected:
    void OnEnterKey() override { Finish(QDialog::Accepted); }
    void OnEscapeKey() override {}
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void ShowSelected();
    void Finish(int result);

    const LanguageTable& language_;
    ColorRef selected_;
    CKorvaneDlg* registry_;
};

}  // namespace velmaro
