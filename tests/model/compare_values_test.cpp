#include <gtest/gtest.h>

#include "foundation/codes.h"
#include "model/compare_data.h"
#include "model/compare_list.h"
#include "model/compare_range.h"

namespace quarrion {
namespace {

TEST(CompareData, NumericCodesMakeANumberAndEverythingElseText) {
    CompareData d;
    EXPECT_EQ(d.TypeOfData(), Kind::Text);
    for (long code :
         {Choice::AnyNumber, Choice::Amount, Choice::Percent, Choice::Price, Choice::Quantity}) {
        d.SetTypeOfData(code);
        EXPECT_EQ(d.TypeOfData(), Kind::Number) << code;
    }
    for (long code : {DataTypeCode::Str, DataTypeCode::Bool, DataTypeCode::Unknown,
                      DataTypeCode::Int, DataTypeCode::Float, Choice::Text}) {
        d.SetTypeOfData(code);
        EXPECT_EQ(d.TypeOfData(), Kind::Text) << code;
    }
}

TEST(CompareData, BlankTextHoldsNoDataButZeroDoes) {
    CompareData d;
    EXPECT_FALSE(d.ContainsData());
    d.SetValue("   ");
    EXPECT_FALSE(d.ContainsData());
    d.SetValue(0.0);
    EXPECT_TRUE(d.ContainsData());
    d.Clear();
    EXPECT_FALSE(d.ContainsData());
}

TEST(CompareData, ReadsTextAsANumberByItsLeadingDigits) {
    CompareData d;
    d.SetTypeOfData(Kind::Number);
    d.SetValue("12abc");
    EXPECT_EQ(std::get<double>(d.Value()), 12);
    d.SetValue("abc");
    EXPECT_EQ(std::get<double>(d.Value()), 0);
    d.SetTypeOfData(Kind::Text);
    d.SetValue(2.5);
    EXPECT_EQ(std::get<std::string>(d.Value()), "2.5");
}

TEST(CompareList, MembershipIgnoresCaseForTextAndConvertsNumbers) {
    CompareList text;
    text.Add(std::string("Smith"));
    EXPECT_TRUE(text.IsIn(std::string_view("SMITH")));
    EXPECT_TRUE(text.IsIn(std::string_view("smith")));
    EXPECT_FALSE(text.IsIn(std::string_view("Smyth")));

    CompareList numbers;
    numbers.SetTypeOfData(Kind::Number);
    numbers.Add(std::string("100"));
    EXPECT_TRUE(numbers.IsIn(100.0));
    EXPECT_TRUE(numbers.IsIn(std::string_view("100.00")));
    EXPECT_FALSE(numbers.IsIn(100.5));

    CompareList empty;
    EXPECT_FALSE(empty.IsIn(std::string_view("")));
}

TEST(CompareList, ClearRestartsIndexesAndRaisesAddedWithTheCounter) {
    CompareList list;
    std::vector<long> raised;
    list.Added = [&](long counter) { raised.push_back(counter); };
    list.Add(std::string("a"));
    list.Add(std::string("b"));
    list.Clear();
    CompareData* item = list.Add(std::string("c"));
    EXPECT_EQ(item->Index, 1);
    EXPECT_EQ(raised, (std::vector<long>{1, 2, 1}));
}

TEST(CompareList, RemovingTheLastItemWindsTheCounterBack) {
    CompareList list;
    list.Add(std::string("a"));
    list.Add(std::string("b"));
    list.Remove(2);
    EXPECT_EQ(list.Add(std::string("c"))->Index, 2);
    list.Remove(1);
    EXPECT_EQ(list.Add(std::string("d"))->Index, 3);
    EXPECT_EQ(list.Count(), 2);
}

TEST(CompareRange, ReversedBoundsAreExchangedForGood) {
    CompareRange r;
    r.A().SetValue(10.0);
    r.B().SetValue(1.0);
    EXPECT_TRUE(r.IsBetween(5.0));
    EXPECT_EQ(r.A().ValueNumber(), 1);
    EXPECT_EQ(r.B().ValueNumber(), 10);
}

TEST(CompareRange, BothEndsAreInclusiveAndAMissingBoundReadsZero) {
    CompareRange r;
    r.A().SetValue(1.0);
    r.B().SetValue(10.0);
    EXPECT_TRUE(r.IsBetween(10.0));
    EXPECT_TRUE(r.IsBetween(1.0));
    EXPECT_FALSE(r.IsBetween(10.01));

    CompareRange upperOnly;
    upperOnly.B().SetValue("50");
    EXPECT_TRUE(upperOnly.IsBetween(0.0));
    EXPECT_TRUE(upperOnly.IsBetween(50.0));
    EXPECT_FALSE(upperOnly.IsBetween(-1.0));
}

TEST(CompareRange, TextRangesCompareByteOrderWithCase) {
    CompareRange r;
    r.SetTypeOfData(Kind::Text);
    r.A().SetValue("b");
    r.B().SetValue("d");
    EXPECT_TRUE(r.IsBetween(std::string_view("c")));
    EXPECT_FALSE(r.IsBetween(std::string_view("C")));
    EXPECT_TRUE(r.IsBetween(std::string_view("d")));
}

}  // namespace
}  // namespace quarrion
