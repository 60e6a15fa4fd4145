#include "output/sheet_preview.h"

#include <gtest/gtest.h>

#include "qbxml/request_type_info.h"

namespace quarrion {
namespace {

namespace T = DataTypeCode;

// Each cell as its column's format shows it, and whether it shows as negative. (The
// workbook window's test reads texts, dates and positive amounts, quantities and percents
// off the preview.)
TEST(SheetCellText, ShowsTheCellAsItsColumnsFormatDoes) {
    const struct {
        const char* text;
        std::int32_t code;
        const char* shown;
        bool negative;
    } cases[] = {{"-20", T::Amt, "($20.00)", true},
                 {"1234567.891", T::Price, "$1,234,567.89", false},
                 {"1,250.00", T::Amt, "1,250.00", false},  // text
                 {"", T::Amt, "", false},
                 {"-3", T::Int, "(3)", true},
                 {"0", T::Int, "-", false},
                 {"7.25 percent", T::Percent, "7.25%", false},
                 {"none", T::Percent, "0.00%", false},
                 {"-5", T::Percent, "(5.00%)", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SheetCellText(c.text, c.code), c.shown);
        EXPECT_EQ(SheetCellNegative(c.text, c.code), c.negative);
    }
}

// Amount, quantity and count columns are summed (text cells and short rows counting as
// empty); other columns have no total, and a list without rows none at all.
TEST(SheetTotals, SumAmountQuantityAndCountColumnsOnly) {
    ResultList list;
    list.Columns = {{"a", "Amount", T::Amt},
                    {"p", "Price", T::Price},
                    {"q", "Qty", T::Quan},
                    {"n", "Count", T::Int},
                    {"t", "Name", T::Str}};
    using Total = std::optional<std::string>;
    EXPECT_EQ(SheetTotals(list), std::vector<Total>());
    list.Rows = {{"k0", {"10.25", "5", "2", "-7", "x"}, ""},
                 {"k1", {"-0.25", "5", "1000", "3", "y"}, ""},
                 {"k2", {"n/a", "5", "", "4", "z"}, ""},
                 {"k3", {"1"}, ""}};
    EXPECT_EQ(SheetTotals(list),
              (std::vector<Total>{"$11.00", std::nullopt, "1,002", "-", std::nullopt}));
}

}  // namespace
}  // namespace quarrion
