// The values `velmaroctl set button.N=VALUE` takes, and the page action each
// one stands for. Every value ends in one of the button page's own actions
// (a menu entry, a list entry, the fire key or key combination dialog, the
// macro selection), so names, bytes and the left-click rule come out exactly
// as a click there would make them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "macro/macro_library.h"
#include "model/button_functions.h"
#include "model/profile_edits.h"

namespace velmaro::cli {

// A short word for an entry (1-based) of one of the page's fixed lists.
struct NamedEntry {
    std::string_view Name;
    int Entry;
};

// Plain choices of the button-function menu.
inline constexpr std::array<NamedEntry, 8> kMenuWords{{
    {"left", 1},
    {"right", 2},
    {"middle", 3},
    {"forward", 4},  // 10 10 00, the fifth button
    {"back", 5},     // 10 08 00, the fourth button
    {"triple-click", 8},
    {"rate-switch", 14},
    {"disable", 16},
}};

inline constexpr std::array<NamedEntry, 10> kMediaWords{{
    {"player", 1},
    {"previous", 2},
    {"next", 3},
    {"stop", 4},
    {"play-pause", 5},
    {"mute", 6},
    {"volume-up", 7},
    {"volume-down", 8},
    {"email", 9},
    {"calculator", 10},
}};

inline constexpr std::array<NamedEntry, 9> kOfficeWords{{
    {"copy", 1},
    {"paste", 2},
    {"cut", 3},
    {"select-all", 4},
    {"new", 5},
    {"save", 6},
    {"print", 7},
    {"file-manager", 8},
    {"undo", 9},
}};

inline constexpr std::array<NamedEntry, 6> kWindowsWords{{
    {"my-computer", 1},
    {"close-window", 2},
    {"show-desktop", 3},
    {"run", 4},
    {"minimize", 5},
    {"maximize", 6},
}};

// What a button value asks the page to do.
struct ButtonAction {
    enum class Kind { MenuEntry, ListEntry, FireKey, KeyCombination, Macro };
    Kind Type = Kind::MenuEntry;
    int Entry = 0;                          // MenuEntry, ListEntry (1-based)
    FunctionList List = FunctionList::Dpi;  // ListEntry
    int First = 0, Second = 0;              // FireKey
    std::optional<uint8_t> Code;            // KeyCombination: the key, none for none
    KeyModifiers Modifiers;                 // KeyCombination
    const MacroRecord* Macro = nullptr;     // Macro: the library's record
    std::u16string ItemName;                // Macro: the library item's own name
};

// Parses a button value; on failure `error` says what is wrong with it.
std::optional<ButtonAction> ParseButtonValue(std::string_view value, const MacroLibrary& library,
                                             std::string& error);

// Runs the action on Keys[button] with the page's function for it.
EditResult ApplyButtonAction(ProfileRecord& record, const LanguageTable& language, int button,
                             const ButtonAction& action);

// The value words, for help texts: "left, right, ...".
std::string MenuWordsText();
std::string MediaWordsText();
std::string OfficeWordsText();
std::string WindowsWordsText();

}  // namespace velmaro::cli
