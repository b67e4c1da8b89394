// Runs every file of the given corpus folders (or the given files) through a
// fuzz target's entry point once, without the fuzzer: the replay test of the
// ordinary and sanitizer builds. Any finding aborts inside the target.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_support.h"

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& arg) {
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(arg)) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(arg))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    } else {
        files.push_back(arg);
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    size_t runs = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& file : InputsOf(argv[i])) {
            std::ifstream in(file, std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
            std::fprintf(stderr, "replay %s\n", file.c_str());
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++runs;
        }
    }
    if (runs == 0) {
        std::fprintf(stderr, "no corpus files found\n");
        return 1;
    }
    std::fprintf(stderr, "%zu inputs replayed\n", runs);
    return 0;
}
