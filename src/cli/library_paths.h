// Library items named from a terminal: the item's name with the names of the
// folders above it, joined by "/" ("Games/Shooter/Burst").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_library.h"

namespace velmaro::cli {

// The item at that path, stage -1 when there is none. Names may themselves
// hold "/": every way of cutting the path into names is tried, top level
// first, so "a/b" finds a top-level item named "a/b" as well as "b" inside
// folder "a" (the first in index order wins).
MacroItemLocation FindItemByPath(const MacroLibrary& library, std::u16string_view path);

// Every item the path names when letters are compared without regard to
// case (ASCII letters only), each once, in index order.
std::vector<MacroItemLocation> FindItemsByPathIgnoringCase(const MacroLibrary& library,
                                                           std::u16string_view path);

// The path of the item at `loc`; empty when it is not a used slot.
std::u16string ItemPath(const MacroLibrary& library, const MacroItemLocation& loc);

}  // namespace velmaro::cli
