#pragma once

#include <cstdint>
#include <string_view>

#include "model/compare_data.h"
#include "model/compare_list.h"
#include "model/compare_range.h"
#include "model/text_match.h"

namespace quarrion {

// Which of a rule's holders an operation reads its entered value from: the number, the
// range, the text or a list (of texts or numbers, as the rule's subject decides).
// `None` for the boolean and blank operations, which need nothing entered, and for
// codes no operation has.
enum class ValueHolder { None, Number, Range, Text, List };
ValueHolder HolderFor(long operation);

// What a rule's user entered, in the five holders every rule carries whatever its
// operation (the operation decides which one is read), and how one record value is
// judged against them. Word-search rules and field rules share it.
class RuleValues {
  public:
    RuleValues();
    RuleValues(const RuleValues&) = delete;
    RuleValues& operator=(const RuleValues&) = delete;

    CompareData TextCompare;    // kind text
    CompareData NumberCompare;  // kind number
    CompareRange NumberRange;   // kind number
    CompareList TextList;       // kind text
    CompareList NumberList;     // kind number

    // The search's text options as last handed over (SearchObject2::ShareTextOptions);
    // the rule's own values do not include them, so copies leave them alone.
    TextOptions Options;

    // Empties all five holders.
    void ClearValues();
    // Each holder copied by its own `Copy` with `direction` (IntoTarget: this into target,
    // FromTarget: target into this).
    void CopyValues(RuleValues& target, CopyDirection direction);

    // Whether the holder that `operation` reads has something entered. `listOfText`
    // picks the text list over the number list for "in list". The boolean and blank
    // operations answer false here; rules that need nothing entered for them say so
    // themselves.
    bool ValuesContainData(long operation, bool listOfText) const;

    // A record value of a number type against the entered number, range or list: the
    // text is read by its leading number (no number reads as 0). Operations other
    // than the six number ones and "in list" fail.
    bool NumberHolds(long operation, std::string_view text);

    // A record text against the entered text or list. Contains, equals and in list
    // always ignore letter case; starts with, ends with and whole word follow `wordCase`.
    // Under `Options.IgnoreAccents` both sides lose their accents first, in every
    // operation. Operations that are not text operations fail.
    bool TextHolds(long operation, std::string_view text, LetterCase wordCase);

    // A record value of the boolean type: true or false in any letter case, or a
    // number (non-zero is true). Anything else is unreadable and holds for nothing.
    static bool BooleanHolds(long operation, std::string_view text);

  private:
    // The entered text as a view into the holder when it stores text, else converted
    // into `scratch`.
    std::string_view EnteredText(std::string& scratch) const;
};

}  // namespace quarrion
