// A macro export file (.mkf) imported at the manager's selection.
#include "macro_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    velmaro::fuzz::FuzzImport(data, size, velmaro::MacroExportKind::Macro);
    return 0;
}
