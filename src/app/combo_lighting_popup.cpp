#include "app/combo_lighting_popup.h"

#include "model/profile_edits.h"

namespace velmaro {

CComboLightingPopup::CComboLightingPopup(UiContext& ui, const LanguageTable& language,
                                         const PopupItemImages& images)
    : CListPopup(ui, kLightingPopupKind, images, kLightingPopupItemRight), language_(language) {}

void CComboLightingPopup::InitItems() {
    for (int mode = 0; mode < kLightingModes; ++mode) {
        if (!IsOfferedLightingMode(mode))
            continue;
        // Item ids are the mode numbers plus one (0 stands for no item).
        AddItem(mode + 1, language_.Text(size_t(LightingModeNameEntry(mode))),
                KeyValue{uint8_t(mode), 0, 0});
    }
}

}  // namespace velmaro
