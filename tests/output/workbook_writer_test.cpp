#include "output/workbook_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "output/sheet_names.h"
#include "output/temporary_workbook.h"
#include "qbxml/request_type_info.h"
#include "run_checker.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

namespace Code = DataTypeCode;

ResultList MakeList(std::string title, std::vector<ResultColumn> columns,
                    std::vector<std::vector<std::string>> rows) {
    ResultList list;
    list.Title = std::move(title);
    list.Columns = std::move(columns);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        list.Rows.push_back({"k" + std::to_string(i), std::move(rows[i]), ""});
    }
    return list;
}

test::CheckResult CheckWorkbook(const std::string& scenario, const std::filesystem::path& file) {
    return test::RunChecker(std::string("/usr/bin/python3 '") + QUARRION_WORKBOOK_CHECKER + "' " +
                            scenario + " '" + file.string() + "'");
}

void ExpectWorkbook(const std::string& scenario, const std::filesystem::path& file) {
    test::CheckResult checked = CheckWorkbook(scenario, file);
    EXPECT_EQ(checked.status, 0) << scenario << ": " << checked.output;
}

ResultList ValuesList() {
    return MakeList("Values",
                    {{"t", "Text", Code::Str},
                     {"a", "Amount", Code::Amt},
                     {"p", "Price", Code::Price},
                     {"r", "Percent", Code::Percent},
                     {"q", "Qty", Code::Quan},
                     {"i", "Count", Code::Int},
                     {"f", "Float", Code::Float},
                     {"g", "General", Code::Enum}},
                    {{"007", "10.50", "1.25", "12.5", "3", "1", "1.5e3", "123"},
                     {"=SUM(A1)", "-2.25", "", "", "", "2", "1,5", "=1+2"},
                     {"", "", "n/a", "50", "1", "3", "", "2024-01-15"},
                     {"plain", "1000", "4", "-2", "2.5", "4", "-7", "x"},
                     {"a", "1,250.00", "5", "100%", " 1 ", "5", "0", ""},
                     {"b", "0", "6", "3.75", "1", "6", "2", "b"},
                     {"c", ".75", "7", "12abc", "+1", "7", "3", "c"},
                     {"d", "1e2", "8", "abc", "1", "8", "4", "d"}});
}

std::vector<ResultList> TabsLists() {
    return {MakeList("Invoice",
                     {{"//InvoiceRet/RefNumber", "Ref No.", Code::Str},
                      {"//InvoiceRet/Subtotal", "Amount", Code::Amt}},
                     {{"INV-1", "10.00"}, {"INV-2", "5.00"}}),
            MakeList("Purchase Order", {{"//PurchaseOrderRet/RefNumber", "PO No.", Code::Str}},
                     {{"PO-9"}})};
}

// Each workbook as openpyxl reads it back, judged by the checker's scenario of that name:
// sheets in tab order; values, formats and totals by data type; a styled heading row
// alone; print titles and the sheet font without columns; texts a spreadsheet would
// refuse, repaired; sheet names made valid and unique.
TEST(WorkbookWriter, WritesWhatTheCheckerExpects) {
    std::string emoji = "\xF0\x9F\x98\x80";
    std::string wide;
    for (int i = 0; i < 20000; ++i) wide += emoji;
    std::vector<ResultList> names;
    for (std::string title : {"A/R : Aging? [1]", "Invoice", "invoice", "", "History", "'It's'",
                              "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCD",
                              "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCD", "Sheet4"}) {
        names.push_back(MakeList(title, {{"x", "X", Code::Str}}, {{"1"}}));
    }
    const struct {
        std::vector<std::string> scenarios;
        std::vector<ResultList> lists;
    } cases[] = {
        {{"tabs"}, TabsLists()},
        {{"values", "values-cached"}, {ValuesList()}},
        {{"empty"},
         {MakeList("Bill",
                   {{"r", "Ref No.", Code::Str},
                    {"a", "Amount Due", Code::Amt},
                    {"q", "Qty", Code::Quan}},
                   {})}},
        {{"no-columns"}, {MakeList("Deposit", {}, {})}},
        {{"repairs"},
         {MakeList("Texts", {{"t", "Text", Code::Str}},
                   {{"bad \xFF byte"},
                    {"non \xEF\xBF\xBE char"},
                    {"lone \xED\xA0\x80 surrogate"},
                    {std::string(40000, 'a')},
                    {wide},
                    {"caf\xC3\xA9 " + emoji}})}},
        {{"names"}, names},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scenarios.front());
        auto file = dir.Path() / (c.scenarios.front() + ".xlsx");
        ASSERT_EQ(WriteWorkbook(file, c.lists).Message(), "");
        for (const std::string& scenario : c.scenarios) ExpectWorkbook(scenario, file);
    }
}

