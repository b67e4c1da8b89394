#include "device/hid/sim/virtual_mouse.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string_view>

#include "device/feature_report.h"
#include "device/hid/sim/request_rules.h"

namespace velmaro {

namespace {

using Report = std::array<uint8_t, kSimReportLength>;

enum class Endpoint : uint8_t {
    kPlain,    // reports of its own that the program has no business with
    kCommand,  // the mouse's feature reports
    kInput,    // the mouse's input reports
};

struct InterfaceDef {
    std::string_view name;
    uint16_t usage_page;
    uint16_t usage;
    uint32_t input_length;
    uint32_t feature_length;
    Endpoint endpoint;
};

struct DeviceDef {
    std::string_view name;
    uint16_t vendor_id;
    uint16_t product_id;
    std::span<const InterfaceDef> interfaces;
    bool held_by_system;
    std::optional<SimRole> role;
};

// The pointer and keys collections share the mouse's ids but not its report
// lengths; the order differs between the roles on purpose, so nothing may
// rely on where in a device the command interface sits.
constexpr InterfaceDef kCableInterfaces[] = {
    {"pointer", 0x0001, 0x0002, 8, 0, Endpoint::kPlain},
    {"input", 0xFF01, 0x0001, kSimReportLength, 0, Endpoint::kInput},
    {"keys", 0x0001, 0x0006, 9, 2, Endpoint::kPlain},
    {"command", 0xFF00, 0x0001, 0, kSimReportLength, Endpoint::kCommand},
};
constexpr InterfaceDef kReceiverInterfaces[] = {
    {"pointer", 0x0001, 0x0002, 8, 0, Endpoint::kPlain},
    {"keys", 0x0001, 0x0006, 9, 2, Endpoint::kPlain},
    {"command", 0xFF00, 0x0001, 9, kSimReportLength, Endpoint::kCommand},
    {"input", 0xFF01, 0x0001, kSimReportLength, 0, Endpoint::kInput},
};
constexpr InterfaceDef kKeyboardInterfaces[] = {{"", 0x0001, 0x0006, 9, 2, Endpoint::kPlain}};
constexpr InterfaceDef kPointerInterfaces[] = {{"", 0x0001, 0x0002, 5, 0, Endpoint::kPlain}};
constexpr InterfaceDef kLookalikeInterfaces[] = {
    {"", 0xFF00, 0x0001, 0, kSimReportLength, Endpoint::kPlain}};
constexpr InterfaceDef kGamepadInterfaces[] = {{"", 0x0001, 0x0005, 12, 0, Endpoint::kPlain}};

enum DeviceIndex : size_t {
    kKeyboardDevice,
    kCableDevice,
    kPointerDevice,
    kLookalikeDevice,
    kReceiverDevice,
    kGamepadDevice,
    kDeviceCount
};

const DeviceDef kDevices[kDeviceCount] = {
    {"keyboard", 0x3A10, 0x0101, kKeyboardInterfaces, true, std::nullopt},
    {"cable", kSimVendorId, kSimCableProductId, kCableInterfaces, false, SimRole::kCable},
    {"pointer", 0x3A20, 0x0202, kPointerInterfaces, false, std::nullopt},
    {"lookalike", 0x3A30, kSimReceiverProductId, kLookalikeInterfaces, false, std::nullopt},
    {"receiver", kSimVendorId, kSimReceiverProductId, kReceiverInterfaces, false,
     SimRole::kReceiver},
    {"gamepad", 0x3A40, 0x0303, kGamepadInterfaces, false, std::nullopt},
};

size_t RoleDevice(SimRole role) {
    return role == SimRole::kCable ? kCableDevice : kReceiverDevice;
}

size_t RoleIndex(SimRole role) {
    return role == SimRole::kCable ? 0 : 1;
}

std::string Hex4(uint32_t value) {
    const uint8_t bytes[] = {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
    return FormatHexBytes(bytes);
}

Report SizedReport(std::span<const uint8_t> bytes) {
    Report report{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), report.size()), report.begin());
    return report;
}

// One open handle; lives in the SimHidDevice, listed in the core while open.
struct HandleState {
    size_t device = 0;
    size_t iface = 0;
    uint64_t generation = 0;
    bool cancelled = false;
    bool waiting = false;  // inside ReadInput
    std::deque<Report> queue;
};

// Macro chunks of one slot received so far.
struct UploadState {
    bool active = false;
    SimRole role = SimRole::kCable;
    uint8_t count = 0;
    uint8_t next = 0;
    std::vector<uint8_t> data;
};

}  // namespace

