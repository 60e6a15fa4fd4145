#include "search_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>

#include "cli_support.h"
#include "result_output.h"
#include "search/store_limits.h"
#include "search_options.h"

namespace quarrion::cli {

namespace {

const std::string kCommand = "search";

struct SearchArguments {
    SearchOptions search;
    OutputOptions output;
    std::string save;
    std::string description;
    CLI::Option* descriptionOption = nullptr;
};

// Saves the prepared search under the name; the search is not run.
int Save(SearchArguments& arguments, PreparedSearch& prepared) {
    SearchObject2& search = *prepared.search;
    search.Name = arguments.save;
    search.Description = arguments.description;
    if (std::string problem = StoreLimitProblem(search); !problem.empty()) {
        Complain(kCommand, "--save: " + problem);
        return kExitUsage;
    }
    StoreResult saved = prepared.store->Manager().SaveSearchObject(&search);
    if (!saved) {
        if (saved.Error().Number == StoreErrorCode::SaveCancelled) {
            Complain(kCommand, "a saved search is named \"" + arguments.save +
                                   "\" already; add --replace to replace it");
        } else {
            Complain(kCommand, "could not save the search: " + saved.Error().Description);
        }
        return kExitFailure;
    }
    std::cout << "Saved the search \"" << search.Name << "\".\n";
    return kExitSuccess;
}

int Run(SearchArguments& arguments) {
    if (std::string problem = CheckOutputOptions(arguments.output, !arguments.save.empty());
        !problem.empty()) {
        Complain(kCommand, problem);
        return kExitUsage;
    }
    if (arguments.save.empty() && arguments.descriptionOption->count() > 0) {
        Complain(kCommand, "--description goes with --save NAME");
        return kExitUsage;
    }
    if (!arguments.save.empty() && !arguments.search.saved.empty()) {
        Complain(kCommand, "give --save or --saved, not both");
        return kExitUsage;
    }
    if (!arguments.save.empty() && arguments.output.exportOption->count() > 0) {
        Complain(kCommand,
                 "--save stores the search without running it; give --save or "
                 "--export, not both");
        return kExitUsage;
    }

    CliNotifier notifier(kCommand, arguments.output.replace);
    PreparedSearch prepared;
    if (int status =
            PrepareSearch(kCommand, arguments.search, TypeUse::Search, notifier, prepared)) {
        return status;
    }
    if (!arguments.save.empty()) return Save(arguments, prepared);

    SearchSession session(ProcessorOf(arguments.search));
    int status = RunSearch(kCommand, prepared, session);
    SearchRun& run = session.Run();
    int written = WriteResults(kCommand, arguments.output, run.Search(), run.Lists());
    return status != kExitSuccess ? status : written;
}

}  // namespace

Command AddSearchCommand(CLI::App& parent) {
    auto arguments = std::make_shared<SearchArguments>();
    CLI::App* app = parent.add_subcommand(
        "search",
        "Search QuickBooks lists and transactions: one result list per type, as a table, csv, "
        "tsv or json on standard output, or as files. Exit status 1 when a type could not be "
        "searched or a file not written.");
    AddSearchOptions(*app, arguments->search, TypeUse::Search);
    AddOutputOptions(*app, arguments->output);
    app->add_option("--save", arguments->save,
                    "Save the search built from the options under this name (at most 50 "
                    "characters) instead of running it")
        ->type_name("NAME")
        ->check(NotEmptyValidator());
    arguments->descriptionOption =
        app->add_option("--description", arguments->description, "Description saved with --save")
            ->type_name("D");
    arguments->output.replaceOption->description(
        "With --export: replace files of the same names (without it --export writes nothing "
        "when one of its files exists already); with --save: replace a saved search of the "
        "same name");
    return {app, [arguments] { return Run(*arguments); }};
}

}  // namespace quarrion::cli
