// The rules for changing the current profile, one function per user action.
// The desktop pages and velmaroctl both go through these, so a choice is
// accepted, refused or corrected the same way whichever of them made it.
//
// Every function changes the record only when it accepts (the left-click rule
// is the one exception, see AssignChoice) and tells the caller which setting
// groups to mark for the settings writer; the caller then (re)starts the
// 20 ms apply timer. A refusal carries a reason and, where the page shows the
// attention dialog (always titled kAttentionTitle), the LanguageTable entry
// of its message.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/button_functions.h"
#include "model/language_table.h"
#include "model/macro_record.h"
#include "model/profile_record.h"
#include "model/sensor_tables.h"

namespace velmaro {

// The setting groups of the settings writer.
enum class DirtyGroup : uint8_t {
    Buttons = 0x01,  // button functions
    Main = 0x02,     // DPI levels and colours, report rate, lift-off, debounce, lighting
    Power = 0x04,    // sleep time and move-lighting
    Wakeup = 0x08,   // motion wake-up
};

class DirtyGroups {
  public:
    constexpr DirtyGroups() = default;
    constexpr DirtyGroups(DirtyGroup group) : bits_(static_cast<uint8_t>(group)) {}

    constexpr bool Has(DirtyGroup group) const {
        return (bits_ & static_cast<uint8_t>(group)) != 0;
    }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr uint8_t Bits() const { return bits_; }

    constexpr DirtyGroups& operator|=(DirtyGroups other) {
        bits_ |= other.bits_;
        return *this;
    }
    friend constexpr DirtyGroups operator|(DirtyGroups a, DirtyGroups b) { return a |= b; }
    friend constexpr bool operator==(DirtyGroups, DirtyGroups) = default;

  private:
    uint8_t bits_ = 0;
};

enum class EditRefusal : uint8_t {
    None,                 // accepted
    NoSuchButton,         // button index outside 0..5
    OutOfRange,           // a value the control cannot produce
    NotOffered,           // the page offers no control for this here (see each function)
    NotDirectChoice,      // a menu entry that opens a list or a dialog
    NoStepTable,          // the sensor is unknown, so there are no DPI steps
    LastEnabledLevel,     // the only enabled DPI level cannot be switched off
    CurrentModeInvalid,   // the profile's lighting mode is outside 0..9
    ColorRequired,        // the lighting mode needs this colour slot
    LeftClickRequired,    // no button would keep the left click; the button got it back
    FireKeyFirstNumber,   // first fire key number outside 5..255
    FireKeySecondNumber,  // second fire key number outside 0..255
    EmptyKeyCombination,  // no key and no modifier: nothing to store
    MacroTooLong,         // more key actions than the mouse can play
};

// LanguageTable entries of the attention dialog.
inline constexpr uint16_t kAttentionTitle = 150;
inline constexpr uint16_t kMessageLeftClickRequired = 151;
inline constexpr uint16_t kMessageColorRequired = 153;   // lighting modes 2, 3, 7
inline constexpr uint16_t kMessageColorsRequired = 154;  // lighting mode 6
inline constexpr uint16_t kMessageFireKeyFirst = 174;
inline constexpr uint16_t kMessageFireKeySecond = 176;
inline constexpr uint16_t kMessageMacroTooLong = 320;

struct EditResult {
    EditRefusal Refusal = EditRefusal::None;
    DirtyGroups Dirty;
    uint16_t Message = 0;  // LanguageTable entry for the attention dialog; 0 = none

