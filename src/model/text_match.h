#pragma once

#include <string_view>

namespace quarrion {

// The text operations of the rules, on UTF-8 text. Each takes a letter-case rule:
// `IgnoreCase` compares as the word-search rules do, `ExactCase` as the field rules do
// for starts with, ends with and whole word. Lengths count characters (code points),
// not bytes. ASCII text is handled without allocating; other text is case-folded into
// temporaries first.
enum class LetterCase { IgnoreCase, ExactCase };

// How a search compares texts, beyond what each operation says. Both are the search's
// own choices, saved with it and handed to every rule before records are judged.
struct TextOptions {
    // Letters compare without their accents in every text operation ("muller" finds
    // "Müller"); see FoldAccents.
    bool IgnoreAccents = false;
    // The letter case of starts with, ends with and whole word in field rules. The
    // word-search rules, and contains, equals and in everywhere, always ignore case.
    LetterCase FieldRuleCase = LetterCase::ExactCase;

    bool operator==(const TextOptions&) const = default;
};

// `part` occurs anywhere in `text` (an empty part occurs everywhere).
bool TextContains(std::string_view text, std::string_view part, LetterCase letterCase);

// The text is strictly longer than `start` and begins with it. A text of the same
// length never qualifies, even when it equals `start`: "starts with Smith" wants more
// than Smith.
bool TextStartsWith(std::string_view text, std::string_view start, LetterCase letterCase);

// The text is strictly longer than `end` and finishes with it.
bool TextEndsWith(std::string_view text, std::string_view end, LetterCase letterCase);

// Some word of the text equals `word`. Words are what is left between blanks once the
// 20 punctuation separators are read as blanks: ! " ' ( ) , - . : ; ? ` { | } ~ and
// the four characters ¦ ´ ¸ ¿ (broken bar, acute accent, cedilla, inverted question
// mark). A text that begins or ends with a blank or separator has an empty first or
// last word.
bool TextHasWholeWord(std::string_view text, std::string_view word, LetterCase letterCase);

// The whole text equals `value`: "Acme" equals "ACME" when case is ignored, but not
// "Acme Supply".
bool TextEquals(std::string_view text, std::string_view value, LetterCase letterCase);

// Nothing but blanks (or nothing at all).
bool TextIsBlank(std::string_view text);

}  // namespace quarrion
