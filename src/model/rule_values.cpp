#include "model/rule_values.h"

#include <cstdlib>
#include <string>

#include "foundation/common_tools.h"
#include "foundation/leading_number.h"
#include "foundation/text_fold.h"

namespace quarrion {

namespace {

// The whole text (blanks around it aside) is one number, so "1.5" and " -2 " qualify
// while "12abc" does not.
bool ReadWholeNumber(std::string_view text, double& number) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    std::size_t last = text.find_last_not_of(' ');
    std::string_view core = text.substr(first, last - first + 1);
    char buffer[64];
    if (core.size() >= sizeof buffer) return false;
    // Only plain decimal numbers: strtod would also take "inf", "nan" and hex.
    for (char c : core) {
        bool allowed =
            (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E';
        if (!allowed) return false;
    }
    core.copy(buffer, core.size());
    buffer[core.size()] = '\0';
    char* end = nullptr;
    number = std::strtod(buffer, &end);
    return end == buffer + core.size();
}

}  // namespace

RuleValues::RuleValues() {
    TextCompare.SetTypeOfData(Kind::Text);
    NumberCompare.SetTypeOfData(Kind::Number);
    NumberRange.SetTypeOfData(Kind::Number);
    TextList.SetTypeOfData(Kind::Text);
    NumberList.SetTypeOfData(Kind::Number);
}

void RuleValues::ClearValues() {
    TextCompare.Clear();
    NumberCompare.Clear();
    NumberRange.Clear();
    TextList.Clear();
    NumberList.Clear();
}

void RuleValues::CopyValues(RuleValues& target, CopyDirection direction) {
    if (&target == this) return;
    TextCompare.Copy(target.TextCompare, direction);
    NumberCompare.Copy(target.NumberCompare, direction);
    NumberRange.Copy(target.NumberRange, direction);
    TextList.Copy(&target.TextList, direction);
    NumberList.Copy(&target.NumberList, direction);
}

ValueHolder HolderFor(long operation) {
    switch (operation) {
        case Operation::LessThan:
        case Operation::LessOrEqual:
        case Operation::Equal:
        case Operation::GreaterOrEqual:
        case Operation::GreaterThan:
            return ValueHolder::Number;
        case Operation::Between:
            return ValueHolder::Range;
        case Operation::Contains:
        case Operation::StartsWith:
        case Operation::EndsWith:
        case Operation::WholeWord:
        case Operation::MatchesPattern:
        case Operation::TextEquals:
            return ValueHolder::Text;
        case Operation::InList:
            return ValueHolder::List;
        default:
            return ValueHolder::None;
    }
}

bool RuleValues::ValuesContainData(long operation, bool listOfText) const {
    switch (HolderFor(operation)) {
        case ValueHolder::Number:
            return NumberCompare.ContainsData();
        case ValueHolder::Range:
            return NumberRange.ContainsData();
        case ValueHolder::Text:
            return TextCompare.ContainsData();
        case ValueHolder::List:
            return listOfText ? TextList.ContainsData() : NumberList.ContainsData();
        case ValueHolder::None:
            break;
    }
    return false;
}

bool RuleValues::NumberHolds(long operation, std::string_view text) {
    const double number = LeadingNumber(text);
    switch (operation) {
        case Operation::LessThan:
            return number < NumberCompare.ValueNumber();
        case Operation::LessOrEqual:
            return number <= NumberCompare.ValueNumber();
        case Operation::Equal:
            return number == NumberCompare.ValueNumber();
        case Operation::GreaterOrEqual:
            return number >= NumberCompare.ValueNumber();
        case Operation::GreaterThan:
            return number > NumberCompare.ValueNumber();
        case Operation::Between:
            return NumberRange.IsBetween(number);
        case Operation::InList:
            return NumberList.IsIn(number);
        default:
            return false;
    }
}

std::string_view RuleValues::EnteredText(std::string& scratch) const {
    if (const auto* text = std::get_if<std::string>(&TextCompare.Stored())) return *text;
    scratch = TextCompare.ValueText();
    return scratch;
}

bool RuleValues::TextHolds(long operation, std::string_view text, LetterCase wordCase) {
    // Accents come off only where there are any: ASCII text stays in place.
    std::string foldedText;
    if (Options.IgnoreAccents && !IsAscii(text)) text = foldedText = FoldAccents(text);
    if (operation == Operation::IsBlank) return TextIsBlank(text);
    if (operation == Operation::InList) {
        if (!Options.IgnoreAccents) return TextList.IsIn(text);
        for (const auto& item : TextList) {
            if (EqualsIgnoringCase(FoldAccents(item->ValueText()), text)) return true;
        }
        return false;
    }
    std::string scratch, foldedEntered;
    std::string_view entered = EnteredText(scratch);
    if (Options.IgnoreAccents && !IsAscii(entered)) entered = foldedEntered = FoldAccents(entered);
    switch (operation) {
        case Operation::Contains:
            return TextContains(text, entered, LetterCase::IgnoreCase);
        case Operation::StartsWith:
            return TextStartsWith(text, entered, wordCase);
        case Operation::EndsWith:
            return TextEndsWith(text, entered, wordCase);
        case Operation::WholeWord:
            return TextHasWholeWord(text, entered, wordCase);
        case Operation::MatchesPattern:
            return !CommonTools::MatchText(text, entered).empty();
        case Operation::TextEquals:
            return TextEquals(text, entered, LetterCase::IgnoreCase);
        default:
            return false;
    }
}

bool RuleValues::BooleanHolds(long operation, std::string_view text) {
    bool value = false;
    double number = 0;
    std::size_t first = text.find_first_not_of(' ');
    std::size_t last = text.find_last_not_of(' ');
    std::string_view core =
        first == std::string_view::npos ? std::string_view() : text.substr(first, last - first + 1);
    if (EqualsIgnoringCase(core, "true")) {
        value = true;
    } else if (EqualsIgnoringCase(core, "false")) {
        value = false;
    } else if (ReadWholeNumber(core, number)) {
        value = number != 0;
    } else {
        return false;
    }
    if (operation == Operation::IsTrue) return value;
    if (operation == Operation::IsFalse) return !value;
    return false;
}

}  // namespace quarrion
