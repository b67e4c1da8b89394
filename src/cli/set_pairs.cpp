#include "cli/set_pairs.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "cli/button_values.h"
#include "cli/values.h"

namespace velmaro::cli {

namespace {

// A value that parsed, turned into the page action's result; none (with
// `error` set) when the value is not of the key's kind.
using Handler = std::optional<EditResult> (*)(ProfileRecord&, const SetEnvironment&, int index,
                                              std::string_view value, std::string& error);

struct SetKey {
    // Segments separated by "."; "K", "I" and "N" stand for a number.
    std::string_view Pattern;
    int IndexMin = 0, IndexMax = 0;
    // The values, as help and as the message for a value of the wrong kind.
    std::string_view Values;
    Handler Apply;
};

std::optional<int> IntValue(std::string_view value) {
    const auto n = ParseInteger(value);
    if (!n || *n < INT32_MIN || *n > INT32_MAX)
        return std::nullopt;
    return static_cast<int>(*n);
}

std::optional<bool> SwitchValue(std::string_view value) {
    if (value == "1")
        return true;
    if (value == "0")
        return false;
    return std::nullopt;
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
    const auto on = SwitchValue(v);
    return on ? std::optional(Edit(r, *on)) : std::nullopt;
}

constexpr std::array<SetKey, 17> kKeys{{
    {"rate", 0, 0, "125, 250, 500 or 1000", Number<EditReportRate>},
    {"dpi.K", 0, 7, "a DPI value; the nearest step at or above it is taken",
     [](ProfileRecord& r, const SetEnvironment& env, int k, std::string_view v,
        std::string&) -> std::optional<EditResult> {
         const auto dpi = IntValue(v);
         if (!dpi || *dpi < 0)
             return std::nullopt;
         return EditDpiLevelDpi(r, env.Sensor, k, *dpi);
     }},
    {"dpi.K.enabled", 0, 7, "0 or 1",
     [](ProfileRecord& r, const SetEnvironment&, int k, std::string_view v,
        std::string&) -> std::optional<EditResult> {
         const auto on = SwitchValue(v);
         return on ? std::optional(EditDpiLevelEnabled(r, k, *on)) : std::nullopt;
     }},
    {"dpi.K.color", 0, 7, "RRGGBB",
     [](ProfileRecord& r, const SetEnvironment&, int k, std::string_view v,
        std::string&) -> std::optional<EditResult> {
         const auto color = ParseRgbColor(v);
         return color ? std::optional(EditDpiLevelColor(r, k, *color)) : std::nullopt;
     }},
    {"dpi.current", 0, 0, "the current level counted among the enabled levels, from 0",
     Number<EditCurrentDpiLevel>},
    {"liftoff", 0, 0, "1 or 2",
     [](ProfileRecord& r, const SetEnvironment& env, int, std::string_view v,
        std::string&) -> std::optional<EditResult> {
         const auto n = IntValue(v);
         return n ? std::optional(EditLiftOff(r, env.Sensor, *n)) : std::nullopt;
     }},
    {"debounce", 0, 0, "even milliseconds 0..30", Number<EditDebounce>},
    {"sleep", 0, 0, "minutes 3..10", Number<EditSleepTime>},
    {"move-lighting", 0, 0, "0 or 1", Switch<EditMoveLighting>},
    {"wakeup", 0, 0, "0 or 1", Switch<EditMotionWakeup>},
    {"lighting.mode", 0, 0, "0..9 (6 and 7 cannot be chosen)",
     [](ProfileRecord& r, const SetEnvironment& env, int, std::string_view v,
        std::string&) -> std::optional<EditResult> {
         const auto n = IntValue(v);
         return n ? std::optional(EditLightingMode(r, env.Language, *n)) : std::nullopt;
     }},
    {"lighting.speed", 0, 0, "1..3", Number<EditLightingSpeed>},
    {"lighting.brightness", 0, 0, "25, 50, 75 or 100", Number<EditLightingBrightness>},
    {"lighting.direction", 0, 0, "up or down",
     [](ProfileRecord& r, const SetEnvironment&, int, std::string_view v,
        std::string&) -> std::optional<EditResult> {
         if (v != "up" && v != "down")
             return std::nullopt;
         return EditLightingDirection(r, v == "up");
     }},
    {"lighting.color.I", 0, 9, "RRGGBB, for a colour slot of the current mode",
     [](ProfileRecord& r, const SetEnvironment&, int i, std::string_view v,
        std::string&) -> std::optional<EditResult> {
         const auto color = ParseRgbColor(v);
         return color ? std::optional(EditLightingColor(r, i, *color)) : std::nullopt;
     }},
    {"lighting.color.I.on", 0, 9, "0 or 1, for a colour slot of the current mode",
     [](ProfileRecord& r, const SetEnvironment&, int i, std::string_view v,
        std::string&) -> std::optional<EditResult> {
         const auto on = SwitchValue(v);
         return on ? std::optional(EditLightingColorSelected(r, i, *on)) : std::nullopt;
     }},
    {"button.N", 1, 6, "a button function (see below)",
     [](ProfileRecord& r, const SetEnvironment& env, int n, std::string_view v,
        std::string& error) -> std::optional<EditResult> {
         const auto action = ParseButtonValue(v, env.Library, error);
         if (!action)
             return std::nullopt;
         return ApplyButtonAction(r, env.Language, n - 1, *action);
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

std::string NotOfferedText(std::string_view pattern, const ProfileRecord& r, int index) {
    const int mode = r.Lighting1ModeValue[0];
    const std::string mode_text = "lighting mode " + std::to_string(mode);
    if (pattern.starts_with("dpi."))
        return "DPI level " + std::to_string(index) + " cannot be changed (levels 0..4 can)";
    if (pattern == "liftoff")
        return "this sensor has no lift-off setting";
    if (pattern == "lighting.mode")
        return "lighting modes 6 and 7 cannot be chosen";
    if (pattern == "lighting.speed")
        return mode_text + " has no speed";
    if (pattern == "lighting.brightness")
        return mode_text + " has no brightness (only mode 3 has)";
    if (pattern == "lighting.direction")
        return mode_text + " has no direction (only mode 1 has)";
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
            return "lighting mode " + std::to_string(before.Lighting1ModeValue[0]) +
                   (before.Lighting1ModeValue[0] == 6 ? " needs at least two colours"
                                                      : " needs at least one colour");
        case EditRefusal::LeftClickRequired:
            return "at least one button must keep the left click";
        case EditRefusal::FireKeyFirstNumber:
            return "the first fire key number must be 5..255";
        case EditRefusal::FireKeySecondNumber:
            return "the second fire key number must be 0..255";
        case EditRefusal::EmptyKeyCombination:
            return "a key combination needs a key or a modifier";
    }
    return "refused";
}

SetOutcome Fail(std::string_view pair, std::string why) {
    return {false, {}, std::string(pair) + ": " + why};
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
        return {true, result->Dirty, {}};
    }
    return Fail(pair, "unknown key \"" + std::string(key) + "\"");
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
    }
    record = std::move(work);
    return all;
}

std::string SetKeysHelp() {
    std::string text = "Keys (K: DPI level 0..7, I: colour slot 0..9, N: button 1..6):\n";
    for (const SetKey& entry : kKeys) {
        std::string line = "  " + std::string(entry.Pattern);
        line.resize(24, ' ');
        text += line + std::string(entry.Values) + "\n";
    }
    text += "Button functions:\n";
    text += "  " + MenuWordsText() + "\n";
    text += "  dpi:1 (cycle), dpi:2 (up), dpi:3 (down); dpi-lock:200..1200 in steps of 100\n";
    text += "  fire:FIRST,SECOND (5..255, 0..255)\n";
    text += "  key:MODIFIERS+KEY, modifiers ctrl, shift, alt, win (key:ctrl+alt+f5, key:ctrl+)\n";
    text += "  media:NAME  " + MediaWordsText() + "\n";
    text += "  office:NAME " + OfficeWordsText() + "\n";
    text += "  windows:NAME " + WindowsWordsText() + "\n";
    text += "  macro:PATH, the library item's name with its folders joined by \"/\"\n";
    return text;
}

}  // namespace velmaro::cli
