#include "cli/cli_app.h"

#include <unistd.h>
#include <CLI/CLI.hpp>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iostream>
#include <istream>
#include <ostream>
#include <sstream>

#include "cli/commands.h"
#include "cli/folder_owner.h"
#include "cli/json_output.h"
#include "cli/list_command.h"
#include "cli/set_pairs.h"

namespace velmaro::cli {

namespace {

constexpr const char* kToolFooter =
    "Every command starts as the desktop program does (data folder, language, macro library,\n"
    "settings and profiles, a device scan and the status query) and saves what changed before\n"
    "it ends.\n"
    "Numbering, the same in every command and in show and status:\n"
    "  profile slots 0..4: slot 0 holds \"Profile 1\" ... slot 4 \"Profile 5\" until renamed\n"
    "  buttons 1..6: by default 1 left, 2 right, 3 middle, 4 forward, 5 back, 6 DPI cycle\n"
    "  DPI levels 0..4 as show lists them; dpi.current and status's level count the same way\n"
    "With --json every command prints one JSON object with \"schema\": 1 on standard output:\n"
    "snake_case keys, values in set's units and words (rate in Hz, DPI, \"#RRGGBB\", mode\n"
    "names), null for unknown. A command that changes things prints {\"changed\": [...],\n"
    "\"adjusted\": [...], \"sent\": N, \"saved\": [...], \"mouse\": true}; an error prints\n"
    "{\"error\": {\"code\": N, \"message\": ...}} with the same exit status. The manual page's\n"
    "JSON OUTPUT section (man velmaroctl) describes every object.\n"
    "While velmaro runs on the same data folder, velmaroctl hands the command to it over the\n"
    "session bus: velmaro runs it on its own state and mouse (its window shows the change at\n"
    "once) and answers with the same output and exit status; --verbose names the process that\n"
    "served it. Otherwise velmaroctl runs the command itself, holding the data folder's lock;\n"
    "another velmaroctl on the same folder waits for it (at most 10 s).\n"
    "Exit status: 0 done; 1 no mouse for a command that needs one; 2 bad usage or value;\n"
    "3 a file could not be read or written, or an import was refused or not complete;\n"
    "4 the data folder is in use and its owner could not be reached (velmaro runs but there is\n"
    "no session bus or it did not answer within 2 s, or another velmaroctl held it over 10 s):\n"
    "nothing was done.";

// The global options in every command's help: they go before or after it.
constexpr const char* kGlobalOptionsFooter =
    "Global options (before or after the command):\n"
    "  --data-dir DIR        use DIR as the data folder instead of the user's\n"
    "  --simulate[=OPTIONS]  use the virtual mouse (velmaroctl --help lists OPTIONS)\n"
    "  --trace FILE          append every report that crosses the HID seam to FILE\n"
    "  --json                write the result as JSON (schema 1) on standard output\n"
    "  --verbose             say which process served the command\n"
    "  -V, --version         print the version\n"
    "  -h, --help            print help";

constexpr const char* kVersion = VELMARO_VERSION;

// Edit distance, for suggesting the command a typo meant.
size_t Distance(std::string_view a, std::string_view b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = up;
        }
    }
    return row[b.size()];
}

// "--simulate OPTIONS" with a space: what the options can start with.
bool LooksLikeSimulateOptions(std::string_view word) {
    for (std::string_view start : {"cable", "receiver", "both", "sensor=", "battery=", "charge="}) {
        if (word.starts_with(start))
            return true;
    }
    return false;
}

// The first word that is no option nor an option's value, when it names no
// command: the text that says so. Empty when the words are fine so far.
std::string UnknownCommandText(int argc, const char* const* argv,
                               const std::vector<std::string>& commands) {
    auto known = [&](std::string_view word) {
        return std::find(commands.begin(), commands.end(), word) != commands.end();
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word == "--")
            return {};
        if (word.starts_with('-')) {
            if ((word == "--data-dir" || word == "--trace") && i + 1 < argc)
                ++i;
            else if (word == "--simulate" && i + 1 < argc && LooksLikeSimulateOptions(argv[i + 1]))
                ++i;
            continue;
        }
        if (known(word))
            return {};
        std::string nearest;
        size_t best = 4;  // further than this is no typo
        for (const std::string& command : commands) {
            const size_t d = Distance(word, command);
            if (d < best) {
                best = d;
                nearest = command;
            }
        }
        std::string text = "unknown command \"" + std::string(word) + "\"";
        text += nearest.empty() ? "." : "; did you mean \"" + nearest + "\"?";
        text += " The commands are:";
        for (size_t c = 0; c < commands.size(); ++c)
            text += (c == 0 ? " " : ", ") + commands[c];
        return text;
    }
    return {};
}

