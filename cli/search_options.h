#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cli_support.h"
#include "model/search_object2.h"
#include "search/search_session.h"
#include "search/store_session.h"

namespace quarrion::cli {

// What `--type` means for a command.
enum class TypeUse {
    Search,  // the included types (repeatable); not with --saved
    Select,  // required, repeatable: the types to act on, included (or in the saved search)
    Single,  // required, one: the type to act on, included (or in the saved search)
};

// The options every searching command takes (search, to-print, view). The CLI11
// options fill it; PrepareSearch reads it.
struct SearchOptions {
    std::string home;
    std::vector<std::string> types;
    std::string from;
    std::string to;
    std::string dateFilter = "txn";
    std::string today;  // YYYY-MM-DD: the day relative dates count from
    std::vector<std::string> rules;
    std::vector<std::string> fields;
    std::string saved;
    bool ignoreAccents = false;
    std::string fieldCase;  // "sensitive" or "insensitive"; "" keeps the search's own
    std::string company;
    std::string responses;
    // Records read per type at most; 0 reads every record. Unset keeps the search's own.
    long max = 9000;
    int wait = 0;  // seconds for the Web Connector; 0: the link settings' wait

    CLI::Option* typeOption = nullptr;
    CLI::Option* maxOption = nullptr;
    CLI::Option* fromOption = nullptr;
    CLI::Option* toOption = nullptr;
    CLI::Option* dateFilterOption = nullptr;
    CLI::Option* ruleOption = nullptr;
    CLI::Option* fieldOption = nullptr;
    CLI::Option* ignoreAccentsOption = nullptr;
};

void AddSearchOptions(CLI::App& app, SearchOptions& options, TypeUse use);

// The store opened and the search defined, ready to run.
struct PreparedSearch {
    std::unique_ptr<StoreSession> store;
    std::unique_ptr<SearchObject2> search = std::make_unique<SearchObject2>();
    // The --type types, in order (for to-print and view: the types acted on).
    std::vector<std::int32_t> selected;
};

// Points the data folder at --home, opens the store and builds the search from the
// options, or loads the saved search. Answers an exit code: 0 when `prepared` is
// ready, 2 for a usage error, 1 when the store failed; the message is on stderr.
int PrepareSearch(const std::string& command, const SearchOptions& options, TypeUse use,
                  CliNotifier& notifier, PreparedSearch& prepared);

// The processor the options ask for (--company, --responses); empty: the data folder's.
Relaywick::ProcessorFactory ProcessorOf(const SearchOptions& options);

// Copies the prepared search into the session's run and runs it to the end, showing
// progress on a terminal, recording the company file in the store and reporting the
// link's pop-ups and every failed type on stderr. The run's Changed and FileReported
// hooks are cleared again before it returns. Answers 0, or 1 when a type could not be
// searched.
int RunSearch(const std::string& command, PreparedSearch& prepared, SearchSession& session);

}  // namespace quarrion::cli
