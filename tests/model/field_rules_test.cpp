#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <pugixml.hpp>

#include "catalog/qbxml_tag.h"
#include "foundation/codes.h"
#include "model/criterion.h"
#include "model/field_examinors.h"

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
        QBXMLTag tag;
        tag.Code = 4;
        tag.SetTagName(path);
        tag.SetDataType(dataType);
        return ShareTag(tag);
    }

    pugi::xml_document document_;
    pugi::xml_node first_;
    pugi::xml_node second_;
};

#define FIELD_RULE(name, path, dataType, operation) \
    FieldCriterion name;                            \
    name.SetField(Tag(path, dataType));             \
    name.Operand = operation

TEST_F(FieldRules, IsBlankHoldsForAMissingElementButNotForABlankOne) {
    FIELD_RULE(memo, "//InvoiceRet/Memo", "STRTYPE", Operation::IsBlank);
    EXPECT_EQ(memo.Compare(first_), Holds);   // the first invoice has no Memo
    EXPECT_EQ(memo.Compare(second_), Fails);  // the second has one with text
    FIELD_RULE(po, "//InvoiceRet/PONumber", "STRTYPE", Operation::IsBlank);
    EXPECT_EQ(po.Compare(first_), Fails);  // present, only blanks
    FIELD_RULE(other, "//InvoiceRet/Other", "STRTYPE", Operation::IsBlank);
    EXPECT_EQ(other.Compare(first_), Fails);  // present and empty
}

TEST_F(FieldRules, MissingElementFailsEveryOtherRule) {
    FIELD_RULE(memo, "//InvoiceRet/Memo", "STRTYPE", Operation::Contains);
    memo.TextCompare.SetValue("Second");
    EXPECT_EQ(memo.Compare(first_), Fails);
    EXPECT_EQ(memo.Compare(second_), Holds);
    // A number field that is missing is not blank-as-zero: it fails.
    FIELD_RULE(count, "//InvoiceRet/ItemCount", "INTTYPE", Operation::Equal);
    count.NumberCompare.SetValue(0.0);
    EXPECT_EQ(count.Compare(second_), Fails);
}

TEST_F(FieldRules, ARuleNeverSeesAnotherRecord) {
    FIELD_RULE(memo, "//InvoiceRet/Memo", "STRTYPE", Operation::WholeWord);
    memo.TextCompare.SetValue("record");
    EXPECT_EQ(memo.Compare(first_), Fails);
    FIELD_RULE(customer, "//InvoiceRet/CustomerRef/FullName", "STRTYPE", Operation::Contains);
    customer.TextCompare.SetValue("globex");
    EXPECT_EQ(customer.Compare(first_), Fails);
    EXPECT_EQ(customer.Compare(second_), Holds);
}

TEST_F(FieldRules, StartsWithIsCaseSensitiveOnFieldsButNotInWordSearch) {
    FIELD_RULE(customer, "//InvoiceRet/CustomerRef/FullName", "STRTYPE", Operation::StartsWith);
    customer.TextCompare.SetValue("INV");
    EXPECT_EQ(customer.Compare(first_), Fails);  // the field holds inv-100 Supplies
    FIELD_RULE(reference, "//InvoiceRet/RefNumber", "STRTYPE", Operation::StartsWith);
    reference.TextCompare.SetValue("INV");
    EXPECT_EQ(reference.Compare(first_), Holds);

    Criterion word;
    word.Operand = Operation::StartsWith;
    word.SetDataType(Choice::Text);
    word.TextCompare.SetValue("INV");
    EXPECT_EQ(word.Compare("inv-100 Supplies", "STRTYPE"), Holds);
}

TEST_F(FieldRules, TextCaseRulesPerOperation) {
    struct Case {
        long operation;
        const char* entered;
        long expected;
    };
    // The field holds "inv-100 Supplies".
    const Case cases[] = {
        {Operation::Contains, "SUPPLIES", Holds},  // contains ignores case
        {Operation::EndsWith, "supplies", Fails},  // ends with is exact
        {Operation::EndsWith, "Supplies", Holds},
        {Operation::WholeWord, "supplies", Fails},  // whole word is exact
        {Operation::WholeWord, "Supplies", Holds},
        {Operation::WholeWord, "inv", Holds},                // the hyphen separates words
        {Operation::StartsWith, "inv-100 Supplies", Fails},  // strictly longer still applies
        {Operation::MatchesPattern, "INV*", Holds},          // the pattern match ignores case
        {Operation::IsBlank, "", Fails},
        {Operation::GreaterThan, "1", Fails},  // number operations fail on text
    };
    for (const auto& c : cases) {
        FIELD_RULE(rule, "//InvoiceRet/CustomerRef/FullName", "STRTYPE", c.operation);
        rule.TextCompare.SetValue(c.entered);
        EXPECT_EQ(rule.Compare(first_), c.expected) << c.operation << " " << c.entered;
    }
    FIELD_RULE(list, "//InvoiceRet/CustomerRef/FullName", "STRTYPE", Operation::InList);
    list.TextList.Add(std::string("INV-100 SUPPLIES"));
    EXPECT_EQ(list.Compare(first_), Holds);
}

