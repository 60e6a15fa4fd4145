#include "store/transaction.h"

#include <SQLiteCpp/Database.h>

namespace quarrion {

Transaction::Transaction(SQLite::Database& db, Purpose purpose) : db_(db) {
    db_.exec(purpose == ForWriting ? "BEGIN IMMEDIATE" : "BEGIN DEFERRED");
}

Transaction::~Transaction() {
    if (committed_) return;
    try {
        db_.exec("ROLLBACK");
    } catch (...) {
        // A failed rollback leaves nothing to undo: SQLite has already rolled the
        // transaction back when it reports an error that ends it.
    }
}

void Transaction::Commit() {
    db_.exec("COMMIT");
    committed_ = true;
}

}  // namespace quarrion
