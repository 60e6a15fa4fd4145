#include <gtest/gtest.h>

#include <variant>

#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "foundation/codes.h"
#include "model/code_tables.h"
#include "model/criterion.h"
#include "model/field_criterion.h"
#include "search/rule_text.h"
#include "support/loose_tag.h"

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
    struct Case {
        const char* text;
        const char* expected;  // the whole rule, or "! " and a part of the message
    };
    const Case cases[] = {
        {"text contains Supply", "AND text contains [Supply]"},
        {"and text starts-with INV", "AND text starts-with [INV]"},
        {"OR text ends-with Inc.", "OR text ends-with [Inc.]"},
        {"  text   contains   Supply  ", "AND text contains [Supply]"},
        {"text contains \"Acme Corp\"", "AND text contains [Acme Corp]"},
        {"text contains \"say \\\"hi\\\" \\\\ bye\"", "AND text contains [say \"hi\" \\ bye]"},
        {"text contains 'O\\'Brien \"Jr\"'", "AND text contains [O'Brien \"Jr\"]"},
        {"text contains O'Brien", "AND text contains [O'Brien]"},
        {"text in 'A, B',C", "AND text in [A, B|C]"},
        {"amount lt 10", "AND amount lt [10]"},
        {"percent eq -2", "AND percent eq [-2]"},
        {"amount between 100 500", "AND amount between [100|500]"},
        {"amount between 100 and 500", "AND amount between [100|500]"},
        {"text in A, B ,C", "AND text in [A|B|C]"},
        {"text in \"Acme, Inc.\",\"Best Co\"", "AND text in [Acme, Inc.|Best Co]"},
        {"text in solo", "AND text in [solo]"},
        {"Memo is-blank", "AND Memo is-blank []"},
        {"IsPaid IS-FALSE", "AND IsPaid is-false []"},
        {"CustomerRef/FullName starts-with \"Zoë's\"",
         "AND CustomerRef/FullName starts-with [Zoë's]"},
        {"", "! empty"},
        {"or", "! nothing follows"},
        {"text", "! an operation must follow"},
        {"text has Supply", "! \"has\" is no operation"},
        {"text contains", "! contains needs a value"},
        {"text contains Acme Corp", "! (\"Acme Corp\")"},
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string parsed = Parsed(c.text);
        if (c.expected[0] == '!') {
            EXPECT_EQ(parsed.rfind("! ", 0), 0u) << parsed;
            EXPECT_NE(parsed.find(c.expected + 2), std::string::npos) << parsed;
        } else {
            EXPECT_EQ(parsed, c.expected);
        }
    }
}

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
        {"amount between 500 100", RuleResult::NotApplicable, "250.00", "PRICETYPE"},
        {"text in \"Acme, Inc.\",globex", RuleResult::Holds, "GLOBEX", "STRTYPE"},
        {"number in 7,12.5", RuleResult::Holds, "12.50", "QUANTYPE"},
        {"number in 7,12.5", RuleResult::Fails, "12", "PERCENTTYPE"},
        {"percent lt 7.75", RuleResult::Fails, "7.75", "PERCENTTYPE"},
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

TEST(WordRuleFilling, ValuesTheRuleCannotTakeAreRefusedInWords) {
    struct Case {
        const char* text;
        const char* says;  // nullptr: taken
    };
    const Case cases[] = {
        {"amount gt 1,000", "is not a number"},
        {"amount gt 1e5", "is not a number"},
        {"number in 1,x", "is not a number"},
        {"amount gt inf", "is not a number"},
        {"amount gt +5", nullptr},
        {"text contains \"  \"", "not blank"},
        {"time eq 2026-01-01", "\"time\" is no data type"},
        {"date eq 2026-02-30", "is not a date"},
        {"date contains 2026", "does not fit date"},
        {"text is-blank", "field rules"},
    };
    for (const Case& c : cases) {
        Criterion rule;
        const std::string error = Fill(c.text, rule);
        if (c.says) {
            EXPECT_NE(error.find(c.says), std::string::npos) << c.text << " -> " << error;
        } else {
            EXPECT_EQ(error, "") << c.text;
        }
    }
}

using test::LooseTag;

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
        {"//InvoiceRet/Memo", "STRTYPE", "Memo gt 5", false},
        {"//InvoiceRet/Subtotal", "AMTTYPE", "Subtotal between 1 2", true},
        {"//InvoiceRet/Subtotal", "AMTTYPE", "Subtotal contains 5", false},
        {"//InvoiceRet/Subtotal", "AMTTYPE", "Subtotal is-blank", false},
        {"//InvoiceRet/TxnNumber", "INTTYPE", "TxnNumber eq 7", true},
        {"//InvoiceRet/IsPaid", "BOOLTYPE", "IsPaid is-true", true},
        {"//InvoiceRet/IsPaid", "BOOLTYPE", "IsPaid eq 1", false},
    };
    for (const Case& c : cases) {
        FieldCriterion rule;
        std::string error = FillField(c.text, LooseTag(c.path, c.dataType), rule);
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
    std::string error = FillField("TxnID eq 5", LooseTag("//InvoiceRet/TxnID", "IDTYPE"), rule);
    EXPECT_NE(error.find("TxnID is a IDTYPE field"), std::string::npos) << error;
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
    EXPECT_EQ(QuoteRuleValue("Acme Corp"), "\"Acme Corp\"");
    EXPECT_EQ(QuoteRuleValue(""), "\"\"");
    EXPECT_EQ(QuoteRuleValue("say \"hi\""), "\"say \\\"hi\\\"\"");
    EXPECT_EQ(QuoteRuleValue("and"), "\"and\"");
    EXPECT_EQ(QuoteRuleValue("'90s"), "\"'90s\"");  // would open a single quote
    EXPECT_EQ(QuoteRuleValue("O'Brien"), "O'Brien");
}

TEST(RuleWriting, WrittenRulesParseBackToEqualRules) {
    const std::vector<std::string> texts = {"text contains \"Acme Corp\"",
                                            "text starts-with \"say \\\"hi\\\"\"",
                                            "amount between 100 500",
                                            "text in \"Acme, Inc.\",B",
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
                        LooseTag("//InvoiceRet/CustomerRef/FullName", "STRTYPE"), field),
              "");
    EXPECT_EQ(FieldCriterionText(field, true),
              "or CustomerRef/FullName in \"Zoë's Bakery, Inc.\",x");
    FieldCriterion due;
    ASSERT_EQ(FillField("DueDate le Yesterday", LooseTag("//InvoiceRet/DueDate", "DATETYPE"), due),
              "");
    EXPECT_EQ(FieldCriterionText(due, false), "DueDate le yesterday");
    FieldCriterion blank;
    ASSERT_EQ(FillField("Memo is-blank", LooseTag("//InvoiceRet/Memo", "STRTYPE"), blank), "");
    EXPECT_EQ(FieldCriterionText(blank, false), "Memo is-blank");
}

}  // namespace
}  // namespace quarrion
