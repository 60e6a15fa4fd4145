#pragma once

#include <memory>
#include <unordered_map>

namespace SQLite {
class Database;
class Statement;
}  // namespace SQLite

namespace quarrion {

// A prepared statement borrowed from the cache for one use. It is reset when the use
// ends, whether the rows were read to the end or not: a statement left un-reset keeps
// its read transaction open, and in WAL mode that stale snapshot makes this
// connection's next write fail at once (SQLITE_BUSY_SNAPSHOT) as soon as another
// program has written to the file in between.
class CachedStatement {
  public:
    explicit CachedStatement(SQLite::Statement& statement) : statement_(statement) {}
    ~CachedStatement();
    CachedStatement(const CachedStatement&) = delete;
    CachedStatement& operator=(const CachedStatement&) = delete;

    SQLite::Statement* operator->() const { return &statement_; }
    SQLite::Statement& operator*() const { return statement_; }

  private:
    SQLite::Statement& statement_;
};

// Prepared statements of one connection, each prepared on first use and kept, keyed by
// the address of its SQL text: callers pass string literals only. Must be cleared
// before the connection closes.
class StatementCache {
  public:
    StatementCache() = default;
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // Throws SQLite::Exception when the SQL does not prepare.
    CachedStatement Prepared(SQLite::Database& db, const char* sql);
    void Clear();

  private:
    std::unordered_map<const char*, std::unique_ptr<SQLite::Statement>> statements_;
};

}  // namespace quarrion
