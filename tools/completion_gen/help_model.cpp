#include "help_model.h"

#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>

namespace completion {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The entry lines of a help section: those indented by exactly two spaces
// after the header, up to the next blank or unindented line. Wrapped
// continuation lines (indented further) are left out.
std::vector<std::string> Section(const std::vector<std::string>& lines, const std::string& header) {
    std::vector<std::string> entries;
    bool inside = false;
    for (const std::string& line : lines) {
        if (!inside) {
            inside = line.rfind(header, 0) == 0;
            continue;
        }
        if (line.empty() || line[0] != ' ') {
            break;
        }
        if (line.size() > 2 && line[1] == ' ' && line[2] != ' ') {
            entries.push_back(line.substr(2));
        }
    }
    return entries;
}

// "usage      help" split at the first run of two or more spaces.
std::pair<std::string, std::string> SplitEntry(const std::string& entry) {
    const std::size_t gap = entry.find("  ");
    if (gap == std::string::npos) {
        return {entry, ""};
    }
    const std::size_t help = entry.find_first_not_of(' ', gap);
    return {entry.substr(0, gap), help == std::string::npos ? "" : entry.substr(help)};
}

std::vector<std::string> Split(const std::string& text, char sep) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, sep)) {
        parts.push_back(part);
    }
    return parts;
}

std::vector<Option> ReadOptions(const std::vector<std::string>& lines, bool keepHelp) {
    std::vector<Option> options;
    for (const std::string& entry : Section(lines, "Options:")) {
        const auto [usage, help] = SplitEntry(entry);
        Option option;
        const std::size_t space = usage.find(' ');
        option.Names = Split(usage.substr(0, space), ',');
        if (space != std::string::npos) {
            std::string value = usage.substr(space + 1);
            option.TakesValue = true;
            if (value.rfind("[=", 0) == 0) {
                option.ValueOptional = true;
                value = value.substr(2, value.size() - 3);
            }
            option.ValueName = value;
        }
        option.Help = help;
        const bool isHelp = option.Names.size() == 2 && option.Names[1] == "--help";
        if (keepHelp || !isHelp) {
            options.push_back(option);
        }
    }
    return options;
}

std::vector<std::string> Range(int first, int last) {
    std::vector<std::string> words;
    for (int i = first; i <= last; ++i) {
        words.push_back(std::to_string(i));
    }
    return words;
}

// The values a key's help lists in full ("125, 250, 500 or 1000", "up or
// down", "1..3"), before any "; " remark; nothing when the help describes
// them instead.
std::vector<std::string> ListedWords(const std::string& full_help) {
    const std::string help = full_help.substr(0, full_help.find("; "));
    std::smatch m;
    if (std::regex_match(help, m, std::regex(R"((\d+)\.\.(\d+))"))) {
        const int first = std::stoi(m[1]), last = std::stoi(m[2]);
        return last - first <= 32 ? Range(first, last) : std::vector<std::string>{};
    }
    const std::regex sep(", | or ");
    std::vector<std::string> words;
    for (std::sregex_token_iterator it(help.begin(), help.end(), sep, -1), end; it != end; ++it) {
        if (!std::regex_match(it->str(), std::regex("[a-z0-9][a-z0-9-]*"))) {
            return {};
        }
        words.push_back(*it);
    }
    return words.size() >= 2 ? words : std::vector<std::string>{};
}

// The button-function words: the plain ones, "media:NAME  a, b" lists, and
// prefixes ("fire:") for those that take numbers or text.
std::vector<std::string> ButtonWords(const std::vector<std::string>& lines) {
    std::vector<std::string> words;
    std::set<std::string> seen;
    auto add = [&](const std::string& w) {
        if (seen.insert(w).second) {
            words.push_back(w);
        }
    };
    const std::regex named(R"(([a-z][a-z-]*):NAME\s+(.*))");
    const std::regex token(R"(([a-z][a-z-]*:)(\d+)?(\.\.)?)");
    for (const std::string& line : Section(lines, "Button functions:")) {
        std::smatch m;
        if (std::regex_match(line, m, named)) {
            for (const std::string& w : ListedWords(m[2])) {
                add(m[1].str() + ":" + w);
            }
            continue;
        }
        if (const std::vector<std::string> plain = ListedWords(line); !plain.empty()) {
            for (const std::string& w : plain) {
                add(w);
            }
            continue;
        }
        for (std::sregex_iterator it(line.begin(), line.end(), token), end; it != end; ++it) {
            const std::smatch& t = *it;
            const bool exact = t[2].matched && !t[3].matched;
            add(exact ? t[0].str() : t[1].str());
        }
    }
    return words;
}

