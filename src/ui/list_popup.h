// A popup that shows a list of items, one under the other, drawn with the
// skin's item images, with separators between groups. The pointer hovers an
// item; releasing the button on the hovered item chooses it and reports
// (message, data, address of the result) to the owner. The popup does not
// close itself: its owner closes it when it handles the choice.
//
// Pages fill a CListPopup directly with AddItem/AddSeparator (profiles,
// lighting modes, macro commands, insert actions); the button-function
// popups are subclasses that add their fixed lists.
#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <string>
#include <vector>

#include "ui/wnd_popup.h"

namespace velmaro {

// The four item backgrounds (190 x 22 in the skin): normal, hover, and the
// two looks of an item that opens a submenu.
struct PopupItemImages {
    QString Normal;
    QString Hover;
    QString NormalArrow;
    QString HoverArrow;
};

// "menu_nr.png", "menu_ov.png", "menusub_nr.png", "menusub_ov.png" of the
// skin folder: the images every list of the program uses.
PopupItemImages MenuItemImages(const UiContext& ui);

struct PopupItem {
    bool Separator = false;
    int Id = 0;
    QImage Icon;  // drawn at its own size in a 25-pixel column at the left; may be null
    std::u16string Caption;
    Rect Bounds;  // client coordinates, set by the layout
    bool HasArrow = false;
    KeyValue Code{};  // reported with a choice, unless the class says otherwise
};

// Unscaled right edge of the items of most lists.
inline constexpr int kListItemRight = 161;
// Unscaled item height and the room a separator takes.
inline constexpr int kListItemHeight = 22;
inline constexpr int kListSeparatorStep = 4;

// Item text colours and the separator colour.
inline constexpr ColorRef kListTextNormal = 0xB4B4B4;
inline constexpr ColorRef kListTextHover = 0xFFFFFF;
inline constexpr ColorRef kListSeparatorColor = 0xDEA035;

class CListPopup : public CWndPopup {
  public:
    // `item_right` is the unscaled right edge of the items; the window is one
    // scaled pixel wider, and as high as the items plus a pixel.
    CListPopup(UiContext& ui, int kind, const PopupItemImages& images,
               int item_right = kListItemRight);

    // Items are added before Create; later additions are not shown.
    void AddItem(int id, std::u16string caption, KeyValue code = {}, bool has_arrow = false,
                 QImage icon = {});
    void AddSeparator();

    const std::vector<PopupItem>& Items() const { return items_; }
    // Index into Items() of the hovered item, -1 when none.
    int HoverIndex() const { return hover_; }
    const PopupResult& Result() const { return result_; }
    int ItemRight() const { return item_right_; }
    // Unscaled height of an ordinary item (22 unless the class sets another).
    int ItemHeight() const { return item_height_; }

  protected:
    // Items are laid out at this unscaled height; set before Create.
    void SetItemHeight(int height) { item_height_ = height; }
    // Whether `item` can be hovered and chosen; every ordinary item unless
    // the class says otherwise (a header, an empty row).
    virtual bool IsSelectable(const PopupItem& item) const { return !item.Separator; }

    void LayOut() override;
    void DrawPopup(QPainter& painter, const Rect& clientRect) override;
    void DrawIcons(QPainter& painter) override;
    bool OnPopupMouseMove(Point point) override;
    bool OnPopupLButtonDown(Point point) override;
    bool OnPopupLButtonUp(Point point) override;

    // The pointer came onto `item` (a newly hovered item).
    virtual void OnItemHovered(const PopupItem& item);
    // `item` was chosen: by default fills the result and sends
    // (message, data, address of the result).
    virtual void ChooseItem(const PopupItem& item);
    // Name = caption, code = the item's code.
    virtual void FillResult(const PopupItem& item, PopupResult& result) const;

    const PopupItem* HoveredItem() const;
    PopupResult& MutableResult() { return result_; }

  private:
    std::array<QImage, 4> images_;  // normal, hover, normal with arrow, hover with arrow
    std::vector<PopupItem> items_;
    int hover_ = -1;
    PopupResult result_;
    int item_right_;
    int item_height_ = kListItemHeight;
};

}  // namespace velmaro
