#include "store/statement_cache.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

namespace quarrion {

CachedStatement::~CachedStatement() {
    statement_.tryReset();
    statement_.clearBindings();
}

StatementCache::~StatementCache() = default;

CachedStatement StatementCache::Prepared(SQLite::Database& db, const char* sql) {
    auto& slot = statements_[sql];
    if (!slot) slot = std::make_unique<SQLite::Statement>(db, sql);
    return CachedStatement(*slot);
}

void StatementCache::Clear() {
    statements_.clear();
}

}  // namespace quarrion
