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
    EXPECT_LE(names.Claim("Northside Garden Center", 10).size(), 10u);
}

TEST(SampleNames, PoolsHoldTheHardCases) {
    bool accent = false, ampersand = false, comma = false, quote = false;
    for (std::string_view name : sample_names::HardCustomerNames()) {
        accent = accent || name.find("é") != std::string_view::npos;
        ampersand = ampersand || name.find('&') != std::string_view::npos;
        comma = comma || name.find(',') != std::string_view::npos;
        quote = quote || name.find('"') != std::string_view::npos;
        EXPECT_LE(name.size(), 41u) << name;
    }
    EXPECT_TRUE(accent && ampersand && comma && quote);
}

}  // namespace
}  // namespace quarrion
