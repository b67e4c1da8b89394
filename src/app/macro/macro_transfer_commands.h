// The macro manager's four file commands: export the selected macro, export a
// collection, import a macro file, import a collection file. Each asks for a
// file through the FileChooser (the desktop's file dialog, or a fake in
// tests), works on the library at its SelectedLocation through the core's
// export and import, and tells the user through the attention callback what
// went wrong. The library file itself is not saved here.
//
// The manager calls one command and then, when Changed is set, refreshes its
// tree and selects Row (revealing it); SelectedLocation already holds the new
// selection.
#pragma once

#include <QString>
#include <functional>

#include "macro/macro_library.h"
#include "macro/macro_transfer.h"
#include "model/language_table.h"
#include "storage/file_system.h"
#include "ui/file_chooser.h"

class QWidget;

namespace velmaro {

// Shows an attention dialog with the given title and message (the
// manager's attention dialog); when empty, nothing is shown.
using MacroTransferAttentionFn = std::function<void(const QString& title, const QString& message)>;

struct MacroTransferOutcome {
    bool Cancelled = false;  // no file was chosen (or the command was not offered)
    bool Changed = false;    // the library changed: refresh the tree
    int Row = -1;            // the tree row to select, LocationToRow(SelectedLocation)
};

class MacroTransferCommands {
  public:
    // Everything passed must outlive the object. `owner` is the window the
    // file dialogs and messages belong to.
    MacroTransferCommands(MacroLibrary& library, MacroLibrary& scratch, FileChooser& chooser,
                          FileSystem& files, const LanguageTable& language,
                          MacroTransferAttentionFn attention, QWidget* owner = nullptr);

    // Offered only when a macro is selected; otherwise does nothing.
    MacroTransferOutcome ExportMacro();
    MacroTransferOutcome ImportMacro();
    MacroTransferOutcome ImportCollection();
    MacroTransferOutcome ExportCollection();

  private:
    MacroTransferOutcome Export(bool macro);
    MacroTransferOutcome Import(bool macro);
    void ReportPartialImport(const ImportResult& result) const;
    void Tell(const QString& message) const;
    QString Text(uint16_t entry) const;

    MacroLibrary& library_;
    MacroLibrary& scratch_;
    FileChooser& chooser_;
    FileSystem& files_;
    const LanguageTable& language_;
    MacroTransferAttentionFn attention_;
    QWidget* owner_;
};

}  // namespace velmaro
