// The mouse is plugged in but this user may not open it: the udev rule that
// gives the user at the seat access is not in place. What to tell the user
// instead of "no mouse", with the commands that put the rule in place.
#pragma once

#include <QString>

#include "device/device_link.h"
#include "model/language_table.h"

namespace velmaro {

inline constexpr char kUdevRuleName[] = "70-velmaro.rules";

// The scan saw an interface of the mouse and the system refused to open it.
bool MouseAccessDenied(const ScanReport& scan);

// The rule file to install: the first of the installed one (relative to the
// program's folder, `ruleFromBin`), the one of the configured prefix and the
// sources' packaging folder that exists; empty when none does.
QString FindUdevRule(const QString& executableDir, const QString& ruleFromBin,
                     const QString& configuredRule, const QString& sourceRule);

// The message with the exact commands, in the table's language; `ruleFile`
// empty names the rule only.
QString DeviceAccessText(const LanguageTable& language, const QString& ruleFile);

}  // namespace velmaro