TEST_F(FieldRules, OneOfSeveralLineElementsIsEnough) {
    FIELD_RULE(desc, "//InvoiceRet/InvoiceLineRet/Desc", "STRTYPE", Operation::WholeWord);
    desc.TextCompare.SetValue("ACME");
    EXPECT_EQ(desc.Compare(first_), Holds);  // the third line
    desc.TextCompare.SetValue("Freight");
    EXPECT_EQ(desc.Compare(first_), Holds);  // the second line
    desc.TextCompare.SetValue("Nothing");
    EXPECT_EQ(desc.Compare(first_), Fails);

    FIELD_RULE(amount, "//InvoiceRet/InvoiceLineRet/Amount", "AMTTYPE", Operation::GreaterThan);
    amount.NumberCompare.SetValue(500.0);
    EXPECT_EQ(amount.Compare(first_), Holds);
    amount.NumberCompare.SetValue(600.0);
    EXPECT_EQ(amount.Compare(first_), Fails);
}

TEST_F(FieldRules, BlankValuesAreSkippedAndAllBlankFails) {
    // The first line's Desc is blank; "is blank" still fails because blanks are
    // never compared and other lines have text.
    FIELD_RULE(desc, "//InvoiceRet/InvoiceLineRet/Desc", "STRTYPE", Operation::IsBlank);
    EXPECT_EQ(desc.Compare(first_), Fails);
    // A number rule that only blank values could satisfy fails too.
    FIELD_RULE(po, "//InvoiceRet/PONumber", "AMTTYPE", Operation::Equal);
    po.NumberCompare.SetValue(0.0);
    EXPECT_EQ(po.Compare(first_), Fails);
}

TEST_F(FieldRules, NumberTypesCompareByLeadingNumber) {
    struct Case {
        const char* path;
        const char* dataType;
        long operation;
        double entered;
        long expected;
    };
    const Case cases[] = {
        {"//InvoiceRet/Subtotal", "AMTTYPE", Operation::GreaterThan, 500, Holds},
        {"//InvoiceRet/Subtotal", "AMTTYPE", Operation::LessThan, 500, Fails},
        {"//InvoiceRet/ItemCount", "INTTYPE", Operation::Equal, 3, Holds},
        {"//InvoiceRet/ExchangeRate", "FLOATTYPE", Operation::GreaterOrEqual, 1.25, Holds},
        {"//InvoiceRet/ExchangeRate", "FLOATTYPE", Operation::GreaterThan, 1.25, Fails},
        {"//InvoiceRet/RefNumber", "QUANTYPE", Operation::Equal, 0, Holds},  // "INV-100" reads as 0
    };
    for (const auto& c : cases) {
        FIELD_RULE(rule, c.path, c.dataType, c.operation);
        rule.NumberCompare.SetValue(c.entered);
        EXPECT_EQ(rule.Compare(first_), c.expected) << c.path << " " << c.operation;
    }
    FIELD_RULE(range, "//InvoiceRet/Subtotal", "AMTTYPE", Operation::Between);
    range.NumberRange.A().SetValue(750.0);
    range.NumberRange.B().SetValue(700.0);
    EXPECT_EQ(range.Compare(first_), Holds);
    FIELD_RULE(list, "//InvoiceRet/Subtotal", "AMTTYPE", Operation::InList);
    list.NumberList.Add(10.0);
    EXPECT_EQ(list.Compare(first_), Fails);
    EXPECT_EQ(list.Compare(second_), Holds);
}

