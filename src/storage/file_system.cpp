#include "storage/file_system.h"

#include <chrono>
#include <ctime>

namespace velmaro {

std::string KeepBadFile(FileSystem& fs, const std::string& path) {
    if (!fs.Exists(path) || fs.IsDirectory(path))
        return {};
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    if (const std::tm* t = std::localtime(&now))
        local = *t;
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = path + ".bad-" + stamp;

    std::string bytes;
    const bool readable = fs.ReadFile(path, bytes);
    for (int n = 1; n < 1000; ++n) {
        const std::string name = n == 1 ? base : base + "-" + std::to_string(n);
        if (fs.Exists(name))
            continue;
        // A copy leaves the original in place until its replacement is safely
        // written; a file we cannot read is moved aside instead.
        if (readable ? fs.CreateNewFile(name, bytes) : fs.RenameNoReplace(path, name))
            return name;
        if (!fs.Exists(name))
            return {};
    }
    return {};
}

}  // namespace velmaro
