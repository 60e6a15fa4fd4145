#include "search/rule_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

#include "foundation/calendar_day.h"
#include "foundation/common_tools.h"
#include "foundation/text_fold.h"
#include "model/criterion.h"
#include "model/date_value.h"
#include "model/field_criterion.h"
#include "model/rule_values.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

struct WordCode {
    std::string_view word;
    long code;
};

constexpr WordCode kChoices[] = {{"text", Choice::Text},       {"number", Choice::AnyNumber},
                                 {"amount", Choice::Amount},   {"price", Choice::Price},
                                 {"percent", Choice::Percent}, {"quantity", Choice::Quantity},
                                 {"date", Choice::Date}};

constexpr WordCode kOperations[] = {{"contains", Operation::Contains},
                                    {"equals", Operation::TextEquals},
                                    {"starts-with", Operation::StartsWith},
                                    {"ends-with", Operation::EndsWith},
                                    {"whole-word", Operation::WholeWord},
                                    {"matches", Operation::MatchesPattern},
                                    {"in", Operation::InList},
                                    {"lt", Operation::LessThan},
                                    {"le", Operation::LessOrEqual},
                                    {"eq", Operation::Equal},
                                    {"ge", Operation::GreaterOrEqual},
                                    {"gt", Operation::GreaterThan},
                                    {"between", Operation::Between},
                                    {"is-blank", Operation::IsBlank},
                                    {"is-true", Operation::IsTrue},
                                    {"is-false", Operation::IsFalse}};

const std::vector<long> kTextOperations = {
    Operation::Contains,  Operation::TextEquals,     Operation::StartsWith, Operation::EndsWith,
    Operation::WholeWord, Operation::MatchesPattern, Operation::InList};
const std::vector<long> kNumberOperations = {
    Operation::LessThan,    Operation::LessOrEqual, Operation::Equal, Operation::GreaterOrEqual,
    Operation::GreaterThan, Operation::Between,     Operation::InList};
const std::vector<long> kDateOperations = {Operation::LessThan,    Operation::LessOrEqual,
                                           Operation::Equal,       Operation::GreaterOrEqual,
                                           Operation::GreaterThan, Operation::Between};

std::string Quoted(std::string_view text);
std::string FoldDateWord(const std::string& value);

bool IsDateCode(std::int32_t dataTypeCode) {
    return dataTypeCode == DataTypeCode::Date || dataTypeCode == DataTypeCode::DateTime;
}

// Date values are kept as written, one text ("2026-01-31", "last-month") or for between
// two joined by "..", so a relative value is resolved on the day the search runs.
std::string FillDateValues(const RuleText& rule, RuleValues& values) {
    values.ClearValues();
    for (const std::string& value : rule.Values) {
        if (!ResolveDateValue(value, 0)) {
            return Quoted(value) +
                   " is not a date; write it YYYY-MM-DD or as today, yesterday, this-week, "
                   "last-week, this-month, last-month, this-quarter, last-quarter, this-year, "
                   "last-year, year-to-date or last-N-days (last-30-days)";
        }
    }
    std::string text = rule.Values.empty() ? std::string() : FoldDateWord(rule.Values[0]);
    if (rule.Operation == Operation::Between) {
        text += std::string(kDateRangeJoin) + FoldDateWord(rule.Values[1]);
    }
    values.TextCompare.SetValue(std::string_view(text));
    return {};
}

std::string DateValuesText(const RuleValues& values, long op) {
    const std::string text = values.TextCompare.ValueText();
    if (op == Operation::Between) {
        const std::size_t join = text.find(kDateRangeJoin);
        if (join != std::string::npos) {
            return " " + QuoteRuleValue(text.substr(0, join)) + " " +
                   QuoteRuleValue(text.substr(join + kDateRangeJoin.size()));
        }
    }
    return " " + QuoteRuleValue(text);
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

bool IsBlankChar(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsBlankText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), IsBlankChar);
}

bool Takes(const std::vector<long>& operations, long operation) {
    return std::find(operations.begin(), operations.end(), operation) != operations.end();
}

bool IsNumberOperation(long operation) {
    return Takes(kNumberOperations, operation) && operation != Operation::InList;
}

bool TakesNoValue(long operation) {
    return operation == Operation::IsBlank || operation == Operation::IsTrue ||
           operation == Operation::IsFalse;
}

