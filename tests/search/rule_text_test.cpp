#include "search/rule_text.h"

#include <gtest/gtest.h>

#include <variant>

#include "foundation/codes.h"
#include "model/code_tables.h"
#include "model/criterion.h"
#include "model/field_criterion.h"
#include "support/loose_tag.h"

namespace quarrion {
namespace {

using test::LooseTag;

// Every operation and choice the model offers has a word that reads back as its code
// (so no two share a word), in any letter case.
TEST(RuleWords, EveryOfferedCodeHasAWordThatReadsBack) {
    CodeTables tables;
    tables.Fill();
    for (const TCObject& operation : tables.Operations)
        EXPECT_EQ(OperationOfWord(OperationWord(operation.Value)), operation.Value);
    for (const TCType& choice : tables.Choices)
        EXPECT_EQ(ChoiceOfWord(ChoiceWord(choice.Value)), choice.Value) << choice.Value;
    // The date choice is a word of the rule text beside the table's choices.
    EXPECT_EQ(ChoiceOfWord("DATE"), Choice::Date);
}

// A parsed rule as "AND subject operation [value|value]", or "! " and the message.
std::string Parsed(const char* text) {
    RuleTextResult result = ParseRuleText(text);
    if (!result) return "! " + result.Error;
    std::string values;
    for (const std::string& value : result.Rule.Values)
        values += (values.empty() ? "" : "|") + value;
    return result.Rule.AndOr + " " + result.Rule.Subject + " " +
           OperationWord(result.Rule.Operation) + " [" + values + "]";
}

TEST(RuleParsing, ReadsTheRuleOrSaysWhatIsWrong) {
    // The whole rule, or "! " and a part of the message.
    const std::pair<const char*, const char*> cases[] = {
        {"OR text ends-with Inc.", "OR text ends-with [Inc.]"},
        {"  text   contains   Supply  ", "AND text contains [Supply]"},
        {"text contains \"say \\\"hi\\\" \\\\ bye\"", "AND text contains [say \"hi\" \\ bye]"},
        {"text contains 'O\\'Brien \"Jr\"'", "AND text contains [O'Brien \"Jr\"]"},
        {"text contains O'Brien", "AND text contains [O'Brien]"},
        {"text in 'A, B',C", "AND text in [A, B|C]"},
        {"text in A, B ,C", "AND text in [A|B|C]"},
        {"amount between 100 500", "AND amount between [100|500]"},
        {"amount between 100 and 500", "AND amount between [100|500]"},
        {"IsPaid IS-FALSE", "AND IsPaid is-false []"},
        {"", "! empty"},
        {"or", "! nothing follows"},
        {"text", "! an operation must follow"},
        {"text has Supply", "! \"has\" is no operation"},
        {"text contains", "! contains needs a value"},
        {"text contains \"Acme Corp", "! not closed"},
        {"text contains \"Acme\"Corp", "! after the closing double quote"},
        {"text contains 'Acme Corp", "! a single quote is not closed"},
        {"amount between 100", "! between needs two values"},
        {"amount between 1 2 3", "! between takes two values"},
        {"text in", "! in needs a list"},
        {"text in A,", "! ends with a comma"},
        {"text in A,,B", "! empty value"},
        {"text in Acme Corp,B", "! separated by commas"},
        {"Memo is-blank now", "! is-blank takes no value"},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        const std::string parsed = Parsed(text);
        if (expected[0] == '!') {
            EXPECT_EQ(parsed.rfind("! ", 0), 0u) << parsed;
            EXPECT_NE(parsed.find(expected + 2), std::string::npos) << parsed;
        } else {
            EXPECT_EQ(parsed, expected);
        }
    }
}

// Fills a word rule from text; "" or the error.
std::string Fill(const std::string& text, Criterion& rule) {
    RuleTextResult parsed = ParseRuleText(text);
    if (!parsed) return parsed.Error;
    return FillCriterion(parsed.Rule, rule);
}

std::string FillField(const std::string& text, const QBXMLTagRef& field, FieldCriterion& rule) {
    RuleTextResult parsed = ParseRuleText(text);
    if (!parsed) return parsed.Error;
    return FillFieldCriterion(parsed.Rule, field, rule);
}

TEST(WordRuleFilling, ValuesGoIntoTheHolderTheOperationReads) {
    struct Case {
        const char* rule;
        long expected;
        const char* text;
        const char* typeName;
    };
    const Case cases[] = {
        {"or text contains \"Acme Corp\"", RuleResult::Holds, "Big ACME CORP Ltd", "STRTYPE"},
        {"or text contains \"Acme Corp\"", RuleResult::NotApplicable, "Acme Corp", "AMTTYPE"},
        {"amount between 500 100", RuleResult::Holds, "250.00", "AMTTYPE"},
        {"text in \"Acme, Inc.\",globex", RuleResult::Holds, "GLOBEX", "STRTYPE"},
        {"number in 7,12.5", RuleResult::Holds, "12.50", "QUANTYPE"},
        // Long numbers match the same text in a record.
        {"amount eq 9181300065.471817", RuleResult::Holds, "9181300065.471817", "AMTTYPE"},
        {"amount eq 9181300065.471817", RuleResult::Fails, "9181300065.471818", "AMTTYPE"},
    };
    for (const Case& c : cases) {
        Criterion rule;
        ASSERT_EQ(Fill(c.rule, rule), "") << c.rule;
        EXPECT_EQ(rule.Compare(c.text, c.typeName), c.expected) << c.rule << " / " << c.text;
    }
}

TEST(WordRuleFilling, HoldersTheRuleLeavesEmptyStayEmpty) {
    // Stored as the editors store them: a text rule carries no number, not a 0.
    Criterion text, number;
    ASSERT_EQ(Fill("text contains Supply", text), "");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(text.NumberCompare.Stored()));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(text.NumberRange.A().Stored()));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(text.NumberRange.B().Stored()));
    EXPECT_EQ(text.NumberList.Count(), 0);
    ASSERT_EQ(Fill("amount eq 5", number), "");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(number.TextCompare.Stored()));
}

