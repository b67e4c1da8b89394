#include "ui/show_list_base.h"

#include <algorithm>

namespace velmaro {

namespace {

constexpr ColorRef kListBackground = 0x4B4B4B;
constexpr ColorRef kSelectedRow = 0xDEA035;

}  // namespace

CShowListBase::CShowListBase(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                             ListRowSource* source, bool pageVisible, bool visible, bool disabled)
    : CControlBase(host, id, rect, text, pageVisible, visible, disabled), source_(source) {}

int CShowListBase::RowHeight() const {
    return std::max(1, int(20 * Scale()));
}

int CShowListBase::VisibleRowCount() const {
    return int((rect_.Height() + 10 * Scale()) / (20 * Scale()));
}

int CShowListBase::RowAt(int x, int y) const {
    if (!Inside(x, y)) {
        return -1;
    }
    return firstVisible_ + (y - rect_.top) / RowHeight();
}

void CShowListBase::SelectAt(int x, int y) {
    if (!source_) {
        return;
    }
    const int row = RowAt(x, y);
    source_->SelectRow(IsRow(row) ? row : -1);
}

void CShowListBase::Draw(QPainter& dc, const Rect&) {
    dc.fillRect(rect_.ToQRect(), ToQColor(kListBackground));
    if (!source_) {
        return;
    }
    dc.save();
    dc.setClipRect(rect_.ToQRect(), Qt::IntersectClip);
    const int h = RowHeight();
    const int count = source_->RowCount();
    const int selected = source_->SelectedRow();
    for (int i = 0; i < VisibleRowCount(); ++i) {
        const int row = firstVisible_ + i;
        if (row >= count) {
            break;
        }
        const Rect r{rect_.left, rect_.top + i * h, rect_.right, rect_.top + (i + 1) * h};
        if (row == selected) {
            dc.fillRect(r.ToQRect(), ToQColor(kSelectedRow));
        }
        DrawRow(dc, source_->Row(row), r);
    }
    dc.restore();
}

bool CShowListBase::OnMouseMove(uint32_t, int x, int y) {
    return TrackHover(x, y);
}

bool CShowListBase::OnLButtonUp(uint32_t, int x, int y) {
    if (disabled_) {
        return false;
    }
    if (!Inside(x, y)) {
        return SetState(0);
    }
    const bool changed = SetState(1);
    Notify(0, NotifyClick);
    return changed;
}

}  // namespace velmaro
