#pragma once

namespace SQLite {
class Database;
}

namespace quarrion {

// One unit of change to the store: everything written while it lives is kept only when
// `Commit` succeeds; leaving the scope in any other way (an error, an exception, an
// early return) rolls it all back, so a search or a catalog run is stored whole or
// not at all.
//
// It takes the write lock at once (BEGIN IMMEDIATE) rather than on the first write:
// with two programs on one file a deferred transaction could fail half-way when the
// other one wrote in between, while an immediate one simply waits its turn within the
// connection's busy timeout. The connection must outlive the transaction.
//
// A transaction for reading only (`ForReading`) takes no lock: it sees the file as it
// was when its first read ran, whatever other programs commit meanwhile, so a tree
// read in several queries is read whole.
class Transaction {
  public:
    enum Purpose { ForWriting, ForReading };
    // Throws SQLite::Exception when the lock cannot be had (the file stays busy).
    explicit Transaction(SQLite::Database& db, Purpose purpose = ForWriting);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Throws SQLite::Exception when the commit fails; the destructor then rolls back.
    void Commit();
    bool Committed() const { return committed_; }

  private:
    SQLite::Database& db_;
    bool committed_ = false;
};

}  // namespace quarrion