// Each choice takes the operations of its kind and refuses the others; values must be
// what the choice reads. A refused rule leaves the criterion as it was.
TEST(WordRuleFilling, RulesTheChoiceCannotTakeAreRefusedInWords) {
    // What the message says; "" where the rule is taken.
    const std::pair<const char*, const char*> cases[] = {
        {"text matches A*", ""},
        {"text gt 5", "does not fit text"},
        {"quantity between 1 2", ""},
        {"price contains 5", "does not fit price"},
        {"percent is-true", "does not fit percent"},
        {"amount gt 1,000", "is not a number"},
        {"number in 1,x", "is not a number"},
        {"amount gt inf", "is not a number"},
        {"amount gt +5", ""},
        {"text contains \"  \"", "not blank"},
        {"time eq 2026-01-01", "\"time\" is no data type"},
        {"date contains 2026", "does not fit date"},
        {"text is-blank", "field rules"},
    };
    for (const auto& [text, says] : cases) {
        Criterion rule;
        const std::string error = Fill(text, rule);
        if (*says) {
            EXPECT_NE(error.find(says), std::string::npos) << text << " -> " << error;
            EXPECT_FALSE(rule.ContainsData()) << text;
        } else {
            EXPECT_EQ(error, "") << text;
            EXPECT_TRUE(rule.ContainsData()) << text;
        }
    }
}

