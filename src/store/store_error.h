#pragma once

#include <string>
#include <utility>

namespace quarrion {

// Numbers of the failures the store detects itself. Engine failures carry SQLite's
// extended result code instead (19 and up: 787 a refused link, 275 a refused value,
// 26 a file that is not a database), so the two ranges never meet.
namespace StoreErrorCode {
inline constexpr long NotADatabase = 0x7101;           // the file is no SQLite database
inline constexpr long ForeignDatabase = 0x7102;        // a database of another program
inline constexpr long DatabaseNotOpen = 0x7103;        // an operation needs OpenDatabase first
inline constexpr long NoDatabaseName = 0x7104;         // CheckDatabase without any path
inline constexpr long ControlFileShortLine = 0x7111;   // fewer than eighteen fields
inline constexpr long ControlFileOverflow = 0x7112;    // a number outside -32768..32767
inline constexpr long ControlFileBadBoolean = 0x7113;  // neither True, False nor a number
inline constexpr long ControlFileUnreadable = 0x7114;  // present but cannot be read
inline constexpr long UpgradeRefused = 0x7121;         // the file needs changes not allowed
inline constexpr long NewerDatabase = 0x7122;          // a newer program's store format
inline constexpr long NoSearch = 0x7131;               // SaveSearchObject given nothing
inline constexpr long UnknownCatalogEntry = 0x7132;    // a column or rule without a stored tag
inline constexpr long SaveCancelled = 0x7133;          // the user kept another search's name
inline constexpr long NoSuchSearch = 0x7134;           // nothing saved under that id
inline constexpr long Unexpected = 0x71FF;             // anything else (out of memory, ...)
}  // namespace StoreErrorCode

// One failure as the user is told about it.
struct StoreError {
    long Number = 0;
    std::string Description;
    // Who raised it: "SQLite" for the engine, "IOManager" for the store's own checks.
    std::string Source;

    // The message-box text: "(" + number + ")" + CR + description.
    std::string Text() const;
};

// The answer of a store operation: success, or the failure with its message. Testing
// it reads as the flag the operation answers (`if (!io.OpenDatabase()) ...`).
class [[nodiscard]] StoreResult {
  public:
    StoreResult() = default;  // success
    StoreResult(StoreError error) : failed_(true), error_(std::move(error)) {}

    static StoreResult Ok() { return {}; }
    static StoreResult Fail(long number, std::string description,
                            std::string source = "IOManager") {
        return StoreResult(StoreError{number, std::move(description), std::move(source)});
    }

    explicit operator bool() const { return !failed_; }
    bool Failed() const { return failed_; }
    // Meaningful only after a failure.
    const StoreError& Error() const { return error_; }

  private:
    bool failed_ = false;
    StoreError error_;
};

}  // namespace quarrion
