// What velmaroctl's own help says about its command line: the commands,
// their options and arguments, and the keys of `set` with the words their
// values take. Read from the tool's help texts so that the completions made
// from it follow the tool.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace completion {

struct Option {
    std::vector<std::string> Names;  // "-h", "--help"
    bool TakesValue = false;
    bool ValueOptional = false;  // --simulate[=OPTIONS]
    std::string ValueName;       // DIR, FILE, OPTIONS, TEXT
    std::string Help;
};

enum class ArgKind { Slot, File, SetPair, Other };

struct Argument {
    std::string Name;
    ArgKind Kind = ArgKind::Other;
    bool Repeats = false;  // KEY=VALUE...
};

struct Command {
    std::string Name;
    std::string Help;
    std::vector<Option> Options;  // without -h/--help
    std::vector<Argument> Arguments;
};

struct SetKey {
    std::string Key;                 // "dpi.3.enabled"
    std::vector<std::string> Words;  // the values it takes, when they can be listed
};

struct HelpModel {
    std::vector<Option> GlobalOptions;
    std::vector<Command> Commands;
    std::vector<SetKey> SetKeys;
    std::vector<std::string> Slots;
    std::vector<std::string> SimulateWords;  // the words --simulate= takes
};

// Runs the tool with arguments and returns what it printed; throws on failure.
using HelpReader = std::function<std::string(const std::string& args)>;

// Builds the model from the tool's help; throws std::runtime_error naming the
// part of the help it could not read.
HelpModel ReadHelp(const HelpReader& read);

}  // namespace completion
