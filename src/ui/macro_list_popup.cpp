#include "ui/macro_list_popup.h"

namespace velmaro {

namespace {

constexpr uint16_t kFirstCommandEntry = 245;

bool Offered(MacroTreeCommand command, MacroTreeSelection selection) {
    switch (command) {
        case MacroTreeCommand::ExportMacro:
            return selection == MacroTreeSelection::Macro;
        case MacroTreeCommand::Rename:
        case MacroTreeCommand::Delete:
            return selection != MacroTreeSelection::Nothing;
        default:
            return true;
    }
}

}  // namespace

std::vector<MacroTreeCommand> OfferedMacroTreeCommands(MacroTreeSelection selection) {
    std::vector<MacroTreeCommand> offered;
    for (int i = 0; i <= int(MacroTreeCommand::ExportCollection); ++i) {
        const auto command = MacroTreeCommand(i);
        if (Offered(command, selection))
            offered.push_back(command);
    }
    return offered;
}

uint16_t MacroTreeCommandEntry(MacroTreeCommand command) {
    return uint16_t(kFirstCommandEntry + int(command));
}

CMacroListPopup::CMacroListPopup(UiContext& ui, const LanguageTable& language,
                                 MacroTreeSelection selection, const PopupItemImages& images)
    : CListPopup(ui, kMacroListPopupKind, images), language_(language), selection_(selection) {}

void CMacroListPopup::InitItems() {
    for (MacroTreeCommand command : OfferedMacroTreeCommands(selection_)) {
        const auto n = uint8_t(command);
        AddItem(n, language_.Text(MacroTreeCommandEntry(command)), KeyValue{n, 0, 0});
    }
}

}  // namespace velmaro
