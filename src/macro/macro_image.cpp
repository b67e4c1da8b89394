#include "macro/macro_image.h"

#include <algorithm>

namespace velmaro {

namespace {

constexpr std::array<uint8_t, 256> MakeDeviceKeyCodes() {
    std::array<uint8_t, 256> t{};
    auto run = [&t](int from, std::initializer_list<int> codes) {
        for (int c : codes)
            t[static_cast<size_t>(from++)] = static_cast<uint8_t>(c);
    };
    auto span = [&t](int from, int to, int first) {
        for (int k = from; k <= to; ++k)
            t[static_cast<size_t>(k)] = static_cast<uint8_t>(first++);
    };
    run(0x08, {0x2A, 0x2B});
    run(0x0D, {0x28, 0x58});
    run(0x13, {0x48, 0x39});
    run(0x1B, {0x29});
    run(0x20, {0x2C, 0x4B, 0x4E, 0x4D, 0x4A, 0x50, 0x52, 0x4F, 0x51});
    run(0x2C, {0x46, 0x49, 0x4C});
    run(0x30, {0x27});
    span(0x31, 0x39, 0x1E);
    run(0x3B, {0x29});
    span(0x41, 0x5A, 0x04);
    run(0x5B, {0xE3, 0xE7, 0x65});
    run(0x5F, {0x82});
    run(0x60, {0x62});
    span(0x61, 0x69, 0x59);
    run(0x6A, {0x55, 0x57});
    run(0x6D, {0x56, 0x63, 0x54});
    span(0x70, 0x7B, 0x3A);
    run(0x90, {0x53, 0x47});
    run(0xA0, {0xE1, 0xE5, 0xE0, 0xE4, 0xE2, 0xE6});
    run(0xBA, {0x33, 0x2E, 0x36, 0x2D, 0x37, 0x38, 0x35});
    run(0xDB, {0x2F, 0x31, 0x30, 0x34});
    span(0xE0, 0xE7, 0xF0);
    run(0xF0, {0x81, 0x83, 0x32, 0x64, 0x85, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x90, 0x91});
    return t;
}

constexpr std::array<uint8_t, 256> kDeviceKeyCodes = MakeDeviceKeyCodes();

constexpr uint8_t kDelayKind = 0x03;

// Kind (bits 6..4 of entry byte 0) and code byte for one action.
std::pair<uint8_t, uint8_t> KindAndCode(const MacroAction& a) {
    const uint8_t c = kDeviceKeyCodes[a.Bytes[0]];
    const auto bit = static_cast<uint8_t>(1u << (c & 7));
    if (c <= 0x90)
        return {3, c};
    if (c <= 0xE7)
        return {2, bit};
    if (c >= 0xF0 && c <= 0xF4)
        return {1, bit};
    if (c == 0xF5)
        return {4, a.Bytes[3]};
    if (c == 0xF6)
        return {5, a.Bytes[3]};
    if (c == 0xF7)
        return {6, a.Bytes[3]};
    return {0, c};
}

}  // namespace

uint8_t DeviceKeyCode(uint8_t key_code) {
    return kDeviceKeyCodes[key_code];
}

MacroImage BuildMacroImage(const MacroRecord& macro, uint8_t slot) {
    MacroImage image{};
    image[0] = 0x09;
    image[1] = 0x90;
    image[2] = slot;
    image[3] = macro.MacroCommandActionNum;
    size_t at = kMacroImageHeader;
    const uint32_t used = macro.UsedCount();
    for (uint32_t i = 0; i < used && at + 3 <= kMacroImageSize; ++i) {
        const MacroAction& a = macro.AllAction[i];
        if (a.Bytes[0] == kDelayKind)
            continue;
        uint32_t delay = 0;
        if (i + 1 < used && macro.AllAction[i + 1].Bytes[0] == kDelayKind) {
            delay = std::min(macro.AllAction[i + 1].DelayMs(), kMaxEntryDelayMs);
        }
        const auto [kind, code] = KindAndCode(a);
        image[at] = static_cast<uint8_t>((a.IsRelease() ? 0x80 : 0x00) | (kind << 4) |
                                         ((delay >> 8) & 0x0F));
        image[at + 1] = static_cast<uint8_t>(delay & 0xFF);
        image[at + 2] = code;
        at += 3;
    }
    return image;
}

}  // namespace velmaro
