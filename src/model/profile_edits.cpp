#include "model/profile_edits.h"

#include <array>
#include <bit>

#include "model/text.h"

namespace velmaro {

namespace {

EditResult Accepted(DirtyGroup group) {
    return {EditRefusal::None, group, 0};
}

EditResult Refused(EditRefusal why, uint16_t message = 0) {
    return {why, {}, message};
}

// Checks a DPI level index for the page's editable levels.
EditRefusal CheckShownLevel(int level) {
    if (level < 0 || level >= kDpiLevels)
        return EditRefusal::OutOfRange;
    if (level >= kShownDpiLevels)
        return EditRefusal::NotOffered;
    return EditRefusal::None;
}

constexpr uint32_t kMaxColor = 0xFFFFFF;

// The lighting mode the page edits, or none when the stored mode is unusable.
std::optional<int> CurrentLightingMode(const ProfileRecord& record) {
    const int mode = record.Lighting1ModeValue[0];
    if (mode >= kLightingModes)
        return std::nullopt;
    return mode;
}

// Checks a colour slot against the current mode; sets `mode` when usable.
EditRefusal CheckColorSlot(const ProfileRecord& record, int slot, int& mode) {
    const auto current = CurrentLightingMode(record);
    if (!current)
        return EditRefusal::CurrentModeInvalid;
    mode = *current;
    if (slot < 0 || slot >= kLightingColors)
        return EditRefusal::OutOfRange;
    if (slot >= LightingColorSlotsShown(mode))
        return EditRefusal::NotOffered;
    return EditRefusal::None;
}

constexpr KeyValue kLeftClick{kCategoryMouseButton, kMouseLeft, 0};
constexpr uint16_t kTextLeftClick = 20;

bool IsLeftClick(const KeyValue& value) {
    return value[0] == kCategoryMouseButton && value[1] == kMouseLeft;
}

bool IsButton(int button) {
    return button >= 0 && button < kButtonCount;
}

}  // namespace

// ---- Report rate, lift-off, debounce, power -------------------------------

EditResult EditReportRate(ProfileRecord& record, int hz) {
    static constexpr std::array<int, 4> kRates = {125, 250, 500, 1000};
    for (size_t i = 0; i < kRates.size(); ++i) {
        if (kRates[i] == hz) {
            SetPollingRate(record, static_cast<int>(i));
            return Accepted(DirtyGroup::Main);
        }
    }
    return Refused(EditRefusal::OutOfRange);
}

EditResult EditLiftOff(ProfileRecord& record, const SensorTables& sensor, int height) {
    if (sensor.ExtendedSensorFlag != 1)
        return Refused(EditRefusal::NotOffered);
    if (height != 1 && height != 2)
        return Refused(EditRefusal::OutOfRange);
    record.Setting(kLiftDetectionHeight) = height == 1 ? u"1" : u"2";
    return Accepted(DirtyGroup::Main);
}

EditResult EditDebounce(ProfileRecord& record, int ms) {
    if (ms < 0 || ms > 30 || ms % 2 != 0)
        return Refused(EditRefusal::OutOfRange);
    record.Setting(kKeyDebounce) = FormatDecimal(ms);
    return Accepted(DirtyGroup::Main);
}

EditResult EditSleepTime(ProfileRecord& record, int minutes) {
    if (minutes < 3 || minutes > 10)
        return Refused(EditRefusal::OutOfRange);
    SetPowerDownTime(record, minutes);
    return Accepted(DirtyGroup::Power);
}

EditResult EditMoveLighting(ProfileRecord& record, bool on) {
    SetMoveLightingOnOff(record, on ? 1 : 0);
    return Accepted(DirtyGroup::Power);
}

EditResult EditMotionWakeup(ProfileRecord& record, bool on) {
    SetMotionWakeup(record, on ? 1 : 0);
    return Accepted(DirtyGroup::Wakeup);
}

// ---- DPI levels ------------------------------------------------------------

int AbsoluteDpiLevel(uint8_t mask, int ordinal) {
    const int enabled = std::popcount(mask);
    if (enabled == 0 || ordinal < 0)
        return -1;
    int wanted = ordinal % enabled;
    for (int level = 0; level < kDpiLevels; ++level) {
        if ((mask >> level) & 1) {
            if (wanted == 0)
                return level;
            --wanted;
        }
    }
    return -1;  // not reached: `wanted` is below the number of set bits
}

int DpiLevelOrdinal(uint8_t mask, int level) {
    if (level < 0 || level >= kDpiLevels || ((mask >> level) & 1) == 0)
        return -1;
    return std::popcount(static_cast<uint8_t>(mask & ((1u << level) - 1)));
}

EditResult EditDpiLevelEnabled(ProfileRecord& record, int level, bool on) {
    if (const EditRefusal why = CheckShownLevel(level); why != EditRefusal::None)
        return Refused(why);
    const uint8_t mask = record.DPIOffOnFlagValue;
    const uint8_t bit = static_cast<uint8_t>(1u << level);
    if (((mask & bit) != 0) == on)
        return Accepted(DirtyGroup::Main);
    if (!on && mask == bit)
        return Refused(EditRefusal::LastEnabledLevel);

    // A stored ordinal past the enabled count wraps round; take it at its
    // wrapped value so that the level it designates is the one kept.
    int ordinal = record.CurrentDPILevelValue;
    if (const int enabled = std::popcount(mask); enabled > 0)
        ordinal %= enabled;
    const int current = AbsoluteDpiLevel(mask, ordinal);
    if (on) {
        if (current > level)
            ++ordinal;
    } else if (current == level && ordinal > 0) {
        --ordinal;
    } else if (current > level) {
        --ordinal;
    }
    record.DPIOffOnFlagValue = static_cast<uint8_t>(mask ^ bit);
    record.CurrentDPILevelValue = static_cast<uint8_t>(ordinal);
    return Accepted(DirtyGroup::Main);
}

EditResult EditDpiLevelStep(ProfileRecord& record, const SensorTables& sensor, int level,
                            int step) {
    if (const EditRefusal why = CheckShownLevel(level); why != EditRefusal::None)
        return Refused(why);
    if (sensor.StepCount == 0)
        return Refused(EditRefusal::NoStepTable);
    if (step < 0 || static_cast<uint32_t>(step) >= sensor.StepCount)
        return Refused(EditRefusal::OutOfRange);
    record.XYSettingValue[level] = static_cast<uint16_t>(step);
    return Accepted(DirtyGroup::Main);
}

uint32_t StepForTypedDpi(const SensorTables& sensor, int32_t dpi) {
    if (sensor.StepCount == 0)
        return 0;
    const uint32_t last = sensor.StepCount - 1;
    for (uint32_t i = 0; i < last; ++i) {
        if (int64_t{dpi} <= int64_t{sensor.StepValues[i]} * 50)
            return i;
    }
    return last;
}

EditResult EditDpiLevelDpi(ProfileRecord& record, const SensorTables& sensor, int level,
                           int32_t dpi) {
    if (const EditRefusal why = CheckShownLevel(level); why != EditRefusal::None)
        return Refused(why);
    if (sensor.StepCount == 0)
        return Refused(EditRefusal::NoStepTable);
    record.XYSettingValue[level] = static_cast<uint16_t>(StepForTypedDpi(sensor, dpi));
    return Accepted(DirtyGroup::Main);
}

EditResult EditDpiLevelColor(ProfileRecord& record, int level, uint32_t color) {
    if (const EditRefusal why = CheckShownLevel(level); why != EditRefusal::None)
        return Refused(why);
    if (color > kMaxColor)
        return Refused(EditRefusal::OutOfRange);
    record.DPILevelIndication[level] = color;
    return Accepted(DirtyGroup::Main);
}

EditResult EditCurrentDpiLevel(ProfileRecord& record, int ordinal) {
    if (ordinal < 0 || ordinal >= std::popcount(record.DPIOffOnFlagValue))
        return Refused(EditRefusal::OutOfRange);
    record.CurrentDPILevelValue = static_cast<uint8_t>(ordinal);
    return Accepted(DirtyGroup::Main);
}

// ---- Lighting --------------------------------------------------------------

bool IsOfferedLightingMode(int mode) {
    return mode >= 0 && mode < kLightingModes && mode != 6 && mode != 7;
}

int LightingColorSlotsShown(int mode) {
    switch (mode) {
        case 2:
            return 7;
        case 3:
            return 1;
        case 6:
            return 8;
        case 7:
            return 2;
        default:
            return 0;
    }
}

bool LightingShowsSpeed(int mode) {
    return mode >= 0 && mode < kLightingModes && mode != 0 && mode != 3 && mode != 6;
}

bool LightingShowsBrightness(int mode) {
    return mode == 3;
}

bool LightingShowsDirection(int mode) {
    return mode == 1;
}

int LightingSpeedShown(uint8_t stored) {
    return stored + 1;
}

int LightingBrightnessPercent(uint8_t stored) {
    return (stored % kLightingBrightnessSteps + 1) * 25;
}

EditResult EditLightingMode(ProfileRecord& record, const LanguageTable& language, int mode) {
    if (mode < 0 || mode >= kLightingModes)
        return Refused(EditRefusal::OutOfRange);
    if (!IsOfferedLightingMode(mode))
        return Refused(EditRefusal::NotOffered);
    record.Lighting1Name = language.Text(LightingModeNameEntry(mode));
    record.Lighting1ModeValue = {static_cast<uint8_t>(mode), 0, 0};
    return Accepted(DirtyGroup::Main);
}

EditResult EditLightingSpeed(ProfileRecord& record, int shown_speed) {
    const auto mode = CurrentLightingMode(record);
    if (!mode)
        return Refused(EditRefusal::CurrentModeInvalid);
    if (!LightingShowsSpeed(*mode))
        return Refused(EditRefusal::NotOffered);
    if (shown_speed < 1 || shown_speed > kLightingSpeedSteps)
        return Refused(EditRefusal::OutOfRange);
    record.Lighting1Speed[static_cast<size_t>(*mode)] = static_cast<uint8_t>(shown_speed - 1);
    return Accepted(DirtyGroup::Main);
}

EditResult EditLightingBrightness(ProfileRecord& record, int percent) {
    const auto mode = CurrentLightingMode(record);
    if (!mode)
        return Refused(EditRefusal::CurrentModeInvalid);
    if (!LightingShowsBrightness(*mode))
        return Refused(EditRefusal::NotOffered);
    if (percent < 25 || percent > 100 || percent % 25 != 0)
        return Refused(EditRefusal::OutOfRange);
    record.Lighting1Brightness[static_cast<size_t>(*mode)] = static_cast<uint8_t>(percent / 25 - 1);
    return Accepted(DirtyGroup::Main);
}

EditResult EditLightingDirection(ProfileRecord& record, bool up) {
    const auto mode = CurrentLightingMode(record);
    if (!mode)
        return Refused(EditRefusal::CurrentModeInvalid);
    if (!LightingShowsDirection(*mode))
        return Refused(EditRefusal::NotOffered);
    record.Lighting1Direction[static_cast<size_t>(*mode)] = up ? 1 : 0;
    return Accepted(DirtyGroup::Main);
}

EditResult EditLightingColor(ProfileRecord& record, int slot, uint32_t color) {
    int mode = 0;
    if (const EditRefusal why = CheckColorSlot(record, slot, mode); why != EditRefusal::None)
        return Refused(why);
    if (color > kMaxColor)
        return Refused(EditRefusal::OutOfRange);
    record.Lighting1FixedColor[static_cast<size_t>(mode)][static_cast<size_t>(slot)] = color;
    return Accepted(DirtyGroup::Main);
}

EditResult EditLightingColorSelected(ProfileRecord& record, int slot, bool on) {
    int mode = 0;
    if (const EditRefusal why = CheckColorSlot(record, slot, mode); why != EditRefusal::None)
        return Refused(why);
    auto& selected = record.Lighting1ColorSelected[static_cast<size_t>(mode)];
    uint8_t& flag = selected[static_cast<size_t>(slot)];
    if ((flag != 0) == on)
        return Accepted(DirtyGroup::Main);
    if (!on) {
        const int shown = LightingColorSlotsShown(mode);
        int count = 0;
        for (int i = 0; i < shown; ++i)
            count += selected[static_cast<size_t>(i)] != 0 ? 1 : 0;
        // Mode 3 has one colour, modes 2 and 7 need one, mode 6 needs two.
        // "No more than" rather than "exactly" so that a profile already below
        // the minimum cannot drop further.
        const bool needed =
            mode == 3 || ((mode == 2 || mode == 7) && count <= 1) || (mode == 6 && count <= 2);
        if (needed) {
            return Refused(EditRefusal::ColorRequired,
                           mode == 6 ? kMessageColorsRequired : kMessageColorRequired);
        }
    }
    flag = on ? 1 : 0;
    return Accepted(DirtyGroup::Main);
}

EditResult ToggleLightingColorSelected(ProfileRecord& record, int slot) {
    int mode = 0;
    if (const EditRefusal why = CheckColorSlot(record, slot, mode); why != EditRefusal::None)
        return Refused(why);
    const bool on =
        record.Lighting1ColorSelected[static_cast<size_t>(mode)][static_cast<size_t>(slot)] != 0;
    return EditLightingColorSelected(record, slot, !on);
}

// ---- Button functions --------------------------------------------------------

int CountLeftClickButtons(const ProfileRecord& record) {
    int count = 0;
    for (const KeyRecord& key : record.Keys)
        count += IsLeftClick(key.Value) ? 1 : 0;
    return count;
}

EditResult AssignChoice(ProfileRecord& record, const LanguageTable& language, int button,
                        const ButtonChoice& choice, const MacroRecord* macro) {
    if (!IsButton(button))
        return Refused(EditRefusal::NoSuchButton);
    const int control = kFirstButtonControl + button;
    const bool others_keep_left =
        CountLeftClickButtons(record) - (IsLeftClick(record.Keys[button].Value) ? 1 : 0) > 0;
    if (others_keep_left || IsLeftClick(choice.Value)) {
        AssignButton(record, control, choice.Name, choice.Value, macro);
        return Accepted(DirtyGroup::Buttons);
    }
    // The button takes the left click. Usually it held it already and the
    // mouse has nothing new to hear; a profile that had no left click at all
    // must still send it, or the mouse and the profile disagree.
    const bool changed = record.Keys[button].Value != kLeftClick;
    AssignButton(record, control, language.Text(kTextLeftClick), kLeftClick, nullptr);
    EditResult result = Refused(EditRefusal::LeftClickRequired, kMessageLeftClickRequired);
    if (changed)
        result.Dirty = DirtyGroup::Buttons;
    return result;
}

EditResult AssignMenuEntry(ProfileRecord& record, const LanguageTable& language, int button,
                           int entry) {
    if (!IsButton(button))
        return Refused(EditRefusal::NoSuchButton);
    if (entry < 1 || entry > static_cast<int>(kButtonFunctionMenu.size()))
        return Refused(EditRefusal::OutOfRange);
    const auto choice = MenuChoice(language, kButtonFunctionMenu[static_cast<size_t>(entry - 1)]);
    if (!choice)
        return Refused(EditRefusal::NotDirectChoice);
    return AssignChoice(record, language, button, *choice, nullptr);
}

namespace {

template <size_t N>
std::optional<ButtonChoice> FixedListChoice(const LanguageTable& language,
                                            const std::array<FixedFunction, N>& list, int entry) {
    if (entry < 1 || entry > static_cast<int>(N))
        return std::nullopt;
    return FixedChoice(language, list[static_cast<size_t>(entry - 1)]);
}

}  // namespace

EditResult AssignListEntry(ProfileRecord& record, const LanguageTable& language, int button,
                           FunctionList list, int entry) {
    if (!IsButton(button))
        return Refused(EditRefusal::NoSuchButton);
    std::optional<ButtonChoice> choice;
    switch (list) {
        case FunctionList::Dpi:
            choice = FixedListChoice(language, kDpiFunctionList, entry);
            break;
        case FunctionList::DpiLock:
            choice = DpiLockChoice(language, entry);
            break;
        case FunctionList::Multimedia:
            choice = FixedListChoice(language, kMultimediaList, entry);
            break;
        case FunctionList::Office:
            choice = FixedListChoice(language, kOfficeList, entry);
            break;
        case FunctionList::Windows:
            choice = FixedListChoice(language, kWindowsList, entry);
            break;
    }
    if (!choice)
        return Refused(EditRefusal::OutOfRange);
    return AssignChoice(record, language, button, *choice, nullptr);
}

EditResult AssignFireKey(ProfileRecord& record, const LanguageTable& language, int button,
                         int first, int second) {
    if (!IsButton(button))
        return Refused(EditRefusal::NoSuchButton);
    if (first < kFireKeyFirstMin || first > 255)
        return Refused(EditRefusal::FireKeyFirstNumber, kMessageFireKeyFirst);
    if (second < 0 || second > 255)
        return Refused(EditRefusal::FireKeySecondNumber, kMessageFireKeySecond);
    const auto choice = FireKeyChoice(language, first, second);
    if (!choice)  // not reached: the numbers were checked above
        return Refused(EditRefusal::OutOfRange);
    return AssignChoice(record, language, button, *choice, nullptr);
}

EditResult AssignKeyCombination(ProfileRecord& record, const LanguageTable& language, int button,
                                std::optional<uint8_t> code, KeyModifiers ticks, bool no_modifier) {
    if (!IsButton(button))
        return Refused(EditRefusal::NoSuchButton);
    const auto choice = EncodeKeyCombination(code, ticks, no_modifier);
    if (!choice)
        return Refused(EditRefusal::EmptyKeyCombination);
    return AssignChoice(record, language, button, *choice, nullptr);
}

EditResult AssignMacro(ProfileRecord& record, const LanguageTable& language, int button,
                       const MacroRecord* macro, std::u16string_view item_name) {
    if (macro == nullptr)
        return AssignChoice(record, language, button, MacroChoice(language, std::nullopt), nullptr);
    if (!macro->FitsMouse())
        return {EditRefusal::MacroTooLong, {}, kMessageMacroTooLong};
    return AssignChoice(record, language, button, MacroChoice(language, item_name), macro);
}

}  // namespace velmaro
