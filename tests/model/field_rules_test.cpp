#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <pugixml.hpp>

#include "catalog/qbxml_tag.h"
#include "foundation/codes.h"
#include "model/criterion.h"
#include "model/field_examinors.h"
#include "support/loose_tag.h"

namespace quarrion {
namespace {

using RuleResult::Fails;
using RuleResult::Holds;
using RuleResult::NotApplicable;

// Two invoices in one response: rules on the first must never see the second.
constexpr const char* kResponse = R"(<QBXML><QBXMLMsgsRs><InvoiceQueryRs>
<InvoiceRet>
  <TxnID>1-A</TxnID>
  <CustomerRef><ListID>80-1</ListID><FullName>inv-100 Supplies</FullName></CustomerRef>
  <RefNumber>INV-100</RefNumber>
  <Subtotal>750.00</Subtotal>
  <ItemCount>3</ItemCount>
  <ExchangeRate>1.25</ExchangeRate>
  <TxnDate>2024-03-01</TxnDate>
  <IsPaid>false</IsPaid>
  <IsPending>TRUE</IsPending>
  <PONumber>   </PONumber>
  <Other/>
  <InvoiceLineRet><Desc>   </Desc><Amount>100.00</Amount></InvoiceLineRet>
  <InvoiceLineRet><Desc>Freight charge</Desc><Amount>50.00</Amount></InvoiceLineRet>
  <InvoiceLineRet><Desc>Consulting (ACME), hours</Desc><Amount>600.00</Amount></InvoiceLineRet>
</InvoiceRet>
<InvoiceRet>
  <TxnID>2-B</TxnID>
  <CustomerRef><ListID>80-2</ListID><FullName>Globex</FullName></CustomerRef>
  <Memo>Second record only</Memo>
  <Subtotal>10.00</Subtotal>
  <IsPaid>1</IsPaid>
</InvoiceRet>
</InvoiceQueryRs></QBXMLMsgsRs></QBXML>)";

class FieldRules : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(document_.load_string(kResponse));
        pugi::xpath_node_set records = document_.select_nodes("//InvoiceRet");
        ASSERT_EQ(records.size(), 2u);
        first_ = records[0].node();
        second_ = records[1].node();
    }

    pugi::xml_document document_;
    pugi::xml_node first_;
    pugi::xml_node second_;
};

// A rule on `path` below //InvoiceRet/ with `entered` where the field's type reads it:
// "a..b" for a range, one list entry for "in list"; numbers entered as text.
void Make(FieldCriterion& rule, const std::string& path, const char* dataType, long operation,
          const std::string& entered = "") {
    rule.SetField(test::LooseTag(("//InvoiceRet/" + path).c_str(), dataType));
    rule.Operand = operation;
    const bool number = DataTypeCode::IsNumber(rule.Field()->DataTypeCode());
    if (operation == Operation::Between) {
        const std::size_t dots = entered.find("..");
        rule.NumberRange.A().SetValue(std::string_view(entered).substr(0, dots));
        rule.NumberRange.B().SetValue(std::string_view(entered).substr(dots + 2));
    } else if (operation == Operation::InList) {
        (number ? rule.NumberList : rule.TextList).Add(entered);
    } else if (!entered.empty()) {
        (number ? rule.NumberCompare : rule.TextCompare).SetValue(std::string_view(entered));
    }
}

enum Record { kFirst, kSecond, kWholeResponse };

