#include <gtest/gtest.h>

#include <vector>

#include "foundation/codes.h"
#include "foundation/common_tools.h"
#include "model/examinors.h"

namespace quarrion {
namespace {

using RuleResult::Fails;
using RuleResult::Holds;
using RuleResult::NotApplicable;

Criterion* AddText(Criteria& criteria, long operation, const char* entered) {
    Criterion* c = criteria.Add(operation, Choice::Text);
    c->TextCompare.SetValue(entered);
    return c;
}

Criterion* AddNumber(Criteria& criteria, long operation, double entered) {
    Criterion* c = criteria.Add(operation, Choice::AnyNumber);
    c->NumberCompare.SetValue(entered);
    return c;
}

TEST(Criteria, AnAndOfTheRulesThatApply) {
    Criteria group;
    EXPECT_EQ(group.Compare("ACME", "STRTYPE"), Fails);  // no rule: fails
    AddNumber(group, Operation::GreaterThan, 500);
    EXPECT_EQ(group.Compare("ACME", "STRTYPE"), Fails);  // no rule applies: fails
    AddText(group, Operation::StartsWith, "ACME");
    AddText(group, Operation::EndsWith, "Corp");
    // On text the number rule drops out and the text rules decide, and the other way.
    EXPECT_EQ(group.Compare("ACME Corp", "STRTYPE"), Holds);
    EXPECT_EQ(group.Compare("ACME Inc", "STRTYPE"), Fails);
    EXPECT_EQ(group.Compare("750", "AMTTYPE"), Holds);
    EXPECT_EQ(group.Compare("250", "AMTTYPE"), Fails);
    EXPECT_TRUE(group.ReferencesDataType("amttype"));
    EXPECT_FALSE(group.ReferencesDataType("BOOLTYPE"));
    EXPECT_TRUE(group.ContainsData());
    group.Clear();
    group.Add(Operation::Contains, Choice::Text);
    EXPECT_FALSE(group.ContainsData());
}

TEST(Examinor, ASatisfiedGroupHoldsWithoutLookingAndEvaluatesAgainWhenReset) {
    Examinor group;
    Criterion* rule = AddText(group.Criteria, Operation::Contains, "zzz");
    EXPECT_EQ(group.Compare("ACME", "STRTYPE"), Fails);
    group.SetCompareFlag(ExaminorFlag::Satisfied);
    EXPECT_EQ(group.Compare("ACME", "STRTYPE"), Holds);
    EXPECT_EQ(rule->Result(), Fails);  // nothing was evaluated
    group.SetCompareFlag(ExaminorFlag::Evaluate);
    EXPECT_EQ(rule->Result(), NotApplicable);
    EXPECT_EQ(group.Compare("ACME", "STRTYPE"), Fails);
}

TEST(Examinors, OrOfGroupsAnswersNotApplicableWhenNoneHolds) {
    Examinors examinors;
    EXPECT_EQ(examinors.Compare("ACME", "STRTYPE"), NotApplicable);
    AddNumber(examinors.Add()->Criteria, Operation::GreaterThan, 500);
    AddText(examinors.Add()->Criteria, Operation::Contains, "zzz");
    // Each group fails for this text, yet the OR answers NotApplicable, never Fails.
    EXPECT_EQ(examinors.Item(2)->Compare("ACME", "STRTYPE"), Fails);
    EXPECT_EQ(examinors.Compare("ACME", "STRTYPE"), NotApplicable);
    AddText(examinors.Add()->Criteria, Operation::Contains, "CM");
    EXPECT_EQ(examinors.Compare("ACME", "STRTYPE"), Holds);
    EXPECT_EQ(examinors.Compare("750", "AMTTYPE"), Holds);
}

TEST(BuildExaminors, RowsWithDataFormGroupsStartedByOr) {
    // The editor's rows, as an operation, its value and the join written before it.
    Criterion rows[5];
    auto row = [&](int i, long operation, const char* entered, const char* andOr) {
        const bool number = operation == Operation::GreaterThan;
        rows[i].Operand = operation;
        rows[i].SetDataType(number ? Choice::AnyNumber : Choice::Text);
        if (*entered) (number ? rows[i].NumberCompare : rows[i].TextCompare).SetValue(entered);
        rows[i].AndOr = andOr;
    };
    row(0, Operation::Contains, "", "OR");  // no data: skipped, and its OR means nothing
    row(1, Operation::Contains, "acme", "AND");
    row(2, Operation::GreaterThan, "500", "AND");
    row(3, Operation::IsBlank, "", "OR");        // is blank needs no data
    row(4, Operation::StartsWith, "INV", "or");  // only the exact "OR" starts a group
    std::vector<Criterion*> pointers = {&rows[0], &rows[1], &rows[2], &rows[3], &rows[4]};

    Examinors examinors;
    examinors.Add();  // replaced by the build
    BuildExaminors(pointers, examinors);
    // Each group as "|" and "operation value;" per rule. They are copies, so editing a
    // row later changes nothing in them.
    rows[1].TextCompare.SetValue("changed");
    std::string groups;
    for (const Examinor& group : examinors) {
        groups += "|";
        for (const Criterion& rule : group.Criteria) {
            groups += CommonTools::OperatorText(rule.Operand) + " " + rule.TextCompare.ValueText() +
                      rule.NumberCompare.ValueText() + ";";
        }
    }
    EXPECT_EQ(groups, "|Contains acme;Greater Than 500;|Is Blank ;Starts With INV;");

    // No row with data (a missing row counts as none) gives no group.
    std::vector<Criterion*> none = {&rows[0], nullptr};
    BuildExaminors(none, examinors);
    EXPECT_EQ(examinors.Count(), 0u);
    EXPECT_EQ(examinors.Compare("anything", "STRTYPE"), NotApplicable);
}

}  // namespace
}  // namespace quarrion
