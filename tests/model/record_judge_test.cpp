#include <gtest/gtest.h>

#include <random>
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
        Add(RequestTypeCode::Invoice, "//InvoiceRet/TxnID", "IDTYPE");
        Add(RequestTypeCode::Invoice, "//InvoiceRet/Memo", "STRTYPE");
        Add(RequestTypeCode::Invoice, "//InvoiceRet/CustomerRef/FullName", "STRTYPE");
        Add(RequestTypeCode::Invoice, "//InvoiceRet/RefNumber", "STRTYPE");
        Add(RequestTypeCode::Invoice, "//InvoiceRet/Subtotal", "AMTTYPE");
        Add(RequestTypeCode::Invoice, "//InvoiceRet/InvoiceLineRet/Desc", "STRTYPE");
        Add(RequestTypeCode::Invoice, "//InvoiceRet/InvoiceLineRet/Amount", "AMTTYPE");
        Add(RequestTypeCode::CreditMemo, "//CreditMemoRet/Memo", "STRTYPE");
        item_.Name = "Invoice";
        item_.SetRequestType(RequestTypeCode::Invoice);
    }

    void Add(int code, const char* path, const char* dataType) {
        catalog_.Add(code, "", 0, 0, path, "", 1, "", false, "", dataType, 0);
    }

    void TextRule(long operation, const char* entered) {
        examinors_.Add()->Criteria.Add(operation, Choice::Text)->TextCompare.SetValue(entered);
    }

    std::vector<std::string> ColumnPaths() const {
        std::vector<std::string> paths;
        for (const SearchColumn& column : item_.SearchColumns) {
            paths.push_back(column.Column()->TagName());
        }
        return paths;
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

TEST_F(RecordDecision, JudgeKeepsItsBufferAcrossRecords) {
    TextRule(Operation::Contains, "freight");
    ChooseSearchColumns(item_, nullptr, examinors_, catalog_);
    RecordJudge judge(item_, examinors_);
    std::string text = "stale";
    EXPECT_TRUE(judge.Decide(record_, text));
    EXPECT_EQ(text, "Freight");  // the item name, a FullName, comes before any Desc
    examinors_.Item(1)->Criteria.Item(1)->TextCompare.SetValue("nothing");
    EXPECT_FALSE(judge.Decide(record_, text));
    EXPECT_EQ(text, "");
}

// The plain reading of the rule, column by column, element by element, through the
// data-type name, used to check the judge's single walk.
RecordMatch LiteralDecision(IncItem& item, Examinors& examinors, pugi::xml_node record) {
    if (item.FieldExaminors.ContainsData()) {
        return {item.FieldExaminors.Compare(record) == RuleResult::Holds, ""};
    }
    if (item.SearchColumns.Count() == 0) return {true, ""};
    for (const SearchColumn& column : item.SearchColumns) {
        std::string query = "descendant::" + column.ElementName();
        for (const pugi::xpath_node& found : record.select_nodes(query.c_str())) {
            // Every element the generated records hold under a column name is a leaf.
            std::string text = found.node().child_value();
            if (examinors.Compare(text, column.Column()->DataType()) == RuleResult::Holds) {
                return {true, text};
            }
        }
    }
    return {false, ""};
}

TEST_F(RecordDecision, SingleWalkAgreesWithTheColumnByColumnReading) {
    const char* words[] = {"acme", "ACME", "Globex", "freight", "rush", "blue",  "(acme)",
                           "INV",  "750",  "12.5",   "",        "   ",  "widget"};
    const char* elements[] = {"Memo", "FullName", "RefNumber", "Desc", "Amount", "Subtotal"};
    std::mt19937 random(20240301);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };

    int found = 0;
    int foundByText = 0;
    const int rounds = 400;
    for (int round = 0; round < rounds; ++round) {
        // A record of random leaves, some nested in lines.
        std::string xml = "<InvoiceRet>";
        int leaves = 1 + static_cast<int>(pick(12));
        for (int i = 0; i < leaves; ++i) {
            bool nested = pick(3) == 0;
            std::string name = elements[pick(6)];
            std::string value = std::string(words[pick(13)]) + " " + words[pick(13)];
            if (nested) xml += "<InvoiceLineRet>";
            xml += "<" + name + ">" + value + "</" + name + ">";
            if (nested) xml += "</InvoiceLineRet>";
        }
        xml += "</InvoiceRet>";
        pugi::xml_document document;
        ASSERT_TRUE(document.load_string(xml.c_str()));

        // Random rules: one or two groups of text and number criteria.
        Examinors examinors;
        int groups = 1 + static_cast<int>(pick(2));
        for (int g = 0; g < groups; ++g) {
            Criteria& criteria = examinors.Add()->Criteria;
            int count = 1 + static_cast<int>(pick(2));
            for (int c = 0; c < count; ++c) {
                if (pick(3) == 0) {
                    criteria
                        .Add(pick(2) ? Operation::GreaterThan : Operation::LessThan,
                             Choice::AnyNumber)
                        ->NumberCompare.SetValue(100.0);
                } else {
                    const long operations[] = {Operation::Contains, Operation::StartsWith,
                                               Operation::EndsWith, Operation::WholeWord};
                    criteria.Add(operations[pick(4)], Choice::Text)
                        ->TextCompare.SetValue(words[pick(13)]);
                }
            }
        }
        IncItem item;
        item.SetRequestType(RequestTypeCode::Invoice);
        ChooseSearchColumns(item, nullptr, examinors, catalog_);

        RecordMatch expected = LiteralDecision(item, examinors, document.document_element());
        RecordMatch actual = DecideRecord(item, examinors, document.document_element());
        EXPECT_EQ(actual.matched, expected.matched) << xml;
        EXPECT_EQ(actual.matchText, expected.matchText) << xml;
        found += actual.matched ? 1 : 0;
        foundByText += actual.matchText.empty() ? 0 : 1;
    }
    // The generated cases must exercise both outcomes.
    EXPECT_GT(foundByText, rounds / 10);
    EXPECT_LT(found, rounds - rounds / 10);
}

}  // namespace
}  // namespace quarrion
