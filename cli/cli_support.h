#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "search/store_session.h"
#include "store/store_notifier.h"

namespace quarrion::cli {

// `--home DIR`: the data folder (database, settings, error log, sample company).
// Every command takes it; ApplyHome must run before anything reads DataFolder().
void AddHomeOption(CLI::App& app, std::string& home);
// The command's first argument, the action: one of `actions`, required. The help text
// lists them ("list, update or reset").
void AddActionArgument(CLI::App& app, std::string& action, std::vector<std::string> actions);
// Points QUARRION_HOME at `home` (made absolute) when it is not empty.
void ApplyHome(const std::string& home);

// CLI11 validator: a name that is not empty ("--company \"\"" is a usage error, not a
// request to run without a company).
struct NotEmptyValidator : public CLI::Validator {
    NotEmptyValidator();
};

// CLI11 validator: a real date written YYYY-MM-DD.
struct IsoDateValidator : public CLI::Validator {
    IsoDateValidator();
};

// True when standard error is a terminal (progress is shown only there).
bool ErrorIsTerminal();

// The text with control characters shown escaped (\x1b, \t ...), so a path or a logged
// message cannot move the cursor or rewrite a terminal; line breaks are kept when
// `keepLineBreaks`.
std::string Printable(std::string_view text, bool keepLineBreaks = false);

// True when `path` names the file standard output writes to (/dev/stdout, or the
// file it was redirected to).
bool SameFileAsStandardOutput(const std::string& path);

// Writes "quarrion-cli COMMAND: message" to standard error, control characters other
// than line breaks escaped.
void Complain(const std::string& command, const std::string& message);

// Opens the store; on failure tells the user why (naming the data folder) and
// answers false.
bool OpenStore(const std::string& command, StoreSession& store);

// How the store talks to a terminal user: errors on standard error, replacing a
// saved search only when `--replace` was given, a note while the catalog is set up.
class CliNotifier : public StoreNotifier {
  public:
    CliNotifier(std::string command, bool replace = false)
        : command_(std::move(command)), replace_(replace) {}

    void ShowError(const std::string& title, const std::string& text) override;
    void ErrorOccurred(long number, const std::string& description, const std::string& source,
                       const std::string& operation) override;
    bool ConfirmReplace(const std::string& caption, const std::string& message) override;
    void RunFirstTimeInitialisation(const std::function<bool()>& run) override;

    // Whether ConfirmReplace was asked (a search of that name existed).
    bool AskedToReplace() const { return asked_; }

  private:
    std::string command_;
    bool replace_;
    bool asked_ = false;
};

}  // namespace quarrion::cli
