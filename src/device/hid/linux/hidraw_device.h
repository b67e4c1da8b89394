// An open hidraw node, seen as one interface: the node is shared by all
// top-level collections of its device, so reads keep only the reports of the
// interface's own collection, and put the report-id byte in front where the
// device sends none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "device/hid/hid_backend.h"
#include "device/hid/report_descriptor.h"

namespace velmaro {

// Where a failed system call happened decides what its errno means.
enum class HidrawStage : uint8_t { kOpen, kFeature, kRead };
HidError HidErrorFromErrno(int error, HidrawStage stage);

// How read() on a node maps to the seam's input reports.
struct InputFraming {
    // The descriptor uses report ids, so read() gives the id as byte 0.
    bool numbered = false;
    // The report ids of the interface's collection.
    std::vector<uint8_t> ids;

    static InputFraming For(const ReportDescriptorInfo& descriptor, size_t collection);

    // Where in the caller's buffer read() puts its bytes: after the id byte
    // the program adds itself for devices without report ids.
    size_t Offset() const { return numbered ? 0 : 1; }
    // After read() put `received` bytes at Offset(): the length of the report
    // as the seam gives it, or 0 when it belongs to another collection.
    size_t Finish(std::span<uint8_t> buffer, size_t received) const;
};

// Makes an interface of an open node; takes `fd` over (also on failure).
// OpenHidraw uses it once the node is checked; tests hand it a socket.
HidOpenResult AdoptHidrawFd(int fd, InputFraming framing);

// Opens `info.path` for reading and writing and checks that it is still the
// device and collection Enumerate described (same ids and report lengths).
HidOpenResult OpenHidraw(const HidInterfaceInfo& info);

}  // namespace velmaro
