#include "cli/cli_app.h"

#include <CLI/CLI.hpp>
#include <functional>
#include <ostream>

#include "cli/commands.h"
#include "cli/set_pairs.h"

namespace velmaro::cli {

namespace {

constexpr const char* kToolFooter =
    "Every command starts as the desktop program does (data folder, language, macro library,\n"
    "settings and profiles, a device scan and the status query) and saves what changed before\n"
    "it ends.\n"
    "Exit status: 0 done; 1 no mouse for a command that needs one; 2 bad usage or value;\n"
    "3 a file could not be read or written, or an import was refused or not complete.";

constexpr const char* kSimulateHelp =
    "Use the virtual mouse instead of real devices, with a data folder of its own unless "
    "--data-dir is given. OPTIONS, comma-separated: cable, receiver "
    "or both (default cable), sensor=0xNN (default 0x25), battery=N (default 57), charge=N "
    "(1 charging, 2 full; default 0)";

}  // namespace

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                   const RealBackendFactory& real) {
    CLI::App app{"velmaroctl: the Velmaro mouse from a terminal", "velmaroctl"};
    app.footer(kToolFooter);
    app.require_subcommand(1);
    app.fallthrough();

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

    // The command the user chose, bound once its arguments are known.
    std::function<int(CommandContext&)> command;
    auto add = [&](const char* command_name, const char* help) {
        return app.add_subcommand(command_name, help);
    };

    add("devices", "List the mouse's interfaces: role, path, vendor:product, report lengths")
        ->final_callback([&] { command = RunDevices; });
    add("status", "Show the sensor, the current DPI, the battery level and charging state")
        ->final_callback([&] { command = RunStatus; });
    add("push", "Send every setting of the current profile to the mouse")->final_callback([&] {
        command = RunPush;
    });

    int slot = 0;
    CLI::App* sw = add("switch", "Make profile SLOT current and send it to the mouse");
    sw->add_option("SLOT", slot, "Profile slot 0..4")->required()->check(CLI::Range(0, 4));
    sw->final_callback([&] { command = [&](CommandContext& c) { return RunSwitch(c, slot); }; });

    std::vector<std::string> pairs;
    CLI::App* set = add("set", "Change the current profile, then send what changed");
    set->add_option("KEY=VALUE", pairs, "Settings to change, in this order")->required();
    set->footer(SetKeysHelp());
    set->final_callback([&] { command = [&](CommandContext& c) { return RunSet(c, pairs); }; });

    std::optional<int> show_slot;
    CLI::App* show = add("show", "Show a profile (the current one by default)");
    show->add_option("SLOT", show_slot, "Profile slot 0..4")->check(CLI::Range(0, 4));
    show->final_callback(
        [&] { command = [&](CommandContext& c) { return RunShow(c, show_slot); }; });

    std::string file;
    CLI::App* exp = add("export", "Write profile SLOT to a profile file");
    exp->add_option("SLOT", slot, "Profile slot 0..4")->required()->check(CLI::Range(0, 4));
    exp->add_option("FILE", file, "The profile file (.psf)")->required();
    exp->final_callback(
        [&] { command = [&](CommandContext& c) { return RunExport(c, slot, file); }; });

    CLI::App* imp =
        add("import", "Read a profile file into SLOT (a file that cannot be read changes nothing)");
    imp->add_option("SLOT", slot, "Profile slot 0..4")->required()->check(CLI::Range(0, 4));
    imp->add_option("FILE", file, "The profile file (.psf)")->required();
    imp->final_callback(
        [&] { command = [&](CommandContext& c) { return RunImport(c, slot, file); }; });

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

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e, out, err);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e, out, err);
    } catch (const CLI::ParseError& e) {
        err << "velmaroctl: " << e.what() << "\nRun with --help for more information.\n";
        return kExitUsage;
    }
    options.Simulate = simulate->count() > 0;
    const std::vector<CLI::App*> chosen = app.get_subcommands();
    if (!command || chosen.empty())
        return kExitUsage;  // not reached: a command is required
    const std::string name = chosen.front()->get_name();

    const Console console{out, err};
    Session session(console, real);
    if (const int status = session.Start(options); status != kExitOk)
        return status;
    CommandContext context{session, console, options.Json};
    const int status = command(context);
    const int saved = session.Finish(CommandOwnsSave(name));
    return status != kExitOk ? status : saved;
}

}  // namespace velmaro::cli
