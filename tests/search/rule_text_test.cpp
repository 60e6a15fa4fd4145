#include <gtest/gtest.h>

#include <variant>

#include <cctype>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "foundation/codes.h"
#include "model/code_tables.h"
#include "model/criterion.h"
#include "model/field_criterion.h"
#include "search/rule_text.h"

namespace quarrion {
namespace {

// Every operation and choice the model offers has exactly one word, and the word
// reads back as its code in any letter case.
TEST(RuleWords, EveryOfferedCodeHasAWordThatReadsBack) {
    CodeTables tables;
    tables.Fill();
    std::set<std::string> words;
    for (const TCObject& operation : tables.Operations) {
        const std::string word = OperationWord(operation.Value);
        ASSERT_FALSE(word.empty()) << operation.Value;
        words.insert(word);
        EXPECT_EQ(OperationOfWord(word), operation.Value) << word;
        std::string upper = word;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(OperationOfWord(upper), operation.Value) << upper;
    }
    EXPECT_EQ(words.size(), tables.Operations.Count());
    EXPECT_EQ(OperationWord(Operation::TextEquals), "equals");
    for (const TCType& choice : tables.Choices) {
        const std::string word = ChoiceWord(choice.Value);
        ASSERT_FALSE(word.empty()) << choice.Value;
        EXPECT_EQ(ChoiceOfWord(word), choice.Value) << word;
    }
    // The date choice is a word of the rule text beside the table's choices.
    EXPECT_EQ(ChoiceOfWord("date"), Choice::Date);
    EXPECT_EQ(ChoiceWord(Choice::Date), "date");
    EXPECT_FALSE(ChoiceOfWord("time"));
    EXPECT_EQ(ChoiceWord(DataTypeCode::Str), "");
    EXPECT_FALSE(OperationOfWord("startswith"));
}

TEST(RuleWords, OperationsFitTheChoiceAsTheEditorsOfferThem) {
    const std::vector<long> text = {
        Operation::Contains,  Operation::TextEquals,     Operation::StartsWith, Operation::EndsWith,
        Operation::WholeWord, Operation::MatchesPattern, Operation::InList};
    const std::vector<long> number = {
        Operation::LessThan,    Operation::LessOrEqual, Operation::Equal, Operation::GreaterOrEqual,
        Operation::GreaterThan, Operation::Between,     Operation::InList};
    EXPECT_EQ(OperationsForChoice(Choice::Text), text);
    for (long choice :
         {Choice::AnyNumber, Choice::Amount, Choice::Percent, Choice::Price, Choice::Quantity})
        EXPECT_EQ(OperationsForChoice(choice), number) << choice;
    EXPECT_TRUE(OperationsForChoice(DataTypeCode::Str).empty());

    EXPECT_EQ(
        OperationsForField(DataTypeCode::Str),
        (std::vector<long>{Operation::Contains, Operation::TextEquals, Operation::StartsWith,
                           Operation::EndsWith, Operation::WholeWord, Operation::MatchesPattern,
                           Operation::IsBlank, Operation::InList}));
    for (std::int32_t code : {DataTypeCode::Amt, DataTypeCode::Int, DataTypeCode::Float,
                              DataTypeCode::Percent, DataTypeCode::Price, DataTypeCode::Quan})
        EXPECT_EQ(OperationsForField(code), number) << code;
    EXPECT_EQ(OperationsForField(DataTypeCode::Bool),
              (std::vector<long>{Operation::IsFalse, Operation::IsTrue}));
    for (std::int32_t code : {DataTypeCode::Id, DataTypeCode::Date, DataTypeCode::DateTime,
                              DataTypeCode::Enum, DataTypeCode::Guid, DataTypeCode::Unknown})
        EXPECT_TRUE(OperationsForField(code).empty()) << code;
}

// One parse case: the text, and the rule or the part of the message expected.
struct ParseCase {
    const char* text;
    const char* andOr;
    const char* subject;
    long operation;
    std::vector<std::string> values;
    const char* error;  // nullptr: must parse
};

// Shown in test lists and failures as the rule text itself.
void PrintTo(const ParseCase& c, std::ostream* out) {
    *out << "[" << c.text << "]";
}

class RuleParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(RuleParsing, ReadsTheRuleOrSaysWhatIsWrong) {
    const ParseCase& c = GetParam();
    RuleTextResult result = ParseRuleText(c.text);
    if (c.error) {
        EXPECT_FALSE(result) << c.text;
        EXPECT_NE(result.Error.find(c.error), std::string::npos)
            << c.text << " -> " << result.Error;
        return;
    }
    ASSERT_TRUE(result) << c.text << " -> " << result.Error;
    EXPECT_EQ(result.Rule.AndOr, c.andOr) << c.text;
    EXPECT_EQ(result.Rule.Subject, c.subject) << c.text;
    EXPECT_EQ(result.Rule.Operation, c.operation) << c.text;
    EXPECT_EQ(result.Rule.Values, c.values) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RuleParsing,
    ::testing::Values(
        ParseCase{"text contains Supply", "AND", "text", Operation::Contains, {"Supply"}, nullptr},
        ParseCase{
            "and text starts-with INV", "AND", "text", Operation::StartsWith, {"INV"}, nullptr},
        ParseCase{"OR text ends-with Inc.", "OR", "text", Operation::EndsWith, {"Inc."}, nullptr},
        ParseCase{"or text whole-word acme", "OR", "text", Operation::WholeWord, {"acme"}, nullptr},
        ParseCase{
            "text matches A*Co?", "AND", "text", Operation::MatchesPattern, {"A*Co?"}, nullptr},
        ParseCase{"  text   contains   Supply  ",
                  "AND",
                  "text",
                  Operation::Contains,
                  {"Supply"},
                  nullptr},
        ParseCase{"text contains \"Acme Corp\"",
                  "AND",
                  "text",
                  Operation::Contains,
                  {"Acme Corp"},
                  nullptr},
        ParseCase{"text contains \"say \\\"hi\\\" \\\\ bye\"",
                  "AND",
                  "text",
                  Operation::Contains,
                  {"say \"hi\" \\ bye"},
                  nullptr},
        ParseCase{"text contains \"\"", "AND", "text", Operation::Contains, {""}, nullptr},
        ParseCase{"text contains 'Acme Corp'",
                  "AND",
                  "text",
                  Operation::Contains,
                  {"Acme Corp"},
                  nullptr},
        ParseCase{"text contains 'O\\'Brien \"Jr\"'",
                  "AND",
                  "text",
                  Operation::Contains,
                  {"O'Brien \"Jr\""},
                  nullptr},
        ParseCase{
            "text contains O'Brien", "AND", "text", Operation::Contains, {"O'Brien"}, nullptr},
        ParseCase{"text in 'A, B',C", "AND", "text", Operation::InList, {"A, B", "C"}, nullptr},
        ParseCase{"text contains or", "AND", "text", Operation::Contains, {"or"}, nullptr},
        ParseCase{"amount lt 10", "AND", "amount", Operation::LessThan, {"10"}, nullptr},
        ParseCase{"price le 10.5", "AND", "price", Operation::LessOrEqual, {"10.5"}, nullptr},
        ParseCase{"percent eq -2", "AND", "percent", Operation::Equal, {"-2"}, nullptr},
        ParseCase{"quantity ge 3", "AND", "quantity", Operation::GreaterOrEqual, {"3"}, nullptr},
        ParseCase{"number gt 0", "AND", "number", Operation::GreaterThan, {"0"}, nullptr},
        ParseCase{
            "amount between 100 500", "AND", "amount", Operation::Between, {"100", "500"}, nullptr},
        ParseCase{"amount between 100 and 500",
                  "AND",
                  "amount",
                  Operation::Between,
                  {"100", "500"},
                  nullptr},
        ParseCase{"text in A,B,C", "AND", "text", Operation::InList, {"A", "B", "C"}, nullptr},
        ParseCase{"text in A, B ,C", "AND", "text", Operation::InList, {"A", "B", "C"}, nullptr},
        ParseCase{"text in \"Acme, Inc.\",\"Best Co\"",
                  "AND",
                  "text",
                  Operation::InList,
                  {"Acme, Inc.", "Best Co"},
                  nullptr},
        ParseCase{"number in 1,2.5", "AND", "number", Operation::InList, {"1", "2.5"}, nullptr},
        ParseCase{"text in solo", "AND", "text", Operation::InList, {"solo"}, nullptr},
        ParseCase{"Memo is-blank", "AND", "Memo", Operation::IsBlank, {}, nullptr},
        ParseCase{"or IsPaid is-true", "OR", "IsPaid", Operation::IsTrue, {}, nullptr},
        ParseCase{"IsPaid IS-FALSE", "AND", "IsPaid", Operation::IsFalse, {}, nullptr},
        ParseCase{"CustomerRef/FullName starts-with \"Zoë's\"",
                  "AND",
                  "CustomerRef/FullName",
                  Operation::StartsWith,
                  {"Zoë's"},
                  nullptr},
        ParseCase{"", "", "", 0, {}, "empty"}, ParseCase{"   ", "", "", 0, {}, "empty"},
        ParseCase{"or", "", "", 0, {}, "nothing follows"},
        ParseCase{"text", "", "", 0, {}, "an operation must follow"},
        ParseCase{"text has Supply", "", "", 0, {}, "\"has\" is no operation"},
        ParseCase{"text \"contains\" Supply", "", "", 0, {}, "is no operation"},
        ParseCase{"text contains", "", "", 0, {}, "contains needs a value"},
        ParseCase{"text contains Acme Corp", "", "", 0, {}, "(\"Acme Corp\")"},
        ParseCase{"text contains \"Acme Corp", "", "", 0, {}, "not closed"},
        ParseCase{"text contains \"Acme\"Corp", "", "", 0, {}, "after the closing double quote"},
        ParseCase{"text contains 'Acme Corp", "", "", 0, {}, "a single quote is not closed"},
        ParseCase{"text contains 'Acme'Corp", "", "", 0, {}, "after the closing single quote"},
        ParseCase{"amount between 100", "", "", 0, {}, "between needs two values"},
        ParseCase{"amount between 100 and", "", "", 0, {}, "between needs two values"},
        ParseCase{"amount between 1 2 3", "", "", 0, {}, "between takes two values"},
        ParseCase{"text in", "", "", 0, {}, "in needs a list"},
        ParseCase{"text in A,", "", "", 0, {}, "ends with a comma"},
        ParseCase{"text in A,,B", "", "", 0, {}, "empty value"},
        ParseCase{"text in Acme Corp,B", "", "", 0, {}, "separated by commas"},
        ParseCase{"Memo is-blank now", "", "", 0, {}, "is-blank takes no value"}),
    // The case's position and the letters of its text, so a failure names the rule.
    [](const ::testing::TestParamInfo<ParseCase>& info) {
        std::string name = std::to_string(info.index) + "_";
        for (const char* c = info.param.text; *c && name.size() < 40; ++c) {
            if (std::isalnum(static_cast<unsigned char>(*c))) name.push_back(*c);
        }
        return name;
    });

// Fills a word rule from text; "" or the error.
std::string Fill(const char* text, Criterion& rule) {
    RuleTextResult parsed = ParseRuleText(text);
    if (!parsed) return parsed.Error;
    return FillCriterion(parsed.Rule, rule);
}

TEST(WordRuleFilling, EveryChoiceTakesItsOperationsAndRefusesTheOthers) {
    const std::vector<std::string> choices = {"text",  "number",  "amount",
                                              "price", "percent", "quantity"};
    const std::vector<std::string> ops = {"contains", "starts-with", "ends-with", "whole-word",
                                          "matches",  "in",          "lt",        "le",
                                          "eq",       "ge",          "gt",        "between",
                                          "is-blank", "is-true",     "is-false"};
    for (const std::string& choice : choices) {
        const long code = *ChoiceOfWord(choice);
        const std::vector<long> fitting = OperationsForChoice(code);
        for (const std::string& op : ops) {
            const long opCode = *OperationOfWord(op);
            std::string values = opCode == Operation::Between ? " 1 2"
                                 : (opCode == Operation::IsFalse || opCode == Operation::IsTrue ||
                                    opCode == Operation::IsBlank)
                                     ? ""
                                     : " 5";
            Criterion rule;
            std::string error = Fill((choice + " " + op + values).c_str(), rule);
            bool fits = std::find(fitting.begin(), fitting.end(), opCode) != fitting.end();
            if (fits) {
                EXPECT_EQ(error, "") << choice << " " << op;
                EXPECT_EQ(rule.Operand, opCode);
                EXPECT_EQ(rule.DataType(), code);
                EXPECT_TRUE(rule.ContainsData()) << choice << " " << op;
            } else {
                EXPECT_NE(error.find("does not fit " + choice), std::string::npos)
                    << choice << " " << op << " -> " << error;
                EXPECT_EQ(rule.Operand, 0) << "a refused rule leaves the criterion as it was";
            }
        }
    }
}

TEST(WordRuleFilling, ValuesGoIntoTheHolderTheOperationReads) {
    Criterion text;
    ASSERT_EQ(Fill("or text contains \"Acme Corp\"", text), "");
    EXPECT_EQ(text.AndOr, "OR");
    EXPECT_EQ(text.TextCompare.ValueText(), "Acme Corp");
    EXPECT_EQ(text.Compare("Big ACME CORP Ltd", "STRTYPE"), RuleResult::Holds);
    EXPECT_EQ(text.Compare("Acme", "STRTYPE"), RuleResult::Fails);
    EXPECT_EQ(text.Compare("Acme Corp", "AMTTYPE"), RuleResult::NotApplicable);

    Criterion range;
    ASSERT_EQ(Fill("amount between 500 100", range), "");
    EXPECT_EQ(range.AndOr, "AND");
    EXPECT_EQ(range.Compare("250.00", "AMTTYPE"), RuleResult::Holds);
    EXPECT_EQ(range.Compare("99.99", "AMTTYPE"), RuleResult::Fails);
    EXPECT_EQ(range.Compare("250.00", "PRICETYPE"), RuleResult::NotApplicable);

    Criterion textList;
    ASSERT_EQ(Fill("text in \"Acme, Inc.\",globex", textList), "");
    EXPECT_EQ(textList.TextList.Count(), 2);
    EXPECT_EQ(textList.Compare("GLOBEX", "STRTYPE"), RuleResult::Holds);
    EXPECT_EQ(textList.Compare("Acme", "STRTYPE"), RuleResult::Fails);

    Criterion numberList;
    ASSERT_EQ(Fill("number in 7,12.5", numberList), "");
    EXPECT_EQ(numberList.NumberList.Count(), 2);
    EXPECT_EQ(numberList.Compare("12.50", "QUANTYPE"), RuleResult::Holds);
    EXPECT_EQ(numberList.Compare("12", "PERCENTTYPE"), RuleResult::Fails);

    Criterion less;
    ASSERT_EQ(Fill("percent lt 7.75", less), "");
    EXPECT_EQ(less.Compare("7.5", "PERCENTTYPE"), RuleResult::Holds);
    EXPECT_EQ(less.Compare("7.75", "PERCENTTYPE"), RuleResult::Fails);
}

TEST(WordRuleFilling, HoldersTheRuleLeavesEmptyStayEmpty) {
    // Stored as the editors store them: a text rule carries no number, not a 0.
    Criterion text;
    ASSERT_EQ(Fill("text contains Supply", text), "");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(text.NumberCompare.Stored()));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(text.NumberRange.A().Stored()));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(text.NumberRange.B().Stored()));
    EXPECT_EQ(text.NumberList.Count(), 0);
    Criterion number;
    ASSERT_EQ(Fill("amount eq 5", number), "");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(number.TextCompare.Stored()));
}

