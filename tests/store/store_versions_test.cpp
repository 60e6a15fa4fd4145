#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "catalog/qbxml_tags.h"
#include "foundation/codes.h"
#include "model/search_object2.h"
#include "store/database_connection.h"
#include "store/io_manager.h"
#include "store_fixture.h"

namespace quarrion {
namespace {

using test::Inspect;

// Databases of other program versions: older ones are brought up to date with their
// searches kept, newer ones are refused without a byte changed.
class StoreVersions : public test::StoreFolder {
  protected:
    void SetUp() override { test::WriteControlFile(control_, "header\t1", test::InvoiceLines(3)); }

    std::unique_ptr<IOManager> Open() {
        auto io = std::make_unique<IOManager>(catalog_, &notifier_);
        io->SetControlFile(control_);
        return io;
    }

    // A database with one saved search, written by this program and closed again.
    void MakeDatabase() {
        std::unique_ptr<IOManager> io = Open();
        ASSERT_TRUE(io->CheckDatabase(path_.string()));
        ASSERT_TRUE(io->InitDataA());
        ASSERT_TRUE(io->OpenDatabase());
        SearchObject2 search;
        search.Name = "Müller's invoices";
        search.DateFilter = DateFilterCode::TransactionDate;
        search.IncludeItems.Add("Invoice", RequestTypeCode::Invoice);
        Criterion* rule = search.Examinors.Add()->Criteria.Add(Operation::Contains, Choice::Text);
        rule->TextCompare.SetValue("muller");
        ASSERT_TRUE(io->SaveSearchObject(&search));
    }
};

TEST_F(StoreVersions, AnOlderDatabaseIsUpgradedAndKeepsItsSavedSearches) {
    MakeDatabase();
    {
        // What the program wrote before searches kept text options and relative ranges.
        SQLite::Database db(path_.string(), SQLite::OPEN_READWRITE);
        db.exec("DROP TABLE \"Store Format\"");
        for (const char* column :
             {"from_text", "to_text", "ignore_accents", "field_rules_ignore_case"}) {
            db.exec(std::string("ALTER TABLE \"Search\" DROP COLUMN ") + column);
        }
    }
    std::unique_ptr<IOManager> io = Open();
    ASSERT_TRUE(io->CheckDatabase(path_.string())) << notifier_.failures.size();
    EXPECT_TRUE(io->NeedsUpdate());
    ASSERT_TRUE(io->OpenDatabase());
    auto searches = io->SearchObjects();
    SearchObject2* saved = searches->Item("Müller's invoices");
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->TextOptions, TextOptions{}) << "an older search compares as it always did";
    EXPECT_EQ(saved->FromText, "");
    ASSERT_EQ(saved->IncludeItems.Count(), 1u);
    ASSERT_EQ(saved->Examinors.Count(), 1u);
    EXPECT_EQ(saved->Examinors.Item(1)->Criteria.Item(1)->TextCompare.ValueText(), "muller");

    auto db = Inspect(path_);
    EXPECT_EQ(RecordedFormat(db), kStoreFormat);
    EXPECT_EQ(test::Rows(db,
                         "SELECT count(*) FROM pragma_table_info('Search') WHERE name IN "
                         "('from_text', 'to_text', 'ignore_accents', 'field_rules_ignore_case')"),
              "4\n");
}

TEST_F(StoreVersions, ANewerDatabaseIsRefusedByNameAndLeftUntouched) {
    MakeDatabase();
    {
        SQLite::Database db(path_.string(), SQLite::OPEN_READWRITE);
        db.exec("UPDATE \"Store Format\" SET version = " + std::to_string(kStoreFormat + 1));
        db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
    }
    const std::string before = test::ReadAll(path_);
    ASSERT_FALSE(before.empty());

    std::unique_ptr<IOManager> io = Open();
    StoreResult checked = io->CheckDatabase(path_.string());
    ASSERT_FALSE(checked);
    EXPECT_EQ(checked.Error().Number, StoreErrorCode::NewerDatabase);
    const std::string& message = checked.Error().Description;
    EXPECT_NE(message.find(path_.string()), std::string::npos) << message;
    EXPECT_NE(message.find("newer version of Quarrion"), std::string::npos) << message;
    EXPECT_NE(message.find("left unchanged"), std::string::npos) << message;
    EXPECT_FALSE(io->OpenDatabase()) << "a plain open refuses it as well";
    io.reset();
    EXPECT_EQ(test::ReadAll(path_), before);
}

}  // namespace
}  // namespace quarrion
