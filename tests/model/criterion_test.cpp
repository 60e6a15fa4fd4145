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
        {Choice::Amount, "AMTTYPE", true},
        {Choice::Amount, "PRICETYPE", false},
        {Choice::Text, "strtype", true},
        {Choice::Text, "AMTTYPE", false},
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
        // Numbers by their leading number, only on the number types of the choice.
        {number, Operation::GreaterThan, "500", "750.00", "STRTYPE", NotApplicable},
        {number, Operation::GreaterThan, "500", "750.00", "AMTTYPE", Holds},
        {number, Operation::GreaterThan, "500", "500.00", "AMTTYPE", Fails},
        {number, Operation::LessThan, "100", "100", "AMTTYPE", Fails},
        {number, Operation::LessOrEqual, "100", "100", "AMTTYPE", Holds},
        {number, Operation::Equal, "100", "100.00", "AMTTYPE", Holds},
        {number, Operation::IsBlank, "", "", "AMTTYPE", Fails},
        // A range includes both bounds.
        {number, Operation::Between, "100..200", "100", "AMTTYPE", Holds},
        {number, Operation::Between, "100..200", "99.99", "AMTTYPE", Fails},
        // The word rules' text operations ignore letter case; number operations fail.
        {text, Operation::Contains, "acme", "The ACME Corp", "STRTYPE", Holds},
        {text, Operation::StartsWith, "Smith", "SMITHSON", "STRTYPE", Holds},
        {text, Operation::EndsWith, "corp", "ACME CORP", "STRTYPE", Holds},
        {text, Operation::WholeWord, "acme", "(ACME), Inc.", "STRTYPE", Holds},
        {text, Operation::MatchesPattern, "inv*", "INV-100", "STRTYPE", Holds},
        {text, Operation::IsBlank, "", "   ", "STRTYPE", Holds},
        {text, Operation::IsBlank, "", "\t", "STRTYPE", Fails},
        {text, Operation::InList, "A100,B200", "b200", "STRTYPE", Holds},
        // A list holds any entered number; no operation fails.
        {Choice::Price, Operation::InList, "100,12.5", "12.50", "PRICETYPE", Holds},
        {number, 0, "100", "100", "AMTTYPE", Fails},
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

TEST(Criterion, ContainsDataReadsTheHolderOfTheOperation) {
    enum Holder { kNone, kText, kNumber, kRangeEnd, kTextList, kNumberList };
    const struct {
        long choice;
        long operation;
        Holder filled;
        const char* value;
        bool expected;
    } cases[] = {
        // Is blank needs no value; a true or false test on words is no rule at all.
        {Choice::Text, Operation::IsBlank, kNone, "", true},
        {Choice::Text, Operation::IsTrue, kNone, "", false},
        {Choice::Text, 0, kText, "a", false},
        // Each operation reads its own holder; a zero is a value, spaces are not.
        {Choice::Text, Operation::GreaterThan, kText, "x", false},
        {Choice::Text, Operation::GreaterThan, kNumber, "0", true},
        {Choice::Text, Operation::Between, kRangeEnd, "5", true},
        {Choice::Text, Operation::StartsWith, kText, "a", true},
        {Choice::Text, Operation::StartsWith, kText, "   ", false},
        // "in list" reads the text list for the text choice, the number list otherwise.
        {Choice::Text, Operation::InList, kNumberList, "1", false},
        {Choice::Text, Operation::InList, kTextList, "a", true},
        {Choice::AnyNumber, Operation::InList, kNumberList, "1", true},
    };
    for (const auto& c : cases) {
        Criterion rule;
        rule.Operand = c.operation;
        rule.SetDataType(c.choice);
        if (c.filled == kText) rule.TextCompare.SetValue(c.value);
        if (c.filled == kNumber) rule.NumberCompare.SetValue(std::string_view(c.value));
        if (c.filled == kRangeEnd) rule.NumberRange.B().SetValue(std::string_view(c.value));
        if (c.filled == kTextList) rule.TextList.Add(std::string(c.value));
        if (c.filled == kNumberList) rule.NumberList.Add(std::string(c.value));
        EXPECT_EQ(rule.ContainsData(), c.expected) << c.operation << " " << c.filled;
    }
}

}  // namespace
}  // namespace quarrion
