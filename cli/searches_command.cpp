#include "searches_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli_support.h"
#include "model/date_value.h"
#include "model/search_object2.h"
#include "qbxml/request_type_info.h"
#include "search/result_text.h"
#include "search/rule_text.h"
#include "search/store_session.h"

namespace quarrion::cli {

namespace {

const std::string kCommand = "searches";

struct SearchesArguments {
    std::string home;
    std::string action;
    std::string name;
};

// A text as one shell word: in single quotes, a quote inside written '\''.
std::string ShellWord(const std::string& text) {
    std::string word = "'";
    for (char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

std::string TypeNames(const SearchObject2& search) {
    std::string names;
    for (const IncItem& item : search.IncludeItems)
        names += (names.empty() ? "" : ", ") + item.Name;
    return names;
}

// A relative end shows its value and the day it stands for today: "last-month
// (2026-10-01)".
std::string DatesText(SearchObject2& search) {
    if (search.FromDate == ZeroDate && search.ToDate == ZeroDate) return "none";
    search.ResolveRelativeDates(DateRulesToday());
    std::string from = search.FromDate == ZeroDate ? "any" : search.FormatFrom();
    std::string to = search.ToDate == ZeroDate ? "any" : search.FormatTo();
    if (!search.FromText.empty()) from = search.FromText + " (" + from + ")";
    if (!search.ToText.empty()) to = search.ToText + " (" + to + ")";
    return from + " to " + to + ", by " +
           (search.DateFilter == DateFilterCode::ModifiedDate ? "modified date"
                                                              : "transaction date");
}

void Show(SearchObject2& search) {
    std::vector<std::vector<std::string>> facts = {
        {"Name:", search.Name},
        {"Description:", search.Description},
        {"Types:", TypeNames(search)},
        {"Dates:", DatesText(search)},
        {"Text:", std::string(search.TextOptions.IgnoreAccents ? "--ignore-accents " : "") +
                      "--field-case " +
                      (search.TextOptions.FieldRuleCase == LetterCase::ExactCase ? "sensitive"
                                                                                 : "insensitive")},
    };
    std::cout << AlignedTable(facts, false);

    std::cout << "Rules:\n";
    bool any = false, firstGroup = true;
    for (const Examinor& group : search.Examinors) {
        bool opens = !firstGroup;
        for (const Criterion& rule : group.Criteria) {
            std::cout << "  --rule " << ShellWord(CriterionText(rule, opens)) << "\n";
            opens = false;
            any = true;
        }
        firstGroup = false;
    }
    for (const IncItem& item : search.IncludeItems) {
        bool first = true;
        for (const FieldExaminor& group : item.FieldExaminors) {
            bool opens = !first;
            for (const FieldCriterion& rule : group.FieldCriteria) {
                std::cout << "  --field "
                          << ShellWord(item.Name + ": " + FieldCriterionText(rule, opens)) << "\n";
                opens = false;
                any = true;
            }
            first = false;
        }
    }
    if (!any) std::cout << "  (none: every record of the types is listed)\n";

    std::cout << "Columns:\n";
    for (const IncItem& item : search.IncludeItems) {
        std::string headings;
        for (const DisplayColumn& column : item.DisplayColumns) {
            headings += (headings.empty() ? "" : ", ") + column.Heading();
        }
        std::cout << "  " << item.Name << ": " << (headings.empty() ? "(the defaults)" : headings)
                  << "\n";
    }
}

int Run(SearchesArguments& arguments) {
    ApplyHome(arguments.home);
    if (arguments.action == "list" && !arguments.name.empty()) {
        Complain(kCommand, "list takes no name");
        return kExitUsage;
    }
    if (arguments.action != "list" && arguments.name.empty()) {
        Complain(kCommand, arguments.action + " needs the name of a saved search");
        return kExitUsage;
    }
    CliNotifier notifier(kCommand);
    StoreSession store(&notifier);
    if (!OpenStore(kCommand, store)) return kExitFailure;
    std::unique_ptr<SearchObject2s> searches = store.Manager().SearchObjects();
    if (!searches) searches = std::make_unique<SearchObject2s>();

    if (arguments.action == "list") {
        if (searches->Count() == 0) {
            std::cout << "No saved searches.\n";
            return kExitSuccess;
        }
        std::vector<std::vector<std::string>> rows = {{"Name", "Types", "Description"}};
        for (const SearchObject2& search : *searches) {
            rows.push_back({search.Name, TypeNames(search), search.Description});
        }
        std::cout << AlignedTable(rows, true);
        return kExitSuccess;
    }

    SearchObject2* search = searches->Item(arguments.name);
    if (!search) {
        Complain(kCommand, "no saved search is named \"" + arguments.name + "\"");
        return kExitUsage;
    }
    if (arguments.action == "show") {
        Show(*search);
        return kExitSuccess;
    }
    if (StoreResult deleted = store.Manager().DeleteSearchObject(*search); !deleted) {
        Complain(kCommand,
                 "could not delete \"" + search->Name + "\": " + deleted.Error().Description);
        return kExitFailure;
    }
    std::cout << "Deleted the search \"" << search->Name << "\".\n";
    return kExitSuccess;
}

}  // namespace

Command AddSearchesCommand(CLI::App& parent) {
    auto arguments = std::make_shared<SearchesArguments>();
    CLI::App* app = parent.add_subcommand(
        "searches", "The saved searches: list them, show one as options, or delete one.");
    AddActionArgument(*app, arguments->action, {"list", "show", "delete"});
    app->add_option("name", arguments->name, "The saved search's name (show, delete)");
    AddHomeOption(*app, arguments->home);
    return {app, [arguments] { return Run(*arguments); }};
}

}  // namespace quarrion::cli
