#pragma once

#include <cstdint>
#include <exception>
#include <filesystem>
#include <memory>

#include "store/store_error.h"

namespace SQLite {
class Database;
}

namespace quarrion {

// Written into every database this program creates (PRAGMA application_id, "QRN3"),
// so a file of another program is recognised before anything is written to it.
inline constexpr std::int32_t kStoreApplicationId = 0x51524E33;

// The store format this program reads and writes. A file records the format of the
// program that last brought it up to date in the one row of its "Store Format" table;
// a file without that table is of format 1, from before formats were recorded. Format 2
// keeps a saved search's relative date range and text options. A file of a higher
// format was made by a newer program and is refused untouched: this one would not
// keep what it does not know of.
inline constexpr long kStoreFormat = 2;
inline constexpr const char* kStoreFormatTable = "Store Format";

// How long a connection waits for another one (the desktop program and the terminal
// tool share the file) to finish writing before it reports the file as busy.
inline constexpr int kBusyTimeoutMs = 5000;

// Opens a connection with the settings every connection of the store needs: links
// between tables enforced (PRAGMA foreign_keys), the busy timeout, and commits that
// survive a killed process (write-ahead log with synchronous NORMAL; WAL mode itself
// is persistent and is switched on by the schema builder, which alone may write to a
// file it has not recognised yet). With `create` false a missing file is an error
// rather than a new empty database. Throws SQLite::Exception.
std::unique_ptr<SQLite::Database> OpenConnection(const std::filesystem::path& path, bool create);

// Whose file a connection reaches.
enum class DatabaseOwner {
    Ours,     // carries our application id
    Unused,   // an SQLite file without tables and without an application id: ours to take
    Foreign,  // anything else: another program's data, never touched
};

// Reads only the file header and the table list. Throws SQLite::Exception (26, "file is
// not a database") for a file that is no SQLite database at all.
DatabaseOwner OwnerOf(SQLite::Database& db);

// The store format a file of ours records (1 when it records none). Reads only.
// Throws SQLite::Exception.
long RecordedFormat(SQLite::Database& db);

// Opens `path` as OpenConnection does and makes sure it is a file of ours (with
// `acceptUnused`, also an empty file without tables that is ours to take) of a format
// this program knows. A file that is no SQLite database, one of another program, or
// one a newer Quarrion made, is not written to in any way; the failure names the file
// and says so. Never throws.
StoreResult OpenStoreFile(const std::filesystem::path& path, bool create, bool acceptUnused,
                          std::unique_ptr<SQLite::Database>& db);

// The store's view of an exception from the engine or the library: SQLite's extended
// result code and message for engine errors, StoreErrorCode::Unexpected otherwise.
StoreError EngineError(const std::exception& error);

// A file path as messages quote it: "/x/Quarrion.qr3" in double quotes.
std::string FileWords(const std::filesystem::path& path);

}  // namespace quarrion
