#include "foundation/common_tools.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

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

// Wildcards match the whole text, ignoring case; a match answers the text, else "".
TEST(CommonTools, WildcardsMatchTheWholeTextIgnoringCase) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Acme Supply", "acme*", true},
        {"Acme Supply", "*SUPPLY", true},
        {"Acme Supply", "acme", false},
        {"Acme Supply", "*me S*", true},
        {"Acme", "Ac?e", true},
        {"Acme", "Ac?", false},
        {"École", "?cole", true},
        {"ÉCOLE", "é*", true},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*c", false},
        {"", "*", false},
        {"x", "", false},
        {"a*b", "a*b", true}};
    for (const auto& [text, pattern, matches] : cases) {
        EXPECT_EQ(CommonTools::MatchText(text, pattern), matches ? std::string(text) : "")
            << text << " ~ " << pattern;
    }
}

}  // namespace
}  // namespace quarrion
