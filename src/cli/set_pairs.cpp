#include "cli/set_pairs.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "cli/button_values.h"
#include "cli/button_words.h"
#include "cli/value_words.h"
#include "cli/values.h"
#include "model/text.h"

namespace velmaro::cli {

namespace {

// A value that parsed, turned into the page action's result; none (with
// `error` set) when the value is not of the key's kind.
using Handler = std::optional<EditResult> (*)(ProfileRecord&, const SetEnvironment&, int index,
                                              std::string_view value, std::string& error);
// The value the record holds, in the words the handler takes.
using Formatter = std::optional<std::string> (*)(const ProfileRecord&, const SetEnvironment&,
                                                 int index);

struct SetKey {
    // Segments separated by "."; "K", "I" and "N" stand for a number.
    std::string_view Pattern;
    int IndexMin = 0, IndexMax = 0;
    // The values, as help and as the message for a value of the wrong kind.
    std::string_view Values;
    Handler Apply;
    Formatter Format;
};

std::optional<int> IntValue(std::string_view value) {
    const auto n = ParseInteger(value);
    if (!n || *n < INT32_MIN || *n > INT32_MAX)
        return std::nullopt;
    return static_cast<int>(*n);
}

// Handlers for the common value kinds. A number of the right kind but
// outside the control's range is left to the edit function to refuse.
template <EditResult (*Edit)(ProfileRecord&, int)>
std::optional<EditResult> Number(ProfileRecord& r, const SetEnvironment&, int, std::string_view v,
                                 std::string&) {
    const auto n = IntValue(v);
    return n ? std::optional(Edit(r, *n)) : std::nullopt;
}

template <EditResult (*Edit)(ProfileRecord&, bool)>
std::optional<EditResult> Switch(ProfileRecord& r, const SetEnvironment&, int, std::string_view v,
                                 std::string&) {
    const auto on = ParseSwitchWord(v);
    return on ? std::optional(Edit(r, *on)) : std::nullopt;
}

template <ProfileSetting S>
std::optional<std::string> SettingNumberWord(const ProfileRecord& r, const SetEnvironment&, int) {
    return std::to_string(r.SettingNumber(S));
}

template <ProfileSetting S>
std::optional<std::string> SettingSwitchWord(const ProfileRecord& r, const SetEnvironment&, int) {
    return SwitchWord(r.SettingNumber(S) != 0);
}

// The profile's lighting mode when it is one of 0..9.
std::optional<int> ModeOf(const ProfileRecord& r) {
    const int mode = r.Lighting1ModeValue[0];
    return mode < kLightingModes ? std::optional(mode) : std::nullopt;
}

std::optional<EditResult> DpiValue(ProfileRecord& r, const SetEnvironment& env, int k,
                                   std::string_view v, std::string& error) {
    const auto dpi = IntValue(v);
    if (!dpi || *dpi < 0)
        return std::nullopt;
    const SensorTables& sensor = env.Sensor;
    if (sensor.StepCount > 0) {
        // Beyond the table the dialog would quietly take an end step.
        const int64_t lowest = int64_t{sensor.StepValues[0]} * 50;
        const int64_t highest = int64_t{sensor.StepValues[sensor.StepCount - 1]} * 50;
        if (*dpi < lowest || *dpi > highest) {
            error = std::string(*dpi < lowest ? "below" : "above") + " this sensor's " +
                    (*dpi < lowest ? "lowest" : "highest") + " step, " +
                    std::to_string(*dpi < lowest ? lowest : highest) + " DPI (velmaroctl list dpi)";
            return std::nullopt;
        }
    }
    return EditDpiLevelDpi(r, sensor, k, *dpi);
}

std::optional<EditResult> CurrentLevel(ProfileRecord& r, const SetEnvironment&, int,
                                       std::string_view v, std::string& error) {
    // The level is numbered as show and status number it; the profile
    // stores it counted among the enabled levels.
    const auto level = IntValue(v);
    if (!level)
        return std::nullopt;
    if (*level < 0 || *level >= kShownDpiLevels)
        return EditResult{EditRefusal::OutOfRange, {}, 0};
    const int ordinal = DpiLevelOrdinal(r.DPIOffOnFlagValue, *level);
    if (ordinal < 0) {
        error = "DPI level " + std::to_string(*level) + " is not enabled";
        return std::nullopt;
    }
    return EditCurrentDpiLevel(r, ordinal);
}

// The profile's name, as the profiles page renames it: any text but empty,
// and no control characters, which would break the line the file keeps it on.
std::optional<EditResult> ProfileName(ProfileRecord& r, const SetEnvironment&, int,
                                      std::string_view v, std::string& error) {
    if (v.empty()) {
        error = "a profile needs a name";
        return std::nullopt;
    }
    for (const char c : v) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            error = "a profile name cannot hold control characters";
            return std::nullopt;
        }
    }
    // Nothing to send: the mouse does not know the name, the save keeps it.
    r.Setting(kProfileName) = ToU16(v);
    return EditResult{};
}

