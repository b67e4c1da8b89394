// The button assignment page: one field per mouse button (2013..2018), the
// button-function menu with the five lists that open beside it, the two
// dialogs that build a function from the keyboard (key combination, fire
// key), the macro selection, the numbered markers drawn over the mouse
// picture while the pointer rests on a field, and the rule that one button
// keeps the left click.
#pragma once

#include <array>
#include <optional>

#include "app/main_window_page.h"
#include "model/button_functions.h"
#include "model/profile_edits.h"

namespace velmaro {

class CComboButton;
class CStaticImage;
class CListPopup;
struct PopupResult;

inline constexpr uint32_t kButtonFieldFirstId = 2013;  // .. 2018, Keys 0..5
inline constexpr int kButtonFieldCount = 6;
inline constexpr uint32_t kButtonFieldMessage = 0x404;
inline constexpr uint32_t kMacroManagerButtonId = 0x80E;  // 2062
// The numbered markers 1..6 over the mouse picture.
inline constexpr uint32_t kMarkerFirstId = 0xD61;
// Menu and list reports the page handles (see the popups for the rest).
inline constexpr uint32_t kButtonMenuDeactivated = 0x405;
inline constexpr uint32_t kOpenFireKeyDialog = 0x425;
inline constexpr uint32_t kOpenMacroSelection = 0x428;
inline constexpr uint32_t kOpenKeyCombinationDialog = 0x40A;
inline constexpr uint32_t kMacroSelectionClosed = 0x42A;
// The deferred attention message of the left-click rule (100 ms).
inline constexpr int kLeftClickTimer = 20;
inline constexpr int kLeftClickDelayMs = 100;
// Popup slots of the main window.
inline constexpr int kButtonMenuSlot = 1;

class CButtonPage : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 0 of the main window.
    static constexpr int kLayer = 0;

    void InitUI() override;
    bool OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    void Refresh(const ProfileRecord& profile) override;
    bool OnTimer(int id) override;

    // The five lists beside the menu, in the order of the FunctionList enum.
    static constexpr int kListCount = 5;

    CComboButton* Field(int index) const { return fields_.at(size_t(index)); }
    // The open menu and lists (null when closed).
    CListPopup* Menu() const;
    CListPopup* List(FunctionList list) const;
    // The marker drawn over the mouse picture: 1..6, or none.
    std::optional<int> Marker() const;
    // The field a dialog was opened for, as Keys index; none when no dialog.
    std::optional<int> PendingField() const { return pending_; }

  private:
    void OnFieldNotify(uint32_t fieldId, intptr_t code);
    void OpenMenu(int field);
    void OpenList(FunctionList list, uint32_t fieldId);
    void CloseLists();
    void CloseMenu();
    void RaiseLists();
    void OnMenuDeactivated(uint32_t fieldId);
    void OnListDeactivated(FunctionList list, uint32_t fieldId);
    void OnDialogEntry(uint32_t openMessage, uint32_t fieldId);
    void StoreChoice(int field, const PopupResult& result, std::optional<FunctionList> from);
    void Assign(int field, const ButtonChoice& choice, const MacroRecord* macro);
    // Marks what changed for the writer, or starts the left-click message.
    void Finish(const EditResult& result);
    void RunFireKeyDialog();
    void RunKeyCombinationDialog();
    void RunMacroSelection();
    void TakeSelectedMacro();
    void SetActive(int field, bool active);
    void RepaintField(int field);
    void RepaintMouse();
    void ShowMarker(bool shown, int number);
    Rect MenuRect(int field, bool* shifted) const;

    std::array<CComboButton*, kButtonFieldCount> fields_{};
    std::array<CStaticImage*, kButtonFieldCount> markers_{};
    bool markerShown_ = false;
    int marker_ = 1;
    // The menu's field and whether it was shifted up to fit the screen.
    int menuField_ = -1;
    bool menuShifted_ = false;
    int menuTop_ = 0;
    std::optional<int> pending_;
};

}  // namespace velmaro
