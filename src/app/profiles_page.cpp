#include "app/profiles_page.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QString>

#include "app/add_profile_dlg.h"
#include "app/combo_profile_popup.h"
#include "app/edit_profile_dlg.h"
#include "app/main_window.h"
#include "model/profile_edits.h"
#include "model/reason.h"
#include "model/text.h"
#include "model/text_entries.h"
#include "storage/profile_file.h"
#include "storage/settings_file.h"
#include "ui/attention_dlg.h"
#include "ui/image_button.h"

namespace velmaro {

namespace {

constexpr uint16_t kButtonText = 1;
constexpr uint16_t kImportTitle = 142;
constexpr uint16_t kExportTitle = 143;
constexpr uint16_t kMessageNoSlotLeft = 145;
constexpr uint16_t kMessageCurrentProfile = 152;

// Placement, unscaled: the list ends just above the button; the menu opens
// beside the row it was asked from and stays on the screen.
constexpr int kListAboveButton = 201;
constexpr int kMenuBesideList = 225;
constexpr int kMenuRowStep = 25;
constexpr int kMenuRoom = 94;
constexpr int kMenuShiftedRoom = 74;
// The popups size themselves; this is only the rectangle they are given.
constexpr int kPopupNominalSize = 200;

constexpr char kProfileFilter[] = "psf file (*.psf)";

Rect ToScreen(const QWidget& window, const Rect& r) {
    const QPoint g = window.mapToGlobal(QPoint(r.left, r.top));
    return Rect{g.x(), g.y(), g.x() + r.Width(), g.y() + r.Height()};
}

QString FileName(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? path : name;
}

}  // namespace

// --- controls ---------------------------------------------------------------------

void CProfilesPage::InitUI() {
    CKorvaneDlg& w = Window();
    UiContext& ui = w.Ui();
    auto* button = w.MakeControl<CImageButton>(
        kLayer, kProfilesButtonId, ui.ScaledRect(36, 700, 36 + 69, 700 + 20), w.Text(kButtonText));
    button->SetImages(ui.SkinFile("button2_nr.png"), ui.SkinFile("button2_ov.png"));
}

void CProfilesPage::Refresh(const ProfileRecord&) {
    shown_ = LoadShowList(Window().State().Settings);
}

CComboProfilePopup* CProfilesPage::List() const {
    return dynamic_cast<CComboProfilePopup*>(Window().Popup(kProfileListSlot));
}

CListPopup* CProfilesPage::Menu() const {
    return dynamic_cast<CListPopup*>(Window().Popup(kProfileMenuSlot));
}

std::optional<int> CProfilesPage::SlotOfRow(int row) const {
    const int i = row - kProfileFirstRow;
    if (i < 0 || i >= kProfileSlots || rowSlots_[size_t(i)] < 0)
        return std::nullopt;
    return rowSlots_[size_t(i)];
}

// --- messages -----------------------------------------------------------------------

bool CProfilesPage::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    switch (msg) {
        case kProfilesButtonId:
            OnButton(lParam);
            return true;
        case kProfileListMessage:
            OnListReport(wParam, int(lParam));
            return true;
        case kProfileListDeactivated:
            // The menu took the activation: the list stays beside it.
            if (Menu() == nullptr)
                Window().ClosePopup(kProfileListSlot);
            return true;
        case kProfileMenuMessage:
            OnMenuChoice(wParam, lParam);
            return true;
        case kProfileMenuDeactivated:
            if (CListPopup* menu = Menu(); menu == nullptr || !menu->Tracking())
                CloseAll();
            return true;
        default:
            return false;
    }
}

void CProfilesPage::OnButton(intptr_t code) {
    if (code == NotifyHoverMove) {
        listOpenAtLastMove_ = List() != nullptr;
    } else if (code == NotifyClick) {
        // A click while the list is open only closes it (it loses activation).
        if (!listOpenAtLastMove_)
            OpenList();
    }
}

void CProfilesPage::OpenList() {
    CKorvaneDlg& w = Window();
    shown_ = LoadShowList(w.State().Settings);
    const int current = w.State().Settings.CurrentProfile();
    std::array<std::u16string, kProfileSlots> names;
    int marked = 0;
    for (int i = 0; i < kProfileSlots; ++i) {
        rowSlots_[size_t(i)] = -1;
        if (i >= shown_.Count)
            continue;
        const int slot = shown_.Slots[size_t(i)];
        rowSlots_[size_t(i)] = slot;
        names[size_t(i)] = w.State().Profiles[size_t(slot)].Setting(kProfileName);
        if (slot == current)
            marked = kProfileFirstRow + i;
    }
    const Rect button = w.FindControl(kProfilesButtonId)->GetRect();
    const double s = w.Scale();
    const int top = button.bottom - int(kListAboveButton * s);
    const Rect local{button.left, top, button.left + int(kPopupNominalSize * s),
                     top + int(kPopupNominalSize * s)};
    auto* list =
        new CComboProfilePopup(w.Ui(), w.State().Language, MenuItemImages(w.Ui()), names, marked);
    w.OpenPopup(kProfileListSlot, list, ToScreen(w, local), kProfileListMessage, 0);
}

