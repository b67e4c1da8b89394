// What changed between two listings of the present HID interfaces. Used where
// the system gives no change notifications of its own and the listing is taken
// again now and then.
#pragma once

#include <vector>

#include "device/hid/hid_backend.h"

namespace velmaro {

struct InterfaceListDiff {
    // In the order of the listing they come from.
    std::vector<HidInterfaceInfo> removed;
    std::vector<HidInterfaceInfo> arrived;

    bool Empty() const { return removed.empty() && arrived.empty(); }
};

// An interface counts as the same only when every detail matches, so one that
// came back under the same node, or whose reports changed, is a removal plus
// an arrival. Duplicates in a listing are matched one to one.
InterfaceListDiff DiffInterfaceLists(const std::vector<HidInterfaceInfo>& before,
                                     const std::vector<HidInterfaceInfo>& after);

}  // namespace velmaro
