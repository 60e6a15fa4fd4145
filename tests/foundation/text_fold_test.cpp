#include "foundation/text_fold.h"

#include <gtest/gtest.h>

namespace quarrion {
namespace {

// Letter case folds for accented letters as for ASCII; accents stay, and bytes that
// are no UTF-8 are kept as they are.
TEST(TextFold, CaseFoldsForEveryLetterAndKeepsAccentsAndBrokenBytes) {
    EXPECT_TRUE(EqualsIgnoringCase("Müller & Söhne", "MÜLLER & SÖHNE"));
    EXPECT_TRUE(EqualsIgnoringCase("SMITH", "smith"));
    EXPECT_FALSE(EqualsIgnoringCase("école", "ecole"));
    EXPECT_FALSE(EqualsIgnoringCase("Smith", "Smith "));
    EXPECT_EQ(UpperCase("ñandú café-09"), "ÑANDÚ CAFÉ-09");
    EXPECT_EQ(FoldCase("AbÇ"), "abç");
    EXPECT_EQ(UpperCase("a\xff"
                        "b"),
              "A\xff"
              "B");
}

}  // namespace
}  // namespace quarrion
