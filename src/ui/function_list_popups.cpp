#include "ui/function_list_popups.h"

#include <utility>

namespace velmaro {

CFunctionListPopup::CFunctionListPopup(int kind, const LanguageTable& language,
                                       const PopupItemImages& images, double ui_scale)
    : CListPopup(kind, images, language.Font, ui_scale), language_(language) {}

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

CDPIPopup::CDPIPopup(const LanguageTable& language, const PopupItemImages& images, double ui_scale)
    : CFunctionListPopup(kDpiPopupKind, language, images, ui_scale) {}

void CDPIPopup::InitItems() {
    AddFixedList(kDpiFunctionList);
}

CDPILockPopup::CDPILockPopup(const LanguageTable& language, const PopupItemImages& images,
                             double ui_scale)
    : CFunctionListPopup(kDpiLockPopupKind, language, images, ui_scale) {}

void CDPILockPopup::InitItems() {
    for (size_t i = 0; i < kDpiLockList.size(); ++i) {
        if (std::optional<ButtonChoice> choice = DpiLockChoice(Language(), int(i + 1))) {
            AddFunction(std::u16string(kDpiLockList[i].Label), std::move(*choice));
        }
    }
}

CMultimediaPopup::CMultimediaPopup(const LanguageTable& language, const PopupItemImages& images,
                                   double ui_scale)
    : CFunctionListPopup(kMultimediaPopupKind, language, images, ui_scale) {}

void CMultimediaPopup::InitItems() {
    AddFixedList(kMultimediaList);
}

COfficePopup::COfficePopup(const LanguageTable& language, const PopupItemImages& images,
                           double ui_scale)
    : CFunctionListPopup(kOfficePopupKind, language, images, ui_scale) {}

void COfficePopup::InitItems() {
    AddFixedList(kOfficeList);
}

CWindowsManagePopup::CWindowsManagePopup(const LanguageTable& language,
                                         const PopupItemImages& images, double ui_scale)
    : CFunctionListPopup(kWindowsManagePopupKind, language, images, ui_scale) {}

void CWindowsManagePopup::InitItems() {
    AddFixedList(kWindowsList);
}

}  // namespace velmaro
