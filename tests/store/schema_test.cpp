#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "catalog/qbxml_tags.h"
#include "foundation/atomic_file.h"
#include "store/database_connection.h"
#include "store/io_manager.h"
#include "store/store_schema.h"
#include "store_fixture.h"

namespace quarrion {
namespace {

using test::Inspect;
using test::RowCount;

class Schema : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = dir_.Path() / "Quarrion.qr3";
        // These tests are about the schema alone: no shipped catalog to compare with.
        io_.SetControlFile(dir_.Path() / "no control file.tsl");
        ASSERT_TRUE(io_.CheckDatabase(path_.string()));
    }

    test::TempDir dir_;
    std::filesystem::path path_;
    QBXMLTags catalog_;
    IOManager io_{catalog_};
};

// The whole declared schema (tables, fields, types, relations with their names and
// cascades, indexes) as SQLite holds it, against one reviewed dump. After a deliberate
// schema change, run the test with QUARRION_UPDATE_GOLDEN=1 and review the diff.
TEST_F(Schema, CreatesExactlyTheDeclaredTablesRelationsAndIndexes) {
    auto db = Inspect(path_);
    SQLite::Statement q(db,
                        "SELECT type, name, sql FROM sqlite_schema WHERE name NOT LIKE "
                        "'sqlite!_%' ESCAPE '!' ORDER BY type DESC, name");
    std::string dump;
    while (q.executeStep()) {
        dump += "-- " + q.getColumn(0).getString() + " " + q.getColumn(1).getString() + "\n" +
                q.getColumn(2).getString() + ";\n";
    }
    const std::filesystem::path golden = QUARRION_SCHEMA_GOLDEN;
    if (std::getenv("QUARRION_UPDATE_GOLDEN")) ASSERT_TRUE(WriteFileAtomically(golden, dump));
    EXPECT_EQ(dump, test::ReadAll(golden));
    EXPECT_EQ(db.execAndGet("PRAGMA application_id").getInt(), kStoreApplicationId);
    EXPECT_EQ(db.execAndGet("PRAGMA journal_mode").getString(), "wal");
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
            EXPECT_EQ(error.Source, "SQLite");
            EXPECT_EQ(error.Text().rfind("(" + std::to_string(c.number) + ")\r", 0), 0u);
        }
    }
    EXPECT_NO_THROW(db->exec("INSERT INTO \"Search\" (name) VALUES (printf('%.50c', 'x'))"));
    EXPECT_NO_THROW(
        db->exec("INSERT INTO \"Basics\" (code, tag_name, default_heading) "
                 "VALUES (1, 'b', '')"));
}

TEST(SchemaUpgrade, AnOlderFileGetsWhatItLacksAndKeepsItsRows) {
    test::TempDir dir;
    auto path = dir.Path() / "old.qr3";
    {
        SQLite::Database db(path.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
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
    QBXMLTags catalog;
    IOManager io(catalog);
    // No shipped catalog here, so only the schema change can ask for an update.
    io.SetControlFile(dir.Path() / "no control file.tsl");
    ASSERT_TRUE(io.CheckDatabase(path.string()));
    EXPECT_TRUE(io.NeedsUpdate());

    auto db = Inspect(path);
    EXPECT_EQ(RowCount(db, "Basics"), 2);
    EXPECT_EQ(db.execAndGet("SELECT user_heading FROM \"Basics\" WHERE id = 1").getString(),
              "Mine");
    EXPECT_TRUE(db.execAndGet("SELECT version_ca30 FROM \"Basics\" WHERE id = 1").isNull());
    EXPECT_EQ(RowCount(db, "FieldCriterion NumberList"), 0);
    EXPECT_EQ(db.execAndGet("SELECT count(*) FROM pragma_table_info('Search') WHERE name = "
                            "'description'")
                  .getInt(),
              1);
    EXPECT_EQ(db.execAndGet("SELECT count(*) FROM sqlite_schema WHERE name = "
                            "'Basics.CodeTagKey'")
                  .getInt(),
              1);

    ASSERT_TRUE(io.CheckDatabase(""));
    EXPECT_FALSE(io.NeedsUpdate());
}

TEST(SchemaUpgrade, AnEmptyFileIsTakenAsANewDatabase) {
    test::TempDir dir;
    auto path = dir.Path() / "empty.qr3";
    { std::ofstream touch(path); }
    QBXMLTags catalog;
    IOManager io(catalog);
    ASSERT_TRUE(io.CheckDatabase(path.string()));
    EXPECT_FALSE(io.NeedsUpdate());
    auto db = Inspect(path);
    EXPECT_EQ(db.execAndGet("PRAGMA application_id").getInt(), kStoreApplicationId);
}

}  // namespace
}  // namespace quarrion
