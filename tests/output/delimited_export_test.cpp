#include "output/delimited_export.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

#include "foundation/codes.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

struct Encoding {
    const char* text;
    int format;
    const char* written;
};

class EncodeFieldTest : public ::testing::TestWithParam<Encoding> {};

TEST_P(EncodeFieldTest, EncodesAsTheFileFormatRequires) {
    EXPECT_EQ(EncodeField(GetParam().text, GetParam().format), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, EncodeFieldTest,
    ::testing::Values(Encoding{"a,b", 1, "\"a,b\""},
                      Encoding{"say \"hi\", bob", 1, "\"say \"\"hi\"\", bob\""},
                      Encoding{"\"already, quoted\"", 1, "\"already, quoted\""},
                      Encoding{"\"half, quoted", 1, "\"\"\"half, quoted\""},
                      Encoding{"half, quoted\"", 1, "\"half, quoted\"\"\""},
                      Encoding{"Bolt, Zinc 1/4\" x 2\"", 1, "\"Bolt, Zinc 1/4\"\" x 2\"\"\""},
                      Encoding{"\",\"", 1, "\",\""},
                      Encoding{"no \"comma\" here", 1, "no \"comma\" here"},
                      Encoding{"line\r\nbreak", 1, "line\r\nbreak"}, Encoding{"", 1, ""},
                      Encoding{"a,b", 2, "a,b"}, Encoding{"\"q\"", 2, "\"q\""},
                      Encoding{"tab\there", 2, "tab\there"}, Encoding{"a,b", 7, "a,b"}));

class StandardFieldTest : public ::testing::TestWithParam<Encoding> {};

TEST_P(StandardFieldTest, QuotesAsRfc4180Requires) {
    EXPECT_EQ(EncodeStandardField(GetParam().text, GetParam().format), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, StandardFieldTest,
    ::testing::Values(Encoding{"plain", 1, "plain"}, Encoding{"a,b", 1, "\"a,b\""},
                      Encoding{"no \"comma\" here", 1, "\"no \"\"comma\"\" here\""},
                      Encoding{"\"already, quoted\"", 1, "\"\"\"already, quoted\"\"\""},
                      Encoding{"line\r\nbreak", 1, "\"line\r\nbreak\""},
                      Encoding{"cr\ronly", 1, "\"cr\ronly\""}, Encoding{"", 1, ""},
                      Encoding{"tab\there", 2, "tab here"},
                      Encoding{"two\r\nlines", 2, "two  lines"},
                      Encoding{"a,\"b\"", 2, "a,\"b\""}));

ResultList SampleList() {
    ResultList list;
    list.Title = "Invoice";
    list.Columns = {{"//InvoiceRet/RefNumber", "Num", DataTypeCode::Str},
                    {"//InvoiceRet/CustomerRef/FullName", "Customer, Name", DataTypeCode::Str},
                    {"//InvoiceRet/Subtotal", "Amount", DataTypeCode::Amt}};
    list.Rows = {{"k0", {"1001", "Acme, Inc.", "-12.50"}, ""},
                 {"k3", {"1002", "=HYPERLINK(\"x\")", "40"}, ""},
                 {"k4", {"1003"}, ""}};
    return list;
}

TEST(DelimitedExport, WritesHeadingsThenRowsEachEndedByCrLf) {
    test::TempDir dir;
    auto file = dir.Path() / "Invoice List.csv";
    ASSERT_EQ(WriteListFile(file, SampleList(), {}).Message(), "");
    EXPECT_EQ(test::ReadAll(file),
              "Num,\"Customer, Name\",Amount\r\n"
              "1001,\"Acme, Inc.\",-12.50\r\n"
              "1002,=HYPERLINK(\"x\"),40\r\n"
              "1003\r\n");
}

TEST(DelimitedExport, TabFormatWritesFieldsVerbatim) {
    test::TempDir dir;
    auto file = dir.Path() / "Invoice List.txt";
    ASSERT_EQ(WriteListFile(file, SampleList(), {ExportFormat::Tab, false}).Message(), "");
    EXPECT_EQ(test::ReadAll(file),
              "Num\tCustomer, Name\tAmount\r\n"
              "1001\tAcme, Inc.\t-12.50\r\n"
              "1002\t=HYPERLINK(\"x\")\t40\r\n"
              "1003\r\n");
}

TEST(DelimitedExport, AListWithoutRowsGivesTheHeadingLineOnly) {
    test::TempDir dir;
    ResultList list = SampleList();
    list.Rows.clear();
    auto file = dir.Path() / "empty.csv";
    ASSERT_EQ(WriteListFile(file, list, {}).Message(), "");
    EXPECT_EQ(test::ReadAll(file), "Num,\"Customer, Name\",Amount\r\n");
}

TEST(DelimitedExport, FormulaGuardMarksTextCellsButNotNumbers) {
    test::TempDir dir;
    auto file = dir.Path() / "guarded.csv";
    ASSERT_EQ(WriteListFile(file, SampleList(), {ExportFormat::Comma, true}).Message(), "");
    std::string text = test::ReadAll(file);
    // Guarding implies standard quoting: the quotes inside are doubled.
    EXPECT_NE(text.find("1002,\"'=HYPERLINK(\"\"x\"\")\",40\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(",-12.50\r\n"), std::string::npos) << text;
}

// Each way fails for every user, root included: no permission bit is involved.
TEST(DelimitedExport, AFailedExportSaysWhyAndLeavesWhatWasThere) {
    test::TempDir dir;
    auto missing = dir.Path() / "no such folder" / "x.csv";
    EXPECT_TRUE(WriteListFile(missing, SampleList(), {}).Failed());
    EXPECT_FALSE(std::filesystem::exists(missing));

    std::ofstream(dir.Path() / "a file") << "old";
    auto underAFile = dir.Path() / "a file" / "x.csv";
    EXPECT_TRUE(WriteListFile(underAFile, SampleList(), {}).Failed());
    EXPECT_EQ(test::ReadAll(dir.Path() / "a file"), "old");

    // A folder in the way: the finished file cannot replace it, and nothing half
    // written stays beside it.
    std::filesystem::create_directory(dir.Path() / "keep.csv");
    std::ofstream(dir.Path() / "keep.csv" / "inside") << "old";
    Outcome blocked = WriteListFile(dir.Path() / "keep.csv", SampleList(), {});
    EXPECT_TRUE(blocked.Failed());
    EXPECT_NE(blocked.Message().find("keep.csv"), std::string::npos) << blocked.Message();
    EXPECT_EQ(test::ReadAll(dir.Path() / "keep.csv" / "inside"), "old");
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 2u);  // "a file" and "keep.csv", no temporary file
}

// ---- read back by an independent reader ---------------------------------------------

std::string JsonText(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out + "\"";
}

// Runs check_delimited.py on a written file against the rows it must give back; the
// exit status and what the checker printed.
std::pair<int, std::string> ReadBack(const std::string& kind, const std::filesystem::path& file,
                                     const std::vector<std::vector<std::string>>& rows,
                                     bool noFormulaLines) {
    std::filesystem::path expected = file.string() + ".json";
    {
        std::ofstream out(expected, std::ios::binary);
        out << "[";
        for (std::size_t r = 0; r < rows.size(); ++r) {
            out << (r ? "," : "") << "[";
            for (std::size_t c = 0; c < rows[r].size(); ++c) {
                out << (c ? "," : "") << JsonText(rows[r][c]);
            }
            out << "]";
        }
        out << "]";
    }
    std::string command = std::string("/usr/bin/python3 '") + QUARRION_DELIMITED_CHECKER + "' " +
                          kind + " '" + file.string() + "' '" + expected.string() + "'" +
                          (noFormulaLines ? " --no-formula-lines" : "") + " 2>&1";
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {-1, "cannot run the checker"};
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

// The texts a hostile or merely unusual company puts into a list.
ResultList ProbeList() {
    ResultList list;
    list.Title = "Item";
    list.Columns = {{"//ItemRet/Name", "Name, Full", 141},
                    {"//ItemRet/Desc", "Say \"Desc\"", 141},
                    {"//ItemRet/Price", "Price", 75}};
    const std::vector<std::vector<std::string>> cells = {
        {"Bolt, Zinc 1/4\" x 2\"", "plain", "1.00"},
        {"\"wrapped, fully\"", "\"half, open", "2"},
        {"note\n=cmd|' /C calc'!A0", "tab\tinside", "-3"},
        {"=HYPERLINK(\"x\")", "cr\r\n+lf", "4"},
        {"@SUM(1)", "\"", "5"},
        {"", "quote \" inside", ""},
    };
    for (std::size_t i = 0; i < cells.size(); ++i) {
        list.Rows.push_back({"k" + std::to_string(i), cells[i], ""});
    }
    return list;
}

std::vector<std::vector<std::string>> ExpectedRows(const ResultList& list) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> headings;
    for (const ResultColumn& column : list.Columns) headings.push_back(column.Heading);
    rows.push_back(headings);
    for (const ResultRow& row : list.Rows) rows.push_back(row.Cells);
    return rows;
}

TEST(DelimitedReadBack, CommaFieldsWithQuotesAtOneEndReadBackWhole) {
    test::TempDir dir;
    // Texts without line breaks and not wrapped in quotes whole: the default encoding
    // leaves those two kinds as they are, so only these are expected to read back.
    ResultList list = ProbeList();
    list.Rows = {{"k0", {"Bolt, Zinc 1/4\" x 2\"", "\"half, open", "1"}, ""},
                 {"k1", {"end, quote\"", "a,b", "2"}, ""}};
    auto file = dir.Path() / "default.csv";
    ASSERT_EQ(WriteListFile(file, list, {}).Message(), "");
    auto [status, output] = ReadBack("csv", file, ExpectedRows(list), false);
    EXPECT_EQ(status, 0) << output << test::ReadAll(file);
}

TEST(DelimitedReadBack, StandardQuotingReadsBackEveryField) {
    test::TempDir dir;
    ResultList list = ProbeList();
    auto file = dir.Path() / "standard.csv";
    ASSERT_EQ(WriteListFile(file, list, {ExportFormat::Comma, false, true}).Message(), "");
    auto [status, output] = ReadBack("csv", file, ExpectedRows(list), false);
    EXPECT_EQ(status, 0) << output << test::ReadAll(file);
}

TEST(DelimitedReadBack, StandardTabFilesReplaceBreaksAndTabsWithBlanks) {
    test::TempDir dir;
    ResultList list = ProbeList();
    auto file = dir.Path() / "standard.txt";
    ASSERT_EQ(WriteListFile(file, list, {ExportFormat::Tab, false, true}).Message(), "");
    std::vector<std::vector<std::string>> expected = ExpectedRows(list);
    for (auto& row : expected) {
        for (std::string& cell : row) {
            for (char& c : cell) {
                if (c == '\t' || c == '\r' || c == '\n') c = ' ';
            }
        }
    }
    auto [status, output] = ReadBack("tsv", file, expected, false);
    EXPECT_EQ(status, 0) << output << test::ReadAll(file);
}

TEST(DelimitedReadBack, GuardedFilesReadBackAndNoLineStartsAFormula) {
    test::TempDir dir;
    ResultList list = ProbeList();
    std::vector<std::vector<std::string>> expected = ExpectedRows(list);
    expected[3][0] = "note\n'=cmd|' /C calc'!A0";
    expected[4][0] = "'=HYPERLINK(\"x\")";
    expected[4][1] = "cr\r\n'+lf";
    expected[5][0] = "'@SUM(1)";
    for (int format : {ExportFormat::Comma, ExportFormat::Tab}) {
        auto file = dir.Path() / (format == ExportFormat::Comma ? "guarded.csv" : "guarded.txt");
        ASSERT_EQ(WriteListFile(file, list, {format, true}).Message(), "");
        std::vector<std::vector<std::string>> rows = expected;
        if (format == ExportFormat::Tab) {
            for (auto& row : rows) {
                for (std::string& cell : row) {
                    for (char& c : cell) {
                        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
                    }
                }
            }
        }
        auto [status, output] =
            ReadBack(format == ExportFormat::Comma ? "csv" : "tsv", file, rows, true);
        EXPECT_EQ(status, 0) << output << test::ReadAll(file);
    }
}

TEST(ExportNames, TheExtensionIsAppendedToNamesLongerThanFourThatLackIt) {
    const struct {
        const char* name;
        int format;
        const char* written;
    } cases[] = {
        {"Invoice List", ExportFormat::Comma, "Invoice List.csv"},
        {"Invoice List.CSV", ExportFormat::Comma, "Invoice List.CSV"},
        {"Invoice List.txt", ExportFormat::Comma, "Invoice List.txt.csv"},
        {"abcd", ExportFormat::Comma, "abcd"},
        {"a.cs", ExportFormat::Comma, "a.cs"},
        {"ab.cs", ExportFormat::Comma, "ab.cs.csv"},
        {"abcde", ExportFormat::Tab, "abcde.txt"},
        {"report.csv", ExportFormat::Tab, "report.csv.txt"},
        {"report.TXT", ExportFormat::Tab, "report.TXT"},
    };
    for (const auto& c : cases) EXPECT_EQ(ExportFileName(c.name, c.format), c.written) << c.name;
}

}  // namespace
}  // namespace quarrion
