#include "model/button_functions.h"

#include <utility>

#include "model/key_tables.h"

namespace velmaro {

ButtonChoice FixedChoice(const LanguageTable& language, const FixedFunction& entry) {
    return {language.Text(entry.NameEntry), entry.Value};
}

std::optional<ButtonChoice> MenuChoice(const LanguageTable& language,
                                       const ButtonMenuEntry& entry) {
    if (entry.Opens != MenuOpens::Nothing)
        return std::nullopt;
    return ButtonChoice{language.Text(entry.NameEntry), entry.Value};
}

std::optional<ButtonChoice> DpiLockChoice(const LanguageTable& language, int entry) {
    if (entry < 1 || entry > static_cast<int>(kDpiLockList.size()))
        return std::nullopt;
    const DpiLockEntry& lock = kDpiLockList[entry - 1];
    std::u16string name = language.Text(kTextDpiLock);
    name += u'-';
    name += lock.Label;
    return ButtonChoice{std::move(name), lock.Value};
}

std::optional<ButtonChoice> FireKeyChoice(const LanguageTable& language, int first, int second) {
    if (first < kFireKeyFirstMin || first > 255 || second < 0 || second > 255)
        return std::nullopt;
    return ButtonChoice{
        language.Text(kTextFireKey),
        {kCategoryFireKey, static_cast<uint8_t>(first), static_cast<uint8_t>(second)}};
}

ButtonChoice MacroChoice(const LanguageTable& language,
                         std::optional<std::u16string_view> item_name) {
    if (!item_name)
        return {language.Text(kTextNoFunction), kNoFunction};
    std::u16string name = language.Text(kTextMacro);
    name += *item_name;
    return {std::move(name), {kCategoryMacro, 0, 0}};
}

bool IsIgnoredCombinationKey(uint8_t code) {
    return code == 91 || code == 92 || (code >= 160 && code <= 165);
}

std::optional<ButtonChoice> EncodeKeyCombination(std::optional<uint8_t> code, KeyModifiers ticks,
                                                 bool no_modifier) {
    if (code && IsIgnoredCombinationKey(*code))
        code.reset();

    ButtonChoice choice;
    choice.Value = {kCategoryKey, 0, code ? KeyUsageOf(*code) : uint8_t{0}};
    if (!no_modifier) {
        struct Modifier {
            bool ticked;
            std::u16string_view text;
            uint8_t bit;
        };
        const Modifier modifiers[] = {{ticks.Ctrl, u"Ctrl+", kModifierCtrl},
                                      {ticks.Shift, u"Shift+", kModifierShift},
                                      {ticks.Alt, u"Alt+", kModifierAlt},
                                      {ticks.Win, u"Win+", kModifierWin}};
        for (const Modifier& m : modifiers) {
            if (m.ticked) {
                choice.Name += m.text;
                choice.Value[1] |= m.bit;
            }
        }
    }
    if (code)
        choice.Name += KeyNameOf(*code);
    else if (!choice.Name.empty())
        choice.Name.pop_back();  // the "+" of the last modifier
    if (choice.Name.empty())
        return std::nullopt;
    return choice;
}

bool KeyCombinationCapture::Press(uint8_t code) {
    if (IsIgnoredCombinationKey(code))
        return false;
    code_ = code;
    return true;
}

std::u16string_view KeyCombinationCapture::KeyText() const {
    return code_ ? KeyNameOf(*code_) : std::u16string_view{};
}

uint8_t KeyCombinationCapture::Usage() const {
    return code_ ? KeyUsageOf(*code_) : 0;
}

}  // namespace velmaro
