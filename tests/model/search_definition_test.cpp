#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "catalog/qbxml_tags.h"
#include "foundation/codes.h"
#include "model/request_search_rule.h"
#include "model/search_object2.h"
#include "support/display_headings.h"

namespace quarrion {
namespace {

using namespace std::chrono;
using test::Headings;

QBXMLTag MakeTag(const char* path, const char* dataType, const char* heading = "Heading",
                 const char* userHeading = "") {
    QBXMLTag tag;
    tag.Code = 4;
    tag.SetTagName(path);
    tag.SetDataType(dataType);
    tag.DefaultHeading = heading;
    tag.SetUserHeading(userHeading);
    return tag;
}

TEST(SearchObject2, CaptionIsTheNameOrElseTheDatesInOrder) {
    struct Case {
        const char* name;
        sys_days from;
        sys_days to;
        const char* caption;
        const char* first;  // the earlier day, which Caption moves to FromDate
    };
    const sys_days january = 2005y / January / 1, march = 2005y / March / 31;
    const Case cases[] = {
        {"", march, january, "(2005-01-01 and 2005-03-31)", "2005-01-01"},
        {"   ", january, march, "(2005-01-01 and 2005-03-31)", "2005-01-01"},
        {" Overdue ", january, march, " Overdue ", "2005-01-01"},
        {"", march, march, "2005-03-31", "2005-03-31"},
    };
    for (const Case& c : cases) {
        SearchObject2 search;
        search.Name = c.name;
        search.FromDate = c.from;
        search.ToDate = c.to;
        EXPECT_EQ(search.Caption(), c.caption) << c.name;
        EXPECT_EQ(search.FormatFrom(), c.first) << c.name;
    }
}

TEST(SearchObject2, ClearKeepsTypesDatesAndMaximum) {
    SearchObject2 search;
    search.ID = 12;
    search.Name = "Old";
    search.Description = "text";
    search.Max = 50;
    search.DateFilter = 2;
    search.FromDate = sys_days(2020y / May / 1);
    search.Examinors.Add()->Criteria.Add(Operation::Contains, Choice::Text);
    IncItem* item = search.IncludeItems.Add("Invoice", RequestTypeCode::Invoice);
    item->FieldExaminors.Add();
    item->DisplayColumns.Add(MakeTag("//InvoiceRet/RefNumber", "STRTYPE"));
    item->SearchColumns.Add(MakeTag("//InvoiceRet/Memo", "STRTYPE"));

    search.Clear();
    EXPECT_EQ(search.ID, 0);
    EXPECT_EQ(search.Name, "");
    EXPECT_EQ(search.Description, "");
    EXPECT_EQ(search.Examinors.Count(), 0u);
    ASSERT_EQ(search.IncludeItems.Count(), 1u);
    EXPECT_EQ(item->FieldExaminors.Count(), 0u);
    EXPECT_EQ(item->DisplayColumns.Count(), 0u);
    EXPECT_EQ(item->SearchColumns.Count(), 1u);
    EXPECT_EQ(search.Max, 50);
    EXPECT_EQ(search.DateFilter, 2);
    EXPECT_EQ(search.FormatFrom(), "2020-05-01");
}

TEST(SearchObject2s, AddByNameInAnyCaseReturnsTheExistingOne) {
    SearchObject2s searches;
    SearchObject2* first = searches.Add("Overdue");
    EXPECT_EQ(first->Index, 1);
    EXPECT_EQ(searches.Add("OVERDUE"), first);
    EXPECT_EQ(searches.Add("Other")->Index, 2);
    EXPECT_EQ(searches.Item("other"), searches.Item(2));

    IncItems items;
    EXPECT_TRUE(items.AllDone());
    IncItem* invoice = items.Add("Invoice", RequestTypeCode::Invoice);
    EXPECT_EQ(invoice->DisplayColumns.RequestType, RequestTypeCode::Invoice);
    EXPECT_EQ(items.Add("INVOICE", RequestTypeCode::CreditMemo), invoice);
    EXPECT_EQ(invoice->RequestType(), RequestTypeCode::Invoice);
    invoice->Done = true;
    EXPECT_TRUE(items.AllDone());
    IncItem* customer = items.Add("Customer", RequestTypeCode::Customer);
    EXPECT_EQ(customer->Index, 2);
    EXPECT_FALSE(items.AllDone());
    items.Add("Invoice again", RequestTypeCode::Invoice);
    EXPECT_EQ(items.ItemByRequestType(RequestTypeCode::Invoice), invoice);
    EXPECT_EQ(items.ItemByRequestType(RequestTypeCode::SalesOrder), nullptr);
}

TEST(SearchColumns, ColumnTakesTheLastElementNameOfItsPath) {
    SearchColumns columns;
    SearchColumn* column = columns.Add(MakeTag("//InvoiceRet/CustomerRef/FullName", "STRTYPE"));
    EXPECT_EQ(column->Index, 1);
    EXPECT_EQ(column->ElementName(), "FullName");
    EXPECT_EQ(columns.Add(MakeTag("//INVOICERET/CUSTOMERREF/FULLNAME", "AMTTYPE")), column);
    EXPECT_EQ(columns.Count(), 1u);
    EXPECT_EQ(column->Column()->DataType(), "STRTYPE");
    EXPECT_EQ(columns.Add(QBXMLTagRef()), nullptr);

    SearchColumn other;
    column->Copy(other, CopyDirection::IntoTarget);
    EXPECT_EQ(other.Column(), column->Column());
    EXPECT_EQ(other.ElementName(), "FullName");
}

TEST(DisplayColumns, BlankHeadingFallsBackToTheUserHeading) {
    DisplayColumns columns;
    DisplayColumn* blank =
        columns.Add(MakeTag("//InvoiceRet/RefNumber", "STRTYPE", "Number", "Invoice #"), "  ");
    EXPECT_EQ(blank->Heading(), "Invoice #");
    DisplayColumn* given = columns.Add(MakeTag("//InvoiceRet/Memo", "STRTYPE", "Memo"), "Notes");
    EXPECT_EQ(given->Heading(), "Notes");
    DisplayColumn* none = columns.Add(MakeTag("//InvoiceRet/PONumber", "STRTYPE", "P.O."));
    EXPECT_EQ(none->Heading(), "P.O.");
    EXPECT_EQ(none->Index, 3);
    EXPECT_EQ(columns.Add(MakeTag("//InvoiceRet/memo", "STRTYPE"), "Other"), given);
    EXPECT_EQ(given->Heading(), "Notes");

    given->SetHeading("   ");
    EXPECT_EQ(given->Heading(), "Memo");
    DisplayColumn loose;
    loose.SetHeading("Kept");
    loose.SetHeading(" ");
    EXPECT_EQ(loose.Heading(), "Kept");
}

class StandingRules : public ::testing::Test {
  protected:
    void SetUp() override {
        catalog_.Add(RequestTypeCode::Invoice, "", 0, 2, "//InvoiceRet/TxnDate", "Date", 1, "",
                     false, "", "DATETYPE", 0);
        catalog_.Add(RequestTypeCode::Invoice, "", 0, 0, "//InvoiceRet/Memo", "Memo", 1, "", false,
                     "", "STRTYPE", 0);
        catalog_.Add(RequestTypeCode::Invoice, "", 0, 1, "//InvoiceRet/RefNumber", "Number", 1,
                     "Invoice #", false, "", "STRTYPE", 0);
        catalog_.Add(RequestTypeCode::Invoice, "", 0, 2, "//InvoiceRet/Subtotal", "Subtotal", 1, "",
                     false, "", "AMTTYPE", 0);
        catalog_.Add(RequestTypeCode::Customer, "", 0, 1, "//CustomerRet/Name", "Name", 1, "",
                     false, "", "STRTYPE", 0);
    }

