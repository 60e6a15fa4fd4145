#include "output/sheet_preview.h"

#include <gtest/gtest.h>

#include "qbxml/request_type_info.h"

namespace quarrion {
namespace {

// Each cell as its column's format shows it, and whether it shows as negative.
TEST(SheetCellText, ShowsTheCellAsItsColumnsFormatDoes) {
    namespace T = DataTypeCode;
    const struct {
        const char* text;
        std::int32_t code;
        const char* shown;
        bool negative;
    } cases[] = {{"1250.5", T::Amt, "$1,250.50", false},
                 {"-20", T::Amt, "($20.00)", true},
                 {"1234567.891", T::Price, "$1,234,567.89", false},
                 {"1,250.00", T::Amt, "1,250.00", false},  // text
                 {"", T::Amt, "", false},
                 {"1200", T::Quan, "1,200", false},
                 {"-3", T::Int, "(3)", true},
                 {"0", T::Int, "-", false},
                 {"12.5", T::Percent, "12.50%", false},
                 {"7.25 percent", T::Percent, "7.25%", false},
                 {"none", T::Percent, "0.00%", false},
                 {"-5", T::Percent, "(5.00%)", true},
                 {"1250.5", T::Str, "1250.5", false},
                 {"2024-03-05", T::Date, "2024-03-05", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SheetCellText(c.text, c.code), c.shown);
        EXPECT_EQ(SheetCellNegative(c.text, c.code), c.negative);
    }
}

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

}  // namespace
}  // namespace quarrion