// A number written whole: optional minus, digits, optional fraction ("-12.5", "1000",
// ".5"). Thousands separators, units and words are refused rather than read by their
// leading digits, so a typing slip never quietly becomes another number.
std::optional<double> StrictNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    if (text.front() == '+') text.remove_prefix(1);
    double value = 0;
    auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// A relative date word in lower case; a YYYY-MM-DD date as it is.
std::string FoldDateWord(const std::string& value) {
    return ParseIsoDay(value) ? value : FoldCase(value);
}

// Reads the words of a rule one at a time. A word is a run of characters up to a
// blank, or a text in double or single quotes with the quote and \\ escaped by a
// backslash inside; in list mode a comma outside quotes also ends a word. Single quotes
// spare a shell user the escaping of double quotes inside an argument.
class WordReader {
  public:
    explicit WordReader(std::string_view text) : text_(text) {}

    void SkipBlanks() {
        while (pos_ < text_.size() && IsBlankChar(text_[pos_])) ++pos_;
    }
    bool AtEnd() {
        SkipBlanks();
        return pos_ >= text_.size();
    }
    char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    void Skip() { ++pos_; }

    struct Word {
        std::string text;
        bool quoted = false;
    };

    // The next word; false (with `error` set) for an unclosed quote or a quote glued
    // to other characters.
    bool Next(Word& word, std::string& error, bool listMode = false) {
        SkipBlanks();
        word = {};
        if (pos_ < text_.size() && (text_[pos_] == '"' || text_[pos_] == '\'')) {
            const char quote = text_[pos_];
            const char* quoteName = quote == '"' ? "double quote" : "single quote";
            word.quoted = true;
            ++pos_;
            bool closed = false;
            while (pos_ < text_.size()) {
                char c = text_[pos_++];
                if (c == '\\' && pos_ < text_.size() &&
                    (text_[pos_] == quote || text_[pos_] == '\\')) {
                    word.text.push_back(text_[pos_++]);
                } else if (c == quote) {
                    closed = true;
                    break;
                } else {
                    word.text.push_back(c);
                }
            }
            if (!closed) {
                error = std::string("a ") + quoteName + " is not closed";
                return false;
            }
            if (pos_ < text_.size() && !IsBlankChar(text_[pos_]) &&
                !(listMode && text_[pos_] == ',')) {
                error = std::string("put a blank after the closing ") + quoteName + " of \"" +
                        word.text + "\"";
                return false;
            }
            return true;
        }
        while (pos_ < text_.size() && !IsBlankChar(text_[pos_]) &&
               !(listMode && text_[pos_] == ',')) {
            word.text.push_back(text_[pos_++]);
        }
        if (word.text.find('"') != std::string::npos) {
            // A stray quote is most likely half of a pair the shell or the user lost.
            error = "the double quote in " + word.text +
                    " is not balanced; put the value in double quotes and write \\\" for a quote "
                    "inside it";
            return false;
        }
        return true;
    }

