#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/qbxml_tags.h"
#include "foundation/codes.h"
#include "qbxml/request_type_info.h"
#include "search/close_matches.h"
#include "search/rule_text.h"
#include "search/search_builder.h"
#include "support/display_headings.h"

namespace quarrion {
namespace {

using test::Headings;

// A small catalog: a few Invoice and Customer elements, some of them result columns.
class SearchBuilding : public ::testing::Test {
  protected:
    void SetUp() override {
        Add(RequestTypeCode::Invoice, "//InvoiceRet/TxnID", 0, "Txn ID", "IDTYPE");
        Add(RequestTypeCode::Invoice, "//InvoiceRet/TxnDate", 1, "Date", "DATETYPE");
        Add(RequestTypeCode::Invoice, "//InvoiceRet/RefNumber", 2, "Num", "STRTYPE");
        Add(RequestTypeCode::Invoice, "//InvoiceRet/CustomerRef/FullName", 3, "Customer",
            "STRTYPE");
        Add(RequestTypeCode::Invoice, "//InvoiceRet/Subtotal", 5, "Subtotal", "AMTTYPE");
        Add(RequestTypeCode::Invoice, "//InvoiceRet/SalesTaxPercentage", 0, "Tax %", "PERCENTTYPE");
        Add(RequestTypeCode::Invoice, "//InvoiceRet/Memo", 4, "Memo", "STRTYPE");
        Add(RequestTypeCode::Invoice, "//InvoiceRet/IsPaid", 0, "Paid", "BOOLTYPE");
        Add(RequestTypeCode::Invoice, "//InvoiceRet/InvoiceLineRet/Quantity", 0, "Qty", "QUANTYPE");
        Add(RequestTypeCode::Customer, "//CustomerRet/FullName", 1, "Customer", "STRTYPE");
        Add(RequestTypeCode::Customer, "//CustomerRet/Balance", 2, "Balance", "AMTTYPE");
    }

    void Add(int code, const char* path, int sequence, const char* heading, const char* dataType) {
        catalog_.Add(code, "", sequence, sequence, path, heading, 1, "", false, "", dataType,
                     static_cast<std::int32_t>(catalog_.Count() + 1));
    }

    // Builds into `search` a search of `types` from rules that must all be taken.
    void Build(SearchObject2& search, std::initializer_list<int> types,
               std::initializer_list<const char*> rules,
               std::initializer_list<const char*> fieldRules = {}) {
        SearchBuilder builder(catalog_);
        for (int type : types) EXPECT_TRUE(builder.IncludeType(type)) << type;
        for (const char* rule : rules) EXPECT_EQ(builder.AddRule(rule), "") << rule;
        for (const char* rule : fieldRules) EXPECT_EQ(builder.AddFieldRule(rule), "") << rule;
        EXPECT_EQ(builder.Build(search).Message(), "");
    }

