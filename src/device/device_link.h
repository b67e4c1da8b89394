// Finds the mouse among the system's HID interfaces in its two roles, keeps
// the command interfaces open while it is attached, runs one input reader per
// role and carries every request to the mouse.
//
// Everything here but the reader threads runs on the user-interface thread.
// A reader only reads its own input interface and posts what the mouse
// reports; it shares nothing with the rest but the posted-event queue and its
// busy and running flags. Device-change notifications are posted to the same
// queue. At shutdown the readers are cancelled and joined before their
// interfaces are closed.
#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "device/device_role.h"
#include "device/feature_channel.h"
#include "device/hid/hid_backend.h"
#include "device/posted_events.h"

namespace velmaro {

// One report that went to the mouse or came back from it.
struct ReportTrace {
    enum class Direction : uint8_t { Sent, Received };
    Direction Dir = Direction::Sent;
    DeviceRole Role = DeviceRole::Cable;
    FeatureReport Report;
    HidError Error;  // the result of the call
};

// An interface of the mouse that could not be opened; it was skipped.
struct OpenFailure {
    HidInterfaceInfo Info;
    HidError Error;

    friend bool operator==(const OpenFailure&, const OpenFailure&) = default;
};

struct ScanReport {
    bool DevicePresent = false;
    std::array<bool, kRoleCount> Found{};
    // A command interface of the role is open after the scan.
    std::array<bool, kRoleCount> CommandOpen{};
    // The scan opened the role's command interface (it was not open before).
    std::array<bool, kRoleCount> CommandOpened{};
    // The scan started a reader for the role.
    std::array<bool, kRoleCount> ReaderStarted{};
    // Interfaces of the mouse the scan could not open (no access, gone).
    std::vector<OpenFailure> OpenFailures;
};

// What a reader makes of an input report: a mouse-side change for input
// report 5, event type 6, when bytes 0 to 4 all came from the read (`length`
// bytes of `report`).
std::optional<MouseSideChange> DecodeInputReport(DeviceRole role, std::span<const uint8_t> report,
                                                 size_t length);

class DeviceLink : public FeatureChannel {
  public:
    // `backend` and `poster` must outlive the link.
    DeviceLink(HidBackend& backend, UiThreadPoster& poster);
    ~DeviceLink() override;
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Forgets every handle and path and starts the backend's device-change
    // watch; arrivals and removals are posted as InterfaceArrived and
    // InterfaceRemoved. Called once, before the first scan.
    HidError RegisterDeviceNotifications();

    // Looks at the first 150 interfaces: the mouse's command and input
    // interfaces per role. A role's command interface is remembered by the
    // first scan that sees it and only that interface is accepted again while
    // the role stays found; a role no longer found loses its handle and its
    // remembered interface. Opens the command interface of a found role that
    // has none open and starts the role's reader unless one runs. Already
    // open handles and running readers are left alone.
    ScanReport ScanDevices();

    // Cancels and joins the readers, closes every handle and stops the
    // device-change watch. The link can be scanned again afterwards.
    void Shutdown();

    // CommandChannel: the cable's command interface when it is open, else
    // the receiver's.
    bool HasCommandInterface() const override;
    bool SendCommand(const FeatureReport& report) override;
    bool ReadFeature(FeatureReport& report) override;
    // The role requests go to; none when no command interface is open.
    std::optional<DeviceRole> CommandRole() const;

    // Every report sent or read back, with the call's result. Runs on the
    // user-interface thread.
    void SetTraceHook(std::function<void(const ReportTrace&)> trace) { trace_ = std::move(trace); }

    bool DevicePresent() const { return device_present_; }
    bool CableFound() const { return Found(DeviceRole::Cable); }
    bool ReceiverFound() const { return Found(DeviceRole::Receiver); }
    bool Found(DeviceRole role) const { return Role(role).found; }
    bool HasCommandHandle(DeviceRole role) const { return Role(role).command != nullptr; }
    // Remembered interfaces: "path#collection", empty when none.
    const std::string& CommandPath(DeviceRole role) const { return Role(role).command_id; }
    const std::string& InputPath(DeviceRole role) const { return Role(role).input_id; }
    // Positions in the system's list at the scan that saw them; -1 when none.
    int CommandIndex(DeviceRole role) const { return Role(role).command_index; }
    int InputIndex(DeviceRole role) const { return Role(role).input_index; }
    // A reader of the role runs (set before it starts, cleared by the reader
    // as it ends).
    bool ReaderBusy(DeviceRole role) const { return Role(role).reader_busy.load(); }
    // The reader's loop goes on while this is set.
    bool ReaderRunning(DeviceRole role) const { return Role(role).reader_running.load(); }

  private:
    struct RoleState {
        bool found = false;
        std::unique_ptr<HidDevice> command;
        std::string command_id;
        std::string command_instance;
        int command_index = -1;
        std::string input_id;
        std::string input_instance;
        int input_index = -1;
        // The reader's interface: owned here so that it outlives every call
        // the reader makes on it; replaced only after the reader is joined.
        std::unique_ptr<HidDevice> input;
        std::thread reader;
        std::atomic<bool> reader_busy{false};
        std::atomic<bool> reader_running{false};
    };

    // What a scan opened, waiting to be taken once the roles are decided.
    struct Opened {
        std::unique_ptr<HidDevice> command;
        std::unique_ptr<HidDevice> input;
    };

    class Watch : public DeviceChangeListener {
      public:
        explicit Watch(UiThreadPoster& poster) : poster_(poster) {}
        void OnInterfaceArrival(const HidInterfaceInfo& info) override;
        void OnInterfaceRemoval(const HidInterfaceInfo& info) override;

      private:
        UiThreadPoster& poster_;
    };

    RoleState& Role(DeviceRole role) { return roles_[RoleIndex(role)]; }
    const RoleState& Role(DeviceRole role) const { return roles_[RoleIndex(role)]; }
    HidDevice* CommandDevice() const;

    void ProbeInterface(int index, const HidInterfaceInfo& info,
                        std::array<Opened, kRoleCount>& opened, ScanReport& report);
    // Joins a reader that ended by itself and forgets its interface.
    void ReapReader(RoleState& role);
    // Stops a running reader: ends its loop, cancels its read, joins it.
    void StopReader(RoleState& role);
    void StartReader(DeviceRole role, std::unique_ptr<HidDevice> input);
    static void ReaderBody(DeviceRole role, HidDevice& input, size_t report_length,
                           std::atomic<bool>& busy, std::atomic<bool>& running,
                           UiThreadPoster& poster);
    void Trace(ReportTrace::Direction dir, const FeatureReport& report, const HidError& error);

    HidBackend& backend_;
    UiThreadPoster& poster_;
    Watch watch_;
    bool watching_ = false;
    bool device_present_ = false;
    std::array<RoleState, kRoleCount> roles_;
    std::function<void(const ReportTrace&)> trace_;
};

}  // namespace velmaro
