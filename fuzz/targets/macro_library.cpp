// The macro library file as loaded at start-up. What the loader took must be
// written and loaded back as the same library: the writer's output is a fixed
// point and loads completely.
#include "fuzz_support.h"
#include "macro/macro_library_file.h"
#include "macro/memory_file_system.h"

using namespace velmaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testing::MemoryFileSystem fs;
    fs.files["/lib.mlf"] = fuzz::Bytes(data, size);
    MacroLibrary library;
    const MacroLibraryLoad load = LoadMacroLibrary("/lib.mlf", library, fs);
    VELMARO_FUZZ_CHECK(load.Opened);
    if (!load.Complete) {
        // The partial file is kept before the smaller library replaces it.
        VELMARO_FUZZ_CHECK(SaveMacroLibrary("/lib.mlf", library, fs));
        VELMARO_FUZZ_CHECK(fs.CountStartingWith("/lib.mlf.bad-") == 1);
    }

    VELMARO_FUZZ_CHECK(SaveMacroLibrary("/out.mlf", library, fs, load.Mark));
    const std::string written = fs.files["/out.mlf"];
    MacroLibrary again;
    const MacroLibraryLoad reload = LoadMacroLibrary("/out.mlf", again, fs);
    VELMARO_FUZZ_CHECK(reload.Complete);
    VELMARO_FUZZ_CHECK(again.NextMacroKeyIndex == library.NextMacroKeyIndex);
    VELMARO_FUZZ_CHECK(SaveMacroLibrary("/out.mlf", again, fs, reload.Mark));
    VELMARO_FUZZ_CHECK(fs.files["/out.mlf"] == written);
    return 0;
}