    static std::vector<std::string> Paths(const SearchColumns& columns) {
        std::vector<std::string> paths;
        for (const SearchColumn& column : columns) paths.push_back(column.Column()->TagName());
        return paths;
    }
    QBXMLTags catalog_;
};

TEST(RequestTypeTexts, CodesNamesAndAllNameTypes) {
    EXPECT_EQ(RequestTypesOf("4").Types, std::vector<std::int32_t>{4});
    EXPECT_EQ(RequestTypesOf("invoice").Types, std::vector<std::int32_t>{4});
    RequestTypesResult all = RequestTypesOf("All");
    ASSERT_EQ(all.Types.size(), 34u);
    EXPECT_EQ(all.Types.front(), 1);
    EXPECT_EQ(all.Types.back(), 35);
    EXPECT_EQ(std::count(all.Types.begin(), all.Types.end(), 14), 0);
}

TEST(SearchDates, OnlyRealDatesWrittenInFullParse) {
    auto date = ParseSearchDate("2026-11-02");
    ASSERT_TRUE(date);
    EXPECT_EQ(FormatSearchDate(*date), "2026-11-02");
    EXPECT_FALSE(ParseSearchDate("2026-02-30"));
    EXPECT_FALSE(ParseSearchDate("2026-1-2"));
    EXPECT_FALSE(ParseSearchDate("yesterday"));
}

TEST_F(SearchBuilding, WithoutATypeNothingIsBuilt) {
    SearchBuilder builder(catalog_);
    ASSERT_EQ(builder.AddRule("text contains x"), "");
    SearchObject2 search;
    search.IncludeItems.Add("Customer", RequestTypeCode::Customer);
    EXPECT_EQ(builder.Build(search).Message(), kNoTypeMessage);
    EXPECT_EQ(search.IncludeItems.Count(), 1u) << "a refused build leaves the search as it was";
    EXPECT_FALSE(builder.IncludeType(14));
    EXPECT_FALSE(builder.IncludeType(0));
}

TEST_F(SearchBuilding, TypesKeepTheirFirstPlaceAndTakeTheDefaultColumns) {
    SearchObject2 search;
    Build(search, {4, 2, 4}, {});
    ASSERT_EQ(search.IncludeItems.Count(), 2u);
    const IncItem& invoice = *search.IncludeItems.Item(1);
    EXPECT_EQ(invoice.Name, "Invoice");
    EXPECT_EQ(invoice.Index, 1);
    EXPECT_EQ(Headings(invoice.DisplayColumns),
              (std::vector<std::string>{"Date", "Num", "Customer", "Memo", "Subtotal"}));
    EXPECT_EQ(search.IncludeItems.Item(2)->Name, "Customer");
    EXPECT_EQ(search.IncludeItems.Item(2)->Index, 2);
    // No rules: no search columns, so every record is listed.
    EXPECT_EQ(invoice.SearchColumns.Count(), 0u);
    EXPECT_EQ(search.Examinors.Count(), 0u);
}

TEST_F(SearchBuilding, RulesAreGroupedByOrInTheirOrder) {
    SearchObject2 search;
    Build(search, {4}, {"text contains a", "or amount gt 5", "and text ends-with z"});
    ASSERT_EQ(search.Examinors.Count(), 2u);
    EXPECT_EQ(search.Examinors.Item(1)->Criteria.Count(), 1u);
    EXPECT_EQ(search.Examinors.Item(2)->Criteria.Count(), 2u);
    EXPECT_EQ(CriterionText(*search.Examinors.Item(2)->Criteria.Item(2), false),
              "text ends-with z");
}

TEST_F(SearchBuilding, SearchColumnsFollowTheDataTypesTheRulesReference) {
    struct Case {
        const char* rule;
        std::vector<std::string> invoice;
    };
    const Case cases[] = {
        {"text contains a",
         {"//InvoiceRet/RefNumber", "//InvoiceRet/CustomerRef/FullName", "//InvoiceRet/Memo"}},
        {"number gt 5",
         {"//InvoiceRet/Subtotal", "//InvoiceRet/SalesTaxPercentage",
          "//InvoiceRet/InvoiceLineRet/Quantity"}},
        {"percent gt 5", {"//InvoiceRet/SalesTaxPercentage"}},
    };
    for (const Case& c : cases) {
        SearchObject2 search;
        Build(search, {4, 2}, {c.rule});
        EXPECT_EQ(Paths(search.IncludeItems.Item(1)->SearchColumns), c.invoice) << c.rule;
    }
    SearchObject2 search;
    Build(search, {4, 2}, {"text contains a"});
    EXPECT_EQ(Paths(search.IncludeItems.Item(2)->SearchColumns),
              (std::vector<std::string>{"//CustomerRet/FullName"}));
}

TEST_F(SearchBuilding, FieldRulesDecideTheirTypeAlone) {
    SearchObject2 search;
    Build(search, {4, 2}, {"text contains a"},
          {"Invoice: CustomerRef/FullName starts-with ACME", "invoice: subtotal gt 100",
           "4: or IsPaid is-true"});
    const IncItem& invoice = *search.IncludeItems.Item(1);
    EXPECT_EQ(invoice.SearchColumns.Count(), 0u);
    ASSERT_EQ(invoice.FieldExaminors.Count(), 2u);
    EXPECT_EQ(invoice.FieldExaminors.Item(1)->FieldCriteria.Count(), 2u);
    EXPECT_EQ(invoice.FieldExaminors.Item(2)->FieldCriteria.Count(), 1u);
    EXPECT_EQ(FieldCriterionText(*invoice.FieldExaminors.Item(1)->FieldCriteria.Item(2), false),
              "Subtotal gt 100");
    // The other type still searches by the global rules.
    const IncItem& customer = *search.IncludeItems.Item(2);
    EXPECT_EQ(customer.FieldExaminors.Count(), 0u);
    EXPECT_EQ(customer.SearchColumns.Count(), 1u);
}

TEST_F(SearchBuilding, AStarRuleGoesToEachIncludedTypeWithTheField) {
    SearchBuilder builder(catalog_);
    builder.IncludeType(4);
    builder.IncludeType(2);
    builder.IncludeType(3);  // no field of the test catalog
    EXPECT_EQ(builder.AddFieldRule("*: FullName starts-with A"), "") << "Customer only";
    EXPECT_EQ(builder.AddFieldRule("*: CustomerRef/FullName equals Acme"), "") << "Invoice";
    EXPECT_NE(builder.AddFieldRule("*: Nothing eq 1").find("no included type has a field"),
              std::string::npos);
    SearchObject2 search;
    ASSERT_EQ(builder.Build(search).Message(), "");
    ASSERT_EQ(search.IncludeItems.Count(), 3u);
    EXPECT_EQ(search.IncludeItems.Item(1)->FieldExaminors.Count(), 1u);
    EXPECT_EQ(search.IncludeItems.Item(2)->FieldExaminors.Count(), 1u);
    EXPECT_EQ(search.IncludeItems.Item(3)->FieldExaminors.Count(), 0u);
    EXPECT_EQ(
        FieldCriterionText(
            *search.IncludeItems.Item(2)->FieldExaminors.Item(1)->FieldCriteria.Item(1), false),
        "FullName starts-with A");
}

TEST_F(SearchBuilding, FieldRulesThatCannotBeBuiltSayWhy) {
    SearchBuilder builder(catalog_);
    builder.IncludeType(4);
    struct Case {
        const char* text;
        const char* error;
    };
    const std::vector<Case> cases = {
        {"Invoice CustomerRef/FullName eq a", "colon"},
        {"Invoise: Memo is-blank", "did you mean Invoice"},
        {"all: Memo is-blank", "one type"},
        {"Customer: FullName eq a", "not among the included types"},
        {"Invoice: CustomerRef/FulName eq a", "close matches: CustomerRef/FullName"},
        {"Invoice: Nothing/Like/This eq a", "catalog list Invoice"},
        {"*: Balance gt 5", "no included type has a field \"Balance\""},
        {"text gt 5", "does not fit text"},
        {"colour contains red", "no data type"},
        {"text contains", "needs a value"},
    };
    for (const Case& c : cases) {
        // The last three are word rules.
        const bool word = static_cast<std::size_t>(&c - cases.data()) + 3 >= cases.size();
        std::string error = word ? builder.AddRule(c.text) : builder.AddFieldRule(c.text);
        EXPECT_NE(error.find(c.error), std::string::npos) << c.text << " -> " << error;
    }
    SearchObject2 search;
    ASSERT_EQ(builder.Build(search).Message(), "");
    EXPECT_EQ(search.IncludeItems.Item(1)->FieldExaminors.Count(), 0u)
        << "refused rules add nothing";
    EXPECT_EQ(search.Examinors.Count(), 0u);
}

TEST_F(SearchBuilding, ASecondRuleOnAFieldOfOneGroupIsRefused) {
    SearchBuilder builder(catalog_);
    builder.IncludeType(4);
    ASSERT_EQ(builder.AddFieldRule("Invoice: Subtotal ge 100"), "");
    EXPECT_NE(builder.AddFieldRule("Invoice: Subtotal le 500").find("two rules on Subtotal"),
              std::string::npos);
    EXPECT_EQ(builder.AddFieldRule("Invoice: or Subtotal le 5"), "");
    EXPECT_EQ(builder.AddFieldRule("Invoice: memo contains x"), "");
    EXPECT_NE(builder.AddFieldRule("Invoice: Memo starts-with y").find("two rules on Memo"),
              std::string::npos);
    EXPECT_EQ(builder.AddFieldRule("Invoice: or //InvoiceRet/Memo is-blank"), "")
        << "a full path names the field too";
}

TEST(CloseMatching, SlipsLastSegmentsAndPartsAreSuggested) {
    const std::vector<std::string> candidates = {"CustomerRef/FullName", "ClassRef/FullName",
                                                 "Memo", "RefNumber", "CustomerRef/ListID"};
    EXPECT_EQ(CloseMatches("customerref/fulname", candidates).front(), "CustomerRef/FullName");
    std::vector<std::string> byName = CloseMatches("FullName", candidates);
    // Both share the last segment; the nearer one comes first.
    EXPECT_EQ(byName, (std::vector<std::string>{"ClassRef/FullName", "CustomerRef/FullName"}));
    EXPECT_EQ(CloseMatches("Number", candidates), std::vector<std::string>{"RefNumber"});
    EXPECT_TRUE(CloseMatches("Zebra", candidates).empty());
    EXPECT_EQ(CloseMatches("FullName", candidates, 1).size(), 1u);
}

}  // namespace
}  // namespace quarrion
