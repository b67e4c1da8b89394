// The commands of velmaroctl, one small function each. Every one runs on a
// started session and returns its exit status; the caller then finishes the
// session (the save at exit).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/session.h"
#include "macro/macro_library.h"

namespace velmaro::cli {

// What a command needs besides the session.
struct CommandContext {
    Session& Run;
    const Console& Out;
    bool Json = false;
    // With --json: what a command that only reports prints (schema 1).
    // Commands that change things leave it null and fill Changed instead.
    nlohmann::ordered_json Result{};
    // What the command changed, as "key=value" words or the thing's name.
    std::vector<std::string> Changed{};
    // Values taken as another ("dpi.0=450 -> 500").
    std::vector<std::string> Adjusted{};
};

// How show prints a profile: its set pairs with comments (text), only the
// pairs (--as-set), or the record's own fields as JSON (--raw).
enum class ShowForm { Text, AsSet, Raw };

int RunDevices(CommandContext& c);
int RunStatus(CommandContext& c);
int RunPush(CommandContext& c);
int RunSwitch(CommandContext& c, int slot);
int RunSet(CommandContext& c, const std::vector<std::string>& pairs);
int RunShow(CommandContext& c, std::optional<int> slot, ShowForm form = ShowForm::Text);
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
