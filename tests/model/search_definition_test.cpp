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

QBXMLTag MakeTag(const char* path, const char* heading = "Heading", const char* userHeading = "") {
    QBXMLTag tag;
    tag.Code = RequestTypeCode::Invoice;
    tag.SetTagName(path);
    tag.SetDataType("STRTYPE");
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
    search.DateFilter = DateFilterCode::ModifiedDate;
    search.FromDate = sys_days(2020y / May / 1);
    search.Examinors.Add()->Criteria.Add(Operation::Contains, Choice::Text);
    IncItem* item = search.IncludeItems.Add("Invoice", RequestTypeCode::Invoice);
    item->FieldExaminors.Add();
    item->DisplayColumns.Add(MakeTag("//InvoiceRet/RefNumber"));
    item->SearchColumns.Add(MakeTag("//InvoiceRet/Memo"));

    search.Clear();
    EXPECT_EQ(std::to_string(search.ID) + "|" + search.Name + "|" + search.Description + "|" +
                  std::to_string(search.Examinors.Count()) + "|" +
                  std::to_string(search.IncludeItems.Count()) + "|" +
                  std::to_string(item->FieldExaminors.Count()) + "|" +
                  std::to_string(item->DisplayColumns.Count()) + "|" +
                  std::to_string(item->SearchColumns.Count()) + "|" + std::to_string(search.Max) +
                  "|" + std::to_string(search.DateFilter) + "|" + search.FormatFrom(),
              "0|||0|1|0|0|1|50|2|2020-05-01");
}

TEST(SearchObject2s, AddByNameInAnyCaseReturnsTheExistingOne) {
    SearchObject2s searches;
    SearchObject2* first = searches.Add("Overdue");
    EXPECT_EQ(searches.Add("OVERDUE"), first);

    IncItems items;
    IncItem* invoice = items.Add("Invoice", RequestTypeCode::Invoice);
    EXPECT_EQ(invoice->DisplayColumns.RequestType, RequestTypeCode::Invoice);
    EXPECT_EQ(items.Add("INVOICE", RequestTypeCode::CreditMemo), invoice);
    EXPECT_EQ(invoice->RequestType(), RequestTypeCode::Invoice);
    invoice->Done = true;
    items.Add("Customer", RequestTypeCode::Customer);
    EXPECT_FALSE(items.AllDone());
}

TEST(DisplayColumns, BlankHeadingFallsBackToTheUserHeading) {
    DisplayColumns columns;
    DisplayColumn* blank =
        columns.Add(MakeTag("//InvoiceRet/RefNumber", "Number", "Invoice #"), "  ");
    EXPECT_EQ(blank->Heading(), "Invoice #");
    DisplayColumn* given = columns.Add(MakeTag("//InvoiceRet/Memo", "Memo"), "Notes");
    EXPECT_EQ(given->Heading(), "Notes");
    DisplayColumn* none = columns.Add(MakeTag("//InvoiceRet/PONumber", "P.O."));
    EXPECT_EQ(none->Heading(), "P.O.");
    EXPECT_EQ(columns.Add(MakeTag("//InvoiceRet/memo"), "Other"), given);
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
    // Invoice result columns: Invoice # (1), then Date and Subtotal (2, catalog order).
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
    RequestSearchRule* invoice = rules.Add(RequestTypeCode::Invoice, &catalog_);
    ASSERT_NE(invoice, nullptr);
    EXPECT_EQ(invoice->Name, "Invoice");
    EXPECT_EQ(invoice->DisplayColumns.RequestType, RequestTypeCode::Invoice);
    const std::vector<std::string> expected = {"Invoice #", "Date", "Subtotal"};
    EXPECT_EQ(Headings(invoice->DefaultColumns), expected);
    EXPECT_EQ(Headings(invoice->DisplayColumns), expected);
    EXPECT_EQ(rules.Add(RequestTypeCode::Invoice, &catalog_), invoice);
    // A code of no offered type adds nothing; without a catalog the columns stay empty.
    EXPECT_EQ(rules.Add(999, &catalog_), nullptr);
    RequestSearchRule* customer = rules.Add(RequestTypeCode::Customer, nullptr);
    ASSERT_NE(customer, nullptr);
    EXPECT_EQ(customer->DefaultColumns.Count() + customer->DisplayColumns.Count(), 0u);
}

TEST_F(StandingRules, RefreshedDefaultsReachUntouchedColumnsButNotChosenOnes) {
    RequestSearchRules rules;
    RequestSearchRule* untouched = rules.Add(RequestTypeCode::Invoice, &catalog_);
    RequestSearchRules others;
    RequestSearchRule* chosen = others.Add(RequestTypeCode::Invoice, &catalog_);
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
    RequestSearchRule* invoice = rules.Add(RequestTypeCode::Invoice, &catalog_);
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
    RequestSearchRule* invoice = rules.Add(RequestTypeCode::Invoice, &catalog_);
    catalog_.Clear();
    catalog_.Add(RequestTypeCode::Invoice, "", 0, 1, "//InvoiceRet/Other", "Other", 1, "", false,
                 "", "STRTYPE", 0);
    ASSERT_NE(invoice->DisplayColumns.Item(1)->Tag(), nullptr);
    EXPECT_EQ(invoice->DisplayColumns.Item(1)->Tag()->TagName(), "//InvoiceRet/RefNumber");
}

}  // namespace
}  // namespace quarrion
