// What the virtual mouse is made of: which connection roles are attached and
// what its status answer says. The command-line tool and the desktop program
// build it from their `--simulate[=OPTIONS]` argument.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velmaro {

// The two ways the mouse is attached; each has its own product id and its own
// command and input interfaces.
enum class SimRole : uint8_t { kCable, kReceiver };
inline constexpr SimRole kSimRoles[] = {SimRole::kCable, SimRole::kReceiver};

// "cable" or "receiver", as the trace lines and the options spell it.
std::string_view SimRoleName(SimRole role);

inline constexpr uint16_t kSimVendorId = 0x248A;
inline constexpr uint16_t kSimCableProductId = 0x5B2E;
inline constexpr uint16_t kSimReceiverProductId = 0x5B2F;
uint16_t SimRoleProductId(SimRole role);

// What the mouse answers to the status query.
struct SimStatus {
    uint8_t sensor_code = 0x25;  // byte 15
    uint8_t battery = 57;        // byte 18, percent
    uint8_t charge = 0;          // byte 19: 1 charging, 2 full, else on battery
    // Bytes 2 and 3 of the answer. Only tests change them, to see a wrong
    // echo or a refusing mouse ignored.
    uint8_t echo_command = 0x20;
    uint8_t status_byte = 0x00;

    friend bool operator==(const SimStatus&, const SimStatus&) = default;
};

struct VirtualMouseConfig {
    // The roles attached when the mouse is made.
    bool cable = true;
    bool receiver = false;
    SimStatus status{};
    // Lists the interfaces of one role the way hidraw does: one node per
    // role ("sim:cable") whose collections share the path. Otherwise every
    // interface has a path of its own ("sim:cable:command").
    bool shared_node_paths = false;
    // The mouse is listed but opening any of its interfaces fails with
    // kAccessDenied, as on a system without the udev rule that gives the
    // user at the seat access.
    bool no_access = false;

    friend bool operator==(const VirtualMouseConfig&, const VirtualMouseConfig&) = default;
};

struct SimulateOptionsResult {
    VirtualMouseConfig config;
    // Empty when every part was understood; otherwise names the bad part.
    std::string error;

    bool Ok() const { return error.empty(); }
};

// Reads the OPTIONS of `--simulate[=OPTIONS]`: comma-separated parts, each
// one of `cable`, `receiver`, `both` (role words add up; without any, the
// cable alone), `sensor=0xNN` (sensor code, hexadecimal), `battery=N` and
// `charge=N` (decimal, 0..255) and `no-access` (no_access). An empty text
// gives the defaults. Parts are
// case-sensitive; an empty part is an error.
SimulateOptionsResult ParseSimulateOptions(std::string_view options);

}  // namespace velmaro
