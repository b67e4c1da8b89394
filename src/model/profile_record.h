// The profile record: every setting of one profile, with its defaults.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/language_table.h"
#include "model/macro_record.h"

namespace velmaro {

inline constexpr int kProfileSlots = 5;
inline constexpr int kButtonCount = 6;
inline constexpr int kDpiLevels = 8;
inline constexpr int kLightingModes = 10;
inline constexpr int kLightingColors = 10;

using KeyValue = std::array<uint8_t, 3>;
using Bytes3 = std::array<uint8_t, 3>;

struct SettingPair {
    std::u16string Name;
    std::u16string Value;

    friend bool operator==(const SettingPair&, const SettingPair&) = default;
};

// Positions of the twenty named text settings of a profile.
enum ProfileSetting : int {
    kProfileName = 0,
    kGameFile0,
    kGameFile1,
    kGameFile2,
    kDoubleClickSpeed,
    kPointerSpeed,
    kAccelerationEnable,
    kScrollWheelSpeed,
    kScrollWheelPageEnable,
    kTiltSpeed,
    kSensitivityX,
    kSensitivityY,
    kXYSynchronous,
    kXDpi,
    kYDpi,
    kMoveLightingOnOffMode,
    kPowerDownTime,
    kLiftDetectionHeight,
    kKeyDebounce,
    kMotionWakeup,
    kProfileSettingCount
};

struct KeyRecord {
    std::u16string KeyName;
    KeyValue Value{};
    uint32_t MacroKeyIndex = 0;
    MacroRecord Macro;  // owned copy of the assigned macro

    friend bool operator==(const KeyRecord&, const KeyRecord&) = default;
};

struct ProfileRecord {
    std::array<SettingPair, kProfileSettingCount> SettingPairs;
    std::array<KeyRecord, kButtonCount> Keys;
    std::u16string PollingRateName;
    Bytes3 PollingRateValue{};
    uint8_t Lighting1OffOn = 0;
    std::u16string Lighting1Name;
    Bytes3 Lighting1ModeValue{};
    std::array<uint8_t, kLightingModes> Lighting1Speed{};
    std::array<uint8_t, kLightingModes> Lighting1Brightness{};
    std::array<std::array<uint8_t, kLightingColors>, kLightingModes> Lighting1ColorSelected{};
    std::array<std::array<uint32_t, kLightingColors>, kLightingModes> Lighting1FixedColor{};
    std::array<uint8_t, kLightingModes> Lighting1Direction{};
    uint8_t Lighting2OffOn = 0;
    std::u16string Lighting2Name;
    Bytes3 Lighting2ModeValue{};
    uint8_t Lighting2Speed = 0;
    uint8_t Lighting2Brightness = 0;
    uint32_t Lighting2FixedColor = 0;
    uint8_t DPIOffOnFlagValue = 0;
    std::array<uint16_t, kDpiLevels> XYSettingValue{};
    uint8_t CurrentDPILevelValue = 0;
    std::array<uint32_t, kDpiLevels> DPILevelIndication{};
    uint8_t AngleSnapValue = 0;
    uint8_t LiftDetectionValue = 0;

    std::u16string& Setting(ProfileSetting n) { return SettingPairs[n].Value; }
    const std::u16string& Setting(ProfileSetting n) const { return SettingPairs[n].Value; }
    // A text setting read as a decimal number.
    int32_t SettingNumber(ProfileSetting n) const;

    friend bool operator==(const ProfileRecord&, const ProfileRecord&) = default;
};

// Language entry naming lighting mode 0..9 (the mode field's text).
int LightingModeNameEntry(int mode);

// Sets every field to its default. The slot only chooses the default name;
// the sensor chooses the DPI step indexes.
void ResetProfileDefaults(ProfileRecord& record, int slot, const LanguageTable& language,
                          uint16_t sensor_id);

// DPI defaults for a sensor: enable mask, step indexes (kept for an unknown
// sensor), current level, colours and the two stored-only bytes.
void ApplySensorDpiDefaults(ProfileRecord& record, uint16_t sensor_id);

// Control ids of the six button-assignment fields; Keys 0..5.
inline constexpr int kFirstButtonControl = 2013;

// The single way a button function is stored. Any id outside 2013..2018
// stores nothing and returns false. Without a macro the button keeps its
// macro's name, header and MacroKeyIndex but loses the macro's actions.
bool AssignButton(ProfileRecord& record, int control_id, const std::u16string& name,
                  const KeyValue& key_value, const MacroRecord* macro);

void SetMoveLightingOnOff(ProfileRecord& record, int on);
void SetPowerDownTime(ProfileRecord& record, int minutes);
void SetMotionWakeup(ProfileRecord& record, int on);

// Polling rate choice: index 0..3 for 125, 250, 500, 1000 Hz.
void SetPollingRate(ProfileRecord& record, int index);

}  // namespace velmaro
