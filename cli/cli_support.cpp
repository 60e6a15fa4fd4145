#include "cli_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "foundation/app_paths.h"
#include "foundation/calendar_day.h"

namespace quarrion::cli {

namespace {

// The store breaks its lines with CR; a terminal wants LF.
std::string Lines(std::string text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out.push_back('\n');
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

}  // namespace

void AddHomeOption(CLI::App& app, std::string& home) {
    app.add_option("--home", home,
                   "Data folder (database, settings, error log, sample company); default "
                   "$QUARRION_HOME, else the desktop program's")
        ->type_name("DIR")
        ->check(NotEmptyValidator());
}

void AddActionArgument(CLI::App& app, std::string& action, std::vector<std::string> actions) {
    std::string help;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        help += i == 0 ? "" : (i + 1 == actions.size() ? " or " : ", ");
        help += actions[i];
    }
    app.add_option("action", action, help)->required()->check(CLI::IsMember(std::move(actions)));
}

NotEmptyValidator::NotEmptyValidator() {
    name_ = "NOTEMPTY";
    func_ = [](const std::string& text) {
        return text.empty() ? std::string("needs a value, not an empty text") : std::string();
    };
}

bool OpenStore(const std::string& command, StoreSession& store) {
    if (StoreResult opened = store.Open(); !opened) {
        Complain(command, "cannot open the store in " + DataFolder().string() + ": " +
                              opened.Error().Description);
        return false;
    }
    return true;
}

void ApplyHome(const std::string& home) {
    if (home.empty()) return;
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(home, error);
    if (error) path = home;
    ::setenv("QUARRION_HOME", path.string().c_str(), 1);
}

IsoDateValidator::IsoDateValidator() {
    name_ = "DATE";
    func_ = [](const std::string& text) {
        return ParseIsoDay(text) ? std::string()
                                 : "\"" + text + "\" is not a date written YYYY-MM-DD";
    };
}

bool ErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

bool SameFileAsStandardOutput(const std::string& path) {
    struct stat out {
    }, named{};
    return ::fstat(STDOUT_FILENO, &out) == 0 && ::stat(path.c_str(), &named) == 0 &&
           out.st_dev == named.st_dev && out.st_ino == named.st_ino;
}

std::string Printable(std::string_view text, bool keepLineBreaks) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if ((byte >= 0x20 && byte != 0x7F) || (keepLineBreaks && c == '\n')) {
            out.push_back(c);
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            static const char* const kHex = "0123456789abcdef";
            out += "\\x";
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0xF]);
        }
    }
    return out;
}

void Complain(const std::string& command, const std::string& message) {
    std::cerr << "quarrion-cli " << command << ": " << Printable(message, true) << "\n";
}

void CliNotifier::ShowError(const std::string& title, const std::string& text) {
    Complain(command_, title + ": " + Lines(text));
}

void CliNotifier::ErrorOccurred(long number, const std::string& description,
                                const std::string& source, const std::string& operation) {
    Complain(command_, operation + ": (" + std::to_string(number) + ") " + source + ": " +
                           Lines(description));
}

bool CliNotifier::ConfirmReplace(const std::string&, const std::string&) {
    asked_ = true;
    return replace_;
}

void CliNotifier::RunFirstTimeInitialisation(const std::function<bool()>& run) {
    if (ErrorIsTerminal()) std::cerr << "Setting up the catalog of qbXML elements ...\n";
    run();
}

}  // namespace quarrion::cli
