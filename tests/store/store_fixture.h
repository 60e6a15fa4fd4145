#pragma once

#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "catalog/qbxml_tags.h"
#include "store/io_manager.h"
#include "store/store_notifier.h"
#include "support/temp_home.h"

namespace quarrion::test {

// Everything the store told the user, in order.
class RecordingNotifier : public StoreNotifier {
  public:
    struct Shown {
        std::string title, text;
    };
    struct Failure {
        long number;
        std::string description, operation;
    };

    void ShowError(const std::string& title, const std::string& text) override {
        errors.push_back({title, text});
    }
    void ErrorOccurred(long number, const std::string& description, const std::string&,
                       const std::string& operation) override {
        failures.push_back({number, description, operation});
    }
    bool ConfirmReplace(const std::string& caption, const std::string& message) override {
        questions.push_back({caption, message});
        return replaceAnswer;
    }
    void RunFirstTimeInitialisation(const std::function<bool()>& run) override {
        ++firstTimeRuns;
        run();
    }

    std::vector<Shown> errors;
    std::vector<Failure> failures;
    std::vector<Shown> questions;
    bool replaceAnswer = false;
    int firstTimeRuns = 0;
};

// One control-file entry, written as its eighteen TAB-separated fields.
struct ControlLine {
    int code = 4;
    std::string reference = "ref";
    int defaultSequence = 0, sequence = 0;
    std::string tagName, defaultHeading;
    int level = 1;
    std::string userHeading;
    bool searchable = false;
    std::string searchGroup, dataType = "STRTYPE";
    bool v21 = true, v20 = true, v11 = true, v10 = true, v30 = true, ca20 = false, ca30 = true;

    std::string Text() const;
};

// Writes a control file: `header` as line 1, then one line per entry (CR LF ends).
void WriteControlFile(const std::filesystem::path& path, const std::string& header,
                      const std::vector<std::string>& lines);

// A small shipped catalog: `count` invoice elements, the first three result columns.
std::vector<std::string> InvoiceLines(int count);

// A connection of its own to look at the file the way another program would.
SQLite::Database Inspect(const std::filesystem::path& path);
long RowCount(SQLite::Database& db, const std::string& table);
// Every row `sql` gives, one line each, its columns joined by '|' (NULL reads as "").
std::string Rows(SQLite::Database& db, const std::string& sql);
// The tables that hold saved searches: all but the catalog's and the file's bookkeeping.
std::vector<std::string> SearchTables(const std::filesystem::path& path);

// Every row of `tables` in the file, as text: equal dumps show a failed step changed
// nothing.
std::string DumpRows(const std::filesystem::path& path, const std::vector<std::string>& tables);

// A folder of the test's own for the store file and a control file, and a store
// manager that tells a RecordingNotifier everything.
class StoreFolder : public ::testing::Test {
  protected:
    TempDir dir_;
    std::filesystem::path path_ = dir_.Path() / "Quarrion.qr3";
    std::filesystem::path control_ = dir_.Path() / "control.tsl";
    RecordingNotifier notifier_;
    QBXMLTags catalog_;
    IOManager io_{catalog_, &notifier_};
};

}  // namespace quarrion::test