struct VirtualMouse::Core {
    struct DeviceState {
        bool present = false;
        uint64_t generation = 0;  // one more for every attach
        uint32_t instance = 0;
    };

    explicit Core(const VirtualMouseConfig& config)
        : shared_paths(config.shared_node_paths),
          no_access(config.no_access),
          status(config.status),
          settings(FactorySettings(config.status.sensor_code)) {
        for (size_t d : {kKeyboardDevice, kPointerDevice, kLookalikeDevice})
            AttachLocked(d);
        if (config.cable)
            AttachLocked(kCableDevice);
        if (config.receiver)
            AttachLocked(kReceiverDevice);
    }

    const bool shared_paths;
    const bool no_access;

    // Order of locks: watch_mutex, then mutex; log_mutex is taken alone.
    std::recursive_mutex watch_mutex;
    DeviceChangeListener* listener = nullptr;

    mutable std::mutex mutex;
    std::condition_variable changed;
    std::array<DeviceState, kDeviceCount> devices{};
    uint32_t next_instance = 1;
    std::vector<HandleState*> handles;
    SimStatus status;
    unsigned empty_answers = 0;
    std::array<std::optional<Report>, 2> answers;
    MouseSettings settings;
    std::array<UploadState, kMacroSlotCount> uploads;
    std::vector<SimViolation> violations;

    mutable std::mutex log_mutex;
    std::vector<SeamLogEntry> log;
    std::function<void(const SeamLogEntry&)> log_callback;

    void AttachLocked(size_t d) {
        DeviceState& state = devices[d];
        state.present = true;
        ++state.generation;
        state.instance = next_instance++;
    }

    HidInterfaceInfo InfoLocked(size_t d, size_t i) const {
        const DeviceDef& def = kDevices[d];
        const InterfaceDef& iface = def.interfaces[i];
        HidInterfaceInfo info;
        const std::string base = "sim:" + std::string(def.name);
        if (def.interfaces.size() == 1) {
            info.path = base;
            info.node = std::string(def.name);
        } else if (shared_paths) {
            info.path = base;
            info.node = std::string(def.name);
            info.collection = static_cast<uint32_t>(i);
        } else {
            info.path = base + ":" + std::string(iface.name);
            info.node = std::string(def.name) + "-" + std::string(iface.name);
        }
        info.instance = "0003:" + Hex4(def.vendor_id) + ":" + Hex4(def.product_id) + "." +
                        Hex4(devices[d].instance);
        info.vendor_id = def.vendor_id;
        info.product_id = def.product_id;
        info.usage_page = iface.usage_page;
        info.usage = iface.usage;
        info.input_report_length = iface.input_length;
        info.feature_report_length = iface.feature_length;
        return info;
    }

    std::vector<HidInterfaceInfo> DeviceInfosLocked(size_t d) const {
        std::vector<HidInterfaceInfo> infos;
        for (size_t i = 0; i < kDevices[d].interfaces.size(); ++i)
            infos.push_back(InfoLocked(d, i));
        return infos;
    }

    bool LiveLocked(const HandleState& h) const {
        return devices[h.device].present && devices[h.device].generation == h.generation;
    }

    void ViolationLocked(const HandleState& h, std::string reason, std::span<const uint8_t> bytes) {
        const HidInterfaceInfo info = InfoLocked(h.device, h.iface);
        violations.push_back(
            {info.path, info.collection, std::move(reason), {bytes.begin(), bytes.end()}});
    }

    // Attaches or detaches a device and tells the listener.
    bool SetPresent(size_t d, bool present) {
        std::lock_guard watch(watch_mutex);
        std::vector<HidInterfaceInfo> infos;
        {
            std::lock_guard lock(mutex);
            if (devices[d].present == present)
                return false;
            if (present) {
                AttachLocked(d);
            } else {
                devices[d].present = false;
                if (const auto role = kDevices[d].role) {
                    answers[RoleIndex(*role)].reset();
                    for (UploadState& u : uploads) {
                        if (u.active && u.role == *role)
                            u = {};
                    }
                }
                for (HandleState* h : handles) {
                    if (h->device == d)
                        h->queue.clear();
                }
            }
            infos = DeviceInfosLocked(d);
            changed.notify_all();
        }
        if (listener != nullptr) {
            for (const HidInterfaceInfo& info : infos) {
                if (present)
                    listener->OnInterfaceArrival(info);
                else
                    listener->OnInterfaceRemoval(info);
            }
        }
        return true;
    }

