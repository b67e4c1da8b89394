// What the profile edit tests share: a numbered language table (entry n
// reads "T<n>"), the default sensor's tables and a profile at its defaults.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "model/profile_edits.h"
#include "model/text.h"

namespace velmaro {

// Readable failures; found by the printer through the type's namespace.
inline void PrintTo(const EditResult& r, std::ostream* os) {
    *os << "{refusal " << static_cast<int>(r.Refusal) << ", dirty " << int{r.Dirty.Bits()}
        << ", message " << r.Message << "}";
}

namespace edits_test {

// Entry n of the language reads "T<n>", so a name shows where it came from.
inline LanguageTable NumberedLanguage() {
    LanguageTable language;
    for (size_t n = 0; n < language.Entries.size(); ++n)
        language.Entries[n] = u"T" + FormatDecimal(static_cast<int64_t>(n));
    return language;
}

inline std::u16string T(int n) {
    return u"T" + FormatDecimal(n);
}

inline SensorTables Tables(uint16_t sensor_id) {
    SensorTables tables;
    tables.SensorId = sensor_id;
    tables.BuildDpiTables();
    return tables;
}

inline const DirtyGroups kMain{DirtyGroup::Main};
inline const DirtyGroups kButtons{DirtyGroup::Buttons};
inline const DirtyGroups kPower{DirtyGroup::Power};
inline const DirtyGroups kWakeup{DirtyGroup::Wakeup};

inline EditResult Ok(DirtyGroups dirty) {
    return {EditRefusal::None, dirty, 0};
}
inline EditResult No(EditRefusal why, uint16_t message = 0, DirtyGroups dirty = {}) {
    return {why, dirty, message};
}

// A profile at its defaults on the default sensor; every refusal must leave
// it exactly as it was.
class ProfileEditsTest : public ::testing::Test {
  protected:
    ProfileEditsTest() {
        ResetProfileDefaults(record, 0, language, kDefaultSensorId);
        before = record;
    }
    void ExpectUnchanged() const { EXPECT_TRUE(record == before); }

    LanguageTable language = NumberedLanguage();
    SensorTables sensor = Tables(kDefaultSensorId);
    ProfileRecord record;
    ProfileRecord before;
};

}  // namespace edits_test
}  // namespace velmaro
