// What the two skinned lists share: rows 20 pixels (times the UI scale) high
// on a dark background, a first visible row that scrolls them, the selected
// row lit, texts in white. The rows come from a ListRowSource.
#pragma once

#include "ui/control_base.h"
#include "ui/list_row_source.h"

namespace velmaro {

class CShowListBase : public CControlBase {
  public:
    CShowListBase(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                  ListRowSource* source, bool pageVisible, bool visible, bool disabled);

    void SetSource(ListRowSource* source) { source_ = source; }
    ListRowSource* Source() const { return source_; }
    int RowHeight() const;
    // Rows that fit, counting one that shows at least half.
    int VisibleRowCount() const;
    void SetFirstVisibleRow(int row) { firstVisible_ = std::max(0, row); }
    int FirstVisibleRow() const { return firstVisible_; }
    // The row index under y (may be past the last row), or -1 outside.
    int RowAt(int x, int y) const;

    void Draw(QPainter& dc, const Rect& updateRect) override;
    bool OnMouseMove(uint32_t flags, int x, int y) override;
    bool OnLButtonUp(uint32_t flags, int x, int y) override;

  protected:
    // Draws one row's icon and text into its rectangle.
    virtual void DrawRow(QPainter& dc, const ListRow& row, const Rect& r) = 0;
    // Selects the row under the point (none past the last row).
    void SelectAt(int x, int y);
    bool IsRow(int row) const { return source_ && row >= 0 && row < source_->RowCount(); }
    int TextPad() const { return int(4 * Scale()); }

    ListRowSource* source_;
    int firstVisible_ = 0;
};

}  // namespace velmaro
