#include "store/database_connection.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include <string>

namespace quarrion {

std::unique_ptr<SQLite::Database> OpenConnection(const std::filesystem::path& path, bool create) {
    int flags = SQLite::OPEN_READWRITE | (create ? SQLite::OPEN_CREATE : 0);
    auto db = std::make_unique<SQLite::Database>(path.string(), flags, kBusyTimeoutMs);
    db->exec("PRAGMA foreign_keys = ON");
    // NORMAL in WAL mode syncs at checkpoints only: a killed process loses nothing that
    // was committed, and a save stays far below the time a user would notice.
    db->exec("PRAGMA synchronous = NORMAL");
    // Room for a whole catalog and a thousand saved searches, so listing them twice
    // reads the file once (8 MB; the default keeps about 2 MB).
    db->exec("PRAGMA cache_size = -8000");
    return db;
}

DatabaseOwner OwnerOf(SQLite::Database& db) {
    // One statement, so both answers come from one snapshot: read apart, another program
    // preparing the file could commit between them, and its tables without our
    // application id would look like a foreign database. Neither read writes.
    SQLite::Statement owner(db,
                            "SELECT (SELECT application_id FROM pragma_application_id), "
                            "(SELECT count(*) FROM sqlite_schema WHERE name NOT LIKE 'sqlite!_%' "
                            "ESCAPE '!')");
    owner.executeStep();
    const std::int32_t applicationId = owner.getColumn(0).getInt();
    const int tables = owner.getColumn(1).getInt();
    if (applicationId == kStoreApplicationId) return DatabaseOwner::Ours;
    if (applicationId != 0) return DatabaseOwner::Foreign;
    return tables == 0 ? DatabaseOwner::Unused : DatabaseOwner::Foreign;
}

long RecordedFormat(SQLite::Database& db) {
    SQLite::Statement table(db,
                            "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = ?");
    table.bind(1, kStoreFormatTable);
    if (!table.executeStep() || table.getColumn(0).getInt() == 0) return 1;
    SQLite::Statement version(
        db, "SELECT max(version) FROM \"" + std::string(kStoreFormatTable) + "\"");
    if (!version.executeStep() || version.getColumn(0).isNull()) return 1;
    return version.getColumn(0).getInt64();
}

StoreResult OpenStoreFile(const std::filesystem::path& path, bool create, bool acceptUnused,
                          std::unique_ptr<SQLite::Database>& db) {
    const std::string unchanged = " The file was left unchanged.";
    DatabaseOwner owner;
    long format = 1;
    std::unique_ptr<SQLite::Database> opened;
    try {
        opened = OpenConnection(path, create);
        owner = OwnerOf(*opened);
        if (owner == DatabaseOwner::Ours) format = RecordedFormat(*opened);
    } catch (const std::exception& e) {
        StoreError error = EngineError(e);
        const auto* engine = dynamic_cast<const SQLite::Exception*>(&e);
        if (engine && engine->getErrorCode() == SQLITE_NOTADB) {
            error.Number = StoreErrorCode::NotADatabase;
            error.Source = "IOManager";
            error.Description = "Quarrion cannot use the file " + FileWords(path) +
                                " as its database: it is not a database." + unchanged;
        } else {
            error.Description =
                "The database " + FileWords(path) + " cannot be opened: " + error.Description;
        }
        return StoreResult(std::move(error));
    }
    if (owner == DatabaseOwner::Foreign) {
        return StoreResult::Fail(StoreErrorCode::ForeignDatabase,
                                 "The file " + FileWords(path) +
                                     " is a database of another program, so Quarrion does not "
                                     "use it." +
                                     unchanged + " Move it away or choose another file.");
    }
    if (format > kStoreFormat) {
        return StoreResult::Fail(StoreErrorCode::NewerDatabase,
                                 "The database " + FileWords(path) +
                                     " was made by a newer version of Quarrion (store format " +
                                     std::to_string(format) + "; this version knows up to " +
                                     std::to_string(kStoreFormat) +
                                     "), so this version does not use it." + unchanged +
                                     " Open it with the newer Quarrion, or move it away to "
                                     "start a new database.");
    }
    if (owner == DatabaseOwner::Unused && !acceptUnused) {
        return StoreResult::Fail(StoreErrorCode::ForeignDatabase,
                                 "The file " + FileWords(path) +
                                     " is an empty database that Quarrion has not prepared yet." +
                                     unchanged);
    }
    db = std::move(opened);
    return StoreResult::Ok();
}

namespace {

// Says in words which rule of the schema a refused value broke; the engine's own
// wording follows in parentheses. The schema names every value check "<field> must
// <rule>", so a refused check becomes "The value for "<field>" must <rule>."
std::string ExplainRefusal(long number, const std::string& message) {
    std::string explanation;
    if (number == SQLITE_CONSTRAINT_CHECK) {
        const std::string failed = "CHECK constraint failed: ";
        const std::string must = " must ";
        std::size_t start = message.find(failed);
        std::size_t split = message.find(must);
        if (start != std::string::npos && split != std::string::npos && split > start) {
            start += failed.size();
            explanation = "The value for \"" + message.substr(start, split - start) + "\" must " +
                          message.substr(split + must.size()) + ".";
        }
    } else if (number == SQLITE_CONSTRAINT_FOREIGNKEY) {
        explanation = "A row names another row that is not in the database.";
    } else if (number == SQLITE_CONSTRAINT_UNIQUE || number == SQLITE_CONSTRAINT_PRIMARYKEY) {
        explanation = "The database holds such a row already.";
    } else if (number == SQLITE_CONSTRAINT_NOTNULL) {
        explanation = "A value the database needs is missing.";
    }
    return explanation.empty() ? message : explanation + " (" + message + ")";
}

}  // namespace

StoreError EngineError(const std::exception& error) {
    if (const auto* engine = dynamic_cast<const SQLite::Exception*>(&error)) {
        long number = engine->getExtendedErrorCode();
        if (number < 0) number = engine->getErrorCode();
        if (number < 0) number = StoreErrorCode::Unexpected;
        return StoreError{number, ExplainRefusal(number, engine->what()), "SQLite"};
    }
    return StoreError{StoreErrorCode::Unexpected, error.what(), "IOManager"};
}

std::string FileWords(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

}  // namespace quarrion