TEST(WordRuleFilling, LongNumbersMatchTheSameTextInARecord) {
    Criterion equal;
    ASSERT_EQ(Fill("amount eq 9181300065.471817", equal), "");
    EXPECT_EQ(equal.Compare("9181300065.471817", "AMTTYPE"), RuleResult::Holds);
    EXPECT_EQ(equal.Compare("9181300065.471818", "AMTTYPE"), RuleResult::Fails);
}

TEST(WordRuleFilling, NumbersMustBeWrittenWhole) {
    for (const char* text : {"amount gt 1,000", "amount gt 12abc", "amount gt abc", "amount gt 1e5",
                             "amount between 1 two", "number in 1,x", "amount gt inf"}) {
        Criterion rule;
        EXPECT_NE(Fill(text, rule).find("is not a number"), std::string::npos) << text;
    }
    Criterion rule;
    EXPECT_EQ(Fill("amount gt +5", rule), "");
    EXPECT_EQ(Fill("amount gt .5", rule), "");
    EXPECT_EQ(Fill("amount gt -0.25", rule), "");
}

TEST(WordRuleFilling, BlankValuesAndUnknownChoicesAreRefused) {
    Criterion rule;
    EXPECT_NE(Fill("text contains \"  \"", rule).find("not blank"), std::string::npos);
    EXPECT_NE(Fill("text in a,\" \"", rule).find("not blank"), std::string::npos);
    EXPECT_NE(Fill("time eq 2026-01-01", rule).find("\"time\" is no data type"), std::string::npos);
    EXPECT_NE(Fill("date eq 2026-02-30", rule).find("is not a date"), std::string::npos);
    EXPECT_NE(Fill("date contains 2026", rule).find("does not fit date"), std::string::npos);
    EXPECT_NE(Fill("text is-blank", rule).find("field rules"), std::string::npos);
}

