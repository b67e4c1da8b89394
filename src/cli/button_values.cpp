#include "cli/button_values.h"

#include "cli/library_paths.h"
#include "cli/value_words.h"
#include "cli/values.h"
#include "model/key_tables.h"
#include "model/text.h"

namespace velmaro::cli {

namespace {

template <size_t N>
std::optional<int> FindWord(const std::array<NamedEntry, N>& words, std::string_view name) {
    for (const NamedEntry& w : words) {
        if (EqualsIgnoringAsciiCase(w.Name, name))
            return w.Entry;
    }
    return std::nullopt;
}

template <size_t N>
std::string WordsText(const std::array<NamedEntry, N>& words) {
    std::string text;
    for (const NamedEntry& w : words) {
        if (!text.empty())
            text += ", ";
        text += w.Name;
    }
    return text;
}

// Splits "prefix:rest"; the prefix is compared without regard to case.
bool TakePrefix(std::string_view value, std::string_view prefix, std::string_view& rest) {
    if (value.size() <= prefix.size() || value[prefix.size()] != ':' ||
        !EqualsIgnoringAsciiCase(value.substr(0, prefix.size()), prefix))
        return false;
    rest = value.substr(prefix.size() + 1);
    return true;
}

std::optional<ButtonAction> ListAction(FunctionList list, int entry) {
    ButtonAction action;
    action.Type = ButtonAction::Kind::ListEntry;
    action.List = list;
    action.Entry = entry;
    return action;
}

template <size_t N>
std::optional<ButtonAction> NamedListAction(const std::array<NamedEntry, N>& words,
                                            FunctionList list, std::string_view kind,
                                            std::string_view name, std::string& error) {
    if (const auto entry = FindWord(words, name))
        return ListAction(list, *entry);
    error = "unknown " + std::string(kind) + " name \"" + std::string(name) + "\" (one of " +
            WordsText(words) + ")";
    return std::nullopt;
}

std::optional<ButtonAction> DpiFunction(std::string_view code_text, std::string& error) {
    // The number is the function code the mouse receives (byte 1), which the
    // list shows in another order.
    const auto code = ParseInteger(code_text);
    for (size_t i = 0; code && i < kDpiFunctionList.size(); ++i) {
        if (kDpiFunctionList[i].Value[1] == *code)
            return ListAction(FunctionList::Dpi, static_cast<int>(i) + 1);
    }
    error = "a DPI function is 1, 2 or 3";
    return std::nullopt;
}

std::optional<ButtonAction> DpiLock(std::string_view dpi_text, std::string& error) {
    const auto dpi = ParseInteger(dpi_text);
    if (!dpi || *dpi < 200 || *dpi > 1200 || *dpi % 100 != 0) {
        error = "a DPI lock is 200, 300, ... 1200";
        return std::nullopt;
    }
    return ListAction(FunctionList::DpiLock, static_cast<int>(*dpi / 100 - 1));
}

std::optional<ButtonAction> FireKey(std::string_view numbers, std::string& error) {
    const size_t comma = numbers.find(',');
    const auto first = ParseInteger(numbers.substr(0, comma));
    const auto second =
        comma == std::string_view::npos ? std::nullopt : ParseInteger(numbers.substr(comma + 1));
    // Numbers outside the dialog's ranges are its refusals, reported later.
    if (!first || !second || *first < INT32_MIN || *first > INT32_MAX || *second < INT32_MIN ||
        *second > INT32_MAX) {
        error = "a fire key is fire:FIRST,SECOND, two numbers";
        return std::nullopt;
    }
    ButtonAction action;
    action.Type = ButtonAction::Kind::FireKey;
    action.First = static_cast<int>(*first);
    action.Second = static_cast<int>(*second);
    return action;
}

// Sets the modifier a word names; false when the word is no modifier.
bool TakeModifier(std::string_view word, KeyModifiers& modifiers) {
    const auto bit = ParseModifierWord(word);
    if (!bit)
        return false;
    modifiers.Ctrl = modifiers.Ctrl || *bit == kModifierCtrl;
    modifiers.Shift = modifiers.Shift || *bit == kModifierShift;
    modifiers.Alt = modifiers.Alt || *bit == kModifierAlt;
    modifiers.Win = modifiers.Win || *bit == kModifierWin;
    return true;
}

std::optional<ButtonAction> KeyCombination(std::string_view text, std::string& error) {
    ButtonAction action;
    action.Type = ButtonAction::Kind::KeyCombination;
    // Words before the last "+" are modifiers. The last word is the key,
    // unless it is a modifier word too ("ctrl+shift") or empty ("ctrl+"):
    // then the combination is modifiers alone, as the dialog allows.
    const size_t last_plus = text.rfind('+');
    const std::string_view key =
        last_plus == std::string_view::npos ? text : text.substr(last_plus + 1);
    if (last_plus != std::string_view::npos) {
        std::string_view modifiers = text.substr(0, last_plus);
        for (;;) {
            const size_t plus = modifiers.find('+');
            const std::string_view word = modifiers.substr(0, plus);
            if (!TakeModifier(word, action.Modifiers)) {
                error = "unknown modifier \"" + std::string(word) +
                        "\" (ctrl, shift, alt, win; also control, super, meta)";
                return std::nullopt;
            }
            if (plus == std::string_view::npos)
                break;
            modifiers = modifiers.substr(plus + 1);
        }
    }
    if (key.empty() || TakeModifier(key, action.Modifiers))
        return action;
    const auto code = ParseKeyWord(key);
    if (!code) {
        error = "unknown key name \"" + std::string(key) + "\" (velmaroctl list keys)";
        return std::nullopt;
    }
    // A key without a keyboard usage would reach the mouse as nothing.
    if (*code >= 0xE0 && *code <= 0xE7) {
        error = "\"" + std::string(key) + "\" is a mouse action only a macro can play";
        return std::nullopt;
    }
    if (IsIgnoredCombinationKey(*code)) {
        error = "\"" + std::string(key) +
                "\" cannot be the key of a combination; use the modifier words";
        return std::nullopt;
    }
    if (!IsKeyboardKey(*code)) {
        error = "\"" + std::string(key) + "\" has no keyboard usage: the mouse cannot send it";
        return std::nullopt;
    }
    action.Code = *code;
    return action;
}

std::optional<ButtonAction> Macro(std::string_view path, const MacroLibrary& library,
                                  std::string& error) {
    MacroItemLocation loc = FindItemByPath(library, ToU16(path));
    if (loc.stage < 0) {
        // Letters in another case name the item only when they name one.
        const std::vector<MacroItemLocation> found =
            FindItemsByPathIgnoringCase(library, ToU16(path));
        if (found.size() > 1) {
            error = "\"" + std::string(path) + "\" names " + std::to_string(found.size()) +
                    " library items when case is ignored: " + ToUtf8(ItemPath(library, found[0])) +
                    ", " + ToUtf8(ItemPath(library, found[1])) + (found.size() > 2 ? ", ..." : "");
            return std::nullopt;
        }
        if (found.size() == 1)
            loc = found[0];
    }
    const MacroItem* item = library.ItemAt(loc);
    if (item == nullptr) {
        error = "no macro \"" + std::string(path) + "\" in the library";
        return std::nullopt;
    }
    if (item->IsFolder() || !item->Macro) {
        error = "\"" + std::string(path) + "\" is a folder, not a macro";
        return std::nullopt;
    }
    if (!item->Macro->FitsMouse()) {
        error = "\"" + std::string(path) + "\" has " +
                std::to_string(item->Macro->CountCommandActions()) +
                " key actions; the mouse plays at most " + std::to_string(kMaxCommandActions);
        return std::nullopt;
    }
    ButtonAction action;
    action.Type = ButtonAction::Kind::Macro;
    action.Macro = item->Macro.get();
    action.ItemName = item->MacroItemName;
    return action;
}

}  // namespace

std::optional<ButtonAction> ParseButtonValue(std::string_view value, const MacroLibrary& library,
                                             std::string& error) {
    if (const auto entry = FindWord(kMenuWords, value)) {
        ButtonAction action;
        action.Entry = *entry;
        return action;
    }
    std::string_view rest;
    if (TakePrefix(value, "dpi", rest))
        return DpiFunction(rest, error);
    if (TakePrefix(value, "dpi-lock", rest))
        return DpiLock(rest, error);
    if (TakePrefix(value, "fire", rest))
        return FireKey(rest, error);
    if (TakePrefix(value, "key", rest))
        return KeyCombination(rest, error);
    if (TakePrefix(value, "media", rest))
        return NamedListAction(kMediaWords, FunctionList::Multimedia, "media", rest, error);
    if (TakePrefix(value, "office", rest))
        return NamedListAction(kOfficeWords, FunctionList::Office, "office", rest, error);
    if (TakePrefix(value, "windows", rest))
        return NamedListAction(kWindowsWords, FunctionList::Windows, "windows", rest, error);
    if (TakePrefix(value, "macro", rest))
        return Macro(rest, library, error);
    error = "not a button function (see velmaroctl set --help)";
    return std::nullopt;
}

EditResult ApplyButtonAction(ProfileRecord& record, const LanguageTable& language, int button,
                             const ButtonAction& action) {
    switch (action.Type) {
        case ButtonAction::Kind::MenuEntry:
            return AssignMenuEntry(record, language, button, action.Entry);
        case ButtonAction::Kind::ListEntry:
            return AssignListEntry(record, language, button, action.List, action.Entry);
        case ButtonAction::Kind::FireKey:
            return AssignFireKey(record, language, button, action.First, action.Second);
        case ButtonAction::Kind::KeyCombination:
            return AssignKeyCombination(record, language, button, action.Code, action.Modifiers,
                                        false);
        case ButtonAction::Kind::Macro:
            return AssignMacro(record, language, button, action.Macro, action.ItemName);
    }
    return {EditRefusal::OutOfRange, {}, 0};
}

std::string MenuWordsText() {
    return WordsText(kMenuWords);
}
std::string MediaWordsText() {
    return WordsText(kMediaWords);
}
std::string OfficeWordsText() {
    return WordsText(kOfficeWords);
}
std::string WindowsWordsText() {
    return WordsText(kWindowsWords);
}

}  // namespace velmaro::cli
