// A throw-away sysfs tree in a temporary folder, laid out like the real one:
// /sys/class/hidraw/hidrawN links to the node below its HID device, whose
// "device" link leads back to the HID device with its uevent and descriptor.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace velmaro::hidtest {

class SysfsTree {
  public:
    SysfsTree() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velmaro-sysfs-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        root_ = pattern;
        std::filesystem::create_directories(root_ / "sys/class/hidraw");
    }
    ~SysfsTree() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    SysfsTree(const SysfsTree&) = delete;
    SysfsTree& operator=(const SysfsTree&) = delete;

    const std::filesystem::path& root() const { return root_; }

    // `hid_device` as the kernel names it: "0003:248A:5B2E.0001".
    void AddNode(const std::string& node, const std::string& hid_device, const std::string& uevent,
                 const std::vector<uint8_t>& descriptor) {
        namespace fs = std::filesystem;
        const fs::path hid = root_ / "sys/devices/pci0000:00/usb1/1-1/1-1:1.0" / hid_device;
        fs::create_directories(hid / "hidraw" / node);
        Write(hid / "uevent", uevent);
        Write(hid / "report_descriptor", std::string(descriptor.begin(), descriptor.end()));
        fs::create_directory_symlink("../../../" + hid_device, hid / "hidraw" / node / "device");
        fs::create_directory_symlink(
            fs::path("../../devices/pci0000:00/usb1/1-1/1-1:1.0") / hid_device / "hidraw" / node,
            root_ / "sys/class/hidraw" / node);
    }

    void RemoveNode(const std::string& node) {
        std::filesystem::remove(root_ / "sys/class/hidraw" / node);
    }

    static std::string Uevent(uint16_t vendor, uint16_t product) {
        char line[64];
        snprintf(line, sizeof line, "HID_ID=0003:%08X:%08X\n", vendor, product);
        return "DRIVER=hid-generic\n" + std::string(line) + "HID_NAME=Test device\n";
    }

  private:
    static void Write(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::filesystem::path root_;
};

// Descriptors shaped like the real devices'.
inline const std::vector<uint8_t> kMouseDescriptor = {
    // Generic mouse, report id 1, 4 data bytes.
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19, 0x01,
    0x29, 0x05, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x05, 0x01, 0x09, 0x30,
    0x09, 0x31, 0x09, 0x38, 0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x03, 0x81, 0x06, 0xC0, 0xC0,
    // Vendor collection: input report 5 and feature report 12, 32 data bytes each.
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x85, 0x05,
    0x95, 0x20, 0x09, 0x01, 0x81, 0x02, 0x85, 0x0C, 0x95, 0x20, 0x09, 0x02, 0xB1, 0x02, 0xC0};

inline const std::vector<uint8_t> kBootKeyboardDescriptor = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25,
    0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x95, 0x01, 0x75, 0x08, 0x81, 0x01, 0x95, 0x06,
    0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x81, 0x00, 0xC0};

}  // namespace velmaro::hidtest
