// A complete mouse behind the HID seam, for tests and for running the
// programs without one attached (`--simulate`).
//
// What it lists, in this order while everything is attached:
//   sim:keyboard         another maker's keyboard; the system holds it, so
//                        opening it fails with kAccessDenied
//   the cable role       vendor 0x248A, product 0x5B2E: pointer (input 8),
//                        input (input 33, report id 5), keys (input 9,
//                        feature 2), command (feature 33, no input)
//   sim:pointer          another maker's boot mouse (input 5)
//   sim:lookalike        another maker's device with a 33-byte feature report
//                        under the receiver's product id
//   the receiver role    vendor 0x248A, product 0x5B2F: pointer, keys,
//                        command (feature 33, input 9), input (input 33)
//   sim:gamepad          only after PlugUnrelated()
// Each role's interfaces are "sim:<role>:<name>", or with shared node paths
// collections 0..3 of "sim:<role>". Each attach gives the role a new
// `instance`, so a handle or an interface description from before an unplug
// never reaches the mouse again.
//
// Both roles lead to one mouse: one set of settings, one status.
//
// The command interface takes every request it is sent, checks it against the
// frame rules (request_rules.h) and keeps the settings of the good ones. A
// request that breaks a rule is recorded as a violation and otherwise
// ignored; so is any report sent to an interface that is not a command
// interface. The status query prepares the answer the next GetFeature on that
// role returns; without one GetFeature answers with payload length 0.
//
// Threads: every member may be called from any thread. Plug, Unplug,
// PlugUnrelated and UnplugUnrelated call the listener given to
// StartDeviceChangeWatch on the caller's own thread before they return, one
// call per interface in listing order; the listener may call Enumerate and
// Open, but must not start or stop the watch. Handles stay safe to use after
// the VirtualMouse is gone (they then fail with kDisconnected).
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "device/hid/hid_backend.h"
#include "device/hid/sim/mouse_settings.h"
#include "device/hid/sim/seam_log.h"
#include "device/hid/sim/virtual_mouse_config.h"

namespace velmaro {

inline constexpr size_t kSimReportLength = 33;
inline constexpr uint8_t kSimInputReportId = 5;
inline constexpr uint8_t kSimDpiEventType = 6;
// Byte 6 of a status answer that carries something.
inline constexpr uint8_t kSimStatusPayloadLength = 16;

// The input report the mouse sends when its own buttons change the DPI level
// or the report rate: 05 06 00 interval ordinal+1, zeros.
std::array<uint8_t, kSimReportLength> DpiEventReport(uint8_t interval_ms, uint8_t dpi_ordinal);

class VirtualMouse final : public HidBackend {
  public:
    explicit VirtualMouse(const VirtualMouseConfig& config = {});
    ~VirtualMouse() override;
    VirtualMouse(const VirtualMouse&) = delete;
    VirtualMouse& operator=(const VirtualMouse&) = delete;

    // HidBackend.
    std::vector<HidInterfaceInfo> Enumerate() override;
    // kNotFound for an interface that is not listed now (unplugged, or from an
    // earlier attach), kAccessDenied for the keyboard.
    HidOpenResult Open(const HidInterfaceInfo& info) override;
    HidError StartDeviceChangeWatch(DeviceChangeListener& listener) override;
    void StopDeviceChangeWatch() override;

    // Attaches or detaches a role. Detaching ends pending reads and fails
    // every later call on the role's open handles with kDisconnected, drops
    // its pending status answer and unfinished macro uploads; the mouse keeps
    // its settings. False when the role already was in that state.
    bool Plug(SimRole role);
    bool Unplug(SimRole role);
    bool IsPlugged(SimRole role) const;
    // Attaches or detaches a device of another maker (sim:gamepad), for
    // notifications that do not concern the mouse.
    bool PlugUnrelated();
    bool UnplugUnrelated();

    // Sends an input report on the role's input interface: every handle open
    // on it gets it (33 bytes: zeros appended, longer cut), as the system
    // hands each reader its own copy. Returns how many handles got it; 0 when
    // the role is unplugged or no handle is open.
    size_t InjectInput(SimRole role, std::span<const uint8_t> report);
    size_t InjectDpiEvent(SimRole role, uint8_t interval_ms, uint8_t dpi_ordinal);
    // Waits until a ReadInput is blocked on the role's input interface, so a
    // test knows its reader will see what it injects next. False on timeout.
    bool WaitForReader(SimRole role, std::chrono::milliseconds timeout);

    // What the status query answers. The sensor code also chooses the DPI
    // codes a factory reset restores.
    SimStatus Status() const;
    void SetStatus(const SimStatus& status);
    // The next `times` status queries are answered with payload length 0 (the
    // mouse had nothing ready yet); 0 turns it off.
    void AnswerEmpty(unsigned times = 1);

    MouseSettings Settings() const;
    std::vector<SimViolation> Violations() const;
    void ClearViolations();

    // Every report that crossed the seam to or from the mouse's command and
    // input interfaces: sends the mouse took (those with a violation
    // included), feature reads and input reads. Calls that failed are not in
    // it. The calls of one thread appear in the order they were made; calls
    // running at the same time on different threads may appear either way.
    std::vector<SeamLogEntry> Log() const;
    void ClearLog();
    // Also hands each new entry to `callback`, in log order, on the thread of
    // the call that made it. The callback must not call Log, ClearLog or
    // SetLogCallback. An empty function removes it.
    void SetLogCallback(std::function<void(const SeamLogEntry&)> callback);

    struct Core;

  private:
    std::shared_ptr<Core> core_;
};

}  // namespace velmaro
