#include <gtest/gtest.h>

#include <vector>

#include "model/examinors.h"

namespace quarrion {
namespace {

using RuleResult::Fails;
using RuleResult::Holds;
using RuleResult::NotApplicable;

Criterion* AddText(Criteria& criteria, long operation, const char* entered) {
    Criterion* c = criteria.Add(operation, 128);
    c->TextCompare.SetValue(entered);
    return c;
}

Criterion* AddNumber(Criteria& criteria, long operation, double entered) {
    Criterion* c = criteria.Add(operation, 64);
    c->NumberCompare.SetValue(entered);
    return c;
}

TEST(Criteria, AddNumbersTheCriteriaAndClearStartsAgain) {
    Criteria criteria;
    EXPECT_EQ(criteria.Add(130, 128)->Index, 1);
    Criterion* second = criteria.Add(74, 64);
    EXPECT_EQ(second->Index, 2);
    EXPECT_EQ(second->Operand, 74);
    EXPECT_TRUE(second->ReferencesDataType("AMTTYPE"));
    EXPECT_EQ(criteria.Item(2), second);
    EXPECT_EQ(criteria.Item(3), nullptr);
    criteria.Clear();
    EXPECT_EQ(criteria.Count(), 0u);
    EXPECT_EQ(criteria.Add(130, 128)->Index, 1);
}

TEST(Criteria, RuleThatDoesNotApplyIsLeftOutOfTheAnd) {
    Criteria group;
    AddNumber(group, 74, 500);
    AddText(group, 130, "ACME");
    EXPECT_EQ(group.Compare("ACME Corp", "STRTYPE"), Holds);
    EXPECT_EQ(group.Item(1)->Result(), NotApplicable);
    EXPECT_EQ(group.Item(2)->Result(), Holds);
    // On an amount the text rule drops out and the number rule decides.
    EXPECT_EQ(group.Compare("750", "AMTTYPE"), Holds);
    EXPECT_EQ(group.Compare("250", "AMTTYPE"), Fails);
}

TEST(Criteria, GroupWhoseRulesAllDoNotApplyFails) {
    Criteria group;
    AddNumber(group, 74, 500);
    AddNumber(group, 66, 900);
    EXPECT_EQ(group.Compare("ACME", "STRTYPE"), Fails);
    Criteria empty;
    EXPECT_EQ(empty.Compare("ACME", "STRTYPE"), Fails);
}

TEST(Criteria, WalkStopsAtTheFirstFailingRule) {
    Criteria group;
    AddText(group, 130, "zzz");
    Criterion* later = AddText(group, 130, "ACME");
    // Give the later rule a result of its own first.
    later->Compare("ACME", "STRTYPE");
    ASSERT_EQ(later->Result(), Holds);
    EXPECT_EQ(group.Compare("ACME Corp", "STRTYPE"), Fails);
    EXPECT_EQ(group.Item(1)->Result(), Fails);
    EXPECT_EQ(later->Result(), Holds);  // not evaluated, keeps its earlier answer
    group.ResetResults();
    EXPECT_EQ(later->Result(), NotApplicable);
    EXPECT_EQ(group.Item(1)->Result(), NotApplicable);
}

TEST(Criteria, AllApplyingRulesMustHold) {
    Criteria group;
    AddText(group, 132, "ACME");
    AddText(group, 134, "Corp");
    EXPECT_EQ(group.Compare("ACME Corp", "STRTYPE"), Holds);
    EXPECT_EQ(group.Compare("ACME Inc", "STRTYPE"), Fails);
}

TEST(Criteria, ContainsDataAndReferencesAskEveryCriterion) {
    Criteria group;
    Criterion* number = group.Add(74, 65);
    group.Add(130, 128);
    EXPECT_FALSE(group.ContainsData());
    number->NumberCompare.SetValue(1.0);
    EXPECT_TRUE(group.ContainsData());
    EXPECT_TRUE(group.ReferencesDataType("amttype"));
    EXPECT_TRUE(group.ReferencesDataType("STRTYPE"));
    EXPECT_FALSE(group.ReferencesDataType("PRICETYPE"));
}

TEST(Criteria, CopyReplacesTheTargetDeeply) {
    Criteria original;
    AddText(original, 130, "acme")->AndOr = "AND";
    AddNumber(original, 76, 0)->NumberRange.B().SetValue(10.0);
    Criteria copy;
    AddText(copy, 132, "old");
    AddText(copy, 132, "older");
    AddText(copy, 132, "oldest");
    original.Copy(copy, 0);
    ASSERT_EQ(copy.Count(), 2u);
    EXPECT_EQ(copy.Item(1)->Index, 1);
    EXPECT_EQ(copy.Item(1)->Operand, 130);
    EXPECT_EQ(copy.Item(1)->AndOr, "AND");
    EXPECT_EQ(copy.Item(1)->TextCompare.ValueText(), "acme");
    EXPECT_EQ(copy.Item(2)->NumberRange.B().ValueNumber(), 10.0);

    copy.Item(1)->TextCompare.SetValue("changed");
    copy.Item(2)->NumberRange.B().SetValue(99.0);
    copy.Add(140, 128);
    EXPECT_EQ(original.Count(), 2u);
    EXPECT_EQ(original.Item(1)->TextCompare.ValueText(), "acme");
    EXPECT_EQ(original.Item(2)->NumberRange.B().ValueNumber(), 10.0);

    Criteria reader;
    reader.Copy(original, 1);
    ASSERT_EQ(reader.Count(), 2u);
    EXPECT_EQ(reader.Item(1)->TextCompare.ValueText(), "acme");
    reader.Copy(copy, 5);
    EXPECT_EQ(reader.Count(), 2u);
}

TEST(Examinor, SatisfiedGroupHoldsWithoutLookingAndResetsOnReturn) {
    Examinor group;
    EXPECT_EQ(group.CompareFlag(), 1);
    AddText(group.Criteria, 130, "zzz");
    EXPECT_EQ(group.Compare("ACME", "STRTYPE"), Fails);
    ASSERT_EQ(group.Criteria.Item(1)->Result(), Fails);
    group.SetCompareFlag(2);
    EXPECT_EQ(group.Compare("ACME", "STRTYPE"), Holds);
    EXPECT_EQ(group.Criteria.Item(1)->Result(), Fails);  // nothing evaluated
    group.SetCompareFlag(1);
    EXPECT_EQ(group.Criteria.Item(1)->Result(), NotApplicable);
    EXPECT_EQ(group.Compare("ACME", "STRTYPE"), Fails);
}

TEST(Examinors, OrOfGroupsAnswersNotApplicableWhenNoneHolds) {
    Examinors examinors;
    EXPECT_EQ(examinors.Compare("ACME", "STRTYPE"), NotApplicable);
    AddNumber(examinors.Add()->Criteria, 74, 500);
    AddText(examinors.Add()->Criteria, 130, "zzz");
    // Each group fails (0) for this text, yet the OR answers 1, never 0.
    EXPECT_EQ(examinors.Item(1)->Compare("ACME", "STRTYPE"), Fails);
    EXPECT_EQ(examinors.Item(2)->Compare("ACME", "STRTYPE"), Fails);
    EXPECT_EQ(examinors.Compare("ACME", "STRTYPE"), NotApplicable);
    AddText(examinors.Add()->Criteria, 130, "CM");
    EXPECT_EQ(examinors.Compare("ACME", "STRTYPE"), Holds);
    EXPECT_EQ(examinors.Compare("750", "AMTTYPE"), Holds);
}

TEST(Examinors, FirstHoldingGroupEndsTheWalk) {
    Examinors examinors;
    AddText(examinors.Add()->Criteria, 130, "AC");
    Criterion* second = AddText(examinors.Add()->Criteria, 130, "ME");
    EXPECT_EQ(examinors.Compare("ACME", "STRTYPE"), Holds);
    EXPECT_EQ(second->Result(), NotApplicable);
    examinors.Item(1)->SetCompareFlag(2);
    EXPECT_EQ(examinors.Compare("nothing", "STRTYPE"), Holds);
}

TEST(Examinors, IndexCountsGroups) {
    Examinors examinors;
    EXPECT_EQ(examinors.Add()->Index, 1);
    EXPECT_EQ(examinors.Add()->Index, 2);
    examinors.Clear();
    EXPECT_EQ(examinors.Add()->Index, 1);
}

TEST(Examinors, CopyIsDeepInBothDirections) {
    Examinors original;
    AddText(original.Add()->Criteria, 130, "acme");
    Examinor* second = original.Add();
    AddNumber(second->Criteria, 74, 500);
    second->Criteria.Item(1)->NumberList.Add(3.0);

    Examinors copy;
    original.Copy(copy, 0);
    ASSERT_EQ(copy.Count(), 2u);
    ASSERT_EQ(copy.Item(2)->Criteria.Count(), 1u);
    EXPECT_EQ(copy.Item(2)->Criteria.Item(1)->NumberCompare.ValueNumber(), 500);
    copy.Item(2)->Criteria.Item(1)->NumberCompare.SetValue(1.0);
    copy.Item(2)->Criteria.Item(1)->NumberList.Clear();
    copy.Item(1)->Criteria.Clear();
    EXPECT_EQ(original.Item(2)->Criteria.Item(1)->NumberCompare.ValueNumber(), 500);
    EXPECT_EQ(original.Item(2)->Criteria.Item(1)->NumberList.Count(), 1);
    EXPECT_EQ(original.Item(1)->Criteria.Count(), 1u);

    Examinors reader;
    reader.Copy(original, 1);
    ASSERT_EQ(reader.Count(), 2u);
    EXPECT_EQ(reader.Item(1)->Criteria.Item(1)->TextCompare.ValueText(), "acme");
    EXPECT_TRUE(reader.ReferencesDataType("AMTTYPE"));
    EXPECT_TRUE(reader.ContainsData());
}

TEST(BuildExaminors, RowsWithDataFormGroupsStartedByOr) {
    Criterion rows[5];
    rows[0].Operand = 130;  // no data: skipped, and its OR means nothing
    rows[0].SetDataType(128);
    rows[0].AndOr = "OR";
    rows[1].Operand = 130;
    rows[1].SetDataType(128);
    rows[1].TextCompare.SetValue("acme");
    rows[1].AndOr = "AND";
    rows[2].Operand = 74;
    rows[2].SetDataType(64);
    rows[2].NumberCompare.SetValue(500.0);
    rows[2].AndOr = "AND";
    rows[3].Operand = 140;  // is blank needs no data
    rows[3].SetDataType(128);
    rows[3].AndOr = "OR";
    rows[4].Operand = 132;
    rows[4].SetDataType(128);
    rows[4].TextCompare.SetValue("INV");
    rows[4].AndOr = "or";  // only the exact "OR" starts a group
    std::vector<Criterion*> pointers = {&rows[0], &rows[1], &rows[2], &rows[3], &rows[4]};

    Examinors examinors;
    examinors.Add();  // replaced by the build
    BuildExaminors(pointers, examinors);
    ASSERT_EQ(examinors.Count(), 2u);
    ASSERT_EQ(examinors.Item(1)->Criteria.Count(), 2u);
    EXPECT_EQ(examinors.Item(1)->Criteria.Item(1)->TextCompare.ValueText(), "acme");
    EXPECT_EQ(examinors.Item(1)->Criteria.Item(2)->Operand, 74);
    ASSERT_EQ(examinors.Item(2)->Criteria.Count(), 2u);
    EXPECT_EQ(examinors.Item(2)->Criteria.Item(1)->Operand, 140);
    EXPECT_EQ(examinors.Item(2)->Criteria.Item(2)->TextCompare.ValueText(), "INV");

    // The groups are copies: editing a row later changes nothing in them.
    rows[1].TextCompare.SetValue("changed");
    EXPECT_EQ(examinors.Item(1)->Criteria.Item(1)->TextCompare.ValueText(), "acme");
}

TEST(BuildExaminors, NoRowWithDataGivesNoGroup) {
    Criterion row;
    row.Operand = 130;
    row.SetDataType(128);
    std::vector<Criterion*> pointers = {&row, nullptr};
    Examinors examinors;
    BuildExaminors(pointers, examinors);
    EXPECT_EQ(examinors.Count(), 0u);
    EXPECT_EQ(examinors.Compare("anything", "STRTYPE"), NotApplicable);
}

}  // namespace
}  // namespace quarrion
