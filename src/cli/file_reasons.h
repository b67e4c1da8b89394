// The system's own reason why a file could not be read or written ("No such
// file or directory"), found by trying it again, so messages can say why.
#pragma once

#include <string>

namespace velmaro::cli {

// ": <reason>" when opening `path` for reading fails now; empty when it opens.
std::string ReadFailureReason(const std::string& path);
// ": <reason>" when `path` cannot be opened for writing now; empty when it
// can. A file this check creates is removed again.
std::string WriteFailureReason(const std::string& path);

}  // namespace velmaro::cli
