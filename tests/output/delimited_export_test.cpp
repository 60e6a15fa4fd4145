#include "output/delimited_export.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

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
    list.Columns = {{"//InvoiceRet/RefNumber", "Num", 141},
                    {"//InvoiceRet/CustomerRef/FullName", "Customer, Name", 141},
                    {"//InvoiceRet/Subtotal", "Amount", 65}};
    list.Rows = {{"k0", {"1001", "Acme, Inc.", "-12.50"}, ""},
                 {"k3", {"1002", "=HYPERLINK(\"x\")", "40"}, ""},
                 {"k4", {"1003"}, ""}};
    return list;
}

TEST(DelimitedExport, WritesHeadingsThenRowsEachEndedByCrLf) {
    test::TempDir dir;
    auto file = dir.Path() / "Invoice List.csv";
    ASSERT_EQ(WriteListFile(file, SampleList(), {}), "");
    EXPECT_EQ(test::ReadAll(file),
              "Num,\"Customer, Name\",Amount\r\n"
              "1001,\"Acme, Inc.\",-12.50\r\n"
              "1002,=HYPERLINK(\"x\"),40\r\n"
              "1003\r\n");
}

TEST(DelimitedExport, TabFormatWritesFieldsVerbatim) {
    test::TempDir dir;
    auto file = dir.Path() / "Invoice List.txt";
    ASSERT_EQ(WriteListFile(file, SampleList(), {ExportFormat::Tab, false}), "");
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
    ASSERT_EQ(WriteListFile(file, list, {}), "");
    EXPECT_EQ(test::ReadAll(file), "Num,\"Customer, Name\",Amount\r\n");
}

TEST(DelimitedExport, FormulaGuardMarksTextCellsButNotNumbers) {
    test::TempDir dir;
    auto file = dir.Path() / "guarded.csv";
    ASSERT_EQ(WriteListFile(file, SampleList(), {ExportFormat::Comma, true}), "");
    std::string text = test::ReadAll(file);
    EXPECT_NE(text.find("1002,'=HYPERLINK(\"x\"),40\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(",-12.50\r\n"), std::string::npos) << text;
}

TEST(DelimitedExport, AnUnwritableFolderLeavesNoFileAndSaysWhy) {
    test::TempDir dir;
    auto missing = dir.Path() / "no such folder" / "x.csv";
    std::string error = WriteListFile(missing, SampleList(), {});
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(DelimitedExport, AFailedExportKeepsTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    test::TempDir dir;
    auto file = dir.Path() / "keep.csv";
    std::ofstream(file) << "old";
    chmod(dir.Path().c_str(), 0555);
    EXPECT_FALSE(WriteListFile(file, SampleList(), {}).empty());
    chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(test::ReadAll(file), "old");
}

TEST(ExportNames, SilentModeAppendsTheExtensionToNamesLongerThanFour) {
    EXPECT_EQ(SilentExportName("Invoice List", 1), "Invoice List.csv");
    EXPECT_EQ(SilentExportName("Invoice List.CSV", 1), "Invoice List.CSV");
    EXPECT_EQ(SilentExportName("abcd", 1), "abcd");
    EXPECT_EQ(SilentExportName("abcde", 2), "abcde.txt");
    EXPECT_EQ(SilentExportName("Invoice List.txt", 1), "Invoice List.txt.csv");
}

TEST(ExportNames, DialogModeAppendsTheChosenTypesExtension) {
    EXPECT_EQ(DialogExportName("report", 2), "report.txt");
    EXPECT_EQ(DialogExportName("report.csv", 2), "report.csv.txt");
    EXPECT_EQ(DialogExportName("report.TXT", 2), "report.TXT");
    EXPECT_EQ(DialogExportName("a.cs", 1), "a.cs");
    EXPECT_EQ(DialogExportName("ab.cs", 1), "ab.cs.csv");
}

}  // namespace
}  // namespace quarrion
