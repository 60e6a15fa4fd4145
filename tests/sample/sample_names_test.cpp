#include "sample/sample_names.h"

#include <gtest/gtest.h>

namespace quarrion {
namespace {

TEST(FitText, CutsAtCharactersNotBytesAndDropsBlanksLeftAtTheEnd) {
    EXPECT_EQ(FitText("Café Müller", 4), "Café");
    EXPECT_EQ(FitText("Café Müller", 6), "Café M");
    EXPECT_EQ(FitText("Café Müller", 40), "Café Müller");
    EXPECT_EQ(FitText("Ærø", 1), "Æ");
    EXPECT_EQ(FitText("Acme Supply", 5), "Acme");
    EXPECT_EQ(FitText("", 5), "");
}

TEST(UniqueNames, NumbersNamesAlreadyTakenIgnoringCase) {
    UniqueNames names;
    EXPECT_EQ(names.Claim("Acme", 41), "Acme");
    EXPECT_EQ(names.Claim("ACME", 41), "ACME 2");
    EXPECT_EQ(names.Claim("acme", 41), "acme 3");
    EXPECT_EQ(names.Claim("Café", 41), "Café");
    EXPECT_EQ(names.Claim("CAFÉ", 41), "CAFÉ 2");
    EXPECT_TRUE(names.Taken("acme 2"));
    EXPECT_FALSE(names.Taken("Acme 4"));
    // Numbered names stay within the limit.
    EXPECT_EQ(names.Claim("Northside Garden Center", 10), "Northside");
    EXPECT_EQ(names.Claim("Northside Garden Center", 10), "Northsid 2");
}

}  // namespace
}  // namespace quarrion
