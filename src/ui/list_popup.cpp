#include "ui/list_popup.h"

#include <QPainter>
#include <cmath>
#include <utility>

#include "ui/skin_image.h"
#include "ui/text_draw.h"

namespace velmaro {

namespace {

// Every item image is drawn from this part of it.
const QRect kItemImageSource(0, 0, 190, 22);

}  // namespace

PopupItemImages MenuItemImages(const UiContext& ui) {
    return {ui.SkinFile(QStringLiteral("menu_nr.png")), ui.SkinFile(QStringLiteral("menu_ov.png")),
            ui.SkinFile(QStringLiteral("menusub_nr.png")),
            ui.SkinFile(QStringLiteral("menusub_ov.png"))};
}

CListPopup::CListPopup(UiContext& ui, int kind, const PopupItemImages& images, int item_right)
    : CWndPopup(ui, kind), item_right_(item_right) {
    // A missing image stays null and draws nothing; the captions still show.
    // Read once for every popup of the program.
    images_[0] = ui.Pictures.Get(images.Normal);
    images_[1] = ui.Pictures.Get(images.Hover);
    images_[2] = ui.Pictures.Get(images.NormalArrow);
    images_[3] = ui.Pictures.Get(images.HoverArrow);
}

void CListPopup::AddItem(int id, std::u16string caption, KeyValue code, bool has_arrow,
                         QImage icon) {
    PopupItem item;
    item.Id = id;
    item.Caption = std::move(caption);
    item.Code = code;
    item.HasArrow = has_arrow;
    item.Icon = std::move(icon);
    items_.push_back(std::move(item));
}

void CListPopup::AddSeparator() {
    PopupItem item;
    item.Separator = true;
    items_.push_back(std::move(item));
}

void CListPopup::LayOut() {
    const double s = UiScale();
    const int left = int(s);
    const int right = int(item_right_ * s);
    double y = std::floor(s);
    for (PopupItem& item : items_) {
        if (item.Separator) {
            item.Bounds = Rect{left, int(2 * s + y), right, int(3 * s + y)};
            y += kListSeparatorStep * s;
        } else {
            item.Bounds = Rect{left, int(y), right, int(item_height_ * s + y)};
            y += item_height_ * s;
        }
    }
    resize(int((item_right_ + 1) * s), int(y + s));
}

void CListPopup::DrawPopup(QPainter& painter, const Rect&) {
    for (size_t i = 0; i < items_.size(); ++i) {
        const PopupItem& item = items_[i];
        if (item.Separator) {
            painter.fillRect(item.Bounds.ToQRect(), ToQColor(kListSeparatorColor));
            continue;
        }
        const bool hovered = int(i) == hover_;
        const QImage& image = images_[(item.HasArrow ? 2 : 0) + (hovered ? 1 : 0)];
        DrawSkinImage(painter, image, kItemImageSource, item.Bounds.ToQRect());
        DrawSkinText(painter, PopupFont(), QString::fromStdU16String(item.Caption),
                     item.Bounds.Deflated(2, 0), kDtCenter | kDtCaption,
                     hovered ? kListTextHover : kListTextNormal);
    }
    DrawIcons(painter);
}

void CListPopup::DrawIcons(QPainter& painter) {
    constexpr int kIconColumn = 25;
    for (const PopupItem& item : items_) {
        if (item.Separator || item.Icon.isNull()) {
            continue;
        }
        const int x = item.Bounds.left + (kIconColumn - item.Icon.width()) / 2;
        const int y = item.Bounds.top + (item.Bounds.Height() - item.Icon.height()) / 2;
        DrawSkinImage(painter, item.Icon, QRect(QPoint(x, y), item.Icon.size()));
    }
}

const PopupItem* CListPopup::HoveredItem() const {
    return hover_ >= 0 && size_t(hover_) < items_.size() ? &items_[size_t(hover_)] : nullptr;
}

bool CListPopup::OnPopupMouseMove(Point point) {
    const PopupItem* current = HoveredItem();
    if (current != nullptr && current->Bounds.Contains(point)) {
        return false;
    }
    int found = -1;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (IsSelectable(items_[i]) && items_[i].Bounds.Contains(point)) {
            found = int(i);
            break;
        }
    }
    // Only a real change repaints, so moving across the list renders once
    // per item entered.
    if (found == hover_) {
        return false;
    }
    hover_ = found;
    if (found >= 0) {
        OnItemHovered(items_[size_t(found)]);
    }
    return true;
}

bool CListPopup::OnPopupLButtonDown(Point point) {
    const PopupItem* current = HoveredItem();
    if (current != nullptr && !current->Bounds.Contains(point)) {
        hover_ = -1;
        return true;
    }
    return false;
}

bool CListPopup::OnPopupLButtonUp(Point point) {
    const PopupItem* current = HoveredItem();
    if (current == nullptr) {
        return false;
    }
    if (!current->Bounds.Contains(point)) {
        hover_ = -1;
        return true;
    }
    ChooseItem(*current);
    return false;
}

void CListPopup::OnItemHovered(const PopupItem&) {}

void CListPopup::ChooseItem(const PopupItem& item) {
    FillResult(item, result_);
    NotifyOwner(Message(), Data(), reinterpret_cast<intptr_t>(&result_));
}

void CListPopup::FillResult(const PopupItem& item, PopupResult& result) const {
    result.Name = item.Caption;
    result.Code = item.Code;
}

}  // namespace velmaro
