#include "cli/file_reasons.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace velmaro::cli {

namespace {

std::string Reason(int error) {
    return std::string(": ") + std::strerror(error);
}

}  // namespace

std::string ReadFailureReason(const std::string& path) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return Reason(errno != 0 ? errno : EIO);
    std::fclose(file);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return Reason(EISDIR);
    return {};
}

std::string WriteFailureReason(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return Reason(EISDIR);
    const bool existed = std::filesystem::exists(path, ec);
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), existed ? "r+b" : "wb");
    if (file == nullptr)
        return Reason(errno != 0 ? errno : EIO);
    std::fclose(file);
    if (!existed)
        std::filesystem::remove(path, ec);
    return {};
}

}  // namespace velmaro::cli
