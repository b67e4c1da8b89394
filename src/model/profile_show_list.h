// Which profiles the user sees, and in what order: the ProfileShowCount and
// ProfileShowList0..4 settings as one value. The list is always an order of
// the five slots, shown ones first; adding shows the first hidden slot,
// removing hides a slot by moving it to the end.
#pragma once

#include <array>
#include <optional>

#include "model/app_settings.h"

namespace velmaro {

struct ProfileShowList {
    int Count = 0;                                        // 0..5 shown
    std::array<int, kProfileSlots> Slots{0, 1, 2, 3, 4};  // every slot once, shown first

    // The show-list position of `slot`.
    int PositionOf(int slot) const;
    bool IsShown(int slot) const { return PositionOf(slot) < Count; }
    // The slot an add shows next; none when all five are shown.
    std::optional<int> FirstHidden() const;
    // Shows the first hidden slot; false when all five are shown.
    bool ShowNext();
    // Moves `slot` behind every other slot and shows one profile fewer
    // (the last shown one goes when `slot` was hidden already).
    void Hide(int slot);

    friend bool operator==(const ProfileShowList&, const ProfileShowList&) = default;
};

// Reads the settings. A list that is not an order of the five slots (a slot
// twice, one missing) is mended: repeats are dropped and the missing slots
// follow in ascending order, so an add never takes a shown slot.
ProfileShowList LoadShowList(const AppSettings& settings);
// Writes the count and the five entries back as decimal text.
void StoreShowList(AppSettings& settings, const ProfileShowList& list);

}  // namespace velmaro
