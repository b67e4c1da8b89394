#include "app/button_page.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "app/fire_key_dlg.h"
#include "app/macro/macro_select_dlg.h"
#include "app/macro_manager_opener.h"
#include "app/main_window.h"
#include "app/shortcut_dlg.h"
#include "skin_layout.h"
#include "ui/attention_dlg.h"
#include "ui/combo_button.h"
#include "ui/combo_popup.h"
#include "ui/function_list_popups.h"
#include "ui/image_button.h"
#include "ui/static_image.h"

namespace velmaro {

namespace layout = velmaro::skin_layout;

namespace {

// Per list: the message that opens it, its choice and deactivation
// messages, and its place below the field (A) or below a shifted menu (B).
struct ListRoute {
    FunctionList List;
    uint32_t Open;
    uint32_t Choice;
    uint32_t Deactivated;
    int BelowField;
    int BelowShiftedMenu;
};

constexpr std::array<ListRoute, CButtonPage::kListCount> kLists{{
    {FunctionList::Dpi, kComboMenuOpenDpiList, kDpiListChoiceMessage, 0x412, 102, 118},
    {FunctionList::DpiLock, kComboMenuOpenDpiLockList, kDpiLockListChoiceMessage, 0x484, 296, 118},
    {FunctionList::Multimedia, kComboMenuOpenMultimediaList, kMultimediaListChoiceMessage, 0x415,
     213, 89},
    {FunctionList::Office, kComboMenuOpenOfficeList, kOfficeListChoiceMessage, 0x48A, 235, 110},
    {FunctionList::Windows, kComboMenuOpenWindowsList, kWindowsListChoiceMessage, 0x487, 257, 176},
}};

const ListRoute& RouteOf(FunctionList list) {
    return kLists[size_t(list)];
}

int ListSlot(FunctionList list) {
    return kButtonMenuSlot + 1 + int(list);
}

// The menu is placed below the field; a menu that would leave the screen
// (its 314 units) is moved up.
constexpr int kMenuRoom = 314;
constexpr int kMenuShiftedRoom = 294;
constexpr int kMenuLeftOffset = 161;
constexpr int kMenuUp = 20;
// The popups size themselves; this is only the rectangle they are given.
constexpr int kPopupNominalSize = 300;

}  // namespace

// --- controls and drawing -------------------------------------------------------

void CButtonPage::InitUI() {
    CKorvaneDlg& w = Window();
    UiContext& ui = w.Ui();
    for (int i = 0; i < kButtonFieldCount; ++i) {
        const layout::Rect r = layout::ButtonField(i);
        auto* field = w.MakeControl<CComboButton>(
            kLayer, kButtonFieldFirstId + uint32_t(i),
            ui.ScaledRect(r.left, r.top, r.right(), r.bottom()), QString(), kButtonFieldMessage,
            kDtCenter, QStringLiteral("Disable"));
        field->SetImages(ui.SkinFile("combo2_nr.png"), ui.SkinFile("combo2_ov.png"));
        fields_[size_t(i)] = field;
    }
    // The markers lie over the mouse picture (created before the pages), so
    // they are controls of their own, shown one at a time.
    for (int i = 0; i < kButtonFieldCount; ++i) {
        const layout::Point at = layout::kButtonMarkers[i];
        auto* marker = w.MakeControl<CStaticImage>(
            kLayer, kMarkerFirstId + uint32_t(i),
            ui.ScaledRect(at.x, at.y, at.x + layout::kMarkerSize, at.y + layout::kMarkerSize),
            QString());
        marker->SetImage(ui.SkinFile(QString("mouse/number%1.png").arg(i + 1)));
        marker->SetVisible(false);
        markers_[size_t(i)] = marker;
    }
    // The macro manager, under the last field at its right edge.
    const layout::Rect last = layout::ButtonField(kButtonFieldCount - 1);
    auto* macros = w.MakeControl<CImageButton>(
        kLayer, kMacroManagerButtonId,
        ui.ScaledRect(last.right() - 69, last.bottom() + 4, last.right(), last.bottom() + 24),
        w.Text(8));
    macros->SetImages(ui.SkinFile("button2_nr.png"), ui.SkinFile("button2_ov.png"));
}

void CButtonPage::Refresh(const ProfileRecord& profile) {
    for (int i = 0; i < kButtonFieldCount; ++i) {
        if (fields_[size_t(i)] != nullptr)
            fields_[size_t(i)]->SetValueText(
                QString::fromStdU16String(profile.Keys[size_t(i)].KeyName));
    }
}

void CButtonPage::ShowMarker(bool shown, int number) {
    markerShown_ = shown;
    marker_ = number;
    for (int i = 0; i < kButtonFieldCount; ++i) {
        if (markers_[size_t(i)] != nullptr)
            markers_[size_t(i)]->SetVisible(shown && i + 1 == number);
    }
    RepaintMouse();
}

std::optional<int> CButtonPage::Marker() const {
    if (!markerShown_)
        return std::nullopt;
    return marker_;
}

CListPopup* CButtonPage::Menu() const {
    return dynamic_cast<CListPopup*>(Window().Popup(kButtonMenuSlot));
}

CListPopup* CButtonPage::List(FunctionList list) const {
    return dynamic_cast<CListPopup*>(Window().Popup(ListSlot(list)));
}

void CButtonPage::RepaintField(int field) {
    if (field >= 0 && field < kButtonFieldCount && fields_[size_t(field)] != nullptr)
        Window().InvalidateRect(fields_[size_t(field)]->GetRect());
}

void CButtonPage::RepaintMouse() {
    const UiContext& ui = Window().Ui();
    Window().InvalidateRect(ui.ScaledRect(layout::kMousePicture.x, layout::kMousePicture.y,
                                          layout::kMousePicture.x + layout::kMousePictureWidth,
                                          layout::kMousePicture.y + layout::kMousePictureHeight));
}

void CButtonPage::SetActive(int field, bool active) {
    if (field < 0 || field >= kButtonFieldCount)
        return;
    fields_[size_t(field)]->SetActive(active);
    RepaintField(field);
}

// --- messages ---------------------------------------------------------------------

bool CButtonPage::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    const auto field = int(wParam) - int(kButtonFieldFirstId);
    const auto* result = reinterpret_cast<const PopupResult*>(lParam);
    switch (msg) {
        case kButtonFieldMessage:
            OnFieldNotify(uint32_t(wParam), lParam);
            return true;
        case kComboMenuChoiceMessage:
            // A press on entries 1 to 4 (wParam 0): the lists stay in front.
            if (wParam == 0)
                RaiseLists();
            else if (result != nullptr)
                StoreChoice(field, *result, std::nullopt);
            return true;
        case kComboMenuPlainHoverMessage:
            CloseLists();
            return true;
        case kButtonMenuDeactivated:
            OnMenuDeactivated(uint32_t(wParam));
            return true;
        case kComboMenuFireKeyDialog:
            OnDialogEntry(kOpenFireKeyDialog, uint32_t(wParam));
            return true;
        case kComboMenuMacroSelection:
            OnDialogEntry(kOpenMacroSelection, uint32_t(wParam));
            return true;
        case kComboMenuKeyCombination:
            OnDialogEntry(kOpenKeyCombinationDialog, uint32_t(wParam));
            return true;
        case kOpenFireKeyDialog:
            RunFireKeyDialog();
            return true;
        case kOpenKeyCombinationDialog:
            RunKeyCombinationDialog();
            return true;
        case kOpenMacroSelection:
            RunMacroSelection();
            return true;
        case kFireKeyChoiceMessage:
        case kShortcutChoiceMessage:
            if (pending_ && result != nullptr)
                StoreChoice(*pending_, *result, std::nullopt);
            return true;
        case kMacroSelectionClosed:
            TakeSelectedMacro();
            return true;
        case kMacroManagerButtonId:
            if (lParam == NotifyClick)
                RunMacroManager(Window());
            return true;
        default:
            break;
    }
    for (const ListRoute& route : kLists) {
        if (msg == route.Open) {
            OpenList(route.List, uint32_t(wParam));
            return true;
        }
        if (msg == route.Choice) {
            if (result != nullptr)
                StoreChoice(field, *result, route.List);
            return true;
        }
        if (msg == route.Deactivated) {
            OnListDeactivated(route.List, uint32_t(wParam));
            return true;
        }
    }
    return false;
}

