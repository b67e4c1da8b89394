// The shipped English texts, for the messages velmaroctl prints: it words
// the core's reasons from the same table entries the window uses, so a
// terminal user reads what an English window would show.
#pragma once

#include <string>

#include "model/language_table.h"
#include "model/reason.h"
#include "storage/shipped_language_files.h"

namespace velmaro {

// A language file as shipped, read once; for messages given before a data
// folder (and its language choice) exists.
const LanguageTable& ShippedTable(ShippedLanguage language);
// The English one.
const LanguageTable& ShippedEnglish();

// The reason worded from the shipped English texts, as UTF-8.
std::string EnglishText(const Reason& reason);

}  // namespace velmaro
