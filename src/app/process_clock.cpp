#include "app/process_clock.h"

#include <time.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace velmaro {

double MillisecondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string line;
    if (!std::getline(stat, line))
        return -1;
    // The command name may hold spaces and parentheses: count from the last ')'.
    const size_t close = line.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream rest(line.substr(close + 2));
    std::string field;
    // Fields 3..21 come before the start time (field 22).
    for (int i = 3; i <= 21; ++i)
        rest >> field;
    unsigned long long startTicks = 0;
    if (!(rest >> startTicks))
        return -1;
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    timespec now{};
    if (ticksPerSecond <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return -1;
    const double nowMs = double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
    return nowMs - double(startTicks) * 1000.0 / double(ticksPerSecond);
}

}  // namespace velmaro
