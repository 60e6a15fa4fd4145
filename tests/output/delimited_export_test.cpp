#include "output/delimited_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "foundation/codes.h"
#include "run_checker.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

// The list's own encoding quotes only where a comma needs it and the text is not already
// quoted whole; the standard one quotes as RFC 4180 asks and puts blanks for TABs and
// breaks in TAB files. (Texts the read-back below covers are not repeated here.)
TEST(EncodeField, EncodesAsTheFileFormatRequires) {
    const struct {
        std::string (*encode)(std::string_view, int);
        const char* text;
        int format;
        const char* written;
    } cases[] = {{EncodeField, "\"already, quoted\"", 1, "\"already, quoted\""},
                 {EncodeField, "\",\"", 1, "\",\""},
                 {EncodeField, "no \"comma\" here", 1, "no \"comma\" here"},
                 {EncodeField, "", 1, ""},
                 {EncodeField, "a,b", 2, "a,b"},
                 {EncodeStandardField, "no \"comma\" here", 1, "\"no \"\"comma\"\" here\""},
                 {EncodeStandardField, "cr\ronly", 1, "\"cr\ronly\""},
                 {EncodeStandardField, "", 1, ""}};
    for (const auto& c : cases) EXPECT_EQ(c.encode(c.text, c.format), c.written) << c.text;
}

// Headings, then each row, every line ended by CR LF, commas quoted where needed; a list
// without rows still gets its headings. (TAB files and the formula guard are read back
// by Python below.)
TEST(DelimitedExport, WritesHeadingsThenRowsEachEndedByCrLf) {
    ResultList list;
    list.Columns = {{"//InvoiceRet/RefNumber", "Num", DataTypeCode::Str},
                    {"//InvoiceRet/CustomerRef/FullName", "Customer, Name", DataTypeCode::Str},
                    {"//InvoiceRet/Subtotal", "Amount", DataTypeCode::Amt}};
    list.Rows = {{"k0", {"1001", "Acme, Inc.", "-12.50"}, ""},
                 {"k3", {"1002", "=HYPERLINK(\"x\")", "40"}, ""},
                 {"k4", {"1003"}, ""}};
    test::TempDir dir;
    ASSERT_EQ(WriteListFile(dir.Path() / "rows.csv", list, {}).Message(), "");
    EXPECT_EQ(test::ReadAll(dir.Path() / "rows.csv"),
              "Num,\"Customer, Name\",Amount\r\n1001,\"Acme, Inc.\",-12.50\r\n"
              "1002,=HYPERLINK(\"x\"),40\r\n1003\r\n");
    list.Rows.clear();
    ASSERT_EQ(WriteListFile(dir.Path() / "empty.csv", list, {}).Message(), "");
    EXPECT_EQ(test::ReadAll(dir.Path() / "empty.csv"), "Num,\"Customer, Name\",Amount\r\n");
}

// ---- read back by an independent reader ---------------------------------------------

using Rows = std::vector<std::vector<std::string>>;

// Runs check_delimited.py on a written file against the rows it must give back, each
// cell ended by a unit separator and each row by a record separator (no probe text
// holds either).
test::CheckResult ReadBack(const std::string& kind, const std::filesystem::path& file,
                           const Rows& rows, bool noFormulaLines) {
    const std::filesystem::path expected = file.string() + ".expected";
    {
        std::ofstream out(expected, std::ios::binary);
        for (const auto& row : rows) {
            for (const std::string& cell : row) out << cell << '\x1f';
            out << '\x1e';
        }
    }
    return test::RunChecker(std::string("/usr/bin/python3 '") + QUARRION_DELIMITED_CHECKER + "' " +
                            kind + " '" + file.string() + "' '" + expected.string() + "'" +
                            (noFormulaLines ? " --no-formula-lines" : ""));
}

