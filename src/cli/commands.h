// The commands of velmaroctl, one small function each. Every one runs on a
// started session and returns its exit status; the caller then finishes the
// session (the save at exit).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/session.h"
#include "macro/macro_library.h"

namespace velmaro::cli {

// What a command needs besides the session.
struct CommandContext {
    Session& Run;
    const Console& Out;
    bool Json = false;
};

int RunDevices(CommandContext& c);
int RunStatus(CommandContext& c);
int RunPush(CommandContext& c);
int RunSwitch(CommandContext& c, int slot);
int RunSet(CommandContext& c, const std::vector<std::string>& pairs);
int RunShow(CommandContext& c, std::optional<int> slot);
int RunExport(CommandContext& c, int slot, const std::string& file);
int RunImport(CommandContext& c, int slot, const std::string& file);
int RunReset(CommandContext& c, bool confirmed);
int RunMacros(CommandContext& c);
int RunMacroExport(CommandContext& c, const std::string& file, const std::string& select);
int RunMacroImport(CommandContext& c, const std::string& file, const std::string& select,
                   bool single);

// "STAGE,I0,I1,I2" as --select takes it; none when it is not four numbers.
std::optional<MacroItemLocation> ParseSelect(std::string_view text);

// Whether a command's own work is writing files, so that a save at exit that
// did not land is its failure (exit 3) rather than a note.
bool CommandOwnsSave(std::string_view command);

}  // namespace velmaro::cli
