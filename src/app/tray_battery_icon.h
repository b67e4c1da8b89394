// The notification-area icon as the battery of the wireless mouse shows it:
// the program's own icon with a small battery in its lower right corner,
// filled in one of five steps and coloured as the power area's legend
// (green, orange, red), with a bolt while the mouse charges or is full on
// its charger. On the cable, or without a mouse, the plain icon. Each size a
// host asks for is drawn anew from the icon's own pixels at that size, so
// the badge's edges stay on whole pixels.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>
#include <cstdint>

#include "model/language_table.h"

namespace velmaro {

struct TrayBatteryState {
    bool Shown = false;  // false: the plain icon
    int Steps = 0;       // filled steps, 0..4
    int Colour = 0;      // 0 high (green), 1 medium (orange), 2 low (red)
    bool Bolt = false;   // charging, or full on the charger

    friend bool operator==(const TrayBatteryState&, const TrayBatteryState&) = default;
};

// The state for what the status answer said: `wireless` when the mouse is
// reached through its receiver only; `chargeState` 0 on battery, 1 charging,
// 2 full.
TrayBatteryState TrayBatteryStateFor(bool wireless, uint8_t level, int chargeState);

// The sizes the icon carries (the usual panel sizes and their doubles).
inline constexpr int kTrayIconSizes[] = {16, 22, 24, 32, 44, 48, 64, 128};

// The icon drawn at size x size from `base` (the program's icon).
QImage DrawTrayIcon(const QIcon& base, const TrayBatteryState& state, int size);
// Every size of kTrayIconSizes.
QIcon TrayIconFor(const QIcon& base, const TrayBatteryState& state);

// The tip: the mouse's name, and on the wireless mouse a second line with
// the percentage and the charge state, from the language table.
QString TrayToolTip(const LanguageTable& language, bool wireless, uint8_t level, int chargeState);

// Language table entries of the notification area.
inline constexpr int kTextStartAtLogin = 300;
inline constexpr int kTextBatteryLine = 301;  // "Battery %1%, %2"
inline constexpr int kTextOnBattery = 302;
inline constexpr int kTextCharging = 303;
inline constexpr int kTextCharged = 304;

// Entry n of the table; a language file from an older version that lacks it
// reads as the English text, so no menu entry is ever blank.
QString TrayText(const LanguageTable& language, int entry);

}  // namespace velmaro
