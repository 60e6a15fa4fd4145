#include "foundation/text_fold.h"

#include <gtest/gtest.h>

namespace quarrion {
namespace {

TEST(TextFold, AccentedCapitalsEqualTheirSmallLetters) {
    EXPECT_TRUE(EqualsIgnoringCase("ÉCOLE", "école"));
    EXPECT_TRUE(EqualsIgnoringCase("Müller & Söhne", "MÜLLER & SÖHNE"));
    EXPECT_FALSE(EqualsIgnoringCase("école", "ecole"));
    EXPECT_FALSE(EqualsIgnoringCase("Smith", "Smith "));
}

TEST(TextFold, AsciiFastPathAgreesWithTheGeneralPath) {
    EXPECT_TRUE(EqualsIgnoringCase("SMITH", "smith"));
    EXPECT_FALSE(EqualsIgnoringCase("smith", "smyth"));
    EXPECT_EQ(UpperCase("abc-xyz 09"), "ABC-XYZ 09");
    EXPECT_EQ(FoldCase("AbC"), "abc");
}

TEST(TextFold, UpperCaseMapsNonAsciiLettersAndKeepsBrokenBytes) {
    EXPECT_EQ(UpperCase("ñandú café"), "ÑANDÚ CAFÉ");
    std::string broken =
        "a\xff"
        "b";
    EXPECT_EQ(UpperCase(broken),
              "A\xff"
              "B");
}

}  // namespace
}  // namespace quarrion
