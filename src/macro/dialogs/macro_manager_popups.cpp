#include "macro/dialogs/macro_manager_popups.h"

#include "ui/list_popup.h"

namespace velmaro {

namespace {
struct MenuEntry {
    TreeCommand Command;
    int Entry;
    bool OnNothing;
    bool OnFolder;
    bool OnMacro;
};

constexpr MenuEntry kTreeMenu[] = {
    {TreeCommand::NewMacro, 245, true, true, true},
    {TreeCommand::NewFolder, 246, true, true, true},
    {TreeCommand::ExportMacro, 247, false, false, true},
    {TreeCommand::ImportMacro, 248, true, true, true},
    {TreeCommand::Rename, 249, false, true, true},
    {TreeCommand::Delete, 250, false, true, true},
    {TreeCommand::ImportCollection, 251, true, true, true},
    {TreeCommand::ExportCollection, 252, true, true, true},
};

constexpr int kInsertEntries[] = {20, 21, 22, 205, 206};
}  // namespace

PopupWindow* MakeTreeMenu(UiContext& ui, const LanguageTable& language, bool item, bool macro) {
    auto* menu = new CListPopup(ui, kMacroMenuPopupKind, MenuItemImages(ui));
    for (const MenuEntry& e : kTreeMenu) {
        const bool shown = !item ? e.OnNothing : macro ? e.OnMacro : e.OnFolder;
        if (shown)
            menu->AddItem(int(e.Command) + 1, language.Text(size_t(e.Entry)),
                          KeyValue{uint8_t(e.Command), 0, 0});
    }
    return menu;
}

PopupWindow* MakeInsertList(UiContext& ui, const LanguageTable& language) {
    auto* list = new CListPopup(ui, kInsertPopupKind, MenuItemImages(ui));
    for (int kind = 0; kind < 5; ++kind)
        list->AddItem(kind + 1, language.Text(size_t(kInsertEntries[kind])),
                      KeyValue{uint8_t(kind), 0, 0});
    return list;
}

MacroEditors DefaultMacroEditors(CMacroManagerDlg&, const LanguageTable&) {
    return {};
}

}  // namespace velmaro
