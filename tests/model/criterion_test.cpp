#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "foundation/codes.h"
#include "model/criterion.h"

namespace quarrion {
namespace {

using RuleResult::Fails;
using RuleResult::Holds;
using RuleResult::NotApplicable;

// Puts `entered` where the operation reads it, as the editors do: "a..b" for a range,
// "a,b" for a list, the text itself otherwise (numbers entered as text).
void Fill(Criterion& rule, long choice, long operation, const std::string& entered) {
    rule.Operand = operation;
    rule.SetDataType(choice);
    const bool text = choice == Choice::Text;
    if (operation == Operation::Between) {
        const std::size_t dots = entered.find("..");
        rule.NumberRange.A().SetValue(std::string_view(entered).substr(0, dots));
        rule.NumberRange.B().SetValue(std::string_view(entered).substr(dots + 2));
    } else if (operation == Operation::InList) {
        std::istringstream in(entered);
        for (std::string value; std::getline(in, value, ',');) {
            (text ? rule.TextList : rule.NumberList).Add(value);
        }
    } else {
        (text ? rule.TextCompare : rule.NumberCompare).SetValue(std::string_view(entered));
    }
}

TEST(Criterion, ChoiceDecidesWhichDataTypesApply) {
    struct Case {
        long choice;
        const char* typeName;
        bool applies;
    };
    const Case cases[] = {
        {Choice::AnyNumber, "AMTTYPE", true},
        {Choice::AnyNumber, "QUANTYPE", true},
        {Choice::AnyNumber, "INTTYPE", false},
        {Choice::AnyNumber, "STRTYPE", false},
        {Choice::Amount, "AMTTYPE", true},
        {Choice::Amount, "PRICETYPE", false},
        {Choice::Quantity, "QUANTYPE", true},
        {Choice::Quantity, "AMTTYPE", false},
        {Choice::Text, "STRTYPE", true},
        {Choice::Text, "strtype", true},
        {Choice::Text, "AMTTYPE", false},
        {DataTypeCode::Bool, "BOOLTYPE", false},
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

TEST(Criterion, EveryOperationComparesWithWhatWasEntered) {
    struct Case {
        long choice;
        long operation;
        const char* entered;
        const char* text;
        const char* typeName;
        long expected;
    };
    const long number = Choice::AnyNumber, text = Choice::Text;
    const Case cases[] = {
        // Numbers read by their leading number ("1,250.00" reads as 1), against 500 or 100.
        {number, Operation::GreaterThan, "500", "750.00", "STRTYPE", NotApplicable},
        {number, Operation::GreaterThan, "500", "750.00", "AMTTYPE", Holds},
        {number, Operation::GreaterThan, "500", "500.00", "AMTTYPE", Fails},
        {number, Operation::GreaterThan, "500", "1,250.00", "AMTTYPE", Fails},
        {number, Operation::GreaterThan, "500", "abc", "AMTTYPE", Fails},
        {number, Operation::LessThan, "100", "100", "AMTTYPE", Fails},
        {number, Operation::LessOrEqual, "100", "100", "AMTTYPE", Holds},
        {number, Operation::Equal, "100", "100.00", "AMTTYPE", Holds},
        {number, Operation::GreaterOrEqual, "100", "100", "AMTTYPE", Holds},
        {number, Operation::Contains, "100", "100", "AMTTYPE", Fails},
        {number, Operation::IsBlank, "", "", "AMTTYPE", Fails},
        // A range includes both bounds.
        {number, Operation::Between, "100..200", "100", "AMTTYPE", Holds},
        {number, Operation::Between, "100..200", "200", "AMTTYPE", Holds},
        {number, Operation::Between, "100..200", "99.99", "AMTTYPE", Fails},
        // The word rules' text operations ignore letter case; number operations fail.
        {text, Operation::Contains, "acme", "The ACME Corp", "STRTYPE", Holds},
        {text, Operation::StartsWith, "Smith", "SMITHSON", "STRTYPE", Holds},
        {text, Operation::EndsWith, "corp", "ACME CORP", "STRTYPE", Holds},
        {text, Operation::WholeWord, "acme", "(ACME), Inc.", "STRTYPE", Holds},
        {text, Operation::MatchesPattern, "inv*", "INV-100", "STRTYPE", Holds},
        {text, Operation::IsBlank, "", "   ", "STRTYPE", Holds},
        {text, Operation::GreaterThan, "5", "9", "STRTYPE", Fails},
        {text, Operation::InList, "A100,B200", "b200", "STRTYPE", Holds},
        // A list holds any entered number; an unknown operation fails.
        {Choice::Price, Operation::InList, "100,12.5", "12.50", "PRICETYPE", Holds},
        {Choice::Price, Operation::InList, "100,12.5", "12.49", "PRICETYPE", Fails},
        {number, 0, "100", "100", "AMTTYPE", Fails},
        {text, 999, "x", "x", "STRTYPE", Fails},
    };
    for (const auto& c : cases) {
        Criterion rule;
        Fill(rule, c.choice, c.operation, c.entered);
        EXPECT_EQ(rule.Compare(c.text, c.typeName), c.expected)
            << c.operation << " " << c.entered << " / " << c.text << " " << c.typeName;
        EXPECT_EQ(rule.Result(), c.expected) << c.operation << " " << c.text;
    }

    Criterion order;  // a number entered in a text rule is compared as its text
    order.Operand = Operation::Contains;
    order.SetDataType(Choice::Text);
    order.TextCompare.SetValue(1500.0);
    EXPECT_EQ(order.Compare("Order 1500-A", "STRTYPE"), Holds);
}

TEST(Criterion, CompareCodeAgreesWithCompareByName) {
    Criterion c;
    Fill(c, Choice::AnyNumber, Operation::GreaterOrEqual, "10");
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

    // Clear empties every holder but keeps the rule itself.
    c.AndOr = "OR";
    c.TextCompare.SetValue("x");
    c.Clear();
    EXPECT_FALSE(c.TextCompare.ContainsData() || c.NumberCompare.ContainsData() ||
                 c.NumberRange.ContainsData());
    EXPECT_EQ(c.TextList.Count() + c.NumberList.Count(), 0);
    EXPECT_EQ(c.Operand, Operation::InList);
    EXPECT_EQ(c.DataType(), Choice::AnyNumber);
    EXPECT_EQ(c.AndOr, "OR");
}

}  // namespace
}  // namespace quarrion
