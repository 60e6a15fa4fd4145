#include "to_print_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>

#include "cli_support.h"
#include "qbxml/request_type_info.h"
#include "result_output.h"
#include "search_options.h"

namespace quarrion::cli {

namespace {

const std::string kCommand = "to-print";

struct ToPrintArguments {
    std::string action;
    SearchOptions search;
    OutputOptions output;
    bool doubleCheck = false;
};

int Run(ToPrintArguments& arguments) {
    if (std::string problem = CheckOutputOptions(arguments.output); !problem.empty()) {
        Complain(kCommand, problem);
        return kExitUsage;
    }
    CliNotifier notifier(kCommand);
    PreparedSearch prepared;
    if (int status =
            PrepareSearch(kCommand, arguments.search, TypeUse::Select, notifier, prepared)) {
        return status;
    }
    for (std::int32_t type : prepared.selected) {
        if (RequestTypeInfo::ToPrintCategory(type, "") == PrintCategory::None) {
            Complain(kCommand, RequestTypeInfo::TypeName(type) +
                                   " has no to-be-printed state; to-print marks Invoice, "
                                   "PurchaseOrder, CreditMemo and SalesOrder transactions");
            return kExitUsage;
        }
    }

    SearchSession session(ProcessorOf(arguments.search));
    if (int status = RunSearch(kCommand, prepared, session)) return status;

    SearchRun& run = session.Run();
    const std::size_t reported = session.PopUps().size();
    const bool toPrint = arguments.action == "set";
    int status = kExitSuccess;
    for (std::int32_t type : prepared.selected) {
        const ResultList* list = run.ListOf(type);
        const std::size_t listed = list ? list->Rows.size() : 0;
        const int changed = run.SetToPrint(type, toPrint, !arguments.doubleCheck);
        session.DeliverPending();
        std::cerr << (toPrint ? "Set " : "Cleared ") << changed << " of " << listed << " listed "
                  << RequestTypeInfo::TypeTitle(type) << " transactions"
                  << (toPrint ? " to be printed.\n" : ".\n");
        if (static_cast<std::size_t>(changed) < listed) {
            Complain(kCommand,
                     std::to_string(listed - static_cast<std::size_t>(changed)) + " " +
                         RequestTypeInfo::TypeTitle(type) +
                         " transactions were left out; \"quarrion-cli log show\" says why");
            status = kExitFailure;
        }
    }
    for (std::size_t i = reported; i < session.PopUps().size(); ++i) {
        Complain(kCommand, session.PopUps()[i].Text);
    }

    int written = WriteResults(kCommand, arguments.output, run.Search(), run.Lists());
    return status != kExitSuccess ? status : written;
}

}  // namespace

Command AddToPrintCommand(CLI::App& parent) {
    auto arguments = std::make_shared<ToPrintArguments>();
    CLI::App* app = parent.add_subcommand(
        "to-print",
        "Run a search and set or clear the to-be-printed state of every transaction it lists "
        "(Invoice, PurchaseOrder, CreditMemo, SalesOrder), then show the result lists. Exit "
        "status 1 when a transaction was left out (the error log says why).");
    AddActionArgument(*app, arguments->action, {"set", "clear"});
    AddSearchOptions(*app, arguments->search, TypeUse::Select);
    AddOutputOptions(*app, arguments->output);
    app->add_flag("--double-check", arguments->doubleCheck,
                  "Read every transaction again first and leave out those changed since the "
                  "search (edit-sequence double check)");
    return {app, [arguments] { return Run(*arguments); }};
}

}  // namespace quarrion::cli
