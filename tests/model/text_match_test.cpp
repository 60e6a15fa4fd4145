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
        {contains, "contains", "anything", "", kIgnore, true},
        {contains, "contains", "aaab", "aab", kIgnore, true},  // restarts after a partial match
        {contains, "contains", "Grande ÉCOLE de Paris", "école", kIgnore, true},
        {equals, "equals", "Acme", "acme", kIgnore, true},
        {equals, "equals", "Acme", "acme", kExact, false},
        {equals, "equals", "Café Müller", "CAFÉ MÜLLER", kIgnore, true},
        {equals, "equals", "Café Müller", "Cafe Muller", kIgnore, false},
        // Starts and ends with want a strictly longer text.
        {starts, "starts", "Smith", "Smith", kIgnore, false},
        {starts, "starts", "SMITHSON", "Smith", kIgnore, true},
        {starts, "starts", "Café au lait", "café", kIgnore, true},
        {starts, "starts", "Café", "café", kIgnore, false},  // lengths count characters
        {starts, "starts", "x", "", kIgnore, true},
        {starts, "starts", "", "", kIgnore, false},
        {ends, "ends", "Corp", "Corp", kIgnore, false},
        {ends, "ends", "ACME Corp", "corp", kIgnore, true},
        {ends, "ends", "brûlée", "BRÛLÉE", kIgnore, false},
        {word, "word", "(ACME), Inc.", "acme", kIgnore, true},
        {word, "word", "ACMEs", "acme", kIgnore, false},
        {word, "word", "(ACME), Inc.", "acme", kExact, false},
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

// The twenty separators split words, the UTF-8 ones too; no other character does.
TEST(TextMatch, WholeWordSplitsAtTheTwentySeparatorsOnly) {
    for (const char* separator : {"!", "\"", "'", "(", ")", ",", "-", ".", ":", ";",
                                  "?", "`",  "{", "|", "}", "~", "¦", "´", "¸", "¿"}) {
        const std::string text = std::string("north") + separator + "acme" + separator + "south";
        EXPECT_TRUE(TextHasWholeWord(text, "acme", kIgnore)) << text;
    }
    for (const char* joiner : {"/", "_", "&", "#", "\t", "+", "*", "@", "[", "]", "<", "\\"}) {
        EXPECT_FALSE(TextHasWholeWord(std::string("north") + joiner + "acme", "acme", kIgnore))
            << joiner;
    }
}

}  // namespace
}  // namespace quarrion
