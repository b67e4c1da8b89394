// `velmaroctl macros`: the library tree as JSON (nested folders and macros)
// and as an indented outline.
#pragma once

#include <string>

#include "cli/profile_output.h"
#include "macro/macro_library.h"

namespace velmaro::cli {

// {"schema": 1, "next_key_index": n, "items": [...]}; a folder is {"name",
// "path", "location", "folder": true, "open", "items"}, a macro {"name",
// "path", "location", "folder": false, "macro_name", "key_index",
// "play_mode", "repeat", "action_count", "fits_mouse", "actions"}. The "location" is
// [stage, i0, i1, i2], as --select takes it; the "path" as macro: takes it.
Json LibraryJson(const MacroLibrary& library);

// One line per item, two spaces per level; folders end with "/".
std::string LibraryText(const MacroLibrary& library);

}  // namespace velmaro::cli
