// The manager's small dialogs: the name, rename, key and delay dialogs and
// the export and import commands, each run modally over the manager.
#include "app/macro/action_key_modify_dlg.h"
#include "app/macro/action_time_modify_dlg.h"
#include "app/macro/macro_manager_dlg.h"
#include "app/macro/macro_name_dlg.h"
#include "app/macro/macro_rename_dlg.h"
#include "app/macro/macro_transfer_commands.h"
#include "ui/attention_dlg.h"
#include "ui/file_chooser.h"

namespace velmaro {

MacroEditors CMacroManagerDlg::ProgramEditors() {
    MacroEditors editors;
    editors.AskNewName = [this](bool folder) -> std::optional<std::u16string> {
        CMacroKeyOrFolderNameDlg dialog(Ui(), language_,
                                        folder ? MacroNameMode::Folder : MacroNameMode::Macro,
                                        host_.Registry, this);
        if (Run(dialog) != QDialog::Accepted)
            return std::nullopt;
        return dialog.ResultText();
    };
    editors.AskRename = [this](const std::u16string& current) -> std::optional<std::u16string> {
        CMacroKeyRenameDlg dialog(Ui(), language_, current, host_.Registry, this);
        if (Run(dialog) != QDialog::Accepted)
            return std::nullopt;
        return dialog.ResultText();
    };
    editors.AskKey = [this](uint8_t code) -> std::optional<uint8_t> {
        MacroAction action = MacroAction::Make(code, 0, 0, 0);
        CActionKeyModifyDlg dialog(Ui(), language_, action, host_.Registry, this);
        if (Run(dialog) != QDialog::Accepted)
            return std::nullopt;
        return action.Bytes[0];
    };
    editors.AskDelay = [this](uint32_t ms) -> std::optional<uint32_t> {
        MacroAction action = MacroAction::Delay(ms);
        CActionTimeModifyDlg dialog(
            Ui(), language_, action, [this](uint16_t entry) { Attention(entry); }, host_.Registry,
            this);
        if (Run(dialog) != QDialog::Accepted)
            return std::nullopt;
        return action.DelayMs();
    };
    editors.Transfer = [this](TreeCommand command) { Transfer(command); };
    return editors;
}

void CMacroManagerDlg::Transfer(TreeCommand command) {
    if (host_.Scratch == nullptr && !ownScratch_)
        ownScratch_ = std::make_unique<MacroLibrary>();
    if (host_.Chooser == nullptr && !ownChooser_)
        ownChooser_ = std::make_unique<QtFileChooser>();
    MacroTransferCommands commands(
        library_, host_.Scratch != nullptr ? *host_.Scratch : *ownScratch_,
        host_.Chooser != nullptr ? *host_.Chooser : *ownChooser_,
        host_.Files != nullptr ? *host_.Files : DefaultFileSystem(), language_,
        [this](const QString& title, const QString& message) {
            CAttentionDlg dialog(Ui(), language_, title, message, this);
            Run(dialog);
        },
        this);
    switch (command) {
        case TreeCommand::ExportMacro:
            commands.ExportMacro();
            break;
        case TreeCommand::ImportMacro:
            commands.ImportMacro();
            break;
        case TreeCommand::ImportCollection:
            commands.ImportCollection();
            break;
        case TreeCommand::ExportCollection:
            commands.ExportCollection();
            break;
        default:
            break;
    }
}

}  // namespace velmaro
