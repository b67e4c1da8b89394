// Events a running simulated copy takes from outside (`velmaro --sim EVENT`),
// so the whole path from the mouse to the window can be tried without one.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "device/hid/sim/virtual_mouse_config.h"

namespace velmaro {

class VirtualMouse;
struct ProfileRecord;

struct SimEvent {
    enum class Kind { Dpi, Rate, Unplug, Plug, Battery, Charge, Sensor };
    Kind What = Kind::Dpi;
    int Value = 0;  // DPI level (from 1), Hz, battery, charge state or sensor code
    SimRole Role = SimRole::kCable;
};

// "dpi 3", "rate 500", "unplug cable", "plug receiver", "battery 40",
// "charge 1", "sensor 0x25"; none for anything else.
std::optional<SimEvent> ParseSimEvent(const QString& text);

// Hands the event to the virtual mouse: DPI and report-rate changes as the
// mouse's own input report (the other value stays as the profile has it),
// plugs and unplugs as device changes, the rest as what the next status
// answers carry. False when the mouse could not take it (the role is not
// attached, or already in that state).
bool DeliverSimEvent(const SimEvent& event, VirtualMouse& mouse, const ProfileRecord& profile,
                     int currentDpiOrdinal);

}  // namespace velmaro
