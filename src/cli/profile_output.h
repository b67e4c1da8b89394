// `velmaroctl show`: a profile as JSON (the record's own field names) and as
// text for people.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "macro/macro_record.h"
#include "model/profile_record.h"
#include "model/sensor_tables.h"

namespace velmaro::cli {

using Json = nlohmann::ordered_json;

// One action as the action list shows it: {"text", "icon", "bytes"}, icon
// "clock", "press" or "release", bytes as eight hexadecimal digits.
Json MacroActionJson(const MacroAction& action);
// The used actions of a macro.
Json MacroActionsJson(const MacroRecord& macro);

// Every field of the record under its own name, with "Slot" first and the
// DPI of each level for `sensor` last ("DPI").
Json ProfileJson(const ProfileRecord& record, int slot, const SensorTables& sensor);

// The settings a person looks at, one per line.
std::string ProfileText(const ProfileRecord& record, int slot, bool current,
                        const SensorTables& sensor);

}  // namespace velmaro::cli
