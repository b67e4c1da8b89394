// How an action is shown in the action list: a text and one of three icons.
#pragma once

#include <string>

#include "model/macro_record.h"

namespace velmaro {

enum class MacroActionIcon {
    Clock,    // a delay: skins/macro_time.png
    Press,    // release flag clear: skins/macro_down.png
    Release,  // release flag set: skins/macro_up.png
};

MacroActionIcon MacroActionIconOf(const MacroAction& action);

// "50ms" for a delay, the key's name for a key, "L Key" .. "K5" for a mouse
// button, "Move Left 5" / "Move Right 5" / "Move Up 5" / "Move Down 5" /
// "Wheel Up 5" / "Wheel Down 5" for movements, by the sign of byte 3.
std::u16string MacroActionText(const MacroAction& action);

}  // namespace velmaro
