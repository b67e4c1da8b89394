#include "app/profile_rkey_popup.h"

namespace velmaro {

namespace {

// Entries 90 to 93 name the actions 0 to 3.
constexpr uint16_t kFirstActionText = 90;
constexpr int kMenuActions = 4;

}  // namespace

CProfileRKeyPopup::CProfileRKeyPopup(UiContext& ui, const LanguageTable& language,
                                     const PopupItemImages& images)
    : CListPopup(ui, kProfileMenuKind, images), language_(language) {}

void CProfileRKeyPopup::InitItems() {
    for (int action = 0; action < kMenuActions; ++action)
        AddItem(action + 1, language_.Text(size_t(kFirstActionText + action)),
                KeyValue{uint8_t(action), 0, 0});
}

}  // namespace velmaro
