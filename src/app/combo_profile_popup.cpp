#include "app/combo_profile_popup.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "ui/text_draw.h"

namespace velmaro {

namespace {

constexpr uint16_t kHeaderText = 10;
constexpr uint16_t kNewProfileText = 200;
// The header sits apart from the rows it names; the mark and the header use
// the accent of the separators.
constexpr ColorRef kHeaderBackground = 0x1A1A1A;
constexpr ColorRef kAccent = kListSeparatorColor;

bool IsProfileRow(int row) {
    return row >= kProfileFirstRow && row < kProfileNewRow;
}

}  // namespace

CComboProfilePopup::CComboProfilePopup(UiContext& ui, const LanguageTable& language,
                                       const PopupItemImages& images,
                                       const std::array<std::u16string, kProfileSlots>& names,
                                       int marked)
    : CListPopup(ui, kProfileListKind, images, kProfileListItemRight),
      language_(language),
      names_(names),
      marked_(marked) {
    SetItemHeight(kProfileRowHeight);
}

void CComboProfilePopup::InitItems() {
    // Item ids are the row numbers.
    AddItem(kProfileHeaderRow, language_.Text(kHeaderText));
    for (int i = 0; i < kProfileSlots; ++i)
        AddItem(kProfileFirstRow + i, names_[size_t(i)]);
    AddItem(kProfileNewRow, language_.Text(kNewProfileText));
}

bool CComboProfilePopup::IsSelectable(const PopupItem& item) const {
    if (item.Separator || item.Id == kProfileHeaderRow)
        return false;
    return !IsProfileRow(item.Id) || !item.Caption.empty();
}

int CComboProfilePopup::RowAt(Point point) const {
    for (const PopupItem& item : Items()) {
        if (!item.Separator && item.Bounds.Contains(point))
            return item.Id;
    }
    return 0;
}

void CComboProfilePopup::DrawPopup(QPainter& painter, const Rect& clientRect) {
    CListPopup::DrawPopup(painter, clientRect);
    const double s = UiScale();
    for (const PopupItem& item : Items()) {
        if (item.Id == kProfileHeaderRow) {
            painter.fillRect(item.Bounds.ToQRect(), ToQColor(kHeaderBackground));
            DrawSkinText(painter, PopupFont(), QString::fromStdU16String(item.Caption),
                         item.Bounds.Deflated(int(8 * s), 0), kDtCaption, kAccent);
            // An accent line under the header.
            const Rect& b = item.Bounds;
            painter.fillRect(QRect(b.left, b.bottom - int(s), b.Width(), std::max(1, int(s))),
                             ToQColor(kAccent));
        } else if (item.Id == marked_ && IsProfileRow(item.Id)) {
            // A check mark in the left column.
            const Rect& b = item.Bounds;
            const double cx = b.left + 13 * s;
            const double cy = b.top + b.Height() / 2.0;
            QPainterPath check;
            check.moveTo(cx - 5 * s, cy);
            check.lineTo(cx - 1.5 * s, cy + 3.5 * s);
            check.lineTo(cx + 5 * s, cy - 4 * s);
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(
                QPen(ToQColor(kAccent), 2 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPath(check);
            painter.restore();
        }
    }
}

void CComboProfilePopup::ChooseItem(const PopupItem& item) {
    NotifyOwner(Message(), kProfileListChoice, item.Id);
}

bool CComboProfilePopup::OnPopupRButtonUp(Point point) {
    const int row = RowAt(point);
    if (!IsProfileRow(row) || names_[size_t(row - kProfileFirstRow)].empty())
        return false;
    NotifyOwner(Message(), kProfileListRightClick, row);
    return false;
}

}  // namespace velmaro
