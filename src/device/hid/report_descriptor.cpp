#include "device/hid/report_descriptor.h"

#include <algorithm>
#include <array>

namespace velmaro {
namespace {

// Item types and tags of the short item format.
constexpr uint8_t kTypeMain = 0;
constexpr uint8_t kTypeGlobal = 1;
constexpr uint8_t kTypeLocal = 2;

constexpr uint8_t kMainInput = 0x8;
constexpr uint8_t kMainOutput = 0x9;
constexpr uint8_t kMainCollection = 0xA;
constexpr uint8_t kMainFeature = 0xB;
constexpr uint8_t kMainEndCollection = 0xC;

constexpr uint8_t kGlobalUsagePage = 0x0;
constexpr uint8_t kGlobalReportSize = 0x7;
constexpr uint8_t kGlobalReportId = 0x8;
constexpr uint8_t kGlobalReportCount = 0x9;
constexpr uint8_t kGlobalPush = 0xA;
constexpr uint8_t kGlobalPop = 0xB;

constexpr uint8_t kLocalUsage = 0x0;
constexpr uint8_t kLocalUsageMinimum = 0x1;

constexpr uint8_t kLongItemPrefix = 0xFE;

// Real descriptors push a level or two; this only bounds hostile input.
constexpr size_t kMaxPushDepth = 32;
// Bits of one report beyond this are not counted (no bus carries such a
// report); it keeps the sums and the byte length far from overflow.
constexpr uint64_t kMaxReportBits = uint64_t{1} << 32;

struct GlobalState {
    uint32_t usage_page = 0;
    uint32_t report_size = 0;
    uint32_t report_count = 0;
    uint32_t report_id = 0;
};

enum Kind { kInput, kOutput, kFeature, kKinds };

// Bits per report id and kind within the open top-level collection.
struct ReportBits {
    std::array<std::array<uint64_t, 256>, kKinds> bits{};

    void Add(Kind kind, uint32_t report_id, uint64_t amount) {
        uint64_t& total = bits[kind][report_id & 0xFF];
        total = std::min(total + amount, kMaxReportBits);
    }
    // The largest report of the kind in bytes, report-id byte included.
    uint32_t Length(Kind kind) const {
        uint64_t largest = *std::max_element(bits[kind].begin(), bits[kind].end());
        if (largest == 0)
            return 0;
        return static_cast<uint32_t>((largest + 7) / 8 + 1);
    }
    std::vector<uint8_t> Ids(Kind kind) const {
        std::vector<uint8_t> ids;
        for (size_t id = 0; id < bits[kind].size(); ++id) {
            if (bits[kind][id] != 0)
                ids.push_back(static_cast<uint8_t>(id));
        }
        return ids;
    }
};

uint32_t LittleEndian(std::span<const uint8_t> data) {
    uint32_t value = 0;
    for (size_t i = data.size(); i-- > 0;)
        value = (value << 8) | data[i];
    return value;
}

}  // namespace

ReportDescriptorInfo ParseReportDescriptor(std::span<const uint8_t> descriptor) {
    ReportDescriptorInfo info;
    GlobalState global;
    std::vector<GlobalState> stack;
    // Local items of the next main item: only the first usage matters here,
    // as it names a collection.
    bool have_usage = false;
    uint32_t first_usage = 0;  // usage page in the high half

    size_t depth = 0;  // open collections
    HidCollectionInfo current;
    ReportBits bits;

    auto fail = [&](ReportDescriptorError error) {
        info.error = error;
        return info;
    };

    size_t pos = 0;
    while (pos < descriptor.size()) {
        const uint8_t prefix = descriptor[pos];
        if (prefix == kLongItemPrefix) {
            // Long items carry vendor data no main item depends on: skip.
            if (descriptor.size() - pos < 3)
                return fail(ReportDescriptorError::kTruncated);
            const size_t length = descriptor[pos + 1];
            if (descriptor.size() - pos - 3 < length)
                return fail(ReportDescriptorError::kTruncated);
            pos += 3 + length;
            continue;
        }

        const size_t size = (prefix & 0x3) == 3 ? 4 : (prefix & 0x3);
        const uint8_t type = (prefix >> 2) & 0x3;
        const uint8_t tag = prefix >> 4;
        if (descriptor.size() - pos - 1 < size)
            return fail(ReportDescriptorError::kTruncated);
        const uint32_t value = LittleEndian(descriptor.subspan(pos + 1, size));
        pos += 1 + size;

        if (type == kTypeMain) {
            switch (tag) {
                case kMainInput:
                case kMainOutput:
                case kMainFeature:
                    // Main items outside any collection belong to no interface.
                    if (depth > 0) {
                        const Kind kind = tag == kMainInput    ? kInput
                                          : tag == kMainOutput ? kOutput
                                                               : kFeature;
                        bits.Add(kind, global.report_id,
                                 uint64_t{global.report_size} * global.report_count);
                    }
                    break;
                case kMainCollection:
                    if (depth == 0) {
                        current = HidCollectionInfo{};
                        bits = ReportBits{};
                        const uint32_t usage =
                            have_usage ? first_usage : (global.usage_page & 0xFFFF) << 16;
                        current.usage_page = static_cast<uint16_t>(usage >> 16);
                        current.usage = static_cast<uint16_t>(usage & 0xFFFF);
                    }
                    ++depth;
                    break;
                case kMainEndCollection:
                    if (depth == 0)
                        return fail(ReportDescriptorError::kUnbalancedCollection);
                    if (--depth == 0) {
                        current.input_report_length = bits.Length(kInput);
                        current.output_report_length = bits.Length(kOutput);
                        current.feature_report_length = bits.Length(kFeature);
                        current.input_report_ids = bits.Ids(kInput);
                        info.collections.push_back(std::move(current));
                    }
                    break;
                default:
                    break;
            }
            have_usage = false;
            first_usage = 0;
        } else if (type == kTypeGlobal) {
            switch (tag) {
                case kGlobalUsagePage:
                    global.usage_page = value;
                    break;
                case kGlobalReportSize:
                    global.report_size = value;
                    break;
                case kGlobalReportCount:
                    global.report_count = value;
                    break;
                case kGlobalReportId:
                    if (value == 0 || value > 0xFF)
                        return fail(ReportDescriptorError::kInvalidReportId);
                    global.report_id = value;
                    info.uses_report_ids = true;
                    break;
                case kGlobalPush:
                    if (stack.size() == kMaxPushDepth)
                        return fail(ReportDescriptorError::kStackOverflow);
                    stack.push_back(global);
                    break;
                case kGlobalPop:
                    if (stack.empty())
                        return fail(ReportDescriptorError::kStackUnderflow);
                    global = stack.back();
                    stack.pop_back();
                    break;
                default:
                    break;
            }
        } else if (type == kTypeLocal) {
            if ((tag == kLocalUsage || tag == kLocalUsageMinimum) && !have_usage) {
                // A four-byte usage names its page itself.
                first_usage = size == 4 ? value : ((global.usage_page & 0xFFFF) << 16) | value;
                have_usage = true;
            }
        }
    }
    if (depth != 0)
        return fail(ReportDescriptorError::kUnbalancedCollection);
    return info;
}

}  // namespace velmaro