QBXMLTagRef Field(const char* path, const char* dataType) {
    QBXMLTag tag;
    tag.Code = 4;
    tag.SetTagName(path);
    tag.SetDataType(dataType);
    return ShareTag(tag);
}

std::string FillField(const char* text, const QBXMLTagRef& field, FieldCriterion& rule) {
    RuleTextResult parsed = ParseRuleText(text);
    if (!parsed) return parsed.Error;
    return FillFieldCriterion(parsed.Rule, field, rule);
}

TEST(FieldRuleFilling, OperationsFollowTheFieldsDataType) {
    struct Case {
        const char* path;
        const char* dataType;
        const char* text;
        bool fits;
    };
    const std::vector<Case> cases = {
        {"//InvoiceRet/Memo", "STRTYPE", "Memo contains x", true},
        {"//InvoiceRet/Memo", "STRTYPE", "Memo is-blank", true},
        {"//InvoiceRet/Memo", "STRTYPE", "Memo in a,b", true},
        {"//InvoiceRet/Memo", "STRTYPE", "Memo gt 5", false},
        {"//InvoiceRet/Memo", "STRTYPE", "Memo is-true", false},
        {"//InvoiceRet/Subtotal", "AMTTYPE", "Subtotal between 1 2", true},
        {"//InvoiceRet/Subtotal", "AMTTYPE", "Subtotal in 1,2", true},
        {"//InvoiceRet/Subtotal", "AMTTYPE", "Subtotal contains 5", false},
        {"//InvoiceRet/Subtotal", "AMTTYPE", "Subtotal is-blank", false},
        {"//InvoiceRet/TxnNumber", "INTTYPE", "TxnNumber eq 7", true},
        {"//InvoiceRet/IsPaid", "BOOLTYPE", "IsPaid is-true", true},
        {"//InvoiceRet/IsPaid", "BOOLTYPE", "IsPaid is-false", true},
        {"//InvoiceRet/IsPaid", "BOOLTYPE", "IsPaid eq 1", false},
        {"//InvoiceRet/IsPaid", "BOOLTYPE", "IsPaid contains t", false},
    };
    for (const Case& c : cases) {
        FieldCriterion rule;
        std::string error = FillField(c.text, Field(c.path, c.dataType), rule);
        if (c.fits) {
            EXPECT_EQ(error, "") << c.text;
            EXPECT_TRUE(rule.ContainsData()) << c.text;
            ASSERT_TRUE(rule.Field());
            EXPECT_EQ(rule.Field()->TagName(), c.path);
        } else {
            EXPECT_NE(error.find("does not fit"), std::string::npos) << c.text << " -> " << error;
            EXPECT_FALSE(rule.Field()) << "a refused rule leaves the criterion as it was";
        }
    }
}