constexpr std::array<SetKey, 18> kKeys{{
    {"name", 0, 0, "the profile's name (kept in its file, not sent to the mouse)", ProfileName,
     [](const ProfileRecord& r, const SetEnvironment&, int) -> std::optional<std::string> {
         return ToUtf8(r.Setting(kProfileName));
     }},
    {"rate", 0, 0, "125, 250, 500 or 1000", Number<EditReportRate>,
     [](const ProfileRecord& r, const SetEnvironment&, int) -> std::optional<std::string> {
         static constexpr int kRates[] = {125, 250, 500, 1000};
         const int index = r.PollingRateValue[0];
         return index < 4 ? std::optional(std::to_string(kRates[index])) : std::nullopt;
     }},
    {"dpi.K", 0, kShownDpiLevels - 1,
     "a DPI value within the sensor's steps (velmaroctl list dpi); between two steps the "
     "higher is taken",
     DpiValue,
     [](const ProfileRecord& r, const SetEnvironment& env, int k) -> std::optional<std::string> {
         if (env.Sensor.StepCount == 0)
             return std::nullopt;
         return std::to_string(env.Sensor.DisplayDpi(r.XYSettingValue[static_cast<size_t>(k)]));
     }},
    {"dpi.K.enabled", 0, kShownDpiLevels - 1, "on or off",
     [](ProfileRecord& r, const SetEnvironment&, int k, std::string_view v,
        std::string&) -> std::optional<EditResult> {
         const auto on = ParseSwitchWord(v);
         return on ? std::optional(EditDpiLevelEnabled(r, k, *on)) : std::nullopt;
     },
     [](const ProfileRecord& r, const SetEnvironment&, int k) -> std::optional<std::string> {
         return SwitchWord(((r.DPIOffOnFlagValue >> k) & 1) != 0);
     }},
    {"dpi.K.color", 0, kShownDpiLevels - 1, "#RRGGBB, RRGGBB or a colour name",
     [](ProfileRecord& r, const SetEnvironment&, int k, std::string_view v,
        std::string&) -> std::optional<EditResult> {
         const auto color = ParseColorWord(v);
         return color ? std::optional(EditDpiLevelColor(r, k, *color)) : std::nullopt;
     },
     [](const ProfileRecord& r, const SetEnvironment&, int k) -> std::optional<std::string> {
         return ColorWord(r.DPILevelIndication[static_cast<size_t>(k)]);
     }},
    {"dpi.current", 0, 0, "an enabled DPI level 0..4, numbered as show lists them", CurrentLevel,
     [](const ProfileRecord& r, const SetEnvironment&, int) -> std::optional<std::string> {
         const int level = AbsoluteDpiLevel(r.DPIOffOnFlagValue, r.CurrentDPILevelValue);
         return level >= 0 ? std::optional(std::to_string(level)) : std::nullopt;
     }},
    {"liftoff", 0, 0, "1 or 2",
     [](ProfileRecord& r, const SetEnvironment& env, int, std::string_view v,
        std::string&) -> std::optional<EditResult> {
         const auto n = IntValue(v);
         return n ? std::optional(EditLiftOff(r, env.Sensor, *n)) : std::nullopt;
     },
     [](const ProfileRecord& r, const SetEnvironment& env, int) -> std::optional<std::string> {
         const int height = r.SettingNumber(kLiftDetectionHeight);
         if (env.Sensor.ExtendedSensorFlag != 1 || (height != 1 && height != 2))
             return std::nullopt;
         return std::to_string(height);
     }},
    {"debounce", 0, 0, "even milliseconds 0..30", Number<EditDebounce>,
     SettingNumberWord<kKeyDebounce>},
    {"sleep", 0, 0, "minutes 3..10", Number<EditSleepTime>, SettingNumberWord<kPowerDownTime>},
    {"move-lighting", 0, 0, "on or off", Switch<EditMoveLighting>,
     SettingSwitchWord<kMoveLightingOnOffMode>},
    {"wakeup", 0, 0, "on or off", Switch<EditMotionWakeup>, SettingSwitchWord<kMotionWakeup>},
    {"lighting.mode", 0, 0,
     "a mode name (velmaroctl list modes) or number; custom and two-tone cannot be chosen",
     [](ProfileRecord& r, const SetEnvironment& env, int, std::string_view v,
        std::string&) -> std::optional<EditResult> {
         const auto mode = ParseLightingModeWord(v);
         return mode ? std::optional(EditLightingMode(r, env.Language, *mode)) : std::nullopt;
     },
     [](const ProfileRecord& r, const SetEnvironment&, int) -> std::optional<std::string> {
         const auto mode = ModeOf(r);
         return mode ? std::optional(std::string(LightingModeWord(*mode))) : std::nullopt;
     }},
    {"lighting.speed", 0, 0, "1..3", Number<EditLightingSpeed>,
     [](const ProfileRecord& r, const SetEnvironment&, int) -> std::optional<std::string> {
         const auto mode = ModeOf(r);
         if (!mode || !LightingShowsSpeed(*mode))
             return std::nullopt;
         return std::to_string(LightingSpeedShown(r.Lighting1Speed[static_cast<size_t>(*mode)]));
     }},
    {"lighting.brightness", 0, 0, "25, 50, 75 or 100", Number<EditLightingBrightness>,
     [](const ProfileRecord& r, const SetEnvironment&, int) -> std::optional<std::string> {
         const auto mode = ModeOf(r);
         if (!mode || !LightingShowsBrightness(*mode))
             return std::nullopt;
         return std::to_string(
             LightingBrightnessPercent(r.Lighting1Brightness[static_cast<size_t>(*mode)]));
     }},
    {"lighting.direction", 0, 0, "up or down",
     [](ProfileRecord& r, const SetEnvironment&, int, std::string_view v,
        std::string&) -> std::optional<EditResult> {
         const bool up = EqualsIgnoringAsciiCase(v, "up");
         if (!up && !EqualsIgnoringAsciiCase(v, "down"))
             return std::nullopt;
         return EditLightingDirection(r, up);
     },
     [](const ProfileRecord& r, const SetEnvironment&, int) -> std::optional<std::string> {
         const auto mode = ModeOf(r);
         if (!mode || !LightingShowsDirection(*mode))
             return std::nullopt;
         return std::string(r.Lighting1Direction[static_cast<size_t>(*mode)] != 0 ? "up" : "down");
     }},
    {"lighting.color.I", 0, 9,
     "#RRGGBB, RRGGBB or a colour name, for a colour slot of the current mode",
     [](ProfileRecord& r, const SetEnvironment&, int i, std::string_view v,
        std::string&) -> std::optional<EditResult> {
         const auto color = ParseColorWord(v);
         return color ? std::optional(EditLightingColor(r, i, *color)) : std::nullopt;
     },
     [](const ProfileRecord& r, const SetEnvironment&, int i) -> std::optional<std::string> {
         const auto mode = ModeOf(r);
         if (!mode || i >= LightingColorSlotsShown(*mode))
             return std::nullopt;
         return ColorWord(
             r.Lighting1FixedColor[static_cast<size_t>(*mode)][static_cast<size_t>(i)]);
     }},
    {"lighting.color.I.on", 0, 9, "on or off, for a colour slot of the current mode",
     [](ProfileRecord& r, const SetEnvironment&, int i, std::string_view v,
        std::string&) -> std::optional<EditResult> {
         const auto on = ParseSwitchWord(v);
         return on ? std::optional(EditLightingColorSelected(r, i, *on)) : std::nullopt;
     },
     [](const ProfileRecord& r, const SetEnvironment&, int i) -> std::optional<std::string> {
         const auto mode = ModeOf(r);
         if (!mode || i >= LightingColorSlotsShown(*mode))
             return std::nullopt;
         return SwitchWord(
             r.Lighting1ColorSelected[static_cast<size_t>(*mode)][static_cast<size_t>(i)] != 0);
     }},
    {"button.N", 1, 6, "a button function (see below)",
     [](ProfileRecord& r, const SetEnvironment& env, int n, std::string_view v,
        std::string& error) -> std::optional<EditResult> {
         const auto action = ParseButtonValue(v, env.Library, error);
         if (!action)
             return std::nullopt;
         return ApplyButtonAction(r, env.Language, n - 1, *action);
     },
     [](const ProfileRecord& r, const SetEnvironment& env, int n) -> std::optional<std::string> {
         return ButtonWord(r.Keys[static_cast<size_t>(n - 1)], env.Language, env.Library);
     }},
}};

