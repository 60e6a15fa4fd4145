#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "output/sheet_preview.h"
#include "output/workbook_writer.h"
#include "qbxml/request_type_info.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

namespace Code = DataTypeCode;

// One cell as openpyxl reads it back (read_back.py cells).
struct ReadCell {
    std::string kind;
    std::string format;
    std::string value;
};

// The cells of a workbook by "Sheet!A1"; empty when it cannot be read (the reader's
// complaint goes to the test log).
std::map<std::string, ReadCell> ReadCells(const std::filesystem::path& file) {
    const std::string command =
        std::string("/usr/bin/python3 '") + QUARRION_READ_BACK + "' cells '" + file.string() + "'";
    std::map<std::string, ReadCell> cells;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return cells;
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    const int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        std::string field;
        while (std::getline(parts, field, '\t')) fields.push_back(field);
        if (fields.size() < 4) continue;
        cells[fields[0] + "!" + fields[1]] = {fields[2], fields[3],
                                              fields.size() > 4 ? fields[4] : ""};
    }
    return cells;
}

ResultList DatesAndAmounts() {
    ResultList list;
    list.Title = "Invoice";
    list.Columns = {{"//InvoiceRet/TxnDate", "Date", Code::Date},
                    {"//InvoiceRet/TimeModified", "Modified", Code::DateTime},
                    {"//InvoiceRet/Subtotal", "Amount", Code::Amt},
                    {"//InvoiceRet/Rate", "Price", Code::Price},
                    {"//InvoiceRet/Quantity", "Qty", Code::Quan},
                    {"//InvoiceRet/IsPaid", "Paid", Code::Bool}};
    const std::vector<std::vector<std::string>> rows{
        {"2026-11-02", "2026-11-02T10:15:00-05:00", "1234567.5", "1999.99", "12500", "Yes"},
        {"2024-02-29", "2026-03-08T23:59:59Z", "-2500", "0.5", "3", "No"},
        {"2026-02-30", "2026-11-02T24:00:00", "12", "1", "1", "Yes"},
        {"soon", "2026-11-02 10:15:00", "", "", "", ""},
        {"1899-12-31", "2026-11-02T10:15:00+5", "7", "7", "7", "No"}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        list.Rows.push_back({"k" + std::to_string(i), rows[i], ""});
    }
    return list;
}

class WorkbookCells : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::filesystem::path file = dir_.Path() / "cells.xlsx";
        const std::vector<ResultList> lists{DatesAndAmounts()};
        ASSERT_EQ(WriteWorkbook(file, lists).Message(), "");
        cells_ = ReadCells(file);
        ASSERT_FALSE(cells_.empty());
    }
    const ReadCell& At(const std::string& cell) { return cells_["Invoice!" + cell]; }

    test::TempDir dir_;
    std::map<std::string, ReadCell> cells_;
};

TEST_F(WorkbookCells, DatesAreWrittenAsDatesAndTheRestStaysText) {
    struct Case {
        const char* cell;
        const char* kind;
        const char* format;
        const char* value;
    };
    const std::vector<Case> cases{
        {"A2", "date", "yyyy-mm-dd", "2026-11-02 00:00:00"},
        {"A3", "date", "yyyy-mm-dd", "2024-02-29 00:00:00"},
        {"A4", "text", "yyyy-mm-dd", "2026-02-30"},  // no such day
        {"A5", "text", "yyyy-mm-dd", "soon"},
        {"A6", "text", "yyyy-mm-dd", "1899-12-31"},  // before spreadsheet dates begin
        // The company's clock, as QuickBooks shows it; the offset is dropped.
        {"B2", "date", "yyyy-mm-dd hh:mm:ss", "2026-11-02 10:15:00"},
        {"B3", "date", "yyyy-mm-dd hh:mm:ss", "2026-03-08 23:59:59"},
        {"B4", "text", "yyyy-mm-dd hh:mm:ss", "2026-11-02T24:00:00"},
        {"B5", "text", "yyyy-mm-dd hh:mm:ss", "2026-11-02 10:15:00"},  // not qbXML's form
        {"B6", "text", "yyyy-mm-dd hh:mm:ss", "2026-11-02T10:15:00+5"},
    };
    for (const Case& c : cases) {
        const ReadCell& cell = At(c.cell);
        EXPECT_EQ(cell.kind, c.kind) << c.cell;
        EXPECT_EQ(cell.format, c.format) << c.cell;
        EXPECT_EQ(cell.value, c.value) << c.cell;
    }
}

TEST_F(WorkbookCells, AmountsAndQuantitiesAreNumbersWithThousandsSeparators) {
    EXPECT_EQ(At("C2").kind, "number");
    EXPECT_EQ(At("C2").value, "1234567.5");
    EXPECT_EQ(At("C3").value, "-2500");
    EXPECT_EQ(At("D2").kind, "number");
    EXPECT_EQ(At("E2").kind, "number");
    EXPECT_EQ(At("E2").value, "12500");
    for (const char* cell : {"C2", "D2"}) {
        EXPECT_EQ(At(cell).format, "$#,##0.00_);[Red]($#,##0.00)") << cell;
    }
    EXPECT_NE(At("E2").format.find("#,##0"), std::string::npos) << At("E2").format;
    // The totals row sums the amounts and quantities in the same grouped form.
    EXPECT_EQ(At("C7").kind, "formula");
    EXPECT_EQ(At("C7").value, "=SUM($C$2:$C$6)");
}

TEST_F(WorkbookCells, TrueFalseFieldsReadYesAndNo) {
    EXPECT_EQ(At("F1").value, "Paid");
    EXPECT_EQ(At("F2").kind, "text");
    EXPECT_EQ(At("F2").value, "Yes");
    EXPECT_EQ(At("F3").value, "No");
}

TEST(SheetDates, QbxmlDatesParseAndShowAsTheSheetShowsThem) {
    struct Case {
        const char* text;
        std::int32_t code;
        bool parses;
        const char* shown;
    };
    const std::vector<Case> cases{
        {"2026-11-02", Code::Date, true, "2026-11-02"},
        {"2026-11-02T10:15:00-05:00", Code::DateTime, true, "2026-11-02 10:15:00"},
        {"2026-11-02T10:15:00", Code::DateTime, true, "2026-11-02 10:15:00"},
        {"2026-11-02", Code::DateTime, true, "2026-11-02 00:00:00"},
        {"2026-11-02T10:15:00Z", Code::Date, true, "2026-11-02"},
        {"1900-01-01", Code::Date, true, "1900-01-01"},
        {"1899-12-31", Code::Date, false, "1899-12-31"},
        {"2025-02-29", Code::Date, false, "2025-02-29"},
        {"2026-13-01", Code::Date, false, "2026-13-01"},
        {"2026-1-02", Code::Date, false, "2026-1-02"},
        {"2026-11-02T10:60:00", Code::DateTime, false, "2026-11-02T10:60:00"},
        {"2026-11-02T10:15:00-0500", Code::DateTime, false, "2026-11-02T10:15:00-0500"},
        {"2026-11-02x", Code::Date, false, "2026-11-02x"},
        {"", Code::Date, false, ""},
        // Only date columns show dates: the same text elsewhere is shown as it is.
        {"2026-11-02T10:15:00", Code::Str, true, "2026-11-02T10:15:00"},
    };
    for (const Case& c : cases) {
        SheetDate date;
        EXPECT_EQ(ParseSheetDate(c.text, date), c.parses) << c.text;
        EXPECT_EQ(SheetCellText(c.text, c.code), c.shown) << c.text;
    }
}

}  // namespace
}  // namespace quarrion
