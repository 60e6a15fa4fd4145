#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "foundation/outcome.h"

namespace quarrion {

// The link's error log: a TAB-separated text file whose first line holds the column
// titles and every later line one error. The error-log window shows it as a table, so
// a value never contains a TAB or a line break (they become spaces).
class ErrorLog {
  public:
    struct Entry {
        std::string requestType;  // the request type's name, or "" for none
        std::int32_t statusCode = 0;
        std::string severity;  // "Error", "Warn" or "Info", as qbXML names them
        std::string message;
    };

    explicit ErrorLog(std::filesystem::path path) : path_(std::move(path)) {}

    // The log file of the data folder.
    static std::filesystem::path PathIn(const std::filesystem::path& dataFolder);
    // Time, request type, status code, severity, message, TAB-separated.
    static std::string_view Header();

    const std::filesystem::path& Path() const { return path_; }

    // Appends one line stamped with the local time ("YYYY-MM-DD HH:MM:SS"), writing the
    // header first when the file is missing or empty. Safe from several threads and
    // instances at once. Fails when the file cannot be opened or written.
    Outcome Append(const Entry& entry) const;

    // Leaves the file holding only its header line, written whole or not at all.
    Outcome Clear() const;

    // Changes when the file is written, so a viewer can tell it has to read it again.
    std::string Stamp() const;

  private:
    std::filesystem::path path_;
};

}  // namespace quarrion