bool IsIndexSegment(std::string_view segment) {
    return segment == "K" || segment == "I" || segment == "N";
}

// Matches `key` against a pattern; `index` gets the number of an index
// segment. `index_bad` is set when only the number is out of range.
bool Matches(const SetKey& entry, std::string_view key, int& index, bool& index_bad) {
    std::string_view pattern = entry.Pattern;
    for (;;) {
        const size_t pdot = pattern.find('.');
        const size_t kdot = key.find('.');
        const std::string_view p = pattern.substr(0, pdot);
        const std::string_view k = key.substr(0, kdot);
        if (IsIndexSegment(p)) {
            const auto n = ParseInteger(k);
            if (!n)
                return false;
            index_bad = *n < entry.IndexMin || *n > entry.IndexMax;
            index = index_bad ? 0 : static_cast<int>(*n);
        } else if (!EqualsIgnoringAsciiCase(p, k)) {
            return false;
        }
        if (pdot == std::string_view::npos || kdot == std::string_view::npos)
            return pdot == kdot;
        pattern = pattern.substr(pdot + 1);
        key = key.substr(kdot + 1);
    }
}

// "lighting mode wave (1)": the word set takes, and the number list modes shows.
std::string ModeText(int mode) {
    const std::string_view word = LightingModeWord(mode);
    return "lighting mode " + (word.empty() ? std::string() : std::string(word) + " ") + "(" +
           std::to_string(mode) + ")";
}

