#include "model/code_tables.h"

#include <gtest/gtest.h>

#include "foundation/codes.h"
#include "foundation/common_tools.h"

namespace quarrion {
namespace {

TEST(CodeTables, AddingAKnownTextReturnsTheExistingEntry) {
    CodeTables t;
    t.Fill();
    TCObject* first = t.Operations.ByCode(Operation::Contains);
    EXPECT_EQ(t.Operations.Add(Operation::Contains), first);
    EXPECT_EQ(t.Operations.Count(), 16u);
    t.Fill();
    EXPECT_EQ(t.Operations.Count(), 16u);
    EXPECT_EQ(t.Operations.Item(std::size_t{1})->Index, 1);
}

TEST(CodeTables, RemoveTakesAPositionOrAText) {
    CodeTables t;
    t.Fill();
    const std::size_t filled = t.Operations.Count();
    std::string second = t.Operations.Item(std::size_t{2})->Text;
    t.Operations.Remove(std::size_t{2});
    EXPECT_EQ(t.Operations.Count(), filled - 1);
    EXPECT_EQ(t.Operations.Item(second), nullptr);
    t.Operations.Remove(std::size_t{99});  // a missing position does nothing
    EXPECT_EQ(t.Operations.Count(), filled - 1);
    std::string first = t.Operations.Item(std::size_t{1})->Text;
    t.Operations.Remove(first);
    EXPECT_EQ(t.Operations.Count(), filled - 2);
    EXPECT_EQ(t.Operations.Item(first), nullptr);
}

TEST(CodeTables, ChoicesCoverTheirDataTypes) {
    EXPECT_TRUE(TCType::Covers(Choice::Text, DataTypeCode::Str));
    EXPECT_TRUE(TCType::Covers(Choice::AnyNumber, DataTypeCode::Amt));
    EXPECT_TRUE(TCType::Covers(Choice::AnyNumber, DataTypeCode::Quan));
    EXPECT_FALSE(TCType::Covers(Choice::AnyNumber, DataTypeCode::Int));
    EXPECT_FALSE(TCType::Covers(Choice::AnyNumber, DataTypeCode::Float));
    EXPECT_TRUE(TCType::Covers(Choice::Price, DataTypeCode::Price));
    EXPECT_FALSE(TCType::Covers(Choice::Price, DataTypeCode::Amt));
    EXPECT_FALSE(TCType::Covers(Choice::Text, DataTypeCode::Bool));
}

}  // namespace
}  // namespace quarrion
