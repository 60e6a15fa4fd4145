#include "log_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli_support.h"
#include "foundation/app_paths.h"
#include "foundation/atomic_file.h"
#include "link/error_log.h"
#include "search/result_text.h"

namespace quarrion::cli {

namespace {

const std::string kCommand = "log";

struct LogArguments {
    std::string home;
    std::string action;
};

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    // A logged message can carry what a file or QuickBooks sent, control characters
    // included: shown escaped.
    while (std::getline(in, field, '\t')) fields.push_back(Printable(field));
    return fields;
}

int Show(const ErrorLog& log) {
    std::string text;
    if (!std::filesystem::exists(log.Path())) {
        std::cout << "The error log is empty.\n";
        return kExitSuccess;
    }
    if (Outcome problem = ReadWholeFile(log.Path(), text); !problem) {
        Complain(kCommand, problem.Message());
        return kExitFailure;
    }
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) rows.push_back(Fields(line));
    }
    if (rows.size() <= 1) {
        std::cout << "The error log is empty.\n";
        return kExitSuccess;
    }
    std::cout << AlignedTable(rows, true);
    return kExitSuccess;
}

int Run(LogArguments& arguments) {
    ApplyHome(arguments.home);
    const ErrorLog log(ErrorLog::PathIn(DataFolder()));
    if (arguments.action == "show") return Show(log);
    if (Outcome cleared = log.Clear(); !cleared) {
        Complain(kCommand, cleared.Message());
        return kExitFailure;
    }
    std::cout << "Cleared the error log.\n";
    return kExitSuccess;
}

}  // namespace

Command AddLogCommand(CLI::App& parent) {
    auto arguments = std::make_shared<LogArguments>();
    CLI::App* app = parent.add_subcommand(
        "log", "The QuickBooks link's error log: show it as a table, or clear it.");
    AddActionArgument(*app, arguments->action, {"show", "clear"});
    AddHomeOption(*app, arguments->home);
    return {app, [arguments] { return Run(*arguments); }};
}

}  // namespace quarrion::cli
