// `velmaroctl macros`: the library tree as JSON (nested folders and macros)
// and as an indented outline.
#pragma once

#include <string>

#include "cli/profile_output.h"
#include "macro/macro_library.h"

namespace velmaro::cli {

// {"NextMacroKeyIndex": n, "items": [...]}; a folder is {"name", "folder":
// true, "open", "items"}, a macro {"name", "folder": false, "MacroName",
// "MacroKeyIndex", "MacroKeyLoopType", "MacroKeyLoopNum", "MacroActionNum",
// "MacroCommandActionNum", "actions"}. Each item also carries its
// "location" [stage, i0, i1, i2], as macro-export --select takes it.
Json LibraryJson(const MacroLibrary& library);

// One line per item, two spaces per level; folders end with "/".
std::string LibraryText(const MacroLibrary& library);

}  // namespace velmaro::cli
