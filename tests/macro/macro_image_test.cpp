#include "macro/macro_image.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmaro {
namespace {

MacroRecord MacroOf(const std::vector<MacroAction>& actions, uint8_t command_count) {
    MacroRecord m;
    for (const MacroAction& a : actions)
        m.InsertAction(m.MacroActionNum, a);
    m.MacroCommandActionNum = command_count;
    return m;
}

std::vector<uint8_t> Entries(const MacroImage& image, size_t count) {
    return {image.begin() + kMacroImageHeader, image.begin() + kMacroImageHeader + 3 * count};
}

constexpr MacroAction Press(uint8_t k) {
    return MacroAction::Make(k, 0x00, 0, 0);
}
constexpr MacroAction Release(uint8_t k) {
    return MacroAction::Make(k, 0x80, 0, 0);
}

struct ImageCase {
    const char* name;
    std::vector<MacroAction> actions;
    std::vector<uint8_t> entries;
};

TEST(MacroImageTest, EntriesFoldTheFollowingDelay) {
    const ImageCase cases[] = {
        {"press and release A with delays",
         {Press(0x41), MacroAction::Delay(100), Release(0x41), MacroAction::Delay(30)},
         {0x30, 0x64, 0x04, 0xB0, 0x1E, 0x04}},
        {"second delay in a row is dropped",
         {Press(0x41), MacroAction::Delay(100), MacroAction::Delay(200)},
         {0x30, 0x64, 0x04}},
        {"delay limited to 4095", {Press(0x41), MacroAction::Delay(5000)}, {0x3F, 0xFF, 0x04}},
        {"left button without delay",
         {Press(0xE0), Release(0xE0)},
         {0x10, 0x00, 0x01, 0x90, 0x00, 0x01}},
        {"right alt is a modifier", {Press(0xA5)}, {0x20, 0x00, 0x40}},
        {"left ctrl is a modifier", {Press(0xA2)}, {0x20, 0x00, 0x01}},
        {"fifth mouse button", {Press(0xE4)}, {0x10, 0x00, 0x10}},
        {"moves and wheel carry their distance",
         {MacroAction::Make(0xE5, 0, 0, 0xFB), MacroAction::Make(0xE6, 0, 0, 0x02),
          MacroAction::Make(0xE7, 0, 0, 0xFF)},
         {0x40, 0x00, 0xFB, 0x50, 0x00, 0x02, 0x60, 0x00, 0xFF}},
        {"unknown key code is kind 3 code 0", {Press(0x07)}, {0x30, 0x00, 0x00}},
    };
    for (const ImageCase& c : cases) {
        const MacroRecord m = MacroOf(c.actions, 0);
        const MacroImage image = BuildMacroImage(m, 1);
        EXPECT_EQ(Entries(image, c.entries.size() / 3), c.entries) << c.name;
        for (size_t i = kMacroImageHeader + c.entries.size(); i < kMacroImageSize; ++i) {
            ASSERT_EQ(image[i], 0) << c.name << " byte " << i;
        }
    }
}

TEST(MacroImageTest, HeaderCarriesSlotAndAnnouncedCount) {
    const MacroRecord m =
        MacroOf({Press(0x41), MacroAction::Delay(100), Release(0x41), MacroAction::Delay(30)}, 2);
    const MacroImage image = BuildMacroImage(m, 3);
    EXPECT_EQ(image[0], 0x09);
    EXPECT_EQ(image[1], 0x90);
    EXPECT_EQ(image[2], 3);
    EXPECT_EQ(image[3], 2);
}

TEST(MacroImageTest, UnusedSlotsBeyondTheCountAreIgnored) {
    MacroRecord m = MacroOf({Press(0x41), Release(0x41)}, 2);
    m.AllAction[5] = Press(0x42);  // left over from an earlier recording
    EXPECT_EQ(Entries(BuildMacroImage(m, 1), 3),
              (std::vector<uint8_t>{0x30, 0, 0x04, 0xB0, 0, 0x04, 0, 0, 0}));
}

TEST(MacroImageTest, FullMacroFitsTheImage) {
    MacroRecord m;
    for (uint32_t i = 0; i < kMacroActionSlots; ++i)
        m.InsertAction(i, Press(0x41));
    m.MacroActionNum = 0xFFFFFFFF;  // a corrupt count must not read past the slots
    const MacroImage image = BuildMacroImage(m, 1);
    EXPECT_EQ(image[kMacroImageHeader + 3 * 168 - 1], 0x04);
}

TEST(DeviceKeyCodeTest, Table) {
    const std::pair<uint8_t, uint8_t> cases[] = {
        {0x08, 0x2A}, {0x0E, 0x58}, {0x20, 0x2C}, {0x28, 0x51}, {0x30, 0x27}, {0x39, 0x26},
        {0x3B, 0x29}, {0x5A, 0x1D}, {0x5B, 0xE3}, {0x5C, 0xE7}, {0x60, 0x62}, {0x69, 0x61},
        {0x7B, 0x45}, {0x7C, 0x00}, {0xA0, 0xE1}, {0xA5, 0xE6}, {0xC0, 0x35}, {0xDE, 0x34},
        {0xE0, 0xF0}, {0xE7, 0xF7}, {0xFB, 0x91}, {0xFC, 0x00}, {0x00, 0x00}};
    for (const auto& [key, code] : cases)
        EXPECT_EQ(DeviceKeyCode(key), code) << int{key};
}

}  // namespace
}  // namespace velmaro
