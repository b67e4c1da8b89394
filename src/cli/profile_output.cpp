#include "cli/profile_output.h"

#include <bit>

#include "cli/values.h"
#include "macro/macro_action_text.h"
#include "model/profile_edits.h"
#include "model/text.h"

namespace velmaro::cli {

namespace {

std::string Hex3(const Bytes3& bytes) {
    return HexBytes(bytes.data(), bytes.size());
}

template <typename T, size_t N>
Json Numbers(const std::array<T, N>& values) {
    Json list = Json::array();
    for (const T& v : values)
        list.push_back(v);
    return list;
}

template <size_t N>
Json Colors(const std::array<uint32_t, N>& values) {
    Json list = Json::array();
    for (uint32_t v : values)
        list.push_back(FormatRgbColor(v));
    return list;
}

const char* IconName(MacroActionIcon icon) {
    switch (icon) {
        case MacroActionIcon::Clock:
            return "clock";
        case MacroActionIcon::Press:
            return "press";
        case MacroActionIcon::Release:
            return "release";
    }
    return "";
}

Json KeyJson(const KeyRecord& key) {
    Json j;
    j["KeyName"] = ToUtf8(key.KeyName);
    j["KeyValue"] = Hex3(key.Value);
    j["MacroKeyIndex"] = key.MacroKeyIndex;
    j["MacroName"] = ToUtf8(key.Macro.MacroName);
    j["MacroActionNum"] = key.Macro.MacroActionNum;
    j["AllAction"] = MacroActionsJson(key.Macro);
    return j;
}

}  // namespace

Json MacroActionJson(const MacroAction& action) {
    Json j;
    j["text"] = ToUtf8(MacroActionText(action));
    j["icon"] = IconName(MacroActionIconOf(action));
    j["bytes"] = HexBytes(action.Bytes.data(), action.Bytes.size());
    return j;
}

Json MacroActionsJson(const MacroRecord& macro) {
    Json list = Json::array();
    for (uint32_t i = 0; i < macro.UsedCount(); ++i)
        list.push_back(MacroActionJson(macro.AllAction[i]));
    return list;
}

Json ProfileJson(const ProfileRecord& r, int slot, const SensorTables& sensor) {
    Json j;
    j["Slot"] = slot;
    Json pairs = Json::array();
    for (const SettingPair& p : r.SettingPairs)
        pairs.push_back({{"name", ToUtf8(p.Name)}, {"value", ToUtf8(p.Value)}});
    j["SettingPairs"] = std::move(pairs);
    Json keys = Json::array();
    for (const KeyRecord& key : r.Keys)
        keys.push_back(KeyJson(key));
    j["Keys"] = std::move(keys);
    j["PollingRateName"] = ToUtf8(r.PollingRateName);
    j["PollingRateValue"] = Hex3(r.PollingRateValue);
    j["Lighting1OffOn"] = r.Lighting1OffOn;
    j["Lighting1Name"] = ToUtf8(r.Lighting1Name);
    j["Lighting1ModeValue"] = Hex3(r.Lighting1ModeValue);
    j["Lighting1Speed"] = Numbers(r.Lighting1Speed);
    j["Lighting1Brightness"] = Numbers(r.Lighting1Brightness);
    Json selected = Json::array();
    for (const auto& mode : r.Lighting1ColorSelected)
        selected.push_back(Numbers(mode));
    j["Lighting1ColorSelected"] = std::move(selected);
    Json fixed = Json::array();
    for (const auto& mode : r.Lighting1FixedColor)
        fixed.push_back(Colors(mode));
    j["Lighting1FixedColor"] = std::move(fixed);
    j["Lighting1Direction"] = Numbers(r.Lighting1Direction);
    j["Lighting2OffOn"] = r.Lighting2OffOn;
    j["Lighting2Name"] = ToUtf8(r.Lighting2Name);
    j["Lighting2ModeValue"] = Hex3(r.Lighting2ModeValue);
    j["Lighting2Speed"] = r.Lighting2Speed;
    j["Lighting2Brightness"] = r.Lighting2Brightness;
    j["Lighting2FixedColor"] = FormatRgbColor(r.Lighting2FixedColor);
    j["DPIOffOnFlagValue"] = r.DPIOffOnFlagValue;
    j["XYSettingValue"] = Numbers(r.XYSettingValue);
    j["CurrentDPILevelValue"] = r.CurrentDPILevelValue;
    j["DPILevelIndication"] = Colors(r.DPILevelIndication);
    j["AngleSnapValue"] = r.AngleSnapValue;
    j["LiftDetectionValue"] = r.LiftDetectionValue;
    Json dpi = Json::array();
    for (uint16_t step : r.XYSettingValue)
        dpi.push_back(sensor.DisplayDpi(step));
    j["DPI"] = std::move(dpi);
    return j;
}

std::string ProfileText(const ProfileRecord& r, int slot, bool current,
                        const SensorTables& sensor) {
    std::string t;
    auto line = [&t](std::string_view label, const std::string& value) {
        std::string l(label);
        l.resize(16, ' ');
        t += l + value + "\n";
    };
    line("Profile", std::to_string(slot) + " \"" + ToUtf8(r.Setting(kProfileName)) + "\"" +
                        (current ? " (current)" : ""));
    line("Report rate", ToUtf8(r.PollingRateName));
    const int current_level = AbsoluteDpiLevel(r.DPIOffOnFlagValue, r.CurrentDPILevelValue);
    for (int k = 0; k < kDpiLevels; ++k) {
        const bool on = ((r.DPIOffOnFlagValue >> k) & 1) != 0;
        line("DPI level " + std::to_string(k),
             std::to_string(sensor.DisplayDpi(r.XYSettingValue[k])) + " " +
                 FormatRgbColor(r.DPILevelIndication[k]) + (on ? " on" : " off") +
                 (k == current_level ? " current" : ""));
    }
    line("Lift-off", ToUtf8(r.Setting(kLiftDetectionHeight)));
    line("Debounce", ToUtf8(r.Setting(kKeyDebounce)) + " ms");
    line("Sleep", ToUtf8(r.Setting(kPowerDownTime)) + " min");
    line("Move lighting", ToUtf8(r.Setting(kMoveLightingOnOffMode)));
    line("Wake-up", ToUtf8(r.Setting(kMotionWakeup)));
    const int mode = r.Lighting1ModeValue[0];
    std::string lighting = std::to_string(mode) + " \"" + ToUtf8(r.Lighting1Name) + "\"";
    if (mode < kLightingModes) {
        if (LightingShowsSpeed(mode))
            lighting += " speed " + std::to_string(LightingSpeedShown(r.Lighting1Speed[mode]));
        if (LightingShowsBrightness(mode))
            lighting += " brightness " +
                        std::to_string(LightingBrightnessPercent(r.Lighting1Brightness[mode])) +
                        "%";
        if (LightingShowsDirection(mode))
            lighting += r.Lighting1Direction[mode] != 0 ? " up" : " down";
        for (int i = 0; i < LightingColorSlotsShown(mode); ++i) {
            lighting += " " + FormatRgbColor(r.Lighting1FixedColor[mode][i]) +
                        (r.Lighting1ColorSelected[mode][i] != 0 ? "" : "(off)");
        }
    }
    line("Lighting", lighting);
    for (int b = 0; b < kButtonCount; ++b) {
        const KeyRecord& key = r.Keys[b];
        line("Button " + std::to_string(b + 1),
             Hex3(key.Value) + " \"" + ToUtf8(key.KeyName) + "\"");
    }
    return t;
}

}  // namespace velmaro::cli
