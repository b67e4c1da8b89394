#include "ui/combo_popup.h"

namespace velmaro {

namespace {

const ButtonMenuEntry* EntryOf(const PopupItem& item) {
    if (item.Id < 1 || size_t(item.Id) > kButtonFunctionMenu.size()) {
        return nullptr;
    }
    return &kButtonFunctionMenu[size_t(item.Id - 1)];
}

// Entries 1 to 4 (left, right, middle click, forward).
constexpr int kLastFrontingEntry = 4;

}  // namespace

std::optional<uint32_t> ComboMenuListMessage(MenuOpens opens) {
    switch (opens) {
        case MenuOpens::DpiFunctionList:
            return kComboMenuOpenDpiList;
        case MenuOpens::MultimediaList:
            return kComboMenuOpenMultimediaList;
        case MenuOpens::OfficeList:
            return kComboMenuOpenOfficeList;
        case MenuOpens::WindowsList:
            return kComboMenuOpenWindowsList;
        case MenuOpens::DpiLockList:
            return kComboMenuOpenDpiLockList;
        default:
            return std::nullopt;
    }
}

std::optional<uint32_t> ComboMenuDialogMessage(MenuOpens opens) {
    switch (opens) {
        case MenuOpens::FireKeyDialog:
            return kComboMenuFireKeyDialog;
        case MenuOpens::MacroSelection:
            return kComboMenuMacroSelection;
        case MenuOpens::KeyCombinationDialog:
            return kComboMenuKeyCombination;
        default:
            return std::nullopt;
    }
}

CComboPopup::CComboPopup(UiContext& ui, const LanguageTable& language,
                         const PopupItemImages& images)
    : CListPopup(ui, kComboPopupKind, images), language_(language) {}

void CComboPopup::InitItems() {
    for (size_t i = 0; i < kButtonFunctionMenu.size(); ++i) {
        const ButtonMenuEntry& entry = kButtonFunctionMenu[i];
        const bool opens_list = ComboMenuListMessage(entry.Opens).has_value();
        AddItem(int(i + 1), language_.Text(entry.NameEntry), entry.Value, opens_list);
    }
}

void CComboPopup::OnItemHovered(const PopupItem& item) {
    const ButtonMenuEntry* entry = EntryOf(item);
    if (entry == nullptr) {
        return;
    }
    const std::optional<uint32_t> list = ComboMenuListMessage(entry->Opens);
    NotifyOwner(list.value_or(kComboMenuPlainHoverMessage), Data(), 0);
}

void CComboPopup::ChooseItem(const PopupItem& item) {
    const ButtonMenuEntry* entry = EntryOf(item);
    if (entry == nullptr) {
        return;
    }
    if (const std::optional<uint32_t> dialog = ComboMenuDialogMessage(entry->Opens)) {
        NotifyOwner(*dialog, Data(), 0);
        return;
    }
    const std::optional<ButtonChoice> choice = MenuChoice(language_, *entry);
    if (!choice) {
        return;  // a list entry: its list opened on hover
    }
    MutableResult() = {choice->Name, choice->Value};
    NotifyOwner(Message(), Data(), reinterpret_cast<intptr_t>(&Result()));
}

bool CComboPopup::OnPopupLButtonDown(Point point) {
    const bool changed = CListPopup::OnPopupLButtonDown(point);
    const PopupItem* item = HoveredItem();
    if (item != nullptr && item->Id >= 1 && item->Id <= kLastFrontingEntry) {
        NotifyOwner(Message(), 0, 0);
    }
    return changed;
}

}  // namespace velmaro