TEST(FieldRuleFilling, FieldsOfOtherTypesTakeNoRule) {
    FieldCriterion rule;
    std::string error = FillField("TxnID eq 5", Field("//InvoiceRet/TxnID", "IDTYPE"), rule);
    EXPECT_NE(error.find("TxnID is a IDTYPE field"), std::string::npos) << error;
}

TEST(FieldRuleFilling, TheFilledRuleJudgesRecords) {
    pugi::xml_document document;
    ASSERT_TRUE(
        document.load_string("<InvoiceRet><CustomerRef><FullName>Acme Corp</FullName></CustomerRef>"
                             "<Subtotal>120.00</Subtotal><IsPaid>true</IsPaid></InvoiceRet>"));
    pugi::xml_node record = document.document_element();

    FieldCriterion name;
    ASSERT_EQ(FillField("CustomerRef/FullName in \"Acme Corp\",Globex",
                        Field("//InvoiceRet/CustomerRef/FullName", "STRTYPE"), name),
              "");
    EXPECT_EQ(name.Compare(record), RuleResult::Holds);

    FieldCriterion total;
    ASSERT_EQ(FillField("Subtotal in 100,120", Field("//InvoiceRet/Subtotal", "AMTTYPE"), total),
              "");
    EXPECT_EQ(total.NumberList.Count(), 2);
    EXPECT_EQ(total.Compare(record), RuleResult::Holds);

    FieldCriterion paid;
    ASSERT_EQ(FillField("or IsPaid is-false", Field("//InvoiceRet/IsPaid", "BOOLTYPE"), paid), "");
    EXPECT_EQ(paid.AndOr, "OR");
    EXPECT_EQ(paid.Compare(record), RuleResult::Fails);

    FieldCriterion memo;
    ASSERT_EQ(FillField("Memo is-blank", Field("//InvoiceRet/Memo", "STRTYPE"), memo), "");
    EXPECT_EQ(memo.Compare(record), RuleResult::Holds);
}