    std::string_view Rest() const { return text_.substr(std::min(pos_, text_.size())); }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// A text with commas written as a list of separately quoted values, for advice.
std::string ListAdvice(const std::string& text) {
    std::string advice;
    for (char c : text) {
        if (c == ',') {
            while (!advice.empty() && IsBlankChar(advice.back())) advice.pop_back();
            advice += "\",\"";
        } else if (!(IsBlankChar(c) && !advice.empty() && advice.back() == '"')) {
            advice.push_back(c);
        }
    }
    return advice;
}

// Reads the values after the operation word into `rule.Values`.
std::string ReadValues(WordReader& reader, RuleText& rule, std::string_view opWord) {
    std::string error;
    WordReader::Word word;
    const std::string op(opWord);
    if (TakesNoValue(rule.Operation)) {
        if (!reader.AtEnd()) {
            return op + " takes no value, but \"" + std::string(reader.Rest()) + "\" follows it";
        }
        return {};
    }
    if (rule.Operation == Operation::InList) {
        if (reader.AtEnd()) return "in needs a list of values separated by commas";
        while (true) {
            if (!reader.Next(word, error, true)) return error;
            reader.SkipBlanks();
            char next = reader.Peek();
            if (next != ',' && next != '\0') {
                return "the values of in are separated by commas; a value with blanks goes in "
                       "double quotes (\"" +
                       word.text + " ...\")";
            }
            if (!word.quoted && word.text.empty()) return "the list of in has an empty value";
            if (next == '\0' && rule.Values.empty() && word.quoted &&
                word.text.find(',') != std::string::npos) {
                // A list of one quoted value with commas would be looked for whole and
                // quietly find nothing; the user almost always meant a list. Values
                // with commas inside a longer list ("Acme, Inc.",Globex) stay.
                return "the values of in are separated by commas outside double quotes; "
                       "quote each value on its own (in \"" +
                       ListAdvice(word.text) +
                       "\"), or use equals for one value that holds a comma";
            }
            rule.Values.push_back(word.text);
            if (next == '\0') break;
            reader.Skip();  // the comma
            if (reader.AtEnd()) return "the list of in ends with a comma";
        }
        return {};
    }
    if (rule.Operation == Operation::Between) {
        for (int bound = 0; bound < 2; ++bound) {
            if (reader.AtEnd()) return "between needs two values (between 10 20)";
            if (!reader.Next(word, error)) return error;
            if (bound == 1 && !word.quoted && EqualsIgnoringCase(word.text, "and") &&
                rule.Values.size() == 1) {
                if (reader.AtEnd()) return "between needs two values (between 10 and 20)";
                if (!reader.Next(word, error)) return error;
            }
            rule.Values.push_back(word.text);
        }
        if (!reader.AtEnd()) {
            return "between takes two values, but \"" + std::string(reader.Rest()) +
                   "\" follows them";
        }
        return {};
    }
    if (reader.AtEnd()) return op + " needs a value";
    if (!reader.Next(word, error)) return error;
    if (!reader.AtEnd()) {
        return op + " takes one value; write a value with blanks in double quotes (" +
               Quoted(word.text + " " + std::string(reader.Rest())) + ")";
    }
    rule.Values.push_back(word.text);
    return {};
}

// Puts the values into the holder the operation reads. `numbers` says whether the
// subject compares numbers (a number choice or field) or texts.
std::string FillValues(const RuleText& rule, bool numbers, RuleValues& values) {
    values.ClearValues();
    const long op = rule.Operation;
    if (TakesNoValue(op)) return {};
    for (const std::string& value : rule.Values) {
        if (IsBlankText(value)) {
            return OperationWord(op) + " needs a value that is not blank";
        }
        if (numbers && !StrictNumber(value)) {
            return Quoted(value) + " is not a number (write it like 1200 or -12.5)";
        }
    }
    switch (op) {
        case Operation::InList:
            for (const std::string& value : rule.Values) {
                if (numbers) {
                    values.NumberList.Add(*StrictNumber(value));
                } else {
                    values.TextList.Add(value);
                }
            }
            return {};
        case Operation::Between:
            values.NumberRange.A().SetValue(*StrictNumber(rule.Values[0]));
            values.NumberRange.B().SetValue(*StrictNumber(rule.Values[1]));
            return {};
        default:
            if (IsNumberOperation(op)) {
                values.NumberCompare.SetValue(*StrictNumber(rule.Values[0]));
            } else {
                values.TextCompare.SetValue(std::string_view(rule.Values[0]));
            }
            return {};
    }
}

// The values of a rule written back, after its operation word.
std::string ValuesText(const RuleValues& values, long op, bool textList) {
    switch (op) {
        case Operation::IsBlank:
        case Operation::IsTrue:
        case Operation::IsFalse:
            return {};
        case Operation::Between:
            return " " + QuoteRuleValue(values.NumberRange.A().ValueText()) + " " +
                   QuoteRuleValue(values.NumberRange.B().ValueText());
        case Operation::InList: {
            const CompareList& list = textList ? values.TextList : values.NumberList;
            std::string text;
            for (const auto& item : list) {
                text += text.empty() ? " " : ",";
                text += QuoteRuleValue(item->ValueText());
            }
            return text;
        }
        default:
            if (IsNumberOperation(op))
                return " " + QuoteRuleValue(values.NumberCompare.ValueText());
            return " " + QuoteRuleValue(values.TextCompare.ValueText());
    }
}

}  // namespace

std::optional<long> ChoiceOfWord(std::string_view word) {
    for (const WordCode& entry : kChoices) {
        if (EqualsIgnoringCase(entry.word, word)) return entry.code;
    }
    return std::nullopt;
}

