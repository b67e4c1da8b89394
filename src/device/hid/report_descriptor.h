// Reading a HID report descriptor the way the program's interface list needs
// it: its top-level collections, each with the byte lengths of its largest
// input, output and feature report.
//
// Lengths follow the convention of the HID seam (see hid_backend.h): the data
// bits of a report are the sum of report size x report count over its main
// items (padding included), rounded up to whole bytes, and the report-id byte
// is always added, also when the descriptor uses no report ids.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace velmaro {

struct HidCollectionInfo {
    uint16_t usage_page = 0;
    uint16_t usage = 0;
    // 0 when the collection has no report of that kind.
    uint32_t input_report_length = 0;
    uint32_t output_report_length = 0;
    uint32_t feature_report_length = 0;
    // Report ids that carry input reports of this collection, ascending.
    // {0} when the descriptor uses no report ids and the collection has input.
    std::vector<uint8_t> input_report_ids;

    friend bool operator==(const HidCollectionInfo&, const HidCollectionInfo&) = default;
};

enum class ReportDescriptorError : uint8_t {
    kNone,
    kTruncated,             // an item runs past the end
    kUnbalancedCollection,  // End Collection without Collection, or one left open
    kStackUnderflow,        // Pop without Push
    kStackOverflow,         // Pushes nested deeper than any real device needs
    kInvalidReportId,       // Report ID 0 or above 255
};

struct ReportDescriptorInfo {
    // In descriptor order. On an error, the collections closed before it.
    std::vector<HidCollectionInfo> collections;
    // A Report ID item appears (before the error, if any).
    bool uses_report_ids = false;
    ReportDescriptorError error = ReportDescriptorError::kNone;
};

// Never reads outside `descriptor`, whatever it holds.
ReportDescriptorInfo ParseReportDescriptor(std::span<const uint8_t> descriptor);

}  // namespace velmaro
