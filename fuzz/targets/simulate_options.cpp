// The OPTIONS of `--simulate[=OPTIONS]`.
#include <string_view>

#include "device/hid/sim/virtual_mouse_config.h"
#include "fuzz_support.h"

using namespace velmaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const SimulateOptionsResult result = ParseSimulateOptions(text);
    // An understood text attaches at least one role.
    if (result.Ok())
        VELMARO_FUZZ_CHECK(result.config.cable || result.config.receiver);
    return 0;
}
