#include "ui/image_show_list.h"

#include "ui/text_draw.h"

namespace velmaro {

namespace {

// The action icons' width in the artwork; texts start after it.
constexpr int kActionIconWidth = 16;

}  // namespace

CImageShowList::CImageShowList(ControlHost* host, const Rect& rect, const QString& text,
                               ListRowSource* source, bool pageVisible, bool visible, bool disabled)
    : CShowListBase(host, kImageShowListId, rect, text, source, pageVisible, visible, disabled) {}

void CImageShowList::SetIcon(int index, const QString& path) {
    icons_[index].SetFile(Pictures(), path);
}

void CImageShowList::DrawRow(QPainter& dc, const ListRow& row, const Rect& r) {
    const double s = Scale();
    const int x = r.left + TextPad();
    const auto it = icons_.find(row.Icon);
    if (it != icons_.end() && !it->second.IsNull()) {
        const SkinImage& icon = it->second;
        const int w = int(icon.Width() * s);
        const int h = int(icon.Height() * s);
        DrawSkinImage(dc, icon.Image(), QRect(x, r.top + (r.Height() - h) / 2, w, h));
    }
    const int textX = x + int((kActionIconWidth + 6) * s);
    DrawSkinText(dc, font_, row.Text, Rect{textX, r.top, r.right - TextPad(), r.bottom},
                 kDtLeft | kDtCaption | kDtNoPrefix, 0xFFFFFF);
}

bool CImageShowList::OnLButtonDown(uint32_t, int x, int y) {
    if (disabled_ || !Inside(x, y)) {
        return false;
    }
    SetState(2);
    SelectAt(x, y);
    return true;
}

bool CImageShowList::OnLButtonDblClk(uint32_t, int x, int y) {
    if (disabled_ || !Inside(x, y)) {
        return false;
    }
    Notify(0, NotifyDoubleClick);
    return false;
}

}  // namespace velmaro
