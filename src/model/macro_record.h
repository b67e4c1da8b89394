// One macro: a named list of up to 336 four-byte actions with its play mode.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace velmaro {

inline constexpr uint32_t kMacroActionSlots = 336;
// The mouse takes a macro in at most 15 chunks of 25 bytes, three bytes per
// non-delay action: 125 key actions. The editor stops there, so what is on a
// button is what the mouse plays.
inline constexpr uint32_t kMaxCommandActions = 125;

// Four bytes handled as bytes 0..3 in this order everywhere: in memory, in
// files, and as a little-endian 32-bit value. Byte 0 selects the kind.
struct MacroAction {
    std::array<uint8_t, 4> Bytes{};

    static constexpr MacroAction Make(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
        return MacroAction{{b0, b1, b2, b3}};
    }
    // A delay action (kind 0x03) of `ms` milliseconds, 24 bits big-endian in bytes 1..3.
    static constexpr MacroAction Delay(uint32_t ms) {
        return Make(0x03, static_cast<uint8_t>(ms >> 16), static_cast<uint8_t>(ms >> 8),
                    static_cast<uint8_t>(ms));
    }
    // Kinds 0x00..0x07 are all read as delays.
    constexpr bool IsDelay() const { return Bytes[0] <= 0x07; }
    constexpr uint32_t DelayMs() const {
        return (uint32_t{Bytes[1]} << 16) | (uint32_t{Bytes[2]} << 8) | Bytes[3];
    }
    constexpr bool IsRelease() const { return (Bytes[1] & 0x80) != 0; }

    friend bool operator==(const MacroAction&, const MacroAction&) = default;
};

struct MacroRecord {
    std::u16string MacroName;
    uint32_t MacroKeyIndex = 0;
    // Used entries of AllAction. Readers clamp it to kMacroActionSlots; UsedCount()
    // keeps every later use inside the slots whatever it holds.
    uint32_t MacroActionNum = 0;
    std::array<MacroAction, kMacroActionSlots> AllAction{};
    uint8_t MacroKeyLoopType = 2;
    uint8_t MacroKeyLoopNum = 1;
    uint8_t MacroCommandActionNum = 0;

    uint32_t UsedCount() const {
        return MacroActionNum < kMacroActionSlots ? MacroActionNum : kMacroActionSlots;
    }

    // Inserts at `index` (or appends when index is past the end); refused when full.
    bool InsertAction(uint32_t index, MacroAction action);
    // Overwrites a slot; refused above slot 335. The count is unchanged.
    bool SetAction(uint32_t index, MacroAction action);
    // Removes a used action, moving later slots down; slot 335 becomes zero.
    bool RemoveAction(uint32_t index);
    // Copies everything but MacroKeyIndex.
    void CopyMacroContent(const MacroRecord& source);
    // Number of non-delay actions among the used ones.
    uint32_t CountCommandActions() const;
    // Whether the mouse can take the macro: at most kMaxCommandActions
    // non-delay actions, counted and announced. A longer one (from a file
    // written elsewhere) is kept whole but cannot go on a button.
    bool FitsMouse() const {
        return MacroCommandActionNum <= kMaxCommandActions &&
               CountCommandActions() <= kMaxCommandActions;
    }

    friend bool operator==(const MacroRecord&, const MacroRecord&) = default;
};

}  // namespace velmaro