void CButtonPage::OnFieldNotify(uint32_t fieldId, intptr_t code) {
    const int field = int(fieldId) - int(kButtonFieldFirstId);
    if (field < 0 || field >= kButtonFieldCount)
        return;
    switch (code) {
        case NotifyClick:
            OpenMenu(field);
            break;
        case NotifyHover:
            ShowMarker(true, field + 1);
            break;
        case NotifyLeave:
            ShowMarker(false, marker_);
            break;
        default:
            break;
    }
}

// --- the menu and its lists ---------------------------------------------------------

Rect CButtonPage::MenuRect(int field, bool* shifted) const {
    const CKorvaneDlg& w = Window();
    const Rect f = fields_[size_t(field)]->GetRect();
    const double scale = w.Scale();
    const int left = f.left + int(kMenuLeftOffset * scale);
    int top = f.bottom - int(kMenuUp * scale);
    *shifted = false;
    if (const QScreen* screen =
            w.screen() != nullptr ? w.screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        const int windowTop = w.mapToGlobal(QPoint(0, 0)).y() - area.top();
        if (top + windowTop + int(kMenuRoom * scale) > area.height()) {
            top = area.height() - windowTop - int(kMenuShiftedRoom * scale);
            *shifted = true;
        }
    }
    return Rect{left, top, left + int(kPopupNominalSize * scale),
                top + int(kPopupNominalSize * scale)};
}

