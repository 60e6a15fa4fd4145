#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/qbxml_tag.h"

namespace quarrion {

class Criterion;
class FieldCriterion;

// The rules of a search written as text, the way the terminal tool takes them:
//
//   word rule   [and|or] CHOICE OP VALUE      text contains "Acme Corp"
//   field rule  TYPE: [and|or] PATH OP VALUE  Invoice: or CustomerRef/FullName starts-with ACME
//
// CHOICE is text, number, amount, price, percent or quantity. OP is contains,
// starts-with, ends-with, whole-word, matches, in, lt, le, eq, ge, gt, between, and for
// field rules also is-blank, is-true, is-false. VALUE is one value; two for between
// ("between 10 20", or "between 10 and 20"); a comma-separated list for in; none for
// the is- operations. A value holding blanks, commas (in a list) or quotes is written in
// double quotes, with \" and \\ inside, or in single quotes, with \' and \\ inside. Words are
// matched ignoring letter case.

// The data-type choice a word names (text 128, number 64, amount 65, price 75,
// percent 74, quantity 76); nothing for other words.
std::optional<long> ChoiceOfWord(std::string_view word);
// The word of a choice code; "" for codes without one.
std::string ChoiceWord(long choice);
// The operation a word names (contains 130 ... is-false 34); nothing for other words.
std::optional<long> OperationOfWord(std::string_view word);
// The word of an operation code; "" for codes without one.
std::string OperationWord(long operation);

// The operations a word rule of the choice offers: text 130, 142, 132, 134, 136, 138, 206;
// the number choices 66, 68, 70, 72, 74, 76, 206.
std::vector<long> OperationsForChoice(long choice);
// The operations a field rule offers by the kind of the field's data type: number
// fields (bit 64) as the number choices, text fields (bit 128) the text operations and
// 140, boolean fields (bit 32) 34 and 36; no operation for fields of any other type.
std::vector<long> OperationsForField(std::int32_t dataTypeCode);
// The words of the operations, joined by ", " (for messages).
std::string OperationWords(const std::vector<long>& operations);

// One rule as written, before it meets the model.
struct RuleText {
    std::string AndOr = "AND";  // "AND" or "OR", as the model spells the joins
    std::string Subject;        // the choice word or the field path, as written
    long Operation = 0;
    std::vector<std::string> Values;  // as written, quotes removed
};

// The answer of a parse: the rule, or a message telling the user what is wrong.
struct RuleTextResult {
    RuleText Rule;
    std::string Error;
    explicit operator bool() const { return Error.empty(); }
};

// Reads "[and|or] SUBJECT OP VALUE". Checks the grammar and the number of values the
// operation takes; what the subject means (and so whether the operation fits it and
// whether the values must be numbers) is checked when the rule is filled in.
RuleTextResult ParseRuleText(std::string_view text);

// A field rule as written: the request type's text before the first colon (a code or
// a name, resolved by the caller) and the rule after it.
struct FieldRuleTextResult {
    std::string TypeText;
    RuleText Rule;
    std::string Error;
    explicit operator bool() const { return Error.empty(); }
};
FieldRuleTextResult ParseFieldRuleText(std::string_view text);

// Makes `criterion` the word rule written: join, choice, operation and values. Answers
// "" or what is wrong (an unknown choice, an operation that does not fit the choice, a
// value that is no number where a number is needed). `criterion` is only changed on
// success.
std::string FillCriterion(const RuleText& rule, Criterion& criterion);
// Makes `criterion` the field rule written on `field` (the catalog entry the rule's
// path names). The same checks, by the field's data type.
std::string FillFieldCriterion(const RuleText& rule, QBXMLTagRef field, FieldCriterion& criterion);

// A value as the rule syntax writes it: in double quotes when it is empty, starts with
// a single quote or holds blanks, double quotes, backslashes or commas; as it is
// otherwise.
std::string QuoteRuleValue(std::string_view value);
// The rule written back as ParseRuleText reads it: "or " first when `opensGroup` (the
// rule starts an OR group after the first), then choice, operation and values. Parsing
// the text and filling a fresh criterion gives an equal rule.
std::string CriterionText(const Criterion& criterion, bool opensGroup);
// The same for a field rule; the path is written relative to the record element.
std::string FieldCriterionText(const FieldCriterion& criterion, bool opensGroup);

// A record-relative field path ("CustomerRef/FullName") from a catalog tag name
// ("//InvoiceRet/CustomerRef/FullName"); the name unchanged when it has no "//" root.
std::string RelativeFieldPath(std::string_view tagName);

}  // namespace quarrion
