#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/store_error.h"

namespace quarrion {

// Field types of a declaration, numbered as the declarations have always numbered them.
enum class FieldType {
    Boolean = 1,
    Integer = 3,  // 16-bit
    Long = 4,     // 32-bit
    Double = 7,
    DateTime = 8,
    Text = 10,  // with a maximum length; 0 means kDefaultTextLength
    Memo = 12,  // text without a length limit
};

namespace FieldAttribute {
// The engine numbers new rows itself; the field becomes the table's row id.
inline constexpr int AutoIncrement = 16;
}  // namespace FieldAttribute

// The length a text field declared with length 0 may hold.
inline constexpr int kDefaultTextLength = 255;

struct FieldDeclaration {
    std::string Name;
    FieldType Type = FieldType::Long;
    int Size = 0;
    int Attributes = 0;
    bool Required = false;         // a row must give it a value (NOT NULL)
    bool AllowZeroLength = false;  // a text field accepts ""; otherwise "" is refused
    bool IsAuto() const { return (Attributes & FieldAttribute::AutoIncrement) != 0; }
};

struct IndexDeclaration {
    std::string Name;
    bool Primary = false;
    bool Unique = false;
    std::vector<std::string> Fields;
};

struct TableDeclaration {
    std::string Name;
    std::vector<FieldDeclaration> Fields;
    std::vector<IndexDeclaration> Indexes;
    const FieldDeclaration* Field(std::string_view name) const;
};

// A link from every row of `Child` to the `Parent` row whose `ParentField` equals the
// row's `ChildField`. The link is enforced; with `CascadeDeletes` deleting the parent
// deletes its children, with `CascadeUpdates` a changed parent key is carried along.
struct RelationDeclaration {
    std::string Name;
    std::string Parent;
    std::string Child;
    bool CascadeUpdates = false;
    bool CascadeDeletes = false;
    std::string ParentField;
    std::string ChildField;
};

// Brings one SQLite file to a declared schema. The caller declares tables (each with
// its fields, then its indexes) and then relations, in the order the Create and Add
// calls are made; `Apply` then creates a missing file or adds to an existing file of
// ours whatever it lacks: tables, fields and indexes. It never drops or changes
// anything that is there, so an older file keeps all its rows; and it never writes to
// a file that is not ours (see OpenStoreFile).
//
// In SQLite terms: table and field names are kept exactly, spaces included, and always
// quoted; an auto field becomes INTEGER PRIMARY KEY AUTOINCREMENT (ids are never
// reused, so a stale id held in memory cannot reach a newer row); Required becomes NOT
// NULL; a text field compares ignoring letter case and holds at most its length, and
// refuses "" unless AllowZeroLength; Integer fields hold 16-bit, Long fields 32-bit
// values and Boolean fields 0 or 1; DateTime fields hold "YYYY-MM-DD HH:MM:SS" text. A
// primary index becomes the table's primary key, every other index a SQLite index named
// "<table>.<index>" (SQLite index names are global to the file). A relation becomes a
// named foreign key of the child table.
class SchemaBuilder {
  public:
    explicit SchemaBuilder(std::filesystem::path path);

    // Starts a table; the fields and indexes declared next belong to it.
    void CreateTable(std::string name);
    void CreateField(std::string name, FieldType type, int size, int attributes, bool required,
                     bool allowZeroLength);
    void CreateIndex(std::string name, bool primary, bool unique);
    void AddIndexField(std::string field);
    void CreateRelation(std::string name, std::string parent, std::string child,
                        bool cascadeUpdates, bool cascadeDeletes);
    void AddRelationField(std::string parentField, std::string childField);

    // With `createMissing` a missing (or empty, unused) file is created; with `upgrade`
    // an existing file of ours that lacks tables, fields or indexes gets them, otherwise
    // that is a failure. All changes are made in one transaction: on failure the file
    // is exactly as before.
    StoreResult Apply(bool createMissing, bool upgrade);

    // After Apply: true when it had to change a file that already held our tables.
    bool NeedsUpdate() const { return needsUpdate_; }
    // After Apply: true when it made a new database (also from an empty, unused file).
    bool Created() const { return created_; }
    // After a successful Apply: the file's PRAGMA user_version, where the store records
    // the version of the control file its catalog was last brought up to.
    long UserVersion() const { return userVersion_; }

    const std::filesystem::path& Path() const { return path_; }
    const std::vector<TableDeclaration>& Tables() const { return tables_; }
    const std::vector<RelationDeclaration>& Relations() const { return relations_; }
    const TableDeclaration* Table(std::string_view name) const;

    // The statement that creates a declared table with its primary key and links.
    std::string CreateTableSql(const TableDeclaration& table) const;

  private:
    std::string ColumnSql(const TableDeclaration& table, const FieldDeclaration& field,
                          bool addingToExisting) const;
    const RelationDeclaration* RelationOf(std::string_view child, std::string_view field) const;

    std::filesystem::path path_;
    std::vector<TableDeclaration> tables_;
    std::vector<RelationDeclaration> relations_;
    bool needsUpdate_ = false;
    bool created_ = false;
    long userVersion_ = 0;
};

// A name as an SQL identifier: in double quotes, inner quotes doubled.
std::string QuoteName(std::string_view name);

}  // namespace quarrion