TEST(FieldRuleParsing, TheTypeComesBeforeTheFirstColon) {
    FieldRuleTextResult result =
        ParseFieldRuleText(" Invoice : or CustomerRef/FullName eq \"a:b\"");
    ASSERT_TRUE(result) << result.Error;
    EXPECT_EQ(result.TypeText, "Invoice");
    EXPECT_EQ(result.Rule.AndOr, "OR");
    EXPECT_EQ(result.Rule.Subject, "CustomerRef/FullName");
    EXPECT_EQ(result.Rule.Values, std::vector<std::string>{"a:b"});

    EXPECT_NE(ParseFieldRuleText("RefNumber eq 5").Error.find("colon"), std::string::npos);
    EXPECT_NE(ParseFieldRuleText(" : RefNumber eq 5").Error.find("type before the colon"),
              std::string::npos);
    EXPECT_NE(ParseFieldRuleText("Invoice: RefNumber").Error.find("an operation must follow"),
              std::string::npos);
}

TEST(RuleWriting, ValuesAreQuotedOnlyWhenTheyNeedIt) {
    EXPECT_EQ(QuoteRuleValue("Supply"), "Supply");
    EXPECT_EQ(QuoteRuleValue("12.5"), "12.5");
    EXPECT_EQ(QuoteRuleValue("Acme Corp"), "\"Acme Corp\"");
    EXPECT_EQ(QuoteRuleValue("a,b"), "\"a,b\"");
    EXPECT_EQ(QuoteRuleValue(""), "\"\"");
    EXPECT_EQ(QuoteRuleValue("say \"hi\""), "\"say \\\"hi\\\"\"");
    EXPECT_EQ(QuoteRuleValue("back\\slash"), "\"back\\\\slash\"");
    EXPECT_EQ(QuoteRuleValue("and"), "\"and\"");
    EXPECT_EQ(QuoteRuleValue("'90s"), "\"'90s\"");  // would open a single quote
    EXPECT_EQ(QuoteRuleValue("O'Brien"), "O'Brien");
}

