// What `velmaroctl --json` prints once a command has run: the command's own
// result, the summary of a command that changed things, or the error. Every
// object carries "schema": 1; the JSON OUTPUT section of the manual page
// describes them.
#pragma once

#include <string>
#include <string_view>

#include "cli/commands.h"
#include "cli/profile_output.h"

namespace velmaro::cli {

inline constexpr int kJsonSchema = 1;

// {"schema": 1, "error": {"code": status, "message": message}}.
Json ErrorJson(int status, std::string_view message);

// The result of a run that ended with `status`: the error (with the last
// message told) when it is not 0, else the command's Result, else
// {"schema", "command", "changed", "adjusted", "sent", "saved", "mouse"},
// `mouse` telling whether the mouse was there to take the changes.
Json RunResultJson(const CommandContext& c, std::string_view command, int status, bool mouse);

}  // namespace velmaro::cli
