#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "output/workbook_writer.h"
#include "qbxml/request_type_info.h"
#include "run_checker.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

namespace Code = DataTypeCode;

// A workbook's cells as openpyxl reads them back ("read_back.py cells"), by "A1":
// "kind|number format|value".
std::map<std::string, std::string> ReadCells(const std::filesystem::path& file) {
    const test::CheckResult read = test::RunChecker(
        std::string("/usr/bin/python3 '") + QUARRION_READ_BACK + "' cells '" + file.string() + "'");
    EXPECT_EQ(read.status, 0) << read.output;
    std::map<std::string, std::string> cells;
    std::istringstream lines(read.output);
    for (std::string sheet, cell, kind, format, value; std::getline(lines, sheet, '\t');) {
        std::getline(std::getline(std::getline(lines, cell, '\t'), kind, '\t'), format, '\t');
        std::getline(lines, value);
        cells[cell] = kind + "|" + format + "|" + value;
    }
    return cells;
}

TEST(WorkbookCells, DatesAreDatesAndTrueFalseReadsYesNo) {
    ResultList list;
    list.Title = "Invoice";
    list.Columns = {
        {"d", "Date", Code::Date}, {"t", "Modified", Code::DateTime}, {"p", "Paid", Code::Bool}};
    const std::vector<std::vector<std::string>> rows{
        {"2026-11-02", "2026-11-02T10:15:00-05:00", "Yes"},
        {"2024-02-29", "2026-03-08T23:59:59Z", "No"},
        {"2026-02-30", "2026-11-02T24:00:00", ""},
        {"soon", "2026-11-02 10:15:00", ""},
        {"1899-12-31", "2026-11-02T10:15:00+5", ""}};
    for (const auto& cells : rows) list.Rows.push_back({"k", cells, ""});
    test::TempDir dir;
    const auto file = dir.Path() / "cells.xlsx";
    ASSERT_EQ(WriteWorkbook(file, std::vector<ResultList>{list}).Message(), "");

    const std::map<std::string, std::string> expected{
        {"A1", "text|General|Date"},
        {"B1", "text|General|Modified"},
        {"C1", "text|General|Paid"},
        {"A2", "date|yyyy-mm-dd|2026-11-02 00:00:00"},
        {"A3", "date|yyyy-mm-dd|2024-02-29 00:00:00"},
        {"A4", "text|yyyy-mm-dd|2026-02-30"},  // no such day
        {"A5", "text|yyyy-mm-dd|soon"},
        {"A6", "text|yyyy-mm-dd|1899-12-31"},  // before spreadsheet dates begin
        // The company's clock, as QuickBooks shows it: the offset is dropped.
        {"B2", "date|yyyy-mm-dd hh:mm:ss|2026-11-02 10:15:00"},
        {"B3", "date|yyyy-mm-dd hh:mm:ss|2026-03-08 23:59:59"},
        {"B4", "text|yyyy-mm-dd hh:mm:ss|2026-11-02T24:00:00"},
        {"B5", "text|yyyy-mm-dd hh:mm:ss|2026-11-02 10:15:00"},
        {"B6", "text|yyyy-mm-dd hh:mm:ss|2026-11-02T10:15:00+5"},
        {"C2", "text|General|Yes"},
        {"C3", "text|General|No"},
    };
    EXPECT_EQ(ReadCells(file), expected);
}

}  // namespace
}  // namespace quarrion