// Field rules take the operations of their field's data type and write back as read.
TEST(FieldRuleFilling, OperationsFollowTheFieldsDataType) {
    struct Case {
        const char* path;
        const char* dataType;
        const char* text;
        const char* expected;  // the rule written back, or "! " and a part of the message
    };
    const Case cases[] = {
        {"//InvoiceRet/Memo", "STRTYPE", "Memo is-blank", "Memo is-blank"},
        {"//InvoiceRet/Memo", "STRTYPE", "Memo gt 5", "! does not fit"},
        {"//InvoiceRet/Subtotal", "AMTTYPE", "Subtotal between 1 2", "Subtotal between 1 2"},
        {"//InvoiceRet/Subtotal", "AMTTYPE", "Subtotal contains 5", "! does not fit"},
        {"//InvoiceRet/Subtotal", "AMTTYPE", "Subtotal is-blank", "! does not fit"},
        {"//InvoiceRet/TxnNumber", "INTTYPE", "TxnNumber eq 7", "TxnNumber eq 7"},
        {"//InvoiceRet/IsPaid", "BOOLTYPE", "IsPaid is-true", "IsPaid is-true"},
        {"//InvoiceRet/IsPaid", "BOOLTYPE", "IsPaid eq 1", "! does not fit"},
        {"//InvoiceRet/TxnID", "IDTYPE", "TxnID eq 5", "! TxnID is a IDTYPE field"},
        {"//InvoiceRet/DueDate", "DATETYPE", "DueDate le Yesterday", "DueDate le yesterday"},
        {"//InvoiceRet/CustomerRef/FullName", "STRTYPE",
         "CustomerRef/FullName in \"Zoë's Bakery, Inc.\",x",
         "CustomerRef/FullName in \"Zoë's Bakery, Inc.\",x"},
    };
    for (const Case& c : cases) {
        FieldCriterion rule;
        const std::string error = FillField(c.text, LooseTag(c.path, c.dataType), rule);
        if (c.expected[0] == '!') {
            EXPECT_NE(error.find(c.expected + 2), std::string::npos) << c.text << " -> " << error;
            EXPECT_FALSE(rule.Field()) << "a refused rule leaves the criterion as it was";
        } else {
            EXPECT_EQ(error, "") << c.text;
            EXPECT_EQ(FieldCriterionText(rule, false), c.expected);
            ASSERT_TRUE(rule.Field());
            EXPECT_EQ(rule.Field()->TagName(), c.path);
        }
    }
}

TEST(FieldRuleParsing, TheTypeComesBeforeTheFirstColon) {
    FieldRuleTextResult result =
        ParseFieldRuleText(" Invoice : or CustomerRef/FullName eq \"a:b\"");
    ASSERT_TRUE(result) << result.Error;
    EXPECT_EQ(result.TypeText, "Invoice");
    EXPECT_EQ(result.Rule.AndOr + " " + result.Rule.Subject, "OR CustomerRef/FullName");
    EXPECT_EQ(result.Rule.Values, std::vector<std::string>{"a:b"});
    for (const auto& [text, says] : {std::pair{"RefNumber eq 5", "colon"},
                                     {" : RefNumber eq 5", "type before the colon"},
                                     {"Invoice: RefNumber", "an operation must follow"}})
        EXPECT_NE(ParseFieldRuleText(text).Error.find(says), std::string::npos) << text;
}

TEST(RuleWriting, ValuesAreQuotedOnlyWhenTheyNeedIt) {
    // A leading single quote would open a quoted value; one inside a word does not.
    const std::pair<const char*, const char*> cases[] = {
        {"Supply", "Supply"},   {"Acme Corp", "\"Acme Corp\""},
        {"", "\"\""},           {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"and", "\"and\""},     {"'90s", "\"'90s\""},
        {"O'Brien", "O'Brien"},
    };
    for (const auto& [value, written] : cases) EXPECT_EQ(QuoteRuleValue(value), written);
}

TEST(RuleWriting, WrittenRulesParseBackToEqualRules) {
    for (const std::string text :
         {"text contains \"Acme Corp\"", "text starts-with \"say \\\"hi\\\"\"",
          "amount between 100 500", "text in \"Acme, Inc.\",B", "text equals \"Acme Supply\"",
          "date lt 2026-03-01", "date between 2026-01-01 last-month", "date eq last-30-days"}) {
        Criterion first, second;
        ASSERT_EQ(Fill(text, first), "") << text;
        const std::string written = CriterionText(first, false);
        EXPECT_EQ(written, text);
        ASSERT_EQ(Fill("or " + written, second), "") << written;
        EXPECT_EQ(CriterionText(second, true), "or " + text);
    }
}

}  // namespace
}  // namespace quarrion
