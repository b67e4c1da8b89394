#include "cli/profile_output.h"

#include <bit>

#include "cli/profile_set_words.h"
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

Json RawProfileJson(const ProfileRecord& r, int slot, const SensorTables& sensor) {
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

namespace {

Json NumberOrNull(const std::optional<std::string>& word) {
    if (!word)
        return nullptr;
    const auto n = ParseInteger(*word);
    return n ? Json(*n) : Json(nullptr);
}

Json WordOrNull(const std::optional<std::string>& word) {
    return word ? Json(*word) : Json(nullptr);
}

Json SwitchOrNull(const std::optional<std::string>& word) {
    return word ? Json(*word == "on") : Json(nullptr);
}

}  // namespace

Json ProfileJson(const ProfileRecord& r, int slot, bool current, const SetEnvironment& env) {
    auto word = [&](const std::string& key) { return SetValueWord(r, env, key); };
    Json j;
    j["schema"] = 1;
    j["slot"] = slot;
    j["name"] = ToUtf8(r.Setting(kProfileName));
    j["current"] = current;
    j["rate"] = NumberOrNull(word("rate"));
    Json levels = Json::array();
    for (int k = 0; k < kShownDpiLevels; ++k) {
        const std::string key = "dpi." + std::to_string(k);
        levels.push_back({{"level", k},
                          {"dpi", NumberOrNull(word(key))},
                          {"enabled", SwitchOrNull(word(key + ".enabled"))},
                          {"color", WordOrNull(word(key + ".color"))}});
    }
    j["dpi"] = {{"current", NumberOrNull(word("dpi.current"))}, {"levels", std::move(levels)}};
    j["liftoff"] = NumberOrNull(word("liftoff"));
    j["debounce"] = NumberOrNull(word("debounce"));
    j["sleep"] = NumberOrNull(word("sleep"));
    j["move_lighting"] = SwitchOrNull(word("move-lighting"));
    j["wakeup"] = SwitchOrNull(word("wakeup"));
    Json colors = Json::array();
    const int mode = r.Lighting1ModeValue[0];
    const int slots = mode < kLightingModes ? LightingColorSlotsShown(mode) : 0;
    for (int i = 0; i < slots; ++i) {
        const std::string key = "lighting.color." + std::to_string(i);
        colors.push_back({{"slot", i},
                          {"color", WordOrNull(word(key))},
                          {"on", SwitchOrNull(word(key + ".on"))}});
    }
    j["lighting"] = {{"mode", WordOrNull(word("lighting.mode"))},
                     {"speed", NumberOrNull(word("lighting.speed"))},
                     {"brightness", NumberOrNull(word("lighting.brightness"))},
                     {"direction", WordOrNull(word("lighting.direction"))},
                     {"colors", std::move(colors)}};
    Json buttons = Json::array();
    for (int n = 1; n <= kButtonCount; ++n) {
        const KeyRecord& key = r.Keys[static_cast<size_t>(n - 1)];
        buttons.push_back({{"button", n},
                           {"function", WordOrNull(word("button." + std::to_string(n)))},
                           {"name", ToUtf8(key.KeyName)},
                           {"bytes", Hex3(key.Value)}});
    }
    j["buttons"] = std::move(buttons);
    return j;
}

std::string ProfileText(const ProfileRecord& r, int slot, bool current, const SetEnvironment& env,
                        const ProfileRecord& defaults) {
    std::string t = "# profile " + std::to_string(slot) + " \"" + ToUtf8(r.Setting(kProfileName)) +
                    "\"" + (current ? " (current)" : "") + "\n";
    const ProfileSetLines lines = ProfileAsSetLines(r, env, defaults, false);
    for (const std::string& line : lines.Lines)
        t += line + "\n";
    for (const std::string& left_out : lines.LeftOut)
        t += "# left out: " + left_out + "\n";
    return t;
}

}  // namespace velmaro::cli
