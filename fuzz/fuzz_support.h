// What the fuzz targets share: a check that stops the run with a message
// (so libFuzzer and the replay runner both report it as a finding), and the
// input as the bytes of a file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define VELMARO_FUZZ_CHECK(cond)                                                          \
    do {                                                                                  \
        if (!(cond)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

namespace velmaro::fuzz {

inline std::string Bytes(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace velmaro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
