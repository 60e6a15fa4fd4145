#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <string>
#include <vector>

#include "catalog/qbxml_tags.h"
#include "catalog/view_tags.h"
#include "foundation/codes.h"
#include "store/io_manager.h"
#include "store/store_paths.h"
#include "store_fixture.h"

namespace quarrion {
namespace {

using test::ControlLine;
using test::Inspect;

class CatalogStore : public test::StoreFolder {
  protected:
    void SetUp() override {
        io_.SetControlFile(control_);
        io_.SetDatabaseName(path_.string());
    }
    void Ship(const std::vector<std::string>& lines, int version = 1) {
        test::WriteControlFile(control_,
                               "Quarrion control file\tversion\t" + std::to_string(version), lines);
    }
    std::string Dump() { return test::DumpRows(path_, {"Basics"}); }
    // The element's row in `columns` ("a, b"), as "value|value\n".
    std::string Value(const std::string& columns, const std::string& tagName) {
        auto db = Inspect(path_);
        return test::Rows(
            db, "SELECT " + columns + " FROM \"Basics\" WHERE tag_name = '" + tagName + "'");
    }
};

TEST_F(CatalogStore, InitialisationStoresEveryEntryAtItsDefaults) {
    const ControlLine line{.code = 12,
                           .defaultSequence = 2,
                           .sequence = 9,
                           .tagName = "//PurchaseOrderRet/VendorRef/FullName",
                           .defaultHeading = "Vendor",
                           .level = 2,
                           .userHeading = "Supplier",
                           .v21 = false,
                           .ca20 = true};
    Ship({line.Text()});
    ASSERT_TRUE(io_.InitDataA());
    // A name element is searchable, in the names group.
    EXPECT_EQ(Value("sequence, user_heading, default_heading, level, version_21, version_ca20, "
                    "searchable, search_group",
                    line.tagName),
              "2|Vendor|Vendor|2|0|1|1|Names\n");
}

TEST_F(CatalogStore, UpdateKeepsTheUserChoicesWhileResetRestoresTheDefaults) {
    ControlLine date{
        .defaultSequence = 1, .tagName = "//InvoiceRet/TxnDate", .defaultHeading = "Date"};
    ControlLine number{
        .defaultSequence = 2, .tagName = "//InvoiceRet/RefNumber", .defaultHeading = "Number"};
    const ControlLine total{.tagName = "//InvoiceRet/Subtotal", .defaultHeading = "Subtotal"};
    Ship({date.Text(), number.Text(), total.Text()}, 1);
    ASSERT_TRUE(io_.CheckDatabase(""));
    ASSERT_TRUE(io_.InitDataA());

    ViewTags view;
    view.Add(catalog_.Item(RequestTypeCode::Invoice, date.tagName))->Heading = "Invoice date";
    view.Add(catalog_.Item(RequestTypeCode::Invoice, number.tagName))->Sequence = 5;
    ASSERT_TRUE(io_.UpdateTags(view));
    EXPECT_EQ(catalog_.Item(RequestTypeCode::Invoice, date.tagName)->UserHeading(), "Invoice date");
    EXPECT_EQ(catalog_.Item(RequestTypeCode::Invoice, number.tagName)->Sequence, 5);

    // The next shipped catalog renames the date column, adds an element, drops one and
    // changes values the update must leave alone.
    date.defaultHeading = "Transaction Date";
    date.reference = "changed";
    date.ca30 = false;
    number.defaultSequence = 3;
    const ControlLine memo{
        .defaultSequence = 4, .tagName = "//InvoiceRet/Memo", .defaultHeading = "Memo"};
    Ship({date.Text(), number.Text(), memo.Text()}, 2);
    ASSERT_TRUE(io_.CheckDatabase(""));
    EXPECT_TRUE(io_.NeedsUpdate());

    ASSERT_TRUE(io_.InitDataB());
    EXPECT_FALSE(io_.NeedsUpdate()) << "the update itself settles the question";
    EXPECT_EQ(Value("user_heading, default_heading, reference, version_ca30", date.tagName),
              "Invoice date|Transaction Date|ref|0\n");
    EXPECT_EQ(Value("sequence, default_sequence", number.tagName), "5|3\n");
    EXPECT_EQ(Value("sequence", memo.tagName), "4\n");
    EXPECT_EQ(Value("default_heading", total.tagName), "Subtotal\n") << "dropped elements stay";
    EXPECT_EQ(catalog_.Count(), 4u);
    EXPECT_EQ(catalog_.Item(RequestTypeCode::Invoice, date.tagName)->UserHeading(), "Invoice date");
    ASSERT_TRUE(io_.CheckDatabase(""));
    EXPECT_FALSE(io_.NeedsUpdate());

    ASSERT_TRUE(io_.InitDataC());
    EXPECT_EQ(Value("user_heading, reference", date.tagName), "Transaction Date|changed\n");
    EXPECT_EQ(Value("sequence", number.tagName), "3\n");
    EXPECT_EQ(catalog_.Item(RequestTypeCode::Invoice, number.tagName)->Sequence, 3);
    EXPECT_EQ(catalog_.Item(RequestTypeCode::Invoice, date.tagName)->UserHeading(),
              "Transaction Date");
    EXPECT_EQ(Value("sequence", total.tagName), "0\n") << "rows not shipped keep their values";
    EXPECT_TRUE(notifier_.errors.empty());
}

TEST_F(CatalogStore, ATruncatedControlFileStopsAtTheBadLineAndChangesNoRow) {
    Ship(test::InvoiceLines(10));
    ASSERT_TRUE(io_.InitDataA());
    ViewTags view;
    view.Add(catalog_.Item(RequestTypeCode::Invoice, "//InvoiceRet/Field2"))->Heading = "Kept";
    ASSERT_TRUE(io_.UpdateTags(view));
    std::string before = Dump();

    auto lines = test::InvoiceLines(12);
    for (auto& line : lines) line.replace(line.find("ref"), 3, "new");
    lines[7] = lines[7].substr(0, 25);  // the file ends mid-line after eight entries
    lines.resize(8);
    Ship(lines, 9);
    for (auto run : {&IOManager::InitDataB, &IOManager::InitDataC}) {
        notifier_.errors.clear();
        EXPECT_FALSE((io_.*run)());
        ASSERT_EQ(notifier_.errors.size(), 1u);
        const std::string& text = notifier_.errors[0].text;
        EXPECT_EQ(text.rfind(
                      "(" + std::to_string(StoreErrorCode::ControlFileShortLine) + ")\rLine 9 ", 0),
                  0u)
            << text;
        EXPECT_EQ(Dump(), before);
        EXPECT_EQ(catalog_.Count(), 7u) << "the entries read before the bad line";
    }
    EXPECT_EQ(notifier_.errors[0].title, "Quarrion::InitDataC");
    EXPECT_EQ(io_.CatalogVersion(), 1);
}

TEST_F(CatalogStore, AValueTheDatabaseRefusesUndoesTheWholeRun) {
    Ship(test::InvoiceLines(3));
    ASSERT_TRUE(io_.InitDataA());
    std::string before = Dump();
    auto lines = test::InvoiceLines(6);
    ControlLine tooLong;
    tooLong.tagName = "//InvoiceRet/" + std::string(200, 'x');
    lines.push_back(tooLong.Text());
    Ship(lines, 2);
    EXPECT_FALSE(io_.InitDataB());
    ASSERT_EQ(notifier_.errors.size(), 1u);
    EXPECT_EQ(notifier_.errors[0].title, "Quarrion::InitDataB");
    EXPECT_EQ(
        notifier_.errors[0].text.rfind("(" + std::to_string(SQLITE_CONSTRAINT_CHECK) + ")\r", 0),
        0u)
        << notifier_.errors[0].text;
    EXPECT_EQ(Dump(), before) << "the three rows added before the refused one are gone too";
    EXPECT_EQ(io_.CatalogVersion(), 1);
}

TEST_F(CatalogStore, WithoutAControlFileNothingIsWrittenAndTheCatalogIsReloaded) {
    Ship(test::InvoiceLines(4));
    ASSERT_TRUE(io_.InitDataA());
    std::string before = Dump();
    std::filesystem::remove(control_);
    catalog_.Clear();
    ASSERT_TRUE(io_.InitDataB());
    EXPECT_EQ(Dump(), before);
    EXPECT_EQ(catalog_.Count(), 4u);
    ASSERT_TRUE(io_.InitDataC());
    EXPECT_EQ(Dump(), before);
}

TEST(StoreStart, DeletesTheOlderDatabasesAndChecksTheCurrentOneInTheDataFolder) {
    for (const auto& older : OlderDatabasePaths()) {
        std::ofstream(older) << "an older version's file";
    }
    QBXMLTags catalog;
    IOManager io(catalog);
    ASSERT_TRUE(StartStore(io));
    for (const auto& older : OlderDatabasePaths()) EXPECT_FALSE(std::filesystem::exists(older));
    EXPECT_EQ(io.DatabaseName(), (test::Home() / "Quarrion.qr3").string());
    EXPECT_EQ(io.ControlFile(), ControlFilePath());
    EXPECT_FALSE(io.FirstTime());

    // A journal left beside a deleted database would be read into the next one.
    io.CloseDatabase();
    std::ofstream(DatabasePath().string() + "-wal") << "a journal";
    EXPECT_TRUE(io.DeleteFile(DatabasePath()));
    EXPECT_FALSE(std::filesystem::exists(DatabasePath().string() + "-wal"));
    EXPECT_TRUE(io.FirstTime());
    EXPECT_TRUE(io.DeleteFile(OlderDatabasePaths()[0])) << "nothing to delete is no failure";
}

}  // namespace
}  // namespace quarrion