namespace {

Rect ToScreen(const QWidget& window, const Rect& r) {
    const QPoint g = window.mapToGlobal(QPoint(r.left, r.top));
    return Rect{g.x(), g.y(), g.x() + (r.right - r.left), g.y() + (r.bottom - r.top)};
}

}  // namespace

void CButtonPage::OpenMenu(int field) {
    CKorvaneDlg& w = Window();
    // Another field's menu goes, with its lists.
    CloseLists();
    if (menuField_ >= 0 && menuField_ != field)
        SetActive(menuField_, false);
    w.ClosePopup(kButtonMenuSlot);
    SetActive(field, true);

    bool shifted = false;
    const Rect local = MenuRect(field, &shifted);
    menuField_ = field;
    menuShifted_ = shifted;
    menuTop_ = local.top;
    auto* menu = new CComboPopup(w.Ui(), w.State().Language, MenuItemImages(w.Ui()));
    if (!w.OpenPopup(kButtonMenuSlot, menu, ToScreen(w, local), kComboMenuChoiceMessage,
                     kButtonFieldFirstId + uint32_t(field))) {
        SetActive(field, false);
        menuField_ = -1;
    }
}

void CButtonPage::OpenList(FunctionList list, uint32_t fieldId) {
    const int field = int(fieldId) - int(kButtonFieldFirstId);
    if (field < 0 || field >= kButtonFieldCount || List(list) != nullptr)
        return;
    CloseLists();
    CKorvaneDlg& w = Window();
    UiContext& ui = w.Ui();
    const LanguageTable& language = w.State().Language;
    const PopupItemImages images = MenuItemImages(ui);
    CListPopup* popup = nullptr;
    switch (list) {
        case FunctionList::Dpi:
            popup = new CDPIPopup(ui, language, images);
            break;
        case FunctionList::DpiLock:
            popup = new CDPILockPopup(ui, language, images);
            break;
        case FunctionList::Multimedia:
            popup = new CMultimediaPopup(ui, language, images);
            break;
        case FunctionList::Office:
            popup = new COfficePopup(ui, language, images);
            break;
        case FunctionList::Windows:
            popup = new CWindowsManagePopup(ui, language, images);
            break;
    }
    const ListRoute& route = RouteOf(list);
    const Rect f = fields_[size_t(field)]->GetRect();
    const double scale = w.Scale();
    const int left = f.right + int(kMenuLeftOffset * scale);
    const int top = menuShifted_ && menuField_ == field
                        ? menuTop_ + int(route.BelowShiftedMenu * scale)
                        : f.bottom + int(route.BelowField * scale);
    const Rect local{left, top, left + int(kPopupNominalSize * scale),
                     top + int(kPopupNominalSize * scale)};
    w.OpenPopup(ListSlot(list), popup, ToScreen(w, local), route.Choice, fieldId);
}

void CButtonPage::CloseLists() {
    for (const ListRoute& route : kLists) {
        if (List(route.List) != nullptr)
            Window().ClosePopup(ListSlot(route.List));
    }
}

void CButtonPage::CloseMenu() {
    Window().ClosePopup(kButtonMenuSlot);
    menuField_ = -1;
}

void CButtonPage::RaiseLists() {
    for (const ListRoute& route : kLists) {
        if (CListPopup* list = List(route.List))
            list->raise();
    }
}

void CButtonPage::OnMenuDeactivated(uint32_t fieldId) {
    // The pointer went over to an open list: the menu stays.
    for (const ListRoute& route : kLists) {
        if (List(route.List) != nullptr)
            return;
    }
    SetActive(int(fieldId) - int(kButtonFieldFirstId), false);
    CloseMenu();
}

