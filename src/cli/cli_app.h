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

// The same run on a running program's core (the window serving velmaroctl):
// no lock is taken and nothing is started or shut down; what changed is
// saved before it returns.
int RunAttachedCommandLine(int argc, const char* const* argv, std::istream& in, std::ostream& out,
                           std::ostream& err, const AttachedCore& attached);

}  // namespace velmaro::cli