void CProfilesPage::OpenMenu(int row) {
    const std::optional<int> slot = SlotOfRow(row);
    if (!slot)
        return;
    CKorvaneDlg& w = Window();
    const Rect button = w.FindControl(kProfilesButtonId)->GetRect();
    const double s = w.Scale();
    const int left = button.left + int(kMenuBesideList * s);
    int top = button.bottom - int(kListAboveButton * s) + int(kMenuRowStep * s * (row - 1));
    if (const QScreen* screen =
            w.screen() != nullptr ? w.screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        const int windowTop = w.mapToGlobal(QPoint(0, 0)).y() - area.top();
        if (top + windowTop + int(kMenuRoom * s) > area.height())
            top = area.height() - windowTop - int(kMenuShiftedRoom * s);
    }
    const Rect local{left, top, left + int(kPopupNominalSize * s),
                     top + int(kPopupNominalSize * s)};
    auto* menu = new CProfileRKeyPopup(w.Ui(), w.State().Language, MenuItemImages(w.Ui()));
    w.OpenPopup(kProfileMenuSlot, menu, ToScreen(w, local), kProfileMenuMessage,
                kProfileMenuSlotBase + uint32_t(*slot));
}

void CProfilesPage::CloseAll() {
    Window().ClosePopup(kProfileMenuSlot);
    Window().ClosePopup(kProfileListSlot);
}

void CProfilesPage::OnListReport(uintptr_t what, int row) {
    if (what == kProfileListRightClick) {
        OpenMenu(row);
        return;
    }
    if (what != kProfileListChoice)
        return;
    CloseAll();
    if (row == kProfileNewRow) {
        Schedule(shown_.Count >= kProfileSlots ? ProfileAction::NoSlotLeft : ProfileAction::Add, 0);
        return;
    }
    if (const std::optional<int> slot = SlotOfRow(row))
        Window().Core().SwitchProfile(*slot);
}

void CProfilesPage::OnMenuChoice(uintptr_t wParam, intptr_t lParam) {
    const auto* result = reinterpret_cast<const PopupResult*>(lParam);
    const int slot = int(wParam) - int(kProfileMenuSlotBase);
    CloseAll();
    if (result == nullptr || slot < 0 || slot >= kProfileSlots ||
        result->Code[0] > uint8_t(ProfileAction::Remove))
        return;
    Schedule(ProfileAction(result->Code[0]), slot);
}

void CProfilesPage::Schedule(ProfileAction action, int slot) {
    pending_ = action;
    actionSlot_ = slot;
    Window().StartTimer(kProfileActionTimer, kProfileActionDelayMs);
}

bool CProfilesPage::OnTimer(int id) {
    if (id != kProfileActionTimer)
        return false;
    Window().StopTimer(kProfileActionTimer);
    RunAction(pending_, actionSlot_);
    return true;
}

// --- actions ---------------------------------------------------------------------------

void CProfilesPage::RunAction(ProfileAction action, int slot) {
    shown_ = LoadShowList(Window().State().Settings);
    switch (action) {
        case ProfileAction::Import:
            Import(slot);
            break;
        case ProfileAction::Export:
            Export(slot);
            break;
        case ProfileAction::Rename:
            Rename(slot);
            break;
        case ProfileAction::Remove:
            Remove(slot);
            break;
        case ProfileAction::Add:
            Add();
            break;
        case ProfileAction::NoSlotLeft:
            WarnEntry(kMessageNoSlotLeft);
            break;
    }
}

void CProfilesPage::Import(int slot) {
    CKorvaneDlg& w = Window();
    const std::optional<QString> path = w.Chooser().ChooseOpenFile(
        {&w, w.Text(kImportTitle), QString(), QStringLiteral("psf"), kProfileFilter});
    if (!path)
        return;
    // The core reads the whole file before anything is replaced, saves the
    // settings and profiles, and asks for an apply when the slot is current.
    const ProfileReadResult result = w.Core().ImportProfile(slot, path->toStdU16String());
    if (!result.Ok) {
        Warn(w.Text(Reason::Of(text::kImportFailed,
                               {Reason::Text(FileName(*path).toStdU16String()), result.Why})),
             {}, true);
        return;
    }
    TellWriteFailures(result.Report);
}

