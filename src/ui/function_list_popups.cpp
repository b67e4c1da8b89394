#include "ui/function_list_popups.h"

#include <utility>

namespace velmaro {

CFunctionListPopup::CFunctionListPopup(UiContext& ui, int kind, const LanguageTable& language,
                                       const PopupItemImages& images)
    : CListPopup(ui, kind, images), language_(language) {}

const ButtonChoice* CFunctionListPopup::ChoiceOf(int id) const {
    if (id < 1 || size_t(id) > choices_.size()) {
        return nullptr;
    }
    return &choices_[size_t(id - 1)];
}

void CFunctionListPopup::AddFunction(std::u16string caption, ButtonChoice choice) {
    const KeyValue code = choice.Value;
    choices_.push_back(std::move(choice));
    AddItem(int(choices_.size()), std::move(caption), code);
}

void CFunctionListPopup::FillResult(const PopupItem& item, PopupResult& result) const {
    if (const ButtonChoice* choice = ChoiceOf(item.Id)) {
        result.Name = choice->Name;
        result.Code = choice->Value;
    } else {
        CListPopup::FillResult(item, result);
    }
}

CDPIPopup::CDPIPopup(UiContext& ui, const LanguageTable& language, const PopupItemImages& images)
    : CFunctionListPopup(ui, kDpiPopupKind, language, images) {}

void CDPIPopup::InitItems() {
    AddFixedList(kDpiFunctionList);
}

CDPILockPopup::CDPILockPopup(UiContext& ui, const LanguageTable& language,
                             const PopupItemImages& images)
    : CFunctionListPopup(ui, kDpiLockPopupKind, language, images) {}

void CDPILockPopup::InitItems() {
    for (size_t i = 0; i < kDpiLockList.size(); ++i) {
        if (std::optional<ButtonChoice> choice = DpiLockChoice(Language(), int(i + 1))) {
            AddFunction(std::u16string(kDpiLockList[i].Label), std::move(*choice));
        }
    }
}

CMultimediaPopup::CMultimediaPopup(UiContext& ui, const LanguageTable& language,
                                   const PopupItemImages& images)
    : CFunctionListPopup(ui, kMultimediaPopupKind, language, images) {}

void CMultimediaPopup::InitItems() {
    AddFixedList(kMultimediaList);
}

COfficePopup::COfficePopup(UiContext& ui, const LanguageTable& language,
                           const PopupItemImages& images)
    : CFunctionListPopup(ui, kOfficePopupKind, language, images) {}

void COfficePopup::InitItems() {
    AddFixedList(kOfficeList);
}

CWindowsManagePopup::CWindowsManagePopup(UiContext& ui, const LanguageTable& language,
                                         const PopupItemImages& images)
    : CFunctionListPopup(ui, kWindowsManagePopupKind, language, images) {}

void CWindowsManagePopup::InitItems() {
    AddFixedList(kWindowsList);
}

}  // namespace velmaro
