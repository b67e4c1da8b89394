// A profile as the `set` pairs that make it: what `show` prints, so that
// its output fed back to `set` on a fresh data folder gives the same profile.
#pragma once

#include <string>
#include <vector>

#include "cli/set_pairs.h"

namespace velmaro::cli {

struct ProfileSetLines {
    // "key=value" pairs in an order set accepts them in, and "# " comments.
    std::vector<std::string> Lines;
    // What no pair can give ("button.3: function 600100 has no set word").
    std::vector<std::string> LeftOut;
};

// The pairs for `record`, with its name when it is not the name `defaults`
// (the slot's defaults) has. Settings the lighting page keeps for modes other
// than the current one come first, each after its "lighting.mode=" pair:
// all of them with `every_mode`, else those that differ from `defaults`.
// The current mode and its settings follow, so it ends up current.
ProfileSetLines ProfileAsSetLines(const ProfileRecord& record, const SetEnvironment& env,
                                  const ProfileRecord& defaults, bool every_mode);

}  // namespace velmaro::cli
