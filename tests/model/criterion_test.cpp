#include <gtest/gtest.h>

#include "foundation/codes.h"
#include "model/criterion.h"

namespace quarrion {
namespace {

using RuleResult::Fails;
using RuleResult::Holds;
using RuleResult::NotApplicable;

// Criterion is not copyable; tests build them in place through this helper.
#define TEXT_RULE(name, operation, entered) \
    Criterion name;                         \
    name.Operand = operation;               \
    name.SetDataType(Choice::Text);         \
    name.TextCompare.SetValue(entered)

TEST(Criterion, ChoiceDecidesWhichDataTypesApply) {
    struct Case {
        long choice;
        const char* typeName;
        bool applies;
    };
    const Case cases[] = {
        {Choice::AnyNumber, "AMTTYPE", true},
        {Choice::AnyNumber, "PERCENTTYPE", true},
        {Choice::AnyNumber, "PRICETYPE", true},
        {Choice::AnyNumber, "QUANTYPE", true},
        {Choice::AnyNumber, "INTTYPE", false},
        {Choice::AnyNumber, "FLOATTYPE", false},
        {Choice::AnyNumber, "STRTYPE", false},
        {Choice::Amount, "AMTTYPE", true},
        {Choice::Amount, "PRICETYPE", false},
        {Choice::Percent, "PERCENTTYPE", true},
        {Choice::Price, "PRICETYPE", true},
        {Choice::Quantity, "QUANTYPE", true},
        {Choice::Quantity, "AMTTYPE", false},
        {Choice::Text, "STRTYPE", true},
        {Choice::Text, "strtype", true},
        {Choice::Text, "AMTTYPE", false},
        {Choice::Text, "BOOLTYPE", false},
        {DataTypeCode::Bool, "BOOLTYPE", false},
        {DataTypeCode::Int, "INTTYPE", false},
        {0, "STRTYPE", false},
        {Choice::Text, "", false},
    };
    for (const auto& c : cases) {
        Criterion rule;
        rule.Operand = Operation::IsBlank;  // is blank: holds for the blank text on a text type
        rule.SetDataType(c.choice);
        long answer = rule.Compare("", c.typeName);
        EXPECT_EQ(answer != NotApplicable, c.applies) << c.choice << " " << c.typeName;
        EXPECT_EQ(rule.ReferencesDataType(c.typeName), c.applies) << c.choice << " " << c.typeName;
    }
}

TEST(Criterion, NumberRuleDoesNotApplyToTextButHoldsForALargerAmount) {
    Criterion c;
    c.Operand = Operation::GreaterThan;
    c.SetDataType(Choice::AnyNumber);
    c.NumberCompare.SetValue(500.0);
    EXPECT_EQ(c.Compare("750.00", "STRTYPE"), NotApplicable);
    EXPECT_EQ(c.Result(), NotApplicable);
    EXPECT_EQ(c.Compare("750.00", "AMTTYPE"), Holds);
    EXPECT_EQ(c.Result(), Holds);
    EXPECT_EQ(c.Compare("500.00", "AMTTYPE"), Fails);
    EXPECT_EQ(c.Result(), Fails);
    // Text with a thousands separator reads by its leading number only.
    EXPECT_EQ(c.Compare("1,250.00", "AMTTYPE"), Fails);
    EXPECT_EQ(c.Compare("abc", "AMTTYPE"), Fails);
}

TEST(Criterion, NumberOperationsCompareWithTheEnteredNumber) {
    struct Case {
        long operation;
        const char* text;
        long expected;
    };
    const Case cases[] = {
        {Operation::LessThan, "99.99", Holds},
        {Operation::LessThan, "100", Fails},
        {Operation::LessOrEqual, "100", Holds},
        {Operation::LessOrEqual, "100.01", Fails},
        {Operation::Equal, "100.00", Holds},
        {Operation::Equal, "100.5", Fails},
        {Operation::GreaterOrEqual, "100", Holds},
        {Operation::GreaterOrEqual, "99", Fails},
        {Operation::GreaterThan, "101", Holds},
        {Operation::GreaterThan, "100", Fails},
        {Operation::Contains, "100", Fails},
        {Operation::IsBlank, "", Fails},
        {0, "100", Fails},
    };
    for (const auto& c : cases) {
        Criterion rule;
        rule.Operand = c.operation;
        rule.SetDataType(Choice::AnyNumber);
        rule.NumberCompare.SetValue("100");  // entered as text, read as a number
        EXPECT_EQ(rule.Compare(c.text, "AMTTYPE"), c.expected) << c.operation << " " << c.text;
    }
}

TEST(Criterion, RangeIncludesBothBounds) {
    Criterion c;
    c.Operand = Operation::Between;
    c.SetDataType(Choice::AnyNumber);
    c.NumberRange.A().SetValue(100.0);
    c.NumberRange.B().SetValue(200.0);
    EXPECT_EQ(c.Compare("100", "AMTTYPE"), Holds);
    EXPECT_EQ(c.Compare("200", "AMTTYPE"), Holds);
    EXPECT_EQ(c.Compare("200.01", "AMTTYPE"), Fails);
    EXPECT_EQ(c.Compare("99.99", "AMTTYPE"), Fails);
}

TEST(Criterion, NumberListHoldsForAnEnteredNumber) {
    Criterion c;
    c.Operand = Operation::InList;
    c.SetDataType(Choice::Price);
    c.NumberList.Add(std::string("100"));
    c.NumberList.Add(12.5);
    EXPECT_EQ(c.Compare("100.00", "PRICETYPE"), Holds);
    EXPECT_EQ(c.Compare("12.50", "PRICETYPE"), Holds);
    EXPECT_EQ(c.Compare("12.49", "PRICETYPE"), Fails);
}

TEST(Criterion, TextOperationsIgnoreLetterCase) {
    struct Case {
        long operation;
        const char* entered;
        const char* text;
        long expected;
    };
    const Case cases[] = {
        {Operation::Contains, "acme", "The ACME Corp", Holds},
        {Operation::Contains, "acme", "ACM", Fails},
        {Operation::StartsWith, "Smith", "Smith", Fails},
        {Operation::StartsWith, "Smith", "Smithson", Holds},
        {Operation::StartsWith, "Smith", "SMITHSON", Holds},
        {Operation::StartsWith, "INV", "inv-100", Holds},
        {Operation::EndsWith, "corp", "ACME CORP", Holds},
        {Operation::EndsWith, "corp", "CORP", Fails},
        {Operation::WholeWord, "acme", "(ACME), Inc.", Holds},
        {Operation::WholeWord, "acme", "ACMEs", Fails},
        {Operation::MatchesPattern, "inv*", "INV-100", Holds},
        {Operation::MatchesPattern, "inv?", "INV-100", Fails},
        {Operation::IsBlank, "", "   ", Holds},
        {Operation::IsBlank, "", " x ", Fails},
        {Operation::GreaterThan, "5", "9", Fails},  // a number operation on text fails
        {999, "x", "x", Fails},
    };
    for (const auto& c : cases) {
        TEXT_RULE(rule, c.operation, c.entered);
        EXPECT_EQ(rule.Compare(c.text, "STRTYPE"), c.expected)
            << c.operation << " " << c.entered << " / " << c.text;
    }
}

TEST(Criterion, TextListIgnoresCase) {
    Criterion c;
    c.Operand = Operation::InList;
    c.SetDataType(Choice::Text);
    c.TextList.Add(std::string("A100"));
    c.TextList.Add(std::string("B200"));
    EXPECT_EQ(c.Compare("b200", "STRTYPE"), Holds);
    EXPECT_EQ(c.Compare("C300", "STRTYPE"), Fails);
}

TEST(Criterion, TextRuleWithANumberEnteredComparesItsText) {
    Criterion c;
    c.Operand = Operation::Contains;
    c.SetDataType(Choice::Text);
    c.TextCompare.SetValue(1500.0);
    EXPECT_EQ(c.Compare("Order 1500-A", "STRTYPE"), Holds);
}

TEST(Criterion, CompareCodeAgreesWithCompareByName) {
    Criterion c;
    c.Operand = Operation::GreaterOrEqual;
    c.SetDataType(Choice::AnyNumber);
    c.NumberCompare.SetValue(10.0);
    EXPECT_EQ(c.CompareCode("12", DataTypeCode::Amt), Holds);
    EXPECT_EQ(c.CompareCode("8", DataTypeCode::Amt), Fails);
    EXPECT_EQ(c.CompareCode("12", DataTypeCode::Str), NotApplicable);
    EXPECT_EQ(c.CompareCode("12", DataTypeCode::Int), NotApplicable);
}

TEST(Criterion, ContainsDataReadsTheHolderOfTheOperation) {
    Criterion c;
    c.SetDataType(Choice::Text);
    for (long operation :
         {Operation::LessThan, Operation::LessOrEqual, Operation::Equal, Operation::GreaterOrEqual,
          Operation::GreaterThan, Operation::Between, Operation::Contains, Operation::StartsWith,
          Operation::EndsWith, Operation::WholeWord, Operation::MatchesPattern, Operation::InList,
          0L, Operation::IsFalse, Operation::IsTrue}) {
        c.Operand = operation;
        EXPECT_FALSE(c.ContainsData()) << operation;
    }
    c.Operand = Operation::IsBlank;
    EXPECT_TRUE(c.ContainsData());

    c.Operand = Operation::GreaterThan;
    c.TextCompare.SetValue("x");
    EXPECT_FALSE(c.ContainsData());
    c.NumberCompare.SetValue(0.0);
    EXPECT_TRUE(c.ContainsData());

    c.Operand = Operation::Between;
    EXPECT_FALSE(c.ContainsData());
    c.NumberRange.B().SetValue(5.0);
    EXPECT_TRUE(c.ContainsData());

    c.Operand = Operation::StartsWith;
    EXPECT_TRUE(c.ContainsData());
    c.TextCompare.SetValue("   ");
    EXPECT_FALSE(c.ContainsData());

    // "in list" reads the text list for the text choice, the number list otherwise.
    c.Operand = Operation::InList;
    c.NumberList.Add(1.0);
    EXPECT_FALSE(c.ContainsData());
    c.TextList.Add(std::string("a"));
    EXPECT_TRUE(c.ContainsData());
    c.SetDataType(Choice::AnyNumber);
    c.TextList.Clear();
    EXPECT_TRUE(c.ContainsData());
}

TEST(Criterion, ClearEmptiesValuesButKeepsTheRule) {
    Criterion c;
    c.Operand = Operation::Contains;
    c.SetDataType(Choice::Text);
    c.AndOr = "OR";
    c.TextCompare.SetValue("x");
    c.NumberCompare.SetValue(1.0);
    c.NumberRange.A().SetValue(1.0);
    c.TextList.Add(std::string("x"));
    c.NumberList.Add(1.0);
    c.Clear();
    EXPECT_FALSE(c.TextCompare.ContainsData());
    EXPECT_FALSE(c.NumberCompare.ContainsData());
    EXPECT_FALSE(c.NumberRange.ContainsData());
    EXPECT_EQ(c.TextList.Count(), 0);
    EXPECT_EQ(c.NumberList.Count(), 0);
    EXPECT_EQ(c.Operand, Operation::Contains);
    EXPECT_EQ(c.DataType(), Choice::Text);
    EXPECT_EQ(c.AndOr, "OR");
}

}  // namespace
}  // namespace quarrion