// The checker is the test's only judge, so prove it rejects a wrong workbook.
TEST(WorkbookWriter, CheckerRejectsAWorkbookThatDiffers) {
    test::TempDir dir;
    ResultList list = ValuesList();
    list.Rows[0].Cells[3] = "25";  // the percent cell must then hold 0.25, not 0.125
    std::vector<ResultList> lists{list};
    auto file = dir.Path() / "differs.xlsx";
    ASSERT_EQ(WriteWorkbook(file, lists).Message(), "");
    test::CheckResult checked = CheckWorkbook("values", file);
    EXPECT_EQ(checked.status, 1) << checked.output;
    EXPECT_NE(checked.output.find("D2"), std::string::npos) << checked.output;
}

TEST(WorkbookWriter, ReportsProgressEveryTenRows) {
    test::TempDir dir;
    std::vector<std::vector<std::string>> rows(25, std::vector<std::string>{"x"});
    std::vector<ResultList> lists{MakeList("A", {{"x", "X", Code::Str}}, rows),
                                  MakeList("B", {{"x", "X", Code::Str}}, {{"y"}, {"y"}, {"y"}})};
    lists[1].Rows.resize(12, lists[1].Rows[0]);
    std::vector<std::pair<std::size_t, std::size_t>> ticks;
    auto progress = [&](std::size_t written, std::size_t total) {
        ticks.emplace_back(written, total);
    };
    ASSERT_EQ(WriteWorkbook(dir.Path() / "p.xlsx", lists, progress).Message(), "");
    std::vector<std::pair<std::size_t, std::size_t>> expected{{10, 37}, {20, 37}, {35, 37}};
    EXPECT_EQ(ticks, expected);
}

TEST(WorkbookWriter, ReplacesAnEarlierFileWholeAndLeavesNoScratchFiles) {
    test::TempDir dir;
    auto file = dir.Path() / "again.xlsx";
    std::ofstream(file) << "not a workbook";
    ASSERT_EQ(WriteWorkbook(file, TabsLists()).Message(), "");
    ExpectWorkbook("tabs", file);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        left.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(left, std::vector<std::string>{"again.xlsx"});
}

std::string Accented(int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += "\xC3\xA9";
    return s;
}

// Only what a spreadsheet refuses is repaired: the characters it forbids, surrounding
// apostrophes, reserved or empty names (the sheet's number instead), and length past 31
// UTF-16 units.
TEST(ValidSheetName, RepairsOnlyWhatASpreadsheetRefuses) {
    const std::pair<std::string, std::string> cases[] = {
        {"a:b\\c/d?e*f[g]h", "a_b_c_d_e_f_g_h"},
        {"''quoted''", "quoted"},
        {"'", "Sheet3"},
        {"history", "Sheet3"},
        {"Histories", "Histories"},
        {std::string(32, 'x'), std::string(31, 'x')},
        // Thirty-one accented letters are 62 bytes but 31 characters: kept whole.
        {Accented(31), Accented(31)},
        // A character outside the basic plane takes two of the 31 units.
        {std::string(30, 'x') + "\xF0\x9F\x98\x80", std::string(30, 'x')},
        {std::string(29, 'x') + "\xF0\x9F\x98\x80", std::string(29, 'x') + "\xF0\x9F\x98\x80"},
        // Cutting that leaves an apostrophe at the end drops it too.
        {std::string(30, 'x') + "'y", std::string(30, 'x')}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(ValidSheetName(cases[i].first, 3), cases[i].second) << "case " << i;
    }
}

TEST(UniqueSheetNames, NumbersRepeatsIgnoringLetterCase) {
    std::vector<std::string> names =
        UniqueSheetNames({"Invoice", "INVOICE", "invoice", "Invoice (2)", "Bill"});
    std::vector<std::string> expected{"Invoice", "INVOICE (2)", "invoice (3)", "Invoice (2) (2)",
                                      "Bill"};
    EXPECT_EQ(names, expected);
}

TEST(TemporaryWorkbook, RecognisesItsOwnNames) {
    EXPECT_TRUE(IsOwnWorkbookName("QRTE0000000002"));
    EXPECT_TRUE(IsOwnWorkbookName("QRTE0000000002.xlsx"));
    EXPECT_FALSE(IsOwnWorkbookName("QRTE000000002"));
    EXPECT_FALSE(IsOwnWorkbookName("qrte0000000002"));
    EXPECT_FALSE(IsOwnWorkbookName("QRTE00000000x2"));
    EXPECT_FALSE(IsOwnWorkbookName("Book1"));
}

}  // namespace
}  // namespace quarrion