void CButtonPage::OnListDeactivated(FunctionList list, uint32_t fieldId) {
    if (List(list) == nullptr)
        return;
    // Back on the menu: the menu decides what opens next.
    if (CListPopup* menu = Menu(); menu != nullptr && menu->Tracking())
        return;
    const int field = int(fieldId) - int(kButtonFieldFirstId);
    RepaintField(field);
    Window().ClosePopup(ListSlot(list));
    for (const ListRoute& route : kLists) {
        if (List(route.List) != nullptr)
            return;
    }
    CloseMenu();
    SetActive(field, false);
}

// --- choices --------------------------------------------------------------------------

void CButtonPage::StoreChoice(int field, const PopupResult& result,
                              std::optional<FunctionList> from) {
    if (field < 0 || field >= kButtonFieldCount)
        return;
    fields_[size_t(field)]->SetValueText(QString::fromStdU16String(result.Name));
    SetActive(field, false);
    CloseMenu();
    if (from)
        Window().ClosePopup(ListSlot(*from));
    CloseLists();
    Assign(field, ButtonChoice{result.Name, result.Code}, nullptr);
}

void CButtonPage::Assign(int field, const ButtonChoice& choice, const MacroRecord* macro) {
    CKorvaneDlg& w = Window();
    Finish(AssignChoice(w.Profile(), w.State().Language, field, choice, macro));
}

void CButtonPage::Finish(const EditResult& r) {
    CKorvaneDlg& w = Window();
    if (r.Accepted()) {
        w.MarkChanged(r.Dirty);
    } else if (r.Refusal == EditRefusal::LeftClickRequired) {
        // The button got the left click back. When that changed it (no button
        // had the left click before), the mouse must hear of it too.
        if (r.Dirty != DirtyGroups{})
            w.MarkChanged(r.Dirty);
        w.StartTimer(kLeftClickTimer, kLeftClickDelayMs);
    }
    w.RefreshControls();
}

bool CButtonPage::OnTimer(int id) {
    if (id != kLeftClickTimer)
        return false;
    CKorvaneDlg& w = Window();
    w.StopTimer(kLeftClickTimer);
    CAttentionDlg dialog(w.Ui(), w.State().Language, w.Text(kAttentionTitle),
                         w.Text(kMessageLeftClickRequired), &w);
    w.RunModal(dialog);
    return true;
}

// --- dialogs ----------------------------------------------------------------------------

void CButtonPage::OnDialogEntry(uint32_t openMessage, uint32_t fieldId) {
    const int field = int(fieldId) - int(kButtonFieldFirstId);
    if (field < 0 || field >= kButtonFieldCount)
        return;
    SetActive(field, false);
    CloseLists();
    CloseMenu();
    pending_ = field;
    // The dialog opens once the menu is gone.
    Window().PostMessage(openMessage, fieldId, 0);
}

void CButtonPage::RunFireKeyDialog() {
    if (!pending_)
        return;
    CKorvaneDlg& w = Window();
    CFireKeyDlg dialog(w.Ui(), w.State().Language, &w, [&w](uint16_t message) {
        CAttentionDlg attention(w.Ui(), w.State().Language, w.Text(kAttentionTitle),
                                w.Text(message), &w);
        w.RunModal(attention);
    });
    w.RunModal(dialog);
    pending_.reset();
}

void CButtonPage::RunKeyCombinationDialog() {
    if (!pending_)
        return;
    CKorvaneDlg& w = Window();
    CShortcutDlg dialog(w.Ui(), w.State().Language, &w);
    w.RunModal(dialog);
    pending_.reset();
}

void CButtonPage::RunMacroSelection() {
    if (!pending_)
        return;
    CKorvaneDlg& w = Window();
    CMacroSelectDlg dialog(
        w.Ui(), w.State().Language, w.Core().Library(), &w, [&w](uint16_t message) {
            CAttentionDlg attention(
                w.Ui(), w.State().Language, w.Text(kAttentionTitle), w.Text(message), &w,
                message == kMessageMacroTooLong ? AttentionLayout::Long : AttentionLayout::Short);
            w.RunModal(attention);
        });
    w.RunModal(dialog);
    pending_.reset();
}

void CButtonPage::TakeSelectedMacro() {
    if (!pending_)
        return;
    CKorvaneDlg& w = Window();
    const int field = *pending_;
    const MacroLibrary& library = w.Core().Library();
    const MacroItem* item = library.ItemAt(library.SelectedLocation);
    const bool isMacro = item != nullptr && item->IsUsed() && !item->IsFolder() && item->Macro;
    const EditResult r =
        AssignMacro(w.Profile(), w.State().Language, field, isMacro ? item->Macro.get() : nullptr,
                    isMacro ? std::u16string_view(item->MacroItemName) : std::u16string_view());
    SetActive(field, false);
    Finish(r);
}

}  // namespace velmaro
