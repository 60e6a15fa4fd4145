#include "search_options.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>

#include "command.h"
#include "foundation/app_paths.h"
#include "foundation/calendar_day.h"
#include "foundation/text_fold.h"
#include "link/configured_processor.h"
#include "link/link_settings.h"
#include "model/date_value.h"
#include "progress_lines.h"
#include "qbxml/request_type_info.h"
#include "search/search_builder.h"

namespace quarrion::cli {

namespace {

bool Given(const CLI::Option* option) {
    return option && option->count() > 0;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// Resolves the --type texts; "" or the first error.
std::string ResolveTypes(const std::vector<std::string>& texts, std::vector<std::int32_t>& types) {
    for (const std::string& text : texts) {
        RequestTypesResult resolved = RequestTypesOf(text);
        if (!resolved) return "--type: " + resolved.Error;
        for (std::int32_t type : resolved.Types) {
            if (std::find(types.begin(), types.end(), type) == types.end()) types.push_back(type);
        }
    }
    return {};
}

// A date value: YYYY-MM-DD or a relative word (date_value.h).
struct DateValueValidator : public CLI::Validator {
    DateValueValidator() {
        name_ = "DATE";
        func_ = [](const std::string& text) {
            return ResolveDateValue(text, 0)
                       ? std::string()
                       : "\"" + text +
                             "\" is not a date; write YYYY-MM-DD, today, yesterday, this-week, "
                             "last-week, this-month, last-month, this-quarter, last-quarter, "
                             "this-year, last-year, year-to-date or last-N-days";
        };
    }
};

// What an end of the range keeps in the search: a relative value itself (letter case
// aside), so the search means the same span whenever it runs; "" for a fixed day.
std::string RelativeText(const std::string& value) {
    return value.empty() || ParseIsoDay(value) ? std::string() : FoldCase(value);
}

// The --from and --to dates: a relative range starts the range on its first day and
// ends it on its last. An end given here replaces the search's, relative text and all.
void ApplyDates(const SearchOptions& options, SearchObject2& search) {
    const std::int32_t today = DateRulesToday();
    if (!options.from.empty()) {
        search.FromDate =
            SearchDate(std::chrono::days(ResolveDateValue(options.from, today)->first));
        search.FromText = RelativeText(options.from);
    }
    if (!options.to.empty()) {
        search.ToDate = SearchDate(std::chrono::days(ResolveDateValue(options.to, today)->last));
        search.ToText = RelativeText(options.to);
    }
}

// --ignore-accents and --field-case over the search's own text options.
void ApplyTextOptions(const SearchOptions& options, TextOptions& textOptions) {
    if (Given(options.ignoreAccentsOption)) textOptions.IgnoreAccents = options.ignoreAccents;
    if (options.fieldCase == "sensitive") textOptions.FieldRuleCase = LetterCase::ExactCase;
    if (options.fieldCase == "insensitive") textOptions.FieldRuleCase = LetterCase::IgnoreCase;
}

int Usage(const std::string& command, const std::string& message) {
    Complain(command, message);
    return 2;
}

int LoadSaved(const std::string& command, const SearchOptions& options, PreparedSearch& prepared) {
    IOManager& io = prepared.store->Manager();
    std::unique_ptr<SearchObject2s> saved = io.SearchObjects();
    SearchObject2* found = saved ? saved->Item(options.saved) : nullptr;
    if (!found) {
        std::string names;
        if (saved) {
            for (const SearchObject2& search : *saved)
                names += (names.empty() ? "" : ", ") + Quoted(search.Name);
        }
        return Usage(command, "no saved search is named " + Quoted(options.saved) +
                                  (names.empty() ? " (there are no saved searches)"
                                                 : "; the saved searches are " + names));
    }
    found->Copy(*prepared.search, CopyDirection::IntoTarget);
    prepared.search->ResolveRelativeDates(DateRulesToday());
    ApplyDates(options, *prepared.search);
    ApplyTextOptions(options, prepared.search->TextOptions);
    if (prepared.search->FromDate != ZeroDate && prepared.search->ToDate != ZeroDate &&
        prepared.search->FromDate > prepared.search->ToDate) {
        return Usage(command, "the date range runs backwards: its first day is after its last");
    }
    PrepareSavedSearch(*prepared.search, prepared.store->Catalog());
    for (std::int32_t type : prepared.selected) {
        if (!prepared.search->IncludeItems.ItemByRequestType(type)) {
            return Usage(command, "the saved search " + Quoted(options.saved) +
                                      " does not include " + RequestTypeInfo::TypeName(type));
        }
    }
    return 0;
}

int BuildFromOptions(const std::string& command, const SearchOptions& options,
                     PreparedSearch& prepared) {
    SearchBuilder builder(prepared.store->Catalog());
    for (std::int32_t type : prepared.selected) builder.IncludeType(type);

    SearchObject2 range;
    ApplyDates(options, range);  // checked by the options
    if (range.FromDate != ZeroDate && range.ToDate != ZeroDate && range.FromDate > range.ToDate) {
        return Usage(command, "--from " + options.from + " is after --to " + options.to);
    }
    long filter = options.dateFilter == "modified" ? DateFilterCode::ModifiedDate
                                                   : DateFilterCode::TransactionDate;
    builder.SetDates(range.FromDate, range.ToDate, filter);
    builder.SetRelativeDates(range.FromText, range.ToText);
    TextOptions textOptions;
    ApplyTextOptions(options, textOptions);
    builder.SetTextOptions(textOptions);

    for (const std::string& rule : options.rules) {
        if (std::string error = builder.AddRule(rule); !error.empty()) {
            return Usage(command, "--rule " + Quoted(rule) + ": " + error);
        }
    }
    for (const std::string& field : options.fields) {
        if (std::string error = builder.AddFieldRule(field); !error.empty()) {
            return Usage(command, "--field " + Quoted(field) + ": " + error);
        }
    }
    if (Outcome error = builder.Build(*prepared.search); !error) {
        return Usage(command, error.Message() + " (give --type)");
    }
    return 0;
}

}  // namespace

void AddSearchOptions(CLI::App& app, SearchOptions& options, TypeUse use) {
    AddHomeOption(app, options.home);
    const char* typeHelp =
        use == TypeUse::Search
            ? "A type to search: a code, a name such as Invoice (any case), or all; repeatable"
        : use == TypeUse::Select
            ? "A type to mark (Invoice, PurchaseOrder, CreditMemo or SalesOrder); repeatable; "
              "searched unless --saved is given, then one of its types"
            : "The record's type; searched unless --saved is given, then one of its types";
    options.typeOption = app.add_option("--type", options.types, typeHelp)->type_name("T");
    if (use == TypeUse::Single) {
        options.typeOption->expected(1)->required();
    } else {
        options.typeOption->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
        if (use == TypeUse::Select) options.typeOption->required();
    }
    options.fromOption =
        app.add_option("--from", options.from,
                       "First day of the date range: YYYY-MM-DD or a relative value (today, "
                       "yesterday, this-week, last-week, this-month, last-month, this-quarter, "
                       "last-quarter, this-year, last-year, year-to-date, last-N-days), which "
                       "starts on that span's first day; with --saved it replaces the saved one")
            ->type_name("DATE")
            ->check(DateValueValidator());
    options.toOption = app.add_option("--to", options.to,
                                      "Last day of the date range: YYYY-MM-DD or a relative "
                                      "value, which ends on that span's last day (--to "
                                      "last-month); with --saved it replaces the saved one")
                           ->type_name("DATE")
                           ->check(DateValueValidator());
    app.add_option("--today", options.today,
                   "The day relative dates count from (default: today on this computer)")
        ->type_name("YYYY-MM-DD")
        ->check(IsoDateValidator());
    options.dateFilterOption =
        app.add_option("--date-filter", options.dateFilter,
                       "What the dates apply to: txn (transaction date, the default) or modified")
            ->type_name("txn|modified")
            ->check(CLI::IsMember({"txn", "modified"}).description(""));
    options.ruleOption =
        app.add_option("--rule", options.rules,
                       "A rule tried on every element of the data type: [and|or] CHOICE OP VALUE, "
                       "CHOICE one of text, number, amount, price, percent, quantity, date; "
                       "date takes lt, le, eq, ge, gt and between with YYYY-MM-DD or relative "
                       "values (\"date between 2026-01-01 last-month\"); OP one of "
                       "contains, equals (the whole text, any case), starts-with, ends-with, "
                       "whole-word, matches, in, lt, le, eq, ge, "
                       "gt, between (\"text contains \\\"Acme Corp\\\"\", \"or amount between 100 "
                       "500\", \"text in A,B\"); text rules here ignore letter case in every "
                       "operation; repeatable, in order")
            ->type_name("R")
            ->expected(1)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    options.fieldOption =
        app.add_option(
               "--field", options.fields,
               "A rule on one field of a type: \"TYPE: [and|or] PATH OP VALUE\", PATH below "
               "the record (CustomerRef/FullName); TYPE * gives the rule to every included "
               "type that has the field (\"*: Memo contains damaged\"), OP also is-blank, is-true, "
               "is-false; "
               "date fields take the date operations (\"Invoice: DueDate lt today\"); "
               "starts-with, ends-with and whole-word match letter case here unless "
               "--field-case insensitive (contains, equals and in always ignore it); "
               "the type's field rules replace the --rule rules for it; repeatable")
            ->type_name("F")
            ->expected(1)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    options.ignoreAccentsOption = app.add_flag(
        "--ignore-accents", options.ignoreAccents,
        "Compare texts without their accents in every text rule, so muller finds Müller "
        "(off by default; with --saved it replaces the saved choice)");
    app.add_option("--field-case", options.fieldCase,
                   "Letter case in field rules' starts-with, ends-with and whole-word: "
                   "sensitive (the default: \"Invoice: Memo starts-with Rush\" misses "
                   "\"rush order\") or insensitive, as every other text rule; with --saved it "
                   "replaces the saved choice")
        ->type_name("sensitive|insensitive")
        ->check(CLI::IsMember({"sensitive", "insensitive"}).description(""));
    app.add_option("--saved", options.saved,
                   "Run the saved search of this name (its types, dates, rules, text options and "
                   "columns); a range saved as relative values (last-month) counts from today")
        ->type_name("NAME")
        ->check(NotEmptyValidator());
    app.add_option("--company", options.company,
                   "Sample-company file to search (default: the link settings of the data "
                   "folder, by default the embedded sample company)")
        ->type_name("FILE")
        ->check(NotEmptyValidator());
    options.maxOption =
        app.add_option("--max", options.max,
                       "Records read per type at most (default 9000, or the saved search's); 0 "
                       "reads them all. A type cut short says so in its status")
            ->type_name("N")
            ->check(CLI::NonNegativeNumber.description(""));
    app.add_option("--responses", options.responses,
                   "Folder of saved qbXML response files to search instead (Invoice.xml, ...)")
        ->type_name("DIR")
        ->check(NotEmptyValidator());
    app.add_option("--wait", options.wait,
                   "Seconds each request waits for the QuickBooks Web Connector (default: the "
                   "link settings', 300)")
        ->type_name("SECONDS")
        ->check(CLI::Range(1, 86400));
}

int PrepareSearch(const std::string& command, const SearchOptions& options, TypeUse use,
                  CliNotifier& notifier, PreparedSearch& prepared) {
    ApplyHome(options.home);
    if (!options.today.empty()) PinDateRulesToday(ParseIsoDay(options.today));

    if (!options.company.empty() && !options.responses.empty()) {
        return Usage(command, "give --company or --responses, not both");
    }
    if (!options.responses.empty() && !std::filesystem::is_directory(options.responses)) {
        return Usage(command, "--responses: " + Quoted(options.responses) + " is not a folder");
    }
    if (!options.saved.empty()) {
        const CLI::Option* clash = nullptr;
        for (const CLI::Option* option :
             {options.dateFilterOption, options.ruleOption, options.fieldOption}) {
            if (Given(option)) clash = option;
        }
        if (use == TypeUse::Search && Given(options.typeOption)) clash = options.typeOption;
        if (clash) {
            return Usage(command, "--saved runs the saved search as it is; it does not take " +
                                      clash->get_name());
        }
    }
    if (std::string error = ResolveTypes(options.types, prepared.selected); !error.empty()) {
        return Usage(command, error);
    }
    if (use == TypeUse::Single && prepared.selected.size() != 1) {
        return Usage(command, "--type names one type here, not all");
    }

    prepared.store = std::make_unique<StoreSession>(&notifier);
    if (!OpenStore(command, *prepared.store)) return kExitFailure;
    const int built = options.saved.empty() ? BuildFromOptions(command, options, prepared)
                                            : LoadSaved(command, options, prepared);
    if (built == 0 && Given(options.maxOption)) prepared.search->Max = options.max;
    return built;
}

Relaywick::ProcessorFactory ProcessorOf(const SearchOptions& options) {
    if (!options.responses.empty()) {
        return ResponseFolderProcessor(std::filesystem::absolute(options.responses));
    }
    if (!options.company.empty())
        return CompanyFileProcessor(std::filesystem::absolute(options.company));
    if (options.wait > 0) {
        return [wait = options.wait] {
            LinkSettings settings = LinkSettings::Load(DataFolder());
            settings.WebConnectorWait = wait;
            return MakeConfiguredProcessor(settings, DataFolder());
        };
    }
    return {};
}

int RunSearch(const std::string& command, PreparedSearch& prepared, SearchSession& session) {
    SearchRun& run = session.Run();
    prepared.search->Copy(run.Search(), CopyDirection::IntoTarget);

    IOManager& io = prepared.store->Manager();
    std::string recorded;
    run.FileReported = [&](const std::string& file) {
        if (file == recorded) return;
        recorded = file;
        if (StoreResult result = io.UpdateQuickBooksFiles(file); !result) {
            Complain(command, "could not record the company file " + Quoted(file) + ": " +
                                  result.Error().Description);
        }
    };
    ProgressLines progress(ErrorIsTerminal());
    run.Changed = [&](std::int32_t type) {
        if (const IncItem* item = run.ItemOf(type)) {
            progress.Show(type, RequestTypeInfo::TypeTitle(type) + ": " + item->Message);
        }
    };
    session.RunToEnd();
    // The hooks capture this function's locals; later work on the run (to-print)
    // must not reach them.
    run.Changed = nullptr;
    run.FileReported = nullptr;
    progress.Clear();

    // A failed type's message repeats the pop-up that announced the failure.
    std::vector<std::string> failures;
    for (const IncItem& item : run.Search().IncludeItems) {
        if (SearchSession::TypeFailed(item)) failures.push_back(item.Message);
    }
    for (const SearchSession::PopUpMessage& popUp : session.PopUps()) {
        bool repeated =
            std::any_of(failures.begin(), failures.end(), [&](const std::string& failure) {
                return failure.find(popUp.Text) != std::string::npos;
            });
        if (!repeated) Complain(command, popUp.Text);
    }
    for (const std::string& failure : failures) Complain(command, failure);
    return failures.empty() ? 0 : 1;
}

}  // namespace quarrion::cli
