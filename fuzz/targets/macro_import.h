// Importing a macro file or a collection file into a library that already
// holds a folder and a macro, through the scratch library the manager uses.
#pragma once

#include "fuzz_support.h"
#include "macro/macro_library_file.h"
#include "macro/macro_transfer.h"
#include "macro/memory_file_system.h"

namespace velmaro::fuzz {

inline void FuzzImport(const uint8_t* data, size_t size, MacroExportKind kind) {
    testing::MemoryFileSystem fs;
    fs.files["/in"] = Bytes(data, size);
    MacroLibrary library;
    library.AddFolder(u"Folder");
    library.AddMacro(u"Macro");
    library.SelectedLocation = MacroItemLocation::Top(0);
    MacroLibrary scratch;
    const ImportResult result = kind == MacroExportKind::Macro
                                    ? ImportMacroFile("/in", library, scratch, fs)
                                    : ImportCollectionFile("/in", library, scratch, fs);
    VELMARO_FUZZ_CHECK(result.Status == ImportStatus::Imported || result.ItemsCreated == 0);
    // The file chosen is only read.
    VELMARO_FUZZ_CHECK(fs.files["/in"] == Bytes(data, size));

    // Whatever came in is a library the program can save and load again.
    VELMARO_FUZZ_CHECK(SaveMacroLibrary("/lib.mlf", library, fs));
    const std::string written = fs.files["/lib.mlf"];
    MacroLibrary again;
    VELMARO_FUZZ_CHECK(LoadMacroLibrary("/lib.mlf", again, fs).Complete);
    VELMARO_FUZZ_CHECK(SaveMacroLibrary("/lib.mlf", again, fs));
    VELMARO_FUZZ_CHECK(fs.files["/lib.mlf"] == written);
}

}  // namespace velmaro::fuzz
