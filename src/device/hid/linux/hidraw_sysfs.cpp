#include "device/hid/linux/hidraw_sysfs.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "device/hid/report_descriptor.h"

namespace velmaro {
namespace {

namespace fs = std::filesystem;

// Report descriptors are at most 4 KiB and uevent files smaller still; the
// cap only guards against a file that is not what it should be.
constexpr size_t kMaxSysfsFile = 64 * 1024;

bool ReadSmallFile(const fs::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.clear();
    char chunk[4096];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, static_cast<size_t>(in.gcount()));
        if (bytes.size() > kMaxSysfsFile)
            return false;
    }
    return !in.bad();
}

bool ParseHexField(std::string_view text, uint32_t& value) {
    if (text.empty() || text.size() > 8)
        return false;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, 16);
    return ec == std::errc() && ptr == end;
}

// "hidraw12" -> 12.
bool ParseNodeNumber(std::string_view name, unsigned& number) {
    constexpr std::string_view kPrefix = "hidraw";
    if (!name.starts_with(kPrefix) || name.size() == kPrefix.size())
        return false;
    const char* begin = name.data() + kPrefix.size();
    const char* end = name.data() + name.size();
    auto [ptr, ec] = std::from_chars(begin, end, number, 10);
    return ec == std::errc() && ptr == end;
}

}  // namespace

bool ParseHidId(std::string_view uevent, HidId& id) {
    constexpr std::string_view kKey = "HID_ID=";
    while (!uevent.empty()) {
        const size_t newline = uevent.find('\n');
        std::string_view line = uevent.substr(0, newline);
        uevent =
            newline == std::string_view::npos ? std::string_view() : uevent.substr(newline + 1);
        if (!line.starts_with(kKey))
            continue;
        line.remove_prefix(kKey.size());
        uint32_t fields[3];
        for (int i = 0; i < 3; ++i) {
            const size_t colon = i < 2 ? line.find(':') : line.size();
            if (colon == std::string_view::npos ||
                !ParseHexField(line.substr(0, colon), fields[i]) || fields[i] > 0xFFFF)
                return false;
            line.remove_prefix(std::min(colon + 1, line.size()));
        }
        id = {static_cast<uint16_t>(fields[0]), static_cast<uint16_t>(fields[1]),
              static_cast<uint16_t>(fields[2])};
        return true;
    }
    return false;
}

std::vector<HidInterfaceInfo> EnumerateHidraw(const fs::path& root) {
    std::vector<std::pair<unsigned, std::string>> nodes;
    std::error_code ec;
    const fs::path class_dir = root / "sys/class/hidraw";
    for (fs::directory_iterator it(class_dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        unsigned number = 0;
        if (ParseNodeNumber(name, number))
            nodes.emplace_back(number, std::move(name));
    }
    // Node numbers, not names: hidraw10 comes after hidraw9.
    std::sort(nodes.begin(), nodes.end());

    std::vector<HidInterfaceInfo> interfaces;
    for (const auto& [number, name] : nodes) {
        const fs::path device = class_dir / name / "device";
        std::string uevent, descriptor;
        HidId id;
        if (!ReadSmallFile(device / "uevent", uevent) || !ParseHidId(uevent, id) ||
            !ReadSmallFile(device / "report_descriptor", descriptor))
            continue;
        const ReportDescriptorInfo parsed = ParseReportDescriptor(std::span<const uint8_t>(
            reinterpret_cast<const uint8_t*>(descriptor.data()), descriptor.size()));

        std::error_code canonical_error;
        const fs::path hid_device = fs::canonical(device, canonical_error);
        const std::string instance =
            canonical_error ? std::string() : hid_device.filename().string();

        for (size_t i = 0; i < parsed.collections.size(); ++i) {
            const HidCollectionInfo& collection = parsed.collections[i];
            HidInterfaceInfo info;
            info.path = (root / "dev" / name).string();
            info.node = name;
            info.collection = static_cast<uint32_t>(i);
            info.instance = instance;
            info.vendor_id = id.vendor_id;
            info.product_id = id.product_id;
            info.usage_page = collection.usage_page;
            info.usage = collection.usage;
            info.input_report_length = collection.input_report_length;
            info.feature_report_length = collection.feature_report_length;
            interfaces.push_back(std::move(info));
        }
    }
    return interfaces;
}

}  // namespace velmaro
