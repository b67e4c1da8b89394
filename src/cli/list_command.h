// `velmaroctl list keys|modes|dpi|functions`: what this mouse and this
// program offer, in the words set takes.
#pragma once

#include <string_view>

#include "cli/commands.h"

namespace velmaro::cli {

// The things list names, for its help and its check.
inline constexpr std::string_view kListTopics[] = {"keys", "modes", "dpi", "functions"};

int RunList(CommandContext& c, std::string_view topic);

}  // namespace velmaro::cli
