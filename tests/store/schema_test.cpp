#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "foundation/atomic_file.h"
#include "store/database_connection.h"
#include "store/store_schema.h"
#include "store_fixture.h"

namespace quarrion {
namespace {

using test::Inspect;
using test::Rows;

// These tests are about the schema alone: no shipped catalog to compare with.
class Schema : public test::StoreFolder {
  protected:
    void SetUp() override {
        io_.SetControlFile(dir_.Path() / "no control file.tsl");
        ASSERT_TRUE(io_.CheckDatabase(path_.string()));
    }
};

// The whole declared schema (tables, fields, types, relations with their names and
// cascades, indexes) as SQLite holds it, against one reviewed dump. After a deliberate
// schema change, run the test with QUARRION_UPDATE_GOLDEN=1 and review the diff.
TEST_F(Schema, CreatesExactlyTheDeclaredTablesRelationsAndIndexes) {
    auto db = Inspect(path_);
    const std::string dump = Rows(db,
                                  "SELECT '-- ' || type || ' ' || name || char(10) || sql || ';' "
                                  "FROM sqlite_schema WHERE name NOT LIKE 'sqlite!_%' ESCAPE '!' "
                                  "ORDER BY type DESC, name");
    const std::filesystem::path golden = QUARRION_SCHEMA_GOLDEN;
    if (std::getenv("QUARRION_UPDATE_GOLDEN")) ASSERT_TRUE(WriteFileAtomically(golden, dump));
    EXPECT_EQ(dump, test::ReadAll(golden));
    EXPECT_EQ(Rows(db, "SELECT * FROM pragma_application_id, pragma_journal_mode"),
              std::to_string(kStoreApplicationId) + "|wal\n");
}

TEST_F(Schema, ValuesOutsideTheirFieldsAreRefusedAndExplainedInWords) {
    auto db = OpenConnection(path_, false);
    struct Case {
        const char* sql;
        long number;
        const char* words;
    };
    const Case refused[] = {
        {"INSERT INTO \"Search\" (name) VALUES (printf('%.51c', 'x'))", SQLITE_CONSTRAINT_CHECK,
         "The value for \"name\" must be at most 50 characters long."},
        {"INSERT INTO \"Search\" (name, date_filter) VALUES ('n', 40000)", SQLITE_CONSTRAINT_CHECK,
         "The value for \"date_filter\" must be a whole number from -32768 to 32767."},
        {"INSERT INTO \"Search\" (name) VALUES ('')", SQLITE_CONSTRAINT_CHECK,
         "The value for \"name\" must not be empty."},
        {"INSERT INTO \"Basics\" (code, tag_name, searchable) VALUES (1, 't', 2)",
         SQLITE_CONSTRAINT_CHECK, "The value for \"searchable\" must be true or false."},
        {"INSERT INTO \"Basics\" (tag_name) VALUES ('t')", SQLITE_CONSTRAINT_NOTNULL,
         "A value the database needs is missing."},
        {"INSERT INTO \"Basics\" (code, tag_name) VALUES (1, 'a'), (1, 'A')",
         SQLITE_CONSTRAINT_UNIQUE, ""},
        {"INSERT INTO \"Search Include\" (search_id, request_type) VALUES (77, 4)",
         SQLITE_CONSTRAINT_FOREIGNKEY, "A row names another row that is not in the database."},
    };
    for (const auto& c : refused) {
        try {
            db->exec(c.sql);
            ADD_FAILURE() << c.sql << " was accepted";
        } catch (const std::exception& e) {
            StoreError error = EngineError(e);
            EXPECT_EQ(error.Number, c.number) << c.sql;
            EXPECT_EQ(error.Description.rfind(c.words, 0), 0u) << error.Description;
            EXPECT_EQ(error.Text().rfind("(" + std::to_string(c.number) + ")\r", 0), 0u);
        }
    }
    EXPECT_NO_THROW(db->exec("INSERT INTO \"Search\" (name) VALUES (printf('%.50c', 'x'))"));
    EXPECT_NO_THROW(
        db->exec("INSERT INTO \"Basics\" (code, tag_name, default_heading) "
                 "VALUES (1, 'b', '')"));
}

TEST_F(Schema, AnOlderFileGetsWhatItLacksAndKeepsItsRows) {
    const auto old = dir_.Path() / "old.qr3";
    {
        SQLite::Database db(old.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec("PRAGMA application_id = " + std::to_string(kStoreApplicationId));
        db.exec(R"(CREATE TABLE "Basics" (id INTEGER PRIMARY KEY AUTOINCREMENT,
                    code INTEGER NOT NULL, reference TEXT, default_sequence INTEGER,
                    sequence INTEGER, tag_name TEXT, default_heading TEXT, level INTEGER,
                    user_heading TEXT, searchable INTEGER, search_group TEXT,
                    version_21 INTEGER, version_20 INTEGER, version_11 INTEGER,
                    version_10 INTEGER, data_type TEXT, version_30 INTEGER))");
        db.exec(
            "INSERT INTO \"Basics\" (code, tag_name, user_heading) VALUES "
            "(4, '//InvoiceRet/TxnDate', 'Mine'), (4, '//InvoiceRet/RefNumber', 'No.')");
        db.exec(
            "CREATE TABLE \"Search\" (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT, "
            "date_filter INTEGER, from_date TEXT, to_date TEXT)");
    }
    // No shipped catalog here, so only the schema change can ask for an update.
    ASSERT_TRUE(io_.CheckDatabase(old.string()));
    EXPECT_TRUE(io_.NeedsUpdate());

    auto db = Inspect(old);
    EXPECT_EQ(Rows(db, "SELECT user_heading, version_ca30 IS NULL FROM \"Basics\" ORDER BY id"),
              "Mine|1\nNo.|1\n");
    EXPECT_EQ(Rows(db,
                   "SELECT (SELECT count(*) FROM \"FieldCriterion NumberList\"), "
                   "(SELECT count(*) FROM pragma_table_info('Search') WHERE name = 'description'), "
                   "(SELECT count(*) FROM sqlite_schema WHERE name = 'Basics.CodeTagKey')"),
              "0|1|1\n");
    ASSERT_TRUE(io_.CheckDatabase(""));
    EXPECT_FALSE(io_.NeedsUpdate());
}

TEST_F(Schema, AnEmptyFileIsTakenAsANewDatabase) {
    const auto empty = dir_.Path() / "empty.qr3";
    { std::ofstream touch(empty); }
    ASSERT_TRUE(io_.CheckDatabase(empty.string()));
    EXPECT_FALSE(io_.NeedsUpdate());
    auto db = Inspect(empty);
    EXPECT_EQ(db.execAndGet("PRAGMA application_id").getInt(), kStoreApplicationId);
}

}  // namespace
}  // namespace quarrion
