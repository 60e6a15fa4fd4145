#include "output/workbook_writer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "output/sheet_names.h"
#include "qbxml/request_type_info.h"
#include "run_checker.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

namespace Code = DataTypeCode;

using Rows = std::vector<std::vector<std::string>>;

ResultList MakeList(std::string title, std::vector<ResultColumn> columns, Rows rows) {
    ResultList list;
    list.Title = std::move(title);
    list.Columns = std::move(columns);
    for (auto& cells : rows)
        list.Rows.push_back({"k" + std::to_string(list.Rows.size()), std::move(cells), ""});
    return list;
}

test::CheckResult CheckWorkbook(const std::string& scenario, const std::filesystem::path& file) {
    return test::RunChecker(std::string("/usr/bin/python3 '") + QUARRION_WORKBOOK_CHECKER + "' " +
                            scenario + " '" + file.string() + "'");
}

std::string Repeat(const std::string& text, int count) {
    std::string repeated;
    while (count-- > 0) repeated += text;
    return repeated;
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
    const std::string emoji = "\xF0\x9F\x98\x80";
    std::vector<ResultList> names;
    for (std::string title : {"A/R : Aging? [1]", "Invoice", "invoice", "Invoice (2)", "",
                              "History", "'It's'", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCD",
                              "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCD", "Sheet5"}) {
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
                    {Repeat(emoji, 20000)},
                    {"caf\xC3\xA9 " + emoji}})}},
        {{"names"}, names},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scenarios.front());
        auto file = dir.Path() / (c.scenarios.front() + ".xlsx");
        ASSERT_EQ(WriteWorkbook(file, c.lists).Message(), "");
        for (const std::string& scenario : c.scenarios) {
            EXPECT_EQ(CheckWorkbook(scenario, file).output, "") << scenario;
        }
    }
}

// The checker is the test's only judge, so prove it rejects a wrong workbook.
TEST(WorkbookWriter, CheckerRejectsAWorkbookThatDiffers) {
    test::TempDir dir;
    ResultList list = ValuesList();
    list.Rows[0].Cells[3] = "25";  // the percent cell must then hold 0.25, not 0.125
    auto file = dir.Path() / "differs.xlsx";
    ASSERT_EQ(WriteWorkbook(file, std::vector<ResultList>{list}).Message(), "");
    test::CheckResult checked = CheckWorkbook("values", file);
    EXPECT_EQ(checked.status, 1) << checked.output;
    EXPECT_NE(checked.output.find("D2"), std::string::npos) << checked.output;
}

TEST(WorkbookWriter, ReportsProgressEveryTenRows) {
    test::TempDir dir;
    std::vector<ResultList> lists{MakeList("A", {{"x", "X", Code::Str}}, Rows(25, {"x"})),
                                  MakeList("B", {{"x", "X", Code::Str}}, Rows(12, {"y"}))};
    std::vector<std::pair<std::size_t, std::size_t>> ticks;
    auto progress = [&](std::size_t written, std::size_t total) {
        ticks.emplace_back(written, total);
    };
    ASSERT_EQ(WriteWorkbook(dir.Path() / "p.xlsx", lists, progress).Message(), "");
    EXPECT_EQ(ticks,
              (std::vector<std::pair<std::size_t, std::size_t>>{{10, 37}, {20, 37}, {35, 37}}));
}

TEST(WorkbookWriter, ReplacesAnEarlierFileWholeAndLeavesNoScratchFiles) {
    test::TempDir dir;
    auto file = dir.Path() / "again.xlsx";
    std::ofstream(file) << "not a workbook";
    ASSERT_EQ(WriteWorkbook(file, TabsLists()).Message(), "");
    EXPECT_EQ(CheckWorkbook("tabs", file).output, "");
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        left.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(left, std::vector<std::string>{"again.xlsx"});
}

// Only what a spreadsheet refuses is repaired: the characters it forbids, surrounding
// apostrophes, reserved or empty names (the sheet's number instead), and length past 31
// UTF-16 units (the names the checker reads cover the plainer cases).
TEST(ValidSheetName, RepairsOnlyWhatASpreadsheetRefuses) {
    const std::pair<std::string, std::string> cases[] = {
        {"a:b\\c/d?e*f[g]h", "a_b_c_d_e_f_g_h"},
        {"'", "Sheet3"},
        {"history", "Sheet3"},
        {"Histories", "Histories"},
        // Thirty-one accented letters are 62 bytes but 31 characters: kept whole.
        {Repeat("\xC3\xA9", 31), Repeat("\xC3\xA9", 31)},
        // A character outside the basic plane takes two of the 31 units.
        {std::string(30, 'x') + "\xF0\x9F\x98\x80", std::string(30, 'x')},
        {std::string(29, 'x') + "\xF0\x9F\x98\x80", std::string(29, 'x') + "\xF0\x9F\x98\x80"},
        // Cutting that leaves an apostrophe at the end drops it too.
        {std::string(30, 'x') + "'y", std::string(30, 'x')}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(ValidSheetName(cases[i].first, 3), cases[i].second) << "case " << i;
    }
}

}  // namespace
}  // namespace quarrion