bool HasJsonFlag(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--json")
            return true;
    }
    return false;
}

// `set -`: the pairs from standard input, one a line, without empty lines
// and "#" comments.
std::vector<std::string> PairsFromInput(std::istream& in) {
    std::vector<std::string> pairs;
    std::string line;
    while (std::getline(in, line)) {
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        const size_t last = line.find_last_not_of(" \t\r");
        pairs.push_back(line.substr(first, last - first + 1));
    }
    return pairs;
}

// Prints a run's end for a person (a message) or a script (JSON).
int EndWithError(std::ostream& out, std::ostream& err, bool json, int status,
                 const std::string& message) {
    err << "velmaroctl: " << message << '\n';
    if (json)
        out << ErrorJson(status, message).dump(2) << '\n';
    return status;
}

constexpr const char* kSimulateHelp =
    "Use the virtual mouse instead of real devices, with a data folder of its own unless "
    "--data-dir is given. OPTIONS, comma-separated: cable, receiver "
    "or both (default cable), sensor=0xNN (default 0x25), battery=N (default 57), charge=N "
    "(1 charging, 2 full; default 0)";

std::string WorkingFolder() {
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::current_path(ec);
    return ec ? std::string() : path.string();
}

// The run of a parsed command: in this process under the folder's lock, on
// the window that holds the folder, or on a running program's core.
int RunCommandLineOn(int argc, const char* const* argv, std::istream& in, std::ostream& out,
                     std::ostream& err, const RealBackendFactory* real,
                     const AttachedCore* attached);

}  // namespace

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                   const RealBackendFactory& real) {
    return RunCommandLine(argc, argv, std::cin, out, err, real);
}

int RunCommandLine(int argc, const char* const* argv, std::istream& in, std::ostream& out,
                   std::ostream& err, const RealBackendFactory& real) {
    return RunCommandLineOn(argc, argv, in, out, err, &real, nullptr);
}

int RunAttachedCommandLine(int argc, const char* const* argv, std::istream& in, std::ostream& out,
                           std::ostream& err, const AttachedCore& attached) {
    return RunCommandLineOn(argc, argv, in, out, err, nullptr, &attached);
}

