#include "cli/profile_set_words.h"

#include "cli/values.h"
#include "model/profile_edits.h"

namespace velmaro::cli {

namespace {

class LineWriter {
  public:
    LineWriter(const ProfileRecord& record, const SetEnvironment& env, ProfileSetLines& out)
        : record_(record), env_(env), out_(out) {}

    // Adds "key=value"; a key with no value word is noted as left out.
    void Pair(const std::string& key) {
        if (const auto word = SetValueWord(record_, env_, key))
            out_.Lines.push_back(key + "=" + *word);
        else
            out_.LeftOut.push_back(key + ": the profile holds a value set cannot give");
    }
    void Comment(const std::string& text) { out_.Lines.push_back("# " + text); }

  private:
    const ProfileRecord& record_;
    const SetEnvironment& env_;
    ProfileSetLines& out_;
};

// The settings of the record's current lighting mode, without the mode.
std::vector<std::string> ModeSettings(const ProfileRecord& record, const SetEnvironment& env) {
    ProfileSetLines lines;
    LineWriter w(record, env, lines);
    const int mode = record.Lighting1ModeValue[0];
    if (LightingShowsSpeed(mode))
        w.Pair("lighting.speed");
    if (LightingShowsBrightness(mode))
        w.Pair("lighting.brightness");
    if (LightingShowsDirection(mode))
        w.Pair("lighting.direction");
    const int slots = LightingColorSlotsShown(mode);
    for (int i = 0; i < slots; ++i)
        w.Pair("lighting.color." + std::to_string(i));
    // The static mode's one colour is always on. Elsewhere the slots that
    // stay on go first, so a mode never runs out of colours on the way.
    if (mode != 3) {
        for (const bool on : {true, false}) {
            for (int i = 0; i < slots; ++i) {
                if ((record.Lighting1ColorSelected[static_cast<size_t>(mode)]
                                                  [static_cast<size_t>(i)] != 0) == on)
                    w.Pair("lighting.color." + std::to_string(i) + ".on");
            }
        }
    }
    return lines.Lines;
}

ProfileRecord InMode(const ProfileRecord& record, int mode) {
    ProfileRecord view = record;
    view.Lighting1ModeValue = {static_cast<uint8_t>(mode), 0, 0};
    return view;
}

}  // namespace

ProfileSetLines ProfileAsSetLines(const ProfileRecord& record, const SetEnvironment& env,
                                  const ProfileRecord& defaults, bool every_mode) {
    ProfileSetLines out;
    LineWriter w(record, env, out);
    // A renamed profile takes its name along; one with its slot's own name
    // keeps the name of the slot it is set into.
    if (record.Setting(kProfileName) != defaults.Setting(kProfileName))
        w.Pair("name");
    for (const char* key : {"rate", "debounce", "sleep", "move-lighting", "wakeup"})
        w.Pair(key);
    if (env.Sensor.ExtendedSensorFlag == 1)
        w.Pair("liftoff");

    // Levels that stay on are switched on first, so one is always on.
    const uint8_t mask = record.DPIOffOnFlagValue;
    for (int k = 0; k < kShownDpiLevels; ++k) {
        if (((mask >> k) & 1) != 0)
            w.Pair("dpi." + std::to_string(k) + ".enabled");
    }
    for (int k = 0; k < kShownDpiLevels; ++k) {
        if (env.Sensor.StepCount > 0)
            w.Pair("dpi." + std::to_string(k));
        w.Pair("dpi." + std::to_string(k) + ".color");
    }
    for (int k = 0; k < kShownDpiLevels; ++k) {
        if (((mask >> k) & 1) == 0)
            w.Pair("dpi." + std::to_string(k) + ".enabled");
    }
    w.Pair("dpi.current");

    const int current_mode = record.Lighting1ModeValue[0];
    bool noted = false;
    for (int mode = 0; mode < kLightingModes; ++mode) {
        if (mode == current_mode || !IsOfferedLightingMode(mode))
            continue;
        const std::vector<std::string> kept = ModeSettings(InMode(record, mode), env);
        if (kept.empty() || (!every_mode && kept == ModeSettings(InMode(defaults, mode), env)))
            continue;
        if (!noted)
            w.Comment("kept for the other lighting modes");
        noted = true;
        out.Lines.push_back("lighting.mode=" +
                            *SetValueWord(InMode(record, mode), env, "lighting.mode"));
        out.Lines.insert(out.Lines.end(), kept.begin(), kept.end());
    }
    if (IsOfferedLightingMode(current_mode)) {
        w.Pair("lighting.mode");
        const std::vector<std::string> settings = ModeSettings(record, env);
        out.Lines.insert(out.Lines.end(), settings.begin(), settings.end());
    } else {
        out.LeftOut.push_back("lighting.mode: mode " + std::to_string(current_mode) +
                              " cannot be chosen");
    }

    // Buttons that keep the left click go first: a button only gives it up
    // while another one holds it.
    for (const bool left : {true, false}) {
        for (int n = 1; n <= kButtonCount; ++n) {
            const KeyValue& value = record.Keys[static_cast<size_t>(n - 1)].Value;
            const bool is_left = value[0] == 0x10 && value[1] == 0x01;
            if (is_left != left)
                continue;
            const std::string key = "button." + std::to_string(n);
            if (const auto word = SetValueWord(record, env, key))
                out.Lines.push_back(key + "=" + *word);
            else
                out.LeftOut.push_back(key + ": function " + HexBytes(value.data(), value.size()) +
                                      (value[0] == 0x90 ? " is a macro that is not in the library"
                                                        : " has no set word"));
        }
    }
    return out;
}

}  // namespace velmaro::cli
