// The other way round from button_values: the word `set button.N=` takes for
// what a button holds, so `show` prints what can be typed back.
#pragma once

#include <optional>
#include <string>

#include "macro/macro_library.h"
#include "model/language_table.h"
#include "model/profile_record.h"

namespace velmaro::cli {

// The value whose choice gives the button exactly its bytes, and its name
// too where a word can (office:copy and key:ctrl+c send the same bytes under
// different names). A macro is found in the library by the name the button
// shows. None when no word makes these bytes.
std::optional<std::string> ButtonWord(const KeyRecord& key, const LanguageTable& language,
                                      const MacroLibrary& library);

}  // namespace velmaro::cli
