#include <gtest/gtest.h>

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
    name.SetDataType(128);                  \
    name.TextCompare.SetValue(entered)

TEST(Criterion, NewCriterionDoesNotApplyAnywhere) {
    Criterion c;
    EXPECT_EQ(c.Index, -1);
    EXPECT_EQ(c.AndOr, "");
    EXPECT_EQ(c.Operand, 0);
    EXPECT_EQ(c.DataType(), 0);
    EXPECT_EQ(c.Result(), NotApplicable);
    EXPECT_EQ(c.DataTypes().Count(), 0u);
    EXPECT_EQ(c.Compare("x", "STRTYPE"), NotApplicable);
    EXPECT_EQ(c.TextCompare.TypeOfData(), Kind::Text);
    EXPECT_EQ(c.NumberCompare.TypeOfData(), Kind::Number);
    EXPECT_EQ(c.NumberRange.TypeOfData(), Kind::Number);
    EXPECT_EQ(c.TextList.TypeOfData(), Kind::Text);
    EXPECT_EQ(c.NumberList.TypeOfData(), Kind::Number);
}

TEST(Criterion, ChoiceDecidesWhichDataTypesApply) {
    struct Case {
        long choice;
        const char* typeName;
        bool applies;
    };
    const Case cases[] = {
        {64, "AMTTYPE", true},     {64, "PERCENTTYPE", true}, {64, "PRICETYPE", true},
        {64, "QUANTYPE", true},    {64, "INTTYPE", false},    {64, "FLOATTYPE", false},
        {64, "STRTYPE", false},    {65, "AMTTYPE", true},     {65, "PRICETYPE", false},
        {74, "PERCENTTYPE", true}, {75, "PRICETYPE", true},   {76, "QUANTYPE", true},
        {76, "AMTTYPE", false},    {128, "STRTYPE", true},    {128, "strtype", true},
        {128, "AMTTYPE", false},   {128, "BOOLTYPE", false},  {33, "BOOLTYPE", false},
        {70, "INTTYPE", false},    {0, "STRTYPE", false},     {128, "", false},
    };
    for (const auto& c : cases) {
        Criterion rule;
        rule.Operand = 140;  // is blank: holds for the blank text on a text type
        rule.SetDataType(c.choice);
        long answer = rule.Compare("", c.typeName);
        EXPECT_EQ(answer != NotApplicable, c.applies) << c.choice << " " << c.typeName;
        EXPECT_EQ(rule.ReferencesDataType(c.typeName), c.applies) << c.choice << " " << c.typeName;
    }
}

TEST(Criterion, NumberRuleDoesNotApplyToTextButHoldsForALargerAmount) {
    Criterion c;
    c.Operand = 74;
    c.SetDataType(64);
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
        {66, "99.99", Holds},  {66, "100", Fails},   {68, "100", Holds},  {68, "100.01", Fails},
        {70, "100.00", Holds}, {70, "100.5", Fails}, {72, "100", Holds},  {72, "99", Fails},
        {74, "101", Holds},    {74, "100", Fails},   {130, "100", Fails}, {140, "", Fails},
        {0, "100", Fails},
    };
    for (const auto& c : cases) {
        Criterion rule;
        rule.Operand = c.operation;
        rule.SetDataType(64);
        rule.NumberCompare.SetValue("100");  // entered as text, read as a number
        EXPECT_EQ(rule.Compare(c.text, "AMTTYPE"), c.expected) << c.operation << " " << c.text;
    }
}

TEST(Criterion, RangeIncludesBothBounds) {
    Criterion c;
    c.Operand = 76;
    c.SetDataType(64);
    c.NumberRange.A().SetValue(100.0);
    c.NumberRange.B().SetValue(200.0);
    EXPECT_EQ(c.Compare("100", "AMTTYPE"), Holds);
    EXPECT_EQ(c.Compare("200", "AMTTYPE"), Holds);
    EXPECT_EQ(c.Compare("200.01", "AMTTYPE"), Fails);
    EXPECT_EQ(c.Compare("99.99", "AMTTYPE"), Fails);
}

TEST(Criterion, NumberListHoldsForAnEnteredNumber) {
    Criterion c;
    c.Operand = 206;
    c.SetDataType(75);
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
        {130, "acme", "The ACME Corp", Holds},
        {130, "acme", "ACM", Fails},
        {132, "Smith", "Smith", Fails},
        {132, "Smith", "Smithson", Holds},
        {132, "Smith", "SMITHSON", Holds},
        {132, "INV", "inv-100", Holds},
        {134, "corp", "ACME CORP", Holds},
        {134, "corp", "CORP", Fails},
        {136, "acme", "(ACME), Inc.", Holds},
        {136, "acme", "ACMEs", Fails},
        {138, "inv*", "INV-100", Holds},
        {138, "inv?", "INV-100", Fails},
        {140, "", "   ", Holds},
        {140, "", " x ", Fails},
        {74, "5", "9", Fails},  // a number operation on text fails
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
    c.Operand = 206;
    c.SetDataType(128);
    c.TextList.Add(std::string("A100"));
    c.TextList.Add(std::string("B200"));
    EXPECT_EQ(c.Compare("b200", "STRTYPE"), Holds);
    EXPECT_EQ(c.Compare("C300", "STRTYPE"), Fails);
}