    QBXMLTags catalog_;
};

TEST_F(StandingRules, NewRuleTakesTheTypesResultColumnsInColumnOrder) {
    RequestSearchRules rules;
    RequestSearchRule* invoice = rules.Add(4, &catalog_);
    ASSERT_NE(invoice, nullptr);
    EXPECT_EQ(invoice->Name, "Invoice");
    EXPECT_EQ(invoice->Index, 1);
    EXPECT_EQ(invoice->RequestType(), RequestTypeCode::Invoice);
    EXPECT_EQ(invoice->DisplayColumns.RequestType, RequestTypeCode::Invoice);
    EXPECT_EQ(invoice->DefaultColumns.RequestType, RequestTypeCode::Invoice);
    const std::vector<std::string> expected = {"Invoice #", "Date", "Subtotal"};
    EXPECT_EQ(Headings(invoice->DefaultColumns), expected);
    EXPECT_EQ(Headings(invoice->DisplayColumns), expected);
    EXPECT_EQ(rules.Add(4, &catalog_), invoice);
    EXPECT_EQ(rules.Item("INVOICE"), invoice);
    // A type without rules adds nothing; without a catalog the columns stay empty.
    EXPECT_EQ(rules.Add(14, &catalog_), nullptr);
    EXPECT_EQ(rules.Add(999, &catalog_), nullptr);
    EXPECT_EQ(rules.Count(), 1u);
    RequestSearchRule* customer = rules.Add(2, nullptr);
    ASSERT_NE(customer, nullptr);
    EXPECT_EQ(customer->Name, "Customer");
    EXPECT_EQ(customer->DefaultColumns.Count() + customer->DisplayColumns.Count(), 0u);
}

TEST_F(StandingRules, RefreshedDefaultsReachUntouchedColumnsButNotChosenOnes) {
    RequestSearchRules rules;
    RequestSearchRule* untouched = rules.Add(4, &catalog_);
    RequestSearchRules others;
    RequestSearchRule* chosen = others.Add(4, &catalog_);
    chosen->DisplayColumns.Item(1)->SetHeading("Mine");

    // The preferences wizard adds Memo as the fourth column and renames the number.
    catalog_.Item(2)->Sequence = 4;
    catalog_.Item(3)->SetUserHeading("No.");
    untouched->RefreshDefaults(&catalog_);
    chosen->RefreshDefaults(&catalog_);
    const std::vector<std::string> now = {"No.", "Date", "Subtotal", "Memo"};
    EXPECT_EQ(Headings(untouched->DefaultColumns), now);
    EXPECT_EQ(Headings(untouched->DisplayColumns), now);
    EXPECT_EQ(Headings(chosen->DefaultColumns), now);
    EXPECT_EQ(Headings(chosen->DisplayColumns),
              (std::vector<std::string>{"Mine", "Date", "Subtotal"}));

    chosen->RefreshDefaults(nullptr);
    EXPECT_EQ(Headings(chosen->DefaultColumns), now);
}

TEST_F(StandingRules, ResetForgetsFieldRulesAndRestoresTheDefaultColumns) {
    RequestSearchRules rules;
    RequestSearchRule* invoice = rules.Add(4, &catalog_);
    invoice->DisplayColumns.Item(1)->SetHeading("Mine");
    invoice->DisplayColumns.Remove(std::size_t{2});
    invoice->FieldExaminors.Add()->FieldCriteria.Add(*catalog_.Item(2), Operation::IsBlank);
    invoice->Reset();
    EXPECT_EQ(invoice->FieldExaminors.Count(), 0u);
    EXPECT_EQ(Headings(invoice->DisplayColumns),
              (std::vector<std::string>{"Invoice #", "Date", "Subtotal"}));
}

TEST_F(StandingRules, ColumnsOutliveACatalogReload) {
    RequestSearchRules rules;
    RequestSearchRule* invoice = rules.Add(4, &catalog_);
    catalog_.Clear();
    catalog_.Add(RequestTypeCode::Invoice, "", 0, 1, "//InvoiceRet/Other", "Other", 1, "", false,
                 "", "STRTYPE", 0);
    ASSERT_NE(invoice->DisplayColumns.Item(1)->Tag(), nullptr);
    EXPECT_EQ(invoice->DisplayColumns.Item(1)->Tag()->TagName(), "//InvoiceRet/RefNumber");
}

}  // namespace
}  // namespace quarrion
