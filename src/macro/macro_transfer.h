// Exporting macros to macro files (".mkf") and collection files (".mbf"), and
// importing them at the manager's selection.
//
// Both kinds of file are the whole library in the library-file format; their
// mark (line 3) is the selection at the time of the export and fixes what an
// import takes. An import reads the file into a scratch library, copies the
// marked part into the library relative to SelectedLocation, and clears the
// scratch library again. Imported macros get new MacroKeyIndex values.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_library.h"
#include "model/reason.h"
#include "storage/file_system.h"

namespace velmaro {

enum class MacroExportKind { Macro, Collection };

// The name a save dialog proposes: "<selected item>.mkf" / "<selected item>.mbf",
// "AllMacroKey.mbf" for a collection with nothing selected, empty when a macro
// export is not offered (the selection is not a macro).
std::u16string ProposedExportName(const MacroLibrary& library, MacroExportKind kind);

// Writes the whole library with the mark SelectedLocation. A macro export
// writes nothing (false) unless a macro is selected. False when nothing was
// written.
bool ExportMacroFile(const std::string& path, MacroLibrary& library, FileSystem& fs);
bool ExportCollectionFile(const std::string& path, MacroLibrary& library, FileSystem& fs);

enum class ImportStatus {
    Imported,    // done; SelectedLocation is the last item created (unchanged if none)
    NameExists,  // a name is taken at the target: nothing imported, tell the user
    Rejected,    // no usable mark (unreadable file, mark outside the tree, nothing
                 // marked): nothing imported, nothing to tell
};

// An item of the file that was to be imported and was not.
struct SkippedImport {
    std::u16string Name;
    velmaro::Reason Why;  // for the user
    std::string Reason;   // the same in English
};

struct ImportResult {
    ImportStatus Status = ImportStatus::Rejected;
    std::u16string ClashingName;  // with NameExists
    int ItemsCreated = 0;         // every item added, folder contents included
    // The items of the import's scope that were added (a folder by its name).
    std::vector<std::u16string> ImportedNames;
    // Items of the scope, or inside its folders, that were not added.
    std::vector<SkippedImport> Skipped;
    // The file was read to its end. When not, items after its last complete
    // one could not be read and are missing from the import.
    bool FileComplete = true;
};

// Adds the marked macro (a marked folder gives an empty macro of its name) at
// the selection; a selected folder is opened.
ImportResult ImportMacroFile(const std::string& path, MacroLibrary& library, MacroLibrary& scratch,
                             FileSystem& fs);
// Adds the marked part of the file's library: every top-level item (no mark),
// the marked folder with its contents, or the marked macro and every item
// after it in its list. No item is added when any of their names is taken at
// the selection.
ImportResult ImportCollectionFile(const std::string& path, MacroLibrary& library,
                                  MacroLibrary& scratch, FileSystem& fs);

}  // namespace velmaro