std::string NotOfferedText(std::string_view pattern, const ProfileRecord& r, int index) {
    const int mode = r.Lighting1ModeValue[0];
    const std::string mode_text = ModeText(mode);
    if (pattern.starts_with("dpi."))
        return "DPI level " + std::to_string(index) + " cannot be changed (levels 0..4 can)";
    if (pattern == "liftoff")
        return "this sensor has no lift-off setting";
    if (pattern == "lighting.mode")
        return "lighting modes custom (6) and two-tone (7) cannot be chosen";
    if (pattern == "lighting.speed")
        return mode_text + " has no speed";
    if (pattern == "lighting.brightness")
        return mode_text + " has no brightness (only static has)";
    if (pattern == "lighting.direction")
        return mode_text + " has no direction (only wave has)";
    if (pattern.starts_with("lighting.color."))
        return mode_text + " shows " + std::to_string(LightingColorSlotsShown(mode)) +
               " colour slots";
    return "not offered";
}

std::string RefusalText(const EditResult& result, const SetKey& entry, const ProfileRecord& before,
                        const SetEnvironment& env, int index) {
    switch (result.Refusal) {
        case EditRefusal::None:
            return {};
        case EditRefusal::NoSuchButton:
        case EditRefusal::OutOfRange:
            return "out of range (" + std::string(entry.Values) + ")";
        case EditRefusal::NotOffered:
            return NotOfferedText(entry.Pattern, before, index);
        case EditRefusal::NotDirectChoice:
            return "not a direct choice";
        case EditRefusal::NoStepTable: {
            char id[8];
            std::snprintf(id, sizeof id, "%04X", env.Sensor.SensorId);
            return "sensor 0x" + std::string(id) + " has no DPI steps";
        }
        case EditRefusal::LastEnabledLevel:
            return "the last enabled DPI level cannot be switched off";
        case EditRefusal::CurrentModeInvalid:
            return "the profile's lighting mode " + std::to_string(before.Lighting1ModeValue[0]) +
                   " is not a valid mode";
        case EditRefusal::ColorRequired:
            return ModeText(before.Lighting1ModeValue[0]) + (before.Lighting1ModeValue[0] == 6
                                                                 ? " needs at least two colours"
                                                                 : " needs at least one colour");
        case EditRefusal::LeftClickRequired:
            return "at least one button must keep the left click";
        case EditRefusal::FireKeyFirstNumber:
            return "the first fire key number must be 5..255";
        case EditRefusal::FireKeySecondNumber:
            return "the second fire key number must be 0..255";
        case EditRefusal::EmptyKeyCombination:
            return "a key combination needs a key or a modifier";
        case EditRefusal::MacroTooLong:
            return "the macro has more than " + std::to_string(kMaxCommandActions) +
                   " key actions, more than the mouse can play";
    }
    return "refused";
}

