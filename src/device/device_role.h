// The two ways the mouse is attached, and how its interfaces are recognised.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace velmaro {

// By cable the mouse itself answers; through the 2.4 GHz receiver the
// receiver does. Each role has a command interface (feature reports) and an
// input interface (the mouse's own events). Requests prefer the cable.
enum class DeviceRole : uint8_t { Cable = 0, Receiver = 1 };

inline constexpr size_t kRoleCount = 2;
inline constexpr std::array<DeviceRole, kRoleCount> kRoles = {DeviceRole::Cable,
                                                              DeviceRole::Receiver};

inline constexpr uint16_t kMouseVendorId = 0x248A;
inline constexpr uint16_t kCableProductId = 0x5B2E;
inline constexpr uint16_t kReceiverProductId = 0x5B2F;

// Both interfaces of a role use 33-byte reports, report-id byte included.
inline constexpr uint32_t kMouseReportLength = 33;
// Input report id and the event type of a DPI or report-rate change made on
// the mouse itself.
inline constexpr uint8_t kInputReportId = 5;
inline constexpr uint8_t kInputEventMouseChange = 6;
// Only this many interfaces of the system's list are looked at.
inline constexpr size_t kInterfaceScanLimit = 150;

constexpr size_t RoleIndex(DeviceRole role) {
    return static_cast<size_t>(role);
}

constexpr uint16_t ProductIdOf(DeviceRole role) {
    return role == DeviceRole::Cable ? kCableProductId : kReceiverProductId;
}

// The role an interface with these ids belongs to; none for any other device.
constexpr std::optional<DeviceRole> RoleOf(uint16_t vendor_id, uint16_t product_id) {
    if (vendor_id != kMouseVendorId)
        return std::nullopt;
    if (product_id == kCableProductId)
        return DeviceRole::Cable;
    if (product_id == kReceiverProductId)
        return DeviceRole::Receiver;
    return std::nullopt;
}

constexpr std::string_view RoleName(DeviceRole role) {
    return role == DeviceRole::Cable ? "cable" : "receiver";
}

}  // namespace velmaro
