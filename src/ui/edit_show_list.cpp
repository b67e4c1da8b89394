#include "ui/edit_show_list.h"

#include "ui/text_draw.h"

namespace velmaro {

namespace {

// The folder icons' width in the artwork, used while they are missing.
constexpr int kFolderIconWidth = 16;

}  // namespace

CEditShowList::CEditShowList(ControlHost* host, const Rect& rect, const QString& text,
                             ListRowSource* source, bool pageVisible, bool visible, bool disabled)
    : CShowListBase(host, kEditShowListId, rect, text, source, pageVisible, visible, disabled) {}

void CEditShowList::SetFolderImages(const QString& open, const QString& closed) {
    open_.SetFile(Pictures(), open);
    closed_.SetFile(Pictures(), closed);
}

int CEditShowList::IconWidth() const {
    return closed_.IsNull() ? kFolderIconWidth : closed_.Width();
}

int CEditShowList::IndentX(int level) const {
    return rect_.left + TextPad() + level * int((IconWidth() + 3) * Scale());
}

bool CEditShowList::OnFolderIcon(int row, int x) const {
    if (!IsRow(row)) {
        return false;
    }
    const ListRow r = source_->Row(row);
    if (!r.IsFolder) {
        return false;
    }
    const int left = IndentX(r.Level);
    return x >= left && x < left + int(IconWidth() * Scale());
}

void CEditShowList::DrawRow(QPainter& dc, const ListRow& row, const Rect& r) {
    int x = IndentX(row.Level);
    if (row.IsFolder) {
        const SkinImage& icon = row.Open ? open_ : closed_;
        if (!icon.IsNull()) {
            const int w = int(icon.Width() * Scale());
            const int h = int(icon.Height() * Scale());
            DrawSkinImage(dc, icon.Image(), QRect(x, r.top + (r.Height() - h) / 2, w, h));
        }
        x += int((IconWidth() + 3) * Scale());
    }
    DrawSkinText(dc, font_, row.Text, Rect{x, r.top, r.right - TextPad(), r.bottom},
                 kDtLeft | kDtCaption | kDtNoPrefix, 0xFFFFFF);
}

bool CEditShowList::OnLButtonDown(uint32_t, int x, int y) {
    if (disabled_ || !Inside(x, y)) {
        return false;
    }
    SetState(2);
    const int row = RowAt(x, y);
    if (OnFolderIcon(row, x)) {
        source_->ToggleFolder(row);
    }
    SelectAt(x, y);
    return true;
}

bool CEditShowList::OnLButtonDblClk(uint32_t, int x, int y) {
    if (disabled_ || !Inside(x, y)) {
        return false;
    }
    const int row = RowAt(x, y);
    if (IsRow(row) && source_->Row(row).IsFolder) {
        source_->ToggleFolder(row);
    }
    Notify(0, NotifyDoubleClick);
    return true;
}

bool CEditShowList::OnRButtonUp(uint32_t, int x, int y) {
    if (disabled_ || !Inside(x, y)) {
        return false;
    }
    SelectAt(x, y);
    Point at{x, y};
    Notify(reinterpret_cast<uintptr_t>(&at), NotifyRightClick);
    return true;
}

void CEditShowList::ReleaseImages() {
    open_.Release();
    closed_.Release();
}

}  // namespace velmaro
