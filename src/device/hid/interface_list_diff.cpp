#include "device/hid/interface_list_diff.h"

namespace velmaro {
namespace {

// Entries of `from` with no partner in `against`; each entry of `against`
// partners at most one.
std::vector<HidInterfaceInfo> Unmatched(const std::vector<HidInterfaceInfo>& from,
                                        const std::vector<HidInterfaceInfo>& against) {
    std::vector<bool> used(against.size(), false);
    std::vector<HidInterfaceInfo> out;
    for (const auto& item : from) {
        bool matched = false;
        for (size_t i = 0; i < against.size(); ++i) {
            if (!used[i] && against[i] == item) {
                used[i] = true;
                matched = true;
                break;
            }
        }
        if (!matched)
            out.push_back(item);
    }
    return out;
}

}  // namespace

InterfaceListDiff DiffInterfaceLists(const std::vector<HidInterfaceInfo>& before,
                                     const std::vector<HidInterfaceInfo>& after) {
    return {Unmatched(before, after), Unmatched(after, before)};
}

}  // namespace velmaro
