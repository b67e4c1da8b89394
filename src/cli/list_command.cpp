#include "cli/list_command.h"

#include <cstdio>
#include <ostream>

#include "cli/button_values.h"
#include "cli/library_paths.h"
#include "cli/profile_output.h"
#include "cli/value_words.h"
#include "model/button_functions.h"
#include "model/profile_edits.h"
#include "model/text.h"

namespace velmaro::cli {

namespace {

struct Row {
    std::string Word;
    std::string Text;
};

void PrintRows(const Console& console, const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        std::string line = row.Word;
        if (!row.Text.empty()) {
            line.resize(std::max<size_t>(line.size() + 2, 24), ' ');
            line += row.Text;
        }
        console.Out << line << '\n';
    }
}

int ListKeys(CommandContext& c) {
    std::vector<Row> rows;
    Json modifiers = Json::array();
    for (const ModifierWord& m : ModifierWords()) {
        std::string also;
        for (const ModifierWord& other : ModifierWords()) {
            if (other.Bit == m.Bit && other.Word != m.Word)
                also += (also.empty() ? "" : ", ") + std::string(other.Word);
        }
        // The first word of each modifier is its own; the others are spellings.
        bool first = true;
        for (const ModifierWord& before : ModifierWords()) {
            if (&before == &m)
                break;
            first = first && before.Bit != m.Bit;
        }
        if (!first)
            continue;
        modifiers.push_back(m.Word);
        rows.push_back({std::string(m.Word),
                        "modifier" + (also.empty() ? std::string() : " (also " + also + ")")});
    }
    Json keys = Json::array();
    for (const KeyboardKey& k : KeyboardKeys()) {
        Json also = Json::array();
        std::string also_text;
        for (const KeyAlias& a : KeyAliases()) {
            if (a.Code == k.Code) {
                also.push_back(a.Alias);
                also_text += ", " + std::string(a.Alias);
            }
        }
        keys.push_back({{"word", k.Word}, {"name", k.Name}, {"also", std::move(also)}});
        rows.push_back(
            {k.Word, k.Name + (also_text.empty() ? "" : " (also " + also_text.substr(2) + ")")});
    }
    if (c.Json)
        c.Result = Json{{"schema", 1}, {"list", "keys"}, {"modifiers", modifiers}, {"keys", keys}};
    else
        PrintRows(c.Out, rows);
    return kExitOk;
}

int ListModes(CommandContext& c) {
    std::vector<Row> rows;
    Json modes = Json::array();
    for (int mode = 0; mode < kLightingModes; ++mode) {
        const bool offered = IsOfferedLightingMode(mode);
        std::vector<std::string> what;
        if (LightingShowsSpeed(mode))
            what.push_back("speed");
        if (LightingShowsBrightness(mode))
            what.push_back("brightness");
        if (LightingShowsDirection(mode))
            what.push_back("direction");
        const int slots = LightingColorSlotsShown(mode);
        if (slots == 1)
            what.push_back("colour slot 0");
        else if (slots > 1)
            what.push_back("colour slots 0.." + std::to_string(slots - 1));
        std::string text = std::to_string(mode);
        for (size_t i = 0; i < what.size(); ++i)
            text += (i == 0 ? "  " : ", ") + what[i];
        if (!offered)
            text += "  (shown only: cannot be chosen)";
        rows.push_back({std::string(LightingModeWord(mode)), text});
        modes.push_back({{"mode", mode},
                         {"name", LightingModeWord(mode)},
                         {"can_choose", offered},
                         {"speed", LightingShowsSpeed(mode)},
                         {"brightness", LightingShowsBrightness(mode)},
                         {"direction", LightingShowsDirection(mode)},
                         {"colors", LightingColorSlotsShown(mode)}});
    }
    if (c.Json)
        c.Result = Json{{"schema", 1}, {"list", "modes"}, {"modes", std::move(modes)}};
    else
        PrintRows(c.Out, rows);
    return kExitOk;
}

int ListDpi(CommandContext& c) {
    const SensorTables& sensor = c.Run.Core().State().Sensor;
    char id[16];
    std::snprintf(id, sizeof id, "0x%04X", sensor.SensorId);
    Json steps = Json::array();
    for (uint32_t i = 0; i < sensor.StepCount; ++i)
        steps.push_back(sensor.StepValues[i] * 50);
    const bool liftoff = sensor.ExtendedSensorFlag == 1;
    Json levels = Json::array();
    for (int k = 0; k < kShownDpiLevels; ++k)
        levels.push_back(k);
    if (c.Json) {
        const bool any = sensor.StepCount > 0;
        c.Result = Json{{"schema", 1},
                        {"list", "dpi"},
                        {"sensor", id},
                        {"min", any ? Json(steps.front()) : Json(nullptr)},
                        {"max", any ? Json(steps.back()) : Json(nullptr)},
                        {"steps", steps},
                        {"levels", std::move(levels)},
                        {"liftoff", liftoff ? Json{1, 2} : Json::array()}};
        return kExitOk;
    }
    std::ostream& out = c.Out.Out;
    out << "sensor " << id << '\n';
    if (sensor.StepCount == 0) {
        out << "steps none (an unknown sensor: DPI values cannot be set)\n";
    } else {
        // Runs of equal spacing: "100..10000 by 50".
        std::string runs;
        uint32_t start = 0;
        for (uint32_t i = 1; i <= sensor.StepCount; ++i) {
            const bool ends =
                i == sensor.StepCount ||
                (i - start >= 2 && sensor.StepValues[i] - sensor.StepValues[i - 1] !=
                                       sensor.StepValues[i - 1] - sensor.StepValues[i - 2]);
            if (!ends)
                continue;
            const uint32_t last = i - 1;
            runs += (runs.empty() ? "" : ", ") + std::to_string(sensor.StepValues[start] * 50);
            if (last > start)
                runs +=
                    ".." + std::to_string(sensor.StepValues[last] * 50) + " by " +
                    std::to_string((sensor.StepValues[start + 1] - sensor.StepValues[start]) * 50);
            start = i;
        }
        out << "steps " << runs << '\n';
    }
    out << "levels 0.." << kShownDpiLevels - 1 << " (numbered as show lists them)\n";
    out << "liftoff " << (liftoff ? "1, 2" : "none (this sensor has no lift-off setting)") << '\n';
    return kExitOk;
}

void AddMacroRows(const MacroLibrary& library, const LanguageTable& language,
                  const MacroItemLocation& first, std::vector<Row>& rows) {
    for (int32_t i = 0; i < kMacroListSlots; ++i) {
        const MacroItemLocation at = first.Sibling(i);
        const MacroItem* item = library.ItemAt(at);
        if (item == nullptr || !item->IsUsed())
            return;
        if (item->IsFolder()) {
            if (at.stage < 2)
                AddMacroRows(library, language, at.Child(0), rows);
        } else if (item->Macro) {
            rows.push_back(
                {"macro:" + ToUtf8(ItemPath(library, at)),
                 ToUtf8(MacroChoice(language, std::u16string_view(item->MacroItemName)).Name)});
        }
    }
}

template <size_t N, size_t M>
void AddListRows(const LanguageTable& language, std::string_view prefix,
                 const std::array<NamedEntry, N>& words, const std::array<FixedFunction, M>& list,
                 std::vector<Row>& rows) {
    for (const NamedEntry& w : words) {
        rows.push_back(
            {std::string(prefix) + std::string(w.Name),
             ToUtf8(FixedChoice(language, list[static_cast<size_t>(w.Entry - 1)]).Name)});
    }
}

int ListFunctions(CommandContext& c) {
    const LanguageTable& language = c.Run.Core().State().Language;
    const auto menu_text = [&](int entry) {
        return ToUtf8(language.Text(kButtonFunctionMenu[static_cast<size_t>(entry - 1)].NameEntry));
    };
    std::vector<Row> rows;
    for (const NamedEntry& w : kMenuWords)
        rows.push_back({std::string(w.Name), menu_text(w.Entry)});
    for (const FixedFunction& f : kDpiFunctionList)
        rows.push_back(
            {"dpi:" + std::to_string(f.Value[1]), ToUtf8(FixedChoice(language, f).Name)});
    for (int entry = 1; entry <= static_cast<int>(kDpiLockList.size()); ++entry) {
        if (const auto choice = DpiLockChoice(language, entry))
            rows.push_back({"dpi-lock:" + std::to_string((entry + 1) * 100), ToUtf8(choice->Name)});
    }
    rows.push_back({"fire:FIRST,SECOND", menu_text(7) + " (FIRST 5..255, SECOND 0..255)"});
    rows.push_back({"key:MODIFIERS+KEY", menu_text(10) + " (velmaroctl list keys)"});
    AddListRows(language, "media:", kMediaWords, kMultimediaList, rows);
    AddListRows(language, "office:", kOfficeWords, kOfficeList, rows);
    AddListRows(language, "windows:", kWindowsWords, kWindowsList, rows);
    AddMacroRows(c.Run.Core().Library(), language, MacroItemLocation::Top(0), rows);
    if (c.Json) {
        Json functions = Json::array();
        for (const Row& row : rows)
            functions.push_back({{"value", row.Word}, {"name", row.Text}});
        c.Result = Json{{"schema", 1}, {"list", "functions"}, {"functions", std::move(functions)}};
    } else {
        PrintRows(c.Out, rows);
    }
    return kExitOk;
}

}  // namespace

int RunList(CommandContext& c, std::string_view topic) {
    if (topic == "keys")
        return ListKeys(c);
    if (topic == "modes")
        return ListModes(c);
    if (topic == "dpi")
        return ListDpi(c);
    if (topic == "functions")
        return ListFunctions(c);
    c.Out.Message("list: expected keys, modes, dpi or functions");
    return kExitUsage;
}

}  // namespace velmaro::cli