// "dpi.K.color" with K 0..4 becomes dpi.0.color ... dpi.4.color.
std::vector<std::string> Expand(const std::string& pattern,
                                const std::map<std::string, std::vector<std::string>>& holders) {
    std::vector<std::string> keys{""};
    const std::vector<std::string> parts = Split(pattern, '.');
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const auto holder = holders.find(parts[i]);
        const std::vector<std::string> choices =
            holder == holders.end() ? std::vector<std::string>{parts[i]} : holder->second;
        std::vector<std::string> next;
        for (const std::string& key : keys) {
            for (const std::string& choice : choices) {
                next.push_back(key + (i == 0 ? "" : ".") + choice);
            }
        }
        keys = next;
    }
    return keys;
}

std::vector<SetKey> ReadSetKeys(const std::string& help) {
    const std::vector<std::string> lines = Lines(help);
    std::map<std::string, std::vector<std::string>> holders;
    std::string header;
    for (const std::string& line : lines) {
        if (line.rfind("Keys (", 0) == 0) {
            header = line;
        }
    }
    if (header.empty()) {
        throw std::runtime_error("`set --help` has no \"Keys (...)\" section");
    }
    const std::regex holder(R"(([A-Z]): [^,)]*?(\d+)\.\.(\d+))");
    for (std::sregex_iterator it(header.begin(), header.end(), holder), end; it != end; ++it) {
        holders[(*it)[1]] = Range(std::stoi((*it)[2]), std::stoi((*it)[3]));
    }
    const std::vector<std::string> buttonWords = ButtonWords(lines);
    std::vector<SetKey> keys;
    for (const std::string& entry : Section(lines, header)) {
        const auto [pattern, valueHelp] = SplitEntry(entry);
        const bool button = valueHelp.find("button function") != std::string::npos;
        const std::vector<std::string> words = button ? buttonWords : ListedWords(valueHelp);
        for (const std::string& key : Expand(pattern, holders)) {
            keys.push_back({key, words});
        }
    }
    if (keys.empty()) {
        throw std::runtime_error("`set --help` lists no keys");
    }
    return keys;
}

ArgKind KindOf(const std::string& name) {
    if (name == "SLOT") {
        return ArgKind::Slot;
    }
    if (name == "FILE") {
        return ArgKind::File;
    }
    return name.find('=') != std::string::npos ? ArgKind::SetPair : ArgKind::Other;
}

}  // namespace

HelpModel ReadHelp(const HelpReader& read) {
    HelpModel model;
    const std::vector<std::string> top = Lines(read("--help"));
    model.GlobalOptions = ReadOptions(top, true);
    for (const std::string& entry : Section(top, "Subcommands:")) {
        const auto [name, help] = SplitEntry(entry);
        model.Commands.push_back({name, help, {}, {}});
    }
    if (model.Commands.empty()) {
        throw std::runtime_error("`--help` lists no commands under \"Subcommands:\"");
    }
    const std::regex slotRange(R"(\[(\d+) - (\d+)\])");
    for (Command& command : model.Commands) {
        const std::string help = read(command.Name + " --help");
        const std::vector<std::string> lines = Lines(help);
        command.Options = ReadOptions(lines, false);
        for (const std::string& entry : Section(lines, "Positionals:")) {
            Argument arg;
            arg.Name = entry.substr(0, entry.find(' '));
            arg.Kind = KindOf(arg.Name);
            arg.Repeats = entry.find(" ... ") != std::string::npos;
            std::smatch m;
            if (arg.Kind == ArgKind::Slot && model.Slots.empty() &&
                std::regex_search(entry, m, slotRange)) {
                model.Slots = Range(std::stoi(m[1]), std::stoi(m[2]));
            }
            command.Arguments.push_back(arg);
        }
        if (command.Name == "set") {
            model.SetKeys = ReadSetKeys(help);
        }
    }
    for (const Option& option : model.GlobalOptions) {
        if (!option.ValueOptional) {
            continue;
        }
        // "comma-separated: cable, receiver or both (default ...), sensor=0xNN ..."
        std::smatch m;
        if (std::regex_search(option.Help, m, std::regex(R"(: ([a-z, ]+ or [a-z]+))"))) {
            model.SimulateWords = ListedWords(m[1]);
        }
        const std::regex assign(R"(\b([a-z]+=)[0-9A-Z])");
        for (std::sregex_iterator it(option.Help.begin(), option.Help.end(), assign), end;
             it != end; ++it) {
            model.SimulateWords.push_back((*it)[1]);
        }
    }
    return model;
}

}  // namespace completion
