#include "foundation/common_tools.h"

#include <gtest/gtest.h>

#include <set>

#include "foundation/codes.h"

namespace quarrion {
namespace {

TEST(CommonTools, FoldersEndInExactlyOneSeparator) {
    EXPECT_EQ(CommonTools::NormalizeFolder("/data"), "/data/");
    EXPECT_EQ(CommonTools::NormalizeFolder("/data//"), "/data/");
    EXPECT_EQ(CommonTools::NormalizeFolder("/"), "/");
    EXPECT_EQ(CommonTools::FolderOf("/data/Invoice List.csv"), "/data/");
    EXPECT_EQ(CommonTools::FolderOf("file.csv"), "");
    EXPECT_EQ(CommonTools::LastSegment("CustomerRef/FullName"), "FullName");
    EXPECT_EQ(CommonTools::LastSegment("Memo"), "Memo");
}

TEST(CommonTools, OperatorAndChoiceTextsAreDistinct) {
    std::set<std::string> ops;
    for (long code :
         {Operation::LessThan, Operation::LessOrEqual, Operation::Equal, Operation::GreaterOrEqual,
          Operation::GreaterThan, Operation::Between, Operation::Contains, Operation::InList,
          Operation::StartsWith, Operation::EndsWith, Operation::MatchesPattern,
          Operation::WholeWord, Operation::IsTrue, Operation::IsFalse, Operation::IsBlank}) {
        ops.insert(CommonTools::OperatorText(code));
    }
    EXPECT_EQ(ops.size(), 15u);
    EXPECT_FALSE(ops.contains(""));
    std::set<std::string> choices;
    for (int code : {Choice::Text, Choice::AnyNumber, Choice::Percent, Choice::Price,
                     Choice::Quantity, Choice::Amount})
        choices.insert(CommonTools::ChoiceText(code));
    EXPECT_EQ(choices.size(), 6u);
    EXPECT_FALSE(choices.contains(""));
}

TEST(CommonTools, HasFlagNeedsEveryBitOfTheFlag) {
    EXPECT_TRUE(CommonTools::HasFlag(DataTypeCode::Str, Kind::Text));
    EXPECT_FALSE(CommonTools::HasFlag(DataTypeCode::Amt, Kind::Text));
    EXPECT_TRUE(CommonTools::HasFlag(Operation::InList, Kind::Number));
    EXPECT_TRUE(CommonTools::HasFlag(Operation::InList, Kind::Text | Kind::Number));
    EXPECT_FALSE(CommonTools::HasFlag(Choice::Text, Kind::Text | Kind::Number));
}

struct Match {
    const char* text;
    const char* pattern;
    bool matches;
};

class MatchTextTest : public ::testing::TestWithParam<Match> {};

TEST_P(MatchTextTest, WildcardsMatchTheWholeTextIgnoringCase) {
    const Match& m = GetParam();
    std::string answer = CommonTools::MatchText(m.text, m.pattern);
    EXPECT_EQ(answer, m.matches ? std::string(m.text) : std::string())
        << m.text << " ~ " << m.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, MatchTextTest,
    ::testing::Values(Match{"Acme Supply", "acme*", true}, Match{"Acme Supply", "*SUPPLY", true},
                      Match{"Acme Supply", "acme", false}, Match{"Acme Supply", "*me S*", true},
                      Match{"Acme", "Ac?e", true}, Match{"Acme", "Ac?", false},
                      Match{"École", "?cole", true}, Match{"ÉCOLE", "é*", true},
                      Match{"aaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*c", false},
                      Match{"", "*", false}, Match{"x", "", false}, Match{"a*b", "a*b", true}));

}  // namespace
}  // namespace quarrion
