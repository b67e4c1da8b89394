// The hidraw nodes as sysfs lists them, turned into the seam's interfaces:
// one per top-level collection of each node's report descriptor.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "device/hid/hid_backend.h"

namespace velmaro {

struct HidId {
    uint16_t bus = 0;
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
};

// The HID_ID line of a HID device's uevent file ("HID_ID=0003:0000248A:00005B2E",
// bus:vendor:product in hexadecimal). False when the line is missing or malformed,
// or an id does not fit 16 bits.
bool ParseHidId(std::string_view uevent, HidId& id);

// The interfaces of every node under <root>/sys/class/hidraw, ordered by node
// number and then collection index. Nodes whose uevent or report descriptor
// cannot be read or understood are left out; of a descriptor with a fault,
// the collections closed before the fault are listed. `path` is
// <root>/dev/<node>. `root` is "/" except in tests.
std::vector<HidInterfaceInfo> EnumerateHidraw(const std::filesystem::path& root);

}  // namespace velmaro