std::string ChoiceWord(long choice) {
    for (const WordCode& entry : kChoices) {
        if (entry.code == choice) return std::string(entry.word);
    }
    return {};
}

std::optional<long> OperationOfWord(std::string_view word) {
    for (const WordCode& entry : kOperations) {
        if (EqualsIgnoringCase(entry.word, word)) return entry.code;
    }
    return std::nullopt;
}

std::string OperationWord(long operation) {
    for (const WordCode& entry : kOperations) {
        if (entry.code == operation) return std::string(entry.word);
    }
    return {};
}

std::vector<long> OperationsForChoice(long choice) {
    if (choice == Choice::Text) return kTextOperations;
    if (choice == Choice::AnyNumber || choice == Choice::Amount || choice == Choice::Percent ||
        choice == Choice::Price || choice == Choice::Quantity) {
        return kNumberOperations;
    }
    if (choice == Choice::Date) return kDateOperations;
    return {};
}

std::vector<long> OperationsForField(std::int32_t dataTypeCode) {
    if (CommonTools::HasFlag(dataTypeCode, Kind::Number)) return kNumberOperations;
    if (CommonTools::HasFlag(dataTypeCode, Kind::Text)) {
        std::vector<long> operations = kTextOperations;
        operations.insert(operations.end() - 1, Operation::IsBlank);
        return operations;
    }
    if (CommonTools::HasFlag(dataTypeCode, Kind::Boolean)) {
        return {Operation::IsFalse, Operation::IsTrue};
    }
    return {};
}

std::string OperationWords(const std::vector<long>& operations) {
    std::string words;
    for (long op : operations) {
        if (!words.empty()) words += ", ";
        words += OperationWord(op);
    }
    return words;
}

RuleTextResult ParseRuleText(std::string_view text) {
    RuleTextResult result;
    RuleText& rule = result.Rule;
    WordReader reader(text);
    WordReader::Word word;
    auto fail = [&](std::string message) {
        result.Error = std::move(message);
        return result;
    };
    if (reader.AtEnd()) return fail("the rule is empty");
    if (!reader.Next(word, result.Error)) return result;
    if (!word.quoted &&
        (EqualsIgnoringCase(word.text, "and") || EqualsIgnoringCase(word.text, "or"))) {
        rule.AndOr = UpperCase(word.text);
        if (reader.AtEnd()) return fail("nothing follows " + word.text);
        if (!reader.Next(word, result.Error)) return result;
    }
    rule.Subject = word.text;
    if (reader.AtEnd()) return fail("an operation must follow " + Quoted(rule.Subject));
    if (!reader.Next(word, result.Error)) return result;
    std::optional<long> op = OperationOfWord(word.text);
    if (!op || word.quoted) {
        return fail(
            Quoted(word.text) +
            " is no operation; use one of contains, equals, starts-with, ends-with, whole-word, "
            "matches, in, lt, le, eq, ge, gt, between, is-blank, is-true, is-false");
    }
    rule.Operation = *op;
    if (std::string error = ReadValues(reader, rule, word.text); !error.empty()) return fail(error);
    return result;
}

FieldRuleTextResult ParseFieldRuleText(std::string_view text) {
    FieldRuleTextResult result;
    std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        result.Error =
            "a field rule starts with its type and a colon (Invoice: RefNumber equals 1001)";
        return result;
    }
    std::string_view type = text.substr(0, colon);
    while (!type.empty() && IsBlankChar(type.front())) type.remove_prefix(1);
    while (!type.empty() && IsBlankChar(type.back())) type.remove_suffix(1);
    if (type.empty()) {
        result.Error = "the type before the colon is missing (Invoice: RefNumber equals 1001)";
        return result;
    }
    result.TypeText = std::string(type);
    RuleTextResult rule = ParseRuleText(text.substr(colon + 1));
    result.Rule = std::move(rule.Rule);
    result.Error = std::move(rule.Error);
    return result;
}

