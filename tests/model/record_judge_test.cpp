#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <pugixml.hpp>

#include "catalog/qbxml_tags.h"
#include "foundation/codes.h"
#include "model/record_judge.h"
#include "model/request_search_rule.h"
#include "model/search_column_choice.h"

namespace quarrion {
namespace {

constexpr const char* kInvoice = R"(<InvoiceRet>
  <TxnID>1-A</TxnID>
  <CustomerRef><ListID>80-1</ListID><FullName>Globex for ACME</FullName></CustomerRef>
  <RefNumber>INV-750</RefNumber>
  <Subtotal>750.00</Subtotal>
  <Memo>Rush order for ACME</Memo>
  <InvoiceLineRet><ItemRef><FullName>Widget ACME</FullName></ItemRef><Desc>Blue widgets</Desc>
    <Amount>700.00</Amount></InvoiceLineRet>
  <InvoiceLineRet><ItemRef><FullName>Freight</FullName></ItemRef><Desc>Freight ACME</Desc>
    <Amount>50.00</Amount></InvoiceLineRet>
</InvoiceRet>)";

class RecordDecision : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(document_.load_string(kInvoice));
        record_ = document_.document_element();
        // Catalog order: Memo comes before the customer name on purpose.
        for (auto [path, dataType] : {std::pair{"TxnID", "IDTYPE"},
                                      {"Memo", "STRTYPE"},
                                      {"CustomerRef/FullName", "STRTYPE"},
                                      {"RefNumber", "STRTYPE"},
                                      {"Subtotal", "AMTTYPE"},
                                      {"InvoiceLineRet/Desc", "STRTYPE"},
                                      {"InvoiceLineRet/Amount", "AMTTYPE"}}) {
            catalog_.Add(RequestTypeCode::Invoice, "", 0, 0, std::string("//InvoiceRet/") + path,
                         "", 1, "", false, "", dataType, 0);
        }
        // Another type's text column, which no invoice search may choose.
        catalog_.Add(RequestTypeCode::CreditMemo, "", 0, 0, "//CreditMemoRet/Memo", "", 1, "",
                     false, "", "STRTYPE", 0);
        item_.Name = "Invoice";
        item_.SetRequestType(RequestTypeCode::Invoice);
    }

    void TextRule(long operation, const char* entered) {
        examinors_.Add()->Criteria.Add(operation, Choice::Text)->TextCompare.SetValue(entered);
    }

    pugi::xml_document document_;
    pugi::xml_node record_;
    QBXMLTags catalog_;
    Examinors examinors_;
    IncItem item_;
};

TEST_F(RecordDecision, TheFirstMatchInColumnThenDocumentOrderGivesTheMatchText) {
    struct Case {
        std::vector<std::pair<long, const char*>> rules;  // one group each
        const char* column;                               // nullptr: as the rules choose
        bool matched;
        const char* matchText;
    };
    const Case cases[] = {
        // No rules at all find every record.
        {{}, nullptr, true, ""},
        // Subtotal holds 750.00 but a text rule never tries a number element, and the
        // text INV-750 lacks ".00".
        {{{Operation::Contains, "750.00"}}, nullptr, false, ""},
        // The customer FullName (a later column) comes before the Memo in the document.
        {{{Operation::Contains, "ACME"}}, nullptr, true, "Rush order for ACME"},
        // Within one column the first element in document order wins.
        {{{Operation::Contains, "widget"}, {Operation::EndsWith, "ACME"}},
         "//InvoiceRet/InvoiceLineRet/Desc",
         true,
         "Blue widgets"},
        // A column searches its element name anywhere in the record: here a line's
        // ItemRef/FullName.
        {{{Operation::WholeWord, "Widget"}},
         "//InvoiceRet/CustomerRef/FullName",
         true,
         "Widget ACME"},
    };
    for (const Case& c : cases) {
        examinors_.Clear();
        item_.SearchColumns.Clear();
        for (const auto& [operation, entered] : c.rules) TextRule(operation, entered);
        if (c.column) {
            item_.SearchColumns.Add(*catalog_.Item(RequestTypeCode::Invoice, c.column));
        } else {
            ChooseSearchColumns(item_, nullptr, examinors_, catalog_);
        }
        RecordMatch match = DecideRecord(item_, examinors_, record_);
        EXPECT_EQ(match.matched, c.matched) << c.matchText;
        EXPECT_EQ(match.matchText, c.matchText);
    }
}

TEST_F(RecordDecision, StandingRulesWithoutDataLeaveTheChoiceToTheWordRules) {
    TextRule(Operation::Contains, "ACME");
    RequestSearchRule standing;
    standing.FieldExaminors.Add()->FieldCriteria.Add(
        *catalog_.Item(RequestTypeCode::Invoice, "//InvoiceRet/Memo"), Operation::Contains);
    item_.FieldExaminors.Add();  // anything the item held is replaced
    ChooseSearchColumns(item_, &standing, examinors_, catalog_);
    EXPECT_EQ(item_.FieldExaminors.Count(), 0u);
    EXPECT_EQ(item_.SearchColumns.Count(), 4u);
}

}  // namespace
}  // namespace quarrion
