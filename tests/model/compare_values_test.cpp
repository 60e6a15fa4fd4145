#include <gtest/gtest.h>

#include "foundation/codes.h"
#include "model/code_tables.h"
#include "model/compare_data.h"
#include "model/compare_list.h"
#include "model/compare_range.h"

namespace quarrion {
namespace {

// Blank text and zero, numbers read from text, and which codes make a number, are
// met through the rules in criterion_test.cpp; what stays here is what the rules
// never reach.

TEST(CompareData, ReadsTextAsANumberByItsLeadingDigitsAndNumbersAsText) {
    CompareData d;
    d.SetTypeOfData(Kind::Number);
    d.SetValue("abc");
    EXPECT_EQ(std::get<double>(d.Value()), 0);
    d.SetTypeOfData(Kind::Text);
    d.SetValue(2.5);
    EXPECT_EQ(std::get<std::string>(d.Value()), "2.5");
    d.Clear();
    EXPECT_FALSE(d.ContainsData());
}

TEST(CompareList, CountersRestartOnClearAndWindBackOnRemovingTheLast) {
    CompareList list;
    std::vector<long> raised;
    list.Added = [&](long counter) { raised.push_back(counter); };
    list.Add(std::string("a"));
    list.Add(std::string("b"));
    list.Clear();
    EXPECT_EQ(list.Add(std::string("c"))->Index, 1);
    EXPECT_EQ(raised, (std::vector<long>{1, 2, 1}));

    list.Add(std::string("d"));
    list.Remove(2);
    EXPECT_EQ(list.Add(std::string("e"))->Index, 2);
    list.Remove(1);
    EXPECT_EQ(list.Add(std::string("f"))->Index, 3);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_FALSE(CompareList().IsIn(std::string_view("")));
    EXPECT_TRUE(list.IsIn(std::string_view("E")));
}

TEST(CompareRange, BoundsAreExchangedForGoodAndAMissingOneReadsZero) {
    CompareRange r;
    r.A().SetValue(10.0);
    r.B().SetValue(1.0);
    EXPECT_TRUE(r.IsBetween(5.0));
    EXPECT_EQ(r.A().ValueNumber(), 1);
    EXPECT_EQ(r.B().ValueNumber(), 10);

    CompareRange upperOnly;
    upperOnly.B().SetValue("50");
    EXPECT_TRUE(upperOnly.IsBetween(0.0));
    EXPECT_TRUE(upperOnly.IsBetween(50.0));
    EXPECT_FALSE(upperOnly.IsBetween(-1.0));

    CompareRange text;  // text ranges compare in byte order, with case
    text.SetTypeOfData(Kind::Text);
    text.A().SetValue("b");
    text.B().SetValue("d");
    EXPECT_TRUE(text.IsBetween(std::string_view("c")));
    EXPECT_FALSE(text.IsBetween(std::string_view("C")));
    EXPECT_TRUE(text.IsBetween(std::string_view("d")));
}

TEST(CodeTables, AddingAKnownTextReturnsTheEntryAndRemoveTakesAPositionOrAText) {
    CodeTables t;
    t.Fill();
    TCObject* first = t.Operations.ByCode(Operation::Contains);
    EXPECT_EQ(t.Operations.Add(Operation::Contains), first);
    const std::size_t filled = t.Operations.Count();
    t.Fill();
    EXPECT_EQ(t.Operations.Count(), filled);

    std::string second = t.Operations.Item(std::size_t{2})->Text;
    t.Operations.Remove(std::size_t{2});
    t.Operations.Remove(std::size_t{99});  // a missing position does nothing
    EXPECT_EQ(t.Operations.Item(second), nullptr);
    std::string text = t.Operations.Item(std::size_t{1})->Text;
    t.Operations.Remove(text);
    EXPECT_EQ(t.Operations.Item(text), nullptr);
    EXPECT_EQ(t.Operations.Count(), filled - 2);
}

}  // namespace
}  // namespace quarrion
