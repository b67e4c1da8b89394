#include "cli/button_words.h"

#include <vector>

#include "cli/button_values.h"
#include "cli/library_paths.h"
#include "cli/value_words.h"
#include "model/button_functions.h"
#include "model/key_tables.h"
#include "model/text.h"

namespace velmaro::cli {

namespace {

struct Candidate {
    std::string Word;
    ButtonChoice Choice;
};

template <size_t N, size_t M>
void AddList(std::vector<Candidate>& out, const LanguageTable& language, std::string_view prefix,
             const std::array<NamedEntry, N>& words, const std::array<FixedFunction, M>& list) {
    for (const NamedEntry& w : words) {
        out.push_back({std::string(prefix) + std::string(w.Name),
                       FixedChoice(language, list[static_cast<size_t>(w.Entry - 1)])});
    }
}

// The modifier bits of byte 1 as words, in the order the names show them.
std::optional<std::string> ModifierText(uint8_t bits, KeyModifiers& ticks) {
    if ((bits & ~(kModifierCtrl | kModifierShift | kModifierAlt | kModifierWin)) != 0)
        return std::nullopt;
    std::string text;
    auto add = [&](uint8_t bit, const char* word, bool& tick) {
        if ((bits & bit) == 0)
            return;
        tick = true;
        text += text.empty() ? word : std::string("+") + word;
    };
    add(kModifierCtrl, "ctrl", ticks.Ctrl);
    add(kModifierShift, "shift", ticks.Shift);
    add(kModifierAlt, "alt", ticks.Alt);
    add(kModifierWin, "win", ticks.Win);
    return text;
}

void AddKeyCombination(std::vector<Candidate>& out, const KeyValue& value) {
    KeyModifiers ticks;
    const auto modifiers = ModifierText(value[1], ticks);
    if (!modifiers)
        return;
    std::optional<uint8_t> code;
    std::string key;
    if (value[2] != 0) {
        for (const KeyboardKey& k : KeyboardKeys()) {
            if (KeyUsageOf(k.Code) == value[2]) {
                code = k.Code;
                key = k.Word;
                break;
            }
        }
        if (!code)
            return;
    }
    const auto choice = EncodeKeyCombination(code, ticks, false);
    if (!choice)
        return;
    std::string word = *modifiers;
    if (!key.empty())
        word += word.empty() ? key : "+" + key;
    out.push_back({"key:" + word, *choice});
}

void AddMacros(std::vector<Candidate>& out, const LanguageTable& language,
               const MacroLibrary& library, const MacroItemLocation& first) {
    for (int32_t i = 0; i < kMacroListSlots; ++i) {
        const MacroItemLocation at = first.Sibling(i);
        const MacroItem* item = library.ItemAt(at);
        if (item == nullptr || !item->IsUsed())
            return;
        if (item->IsFolder()) {
            if (at.stage < 2)
                AddMacros(out, language, library, at.Child(0));
        } else if (item->Macro) {
            ButtonChoice choice = MacroChoice(language, std::u16string_view(item->MacroItemName));
            out.push_back({"macro:" + ToUtf8(ItemPath(library, at)), std::move(choice)});
        }
    }
}

}  // namespace

std::optional<std::string> ButtonWord(const KeyRecord& key, const LanguageTable& language,
                                      const MacroLibrary& library) {
    std::vector<Candidate> candidates;
    const KeyValue& value = key.Value;
    for (const NamedEntry& w : kMenuWords) {
        if (const auto choice =
                MenuChoice(language, kButtonFunctionMenu[static_cast<size_t>(w.Entry - 1)]))
            candidates.push_back({std::string(w.Name), *choice});
    }
    for (const FixedFunction& f : kDpiFunctionList)
        candidates.push_back({"dpi:" + std::to_string(f.Value[1]), FixedChoice(language, f)});
    for (int entry = 1; entry <= static_cast<int>(kDpiLockList.size()); ++entry) {
        if (const auto choice = DpiLockChoice(language, entry))
            candidates.push_back({"dpi-lock:" + std::to_string((entry + 1) * 100), *choice});
    }
    if (value[0] == kCategoryFireKey) {
        if (const auto choice = FireKeyChoice(language, value[1], value[2]))
            candidates.push_back(
                {"fire:" + std::to_string(value[1]) + "," + std::to_string(value[2]), *choice});
    }
    if (value[0] == kCategoryKey)
        AddKeyCombination(candidates, value);
    AddList(candidates, language, "media:", kMediaWords, kMultimediaList);
    AddList(candidates, language, "office:", kOfficeWords, kOfficeList);
    AddList(candidates, language, "windows:", kWindowsWords, kWindowsList);

    if (value[0] == kCategoryMacro) {
        // The upload fills in bytes 1 and 2, so only the name tells the macro.
        std::vector<Candidate> macros;
        AddMacros(macros, language, library, MacroItemLocation::Top(0));
        for (const Candidate& c : macros) {
            if (c.Choice.Name == key.KeyName)
                return c.Word;
        }
        return std::nullopt;
    }
    const Candidate* bytes_only = nullptr;
    for (const Candidate& c : candidates) {
        if (c.Choice.Value != value)
            continue;
        if (c.Choice.Name == key.KeyName)
            return c.Word;
        if (bytes_only == nullptr)
            bytes_only = &c;
    }
    if (bytes_only != nullptr)
        return bytes_only->Word;
    return std::nullopt;
}

}  // namespace velmaro::cli