TEST_F(FieldRules, EachRuleReadsOnlyItsOwnRecordsElements) {
    struct Case {
        const char* path;
        const char* dataType;
        long operation;
        const char* entered;
        Record record;
        long expected;
    };
    // The first invoice's customer is "inv-100 Supplies"; only the second has a Memo;
    // the first has three line descriptions: blank, Freight, (ACME).
    const Case cases[] = {
        // Is blank holds for a missing element only; blank text is never compared.
        {"Memo", "STRTYPE", Operation::IsBlank, "", kFirst, Holds},
        {"Memo", "STRTYPE", Operation::IsBlank, "", kSecond, Fails},
        {"PONumber", "STRTYPE", Operation::IsBlank, "", kFirst, Fails},
        {"PONumber", "AMTTYPE", Operation::Equal, "0", kFirst, Fails},
        // A missing element fails every other rule, numbers too (no blank-as-zero).
        {"Memo", "STRTYPE", Operation::Contains, "Second", kFirst, Fails},
        {"CustomerRef/FullName", "STRTYPE", Operation::Contains, "globex", kFirst, Fails},
        // Contains, in and the pattern ignore case on fields; the others are exact.
        {"CustomerRef/FullName", "STRTYPE", Operation::Contains, "SUPPLIES", kFirst, Holds},
        {"CustomerRef/FullName", "STRTYPE", Operation::StartsWith, "INV", kFirst, Fails},
        {"RefNumber", "STRTYPE", Operation::StartsWith, "INV", kFirst, Holds},
        {"CustomerRef/FullName", "STRTYPE", Operation::EndsWith, "Supplies", kFirst, Holds},
        {"CustomerRef/FullName", "STRTYPE", Operation::WholeWord, "supplies", kFirst, Fails},
        {"CustomerRef/FullName", "STRTYPE", Operation::WholeWord, "inv", kFirst, Holds},
        {"CustomerRef/FullName", "STRTYPE", Operation::MatchesPattern, "INV*", kFirst, Holds},
        {"CustomerRef/FullName", "STRTYPE", Operation::InList, "INV-100 SUPPLIES", kFirst, Holds},
        // One of several line elements is enough.
        {"InvoiceLineRet/Desc", "STRTYPE", Operation::WholeWord, "ACME", kFirst, Holds},
        // Number types compare by the leading number; a list reads numbers.
        {"Subtotal", "AMTTYPE", Operation::GreaterThan, "500", kFirst, Holds},
        {"ItemCount", "INTTYPE", Operation::Equal, "3", kFirst, Holds},
        {"Subtotal", "AMTTYPE", Operation::InList, "10", kSecond, Holds},
        // Booleans read true and false in any case and numbers; nothing else.
        {"IsPaid", "BOOLTYPE", Operation::IsFalse, "", kFirst, Holds},
        {"IsPending", "BOOLTYPE", Operation::IsTrue, "", kFirst, Holds},
        {"IsPaid", "BOOLTYPE", Operation::IsTrue, "", kSecond, Holds},
        {"RefNumber", "BOOLTYPE", Operation::IsTrue, "", kFirst, Fails},
        {"TxnDate", "DATETYPE", Operation::Equal, "2024-03-01", kFirst, Holds},
        // A group element reads all the text below it.
        {"CustomerRef", "STRTYPE", Operation::Contains, "80-1inv-100", kFirst, Holds},
        // From the whole response the path finds invoices anywhere below it.
        {"Memo", "STRTYPE", Operation::Contains, "Second", kWholeResponse, Holds},
        // An unreadable path selects nothing: blank.
        {"[[", "STRTYPE", Operation::IsBlank, "", kFirst, Holds},
    };
    for (const Case& c : cases) {
        FieldCriterion rule;
        Make(rule, c.path, c.dataType, c.operation, c.entered);
        const pugi::xml_node record = c.record == kFirst    ? first_
                                      : c.record == kSecond ? second_
                                                            : document_.document_element();
        EXPECT_EQ(rule.Compare(record), c.expected)
            << c.path << " " << c.operation << " " << c.entered << " record " << c.record;
    }
}

