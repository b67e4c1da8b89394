// velmaro_completion_gen: writes velmaroctl's shell completions from what the
// tool's own help says, so they list exactly its commands, options, `set`
// keys and value words.
//
//   velmaro_completion_gen VELMAROCTL OUTPUT_DIR
//
// Writes OUTPUT_DIR/velmaroctl (bash), OUTPUT_DIR/_velmaroctl (zsh) and
// OUTPUT_DIR/velmaroctl.fish.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "help_model.h"
#include "writers.h"

namespace {

// Runs the tool with arguments (no shell words need quoting here).
std::string Run(const std::string& tool, const std::string& args) {
    const std::string command = "'" + tool + "' " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        throw std::runtime_error("cannot run " + command);
    }
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, n);
    }
    if (pclose(pipe) != 0) {
        throw std::runtime_error(command + " failed:\n" + out);
    }
    return out;
}

void Write(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: velmaro_completion_gen VELMAROCTL OUTPUT_DIR\n";
        return 2;
    }
    const std::string tool = argv[1];
    const std::string dir = argv[2];
    try {
        const completion::HelpModel model =
            completion::ReadHelp([&](const std::string& args) { return Run(tool, args); });
        Write(dir + "/velmaroctl", completion::BashScript(model));
        Write(dir + "/_velmaroctl", completion::ZshScript(model));
        Write(dir + "/velmaroctl.fish", completion::FishScript(model));
    } catch (const std::exception& e) {
        std::cerr << "velmaro_completion_gen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
