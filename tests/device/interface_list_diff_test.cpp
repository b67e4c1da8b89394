#include "device/hid/interface_list_diff.h"

#include <gtest/gtest.h>

namespace velmaro {
namespace {

HidInterfaceInfo Interface(const char* node, uint32_t collection, const char* instance) {
    HidInterfaceInfo info;
    info.node = node;
    info.path = std::string("/dev/") + node;
    info.collection = collection;
    info.instance = instance;
    info.vendor_id = 0x248A;
    info.product_id = 0x5B2E;
    info.input_report_length = 33;
    return info;
}

std::vector<std::string> Ids(const std::vector<HidInterfaceInfo>& list) {
    std::vector<std::string> ids;
    for (const auto& info : list)
        ids.push_back(info.InterfaceId() + "@" + info.instance);
    return ids;
}

TEST(InterfaceListDiffTest, ReportsWhatLeftAndWhatCame) {
    const auto a0 = Interface("hidraw0", 0, "0003:248A:5B2E.0001");
    const auto a1 = Interface("hidraw0", 1, "0003:248A:5B2E.0001");
    const auto b0 = Interface("hidraw1", 0, "0003:248A:5B2F.0002");
    const auto c0 = Interface("hidraw2", 0, "0003:046D:C077.0003");

    const auto diff = DiffInterfaceLists({a0, a1, b0}, {a0, a1, c0});
    EXPECT_EQ(Ids(diff.removed), std::vector<std::string>{"/dev/hidraw1#0@0003:248A:5B2F.0002"});
    EXPECT_EQ(Ids(diff.arrived), std::vector<std::string>{"/dev/hidraw2#0@0003:046D:C077.0003"});

    EXPECT_TRUE(DiffInterfaceLists({a0, a1}, {a0, a1}).Empty());
    // Order alone is no change.
    EXPECT_TRUE(DiffInterfaceLists({a0, a1}, {a1, a0}).Empty());
    EXPECT_EQ(DiffInterfaceLists({}, {a0, a1}).arrived.size(), 2u);
    EXPECT_EQ(DiffInterfaceLists({a0, a1}, {}).removed.size(), 2u);
}

TEST(InterfaceListDiffTest, SameNodeWithOtherDetailsIsRemovalPlusArrival) {
    const auto before = Interface("hidraw3", 0, "0003:248A:5B2E.0007");
    // Replugged between two scans and given the same node number.
    auto replugged = before;
    replugged.instance = "0003:248A:5B2E.0008";
    // Same device, another report layout.
    auto changed = before;
    changed.feature_report_length = 65;

    for (const auto& after : {replugged, changed}) {
        const auto diff = DiffInterfaceLists({before}, {after});
        ASSERT_EQ(diff.removed.size(), 1u);
        ASSERT_EQ(diff.arrived.size(), 1u);
        EXPECT_EQ(diff.removed[0], before);
        EXPECT_EQ(diff.arrived[0], after);
    }
}

TEST(InterfaceListDiffTest, DuplicatesAreMatchedOneToOne) {
    const auto a = Interface("hidraw0", 0, "x");
    const auto diff = DiffInterfaceLists({a, a}, {a});
    EXPECT_EQ(diff.removed.size(), 1u);
    EXPECT_TRUE(diff.arrived.empty());
}

}  // namespace
}  // namespace velmaro
