#include "model/code_tables.h"

#include <gtest/gtest.h>

#include "foundation/common_tools.h"

namespace quarrion {
namespace {

TEST(CodeTables, FillGivesEveryTableItsCodesInOrder) {
    CodeTables t;
    t.Fill();
    EXPECT_EQ(t.Operations.Count(), 16u);
    EXPECT_EQ(t.Choices.Count(), 6u);
    EXPECT_EQ(t.DataTypes.Count(), 8u);
    EXPECT_EQ(t.Operations.Item(std::size_t{1})->Value, 66);
    EXPECT_EQ(t.Operations.Item(std::size_t{16})->Value, 140);
    EXPECT_EQ(t.Operations.Item(std::size_t{8})->Value, 142);
    EXPECT_EQ(t.Operations.Item(std::size_t{8})->Index, 8);
    EXPECT_EQ(t.DataTypes.Item("strtype")->DataType, 141);
    EXPECT_EQ(t.Choices.ByCode(65)->Text, CommonTools::ChoiceText(65));
}

TEST(CodeTables, AddingAKnownTextReturnsTheExistingEntry) {
    CodeTables t;
    t.Fill();
    TCObject* first = t.Operations.ByCode(130);
    EXPECT_EQ(t.Operations.Add(130), first);
    EXPECT_EQ(t.Operations.Count(), 16u);
    t.Fill();
    EXPECT_EQ(t.Operations.Count(), 16u);
    EXPECT_EQ(t.Operations.Item(std::size_t{1})->Index, 1);
}

TEST(CodeTables, ChoicesCoverTheirDataTypes) {
    EXPECT_TRUE(TCType::Covers(128, 141));
    EXPECT_TRUE(TCType::Covers(64, 65));
    EXPECT_TRUE(TCType::Covers(64, 76));
    EXPECT_FALSE(TCType::Covers(64, 70));
    EXPECT_FALSE(TCType::Covers(64, 73));
    EXPECT_TRUE(TCType::Covers(75, 75));
    EXPECT_FALSE(TCType::Covers(75, 65));
    EXPECT_FALSE(TCType::Covers(128, 33));
}

}  // namespace
}  // namespace quarrion