    bool Accepted() const { return Refusal == EditRefusal::None; }
    friend bool operator==(const EditResult&, const EditResult&) = default;
};

// ---- Report rate, lift-off, debounce, power -------------------------------

// 125, 250, 500 or 1000 Hz. Main.
EditResult EditReportRate(ProfileRecord& record, int hz);

// Lift-off distance 1 or 2. Only sensors with the extended flag offer it
// (the section is hidden otherwise): NotOffered. Main.
EditResult EditLiftOff(ProfileRecord& record, const SensorTables& sensor, int height);

// Key debounce in milliseconds: an even number 0..30 (the slider's 16 steps
// of 2 ms). Main.
EditResult EditDebounce(ProfileRecord& record, int ms);

// Sleep time 3..10 minutes, the values of the sleep-time dial. Power.
EditResult EditSleepTime(ProfileRecord& record, int minutes);
// Lighting while moving. Power.
EditResult EditMoveLighting(ProfileRecord& record, bool on);
// Motion wake-up. Wakeup.
EditResult EditMotionWakeup(ProfileRecord& record, bool on);

// ---- DPI levels ------------------------------------------------------------

// The page shows levels 0..4; levels 5..7 keep their stored values.
inline constexpr int kShownDpiLevels = 5;

// The absolute level (0..7) that the current-level ordinal designates: the
// (ordinal + 1)-th enabled level counting upward and wrapping round. -1 when
// no level is enabled or the ordinal is negative.
int AbsoluteDpiLevel(uint8_t mask, int ordinal);
// The ordinal of an enabled level among the enabled levels; -1 when the level
// is not enabled.
int DpiLevelOrdinal(uint8_t mask, int level);

// Switches level 0..4 on or off. Switching off the only enabled level is
// refused (LastEnabledLevel, no message). The current level stays the same
// physical level where it can; when it is the one switched off it moves to
// the next lower enabled level, or the next higher one when there is none
// below. Main.
EditResult EditDpiLevelEnabled(ProfileRecord& record, int level, bool on);

// Step index of level 0..4, below the sensor's step count. Main.
EditResult EditDpiLevelStep(ProfileRecord& record, const SensorTables& sensor, int level, int step);

// The step the DPI value dialog picks for a typed value: the first step below
// the last whose DPI is at least `dpi`, else the last step. Text without a
// number reads as 0 and so picks step 0. 0 when there is no table.
uint32_t StepForTypedDpi(const SensorTables& sensor, int32_t dpi);

// Level 0..4 set from a typed DPI value by StepForTypedDpi. Main.
EditResult EditDpiLevelDpi(ProfileRecord& record, const SensorTables& sensor, int level,
                           int32_t dpi);

// Indicator colour 0x00BBGGRR of level 0..4. Main.
EditResult EditDpiLevelColor(ProfileRecord& record, int level, uint32_t color);

// The current level as an ordinal among the enabled levels:
// 0 .. (number of enabled levels - 1). Main.
EditResult EditCurrentDpiLevel(ProfileRecord& record, int ordinal);

// ---- Lighting --------------------------------------------------------------
// Everything but the mode acts on the profile's current mode, as the page does.

// The mode popup offers 0..5, 8 and 9; modes 6 and 7 are only ever shown.
bool IsOfferedLightingMode(int mode);
// Colour slots the page shows for a mode, from slot 0: 7 (mode 2), 1 (mode 3),
// 8 (mode 6), 2 (mode 7), none otherwise.
int LightingColorSlotsShown(int mode);
bool LightingShowsSpeed(int mode);       // all but modes 0, 3 and 6
bool LightingShowsBrightness(int mode);  // mode 3
bool LightingShowsDirection(int mode);   // mode 1

// The speed slider stores steps 0..2 and shows them as 1..3.
inline constexpr int kLightingSpeedSteps = 3;
// The brightness slider stores steps 0..3 and shows them as 25..100 %.
inline constexpr int kLightingBrightnessSteps = 4;
int LightingSpeedShown(uint8_t stored);
// The label the page shows for a stored brightness (step modulo 4).
int LightingBrightnessPercent(uint8_t stored);

// Chooses mode 0..9 from the mode popup; the mode's name becomes
// Lighting1Name. Modes 6 and 7 are NotOffered. Main.
EditResult EditLightingMode(ProfileRecord& record, const LanguageTable& language, int mode);

// Speed as the page shows it, 1..3 (stored as 0..2); not offered in modes
// 0, 3 and 6. Main.
EditResult EditLightingSpeed(ProfileRecord& record, int shown_speed);

// Brightness as the page shows it, 25, 50, 75 or 100 percent (stored as
// 0..3); offered in mode 3 only. Main.
EditResult EditLightingBrightness(ProfileRecord& record, int percent);

// Direction up (1) or down (0); offered in mode 1 only. Main.
EditResult EditLightingDirection(ProfileRecord& record, bool up);

// Colour 0x00BBGGRR of a slot the current mode shows. Main.
EditResult EditLightingColor(ProfileRecord& record, int slot, uint32_t color);

// Selects or deselects a slot the current mode shows. Deselecting is refused
// (ColorRequired) in mode 3, in modes 2 and 7 for the last selected slot, and
// in mode 6 while no more than two slots are selected; the message is 153
// (modes 2, 3, 7) or 154 (mode 6). Main.
EditResult EditLightingColorSelected(ProfileRecord& record, int slot, bool on);
// A click on the slot: the opposite of its current selection.
EditResult ToggleLightingColorSelected(ProfileRecord& record, int slot);

// ---- Button functions --------------------------------------------------------
// `button` is the Keys index 0..5 (assignment field 2013 + button).

// Buttons whose function is a plain left click (10 01 ..).
int CountLeftClickButtons(const ProfileRecord& record);

// Stores a choice on a button and applies the left-click rule: when no button
// would be left with the left click, the choice is refused
// (LeftClickRequired, message 151) and the button is given the left click
// (LanguageTable entry 20, 10 01 00) instead; it is dirty only when that
// changed its function. `macro` is copied only when the choice is stored.
// Accepted: Buttons.
EditResult AssignChoice(ProfileRecord& record, const LanguageTable& language, int button,
                        const ButtonChoice& choice, const MacroRecord* macro);

// A direct entry of the button-function menu, 1..16: entries 1..5, 8, 14 and
// 16. The others open a list or a dialog (NotDirectChoice).
EditResult AssignMenuEntry(ProfileRecord& record, const LanguageTable& language, int button,
                           int entry);

enum class FunctionList : uint8_t { Dpi, DpiLock, Multimedia, Office, Windows };

// Entry 1..n of one of the lists beside the menu (3, 11, 10, 9, 6 entries).
EditResult AssignListEntry(ProfileRecord& record, const LanguageTable& language, int button,
                           FunctionList list, int entry);

// The fire key dialog's OK: first number 5..255 (else message 174), second
// 0..255 (else message 176).
EditResult AssignFireKey(ProfileRecord& record, const LanguageTable& language, int button,
                         int first, int second);

// The key combination dialog's OK with the captured key (if any), the ticked
// modifiers and the no-modifier box. An empty combination stores nothing.
EditResult AssignKeyCombination(ProfileRecord& record, const LanguageTable& language, int button,
                                std::optional<uint8_t> code, KeyModifiers ticks, bool no_modifier);

// The macro selection: the chosen library macro and its item name, or no
// macro, which disables the button. A macro the mouse cannot take (more than
// kMaxCommandActions key actions) is refused: MacroTooLong.
EditResult AssignMacro(ProfileRecord& record, const LanguageTable& language, int button,
                       const MacroRecord* macro, std::u16string_view item_name);

}  // namespace velmaro
