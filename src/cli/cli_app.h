// velmaroctl's command line: the options and commands, their help, and the
// run of the chosen command on a session.
#pragma once

#include <iosfwd>

#include "cli/session.h"

namespace velmaro::cli {

// Parses the arguments, runs the command and returns the exit status.
// `real` makes the system's HID backend when --simulate is not given.
int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                   const RealBackendFactory& real);
// The same with `in` as standard input (set -, import SLOT -).
int RunCommandLine(int argc, const char* const* argv, std::istream& in, std::ostream& out,
                   std::ostream& err, const RealBackendFactory& real);

}  // namespace velmaro::cli
