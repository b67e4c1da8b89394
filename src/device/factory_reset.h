// The factory reset, once the user has confirmed it: the mouse restores its
// own defaults and the current profile goes back to the program's defaults,
// so that both agree again. The owner then takes the mouse to hold the
// default profile (RebuildLastSent), refreshes the pages and shows progress.
#pragma once

#include <string>

#include "device/command_channel.h"
#include "device/feature_report.h"
#include "model/program_state.h"
#include "storage/file_system.h"

namespace velmaro {

struct FactoryResetResult {
    // A command interface was open, so the report was handed to it.
    bool HadInterface = false;
    // The report went out without an error (the result changes nothing).
    bool Sent = false;
    // The current slot's file holds the reset profile.
    bool ProfileWritten = false;
    std::string ProfilePath;
};

// Sends CMD_FACTORY_RESET on the cable's command interface, else the
// receiver's, with no pause after it; then resets the current profile to its
// slot's defaults keeping its ProfileName and writes it to its slot file.
// Without a mouse the profile is reset all the same.
FactoryResetResult ResetMouseAndCurrentProfile(ProgramState& state, FileSystem& fs,
                                               CommandChannel& channel, RequestBuilder& requests);

}  // namespace velmaro
