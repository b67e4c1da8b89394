#include "macro/macro_action_text.h"

#include <gtest/gtest.h>

#include "model/text.h"

namespace velmaro {
namespace {

TEST(MacroActionTextTest, EveryKindHasItsTextAndIcon) {
    using I = MacroActionIcon;
    struct Case {
        MacroAction action;
        const char16_t* text;
        MacroActionIcon icon;
    };
    const Case cases[] = {
        {MacroAction::Delay(50), u"50ms", I::Clock},
        {MacroAction::Make(0x03, 0xE9, 0x73, 0x80), u"15299456ms", I::Clock},  // 24 bits
        {MacroAction::Make(0x00, 0x00, 0x01, 0x00), u"256ms", I::Clock},
        {MacroAction::Make(0x07, 0x80, 0x00, 0x05), u"8388613ms", I::Clock},  // no release flag
        {MacroAction::Make(0x52, 0x00, 0, 0), u"R", I::Press},
        {MacroAction::Make(0x52, 0x80, 0, 0), u"R", I::Release},
        {MacroAction::Make(0x08, 0x00, 0, 0), u"Backspace", I::Press},
        {MacroAction::Make(0xFF, 0x80, 0, 0), u"Undefined", I::Release},
        {MacroAction::Make(0xE0, 0x00, 0, 0), u"L Key", I::Press},
        {MacroAction::Make(0xE1, 0x80, 0, 0), u"R Key", I::Release},
        {MacroAction::Make(0xE2, 0x00, 0, 0), u"M Key", I::Press},
        {MacroAction::Make(0xE3, 0x00, 0, 0), u"K4", I::Press},
        {MacroAction::Make(0xE4, 0x80, 0, 0), u"K5", I::Release},
        {MacroAction::Make(0xE5, 0x00, 0x00, 0xFB), u"Move Left 5", I::Press},
        {MacroAction::Make(0xE5, 0x00, 0x00, 0x01), u"Move Right 1", I::Press},
        {MacroAction::Make(0xE5, 0x00, 0x00, 0x80), u"Move Left 128", I::Press},
        {MacroAction::Make(0xE6, 0x00, 0x00, 0xFF), u"Move Up 1", I::Press},
        {MacroAction::Make(0xE6, 0x00, 0x00, 0x7F), u"Move Down 127", I::Press},
        {MacroAction::Make(0xE7, 0x00, 0x00, 0xFE), u"Wheel Up 2", I::Press},
        {MacroAction::Make(0xE7, 0x00, 0x00, 0x03), u"Wheel Down 3", I::Press},
        {MacroAction::Make(0xE7, 0x00, 0x00, 0x00), u"Wheel Down 0", I::Press},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MacroActionText(c.action), c.text) << ToUtf8(c.text);
        EXPECT_EQ(MacroActionIconOf(c.action), c.icon) << ToUtf8(c.text);
    }
}

}  // namespace
}  // namespace velmaro
