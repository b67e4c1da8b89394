// `velmaroctl set KEY=VALUE ...`: the table of keys, each mapped to the page
// action that makes the same change, with the page's refusals.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_library.h"
#include "model/language_table.h"
#include "model/profile_edits.h"
#include "model/profile_record.h"
#include "model/sensor_tables.h"

namespace velmaro::cli {

// What the pairs may look at besides the profile they change.
struct SetEnvironment {
    const LanguageTable& Language;
    const SensorTables& Sensor;
    const MacroLibrary& Library;
};

struct SetOutcome {
    bool Ok = true;
    // The writer groups the changes touched.
    DirtyGroups Dirty;
    // When not Ok: "KEY=VALUE: what is wrong".
    std::string Error;
    // "key=value" in the words show prints, for each pair that changed the
    // profile, as it now holds.
    std::vector<std::string> Changed;
    // A value that was taken as another: "dpi.0=450 -> 500".
    std::vector<std::string> Adjusted;
};

// One "KEY=VALUE" onto the record. On failure the record may be half
// changed; ApplySetPairs keeps it whole.
SetOutcome ApplySetPair(ProfileRecord& record, const SetEnvironment& env, std::string_view pair);

// Every pair in the order given, each seeing the ones before it. The record
// changes only when every pair is accepted; the first bad one is reported.
SetOutcome ApplySetPairs(ProfileRecord& record, const SetEnvironment& env,
                         std::span<const std::string> pairs);

// The value `key` (such as "dpi.2.color") has in the record, in the words
// set takes; none for an unknown key or a value no word gives.
std::optional<std::string> SetValueWord(const ProfileRecord& record, const SetEnvironment& env,
                                        std::string_view key);

// One line per key with the values it takes, for `set --help`.
std::string SetKeysHelp();

}  // namespace velmaro::cli
