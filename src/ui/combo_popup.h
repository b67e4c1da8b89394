// The button-function menu: the sixteen functions a mouse button can take,
// shown when a button's assignment field is clicked. Entries that open a list
// (DPI, multimedia, office, Windows, DPI lock) carry the submenu arrow and ask
// the owner to open their list as soon as the pointer rests on them; entries
// that open a dialog report their own message; the others are direct choices.
#pragma once

#include <cstdint>
#include <optional>

#include "model/button_functions.h"
#include "ui/list_popup.h"

namespace velmaro {

inline constexpr int kComboPopupKind = 0;
// The choice message the main window gives the menu.
inline constexpr uint32_t kComboMenuChoiceMessage = 0x403;
// Pointer on an entry without a list: close the open lists.
inline constexpr uint32_t kComboMenuPlainHoverMessage = 0x409;
// Pointer on an entry with a list: open it.
inline constexpr uint32_t kComboMenuOpenDpiList = 0x410;
inline constexpr uint32_t kComboMenuOpenMultimediaList = 0x413;
inline constexpr uint32_t kComboMenuOpenDpiLockList = 0x482;
inline constexpr uint32_t kComboMenuOpenWindowsList = 0x485;
inline constexpr uint32_t kComboMenuOpenOfficeList = 0x488;
// Click on an entry that opens a dialog.
inline constexpr uint32_t kComboMenuFireKeyDialog = 0x426;
inline constexpr uint32_t kComboMenuMacroSelection = 0x429;
inline constexpr uint32_t kComboMenuKeyCombination = 0x40B;

// The message a menu entry sends when the pointer comes onto it (lists) or
// when it is clicked (dialogs); none for the others.
std::optional<uint32_t> ComboMenuListMessage(MenuOpens opens);
std::optional<uint32_t> ComboMenuDialogMessage(MenuOpens opens);

// Items carry ids 1..16, the menu entry numbers.
//
// To the owner, with wParam = data (the field that opened the menu):
//  - pointer onto an entry with a list: that list's open message, lParam 0;
//  - pointer onto any other entry: (0x409, data, 0);
//  - click on a direct choice: (message, data, address of the result: the
//    entry's name and bytes);
//  - click on an entry with a dialog: its dialog message, lParam 0;
//  - click on an entry with a list: nothing (it opened on hover);
//  - press on entries 1 to 4: (message, 0, 0), so the owner brings the open
//    lists to the front.
class CComboPopup : public CListPopup {
  public:
    CComboPopup(UiContext& ui, const LanguageTable& language, const PopupItemImages& images);

  protected:
    void InitItems() override;
    void OnItemHovered(const PopupItem& item) override;
    void ChooseItem(const PopupItem& item) override;
    bool OnPopupLButtonDown(Point point) override;

  private:
    const LanguageTable& language_;
};

}  // namespace velmaro
