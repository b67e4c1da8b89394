#include "app/macro_manager_opener.h"

#include "app/macro/macro_manager_dlg.h"
#include "app/main_window.h"
#include "macro/macro_library_file.h"
#include "ui/attention_dlg.h"

namespace velmaro {

namespace {
constexpr uint16_t kAttentionTitleEntry = 150;
constexpr uint8_t kMacroCategory = 0x90;
}  // namespace

void RunMacroManager(CKorvaneDlg& w) {
    AppCore& core = w.Core();
    const std::string path = MacroLibraryPath(w.State().DataFolder);
    // The first synchronisation afterwards copies each button's library macro.
    core.Writer().RequestMacroRefresh();
    {
        MacroManagerHost host;
        host.RunModal = [&w](CDlgBase& dialog) { return w.RunModal(dialog); };
        host.Files = &core.Files();
        host.LibraryPath = path;
        host.CurrentProfile = &w.Profile();
        host.Chooser = &w.Chooser();
        host.Scratch = &core.ScratchLibrary();
        host.Registry = {[&w](QWidget* dialog) { w.RegisterDialog(dialog); },
                         [&w](QWidget* dialog) { w.UnregisterDialog(dialog); }};
        CMacroManagerDlg manager(w.Ui(), w.State().Language, core.Library(), std::move(host), &w);
        w.RunModal(manager);
    }
    // The file is what the manager saved; the library follows it.
    core.NoteLibraryLoad(LoadMacroLibrary(path, core.Library(), core.Files()));
    bool macroButton = false;
    for (const KeyRecord& key : w.Profile().Keys)
        macroButton = macroButton || key.Value[0] == kMacroCategory;
    if (macroButton) {
        core.Writer().MarkChanged(kGroupButtons);
        core.ApplyNow();
    }
    if (const std::optional<Reason> attention = core.TakeLibraryAttention()) {
        CAttentionDlg dialog(w.Ui(), w.State().Language, w.Text(kAttentionTitleEntry),
                             w.Text(*attention), &w, AttentionLayout::Long);
        w.RunModal(dialog);
    }
    w.RefreshControls();
}

}  // namespace velmaro
