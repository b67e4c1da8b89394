#include "app/sim_events.h"

#include <QStringList>

#include "device/hid/sim/virtual_mouse.h"
#include "model/profile_record.h"

namespace velmaro {

namespace {

std::optional<SimRole> RoleNamed(const QString& name) {
    if (name == "cable")
        return SimRole::kCable;
    if (name == "receiver")
        return SimRole::kReceiver;
    return std::nullopt;
}

uint8_t IntervalForHz(int hz) {
    switch (hz) {
        case 125:
            return 8;
        case 250:
            return 4;
        case 500:
            return 2;
        default:
            return 1;
    }
}

uint8_t IntervalForIndex(uint8_t index) {
    static constexpr uint8_t kIntervals[] = {8, 4, 2};
    return index < 3 ? kIntervals[index] : 1;
}

}  // namespace

std::optional<SimEvent> ParseSimEvent(const QString& text) {
    const QStringList words = text.simplified().split(' ', Qt::SkipEmptyParts);
    if (words.size() != 2)
        return std::nullopt;
    const QString& verb = words[0];
    const QString& arg = words[1];
    SimEvent e;
    if (verb == "unplug" || verb == "plug") {
        const auto role = RoleNamed(arg);
        if (!role)
            return std::nullopt;
        e.What = verb == "plug" ? SimEvent::Kind::Plug : SimEvent::Kind::Unplug;
        e.Role = *role;
        return e;
    }
    bool ok = false;
    const int base = verb == "sensor" ? 16 : 10;
    QString digits = arg;
    if (verb == "sensor") {
        if (!digits.startsWith("0x", Qt::CaseInsensitive))
            return std::nullopt;
        digits = digits.mid(2);
    }
    const int value = digits.toInt(&ok, base);
    if (!ok)
        return std::nullopt;
    e.Value = value;
    if (verb == "dpi" && value >= 1 && value <= 8) {
        e.What = SimEvent::Kind::Dpi;
    } else if (verb == "rate" && (value == 125 || value == 250 || value == 500 || value == 1000)) {
        e.What = SimEvent::Kind::Rate;
    } else if (verb == "battery" && value >= 0 && value <= 255) {
        e.What = SimEvent::Kind::Battery;
    } else if (verb == "charge" && value >= 0 && value <= 2) {
        e.What = SimEvent::Kind::Charge;
    } else if (verb == "sensor" && value >= 0 && value <= 255) {
        e.What = SimEvent::Kind::Sensor;
    } else {
        return std::nullopt;
    }
    return e;
}

bool DeliverSimEvent(const SimEvent& event, VirtualMouse& mouse, const ProfileRecord& profile,
                     int currentDpiOrdinal) {
    // The mouse reports its own changes on the first attached role's input interface.
    const SimRole inputRole =
        mouse.IsPlugged(SimRole::kCable) ? SimRole::kCable : SimRole::kReceiver;
    SimStatus status = mouse.Status();
    switch (event.What) {
        case SimEvent::Kind::Dpi:
            return mouse.InjectDpiEvent(inputRole, IntervalForIndex(profile.PollingRateValue[0]),
                                        uint8_t(event.Value - 1)) > 0;
        case SimEvent::Kind::Rate:
            return mouse.InjectDpiEvent(inputRole, IntervalForHz(event.Value),
                                        uint8_t(std::max(0, currentDpiOrdinal))) > 0;
        case SimEvent::Kind::Unplug:
            return mouse.Unplug(event.Role);
        case SimEvent::Kind::Plug:
            return mouse.Plug(event.Role);
        case SimEvent::Kind::Battery:
            status.battery = uint8_t(event.Value);
            break;
        case SimEvent::Kind::Charge:
            status.charge = uint8_t(event.Value);
            break;
        case SimEvent::Kind::Sensor:
            status.sensor_code = uint8_t(event.Value);
            break;
    }
    mouse.SetStatus(status);
    return true;
}

}  // namespace velmaro
