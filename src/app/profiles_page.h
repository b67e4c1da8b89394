// The profiles page: one button (3502) opens the list of the shown profiles.
// A row switches to its profile (only what differs from the mouse's settings
// is sent), the last row adds a profile, and a right click on a row opens
// the profile menu (import, export, rename, remove). Actions chosen in a
// popup run 100 ms later (timer 60), once the popups are gone.
#pragma once

#include <array>
#include <optional>

#include <QString>

#include "app/main_window_page.h"
#include "app/profile_rkey_popup.h"
#include "model/profile_show_list.h"

namespace velmaro {

class CComboProfilePopup;
class CListPopup;
struct StorageReport;

inline constexpr uint32_t kProfilesButtonId = 0xDAE;  // 3502
inline constexpr int kProfileActionTimer = 60;
inline constexpr int kProfileActionDelayMs = 100;
// Popup slots of the main window.
inline constexpr int kProfileListSlot = 7;
inline constexpr int kProfileMenuSlot = 8;

class CProfilesPage : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    // Layer 0 of the main window.
    static constexpr int kLayer = 0;

    void InitUI() override;
    bool OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    void Refresh(const ProfileRecord& profile) override;
    bool OnTimer(int id) override;

    // The open list and menu (null when closed).
    CComboProfilePopup* List() const;
    CListPopup* Menu() const;
    // The working copy of the show list (as of the last refresh).
    const ProfileShowList& ShowList() const { return shown_; }
    // The slot a list row carries; none for the header, the new-profile row
    // and rows without a profile.
    std::optional<int> SlotOfRow(int row) const;

  private:
    void OnButton(intptr_t code);
    void OpenList();
    void OpenMenu(int row);
    void CloseAll();
    void OnListReport(uintptr_t what, int row);
    void OnMenuChoice(uintptr_t wParam, intptr_t lParam);
    void Schedule(ProfileAction action, int slot);
    void RunAction(ProfileAction action, int slot);
    void Import(int slot);
    void Export(int slot);
    void Rename(int slot);
    void Remove(int slot);
    void Add();
    // The settings and the five profile files to disk, then every page
    // refreshes; a file that could not be written is reported.
    void SaveAndRefresh();
    void TellWriteFailures(const StorageReport& report);
    // The attention dialog; an empty title is the usual one (entry 150).
    // File messages carry paths and reasons: they get the long layout.
    void Warn(const QString& message, const QString& title = {}, bool longText = false);
    void WarnEntry(uint16_t entry);

    ProfileShowList shown_;
    // The rows of the open list: slot per row 2..6, -1 for an empty row.
    std::array<int, kProfileSlots> rowSlots_{-1, -1, -1, -1, -1};
    // Whether the list was open at the pointer's last move over the button.
    bool listOpenAtLastMove_ = false;
    ProfileAction pending_ = ProfileAction::Import;
    int actionSlot_ = 0;
};

}  // namespace velmaro
