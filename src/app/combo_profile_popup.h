// The list the profiles button opens: a header row, one row per shown
// profile in show-list order (rows 2 to 6, empty rows for the rest) and the
// new-profile row (7). The current profile's row carries a mark. A click on
// a selectable row reports (0x465, 2, row); a right click on a profile row
// reports (0x465, 11, row), which opens the profile menu beside it.
#pragma once

#include <array>
#include <string>

#include "model/language_table.h"
#include "ui/list_popup.h"

namespace velmaro {

// Kind 7: losing activation sends 0x466.
inline constexpr int kProfileListKind = 7;
inline constexpr uint32_t kProfileListMessage = 0x465;
inline constexpr uint32_t kProfileListDeactivated = 0x466;
// wParam of the list's reports.
inline constexpr uintptr_t kProfileListChoice = 2;
inline constexpr uintptr_t kProfileListRightClick = 11;
// Rows, numbered from 1.
inline constexpr int kProfileHeaderRow = 1;
inline constexpr int kProfileFirstRow = 2;
inline constexpr int kProfileNewRow = 7;
// Unscaled geometry: rows of 25 units, as wide as the room left of the menu.
inline constexpr int kProfileRowHeight = 25;
inline constexpr int kProfileListItemRight = 224;

class CComboProfilePopup : public CListPopup {
  public:
    // `names` are the captions of rows 2 to 6 (empty: a row without a
    // profile); `marked` is the row of the current profile, 0 for none.
    CComboProfilePopup(UiContext& ui, const LanguageTable& language, const PopupItemImages& images,
                       const std::array<std::u16string, kProfileSlots>& names, int marked);

    int MarkedRow() const { return marked_; }
    // The row at a client point; 0 outside every row.
    int RowAt(Point point) const;

  protected:
    void InitItems() override;
    bool IsSelectable(const PopupItem& item) const override;
    void DrawPopup(QPainter& painter, const Rect& clientRect) override;
    void ChooseItem(const PopupItem& item) override;
    bool OnPopupRButtonUp(Point point) override;

  private:
    const LanguageTable& language_;
    std::array<std::u16string, kProfileSlots> names_;
    int marked_;
};

}  // namespace velmaro
