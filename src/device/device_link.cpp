#include "device/device_link.h"

#include <algorithm>
#include <utility>

namespace velmaro {

DeviceLink::DeviceLink(HidBackend& backend, UiThreadPoster& poster)
    : backend_(backend), poster_(poster), watch_(poster) {}

DeviceLink::~DeviceLink() {
    Shutdown();
}

void DeviceLink::Watch::OnInterfaceArrival(const HidInterfaceInfo& info) {
    poster_.Post(InterfaceArrived{info});
}

void DeviceLink::Watch::OnInterfaceRemoval(const HidInterfaceInfo& info) {
    poster_.Post(InterfaceRemoved{info});
}

HidError DeviceLink::RegisterDeviceNotifications() {
    Shutdown();
    const HidError error = backend_.StartDeviceChangeWatch(watch_);
    watching_ = error.Ok();
    return error;
}

void DeviceLink::ReapReader(RoleState& role) {
    if (!role.reader.joinable() || role.reader_busy.load())
        return;
    role.reader.join();
    role.input.reset();
    role.input_id.clear();
    role.input_instance.clear();
    role.input_index = -1;
}

void DeviceLink::StopReader(RoleState& role) {
    role.reader_running.store(false);
    if (role.input)
        role.input->CancelRead();
    if (role.reader.joinable())
        role.reader.join();
    role.reader_busy.store(false);
    role.input.reset();
    role.input_id.clear();
    role.input_instance.clear();
    role.input_index = -1;
}

void DeviceLink::ProbeInterface(int index, const HidInterfaceInfo& info,
                                std::array<Opened, kRoleCount>& opened, ScanReport& report) {
    const std::optional<DeviceRole> role_id = RoleOf(info.vendor_id, info.product_id);
    if (!role_id)
        return;
    RoleState& role = Role(*role_id);
    Opened& taken = opened[RoleIndex(*role_id)];
    const std::string id = info.InterfaceId();

    // An interface with 33-byte input reports is the input interface even
    // when it has 33-byte feature reports too.
    const bool is_input = info.input_report_length == kMouseReportLength;
    const bool is_command = !is_input && info.feature_report_length == kMouseReportLength;
    if (!is_input && !is_command)
        return;

    if (is_input) {
        if (!role.input_id.empty()) {
            // The reader's interface, or a second mouse: ignored. The same
            // interface from a newer attachment means the reader sits on a
            // device that is gone (the removal and arrival came together):
            // it is replaced.
            if (role.input_id != id || role.input_instance == info.instance)
                return;
            StopReader(role);
        }
        HidOpenResult result = backend_.Open(info);
        if (!result.device) {
            report.OpenFailures.push_back({info, result.error});
            return;
        }
        role.input_id = id;
        role.input_instance = info.instance;
        role.input_index = index;
        taken.input = std::move(result.device);
        return;
    }

    if (!role.command_id.empty() && role.command_id != id)
        return;  // a second mouse of the same kind while the first is there
    if (!role.command_id.empty() && role.command_instance != info.instance)
        role.command.reset();  // the handle belongs to an attachment that is gone
    if (role.command) {
        role.found = true;
        role.command_index = index;
        return;
    }
    // Interfaces the system will not let us open are skipped.
    HidOpenResult result = backend_.Open(info);
    if (!result.device) {
        report.OpenFailures.push_back({info, result.error});
        return;
    }
    role.found = true;
    role.command_id = id;
    role.command_instance = info.instance;
    role.command_index = index;
    taken.command = std::move(result.device);
}

ScanReport DeviceLink::ScanDevices() {
    ScanReport report;
    for (RoleState& role : roles_) {
        ReapReader(role);
        role.found = false;
    }
    device_present_ = false;

    const std::vector<HidInterfaceInfo> interfaces = backend_.Enumerate();
    const size_t count = std::min(interfaces.size(), kInterfaceScanLimit);
    std::array<Opened, kRoleCount> opened;
    for (size_t i = 0; i < count; ++i)
        ProbeInterface(static_cast<int>(i), interfaces[i], opened, report);

    for (const DeviceRole id : kRoles) {
        RoleState& role = Role(id);
        Opened& taken = opened[RoleIndex(id)];
        if (role.found) {
            if (!role.command && taken.command) {
                role.command = std::move(taken.command);
                report.CommandOpened[RoleIndex(id)] = true;
            }
            if (taken.input && !role.reader_busy.load()) {
                StartReader(id, std::move(taken.input));
                report.ReaderStarted[RoleIndex(id)] = true;
            }
        } else {
            role.command.reset();
            role.command_id.clear();
            role.command_instance.clear();
            role.command_index = -1;
        }
        // An input interface is remembered only while a reader holds it, so
        // that the next scan takes it (or its successor) again.
        if (!role.reader_busy.load() && !role.reader.joinable()) {
            role.input_id.clear();
            role.input_instance.clear();
            role.input_index = -1;
        }
        report.Found[RoleIndex(id)] = role.found;
        report.CommandOpen[RoleIndex(id)] = role.command != nullptr;
    }
    device_present_ = CableFound() || ReceiverFound();
    report.DevicePresent = device_present_;
    return report;
}

std::optional<MouseSideChange> DecodeInputReport(DeviceRole role, std::span<const uint8_t> report,
                                                 size_t length) {
    // Bytes 0..4 must all come from this report.
    if (length > 4 && report.size() > 4 && report[0] == kInputReportId &&
        report[1] == kInputEventMouseChange)
        return MouseSideChange{role, report[3], report[4]};
    return std::nullopt;
}

void DeviceLink::StartReader(DeviceRole id, std::unique_ptr<HidDevice> input) {
    RoleState& role = Role(id);
    // A reader that has ended but was not joined yet goes first.
    if (role.reader.joinable())
        role.reader.join();
    role.input = std::move(input);
    // Both flags are set before the thread exists, so a second scan cannot
    // start another reader and a shutdown cannot be overtaken by the reader.
    role.reader_busy.store(true);
    role.reader_running.store(true);
    role.reader =
        std::thread(&DeviceLink::ReaderBody, id, std::ref(*role.input), kMouseReportLength,
                    std::ref(role.reader_busy), std::ref(role.reader_running), std::ref(poster_));
}

void DeviceLink::ReaderBody(DeviceRole role, HidDevice& input, size_t report_length,
                            std::atomic<bool>& busy, std::atomic<bool>& running,
                            UiThreadPoster& poster) {
    std::vector<uint8_t> buffer(report_length, 0xFF);
    buffer[0] = kInputReportId;
    while (running.load()) {
        const HidDevice::ReadResult result = input.ReadInput(buffer);
        // A failed read means the interface is gone (or we are shutting down);
        // the status timer rescans a role that is found without a reader.
        if (!result.error.Ok())
            break;
        if (const auto change = DecodeInputReport(role, buffer, result.length))
            poster.Post(*change);
    }
    running.store(false);
    busy.store(false);
}

void DeviceLink::Shutdown() {
    if (watching_) {
        backend_.StopDeviceChangeWatch();
        watching_ = false;
    }
    for (RoleState& role : roles_) {
        StopReader(role);
        role.command.reset();
        role.command_id.clear();
        role.command_instance.clear();
        role.command_index = -1;
        role.found = false;
    }
    device_present_ = false;
}

HidDevice* DeviceLink::CommandDevice() const {
    for (const DeviceRole id : kRoles) {
        if (Role(id).command)
            return Role(id).command.get();
    }
    return nullptr;
}

std::optional<DeviceRole> DeviceLink::CommandRole() const {
    for (const DeviceRole id : kRoles) {
        if (Role(id).command)
            return id;
    }
    return std::nullopt;
}

bool DeviceLink::HasCommandInterface() const {
    return CommandDevice() != nullptr;
}

bool DeviceLink::SendCommand(const FeatureReport& report) {
    HidDevice* device = CommandDevice();
    if (!device)
        return false;
    const HidError error = device->SetFeature(report.Bytes);
    Trace(ReportTrace::Direction::Sent, report, error);
    return error.Ok();
}

bool DeviceLink::ReadFeature(FeatureReport& report) {
    HidDevice* device = CommandDevice();
    if (!device)
        return false;
    const HidError error = device->GetFeature(report.Bytes);
    Trace(ReportTrace::Direction::Received, report, error);
    return error.Ok();
}

void DeviceLink::Trace(ReportTrace::Direction dir, const FeatureReport& report,
                       const HidError& error) {
    if (!trace_)
        return;
    ReportTrace entry;
    entry.Dir = dir;
    entry.Role = CommandRole().value_or(DeviceRole::Cable);
    entry.Report = report;
    entry.Error = error;
    trace_(entry);
}

}  // namespace velmaro
