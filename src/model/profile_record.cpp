#include "model/profile_record.h"

#include "model/sensor_tables.h"
#include "model/text.h"

namespace velmaro {

namespace {

constexpr const char16_t* kSettingNames[kProfileSettingCount] = {
    u"ProfileName",
    u"GameFile0",
    u"GameFile1",
    u"GameFile2",
    u"DoubleClickSpeed",
    u"PointerSpeed",
    u"AccelerationEnable",
    u"ScrollWheelSpeed",
    u"ScrollWheelPageEnable",
    u"TiltSpeed",
    u"Sensitivity_X",
    u"Sensitivity_Y",
    u"XYSynchronous",
    u"X_DPI",
    u"Y_DPI",
    u"MoveLightingOnOffMode",
    u"PowerDownTime",
    u"LiftDetectionHeight",
    u"KeyDebounce",
    u"MotionWakeup",
};

constexpr const char16_t* kSettingDefaults[kProfileSettingCount] = {
    u"",  u"",  u"",  u"",  u"6", u"5", u"1", u"2", u"0",  u"2",
    u"4", u"4", u"1", u"1", u"1", u"0", u"6", u"2", u"12", u"1",
};

struct KeyDefault {
    int name_entry;
    KeyValue value;
};
constexpr KeyDefault kKeyDefaults[kButtonCount] = {
    {20, {0x10, 0x01, 0x00}}, {21, {0x10, 0x02, 0x00}}, {22, {0x10, 0x04, 0x00}},
    {23, {0x10, 0x10, 0x00}}, {24, {0x10, 0x08, 0x00}}, {42, {0x40, 0x01, 0x00}},
};

constexpr std::array<uint32_t, kDpiLevels> kDefaultDpiColors = {
    0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFF00FF, 0xFFFFFF, 0xFFFFFF};

constexpr uint8_t kDefaultDpiMask = 0x1F;

constexpr int kDefaultLightingMode = 1;

}  // namespace

int LightingModeNameEntry(int mode) {
    static constexpr int kEntries[kLightingModes] = {100, 101, 102, 103, 110,
                                                     105, 106, 111, 108, 109};
    return mode >= 0 && mode < kLightingModes ? kEntries[mode] : kEntries[0];
}

int32_t ProfileRecord::SettingNumber(ProfileSetting n) const {
    return ParseDecimal(SettingPairs[n].Value);
}

void ResetProfileDefaults(ProfileRecord& r, int slot, const LanguageTable& language,
                          uint16_t sensor_id) {
    for (int i = 0; i < kProfileSettingCount; ++i) {
        r.SettingPairs[i].Name = kSettingNames[i];
        r.SettingPairs[i].Value = kSettingDefaults[i];
    }
    r.SettingPairs[kProfileName].Value = slot >= 0 && slot < kProfileSlots
                                             ? language.Text(85 + static_cast<size_t>(slot))
                                             : u"Profile" + FormatDecimal(int64_t{slot} + 1);

    for (int i = 0; i < kButtonCount; ++i) {
        KeyRecord& key = r.Keys[i];
        key.KeyName = language.Text(static_cast<size_t>(kKeyDefaults[i].name_entry));
        key.Value = kKeyDefaults[i].value;
        key.MacroKeyIndex = 0;
        key.Macro = MacroRecord{};
    }

    r.PollingRateName = u"500HZ";
    r.PollingRateValue = {2, 0, 0};
    r.Lighting1OffOn = 1;
    // Named after the mode it holds: entry 100 names mode 0, not the default
    // effect, and the mode field would show the wrong effect.
    r.Lighting1Name = language.Text(LightingModeNameEntry(kDefaultLightingMode));
    r.Lighting1ModeValue = {kDefaultLightingMode, 0, 0};
    r.Lighting1Speed.fill(1);
    r.Lighting1Brightness = {1, 1, 1, 3, 1, 1, 1, 1, 1, 1};
    for (auto& mode : r.Lighting1ColorSelected)
        mode.fill(0);
    for (auto& mode : r.Lighting1FixedColor)
        mode.fill(0);
    r.Lighting1ColorSelected[2] = {1, 1, 1, 1, 1, 1, 1, 0, 0, 0};
    r.Lighting1FixedColor[2] = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00, 0x00FFFF,
                                0xFF00FF, 0xFFFFFF, 0,        0,        0};
    r.Lighting1ColorSelected[3] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    r.Lighting1FixedColor[3] = {0xFF00FF, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    r.Lighting1ColorSelected[6] = {1, 1, 1, 1, 1, 1, 1, 1, 0, 0};
    r.Lighting1FixedColor[6] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00,
                                0xFA00FA, 0xFFFFFF, 0xFF46FA, 0,        0};
    r.Lighting1ColorSelected[7] = {1, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    r.Lighting1FixedColor[7] = {0x00FF00, 0x6A00FA, 0, 0, 0, 0, 0, 0, 0, 0};
    r.Lighting1Direction = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    r.Lighting2OffOn = 0;
    r.Lighting2Name = language.Text(100);
    r.Lighting2ModeValue = {1, 0, 0};
    r.Lighting2Speed = 0;
    r.Lighting2Brightness = 0;
    r.Lighting2FixedColor = 0;

    ApplySensorDpiDefaults(r, sensor_id);
}

void ApplySensorDpiDefaults(ProfileRecord& r, uint16_t sensor_id) {
    r.DPIOffOnFlagValue = kDefaultDpiMask;
    if (const auto steps = DefaultStepIndexes(sensor_id))
        r.XYSettingValue = *steps;
    r.CurrentDPILevelValue = 1;
    r.DPILevelIndication = kDefaultDpiColors;
    r.AngleSnapValue = 0;
    r.LiftDetectionValue = 2;
}

bool AssignButton(ProfileRecord& r, int control_id, const std::u16string& name,
                  const KeyValue& key_value, const MacroRecord* macro) {
    const int index = control_id - kFirstButtonControl;
    if (index < 0 || index >= kButtonCount)
        return false;
    KeyRecord& key = r.Keys[index];
    key.KeyName = name;
    key.Value = key_value;
    key.Macro.MacroActionNum = 0;
    if (macro != nullptr) {
        key.Macro.CopyMacroContent(*macro);
        key.MacroKeyIndex = macro->MacroKeyIndex;
    }
    return true;
}

void SetMoveLightingOnOff(ProfileRecord& r, int on) {
    r.Setting(kMoveLightingOnOffMode) = on > 0 ? u"1" : u"0";
}

void SetPowerDownTime(ProfileRecord& r, int minutes) {
    r.Setting(kPowerDownTime) = FormatDecimal(minutes);
}

void SetMotionWakeup(ProfileRecord& r, int on) {
    r.Setting(kMotionWakeup) = on > 0 ? u"1" : u"0";
}

void SetPollingRate(ProfileRecord& r, int index) {
    static constexpr const char16_t* kNames[4] = {u"125HZ", u"250HZ", u"500HZ", u"1000HZ"};
    if (index < 0 || index > 3)
        return;
    r.PollingRateValue = {static_cast<uint8_t>(index), 0, 0};
    r.PollingRateName = kNames[index];
}

}  // namespace velmaro
