// The completion scripts of bash, zsh and fish, written from the help model.
#pragma once

#include <string>

#include "help_model.h"

namespace completion {

std::string BashScript(const HelpModel& model);
std::string ZshScript(const HelpModel& model);
std::string FishScript(const HelpModel& model);

}  // namespace completion
