#include <gtest/gtest.h>

#include "foundation/codes.h"
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
    list.Add(std::string("a"));
    list.Add(std::string("b"));
    list.Clear();
    EXPECT_EQ(list.Add(std::string("c"))->Index, 1);

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

}  // namespace
}  // namespace quarrion
