// A macro's action list (id 0x7E4): one row per action with its icon and
// text. A press selects the action under the pointer (none past the last);
// a double click reports NotifyDoubleClick.
#pragma once

#include <map>

#include "ui/show_list_base.h"
#include "ui/skin_image.h"

namespace velmaro {

inline constexpr uint32_t kImageShowListId = 0x7E4;

class CImageShowList : public CShowListBase {
  public:
    CImageShowList(ControlHost* host, const Rect& rect, const QString& text, ListRowSource* source,
                   bool pageVisible = true, bool visible = true, bool disabled = false);

    // The icon rows with ListRow::Icon == index show.
    void SetIcon(int index, const QString& path);

    bool OnLButtonDown(uint32_t flags, int x, int y) override;
    bool OnLButtonDblClk(uint32_t flags, int x, int y) override;
    void ReleaseImages() override { icons_.clear(); }

  protected:
    void DrawRow(QPainter& dc, const ListRow& row, const Rect& r) override;

  private:
    std::map<int, SkinImage> icons_;
};

}  // namespace velmaro
