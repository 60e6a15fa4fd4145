#include <gtest/gtest.h>

#include <string>

#include "model/text_match.h"

namespace quarrion {
namespace {

constexpr LetterCase kIgnore = LetterCase::IgnoreCase;
constexpr LetterCase kExact = LetterCase::ExactCase;

TEST(TextMatch, ContainsFindsThePartAnywhere) {
    EXPECT_TRUE(TextContains("ACME Corp", "acme", kIgnore));
    EXPECT_TRUE(TextContains("The acme corp", "ACME CORP", kIgnore));
    EXPECT_FALSE(TextContains("ACME Corp", "acme", kExact));
    EXPECT_TRUE(TextContains("ACME Corp", "Corp", kExact));
    EXPECT_FALSE(TextContains("ACM", "ACME", kIgnore));
    EXPECT_TRUE(TextContains("anything", "", kIgnore));
    EXPECT_FALSE(TextContains("", "a", kIgnore));
    EXPECT_TRUE(TextContains("aaab", "aab", kIgnore));  // restarts after a partial match
}

TEST(TextMatch, ContainsIgnoresCaseBeyondAscii) {
    EXPECT_TRUE(TextContains("Grande ÉCOLE de Paris", "école", kIgnore));
    EXPECT_FALSE(TextContains("Grande ÉCOLE de Paris", "école", kExact));
}

struct EdgeCase {
    const char* text;
    const char* part;
    LetterCase letterCase;
    bool expected;
};

TEST(TextMatch, EqualsWantsTheWholeText) {
    const EdgeCase cases[] = {
        {"Acme", "acme", kIgnore, true},
        {"Acme", "Acme", kExact, true},
        {"Acme", "acme", kExact, false},
        {"Acme Supply", "Acme", kIgnore, false},
        {"Acme", "Acme Supply", kIgnore, false},
        {"Café Müller", "CAFÉ MÜLLER", kIgnore, true},
        {"Café Müller", "Cafe Muller", kIgnore, false},
        {"", "", kIgnore, true},
        {"1001", "1001", kIgnore, true},
        {"10010", "1001", kIgnore, false},
    };
    for (const EdgeCase& c : cases) {
        EXPECT_EQ(TextEquals(c.text, c.part, c.letterCase), c.expected)
            << c.text << " / " << c.part;
    }
}

TEST(TextMatch, StartsWithNeedsALongerText) {
    const EdgeCase cases[] = {
        {"Smith", "Smith", kIgnore, false},
        {"Smithson", "Smith", kIgnore, true},
        {"SMITHSON", "Smith", kIgnore, true},
        {"Smit", "Smith", kIgnore, false},
        {"SMITHSON", "Smith", kExact, false},
        {"Smithson", "Smith", kExact, true},
        {"inv-100", "INV", kIgnore, true},
        {"inv-100", "INV", kExact, false},
        {"Café au lait", "café", kIgnore, true},
        {"Café", "café", kIgnore, false},
        {"Cafés", "Café", kExact, true},
        {"x", "", kIgnore, true},
        {"", "", kIgnore, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextStartsWith(c.text, c.part, c.letterCase), c.expected)
            << c.text << " / " << c.part;
    }
}

TEST(TextMatch, EndsWithNeedsALongerText) {
    const EdgeCase cases[] = {
        {"Corp", "Corp", kIgnore, false},     {"ACME Corp", "corp", kIgnore, true},
        {"ACME Corp", "corp", kExact, false}, {"ACME Corp", "Corp", kExact, true},
        {"orp", "Corp", kIgnore, false},      {"Crème brûlée", "BRÛLÉE", kIgnore, true},
        {"brûlée", "BRÛLÉE", kIgnore, false}, {"Crème brûlée", "BRÛLÉE", kExact, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextEndsWith(c.text, c.part, c.letterCase), c.expected)
            << c.text << " / " << c.part;
    }
}

TEST(TextMatch, WholeWordSplitsAtEachOfTheTwentySeparators) {
    const char* separators[] = {"!", "\"", "'", "(", ")", ",", "-", ".", ":", ";",
                                "?", "`",  "{", "|", "}", "~", "¦", "´", "¸", "¿"};
    for (const char* separator : separators) {
        std::string text = std::string("north") + separator + "acme" + separator + "south";
        EXPECT_TRUE(TextHasWholeWord(text, "acme", kIgnore)) << text;
        EXPECT_TRUE(TextHasWholeWord(text, "north", kIgnore)) << text;
        EXPECT_TRUE(TextHasWholeWord(text, "south", kIgnore)) << text;
        EXPECT_FALSE(TextHasWholeWord(text, "northacme", kIgnore)) << text;
    }
}

TEST(TextMatch, WholeWordKeepsOtherCharactersInsideWords) {
    for (const char* joiner : {"/", "_", "&", "#", "\t", "+", "*", "@", "[", "]", "<", "\\"}) {
        std::string text = std::string("north") + joiner + "acme";
        EXPECT_FALSE(TextHasWholeWord(text, "acme", kIgnore)) << text;
        EXPECT_TRUE(TextHasWholeWord(text, text, kIgnore)) << text;
    }
    // The Windows-1252 bytes themselves are not UTF-8 and split nothing.
    EXPECT_FALSE(
        TextHasWholeWord("north\xA6"
                         "acme",
                         "acme", kIgnore));
    // A lead byte of another two-byte character is not a separator either.
    EXPECT_FALSE(TextHasWholeWord("north©acme", "acme", kIgnore));
}

TEST(TextMatch, WholeWordFollowsTheLetterCaseRule) {
    EXPECT_TRUE(TextHasWholeWord("(ACME), Inc.", "acme", kIgnore));
    EXPECT_FALSE(TextHasWholeWord("ACMEs", "acme", kIgnore));
    EXPECT_FALSE(TextHasWholeWord("(ACME), Inc.", "acme", kExact));
    EXPECT_TRUE(TextHasWholeWord("(ACME), Inc.", "ACME", kExact));
    EXPECT_TRUE(TextHasWholeWord("Société GÉNÉRALE", "générale", kIgnore));
    EXPECT_FALSE(TextHasWholeWord("Société GÉNÉRALE", "générale", kExact));
}

TEST(TextMatch, WholeWordRunsOfSeparatorsCountOnce) {
    EXPECT_TRUE(TextHasWholeWord("a  --  b", "b", kIgnore));
    EXPECT_FALSE(TextHasWholeWord("a  --  b", "", kIgnore));  // no empty word inside
    EXPECT_TRUE(TextHasWholeWord(" a", "", kIgnore));         // empty first word
    EXPECT_TRUE(TextHasWholeWord("a.", "", kIgnore));         // empty last word
    EXPECT_FALSE(TextHasWholeWord("", "", kIgnore));          // an empty text has no words
    EXPECT_FALSE(TextHasWholeWord("acme corp", "acme corp", kIgnore));
}

TEST(TextMatch, BlankMeansOnlySpaces) {
    EXPECT_TRUE(TextIsBlank(""));
    EXPECT_TRUE(TextIsBlank("   "));
    EXPECT_FALSE(TextIsBlank(" x "));
    EXPECT_FALSE(TextIsBlank("\t"));
}

}  // namespace
}  // namespace quarrion
