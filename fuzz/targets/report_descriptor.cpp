// A HID report descriptor as a hidraw node hands it over.
#include <algorithm>

#include "device/hid/report_descriptor.h"
#include "fuzz_support.h"

using namespace velmaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ReportDescriptorInfo info = ParseReportDescriptor(std::span<const uint8_t>(data, size));
    for (const HidCollectionInfo& c : info.collections)
        VELMARO_FUZZ_CHECK(std::is_sorted(c.input_report_ids.begin(), c.input_report_ids.end()));
    // Parsing the same bytes twice gives the same answer.
    VELMARO_FUZZ_CHECK(ParseReportDescriptor(std::span<const uint8_t>(data, size)).collections ==
                       info.collections);
    return 0;
}
