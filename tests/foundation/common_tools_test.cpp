#include "foundation/common_tools.h"

#include <gtest/gtest.h>

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
}

TEST(CommonTools, HasFlagNeedsEveryBitOfTheFlag) {
    EXPECT_TRUE(CommonTools::HasFlag(DataTypeCode::Str, Kind::Text));
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
