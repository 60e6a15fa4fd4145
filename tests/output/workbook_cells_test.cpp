#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/workbook_writer.h"
#include "qbxml/request_type_info.h"
#include "run_checker.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

namespace Code = DataTypeCode;

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

    // Every cell openpyxl finds, as "read_back.py cells" prints it: sheet, cell, kind,
    // number format, value.
    const test::CheckResult read = test::RunChecker(
        std::string("/usr/bin/python3 '") + QUARRION_READ_BACK + "' cells '" + file.string() + "'");
    EXPECT_EQ(read.output,
              "Invoice\tA1\ttext\tGeneral\tDate\n"
              "Invoice\tB1\ttext\tGeneral\tModified\n"
              "Invoice\tC1\ttext\tGeneral\tPaid\n"
              // The company's clock, as QuickBooks shows it: the offset is dropped.
              "Invoice\tA2\tdate\tyyyy-mm-dd\t2026-11-02 00:00:00\n"
              "Invoice\tB2\tdate\tyyyy-mm-dd hh:mm:ss\t2026-11-02 10:15:00\n"
              "Invoice\tC2\ttext\tGeneral\tYes\n"
              "Invoice\tA3\tdate\tyyyy-mm-dd\t2024-02-29 00:00:00\n"
              "Invoice\tB3\tdate\tyyyy-mm-dd hh:mm:ss\t2026-03-08 23:59:59\n"
              "Invoice\tC3\ttext\tGeneral\tNo\n"
              "Invoice\tA4\ttext\tyyyy-mm-dd\t2026-02-30\n"  // no such day
              "Invoice\tB4\ttext\tyyyy-mm-dd hh:mm:ss\t2026-11-02T24:00:00\n"
              "Invoice\tA5\ttext\tyyyy-mm-dd\tsoon\n"
              "Invoice\tB5\ttext\tyyyy-mm-dd hh:mm:ss\t2026-11-02 10:15:00\n"
              // Before spreadsheet dates begin.
              "Invoice\tA6\ttext\tyyyy-mm-dd\t1899-12-31\n"
              "Invoice\tB6\ttext\tyyyy-mm-dd hh:mm:ss\t2026-11-02T10:15:00+5\n");
}

}  // namespace
}  // namespace quarrion
