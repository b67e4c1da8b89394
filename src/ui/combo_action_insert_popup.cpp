#include "ui/combo_action_insert_popup.h"

#include <array>

namespace velmaro {

namespace {

constexpr std::array<uint16_t, kMacroInsertKindCount> kKindEntries = {20, 21, 22, 205, 206};

}  // namespace

uint16_t MacroInsertKindEntry(MacroInsertKind kind) {
    return kKindEntries.at(size_t(kind));
}

CComboActionInsertPopup::CComboActionInsertPopup(UiContext& ui, const LanguageTable& language,
                                                 int kind, const PopupItemImages& images)
    : CListPopup(ui, kind, images), language_(language) {}

void CComboActionInsertPopup::InitItems() {
    for (int i = 0; i < kMacroInsertKindCount; ++i) {
        const auto kind = MacroInsertKind(i);
        AddItem(i, language_.Text(MacroInsertKindEntry(kind)), KeyValue{uint8_t(i), 0, 0});
    }
}

}  // namespace velmaro
