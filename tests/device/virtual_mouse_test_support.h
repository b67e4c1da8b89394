// What the virtual mouse's tests share: opening a role's interface the way the
// device link does, building requests, and the payloads of a default profile.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/command_payloads.h"
#include "device/feature_report.h"
#include "device/hid/sim/request_rules.h"
#include "device/hid/sim/virtual_mouse.h"
#include "model/language_table.h"
#include "model/profile_record.h"
#include "model/sensor_tables.h"

namespace velmaro::sim_test {

using namespace std::chrono_literals;

inline constexpr auto kWait = 5s;  // only reached when something is broken

inline VirtualMouseConfig Roles(bool cable, bool receiver) {
    VirtualMouseConfig config;
    config.cable = cable;
    config.receiver = receiver;
    return config;
}

inline SimStatus StatusWith(uint8_t sensor_code, uint8_t battery, uint8_t charge) {
    SimStatus status;
    status.sensor_code = sensor_code;
    status.battery = battery;
    status.charge = charge;
    return status;
}

inline std::vector<std::string> Paths(const std::vector<HidInterfaceInfo>& infos) {
    std::vector<std::string> paths;
    for (const auto& info : infos)
        paths.push_back(info.path);
    return paths;
}

// Finds a role's interface the way the device link does: by ids, then by
// report lengths (an interface with 33-byte input reports is the input one).
inline std::optional<HidInterfaceInfo> FindRoleInterface(HidBackend& backend, SimRole role,
                                                         bool input) {
    for (const HidInterfaceInfo& info : backend.Enumerate()) {
        if (info.vendor_id != kSimVendorId || info.product_id != SimRoleProductId(role))
            continue;
        const bool is_input = info.input_report_length == 33;
        const bool is_command = !is_input && info.feature_report_length == 33;
        if (input ? is_input : is_command)
            return info;
    }
    return std::nullopt;
}

inline std::unique_ptr<HidDevice> OpenRole(HidBackend& backend, SimRole role, bool input) {
    const auto info = FindRoleInterface(backend, role, input);
    if (!info)
        return nullptr;
    return backend.Open(*info).device;
}

inline HidError Send(HidDevice& device, const FeatureReport& report) {
    return device.SetFeature(report.Bytes);
}

// A report with the given head bytes 2, 5, 6 and payload, the rest as a
// request builder makes it.
inline FeatureReport Request(uint8_t command, uint8_t header, uint8_t length,
                             std::vector<uint8_t> payload = {}) {
    RequestBuilder builder;
    return builder.Build(command, header, length, payload);
}

inline ProfileRecord DefaultProfile(uint16_t sensor_id = kDefaultSensorId) {
    ProfileRecord profile;
    ResetProfileDefaults(profile, 0, LanguageTable{}, sensor_id);
    return profile;
}

inline SensorTables Tables(uint16_t sensor_id = kDefaultSensorId) {
    SensorTables tables;
    tables.SensorId = sensor_id;
    tables.BuildDpiTables();
    return tables;
}

inline std::vector<CommandPayload> SettingPayloads(const ProfileRecord& p, const SensorTables& t) {
    std::vector<CommandPayload> all;
    for (const auto& b : ComposeButtons(p))
        all.push_back(b);
    for (const auto& x :
         {ComposeDpiLevels(p, t), ComposeDpiColors(p), ComposePollingRate(p), ComposeLighting(p),
          ComposeLiftOff(p), ComposeDebounce(p), ComposePowerSaving(p), ComposeMotionWakeup(p)})
        all.push_back(x);
    return all;
}

inline std::string ViolationText(const VirtualMouse& mouse) {
    std::string text;
    for (const auto& v : mouse.Violations())
        text += FormatViolation(v) + "\n";
    return text;
}

}  // namespace velmaro::sim_test