    Report StatusAnswerLocked(uint8_t sequence) {
        Report answer{};
        answer[0] = kFeatureReportId;
        answer[1] = 0x01;
        answer[4] = sequence;
        if (empty_answers > 0) {
            --empty_answers;
            answer[2] = CMD_QUERY_STATUS;
            return answer;
        }
        answer[2] = status.echo_command;
        answer[3] = status.status_byte;
        answer[6] = kSimStatusPayloadLength;
        answer[15] = status.sensor_code;
        answer[18] = status.battery;
        answer[19] = status.charge;
        return answer;
    }

    void TakeMacroChunkLocked(const HandleState& h, SimRole role, const Report& r) {
        const MacroChunkHeader header = MacroChunkHeader::From(r[5]);
        const uint8_t slot = r[kPayloadOffset];
        UploadState& upload = uploads[slot];
        const std::string of = " of " + std::to_string(header.count);
        if (header.index == 0) {
            if (upload.active)
                ViolationLocked(h,
                                "macro upload of slot " + std::to_string(slot) +
                                    " abandoned after " + std::to_string(upload.next) + " of " +
                                    std::to_string(upload.count) + " chunks",
                                r);
            upload = {true, role, header.count, 0, {}};
        } else if (!upload.active || upload.count != header.count || upload.next != header.index) {
            ViolationLocked(h,
                            "macro chunk " + std::to_string(header.index) + of + " for slot " +
                                std::to_string(slot) + " out of order",
                            r);
            upload = {};
            return;
        }
        // Byte 6 counts the slot byte too.
        const size_t carried = r[6] - 1u;
        upload.data.insert(upload.data.end(), r.begin() + kPayloadOffset + 1,
                           r.begin() + kPayloadOffset + 1 + static_cast<std::ptrdiff_t>(carried));
        ++upload.next;
        if (!header.IsLast())
            return;
        if (upload.data.size() % kMacroEntryBytes != 0)
            ViolationLocked(h,
                            "macro data of slot " + std::to_string(slot) + " is " +
                                std::to_string(upload.data.size()) +
                                " bytes, not whole 3-byte entries",
                            r);
        settings.macros[slot] = std::move(upload.data);
        upload = {};
    }

    void TakeRequestLocked(const HandleState& h, SimRole role, const Report& r) {
        if (auto bad = CheckRequestFrame(r)) {
            ViolationLocked(h, std::move(*bad), r);
            return;
        }
        switch (r[2]) {
            case CMD_QUERY_STATUS:
                answers[RoleIndex(role)] = StatusAnswerLocked(r[4]);
                break;
            case CMD_SET_MACRO_DATA:
                TakeMacroChunkLocked(h, role, r);
                break;
            case CMD_FACTORY_RESET:
                settings = FactorySettings(status.sensor_code);
                uploads = {};
                break;
            default:
                ApplySettingWrite(settings, r);
                break;
        }
    }

    void AppendLog(SeamDirection direction, SimRole role, std::span<const uint8_t> bytes) {
        std::lock_guard lock(log_mutex);
        log.push_back({direction, role, {bytes.begin(), bytes.end()}});
        if (log_callback)
            log_callback(log.back());
    }
};

namespace {

class SimHidDevice final : public HidDevice {
  public:
    using Core = VirtualMouse::Core;

    SimHidDevice(std::shared_ptr<Core> core, size_t device, size_t iface, uint64_t generation)
        : core_(std::move(core)) {
        state_.device = device;
        state_.iface = iface;
        state_.generation = generation;
        std::lock_guard lock(core_->mutex);
        core_->handles.push_back(&state_);
    }

    ~SimHidDevice() override {
        std::lock_guard lock(core_->mutex);
        std::erase(core_->handles, &state_);
    }

    HidError SetFeature(std::span<const uint8_t> report) override {
        std::optional<SimRole> logged;
        {
            std::lock_guard lock(core_->mutex);
            if (!core_->LiveLocked(state_))
                return {HidErrorKind::kDisconnected};
            if (report.empty())
                return {HidErrorKind::kBadArgument};
            if (Def().endpoint != Endpoint::kCommand)
                return Misdirected(report, "feature report sent to");
            if (report.size() != kSimReportLength) {
                core_->ViolationLocked(
                    state_, "a request is 33 bytes, this one " + std::to_string(report.size()),
                    report);
                return {HidErrorKind::kBadArgument};
            }
            core_->TakeRequestLocked(state_, *Role(), SizedReport(report));
            logged = Role();
        }
        core_->AppendLog(SeamDirection::kSet, *logged, report);
        return {};
    }

