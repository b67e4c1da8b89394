// The HID seam: the few verbs the device link needs from the system's HID
// stack, so the link runs unchanged on hidraw, on the virtual mouse, or on
// another system's HID services.
//
// Wire facts every backend keeps:
// - One interface is one top-level collection of a device's report
//   descriptor. A node whose descriptor has several top-level collections is
//   listed once per collection; its interfaces share `path`.
// - The report-id byte is included in every buffer and every length: byte 0
//   of each report is its report id, 0 for a collection without report ids.
//   Report lengths count the largest report of the kind in the collection,
//   plus that byte (an input report of 32 data bytes has length 33).
// - Feature reports go through the control channel, whole: a transfer that
//   moves fewer bytes than asked is a failure.
// - Input reports are read one at a time, in the order the device sent them,
//   and only those of the interface's own collection.
// - Errors are values. Nothing here throws or keeps a process-wide error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmaro {

enum class HidErrorKind : uint8_t {
    kNone,
    // The system refused access to the device node: the user needs the udev
    // rule that ships with the program.
    kAccessDenied,
    // The interface is not there (any more), or another device now sits
    // under its path.
    kNotFound,
    // The device went away while it was open.
    kDisconnected,
    // A pending or later ReadInput was ended by CancelRead.
    kCancelled,
    // The device moved fewer bytes than the report holds.
    kShortTransfer,
    // The call itself was wrong: an empty buffer, a report too long for the
    // system's interface.
    kBadArgument,
    // Any other failure of the system or the device; `system_code` says which.
    kIo,
};

struct HidError {
    HidErrorKind kind = HidErrorKind::kNone;
    // The system's own error number when there is one (errno on Linux), else 0.
    int system_code = 0;

    bool Ok() const { return kind == HidErrorKind::kNone; }
    friend bool operator==(const HidError&, const HidError&) = default;
};

// A short English name of the kind, for logs and the command-line tool.
std::string_view HidErrorKindName(HidErrorKind kind);

struct HidInterfaceInfo {
    // What Open takes: the device node ("/dev/hidraw3"). Shared by all
    // collections of one node.
    std::string path;
    // The node's name ("hidraw3") and the index of this interface's top-level
    // collection in the node's report descriptor: together they name the
    // interface among the present ones.
    std::string node;
    uint32_t collection = 0;
    // The HID device the node belongs to ("0003:248A:5B2E.0007"). It changes
    // each time the device is attached, so a device that comes back under the
    // same node number is still seen as a new interface. Empty when unknown.
    std::string instance;
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    // Usage page and usage of the top-level collection.
    uint16_t usage_page = 0;
    uint16_t usage = 0;
    // Largest report of the kind, report-id byte included; 0 when the
    // collection has no report of that kind.
    uint32_t input_report_length = 0;
    uint32_t feature_report_length = 0;

    // "path#collection": unique among the present interfaces.
    std::string InterfaceId() const;

    friend bool operator==(const HidInterfaceInfo&, const HidInterfaceInfo&) = default;
};

// An open interface. Not copyable; closing is destruction.
//
// Threads: SetFeature and GetFeature are called from one thread at a time.
// ReadInput may run on another thread at the same time as them. CancelRead
// may be called from any thread at any time. The handle must outlive every
// call on it: to stop a reader, CancelRead, join the reader's thread, then
// destroy the handle.
class HidDevice {
  public:
    HidDevice() = default;
    HidDevice(const HidDevice&) = delete;
    HidDevice& operator=(const HidDevice&) = delete;
    virtual ~HidDevice() = default;

    // Sends a feature report; report[0] is its report id.
    virtual HidError SetFeature(std::span<const uint8_t> report) = 0;
    // Asks the device for a feature report. On entry report[0] holds the
    // report id; on success the whole buffer holds the report, report id first.
    virtual HidError GetFeature(std::span<uint8_t> report) = 0;

    struct ReadResult {
        // Bytes of the report placed in the buffer, report-id byte included.
        size_t length = 0;
        HidError error;
    };
    // Blocks until one input report of this interface's collection arrives.
    // A report longer than the buffer is cut to it. Fails with kDisconnected
    // when the device goes away and with kCancelled after CancelRead.
    virtual ReadResult ReadInput(std::span<uint8_t> buffer) = 0;
    // Ends a pending ReadInput and makes every later one fail at once.
    virtual void CancelRead() = 0;
};

struct HidOpenResult {
    std::unique_ptr<HidDevice> device;  // null on failure
    HidError error;
};

// Told about interfaces that come and go. Each present interface is reported
// once when it arrives and once when it leaves; an interface whose details
// change is reported as leaving and arriving again.
class DeviceChangeListener {
  public:
    virtual ~DeviceChangeListener() = default;
    virtual void OnInterfaceArrival(const HidInterfaceInfo& info) = 0;
    virtual void OnInterfaceRemoval(const HidInterfaceInfo& info) = 0;
};

class HidBackend {
  public:
    virtual ~HidBackend() = default;

    // The present interfaces, in an order that stays the same while the set of
    // devices does. Never fails: no device, no interface.
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;

    // Opens the interface for sending and reading reports. Each call opens the
    // device anew; handles of one device are independent.
    virtual HidOpenResult Open(const HidInterfaceInfo& info) = 0;

    // Starts telling `listener` about changes to the list Enumerate gives,
    // counted from the moment of the call: what is present then is not
    // reported. The listener may be called on a thread of the backend's own
    // (never two calls at once); it should hand the news to its own thread and
    // return. Starting again replaces the previous listener.
    virtual HidError StartDeviceChangeWatch(DeviceChangeListener& listener) = 0;
    // Stops the watch. When it returns no call to the listener is running or
    // will come, so the listener may be destroyed. Harmless when not watching;
    // not to be called from within the listener.
    virtual void StopDeviceChangeWatch() = 0;
};

}  // namespace velmaro