TEST_F(FieldRules, BooleansReadTrueFalseAndNumbers) {
    struct Case {
        const char* path;
        bool second;
        long operation;
        long expected;
    };
    const Case cases[] = {
        {"//InvoiceRet/IsPaid", false, Operation::IsFalse, Holds},  // false
        {"//InvoiceRet/IsPaid", false, Operation::IsTrue, Fails},
        {"//InvoiceRet/IsPending", false, Operation::IsTrue, Holds},  // TRUE
        {"//InvoiceRet/IsPaid", true, Operation::IsTrue, Holds},      // 1
        {"//InvoiceRet/IsPaid", true, Operation::IsFalse, Fails},
        {"//InvoiceRet/RefNumber", false, Operation::IsTrue, Fails},  // unreadable
        {"//InvoiceRet/RefNumber", false, Operation::IsFalse, Fails},
        {"//InvoiceRet/IsPaid", false, Operation::Contains, Fails},
    };
    for (const auto& c : cases) {
        FIELD_RULE(rule, c.path, "BOOLTYPE", c.operation);
        EXPECT_EQ(rule.Compare(c.second ? second_ : first_), c.expected)
            << c.path << " " << c.operation;
    }
}

TEST_F(FieldRules, OtherDataTypesFail) {
    FIELD_RULE(date, "//InvoiceRet/TxnDate", "DATETYPE", Operation::Contains);
    date.TextCompare.SetValue("2024");
    EXPECT_EQ(date.Compare(first_), Fails);
}

TEST_F(FieldRules, GroupElementReadsAllTextBelowIt) {
    FIELD_RULE(customer, "//InvoiceRet/CustomerRef", "STRTYPE", Operation::Contains);
    customer.TextCompare.SetValue("80-1inv-100");
    EXPECT_EQ(customer.Compare(first_), Holds);
}

TEST_F(FieldRules, PathWorksFromAnElementOfAnotherName) {
    // Given the whole response, the path finds invoices anywhere below it.
    FIELD_RULE(memo, "//InvoiceRet/Memo", "STRTYPE", Operation::Contains);
    memo.TextCompare.SetValue("Second");
    EXPECT_EQ(memo.Compare(document_.document_element()), Holds);
}

TEST_F(FieldRules, UnreadablePathSelectsNothing) {
    FIELD_RULE(broken, "//InvoiceRet/[[", "STRTYPE", Operation::IsBlank);
    EXPECT_EQ(broken.Compare(first_), Holds);  // nothing found: blank
    broken.Operand = Operation::Contains;
    broken.TextCompare.SetValue("x");
    EXPECT_EQ(broken.Compare(first_), Fails);
}

TEST_F(FieldRules, RuleWithoutFieldFailsAndHasNoData) {
    FieldCriterion rule;
    rule.Operand = Operation::IsBlank;
    EXPECT_FALSE(rule.ContainsData());
    EXPECT_EQ(rule.Compare(first_), Fails);
}

TEST_F(FieldRules, ContainsDataPerOperation) {
    FIELD_RULE(text, "//InvoiceRet/Memo", "STRTYPE", Operation::IsFalse);
    EXPECT_TRUE(text.ContainsData());
    for (long operation : {36L, 140L}) {
        text.Operand = operation;
        EXPECT_TRUE(text.ContainsData()) << operation;
    }
    for (long operation : {66L, 76L, 130L, 206L, 0L}) {
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

TEST_F(FieldRules, EmptyGroupFailsAndSatisfiedGroupHolds) {
    FieldExaminors examinors;
    FieldExaminor* group = examinors.Add();
    EXPECT_EQ(group->Compare(first_), Fails);
    EXPECT_EQ(examinors.Compare(first_), NotApplicable);
    group->SetCompareFlag(2);
    EXPECT_EQ(examinors.Compare(first_), Holds);
}

TEST_F(FieldRules, SatisfiedFlagSkipsEvaluationAndResettingClearsResults) {
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
    FieldCriterion rows[4];
    rows[0].SetField(Tag("//InvoiceRet/Memo", "STRTYPE"));
    rows[0].Operand = Operation::Contains;
    rows[0].TextCompare.SetValue("first");
    rows[1].SetField(Tag("//InvoiceRet/Memo", "STRTYPE"));
    rows[1].Operand = Operation::StartsWith;
    rows[1].TextCompare.SetValue("Second");
    rows[2].SetField(Tag("//InvoiceRet/Subtotal", "AMTTYPE"));
    rows[2].Operand = Operation::GreaterThan;  // no number entered: skipped
    rows[2].AndOr = "OR";
    rows[3].SetField(Tag("//InvoiceRet/Subtotal", "AMTTYPE"));
    rows[3].Operand = Operation::GreaterThan;
    rows[3].NumberCompare.SetValue(500.0);
    rows[3].AndOr = "OR";
    std::vector<FieldCriterion*> pointers = {&rows[0], &rows[1], &rows[2], &rows[3]};

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
