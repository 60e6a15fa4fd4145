#include <gtest/gtest.h>

#include "foundation/codes.h"
#include "model/search_object2.h"
#include "search/result_text.h"

namespace quarrion {
namespace {

TEST(JsonStrings, SpecialCharactersAreEscapedAndInvalidUtf8Replaced) {
    const std::pair<std::string, std::string> table[] = {
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"line\nbreak\r\ttab", "\"line\\nbreak\\r\\ttab\""},
        {"\b\f", "\"\\b\\f\""},
        {std::string("nul\0x", 5), "\"nul\\u0000x\""},
        {"Zoë's Café 日本", "\"Zoë's Café 日本\""},
        {"\x7f", "\"\x7f\""},
        {"a\xff!", "\"a\xEF\xBF\xBD!\""},
        {"\xC3", "\"\xEF\xBF\xBD\""},  // a sequence cut short
    };
    for (const auto& [text, json] : table) EXPECT_EQ(JsonString(text), json) << text;
}

// Two included types with their lists, as a finished run holds them.
class ResultTexts : public ::testing::Test {
  protected:
    void SetUp() override {
        IncItem* invoice = search_.IncludeItems.Add("Invoice", RequestTypeCode::Invoice);
        invoice->Message = "3/3  Found 2 Done.";
        invoice->Done = true;
        IncItem* customer = search_.IncludeItems.Add("Customer", RequestTypeCode::Customer);
        customer->Message = "No matches found.";
        customer->Done = true;

        ResultList invoices;
        invoices.RequestType = RequestTypeCode::Invoice;
        invoices.Title = "Invoice";
        invoices.Columns = {{"//InvoiceRet/TxnDate", "Date", DataTypeCode::Date},
                            {"//InvoiceRet/CustomerRef/FullName", "Customer", DataTypeCode::Str},
                            {"//InvoiceRet/Subtotal", "Subtotal", DataTypeCode::Amt}};
        invoices.Rows = {{"k0", {"2026-11-02", "ACME \"Big\" Co", "12.50"}, "ACME"},
                         {"k2", {"2026-11-03", "Zoë's, Ltd", "1500.00"}, ""}};
        ResultList customers;
        customers.RequestType = RequestTypeCode::Customer;
        customers.Title = "Customer";
        customers.Columns = {{"//CustomerRet/FullName", "Customer", DataTypeCode::Str}};
        lists_ = {invoices, customers};
    }

    SearchObject2 search_;
    std::vector<ResultList> lists_;
};

// The terminal tool's JSON test reads the whole document back; here, a search without
// types still gives one.
TEST(ResultsJson, NoTypesStillMakeADocument) {
    SearchObject2 none;
    EXPECT_EQ(ResultsJson("x", none.IncludeItems, {}),
              "{\n  \"caption\": \"x\",\n  \"types\": []\n}\n");
}

TEST_F(ResultTexts, TheTableShowsABlockPerTypeWithNumbersAlignedRight) {
    const std::string expected =
        "Invoice\n"
        "  3/3  Found 2 Done.\n"
        "\n"
        "Key  Date        Customer       Subtotal  Match\n"
        "---  ----------  -------------  --------  -----\n"
        "k0   2026-11-02  ACME \"Big\" Co     12.50  ACME\n"
        "k2   2026-11-03  Zoë's, Ltd      1500.00\n"
        "\n"
        "Customer\n"
        "  No matches found.\n";
    EXPECT_EQ(ResultsTable(search_.IncludeItems, lists_), expected);
}

TEST_F(ResultTexts, LongAndControlCharactersAreTamedInTheTable) {
    lists_[0].Rows[0].Cells[1] = "line\none\tand a very long tail that goes on";
    const std::string table = ResultsTable(search_.IncludeItems, lists_, 16);
    EXPECT_NE(table.find("line one and ..."), std::string::npos) << table;
    EXPECT_EQ(table.find("tail"), std::string::npos);
}

// Width counts wide and combining characters (an e and a combining acute accent).
TEST(AlignedTables, DisplayWidthCountsWhatTheTerminalShows) {
    for (const auto& [text, width] :
         {std::pair{"abc", 3u}, {"Zoë", 3u}, {"日本", 4u}, {"e\xCC\x81", 1u}})
        EXPECT_EQ(DisplayWidth(text), width) << text;
}

}  // namespace
}  // namespace quarrion
