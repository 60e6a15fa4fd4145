#include "store/schema_builder.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>

#include <sqlite3.h>

#include <cassert>
#include <chrono>
#include <set>
#include <system_error>
#include <thread>

#include "foundation/text_fold.h"
#include "store/database_connection.h"
#include "store/transaction.h"

namespace quarrion {

namespace {

constexpr std::chrono::milliseconds kWalRetryEvery(20);

std::string SqlType(FieldType type) {
    switch (type) {
        case FieldType::Boolean:
        case FieldType::Integer:
        case FieldType::Long:
            return "INTEGER";
        case FieldType::Double:
            return "REAL";
        case FieldType::DateTime:
        case FieldType::Text:
        case FieldType::Memo:
            return "TEXT";
    }
    return "BLOB";
}

// The value checks that make SQLite hold what the declaration allows, each named
// "<field> must <rule>" so a refusal reads as a sentence (see EngineError). NULL
// passes every check (a comparison with NULL is not false): optional fields stay
// optional.
struct Check {
    std::string rule;
    std::string expression;
};

std::vector<Check> Checks(const FieldDeclaration& field) {
    std::string name = QuoteName(field.Name);
    std::vector<Check> checks;
    switch (field.Type) {
        case FieldType::Boolean:
            checks.push_back({"be true or false", name + " IN (0, 1)"});
            break;
        case FieldType::Integer:
            checks.push_back(
                {"be a whole number from -32768 to 32767", name + " BETWEEN -32768 AND 32767"});
            break;
        case FieldType::Long:
            if (!field.IsAuto()) {
                checks.push_back({"be a whole number from -2147483648 to 2147483647",
                                  name + " BETWEEN -2147483648 AND 2147483647"});
            }
            break;
        case FieldType::Text: {
            std::string size = std::to_string(field.Size > 0 ? field.Size : kDefaultTextLength);
            checks.push_back(
                {"be at most " + size + " characters long", "length(" + name + ") <= " + size});
            if (!field.AllowZeroLength) checks.push_back({"not be empty", name + " <> ''"});
            break;
        }
        case FieldType::Memo:
            if (!field.AllowZeroLength) checks.push_back({"not be empty", name + " <> ''"});
            break;
        case FieldType::Double:
        case FieldType::DateTime:
            break;
    }
    return checks;
}

std::string ZeroValue(FieldType type) {
    switch (type) {
        case FieldType::DateTime:
        case FieldType::Text:
        case FieldType::Memo:
            return "''";
        default:
            return "0";
    }
}

struct ExistingTable {
    std::set<std::string> columns;  // upper-cased: SQLite names ignore ASCII case
    std::vector<std::string> primaryKey;
};

bool ReadTable(SQLite::Database& db, const std::string& name, ExistingTable& table) {
    SQLite::Statement info(db, "SELECT name, pk FROM pragma_table_info(?) ORDER BY pk");
    info.bind(1, name);
    bool found = false;
    while (info.executeStep()) {
        found = true;
        std::string column = info.getColumn(0).getString();
        table.columns.insert(UpperCase(column));
        if (info.getColumn(1).getInt() > 0) table.primaryKey.push_back(UpperCase(column));
    }
    return found;
}

bool IndexExists(SQLite::Database& db, const std::string& name) {
    SQLite::Statement query(db, "SELECT 1 FROM sqlite_schema WHERE type = 'index' AND name = ?");
    query.bind(1, name);
    return query.executeStep();
}

std::string FieldList(const std::vector<std::string>& fields) {
    std::string list;
    for (const auto& field : fields) {
        if (!list.empty()) list += ", ";
        list += QuoteName(field);
    }
    return list;
}

// The primary index of a table whose auto field already is its primary key adds
// nothing: both name the same single field.
bool PrimaryIsAutoField(const TableDeclaration& table, const IndexDeclaration& index) {
    if (index.Fields.size() != 1) return false;
    const FieldDeclaration* field = table.Field(index.Fields.front());
    return field && field->IsAuto();
}

}  // namespace

std::string QuoteName(std::string_view name) {
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

const FieldDeclaration* TableDeclaration::Field(std::string_view name) const {
    for (const auto& field : Fields) {
        if (EqualsIgnoringCase(field.Name, name)) return &field;
    }
    return nullptr;
}

SchemaBuilder::SchemaBuilder(std::filesystem::path path) : path_(std::move(path)) {}

void SchemaBuilder::CreateTable(std::string name) {
    tables_.push_back(TableDeclaration{std::move(name), {}, {}});
}

void SchemaBuilder::CreateField(std::string name, FieldType type, int size, int attributes,
                                bool required, bool allowZeroLength) {
    assert(!tables_.empty() && "CreateField needs a CreateTable first");
    tables_.back().Fields.push_back(
        FieldDeclaration{std::move(name), type, size, attributes, required, allowZeroLength});
}

void SchemaBuilder::CreateIndex(std::string name, bool primary, bool unique) {
    assert(!tables_.empty() && "CreateIndex needs a CreateTable first");
    tables_.back().Indexes.push_back(IndexDeclaration{std::move(name), primary, unique, {}});
}

void SchemaBuilder::AddIndexField(std::string field) {
    assert(!tables_.empty() && !tables_.back().Indexes.empty() && "AddIndexField needs an index");
    tables_.back().Indexes.back().Fields.push_back(std::move(field));
}

void SchemaBuilder::CreateRelation(std::string name, std::string parent, std::string child,
                                   bool cascadeUpdates, bool cascadeDeletes) {
    relations_.push_back(RelationDeclaration{std::move(name),
                                             std::move(parent),
                                             std::move(child),
                                             cascadeUpdates,
                                             cascadeDeletes,
                                             {},
                                             {}});
}

void SchemaBuilder::AddRelationField(std::string parentField, std::string childField) {
    assert(!relations_.empty() && "AddRelationField needs a relation");
    relations_.back().ParentField = std::move(parentField);
    relations_.back().ChildField = std::move(childField);
}

const TableDeclaration* SchemaBuilder::Table(std::string_view name) const {
    for (const auto& table : tables_) {
        if (table.Name == name) return &table;
    }
    return nullptr;
}

const RelationDeclaration* SchemaBuilder::RelationOf(std::string_view child,
                                                     std::string_view field) const {
    for (const auto& relation : relations_) {
        if (relation.Child == child && relation.ChildField == field) return &relation;
    }
    return nullptr;
}

std::string SchemaBuilder::ColumnSql(const TableDeclaration& table, const FieldDeclaration& field,
                                     bool addingToExisting) const {
    std::string sql = QuoteName(field.Name) + " " + SqlType(field.Type);
    if (field.IsAuto()) return sql + " PRIMARY KEY AUTOINCREMENT";
    const RelationDeclaration* link = RelationOf(table.Name, field.Name);
    if (field.Required) {
        // Rows already in an older table have no value for a field added now: they get
        // the zero value, except link fields, which SQLite will only add without one.
        if (!addingToExisting) {
            sql += " NOT NULL";
        } else if (!link) {
            sql += " NOT NULL DEFAULT " + ZeroValue(field.Type);
        }
    }
    if (field.Type == FieldType::Text) sql += " COLLATE NOCASE";
    for (const auto& check : Checks(field)) {
        sql += " CONSTRAINT " + QuoteName(field.Name + " must " + check.rule) + " CHECK (" +
               check.expression + ")";
    }
    if (addingToExisting && link) {
        sql += " REFERENCES " + QuoteName(link->Parent) + " (" + QuoteName(link->ParentField) + ")";
        if (link->CascadeUpdates) sql += " ON UPDATE CASCADE";
        if (link->CascadeDeletes) sql += " ON DELETE CASCADE";
    }
    return sql;
}

std::string SchemaBuilder::CreateTableSql(const TableDeclaration& table) const {
    std::vector<std::string> parts;
    for (const auto& field : table.Fields) parts.push_back(ColumnSql(table, field, false));
    for (const auto& index : table.Indexes) {
        if (index.Primary && !PrimaryIsAutoField(table, index)) {
            parts.push_back("PRIMARY KEY (" + FieldList(index.Fields) + ")");
        }
    }
    for (const auto& relation : relations_) {
        if (relation.Child != table.Name) continue;
        std::string link = "CONSTRAINT " + QuoteName(relation.Name) + " FOREIGN KEY (" +
                           QuoteName(relation.ChildField) + ") REFERENCES " +
                           QuoteName(relation.Parent) + " (" + QuoteName(relation.ParentField) +
                           ")";
        if (relation.CascadeUpdates) link += " ON UPDATE CASCADE";
        if (relation.CascadeDeletes) link += " ON DELETE CASCADE";
        parts.push_back(link);
    }
    std::string sql = "CREATE TABLE " + QuoteName(table.Name) + " (";
    for (std::size_t i = 0; i < parts.size(); ++i) sql += (i ? ", " : "") + parts[i];
    return sql + ")";
}

StoreResult SchemaBuilder::Apply(bool createMissing, bool upgrade) {
    needsUpdate_ = false;
    created_ = false;
    userVersion_ = 0;
    try {
        std::error_code ignored;
        bool existed = std::filesystem::exists(path_, ignored);
        if (!existed && !createMissing) {
            return StoreResult::Fail(StoreErrorCode::NoDatabaseName,
                                     "The database file " + FileWords(path_) + " does not exist.");
        }
        std::unique_ptr<SQLite::Database> db;
        if (auto opened = OpenStoreFile(path_, !existed, true, db); !opened) return opened;

        // Outside any transaction, as SQLite requires; a no-op once the file is in WAL.
        // The switch needs the file to itself and SQLite answers "busy" at once instead
        // of waiting while another program prepares the file, so it is tried again
        // within the busy timeout.
        for (auto waited = std::chrono::milliseconds(0);; waited += kWalRetryEvery) {
            try {
                db->exec("PRAGMA journal_mode = WAL");
                break;
            } catch (const SQLite::Exception& busy) {
                if (busy.getErrorCode() != SQLITE_BUSY ||
                    waited >= std::chrono::milliseconds(kBusyTimeoutMs)) {
                    throw;
                }
                std::this_thread::sleep_for(kWalRetryEvery);
            }
        }

        Transaction transaction(*db);
        // Asked again under the write lock: another program may have prepared the file
        // while this one waited.
        bool fresh = OwnerOf(*db) == DatabaseOwner::Unused;
        std::vector<std::string> changes;
        for (const auto& table : tables_) {
            ExistingTable existing;
            if (!ReadTable(*db, table.Name, existing)) {
                changes.push_back(CreateTableSql(table));
                for (const auto& index : table.Indexes) {
                    if (index.Primary) continue;
                    changes.push_back(
                        std::string(index.Unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") +
                        QuoteName(table.Name + "." + index.Name) + " ON " + QuoteName(table.Name) +
                        " (" + FieldList(index.Fields) + ")");
                }
                continue;
            }
            for (const auto& field : table.Fields) {
                if (existing.columns.contains(UpperCase(field.Name))) continue;
                if (field.IsAuto()) {
                    return StoreResult::Fail(StoreErrorCode::UpgradeRefused,
                                             "The table \"" + table.Name + "\" in " +
                                                 FileWords(path_) + " lacks its field \"" +
                                                 field.Name +
                                                 "\" and cannot be brought up to date.");
                }
                changes.push_back("ALTER TABLE " + QuoteName(table.Name) + " ADD COLUMN " +
                                  ColumnSql(table, field, true));
            }
            for (const auto& index : table.Indexes) {
                if (index.Primary && PrimaryIsAutoField(table, index)) continue;
                if (index.Primary) {
                    std::vector<std::string> wanted;
                    for (const auto& f : index.Fields) wanted.push_back(UpperCase(f));
                    if (existing.primaryKey == wanted) continue;
                }
                std::string name = table.Name + "." + index.Name;
                if (IndexExists(*db, name)) continue;
                // A table made without its primary key cannot get one afterwards; a
                // unique index on the same fields keeps the same promise.
                bool unique = index.Unique || index.Primary;
                changes.push_back(std::string(unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") +
                                  QuoteName(name) + " ON " + QuoteName(table.Name) + " (" +
                                  FieldList(index.Fields) + ")");
            }
        }
        // The format row goes with the change that brings the file to this format.
        if (Table(kStoreFormatTable) && (fresh || RecordedFormat(*db) < kStoreFormat)) {
            const std::string table = QuoteName(kStoreFormatTable);
            if (!fresh) changes.push_back("DELETE FROM " + table);
            changes.push_back("INSERT INTO " + table + " (version) VALUES (" +
                              std::to_string(kStoreFormat) + ")");
        }
        if (!changes.empty() && !fresh && !upgrade) {
            return StoreResult::Fail(StoreErrorCode::UpgradeRefused,
                                     "The database " + FileWords(path_) +
                                         " is older than this program and may not be changed.");
        }
        for (const auto& sql : changes) db->exec(sql);
        if (fresh) db->exec("PRAGMA application_id = " + std::to_string(kStoreApplicationId));
        userVersion_ = db->execAndGet("PRAGMA user_version").getInt();
        transaction.Commit();
        created_ = fresh;
        needsUpdate_ = !fresh && !changes.empty();
        return StoreResult::Ok();
    } catch (const std::exception& e) {
        StoreError error = EngineError(e);
        error.Description =
            "Checking the database " + FileWords(path_) + " failed: " + error.Description;
        return StoreResult(std::move(error));
    }
}

}  // namespace quarrion