TEST(Criterion, TextRuleWithANumberEnteredComparesItsText) {
    Criterion c;
    c.Operand = 130;
    c.SetDataType(128);
    c.TextCompare.SetValue(1500.0);
    EXPECT_EQ(c.Compare("Order 1500-A", "STRTYPE"), Holds);
}

TEST(Criterion, CompareCodeAgreesWithCompareByName) {
    Criterion c;
    c.Operand = 72;
    c.SetDataType(64);
    c.NumberCompare.SetValue(10.0);
    EXPECT_EQ(c.CompareCode("12", 65), Holds);
    EXPECT_EQ(c.CompareCode("8", 65), Fails);
    EXPECT_EQ(c.CompareCode("12", 141), NotApplicable);
    EXPECT_EQ(c.CompareCode("12", 70), NotApplicable);
}

TEST(Criterion, ContainsDataReadsTheHolderOfTheOperation) {
    Criterion c;
    c.SetDataType(128);
    for (long operation : {66, 68, 70, 72, 74, 76, 130, 132, 134, 136, 138, 206, 0, 34, 36}) {
        c.Operand = operation;
        EXPECT_FALSE(c.ContainsData()) << operation;
    }
    c.Operand = 140;
    EXPECT_TRUE(c.ContainsData());

    c.Operand = 74;
    c.TextCompare.SetValue("x");
    EXPECT_FALSE(c.ContainsData());
    c.NumberCompare.SetValue(0.0);
    EXPECT_TRUE(c.ContainsData());

    c.Operand = 76;
    EXPECT_FALSE(c.ContainsData());
    c.NumberRange.B().SetValue(5.0);
    EXPECT_TRUE(c.ContainsData());

    c.Operand = 132;
    EXPECT_TRUE(c.ContainsData());
    c.TextCompare.SetValue("   ");
    EXPECT_FALSE(c.ContainsData());

    // "in list" reads the text list for the text choice, the number list otherwise.
    c.Operand = 206;
    c.NumberList.Add(1.0);
    EXPECT_FALSE(c.ContainsData());
    c.TextList.Add(std::string("a"));
    EXPECT_TRUE(c.ContainsData());
    c.SetDataType(64);
    c.TextList.Clear();
    EXPECT_TRUE(c.ContainsData());
}

TEST(Criterion, ClearEmptiesValuesButKeepsTheRule) {
    Criterion c;
    c.Operand = 130;
    c.SetDataType(128);
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
    EXPECT_EQ(c.Operand, 130);
    EXPECT_EQ(c.DataType(), 128);
    EXPECT_EQ(c.AndOr, "OR");
}

TEST(Criterion, CopyIsDeepAndLeavesIndexAndResult) {
    Criterion original;
    original.Index = 3;
    original.AndOr = "OR";
    original.Operand = 206;
    original.SetDataType(128);
    original.TextCompare.SetValue("acme");
    original.TextList.Add(std::string("A100"));
    original.NumberRange.A().SetValue(1.0);
    original.Compare("A100", "STRTYPE");
    ASSERT_EQ(original.Result(), Holds);

    Criterion copy;
    copy.Index = 9;
    original.Copy(copy, 0);
    EXPECT_EQ(copy.Index, 9);
    EXPECT_EQ(copy.Result(), NotApplicable);
    EXPECT_EQ(copy.AndOr, "OR");
    EXPECT_EQ(copy.Operand, 206);
    EXPECT_EQ(copy.DataType(), 128);
    EXPECT_TRUE(copy.ReferencesDataType("STRTYPE"));
    EXPECT_EQ(copy.TextCompare.ValueText(), "acme");
    ASSERT_EQ(copy.TextList.Count(), 1);
    EXPECT_EQ(copy.NumberRange.A().ValueNumber(), 1.0);

    // Changing the copy leaves the original untouched.
    copy.TextList.Item(1)->SetValue("Z999");
    copy.TextList.Add(std::string("B200"));
    copy.TextCompare.SetValue("other");
    copy.NumberRange.A().SetValue(7.0);
    copy.SetDataType(64);
    EXPECT_EQ(original.TextList.Count(), 1);
    EXPECT_EQ(original.TextList.Item(1)->ValueText(), "A100");
    EXPECT_EQ(original.TextCompare.ValueText(), "acme");
    EXPECT_EQ(original.NumberRange.A().ValueNumber(), 1.0);
    EXPECT_TRUE(original.ReferencesDataType("STRTYPE"));
    EXPECT_EQ(original.Index, 3);
}

TEST(Criterion, CopyDirectionOneReadsTheTargetAndOthersDoNothing) {
    Criterion source;
    source.Operand = 74;
    source.SetDataType(65);
    source.NumberCompare.SetValue("12abc");
    Criterion reader;
    reader.Copy(source, 1);
    EXPECT_EQ(reader.Operand, 74);
    EXPECT_EQ(reader.DataType(), 65);
    // Direction 1 takes the value as read, so the text arrives as its number.
    EXPECT_EQ(std::get<double>(reader.NumberCompare.Stored()), 12);

    Criterion untouched;
    untouched.Copy(source, 2);
    EXPECT_EQ(untouched.Operand, 0);
    EXPECT_EQ(untouched.DataType(), 0);
    source.Copy(untouched, -1);
    EXPECT_EQ(untouched.Operand, 0);
}

}  // namespace
}  // namespace quarrion