std::string FillCriterion(const RuleText& rule, Criterion& criterion) {
    std::optional<long> choice = ChoiceOfWord(rule.Subject);
    if (!choice) {
        return Quoted(rule.Subject) +
               " is no data type; use one of text, number, amount, price, percent, quantity, "
               "date";
    }
    const std::vector<long> fitting = OperationsForChoice(*choice);
    if (!Takes(fitting, rule.Operation)) {
        return OperationWord(rule.Operation) + " does not fit " + rule.Subject +
               " rules; use one of " + OperationWords(fitting) +
               (rule.Operation == Operation::IsBlank || rule.Operation == Operation::IsTrue ||
                        rule.Operation == Operation::IsFalse
                    ? " (is-blank, is-true and is-false work on field rules)"
                    : "");
    }
    Criterion filled;
    std::string error = *choice == Choice::Date ? FillDateValues(rule, filled)
                                                : FillValues(rule, *choice != Choice::Text, filled);
    if (!error.empty()) return error;
    filled.AndOr = rule.AndOr;
    filled.Operand = rule.Operation;
    filled.SetDataType(*choice);
    // Copied as stored, the way the editors write their rows: a holder the rule leaves
    // empty stays empty instead of being read back as 0.
    filled.Copy(criterion, CopyDirection::IntoTarget);
    return {};
}

std::string FillFieldCriterion(const RuleText& rule, QBXMLTagRef field, FieldCriterion& criterion) {
    if (!field) return "the rule names no field";
    const std::int32_t code = field->DataTypeCode();
    const std::vector<long> fitting = IsDateCode(code) ? kDateOperations : OperationsForField(code);
    const std::string path = RelativeFieldPath(field->TagName());
    if (fitting.empty()) {
        return path + " is a " + field->DataType() +
               " field; field rules test only text, number, date and true/false fields";
    }
    if (!Takes(fitting, rule.Operation)) {
        std::string kind = CommonTools::HasFlag(code, Kind::Number) ? "a number"
                           : CommonTools::HasFlag(code, Kind::Text) ? "a text"
                           : IsDateCode(code)                       ? "a date"
                                                                    : "a true/false";
        return OperationWord(rule.Operation) + " does not fit " + path + ", " + kind +
               " field; use one of " + OperationWords(fitting);
    }
    FieldCriterion filled;
    std::string error = IsDateCode(code)
                            ? FillDateValues(rule, filled)
                            : FillValues(rule, CommonTools::HasFlag(code, Kind::Number), filled);
    if (!error.empty()) return error;
    filled.AndOr = rule.AndOr;
    filled.Operand = rule.Operation;
    filled.SetField(std::move(field));
    filled.Copy(criterion, CopyDirection::IntoTarget);
    return {};
}

std::string QuoteRuleValue(std::string_view value) {
    bool plain = !value.empty() && value.front() != '\'' &&
                 OperationOfWord(value) == std::nullopt && !EqualsIgnoringCase(value, "and") &&
                 !EqualsIgnoringCase(value, "or");
    for (char c : value) {
        if (IsBlankChar(c) || c == '"' || c == '\\' || c == ',') plain = false;
    }
    if (plain) return std::string(value);
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"' || c == '\\') quoted.push_back('\\');
        quoted.push_back(c);
    }
    quoted.push_back('"');
    return quoted;
}

std::string CriterionText(const Criterion& criterion, bool opensGroup) {
    std::string text = opensGroup ? "or " : "";
    text += ChoiceWord(criterion.DataType()) + " " + OperationWord(criterion.Operand);
    if (criterion.DataType() == Choice::Date)
        return text + DateValuesText(criterion, criterion.Operand);
    text += ValuesText(criterion, criterion.Operand, criterion.DataType() == Choice::Text);
    return text;
}

std::string FieldCriterionText(const FieldCriterion& criterion, bool opensGroup) {
    std::string text = opensGroup ? "or " : "";
    const QBXMLTagRef& field = criterion.Field();
    text += QuoteRuleValue(field ? RelativeFieldPath(field->TagName()) : std::string()) + " " +
            OperationWord(criterion.Operand);
    if (field && IsDateCode(field->DataTypeCode())) {
        return text + DateValuesText(criterion, criterion.Operand);
    }
    bool textList = field && CommonTools::HasFlag(field->DataTypeCode(), Kind::Text);
    text += ValuesText(criterion, criterion.Operand, textList);
    return text;
}

std::string RelativeFieldPath(std::string_view tagName) {
    if (tagName.substr(0, 2) != "//") return std::string(tagName);
    std::size_t slash = tagName.find('/', 2);
    if (slash == std::string_view::npos) return std::string(tagName);
    return std::string(tagName.substr(slash + 1));
}

}  // namespace quarrion
