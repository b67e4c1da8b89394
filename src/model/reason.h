// A message for the user kept as what happened rather than as words: the
// language entry that words it (with "%1".."%9" where the values go) and the
// values, each a plain text or a reason of its own. The window words it in
// the user's language; velmaroctl words the same reason in English from the
// shipped English table, so the two never say different things.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/language_table.h"

namespace velmaro {

struct Reason {
    // The language entry; 0 for a plain value (Literal).
    uint16_t Entry = 0;
    std::u16string Literal;
    std::vector<Reason> Values;
    // The values are the items of a list ("1, 2 and 3"), joined by the
    // table's separators.
    bool List = false;

    static Reason Text(std::u16string text);
    static Reason Text(const std::string& utf8);
    static Reason Number(long long n);
    static Reason Of(uint16_t entry, std::vector<Reason> values = {});

    bool Empty() const { return Entry == 0 && !List && Literal.empty(); }
    friend bool operator==(const Reason&, const Reason&) = default;
};

// The reason in the table's language: the entry's text with "%n" replaced
// by value n (rendered the same way). A "%n" without a value stays as it is;
// an entry the table lacks reads as its values joined by spaces, so nothing
// the user should know disappears.
std::u16string RenderReason(const LanguageTable& table, const Reason& reason);

// "Profile 1".."Profile 5" for slots 0..4, or the profile's own name.
Reason ProfileLabel(int slot, const std::u16string& name = {});

// The system's reason for a failed file operation (the text of an errno):
// the common ones as entries of the table, any other as given.
Reason SystemReason(const std::string& text);

// "Could not write FILE." or "Could not write FILE: WHY." with the system's
// reason (empty when it gave none).
Reason WriteFailure(std::u16string file, const std::string& why);

// "1", "1 and 2", "1, 2 and 3" in the table's language.
Reason ListOf(std::vector<Reason> items);

}  // namespace velmaro
