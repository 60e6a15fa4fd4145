#include "output/sheet_preview.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "output/data_view_page.h"
#include "qbxml/request_type_info.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

struct CellCase {
    const char* text;
    std::int32_t code;
    const char* shown;
    bool negative;
};

class SheetCellText : public ::testing::TestWithParam<CellCase> {};

TEST_P(SheetCellText, ShowsTheCellAsItsColumnsFormatDoes) {
    const CellCase& c = GetParam();
    EXPECT_EQ(quarrion::SheetCellText(c.text, c.code), c.shown);
    EXPECT_EQ(SheetCellNegative(c.text, c.code), c.negative);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SheetCellText,
    ::testing::Values(CellCase{"1250.5", DataTypeCode::Amt, "$1,250.50", false},
                      CellCase{"-20", DataTypeCode::Amt, "($20.00)", true},
                      CellCase{"1234567.891", DataTypeCode::Price, "$1,234,567.89", false},
                      CellCase{"0", DataTypeCode::Amt, "$0.00", false},
                      CellCase{"1,250.00", DataTypeCode::Amt, "1,250.00", false},  // text
                      CellCase{"", DataTypeCode::Amt, "", false},
                      CellCase{"1200", DataTypeCode::Quan, "1,200", false},
                      CellCase{"-3", DataTypeCode::Int, "(3)", true},
                      CellCase{"0", DataTypeCode::Int, "-", false},
                      CellCase{"12.5", DataTypeCode::Percent, "12.50%", false},
                      CellCase{"7.25 percent", DataTypeCode::Percent, "7.25%", false},
                      CellCase{"none", DataTypeCode::Percent, "0.00%", false},
                      CellCase{"-5", DataTypeCode::Percent, "(5.00%)", true},
                      CellCase{"1250.5", DataTypeCode::Str, "1250.5", false},
                      CellCase{"=SUM(A1)", DataTypeCode::Amt, "=SUM(A1)", false},
                      CellCase{"2024-03-05", DataTypeCode::Date, "2024-03-05", false}));

ResultList ListOf(std::vector<ResultColumn> columns, std::vector<std::vector<std::string>> rows) {
    ResultList list;
    list.Columns = std::move(columns);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        list.Rows.push_back({"k" + std::to_string(i), std::move(rows[i]), ""});
    }
    return list;
}

// Amount and quantity columns are summed (text cells and short rows counting as empty);
// other columns have no total, and a list without rows none at all.
TEST(SheetTotals, SumAmountAndQuantityColumnsOnly) {
    const ResultList list = ListOf({{"a", "Amount", DataTypeCode::Amt},
                                    {"p", "Price", DataTypeCode::Price},
                                    {"q", "Qty", DataTypeCode::Quan},
                                    {"n", "Count", DataTypeCode::Int},
                                    {"t", "Name", DataTypeCode::Str}},
                                   {{"10.25", "5", "2", "-7", "x"},
                                    {"-0.25", "5", "1000", "3", "y"},
                                    {"n/a", "5", "", "4", "z"},
                                    {"1"}});
    const auto totals = SheetTotals(list);
    ASSERT_EQ(totals.size(), 5u);
    EXPECT_EQ(totals[0], "$11.00");
    EXPECT_FALSE(totals[1].has_value());
    EXPECT_EQ(totals[2], "1,002");
    EXPECT_EQ(totals[3], "-");
    EXPECT_FALSE(totals[4].has_value());
    EXPECT_TRUE(SheetTotals(ListOf({{"a", "Amount", DataTypeCode::Amt}}, {})).empty());
}

class DataViewPage : public ::testing::Test {
  protected:
    void Image(const char* name, const std::string& bytes) {
        std::ofstream(home_.Path() / name, std::ios::binary) << bytes;
    }
    test::TempDir home_;
};

TEST_F(DataViewPage, ImagesTravelInsideThePage) {
    Image("dataview.gif", "GIF89a");
    Image("xml_globe_00_tn.jpg", std::string("\xFF\xD8\xFF", 3));
    const std::string page =
        "<style>BODY {background:url(../dataview.gif);}</style>"
        "<img src=\"../xml_globe_00_tn.jpg\"/><script>var a = '<img "
        "src=\"../clip06.GIF\"/>';</script>";
    const std::string embedded = EmbedDataViewImages(page, home_.Path());
    EXPECT_NE(embedded.find("url(data:image/gif;base64,R0lGODlh);"), std::string::npos) << embedded;
    EXPECT_NE(embedded.find("src=\"data:image/jpeg;base64,/9j/\""), std::string::npos) << embedded;
    // An image the folder does not hold keeps its reference.
    EXPECT_NE(embedded.find("../clip06.GIF"), std::string::npos);
}

TEST(FillNoteArea, PutsTheContentIntoTheEmptyArea) {
    const std::string page = "<p><br><div id=\"div_note\" class=\"note\"></div></br></p>";
    EXPECT_EQ(FillNoteArea(page, "<a href=\"x\">note</a>"),
              "<p><br><div id=\"div_note\" class=\"note\"><a href=\"x\">note</a></div></br></p>");
    EXPECT_EQ(FillNoteArea("<p>no note</p>", "x"), "<p>no note</p>");
}

}  // namespace
}  // namespace quarrion