// The texts a hostile or merely unusual company puts into a list.
ResultList ProbeList() {
    ResultList list;
    list.Columns = {{"//ItemRet/Name", "Name, Full", DataTypeCode::Str},
                    {"//ItemRet/Desc", "Say \"Desc\"", DataTypeCode::Str},
                    {"//ItemRet/Price", "Price", DataTypeCode::Price}};
    list.Rows = {{"k0", {"Bolt, Zinc 1/4\" x 2\"", "plain", "1.00"}, ""},
                 {"k1", {"\"wrapped, fully\"", "\"half, open", "2"}, ""},
                 {"k2", {"note\n=cmd|' /C calc'!A0", "tab\tinside", "-3"}, ""},
                 {"k3", {"=HYPERLINK(\"x\")", "cr\r\n+lf", "4"}, ""},
                 {"k4", {"@SUM(1)", "\"", "5"}, ""},
                 {"k5", {"", "quote \" inside", ""}, ""}};
    return list;
}

Rows ExpectedRows(const ResultList& list) {
    Rows rows(1);
    for (const ResultColumn& column : list.Columns) rows[0].push_back(column.Heading);
    for (const ResultRow& row : list.Rows) rows.push_back(row.Cells);
    return rows;
}

// Each way of writing, read back by Python's csv module: every field whole, and no line
// of a guarded file starting a formula.
TEST(DelimitedReadBack, EachWayOfWritingReadsBackWhole) {
    ResultList probe = ProbeList();
    // The default comma encoding leaves texts with breaks, or wrapped in quotes whole, as
    // they are; only texts without either are expected to read back.
    ResultList quotedAtOneEnd = probe;
    quotedAtOneEnd.Rows = {{"k0", {"Bolt, Zinc 1/4\" x 2\"", "\"half, open", "1"}, ""},
                           {"k1", {"end, quote\"", "a,b", "2"}, ""}};
    Rows guarded = ExpectedRows(probe);
    guarded[3][0] = "note\n'=cmd|' /C calc'!A0";
    guarded[4][0] = "'=HYPERLINK(\"x\")";
    guarded[4][1] = "cr\r\n'+lf";
    guarded[5][0] = "'@SUM(1)";
    const struct {
        const char* file;
        const ResultList& list;
        ExportOptions options;
        Rows rows;
    } cases[] = {
        {"default.csv", quotedAtOneEnd, {}, ExpectedRows(quotedAtOneEnd)},
        {"standard.csv", probe, {ExportFormat::Comma, false, true}, ExpectedRows(probe)},
        {"standard.txt", probe, {ExportFormat::Tab, false, true}, ExpectedRows(probe)},
        {"guarded.csv", probe, {ExportFormat::Comma, true}, guarded},
        {"guarded.txt", probe, {ExportFormat::Tab, true}, guarded},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        auto file = dir.Path() / c.file;
        ASSERT_EQ(WriteListFile(file, c.list, c.options).Message(), "");
        const bool tab = c.options.Format == ExportFormat::Tab;
        Rows rows = c.rows;
        // TAB files written the standard way put blanks for breaks and TABs.
        for (auto& row : rows) {
            for (std::string& cell : row) {
                if (tab)
                    std::replace_if(
                        cell.begin(), cell.end(),
                        [](char ch) { return ch == '\t' || ch == '\r' || ch == '\n'; }, ' ');
            }
        }
        test::CheckResult checked =
            ReadBack(tab ? "tsv" : "csv", file, rows, c.options.GuardFormulas);
        EXPECT_EQ(checked.status, 0) << checked.output << test::ReadAll(file);
    }
}

TEST(ExportNames, TheExtensionIsAppendedToNamesLongerThanFourThatLackIt) {
    const struct {
        const char* name;
        int format;
        const char* written;
    } cases[] = {
        {"Invoice List", ExportFormat::Comma, "Invoice List.csv"},
        {"Invoice List.txt", ExportFormat::Comma, "Invoice List.txt.csv"},
        {"abcd", ExportFormat::Comma, "abcd"},
        {"abcde", ExportFormat::Tab, "abcde.txt"},
        {"report.TXT", ExportFormat::Tab, "report.TXT"},
    };
    for (const auto& c : cases) EXPECT_EQ(ExportFileName(c.name, c.format), c.written) << c.name;
}

}  // namespace
}  // namespace quarrion