namespace {

int RunCommandLineOn(int argc, const char* const* argv, std::istream& in, std::ostream& out,
                     std::ostream& err, const RealBackendFactory* real,
                     const AttachedCore* attached) {
    CLI::App app{"velmaroctl: the Velmaro mouse from a terminal", "velmaroctl"};
    app.footer(kToolFooter);
    app.require_subcommand(1);
    app.fallthrough();
    app.set_version_flag("-V,--version", kVersion, "Print the version and exit");
    const bool json_flag = HasJsonFlag(argc, argv);
    // Standard input as the commands read it (set -, import SLOT -).
    std::istringstream taken;
    std::istream* input = &in;

    GlobalOptions options;
    app.add_option("--data-dir", options.DataDir,
                   "Use DIR as the data folder (its config/ holds the files) instead of the "
                   "user's")
        ->type_name("DIR");
    CLI::Option* simulate = app.add_option("--simulate", options.SimulateOptions, kSimulateHelp)
                                ->expected(0, 1)
                                ->type_name("[=OPTIONS]");
    app.add_option("--trace", options.TracePath,
                   "Append one line per report crossing the HID seam: SET, GET or IN, the role "
                   "(cable or receiver) and the 33 bytes in hex")
        ->type_name("FILE");
    app.add_flag("--json", options.Json, "Write results as JSON on standard output");
    app.add_flag("--verbose", options.Verbose,
                 "Say on the error stream which process served the command: velmaro (the "
                 "window holding the data folder) or velmaroctl itself");

    // The command the user chose, bound once its arguments are known.
    std::function<int(CommandContext&)> command;
    auto add = [&](const char* command_name, const char* help) {
        CLI::App* sub = app.add_subcommand(command_name, help);
        sub->footer(kGlobalOptionsFooter);
        return sub;
    };

    add("devices", "List the mouse's interfaces: role, path, vendor:product, report lengths")
        ->final_callback([&] { command = RunDevices; });
    add("status",
        "Show the sensor, the current profile and DPI level, the DPI, the battery level and "
        "charging state")
        ->final_callback([&] { command = RunStatus; });
    add("push", "Send every setting of the current profile to the mouse")->final_callback([&] {
        command = RunPush;
    });

    int slot = 0;
    CLI::App* sw = add("switch", "Make profile SLOT current and send it to the mouse");
    sw->add_option("SLOT", slot, "Profile slot 0..4 (slot 0 is \"Profile 1\")")
        ->required()
        ->check(CLI::Range(0, 4));
    sw->final_callback([&] { command = [&](CommandContext& c) { return RunSwitch(c, slot); }; });

    std::vector<std::string> pairs;
    CLI::App* set = add("set", "Change the current profile, then send what changed");
    set->add_option("KEY=VALUE", pairs,
                    "Settings to change, in this order; - reads them from "
                    "standard input")
        ->required();
    set->footer(SetKeysHelp() + kGlobalOptionsFooter);
    set->final_callback([&] {
        command = [&](CommandContext& c) {
            if (pairs.size() == 1 && pairs.front() == "-")
                pairs = PairsFromInput(*input);
            if (pairs.empty()) {
                c.Out.Message("set: no KEY=VALUE pairs on standard input");
                return static_cast<int>(kExitUsage);
            }
            return RunSet(c, pairs);
        };
    });

    std::optional<int> show_slot;
    bool as_set = false, raw = false;
    CLI::App* show = add("show",
                         "Show a profile (the current one by default) as the set pairs that "
                         "make it, marking the current profile; show | velmaroctl set - "
                         "brings it back");
    show->add_option("SLOT", show_slot, "Profile slot 0..4 (slot 0 is \"Profile 1\")")
        ->check(CLI::Range(0, 4));
    show->add_flag("--as-set", as_set,
                   "Only the KEY=VALUE pairs, one a line, with the settings kept for every "
                   "other lighting mode");
    show->add_flag("--raw", raw, "The profile file's own fields, as JSON");
    show->final_callback([&] {
        command = [&](CommandContext& c) {
            return RunShow(c, show_slot,
                           raw      ? ShowForm::Raw
                           : as_set ? ShowForm::AsSet
                                    : ShowForm::Text);
        };
    });

    std::string file;
    CLI::App* exp = add("export", "Write profile SLOT to a profile file");
    exp->add_option("SLOT", slot, "Profile slot 0..4")->required()->check(CLI::Range(0, 4));
    exp->add_option("FILE", file, "The profile file (.psf); - writes it to standard output")
        ->required();
    exp->final_callback([&] {
        command = [&](CommandContext& c) {
            if (file != "-")
                return RunExport(c, slot, file);
            if (c.Json) {
                c.Out.Message("export: --json and \"-\" would both write to standard output");
                return static_cast<int>(kExitUsage);
            }
            c.Run.Files().CaptureOutput(file);
            const int status = RunExport(c, slot, file);
            if (status == kExitOk)
                c.Out.Out << c.Run.Files().Captured() << std::flush;
            return status;
        };
    });

    CLI::App* imp =
        add("import", "Read a profile file into SLOT (a file that cannot be read changes nothing)");
    imp->add_option("SLOT", slot, "Profile slot 0..4")->required()->check(CLI::Range(0, 4));
    imp->add_option("FILE", file, "The profile file (.psf); - reads it from standard input")
        ->required();
    imp->final_callback([&] {
        command = [&](CommandContext& c) {
            if (file == "-") {
                std::string bytes{std::istreambuf_iterator<char>(*input),
                                  std::istreambuf_iterator<char>()};
                c.Run.Files().ServeInput(file, std::move(bytes));
            }
            return RunImport(c, slot, file);
        };
    });

    bool yes = false;
    CLI::App* reset = add("reset",
                          "Restore the mouse's factory settings and reset the current "
                          "profile to its defaults (keeps its name)");
    reset->add_flag("--yes", yes, "Confirm the reset");
    reset->final_callback([&] { command = [&](CommandContext& c) { return RunReset(c, yes); }; });

    add("macros", "Show the macro library")->final_callback([&] { command = RunMacros; });

    std::string select;
    CLI::App* mexp =
        add("macro-export", "Write the whole macro library to a file marked with --select");
    mexp->add_option("FILE", file, "The export file (.mkf or .mbf)")->required();
    mexp->add_option("--select", select,
                     "The library item the file is marked with: STAGE,I0,I1,I2 as macros "
                     "--json lists it (default -1,0,0,0: nothing)");
    mexp->final_callback(
        [&] { command = [&](CommandContext& c) { return RunMacroExport(c, file, select); }; });

    bool single = false;
    CLI::App* mimp = add("macro-import",
                         "Import the part of an export file its mark names, at --select: a "
                         "collection (default) or, with --single, one macro");
    mimp->add_option("FILE", file, "The export file (.mkf or .mbf)")->required();
    mimp->add_option("--select", select,
                     "Where to import: STAGE,I0,I1,I2 of a library item (a folder takes the "
                     "items in); default the top level");
    mimp->add_flag("--single", single, "Import one macro, as the macro import does");
    mimp->final_callback([&] {
        command = [&](CommandContext& c) { return RunMacroImport(c, file, select, single); };
    });

    std::string topic;
    CLI::App* list = add("list",
                         "List what this mouse and program offer, in the words set takes: keys "
                         "(of key:), modes (lighting), dpi (the sensor's steps, the levels, "
                         "lift-off), functions (of button.N)");
    list->add_option("WHAT", topic, "keys, modes, dpi or functions")
        ->required()
        ->check(CLI::IsMember({"keys", "modes", "dpi", "functions"}));
    list->final_callback([&] { command = [&](CommandContext& c) { return RunList(c, topic); }; });

    std::vector<std::string> names;
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; }))
        names.push_back(sub->get_name());
    if (const std::string unknown = UnknownCommandText(argc, argv, names); !unknown.empty())
        return EndWithError(out, err, json_flag, kExitUsage, unknown);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e, out, err);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e, out, err);
    } catch (const CLI::CallForVersion&) {
        if (json_flag)
            out << Json{{"schema", kJsonSchema}, {"version", kVersion}}.dump(2) << '\n';
        else
            out << "velmaroctl " << kVersion << '\n';
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        const int status = EndWithError(out, err, json_flag, kExitUsage, e.what());
        err << "Run with --help for more information.\n";
        return status;
    }
    options.Simulate = simulate->count() > 0;
    const std::vector<CLI::App*> chosen = app.get_subcommands();
    if (!command || chosen.empty())
        return kExitUsage;  // not reached: a command is required
    const std::string name = chosen.front()->get_name();

    const Console console{out, err};
    FolderOwner owner;
    if (attached == nullptr) {
        std::string request_input;
        WindowRequest request;
        request.WorkingFolder = WorkingFolder();
        for (int i = 1; i < argc; ++i)
            request.Args.emplace_back(argv[i]);
        // Standard input goes along only to the commands that read it.
        if ((name == "set" && pairs.size() == 1 && pairs.front() == "-") ||
            (name == "import" && file == "-"))
            request_input.assign(std::istreambuf_iterator<char>(in),
                                 std::istreambuf_iterator<char>());
        request.Input = request_input;
        owner = TakeFolder(CommandDataFolder(options), std::move(request));
        if (owner.What == FolderOwner::Kind::Busy)
            return EndWithError(out, err, options.Json, kExitBusy, owner.Message);
        if (owner.What == FolderOwner::Kind::Window) {
            out << owner.Answer.Out << std::flush;
            err << owner.Answer.Err;
            if (options.Verbose)
                err << "velmaroctl: served by velmaro (process " << owner.Holder.Pid << ")"
                    << (owner.WaitedForWindow ? ", once it had started" : "") << "\n";
            return owner.Answer.Status;
        }
        if (options.Verbose)
            err << "velmaroctl: served by velmaroctl itself (process " << getpid() << ")\n";
        // What was read for the window is the command's input here.
        taken.str(request_input);
        input = &taken;
    }
    Session session(console, real != nullptr ? *real : RealBackendFactory());
    CommandContext context{session, console, options.Json};
    const int started =
        attached != nullptr ? session.Attach(*attached, options) : session.Start(options);
    if (const int status = started; status != kExitOk) {
        if (options.Json)
            out << RunResultJson(context, name, status, false).dump(2) << '\n';
        return status;
    }
    const int status = command(context);
    const bool had_mouse = session.HasMouse();
    const int saved = session.Finish(CommandOwnsSave(name));
    const int result = status != kExitOk ? status : saved;
    if (options.Json)
        out << RunResultJson(context, name, result, had_mouse).dump(2) << '\n';
    return result;
}

}  // namespace

}  // namespace velmaro::cli