SetOutcome Fail(std::string_view pair, std::string why) {
    return {false, {}, std::string(pair) + ": " + why, {}, {}};
}

// The key with its number in place of the pattern's index segment.
std::string CanonicalKey(std::string_view pattern, int index) {
    std::string key;
    size_t start = 0;
    for (;;) {
        const size_t dot = pattern.find('.', start);
        const std::string_view segment = pattern.substr(start, dot - start);
        if (!key.empty())
            key += '.';
        key += IsIndexSegment(segment) ? std::to_string(index) : std::string(segment);
        if (dot == std::string_view::npos)
            return key;
        start = dot + 1;
    }
}

}  // namespace

SetOutcome ApplySetPair(ProfileRecord& record, const SetEnvironment& env, std::string_view pair) {
    const size_t eq = pair.find('=');
    if (eq == std::string_view::npos || eq == 0)
        return Fail(pair, "expected KEY=VALUE");
    const std::string_view key = pair.substr(0, eq);
    const std::string_view value = pair.substr(eq + 1);
    for (const SetKey& entry : kKeys) {
        int index = 0;
        bool index_bad = false;
        if (!Matches(entry, key, index, index_bad))
            continue;
        if (index_bad) {
            const std::string_view what = entry.Pattern.starts_with("dpi")        ? "DPI level"
                                          : entry.Pattern.starts_with("lighting") ? "colour slot"
                                                                                  : "button";
            return Fail(pair, "no such " + std::string(what) + " (" +
                                  std::to_string(entry.IndexMin) + ".." +
                                  std::to_string(entry.IndexMax) + ")");
        }
        const ProfileRecord before = record;
        std::string error;
        const auto result = entry.Apply(record, env, index, value, error);
        if (!result)
            return Fail(pair, error.empty() ? "expected " + std::string(entry.Values) : error);
        // The left-click rule gives the button the left click instead; a
        // script asked for something else, so that counts as refused too.
        if (!result->Accepted())
            return Fail(pair, RefusalText(*result, entry, before, env, index));
        SetOutcome outcome{true, result->Dirty, {}, {}, {}};
        const std::string canonical = CanonicalKey(entry.Pattern, index);
        const auto now = entry.Format(record, env, index);
        const std::string applied = now.value_or(std::string(value));
        if (record != before)
            outcome.Changed.push_back(canonical + "=" + applied);
        // A DPI between two steps is taken as the higher one.
        if (entry.Pattern == "dpi.K" && now && ParseInteger(value) != ParseInteger(*now))
            outcome.Adjusted.push_back(canonical + "=" + std::string(value) + " -> " + *now);
        return outcome;
    }
    return Fail(pair, "unknown key \"" + std::string(key) + "\"");
}

