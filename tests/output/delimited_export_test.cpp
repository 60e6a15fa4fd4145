#include "output/delimited_export.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

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
                      Encoding{"\"half, quoted", 1, "\"half, quoted"},
                      Encoding{"half, quoted\"", 1, "half, quoted\""},
                      Encoding{"no \"comma\" here", 1, "no \"comma\" here"},
                      Encoding{"line\r\nbreak", 1, "line\r\nbreak"}, Encoding{"", 1, ""},
                      Encoding{"a,b", 2, "a,b"}, Encoding{"\"q\"", 2, "\"q\""},
                      Encoding{"tab\there", 2, "tab\there"}, Encoding{"a,b", 7, "a,b"}));

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
    EXPECT_NE(text.find("1002,'=HYPERLINK(\"x\"),40\r\n"), std::string::npos) << text;
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
