#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>
#include <string>
#include <thread>

#include "catalog/qbxml_tags.h"
#include "store/database_connection.h"
#include "store/io_manager.h"
#include "store/transaction.h"
#include "store_fixture.h"

namespace quarrion {
namespace {

using test::Inspect;
using test::ReadAll;
using test::RowCount;

class ForeignFile : public test::StoreFolder {
  protected:
    void SetUp() override {
        test::WriteControlFile(control_, "header\t1", test::InvoiceLines(3));
        io_.SetControlFile(control_);
    }
    // Every way in must fail, report and leave the file's bytes as they were.
    void ExpectRefusedAndUnchanged(long number) {
        std::string before = ReadAll(path_);
        auto refused = [&](StoreResult r, const char* title) {
            ASSERT_FALSE(r) << title;
            EXPECT_EQ(r.Error().Number, number) << title;
            EXPECT_NE(r.Error().Description.find(path_.string()), std::string::npos) << title;
            EXPECT_NE(r.Error().Description.find("left unchanged"), std::string::npos)
                << r.Error().Description;
            ASSERT_FALSE(notifier_.errors.empty()) << title;
            EXPECT_EQ(notifier_.errors.back().title, title);
        };
        refused(io_.CheckDatabase(path_.string()), "Quarrion::CheckDatabase");
        refused(io_.OpenDatabase(), "Quarrion::OpenDatabase");
        refused(io_.LoadData(), "Quarrion::LoadData");
        refused(io_.InitDataA(), "Quarrion::InitDataA");
        refused(io_.InitDataC(), "Quarrion::InitDataC");
        EXPECT_FALSE(io_.IsOpen());
        EXPECT_EQ(ReadAll(path_), before);
        EXPECT_EQ(notifier_.firstTimeRuns, 0);
    }
};

TEST_F(ForeignFile, AFileThatIsNoDatabaseIsReportedAndNeverWritten) {
    {
        std::ofstream out(path_, std::ios::binary);
        for (int i = 0; i < 200; ++i) out << "Invoice " << i << "\tnot a database at all\r\n";
    }
    ExpectRefusedAndUnchanged(StoreErrorCode::NotADatabase);
    EXPECT_NE(notifier_.errors.front().text.find("is not a database"), std::string::npos)
        << notifier_.errors.front().text;
}

// Tables of its own or only another program's mark: either way the file is not ours.
TEST_F(ForeignFile, ADatabaseOfAnotherProgramIsReportedAndNeverWritten) {
    SQLite::Database(path_.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE)
        .exec("PRAGMA application_id = 1234");
    ExpectRefusedAndUnchanged(StoreErrorCode::ForeignDatabase);
    std::filesystem::remove(path_);
    {
        SQLite::Database other(path_.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        other.exec("CREATE TABLE customers (id INTEGER PRIMARY KEY, name TEXT)");
        other.exec("INSERT INTO customers (name) VALUES ('Acme'), ('Globex')");
    }
    ExpectRefusedAndUnchanged(StoreErrorCode::ForeignDatabase);
    EXPECT_NE(notifier_.errors.back().text.find("another program"), std::string::npos);
}

class SharedFile : public test::StoreFolder {
  protected:
    void SetUp() override {
        test::WriteControlFile(control_, "header\t1", test::InvoiceLines(50));
        for (IOManager* io : {&io_, &terminal_}) {
            io->SetControlFile(control_);
            io->SetDatabaseName(path_.string());
        }
        ASSERT_TRUE(io_.CheckDatabase(""));
        ASSERT_TRUE(io_.InitDataA());
    }

    QBXMLTags terminalCatalog_;
    IOManager terminal_{terminalCatalog_};
};

TEST_F(SharedFile, AReaderIsNotBlockedByAnUnfinishedWrite) {
    auto writer = OpenConnection(path_, false);
    Transaction pending(*writer);
    writer->exec("UPDATE \"Basics\" SET user_heading = 'uncommitted'");
    ASSERT_TRUE(terminal_.LoadData());
    ASSERT_EQ(terminalCatalog_.Count(), 50u);
    EXPECT_EQ(terminalCatalog_.Item(std::size_t{1})->UserHeading(), "Field 1");
}

TEST_F(SharedFile, AWriterWaitsForTheOtherProgramsWriteToFinish) {
    ASSERT_TRUE(terminal_.OpenDatabase());
    std::promise<void> locked;
    std::thread other([&] {
        auto writer = OpenConnection(path_, false);
        Transaction transaction(*writer);
        writer->exec("INSERT INTO \"QuickBooks Files\" (path) VALUES ('/held')");
        locked.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        transaction.Commit();
    });
    locked.get_future().wait();
    auto start = std::chrono::steady_clock::now();
    StoreResult recorded = terminal_.UpdateQuickBooksFiles("/waited");
    auto waited = std::chrono::steady_clock::now() - start;
    other.join();
    EXPECT_TRUE(recorded) << recorded.Error().Text();
    EXPECT_GE(waited, std::chrono::milliseconds(100)) << "the write did not wait for the lock";
    auto db = Inspect(path_);
    EXPECT_EQ(RowCount(db, "QuickBooks Files"), 2);
}

}  // namespace
}  // namespace quarrion
