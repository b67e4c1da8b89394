// `velmaroctl show`: a profile as JSON in the documented schema, as the set
// pairs that make it, and (--raw) as the record's own fields.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "cli/set_pairs.h"
#include "model/macro_record.h"
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
Json RawProfileJson(const ProfileRecord& record, int slot, const SensorTables& sensor);

// The profile in the values set takes (schema 1, the manual page's JSON OUTPUT).
Json ProfileJson(const ProfileRecord& record, int slot, bool current, const SetEnvironment& env);

// A header naming the profile, then its set pairs with comments; the
// settings kept for other lighting modes only where they are not the
// defaults.
std::string ProfileText(const ProfileRecord& record, int slot, bool current,
                        const SetEnvironment& env, const ProfileRecord& defaults);

}  // namespace velmaro::cli
