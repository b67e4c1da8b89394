// How long this process has been running, from the start time the kernel
// recorded for it (so the figure includes loading the program itself).
#pragma once

namespace velmaro {

// Milliseconds since the process started; -1 when the kernel does not say.
double MillisecondsSinceProcessStart();

}  // namespace velmaro