    HidError GetFeature(std::span<uint8_t> report) override {
        Report answer{};
        {
            std::lock_guard lock(core_->mutex);
            if (!core_->LiveLocked(state_))
                return {HidErrorKind::kDisconnected};
            if (report.empty())
                return {HidErrorKind::kBadArgument};
            if (Def().endpoint != Endpoint::kCommand) {
                const HidError error = Misdirected(report, "feature report read from");
                if (error.Ok())
                    std::fill(report.begin() + 1, report.end(), uint8_t{0});
                return error;
            }
            if (report.size() != kSimReportLength) {
                core_->ViolationLocked(
                    state_, "a feature read is 33 bytes, this one " + std::to_string(report.size()),
                    report);
                return {HidErrorKind::kBadArgument};
            }
            if (report[0] != kFeatureReportId) {
                core_->ViolationLocked(state_, "feature read for an unknown report id", report);
                return {HidErrorKind::kIo};
            }
            auto& pending = core_->answers[RoleIndex(*Role())];
            if (pending) {
                answer = *pending;
                pending.reset();
            } else {
                // Nothing asked, nothing ready: an empty answer.
                answer[0] = kFeatureReportId;
                answer[1] = 0x01;
            }
        }
        std::copy(answer.begin(), answer.end(), report.begin());
        core_->AppendLog(SeamDirection::kGet, *Role(), answer);
        return {};
    }

    ReadResult ReadInput(std::span<uint8_t> buffer) override {
        if (buffer.empty())
            return {0, {HidErrorKind::kBadArgument}};
        Report report;
        {
            std::unique_lock lock(core_->mutex);
            state_.waiting = true;
            core_->changed.notify_all();
            core_->changed.wait(lock, [&] {
                return state_.cancelled || !core_->LiveLocked(state_) || !state_.queue.empty();
            });
            state_.waiting = false;
            if (state_.cancelled)
                return {0, {HidErrorKind::kCancelled}};
            if (!core_->LiveLocked(state_))
                return {0, {HidErrorKind::kDisconnected}};
            report = state_.queue.front();
            state_.queue.pop_front();
        }
        const size_t length = std::min(buffer.size(), report.size());
        std::copy_n(report.begin(), length, buffer.begin());
        core_->AppendLog(SeamDirection::kIn, *Role(), std::span(report).first(length));
        return {length, {}};
    }

    void CancelRead() override {
        std::lock_guard lock(core_->mutex);
        state_.cancelled = true;
        state_.queue.clear();
        core_->changed.notify_all();
    }

  private:
    const InterfaceDef& Def() const { return kDevices[state_.device].interfaces[state_.iface]; }
    std::optional<SimRole> Role() const { return kDevices[state_.device].role; }

    // A feature report to or from an interface that is not the mouse's
    // command interface. The device takes it only in its own length.
    HidError Misdirected(std::span<const uint8_t> report, std::string_view what) {
        core_->ViolationLocked(state_,
                               std::string(what) +
                                   " an interface that is not a command "
                                   "interface",
                               report);
        if (Def().feature_length == 0 || report.size() != Def().feature_length)
            return {HidErrorKind::kIo};
        return {};
    }

    std::shared_ptr<Core> core_;
    HandleState state_;
};

}  // namespace

std::array<uint8_t, kSimReportLength> DpiEventReport(uint8_t interval_ms, uint8_t dpi_ordinal) {
    std::array<uint8_t, kSimReportLength> report{};
    report[0] = kSimInputReportId;
    report[1] = kSimDpiEventType;
    report[3] = interval_ms;
    report[4] = static_cast<uint8_t>(dpi_ordinal + 1);
    return report;
}

VirtualMouse::VirtualMouse(const VirtualMouseConfig& config)
    : core_(std::make_shared<Core>(config)) {}

VirtualMouse::~VirtualMouse() {
    // Handles may outlive the mouse: they see every device gone.
    std::lock_guard lock(core_->mutex);
    for (auto& device : core_->devices)
        device.present = false;
    core_->changed.notify_all();
}

std::vector<HidInterfaceInfo> VirtualMouse::Enumerate() {
    std::lock_guard lock(core_->mutex);
    std::vector<HidInterfaceInfo> infos;
    for (size_t d = 0; d < kDeviceCount; ++d) {
        if (!core_->devices[d].present)
            continue;
        auto device = core_->DeviceInfosLocked(d);
        infos.insert(infos.end(), device.begin(), device.end());
    }
    return infos;
}

