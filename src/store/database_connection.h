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

// Opens `path` as OpenConnection does and makes sure it is a file of ours (with
// `acceptUnused`, also an empty file without tables that is ours to take). A file that
// is no SQLite database, or one of another program, is not written to in any way; the
// failure names the file and says so. Never throws.
StoreResult OpenStoreFile(const std::filesystem::path& path, bool create, bool acceptUnused,
                          std::unique_ptr<SQLite::Database>& db);

// The store's view of an exception from the engine or the library: SQLite's extended
// result code and message for engine errors, StoreErrorCode::Unexpected otherwise.
StoreError EngineError(const std::exception& error);

// A file path as messages quote it: "/x/Quarrion.qr3" in double quotes.
std::string FileWords(const std::filesystem::path& path);

}  // namespace quarrion
