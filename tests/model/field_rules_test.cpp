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

    static QBXMLTagRef Tag(const char* path, const char* dataType) {
        return test::LooseTag(path, dataType);
    }

    pugi::xml_document document_;
    pugi::xml_node first_;
    pugi::xml_node second_;
};

#define FIELD_RULE(name, path, dataType, operation) \
    FieldCriterion name;                            \
    name.SetField(Tag(path, dataType));             \
    name.Operand = operation

// Puts `entered` where the field's type reads it: "a..b" for a range, "a,b" for a
// list; numbers are entered as text and read as numbers.
void Enter(FieldCriterion& rule, const std::string& dataType, const std::string& entered) {
    const bool number = dataType == "AMTTYPE" || dataType == "INTTYPE" || dataType == "FLOATTYPE" ||
                        dataType == "QUANTYPE";
    if (rule.Operand == Operation::Between) {
        const std::size_t dots = entered.find("..");
        rule.NumberRange.A().SetValue(std::string_view(entered).substr(0, dots));
        rule.NumberRange.B().SetValue(std::string_view(entered).substr(dots + 2));
    } else if (rule.Operand == Operation::InList) {
        (number ? rule.NumberList : rule.TextList).Add(entered);
    } else {
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
    // Paths below //InvoiceRet/. The first invoice's customer is "inv-100 Supplies"; only
    // the second has a Memo; the first has three line descriptions: blank, Freight, (ACME).
    const Case cases[] = {
        // Is blank holds for a missing element, not for one that is present.
        {"Memo", "STRTYPE", Operation::IsBlank, "", kFirst, Holds},
        {"Memo", "STRTYPE", Operation::IsBlank, "", kSecond, Fails},
        {"PONumber", "STRTYPE", Operation::IsBlank, "", kFirst, Fails},
        {"Other", "STRTYPE", Operation::IsBlank, "", kFirst, Fails},
        // A missing element fails every other rule, numbers too (no blank-as-zero).
        {"Memo", "STRTYPE", Operation::Contains, "Second", kFirst, Fails},
        {"ItemCount", "INTTYPE", Operation::Equal, "0", kSecond, Fails},
        {"CustomerRef/FullName", "STRTYPE", Operation::Contains, "globex", kFirst, Fails},
        // Contains, in and the pattern ignore case on fields; the others are exact.
        {"CustomerRef/FullName", "STRTYPE", Operation::Contains, "SUPPLIES", kFirst, Holds},
        {"CustomerRef/FullName", "STRTYPE", Operation::StartsWith, "INV", kFirst, Fails},
        {"RefNumber", "STRTYPE", Operation::StartsWith, "INV", kFirst, Holds},
        {"RefNumber", "STRTYPE", Operation::StartsWith, "INV-100", kFirst, Fails},
        {"CustomerRef/FullName", "STRTYPE", Operation::EndsWith, "supplies", kFirst, Fails},
        {"CustomerRef/FullName", "STRTYPE", Operation::EndsWith, "Supplies", kFirst, Holds},
        {"CustomerRef/FullName", "STRTYPE", Operation::WholeWord, "supplies", kFirst, Fails},
        {"CustomerRef/FullName", "STRTYPE", Operation::WholeWord, "inv", kFirst, Holds},
        {"CustomerRef/FullName", "STRTYPE", Operation::MatchesPattern, "INV*", kFirst, Holds},
        {"CustomerRef/FullName", "STRTYPE", Operation::InList, "INV-100 SUPPLIES", kFirst, Holds},
        {"CustomerRef/FullName", "STRTYPE", Operation::GreaterThan, "1", kFirst, Fails},
        // One of several line elements is enough; blank ones are never compared.
        {"InvoiceLineRet/Desc", "STRTYPE", Operation::WholeWord, "ACME", kFirst, Holds},
        {"InvoiceLineRet/Desc", "STRTYPE", Operation::WholeWord, "Nothing", kFirst, Fails},
        {"InvoiceLineRet/Desc", "STRTYPE", Operation::IsBlank, "", kFirst, Fails},
        // Number line elements too, and blank text never reads as a zero.
        {"InvoiceLineRet/Amount", "AMTTYPE", Operation::GreaterThan, "500", kFirst, Holds},
        {"PONumber", "AMTTYPE", Operation::Equal, "0", kFirst, Fails},
        // Number types compare by the leading number; a reversed range still holds.
        {"Subtotal", "AMTTYPE", Operation::GreaterThan, "500", kFirst, Holds},
        {"ItemCount", "INTTYPE", Operation::Equal, "3", kFirst, Holds},
        // Floats, quantities (text reads as 0), a reversed range, and a list.
        {"ExchangeRate", "FLOATTYPE", Operation::GreaterOrEqual, "1.25", kFirst, Holds},
        {"ExchangeRate", "FLOATTYPE", Operation::GreaterThan, "1.25", kFirst, Fails},
        {"RefNumber", "QUANTYPE", Operation::Equal, "0", kFirst, Holds},
        {"Subtotal", "AMTTYPE", Operation::Between, "750..700", kFirst, Holds},
        {"Subtotal", "AMTTYPE", Operation::InList, "10", kSecond, Holds},
        // Booleans read true and false in any case and numbers; nothing else.
        {"IsPaid", "BOOLTYPE", Operation::IsFalse, "", kFirst, Holds},
        {"IsPending", "BOOLTYPE", Operation::IsTrue, "", kFirst, Holds},
        {"IsPaid", "BOOLTYPE", Operation::IsTrue, "", kSecond, Holds},
        {"RefNumber", "BOOLTYPE", Operation::IsTrue, "", kFirst, Fails},
        {"IsPaid", "BOOLTYPE", Operation::Contains, "", kFirst, Fails},
        {"TxnDate", "DATETYPE", Operation::Contains, "2024", kFirst, Fails},
        // A group element reads all the text below it.
        {"CustomerRef", "STRTYPE", Operation::Contains, "80-1inv-100", kFirst, Holds},
        // From the whole response the path finds invoices anywhere below it.
        {"Memo", "STRTYPE", Operation::Contains, "Second", kWholeResponse, Holds},
        // An unreadable path selects nothing: blank.
        {"[[", "STRTYPE", Operation::IsBlank, "", kFirst, Holds},
    };
    for (const Case& c : cases) {
        const std::string path = std::string("//InvoiceRet/") + c.path;
        FIELD_RULE(rule, path.c_str(), c.dataType, c.operation);
        Enter(rule, c.dataType, c.entered);
        const pugi::xml_node record = c.record == kFirst    ? first_
                                      : c.record == kSecond ? second_
                                                            : document_.document_element();
        EXPECT_EQ(rule.Compare(record), c.expected)
            << c.path << " " << c.operation << " " << c.entered << " record " << c.record;
    }
}

TEST_F(FieldRules, ContainsDataPerOperation) {
    FieldCriterion loose;  // no field: no data, and it fails
    loose.Operand = Operation::IsBlank;
    EXPECT_FALSE(loose.ContainsData());
    EXPECT_EQ(loose.Compare(first_), Fails);

    FIELD_RULE(text, "//InvoiceRet/Memo", "STRTYPE", Operation::IsFalse);
    for (long operation : {Operation::IsFalse, Operation::IsTrue, Operation::IsBlank}) {
        text.Operand = operation;
        EXPECT_TRUE(text.ContainsData()) << operation;
    }
    for (long operation :
         {Operation::LessThan, Operation::Between, Operation::Contains, Operation::InList, 0L}) {
        text.Operand = operation;
        EXPECT_FALSE(text.ContainsData()) << operation;
    }
    // "in list" on a text field reads the text list; on a number field the number list.
    text.Operand = Operation::InList;
    text.NumberList.Add(1.0);
    EXPECT_FALSE(text.ContainsData());
    text.TextList.Add(std::string("a"));
    EXPECT_TRUE(text.ContainsData());
    FIELD_RULE(number, "//InvoiceRet/Subtotal", "AMTTYPE", Operation::InList);
    number.TextList.Add(std::string("a"));
    EXPECT_FALSE(number.ContainsData());
    number.NumberList.Add(1.0);
    EXPECT_TRUE(number.ContainsData());
}

TEST_F(FieldRules, GroupNeedsEveryFieldAndGroupsAreOred) {
    FieldExaminors examinors;
    FieldCriteria& both = examinors.Add()->FieldCriteria;
    both.Add(Tag("//InvoiceRet/CustomerRef/FullName", "STRTYPE"), Operation::Contains)
        ->TextCompare.SetValue("supplies");
    both.Add(Tag("//InvoiceRet/Subtotal", "AMTTYPE"), Operation::GreaterThan)
        ->NumberCompare.SetValue(1000.0);
    EXPECT_EQ(examinors.Compare(first_), NotApplicable);  // the subtotal is only 750
    EXPECT_EQ(examinors.Item(1)->Compare(first_), Fails);

    both.Item("//INVOICERET/SUBTOTAL")->NumberCompare.SetValue(500.0);
    EXPECT_EQ(examinors.Compare(first_), Holds);
    EXPECT_EQ(examinors.Compare(second_), NotApplicable);

    FieldCriteria& either = examinors.Add()->FieldCriteria;
    either.Add(Tag("//InvoiceRet/Memo", "STRTYPE"), Operation::Contains)
        ->TextCompare.SetValue("second");
    EXPECT_EQ(examinors.Compare(second_), Holds);
    EXPECT_EQ(examinors.Compare(first_), Holds);
}

TEST_F(FieldRules, SatisfiedFlagSkipsEvaluationAndResettingClearsResults) {
    FieldExaminors empty;
    EXPECT_EQ(empty.Add()->Compare(first_), Fails);
    EXPECT_EQ(empty.Compare(first_), NotApplicable);
    empty.Item(1)->SetCompareFlag(2);
    EXPECT_EQ(empty.Compare(first_), Holds);

    FieldExaminor group;
    FieldCriterion* rule =
        group.FieldCriteria.Add(Tag("//InvoiceRet/Memo", "STRTYPE"), Operation::IsBlank);
    EXPECT_EQ(group.Compare(second_), Fails);
    EXPECT_EQ(rule->Result(), Fails);
    group.SetCompareFlag(2);
    EXPECT_EQ(group.Compare(first_), Holds);
    EXPECT_EQ(rule->Result(), Fails);
    group.SetCompareFlag(1);
    EXPECT_EQ(rule->Result(), NotApplicable);
}

TEST_F(FieldRules, SecondRuleForAFieldChangesTheFirstOperation) {
    FieldCriteria group;
    FieldCriterion* first = group.Add(Tag("//InvoiceRet/Memo", "STRTYPE"), Operation::Contains);
    first->TextCompare.SetValue("kept");
    FieldCriterion* again = group.Add(Tag("//InvoiceRet/MEMO", "STRTYPE"), Operation::StartsWith);
    EXPECT_EQ(again, first);
    EXPECT_EQ(group.Count(), 1u);
    EXPECT_EQ(first->Operand, Operation::StartsWith);
    EXPECT_EQ(first->TextCompare.ValueText(), "kept");
    EXPECT_EQ(group.Add(Tag("//InvoiceRet/RefNumber", "STRTYPE"), Operation::Contains)->Index, 2);
    EXPECT_EQ(group.Add(QBXMLTagRef(), Operation::Contains), nullptr);
    EXPECT_EQ(group.Count(), 2u);
}

TEST_F(FieldRules, BuildFromRowsLetsALaterRowOnTheSameFieldWin) {
    struct Row {
        long operation;
        const char* path;
        const char* dataType;
        const char* entered;
        const char* andOr;
    };
    const Row table[] = {
        {Operation::Contains, "//InvoiceRet/Memo", "STRTYPE", "first", "AND"},
        {Operation::StartsWith, "//InvoiceRet/Memo", "STRTYPE", "Second", "AND"},
        // No number entered: the row is skipped.
        {Operation::GreaterThan, "//InvoiceRet/Subtotal", "AMTTYPE", "", "OR"},
        {Operation::GreaterThan, "//InvoiceRet/Subtotal", "AMTTYPE", "500", "OR"},
    };
    FieldCriterion rows[4];
    std::vector<FieldCriterion*> pointers;
    for (std::size_t i = 0; i < std::size(table); ++i) {
        rows[i].Operand = table[i].operation;
        rows[i].SetField(Tag(table[i].path, table[i].dataType));
        if (*table[i].entered) Enter(rows[i], table[i].dataType, table[i].entered);
        rows[i].AndOr = table[i].andOr;
        pointers.push_back(&rows[i]);
    }

    FieldExaminors examinors;
    BuildFieldExaminors(pointers, examinors);
    ASSERT_EQ(examinors.Count(), 2u);
    ASSERT_EQ(examinors.Item(1)->FieldCriteria.Count(), 1u);
    FieldCriterion* memo = examinors.Item(1)->FieldCriteria.Item(1);
    EXPECT_EQ(memo->Operand, Operation::StartsWith);
    EXPECT_EQ(memo->TextCompare.ValueText(), "Second");
    EXPECT_EQ(examinors.Item(2)->FieldCriteria.Item(1)->NumberCompare.ValueNumber(), 500);
    EXPECT_EQ(examinors.Compare(second_), Holds);  // Memo starts with Second
    EXPECT_EQ(examinors.Compare(first_), Holds);   // Subtotal 750
}

}  // namespace
}  // namespace quarrion