HidOpenResult VirtualMouse::Open(const HidInterfaceInfo& info) {
    size_t found_device = kDeviceCount;
    size_t found_iface = 0;
    uint64_t generation = 0;
    {
        std::lock_guard lock(core_->mutex);
        for (size_t d = 0; d < kDeviceCount && found_device == kDeviceCount; ++d) {
            if (!core_->devices[d].present)
                continue;
            for (size_t i = 0; i < kDevices[d].interfaces.size(); ++i) {
                const HidInterfaceInfo present = core_->InfoLocked(d, i);
                if (present.path != info.path || present.collection != info.collection)
                    continue;
                // Another attach of the device sits under the same path.
                if (!info.instance.empty() && present.instance != info.instance)
                    return {nullptr, {HidErrorKind::kNotFound}};
                found_device = d;
                found_iface = i;
                break;
            }
        }
        if (found_device == kDeviceCount)
            return {nullptr, {HidErrorKind::kNotFound}};
        if (kDevices[found_device].held_by_system ||
            (core_->no_access && kDevices[found_device].role.has_value()))
            return {nullptr, {HidErrorKind::kAccessDenied}};
        generation = core_->devices[found_device].generation;
    }
    return {std::make_unique<SimHidDevice>(core_, found_device, found_iface, generation), {}};
}

HidError VirtualMouse::StartDeviceChangeWatch(DeviceChangeListener& listener) {
    std::lock_guard watch(core_->watch_mutex);
    core_->listener = &listener;
    return {};
}

void VirtualMouse::StopDeviceChangeWatch() {
    // Waits for a notification running on another thread.
    std::lock_guard watch(core_->watch_mutex);
    core_->listener = nullptr;
}

bool VirtualMouse::Plug(SimRole role) {
    return core_->SetPresent(RoleDevice(role), true);
}

bool VirtualMouse::Unplug(SimRole role) {
    return core_->SetPresent(RoleDevice(role), false);
}

bool VirtualMouse::IsPlugged(SimRole role) const {
    std::lock_guard lock(core_->mutex);
    return core_->devices[RoleDevice(role)].present;
}

bool VirtualMouse::PlugUnrelated() {
    return core_->SetPresent(kGamepadDevice, true);
}

bool VirtualMouse::UnplugUnrelated() {
    return core_->SetPresent(kGamepadDevice, false);
}

size_t VirtualMouse::InjectInput(SimRole role, std::span<const uint8_t> report) {
    const size_t device = RoleDevice(role);
    std::lock_guard lock(core_->mutex);
    size_t reached = 0;
    for (HandleState* h : core_->handles) {
        if (h->device != device || !core_->LiveLocked(*h) || h->cancelled ||
            kDevices[device].interfaces[h->iface].endpoint != Endpoint::kInput)
            continue;
        h->queue.push_back(SizedReport(report));
        ++reached;
    }
    core_->changed.notify_all();
    return reached;
}

size_t VirtualMouse::InjectDpiEvent(SimRole role, uint8_t interval_ms, uint8_t dpi_ordinal) {
    return InjectInput(role, DpiEventReport(interval_ms, dpi_ordinal));
}

bool VirtualMouse::WaitForReader(SimRole role, std::chrono::milliseconds timeout) {
    const size_t device = RoleDevice(role);
    std::unique_lock lock(core_->mutex);
    return core_->changed.wait_for(lock, timeout, [&] {
        return std::any_of(core_->handles.begin(), core_->handles.end(), [&](HandleState* h) {
            return h->device == device && h->waiting && core_->LiveLocked(*h) &&
                   kDevices[device].interfaces[h->iface].endpoint == Endpoint::kInput;
        });
    });
}

SimStatus VirtualMouse::Status() const {
    std::lock_guard lock(core_->mutex);
    return core_->status;
}

void VirtualMouse::SetStatus(const SimStatus& status) {
    std::lock_guard lock(core_->mutex);
    core_->status = status;
}

void VirtualMouse::AnswerEmpty(unsigned times) {
    std::lock_guard lock(core_->mutex);
    core_->empty_answers = times;
}

MouseSettings VirtualMouse::Settings() const {
    std::lock_guard lock(core_->mutex);
    return core_->settings;
}

std::vector<SimViolation> VirtualMouse::Violations() const {
    std::lock_guard lock(core_->mutex);
    return core_->violations;
}

void VirtualMouse::ClearViolations() {
    std::lock_guard lock(core_->mutex);
    core_->violations.clear();
}

std::vector<SeamLogEntry> VirtualMouse::Log() const {
    std::lock_guard lock(core_->log_mutex);
    return core_->log;
}

void VirtualMouse::ClearLog() {
    std::lock_guard lock(core_->log_mutex);
    core_->log.clear();
}

void VirtualMouse::SetLogCallback(std::function<void(const SeamLogEntry&)> callback) {
    std::lock_guard lock(core_->log_mutex);
    core_->log_callback = std::move(callback);
}

}  // namespace velmaro
