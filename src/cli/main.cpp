// velmaroctl: the Velmaro core from a terminal.
#include <iostream>
#include <memory>

#include "cli/cli_app.h"
#include "device/hid/linux/linux_hid_backend.h"

int main(int argc, char** argv) {
    return velmaro::cli::RunCommandLine(argc, argv, std::cout, std::cerr, [] {
        return std::make_unique<velmaro::LinuxHidBackend>();
    });
}
