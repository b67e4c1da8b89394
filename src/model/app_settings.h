// The program's own sixteen settings (config.ini), addressed by position.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/profile_record.h"

namespace velmaro {

enum AppSetting : int {
    kSensor = 0,
    kPreST,
    kMacId,
    kDataChange,
    kCurrentProfile,
    kProfileShowCount,
    kProfileShowList0,      // .. kProfileShowList0 + 4
    kProfileSlot0Url = 11,  // .. kProfileSlot0Url + 4
    kAppSettingCount = 16
};

struct AppSettings {
    std::array<SettingPair, kAppSettingCount> Pairs;

    // The defaults; `data_folder` ends with "/".
    void SetDefaultSettings(const std::u16string& data_folder);

    // Name (part 0) or value (part 1) of pair n; empty for any other n.
    std::u16string GetSetting(int n, int part) const;

    std::u16string& Value(AppSetting n) { return Pairs[n].Value; }
    const std::u16string& Value(AppSetting n) const { return Pairs[n].Value; }

    // Typed readers. Slot numbers read from the file are clamped into 0..4 so
    // that nothing indexes past the five profiles.
    int CurrentProfile() const;
    int ProfileShowCount() const;
    int ProfileShowList(int i) const;
    uint16_t Sensor() const;
    uint16_t PreST() const;
    const std::u16string& ProfileSlotPath(int slot) const;

    void SetCurrentProfile(int slot);
    void SetProfileShowCount(int count);
    void SetPreST(uint16_t complement);

    friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

}  // namespace velmaro