std::optional<std::string> SetValueWord(const ProfileRecord& record, const SetEnvironment& env,
                                        std::string_view key) {
    for (const SetKey& entry : kKeys) {
        int index = 0;
        bool index_bad = false;
        if (Matches(entry, key, index, index_bad))
            return index_bad ? std::nullopt : entry.Format(record, env, index);
    }
    return std::nullopt;
}

SetOutcome ApplySetPairs(ProfileRecord& record, const SetEnvironment& env,
                         std::span<const std::string> pairs) {
    ProfileRecord work = record;
    SetOutcome all;
    for (const std::string& pair : pairs) {
        const SetOutcome one = ApplySetPair(work, env, pair);
        if (!one.Ok)
            return one;
        all.Dirty |= one.Dirty;
        all.Changed.insert(all.Changed.end(), one.Changed.begin(), one.Changed.end());
        all.Adjusted.insert(all.Adjusted.end(), one.Adjusted.begin(), one.Adjusted.end());
    }
    record = std::move(work);
    return all;
}

namespace {

// "off, wave, ... or marquee": the modes that can be chosen, by name, so the
// help (and the completions made from it) list them.
std::string ChosenModeWords() {
    std::vector<std::string_view> words;
    for (int mode = 0; mode < kLightingModes; ++mode) {
        if (IsOfferedLightingMode(mode))
            words.push_back(LightingModeWord(mode));
    }
    std::string text;
    for (size_t i = 0; i < words.size(); ++i)
        text += std::string(i == 0                  ? ""
                            : i + 1 == words.size() ? " or "
                                                    : ", ") +
                std::string(words[i]);
    return text;
}

}  // namespace

std::string SetKeysHelp() {
    std::string text =
        "Keys (K: DPI level 0..4, I: colour slot 0..9, N: button 1..6, all numbered as show "
        "lists them):\n";
    for (const SetKey& entry : kKeys) {
        std::string line = "  " + std::string(entry.Pattern);
        line.resize(24, ' ');
        if (entry.Pattern == "lighting.mode")
            line += ChosenModeWords() +
                    "; any case, or the number velmaroctl list modes shows; custom and two-tone "
                    "cannot be chosen";
        else
            line += entry.Values;
        text += line + "\n";
    }
    text +=
        "Switches take on/off, yes/no, true/false or 1/0; colours #RRGGBB, RRGGBB or black, "
        "white, red, green, blue, yellow, cyan, magenta, orange, purple, pink.\n";
    text += "Button functions:\n";
    text += "  " + MenuWordsText() + "\n";
    text += "  dpi:1 (cycle), dpi:2 (up), dpi:3 (down); dpi-lock:200..1200 in steps of 100\n";
    text += "  fire:FIRST,SECOND (5..255, 0..255)\n";
    text +=
        "  key:MODIFIERS+KEY, modifiers ctrl, shift, alt, win (also super, meta); keys as "
        "velmaroctl list keys prints them (key:ctrl+alt+f5, key:ctrl+)\n";
    text += "  media:NAME  " + MediaWordsText() + "\n";
    text += "  office:NAME " + OfficeWordsText() + "\n";
    text += "  windows:NAME " + WindowsWordsText() + "\n";
    text +=
        "  macro:PATH, the library item's name with its folders joined by \"/\" (any case "
        "when that names one item)\n";
    text +=
        "A single \"-\" reads the pairs from standard input, one a line; lines starting "
        "with \"#\" are left out, so show's output can be fed back.\n";
    return text;
}

}  // namespace velmaro::cli