void CProfilesPage::Export(int slot) {
    CKorvaneDlg& w = Window();
    const QString name =
        QString::fromStdU16String(w.State().Profiles[size_t(slot)].Setting(kProfileName))
            .replace(u'/', u'_');
    const std::optional<QString> path = w.Chooser().ChooseSaveFile(
        {&w, w.Text(kExportTitle), (name.isEmpty() ? w.Text(ProfileLabel(slot)) : name) + ".psf",
         QStringLiteral("psf"), kProfileFilter});
    if (!path)
        return;
    if (!WriteProfileFile(w.State(), slot, path->toStdU16String(), w.Files())) {
        Warn(w.Text(WriteFailure(FileName(*path).toStdU16String(), w.Files().LastErrorText())), {},
             true);
    }
}

void CProfilesPage::Rename(int slot) {
    CKorvaneDlg& w = Window();
    ProfileRecord& record = w.State().Profiles[size_t(slot)];
    CEditProfileDlg dialog(
        w.Ui(), w.State().Language, QString::fromStdU16String(record.Setting(kProfileName)), &w,
        [this](const QString& title, const QString& message) { Warn(message, title); });
    if (w.RunModal(dialog) != QDialog::Accepted)
        return;
    record.Setting(kProfileName) = dialog.Name().toStdU16String();
    SaveAndRefresh();
}

void CProfilesPage::Remove(int slot) {
    CKorvaneDlg& w = Window();
    if (slot == w.State().Settings.CurrentProfile()) {
        WarnEntry(kMessageCurrentProfile);
        return;
    }
    shown_.Hide(slot);
    StoreShowList(w.State().Settings, shown_);
    SaveAndRefresh();
}

void CProfilesPage::Add() {
    CKorvaneDlg& w = Window();
    const std::optional<int> slot = shown_.FirstHidden();
    if (!slot) {
        WarnEntry(kMessageNoSlotLeft);
        return;
    }
    CAddProfileDlg dialog(
        w.Ui(), w.State().Language, &w,
        [this](const QString& title, const QString& message) { Warn(message, title); });
    if (w.RunModal(dialog) != QDialog::Accepted)
        return;
    ProgramState& state = w.State();
    ProfileRecord& record = state.Profiles[size_t(*slot)];
    ResetProfileDefaults(record, *slot, state.Language, state.Sensor.SensorId);
    record.Setting(kProfileName) = dialog.Name().toStdU16String();
    shown_.ShowNext();
    StoreShowList(state.Settings, shown_);
    // Only a settings file can make a hidden slot current; when it is the
    // one reset here, the mouse must follow.
    if (*slot == state.Settings.CurrentProfile())
        w.Core().Writer().MarkChanged(kGroupButtons | kGroupMain | kGroupPower | kGroupWakeup);
    SaveAndRefresh();
}

void CProfilesPage::SaveAndRefresh() {
    CKorvaneDlg& w = Window();
    ProgramState& state = w.State();
    // Without a data folder the program runs on what it holds.
    if (!state.DataFolder.empty()) {
        StorageReport report;
        report.NoteWrite(SaveSettings(state, w.Files()), ToUtf8(SettingsFilePath(state)),
                         w.Files());
        report.Append(WriteAllProfileFiles(state, w.Files()));
        w.RefreshControls();
        TellWriteFailures(report);
        return;
    }
    w.RefreshControls();
}

void CProfilesPage::TellWriteFailures(const StorageReport& report) {
    for (size_t i = 0; i < report.FailedWrites.size(); ++i) {
        const QString file = FileName(QString::fromStdString(report.FailedWrites[i]));
        const std::string why = i < report.WriteErrors.size() ? report.WriteErrors[i] : "";
        Warn(Window().Text(WriteFailure(file.toStdU16String(), why)), {}, true);
    }
}

void CProfilesPage::Warn(const QString& message, const QString& title, bool longText) {
    CKorvaneDlg& w = Window();
    CAttentionDlg dialog(w.Ui(), w.State().Language,
                         title.isEmpty() ? w.Text(kAttentionTitle) : title, message, &w,
                         longText ? AttentionLayout::Long : AttentionLayout::Short);
    w.RunModal(dialog);
}

void CProfilesPage::WarnEntry(uint16_t entry) {
    Warn(Window().Text(entry));
}

}  // namespace velmaro
