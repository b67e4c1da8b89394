// The macro library tree (id 0x7DF): folders with an open or closed icon and
// macros below them, indented by (icon width + 3) pixels per stage. A press
// selects a row and, on a folder's icon, opens or closes it; a double click
// opens or closes the folder under the pointer and reports
// NotifyDoubleClick; a right click selects and reports NotifyRightClick with
// wParam = address of the click point (valid during the message).
#pragma once

#include "ui/show_list_base.h"
#include "ui/skin_image.h"

namespace velmaro {

inline constexpr uint32_t kEditShowListId = 0x7DF;

class CEditShowList : public CShowListBase {
  public:
    CEditShowList(ControlHost* host, const Rect& rect, const QString& text, ListRowSource* source,
                  bool pageVisible = true, bool visible = true, bool disabled = false);

    void SetFolderImages(const QString& open, const QString& closed);
    // Left edge of a row's content at its stage.
    int IndentX(int level) const;
    // The point lies on the icon of the folder at `row`.
    bool OnFolderIcon(int row, int x) const;

    bool OnLButtonDown(uint32_t flags, int x, int y) override;
    bool OnLButtonDblClk(uint32_t flags, int x, int y) override;
    bool OnRButtonUp(uint32_t flags, int x, int y) override;
    void ReleaseImages() override;

  protected:
    void DrawRow(QPainter& dc, const ListRow& row, const Rect& r) override;

  private:
    int IconWidth() const;

    SkinImage open_;
    SkinImage closed_;
};

}  // namespace velmaro
