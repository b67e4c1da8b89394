#include "macro/macro_action_text.h"

#include "model/key_tables.h"
#include "model/text.h"

namespace velmaro {

MacroActionIcon MacroActionIconOf(const MacroAction& action) {
    if (action.IsDelay())
        return MacroActionIcon::Clock;
    return action.IsRelease() ? MacroActionIcon::Release : MacroActionIcon::Press;
}

std::u16string MacroActionText(const MacroAction& action) {
    if (action.IsDelay())
        return FormatDecimal(action.DelayMs()) + u"ms";
    const int distance = static_cast<int8_t>(action.Bytes[3]);
    const std::u16string magnitude = FormatDecimal(distance < 0 ? -distance : distance);
    switch (action.Bytes[0]) {
        case 0xE5:
            return (distance < 0 ? u"Move Left " : u"Move Right ") + magnitude;
        case 0xE6:
            return (distance < 0 ? u"Move Up " : u"Move Down ") + magnitude;
        case 0xE7:
            return (distance < 0 ? u"Wheel Up " : u"Wheel Down ") + magnitude;
        default:
            // Keys, and the mouse buttons at 0xE0..0xE4 of the same table.
            return std::u16string(KeyNameOf(action.Bytes[0]));
    }
}

}  // namespace velmaro
