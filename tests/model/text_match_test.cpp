#include "model/text_match.h"

#include <gtest/gtest.h>

#include <string>

namespace quarrion {
namespace {

constexpr LetterCase kIgnore = LetterCase::IgnoreCase;
constexpr LetterCase kExact = LetterCase::ExactCase;

using TextTest = bool (*)(std::string_view, std::string_view, LetterCase);

struct MatchCase {
    TextTest test;
    const char* name;
    const char* text;
    const char* part;
    LetterCase letterCase;
    bool expected;
};

TEST(TextMatch, EachOperationMeetsItsEdgesInEitherLetterCase) {
    const TextTest contains = TextContains, equals = TextEquals, starts = TextStartsWith,
                   ends = TextEndsWith, word = TextHasWholeWord;
    const MatchCase cases[] = {
        {contains, "contains", "The acme corp", "ACME CORP", kIgnore, true},
        {contains, "contains", "ACME Corp", "acme", kExact, false},
        {contains, "contains", "ACM", "ACME", kIgnore, false},
        {contains, "contains", "anything", "", kIgnore, true},
        {contains, "contains", "", "a", kIgnore, false},
        {contains, "contains", "aaab", "aab", kIgnore, true},  // restarts after a partial match
        {contains, "contains", "Grande ÉCOLE de Paris", "école", kIgnore, true},
        {equals, "equals", "Acme", "acme", kIgnore, true},
        {equals, "equals", "Acme", "acme", kExact, false},
        {equals, "equals", "Acme Supply", "Acme", kIgnore, false},
        {equals, "equals", "Café Müller", "CAFÉ MÜLLER", kIgnore, true},
        {equals, "equals", "Café Müller", "Cafe Muller", kIgnore, false},
        {equals, "equals", "", "", kIgnore, true},
        // Starts and ends with want a strictly longer text.
        {starts, "starts", "Smith", "Smith", kIgnore, false},
        {starts, "starts", "SMITHSON", "Smith", kIgnore, true},
        {starts, "starts", "SMITHSON", "Smith", kExact, false},
        {starts, "starts", "Café au lait", "café", kIgnore, true},
        {starts, "starts", "Café", "café", kIgnore, false},  // lengths count characters
        {starts, "starts", "x", "", kIgnore, true},
        {starts, "starts", "", "", kIgnore, false},
        {ends, "ends", "Corp", "Corp", kIgnore, false},
        {ends, "ends", "ACME Corp", "corp", kIgnore, true},
        {ends, "ends", "ACME Corp", "corp", kExact, false},
        {ends, "ends", "Crème brûlée", "BRÛLÉE", kIgnore, true},
        {ends, "ends", "brûlée", "BRÛLÉE", kIgnore, false},
        {word, "word", "(ACME), Inc.", "acme", kIgnore, true},
        {word, "word", "ACMEs", "acme", kIgnore, false},
        {word, "word", "(ACME), Inc.", "acme", kExact, false},
        {word, "word", "Société GÉNÉRALE", "générale", kIgnore, true},
        // Runs of separators count once; only the ends have empty words.
        {word, "word", "a  --  b", "b", kIgnore, true},
        {word, "word", "a  --  b", "", kIgnore, false},
        {word, "word", " a", "", kIgnore, true},
        {word, "word", "", "", kIgnore, false},
        {word, "word", "acme corp", "acme corp", kIgnore, false},
        // Windows-1252 bytes are no UTF-8 and split nothing, nor does another two-byte
        // character's lead byte.
        {word, "word",
         "north\xA6"
         "acme",
         "acme", kIgnore, false},
        {word, "word", "north©acme", "acme", kIgnore, false},
    };
    for (const MatchCase& c : cases) {
        EXPECT_EQ(c.test(c.text, c.part, c.letterCase), c.expected)
            << c.name << " " << c.text << " / " << c.part;
    }
}

TEST(TextMatch, WholeWordSplitsAtTheTwentySeparatorsOnly) {
    for (const char* separator : {"!", "\"", "'", "(", ")", ",", "-", ".", ":", ";",
                                  "?", "`",  "{", "|", "}", "~", "¦", "´", "¸", "¿"}) {
        std::string text = std::string("north") + separator + "acme" + separator + "south";
        for (const char* part : {"north", "acme", "south"}) {
            EXPECT_TRUE(TextHasWholeWord(text, part, kIgnore)) << text << " / " << part;
        }
        EXPECT_FALSE(TextHasWholeWord(text, "northacme", kIgnore)) << text;
    }
    for (const char* joiner : {"/", "_", "&", "#", "\t", "+", "*", "@", "[", "]", "<", "\\"}) {
        std::string text = std::string("north") + joiner + "acme";
        EXPECT_FALSE(TextHasWholeWord(text, "acme", kIgnore)) << text;
        EXPECT_TRUE(TextHasWholeWord(text, text, kIgnore)) << text;
    }
}

TEST(TextMatch, BlankMeansOnlySpaces) {
    EXPECT_TRUE(TextIsBlank(""));
    EXPECT_TRUE(TextIsBlank("   "));
    EXPECT_FALSE(TextIsBlank(" x "));
    EXPECT_FALSE(TextIsBlank("\t"));
}

}  // namespace
}  // namespace quarrion
