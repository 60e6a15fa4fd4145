// quarrion-cli: Quarrion's searches, catalog maintenance and sample data from a
// terminal or a script. Each command lives in its own file and registers itself here.
//
// Exit codes: 0 success, 1 the command failed, 2 the command line was wrong.

#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "catalog_command.h"
#include "cli_support.h"
#include "command.h"
#include "link_command.h"
#include "log_command.h"
#include "sample_command.h"
#include "search_command.h"
#include "searches_command.h"
#include "to_print_command.h"
#include "types_command.h"
#include "view_command.h"

int main(int argc, char** argv) {
    using namespace quarrion::cli;

    CLI::App app("Quarrion from the terminal: searches QuickBooks lists and transactions.",
                 "quarrion-cli");
    app.set_version_flag("--version", "quarrion-cli " QUARRION_VERSION,
                         "Print the version and exit");
    app.require_subcommand(1);
    // Also before the command (quarrion-cli --home DIR search ...), as git and docker
    // take it; a --home after the command wins.
    std::string home;
    AddHomeOption(app, home);

    std::vector<Command> commands;
    commands.push_back(AddSearchCommand(app));
    commands.push_back(AddSearchesCommand(app));
    commands.push_back(AddCatalogCommand(app));
    commands.push_back(AddToPrintCommand(app));
    commands.push_back(AddViewCommand(app));
    commands.push_back(AddLogCommand(app));
    commands.push_back(AddLinkCommand(app));
    commands.push_back(AddSampleCommand(app));
    commands.push_back(AddTypesCommand(app));

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return kExitSuccess;
    } catch (const CLI::CallForVersion& version) {
        std::cout << version.what() << "\n";
        return kExitSuccess;
    } catch (const CLI::CallForAllHelp&) {
        std::cout << app.help("", CLI::AppFormatMode::All);
        return kExitSuccess;
    } catch (const CLI::ParseError& error) {
        std::cerr << "quarrion-cli: " << error.what() << "\n"
                  << "Run \"quarrion-cli --help\" or \"quarrion-cli COMMAND --help\" for usage.\n";
        return kExitUsage;
    }

    try {
        ApplyHome(home);
        for (const Command& command : commands) {
            if (command.app->parsed()) return command.run();
        }
    } catch (const std::exception& error) {
        std::cerr << "quarrion-cli: " << error.what() << "\n";
        return kExitFailure;
    }
    return kExitUsage;
}
