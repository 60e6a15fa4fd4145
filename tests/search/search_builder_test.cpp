#include "search/search_builder.h"

#include <gtest/gtest.h>

#include "catalog/qbxml_tags.h"
#include "foundation/codes.h"

namespace quarrion {
namespace {

using RequestTypeCode::Customer;
using RequestTypeCode::Invoice;

// A small catalog: a few Invoice and Customer elements, some of them result columns.
class SearchBuilding : public ::testing::Test {
  protected:
    void SetUp() override {
        Add(Invoice, "//InvoiceRet/TxnID", 0, "Txn ID", "IDTYPE");
        Add(Invoice, "//InvoiceRet/TxnDate", 1, "Date", "DATETYPE");
        Add(Invoice, "//InvoiceRet/RefNumber", 2, "Num", "STRTYPE");
        Add(Invoice, "//InvoiceRet/CustomerRef/FullName", 3, "Customer", "STRTYPE");
        Add(Invoice, "//InvoiceRet/Subtotal", 5, "Subtotal", "AMTTYPE");
        Add(Invoice, "//InvoiceRet/SalesTaxPercentage", 0, "Tax %", "PERCENTTYPE");
        Add(Invoice, "//InvoiceRet/Memo", 4, "Memo", "STRTYPE");
        Add(Invoice, "//InvoiceRet/IsPaid", 0, "Paid", "BOOLTYPE");
        Add(Invoice, "//InvoiceRet/InvoiceLineRet/Quantity", 0, "Qty", "QUANTYPE");
        Add(Customer, "//CustomerRet/FullName", 1, "Customer", "STRTYPE");
        Add(Customer, "//CustomerRet/Balance", 2, "Balance", "AMTTYPE");
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

// Codes, names and titles are the terminal tool's type test's; here, "all".
TEST(RequestTypeTexts, AllNamesEveryOfferedType) {
    // Every offered type in code order: 1 to 35 without 14, which is not offered.
    std::vector<std::int32_t> offered;
    for (std::int32_t code = 1; code <= 35; ++code)
        if (code != 14) offered.push_back(code);
    EXPECT_EQ(RequestTypesOf("All").Types, offered);
}

TEST_F(SearchBuilding, WithoutATypeNothingIsBuilt) {
    SearchBuilder builder(catalog_);
    ASSERT_EQ(builder.AddRule("text contains x"), "");
    SearchObject2 search;
    search.IncludeItems.Add("Customer", Customer);
    EXPECT_EQ(builder.Build(search).Message(), kNoTypeMessage);
    EXPECT_EQ(search.IncludeItems.Count(), 1u) << "a refused build leaves the search as it was";
    EXPECT_FALSE(builder.IncludeType(14));
    EXPECT_FALSE(builder.IncludeType(0));
}

// The default columns in sequence order are the terminal tool's workbook test's.
TEST_F(SearchBuilding, TypesKeepTheirFirstPlace) {
    SearchObject2 search;
    Build(search, {4, 2, 4}, {});
    ASSERT_EQ(search.IncludeItems.Count(), 2u);
    const IncItem& invoice = *search.IncludeItems.Item(1);
    const IncItem& customer = *search.IncludeItems.Item(2);
    EXPECT_EQ(invoice.Name + " " + customer.Name, "Invoice Customer");
    EXPECT_EQ(std::pair(invoice.Index, customer.Index), std::pair(1L, 2L));
    EXPECT_EQ(invoice.SearchColumns.Count(), 0u) << "no rules: every record is listed";
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
        std::vector<std::string> customer;
    };
    const Case cases[] = {
        {"text contains a",
         {"//InvoiceRet/RefNumber", "//InvoiceRet/CustomerRef/FullName", "//InvoiceRet/Memo"},
         {"//CustomerRet/FullName"}},
        {"number gt 5",
         {"//InvoiceRet/Subtotal", "//InvoiceRet/SalesTaxPercentage",
          "//InvoiceRet/InvoiceLineRet/Quantity"},
         {"//CustomerRet/Balance"}},
        {"percent gt 5", {"//InvoiceRet/SalesTaxPercentage"}, {}},
    };
    for (const Case& c : cases) {
        SearchObject2 search;
        Build(search, {4, 2}, {c.rule});
        EXPECT_EQ(Paths(search.IncludeItems.Item(1)->SearchColumns), c.invoice) << c.rule;
        EXPECT_EQ(Paths(search.IncludeItems.Item(2)->SearchColumns), c.customer) << c.rule;
    }
}

// The terminal tool's field rule test sees a "*:" rule reach only the types with the
// field; here, how field rules group and that they decide their type alone.
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

TEST_F(SearchBuilding, RulesThatCannotBeBuiltSayWhyAndAddNothing) {
    SearchBuilder builder(catalog_);
    builder.IncludeType(4);
    ASSERT_EQ(builder.AddFieldRule("Invoice: Subtotal ge 100"), "");
    ASSERT_EQ(builder.AddFieldRule("Invoice: memo contains x"), "");
    const std::pair<const char*, const char*> cases[] = {
        {"Invoice CustomerRef/FullName eq a", "colon"},
        {"Invoise: Memo is-blank", "did you mean Invoice"},
        {"all: Memo is-blank", "one type"},
        {"Customer: FullName eq a", "not among the included types"},
        {"Invoice: Nothing/Like/This eq a", "catalog list Invoice"},
        {"*: Balance gt 5", "no included type has a field \"Balance\""},
        // A second rule on a field of one group; a full path names the field too.
        {"Invoice: Subtotal le 500", "two rules on Subtotal"},
        {"Invoice: //InvoiceRet/Memo starts-with y", "two rules on Memo"},
    };
    for (const auto& [text, says] : cases) {
        const std::string error = builder.AddFieldRule(text);
        EXPECT_NE(error.find(says), std::string::npos) << text << " -> " << error;
    }
    EXPECT_NE(builder.AddRule("text gt 5").find("does not fit text"), std::string::npos);
    EXPECT_EQ(builder.AddFieldRule("Invoice: or Subtotal le 5"), "");
    SearchObject2 search;
    ASSERT_EQ(builder.Build(search).Message(), "");
    const FieldExaminors& groups = search.IncludeItems.Item(1)->FieldExaminors;
    ASSERT_EQ(groups.Count(), 2u) << "refused rules add nothing";
    EXPECT_EQ(groups.Item(1)->FieldCriteria.Count(), 2u);
    EXPECT_EQ(search.Examinors.Count(), 0u);
}

}  // namespace
}  // namespace quarrion
