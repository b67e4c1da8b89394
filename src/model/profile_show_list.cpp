#include "model/profile_show_list.h"

#include <algorithm>

#include "model/text.h"

namespace velmaro {

int ProfileShowList::PositionOf(int slot) const {
    const auto it = std::find(Slots.begin(), Slots.end(), slot);
    return int(it - Slots.begin());
}

std::optional<int> ProfileShowList::FirstHidden() const {
    if (Count >= kProfileSlots)
        return std::nullopt;
    return Slots[size_t(Count)];
}

bool ProfileShowList::ShowNext() {
    if (Count >= kProfileSlots)
        return false;
    ++Count;
    return true;
}

void ProfileShowList::Hide(int slot) {
    const int at = PositionOf(slot);
    if (at >= kProfileSlots)
        return;
    std::rotate(Slots.begin() + at, Slots.begin() + at + 1, Slots.end());
    Count = std::max(0, Count - 1);
}

ProfileShowList LoadShowList(const AppSettings& settings) {
    ProfileShowList list;
    list.Count =
        std::clamp<int32_t>(ParseDecimal(settings.Value(kProfileShowCount)), 0, kProfileSlots);
    std::array<bool, kProfileSlots> taken{};
    size_t n = 0;
    for (int i = 0; i < kProfileSlots; ++i) {
        const int slot = settings.ProfileShowList(i);
        if (!taken[size_t(slot)]) {
            taken[size_t(slot)] = true;
            list.Slots[n++] = slot;
        }
    }
    for (int slot = 0; slot < kProfileSlots; ++slot) {
        if (!taken[size_t(slot)])
            list.Slots[n++] = slot;
    }
    return list;
}

void StoreShowList(AppSettings& settings, const ProfileShowList& list) {
    settings.SetProfileShowCount(list.Count);
    for (int i = 0; i < kProfileSlots; ++i)
        settings.Pairs[size_t(kProfileShowList0 + i)].Value = FormatDecimal(list.Slots[size_t(i)]);
}

}  // namespace velmaro
