#include "device/hid/linux/hidraw_sysfs.h"

#include <gtest/gtest.h>

#include "device/hid_linux/sysfs_tree.h"

namespace velmaro {
namespace {

using hidtest::kBootKeyboardDescriptor;
using hidtest::kMouseDescriptor;
using hidtest::SysfsTree;

std::vector<std::string> Ids(const std::vector<HidInterfaceInfo>& list) {
    std::vector<std::string> ids;
    for (const auto& info : list)
        ids.push_back(info.node + "#" + std::to_string(info.collection));
    return ids;
}

TEST(HidIdTest, ParsesBusVendorAndProduct) {
    const struct {
        const char* uevent;
        bool ok;
        HidId id;
    } cases[] = {
        {"DRIVER=hid-generic\nHID_ID=0003:0000248A:00005B2E\nHID_NAME=x\n",
         true,
         {3, 0x248A, 0x5B2E}},
        {"HID_ID=0005:0000046d:0000B01A", true, {5, 0x046D, 0xB01A}},  // last line, lower case
        {"HID_NAME=x\n", false, {}},
        {"HID_ID=0003:0000248A\n", false, {}},
        {"HID_ID=0003:0000248A:\n", false, {}},
        {"HID_ID=0003:0001248A:00005B2E\n", false, {}},  // vendor id beyond 16 bits
        {"HID_ID=0003:0000248G:00005B2E\n", false, {}},
        {"HID_ID=0003:0000248A:00005B2E:1\n", false, {}},
        {"XHID_ID=0003:0000248A:00005B2E\n", false, {}},
    };
    for (const auto& c : cases) {
        HidId id;
        ASSERT_EQ(ParseHidId(c.uevent, id), c.ok) << c.uevent;
        if (c.ok) {
            EXPECT_EQ(id.bus, c.id.bus) << c.uevent;
            EXPECT_EQ(id.vendor_id, c.id.vendor_id) << c.uevent;
            EXPECT_EQ(id.product_id, c.id.product_id) << c.uevent;
        }
    }
}

TEST(EnumerateHidrawTest, ListsEachCollectionByNodeNumberThenIndex) {
    SysfsTree tree;
    tree.AddNode("hidraw10", "0003:248A:5B2F.000B", SysfsTree::Uevent(0x248A, 0x5B2F),
                 kMouseDescriptor);
    tree.AddNode("hidraw2", "0003:248A:5B2E.0003", SysfsTree::Uevent(0x248A, 0x5B2E),
                 kMouseDescriptor);
    tree.AddNode("hidraw9", "0003:04D9:1702.000A", SysfsTree::Uevent(0x04D9, 0x1702),
                 kBootKeyboardDescriptor);
    tree.AddNode("hidraw0", "0003:046D:C077.0001", SysfsTree::Uevent(0x046D, 0xC077),
                 kBootKeyboardDescriptor);

    const auto list = EnumerateHidraw(tree.root());
    EXPECT_EQ(Ids(list), (std::vector<std::string>{"hidraw0#0", "hidraw2#0", "hidraw2#1",
                                                   "hidraw9#0", "hidraw10#0", "hidraw10#1"}));
    ASSERT_EQ(list.size(), 6u);

    const HidInterfaceInfo& vendor = list[2];
    EXPECT_EQ(vendor.path, (tree.root() / "dev/hidraw2").string());
    EXPECT_EQ(vendor.instance, "0003:248A:5B2E.0003");
    EXPECT_EQ(vendor.vendor_id, 0x248A);
    EXPECT_EQ(vendor.product_id, 0x5B2E);
    EXPECT_EQ(vendor.usage_page, 0xFF00);
    EXPECT_EQ(vendor.usage, 0x01);
    EXPECT_EQ(vendor.input_report_length, 33u);
    EXPECT_EQ(vendor.feature_report_length, 33u);

    const HidInterfaceInfo& pointer = list[1];
    EXPECT_EQ(pointer.path, vendor.path);  // one node, opened per use
    EXPECT_EQ(pointer.usage_page, 0x01);
    EXPECT_EQ(pointer.usage, 0x02);
    EXPECT_EQ(pointer.input_report_length, 5u);
    EXPECT_EQ(pointer.feature_report_length, 0u);

    EXPECT_EQ(list[3].input_report_length, 9u);  // boot keyboard: 8 bytes, no report id
    EXPECT_EQ(list[5].product_id, 0x5B2F);

    // The same tree gives the same list.
    EXPECT_EQ(EnumerateHidraw(tree.root()), list);
}

TEST(EnumerateHidrawTest, SkipsNodesItCannotUnderstand) {
    SysfsTree tree;
    tree.AddNode("hidraw1", "0003:248A:5B2E.0001", "HID_NAME=no id\n", kMouseDescriptor);
    tree.AddNode("hidraw2", "0003:248A:5B2E.0002", "HID_ID=0003:1248A:5B2E\n", kMouseDescriptor);
    tree.AddNode("hidrawx", "0003:248A:5B2E.0003", SysfsTree::Uevent(0x248A, 0x5B2E),
                 kMouseDescriptor);
    tree.AddNode("hidraw4", "0003:248A:5B2E.0004", SysfsTree::Uevent(0x248A, 0x5B2E), {});
    // Cut inside the vendor collection: the mouse collection before it stays.
    const std::vector<uint8_t> cut(kMouseDescriptor.begin(), kMouseDescriptor.end() - 3);
    tree.AddNode("hidraw5", "0003:248A:5B2E.0005", SysfsTree::Uevent(0x248A, 0x5B2E), cut);
    tree.AddNode("hidraw6", "0003:248A:5B2E.0006", SysfsTree::Uevent(0x248A, 0x5B2E),
                 kMouseDescriptor);
    std::filesystem::remove(tree.root() /
                            "sys/devices/pci0000:00/usb1/1-1/1-1:1.0/0003:248A:5B2E.0006/"
                            "report_descriptor");

    EXPECT_EQ(Ids(EnumerateHidraw(tree.root())), std::vector<std::string>{"hidraw5#0"});
}

TEST(EnumerateHidrawTest, MissingClassFolderMeansNoInterfaces) {
    EXPECT_TRUE(EnumerateHidraw("/nonexistent-velmaro-root").empty());
}

}  // namespace
}  // namespace velmaro