// Unlike a word rule, a field rule of a true, false or blank test needs no value, and
// "in list" reads the list of its field's kind; a rule without a field has no data.
TEST_F(FieldRules, ContainsDataFollowsTheFieldsType) {
    FieldCriterion loose;
    loose.Operand = Operation::IsBlank;
    EXPECT_FALSE(loose.ContainsData());
    EXPECT_EQ(loose.Compare(first_), Fails);

    FieldCriterion text, number;
    Make(text, "Memo", "STRTYPE", Operation::IsTrue);
    EXPECT_TRUE(text.ContainsData());
    text.Operand = Operation::InList;
    text.NumberList.Add(1.0);
    EXPECT_FALSE(text.ContainsData());
    text.TextList.Add(std::string("a"));
    EXPECT_TRUE(text.ContainsData());
    Make(number, "Subtotal", "AMTTYPE", Operation::InList);
    number.TextList.Add(std::string("a"));
    EXPECT_FALSE(number.ContainsData());
    number.NumberList.Add(1.0);
    EXPECT_TRUE(number.ContainsData());
}

TEST_F(FieldRules, GroupNeedsEveryFieldAndGroupsAreOred) {
    FieldExaminors examinors;
    FieldCriteria& both = examinors.Add()->FieldCriteria;
    both.Add(test::LooseTag("//InvoiceRet/CustomerRef/FullName", "STRTYPE"), Operation::Contains)
        ->TextCompare.SetValue("supplies");
    both.Add(test::LooseTag("//InvoiceRet/Subtotal", "AMTTYPE"), Operation::GreaterThan)
        ->NumberCompare.SetValue(1000.0);
    EXPECT_EQ(examinors.Compare(first_), NotApplicable);  // the subtotal is only 750
    EXPECT_EQ(examinors.Item(1)->Compare(first_), Fails);

    both.Item("//INVOICERET/SUBTOTAL")->NumberCompare.SetValue(500.0);
    EXPECT_EQ(examinors.Compare(first_), Holds);
    EXPECT_EQ(examinors.Compare(second_), NotApplicable);

    examinors.Add()
        ->FieldCriteria.Add(test::LooseTag("//InvoiceRet/Memo", "STRTYPE"), Operation::Contains)
        ->TextCompare.SetValue("second");
    EXPECT_EQ(examinors.Compare(second_), Holds);
    EXPECT_EQ(examinors.Compare(first_), Holds);
    EXPECT_EQ(FieldExaminors().Add()->Compare(first_), Fails);  // an empty group
}

// Rows in screen order: a later row on the same field of a group wins, a row without
// data is skipped, and "OR" starts a new group.
TEST_F(FieldRules, BuildFromRowsLetsALaterRowOnTheSameFieldWin) {
    FieldCriterion rows[4];
    Make(rows[0], "Memo", "STRTYPE", Operation::Contains, "first");
    Make(rows[1], "Memo", "STRTYPE", Operation::StartsWith, "Second");
    Make(rows[2], "Subtotal", "AMTTYPE", Operation::GreaterThan);
    Make(rows[3], "Subtotal", "AMTTYPE", Operation::GreaterThan, "500");
    rows[2].AndOr = rows[3].AndOr = "OR";
    const std::vector<FieldCriterion*> pointers = {&rows[0], &rows[1], &rows[2], &rows[3]};

    FieldExaminors examinors;
    BuildFieldExaminors(pointers, examinors);
    ASSERT_EQ(examinors.Count(), 2u);
    ASSERT_EQ(examinors.Item(1)->FieldCriteria.Count(), 1u);
    EXPECT_EQ(examinors.Item(1)->FieldCriteria.Add(QBXMLTagRef(), Operation::Contains), nullptr);
    FieldCriterion* memo = examinors.Item(1)->FieldCriteria.Item(1);
    EXPECT_EQ(memo->Operand, Operation::StartsWith);
    EXPECT_EQ(memo->TextCompare.ValueText(), "Second");
    EXPECT_EQ(examinors.Compare(second_), Holds);  // Memo starts with Second
    EXPECT_EQ(examinors.Compare(first_), Holds);   // Subtotal 750
}

}  // namespace
}  // namespace quarrion