TEST(RuleWriting, WrittenRulesParseBackToEqualRules) {
    const std::vector<std::string> texts = {"text contains \"Acme Corp\"",
                                            "text starts-with \"say \\\"hi\\\"\"",
                                            "amount between 100 500",
                                            "number in 1,2.5",
                                            "text in \"Acme, Inc.\",B",
                                            "quantity ge -3",
                                            "text matches A*",
                                            "text equals \"Acme Supply\"",
                                            "date lt 2026-03-01",
                                            "date between 2026-01-01 last-month",
                                            "date eq last-30-days"};
    for (const std::string& text : texts) {
        Criterion first;
        ASSERT_EQ(Fill(text.c_str(), first), "") << text;
        const std::string written = CriterionText(first, false);
        EXPECT_EQ(written, text);
        Criterion second;
        ASSERT_EQ(Fill(("or " + written).c_str(), second), "") << written;
        EXPECT_EQ(CriterionText(second, true), "or " + text);
    }

    FieldCriterion field;
    ASSERT_EQ(FillField("CustomerRef/FullName in \"Zoë's Bakery, Inc.\",x",
                        Field("//InvoiceRet/CustomerRef/FullName", "STRTYPE"), field),
              "");
    EXPECT_EQ(FieldCriterionText(field, true),
              "or CustomerRef/FullName in \"Zoë's Bakery, Inc.\",x");
    FieldCriterion due;
    ASSERT_EQ(FillField("DueDate le Yesterday", Field("//InvoiceRet/DueDate", "DATETYPE"), due),
              "");
    EXPECT_EQ(FieldCriterionText(due, false), "DueDate le yesterday");
    FieldCriterion blank;
    ASSERT_EQ(FillField("Memo is-blank", Field("//InvoiceRet/Memo", "STRTYPE"), blank), "");
    EXPECT_EQ(FieldCriterionText(blank, false), "Memo is-blank");
}

TEST(RuleWriting, RelativePathsDropTheRecordElement) {
    EXPECT_EQ(RelativeFieldPath("//InvoiceRet/CustomerRef/FullName"), "CustomerRef/FullName");
    EXPECT_EQ(RelativeFieldPath("//InvoiceRet/TxnDate"), "TxnDate");
    EXPECT_EQ(RelativeFieldPath("CustomerRef/FullName"), "CustomerRef/FullName");
    EXPECT_EQ(RelativeFieldPath("//InvoiceRet"), "//InvoiceRet");
}

}  // namespace
}  // namespace quarrion
