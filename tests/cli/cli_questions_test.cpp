#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "support/temp_home.h"

namespace quarrion::test {
namespace {

namespace fs = std::filesystem;

// What a bookkeeper asks of a search from the terminal.
using CliQuestions = CliCompany;

// The example a message gives in parentheses after `lead`.
std::string ExampleAfter(const std::string& message, const std::string& lead) {
    const std::size_t at = message.find(lead);
    if (at == std::string::npos) return {};
    const std::size_t end = message.rfind(')');
    if (end == std::string::npos || end < at + lead.size()) return {};
    return message.substr(at + lead.size(), end - at - lead.size());
}

TEST_F(CliQuestions, AMissingResponseFileFailsItsTypeInsteadOfFindingNothing) {
    const fs::path folder = dir_.Path() / "responses";
    fs::create_directories(folder);
    std::ofstream(folder / "Invoice.xml")
        << "<?xml version=\"1.0\"?><QBXML><QBXMLMsgsRs><InvoiceQueryRs statusCode=\"0\" "
           "statusSeverity=\"Info\" statusMessage=\"Status OK\"><InvoiceRet><TxnID>T-1</TxnID>"
           "<TxnDate>2026-10-01</TxnDate><RefNumber>77</RefNumber></InvoiceRet>"
           "</InvoiceQueryRs></QBXMLMsgsRs></QBXML>";
    const CliRun run =
        Home("search", "--responses " + Shell(folder.string()) + " --type Invoice --type Customer");
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_NE(run.err.find("Customer.xml"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("77"), std::string::npos) << "the present type is still listed\n"
                                                     << run.out;
    EXPECT_EQ(run.out.find("No matches found"), std::string::npos) << run.out;
    const CliRun log = Home("log", "show");
    EXPECT_NE(log.out.find("Customer.xml"), std::string::npos) << log.out;
}

TEST_F(CliQuestions, TypesAreNamedByCodeNameOrTitle) {
    for (const char* spelling : {"26", "ItemInventory", "InventoryItem", "'INVENTORY  ITEM'"}) {
        const CliRun run = Search(std::string("--type ") + spelling);
        EXPECT_EQ(run.exitCode, 0) << spelling << "\n" << run.err;
        EXPECT_NE(run.out.find("Inventory Item"), std::string::npos) << spelling;
    }
    struct Case {
        std::string typed;
        std::string suggested;
    };
    for (const Case& c : std::vector<Case>{{"InventryItem", "ItemInventory"},
                                           {"'Sales Reciept'", "SalesReceipt"}}) {
        const CliRun run = Search("--type " + c.typed);
        EXPECT_EQ(run.exitCode, 2) << c.typed;
        EXPECT_NE(run.err.find("did you mean " + c.suggested), std::string::npos) << c.typed << "\n"
                                                                                  << run.err;
    }
}

TEST(CliTypes, ListsCodeNameAndTitleOfEveryType) {
    const CliRun run = Cli("types");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Code\tName\tTitle\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\n26\tItemInventory\tInventory Item\n"), std::string::npos);
    EXPECT_NE(run.out.find("\n8\tSalesReceipt\tSales Receipt\n"), std::string::npos);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 35) << "a heading and 34 types";
}

TEST(CliVersion, PrintsTheVersion) {
    const CliRun run = Cli("--version");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(std::regex_match(run.out, std::regex("quarrion-cli [0-9]+\\.[0-9]+.*\n")))
        << run.out;
}

TEST_F(CliQuestions, OneQuotedValueWithCommasIsRefusedWithTheListToWrite) {
    const CliRun refused = Search("--type Customer --rule 'text in \"Cafe Muller,Acme Supply\"'");
    EXPECT_EQ(refused.exitCode, 2);
    const std::string advice = ExampleAfter(refused.err, "(in ");
    EXPECT_EQ(advice, "\"Cafe Muller\",\"Acme Supply\"") << refused.err;
    // The advice is a rule that runs.
    const CliRun advised = Search("--type Customer --rule 'text in " + advice + "'");
    EXPECT_EQ(advised.exitCode, 0) << advised.err;
}

TEST_F(CliQuestions, EveryExampleInMessagesAndHelpRuns) {
    // The field-rule messages show a rule to copy.
    for (const char* wrong : {"Invoice BalanceRemaining gt 0", ": BalanceRemaining gt 0"}) {
        const CliRun run = Search(std::string("--type Invoice --field '") + wrong + "'");
        ASSERT_EQ(run.exitCode, 2) << wrong;
        const std::size_t open = run.err.rfind('(');
        ASSERT_NE(open, std::string::npos) << run.err;
        const std::string example = ExampleAfter(run.err, run.err.substr(open, 1));
        ASSERT_FALSE(example.empty()) << run.err;
        const CliRun copied = Search("--type Invoice --field '" + example + "'");
        EXPECT_EQ(copied.exitCode, 0) << example << "\n" << copied.err;
    }
    // The rule examples of search --help, as the help writes them.
    const CliRun help = Cli("search --help");
    const std::vector<std::string> examples = {"text contains \"Acme Corp\"",
                                               "or amount between 100 500", "text in A,B",
                                               "date between 2026-01-01 last-month"};
    for (const std::string& example : examples) {
        std::string escaped;
        for (char c : example) {
            if (c == '"') escaped += "\\";
            escaped.push_back(c);
        }
        EXPECT_NE(help.out.find("\"" + escaped + "\""), std::string::npos) << example;
        const CliRun run =
            Search("--type Invoice --rule 'text contains a' --rule '" + example + "'");
        EXPECT_EQ(run.exitCode, 0) << example << "\n" << run.err;
    }
    // And its field-rule examples.
    for (const std::string& example :
         {std::string("Invoice: DueDate lt today"), std::string("*: Memo contains damaged")}) {
        EXPECT_NE(help.out.find("\"" + example + "\""), std::string::npos) << example;
        const CliRun run = Search("--type Invoice --field '" + example + "'");
        EXPECT_EQ(run.exitCode, 0) << example << "\n" << run.err;
    }
}

// The company's invoices are dated 2023-11-02 (1001), 2023-11-20, 2024-04-30 (1003
// and 1004), 2024-07-30, 2024-09-23, 2024-09-26, 2024-10-21, 2024-10-31, 2025-05-19,
// 2025-06-23, 2025-10-03, 2025-12-20, 2026-05-11, 2026-06-23, 2026-07-28, 2026-09-23
// and 2026-11-02 (1018): eighteen in all.
TEST_F(CliQuestions, RulesFindTheRecordsTheySay) {
    // A saved search keeps its relative dates and takes date overrides.
    const CliRun saved =
        Search("--type Invoice --field 'Invoice: TxnDate eq last-quarter' --save 'Last quarter'");
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    const CliRun shown = Home("searches", "show 'Last quarter'");
    EXPECT_NE(shown.out.find("--field 'Invoice: TxnDate eq last-quarter'"), std::string::npos)
        << shown.out;
    struct Case {
        std::string arguments;
        int found;
    };
    const std::string field = "--type Invoice --today 2026-11-02 --field 'Invoice: TxnDate ";
    const std::vector<Case> cases = {
        // Text equals wants the whole value, in any letter case.
        {"--type Customer --rule 'text equals \"café müller\"'", 1},
        {"--type Customer --rule 'text equals CAFÉ'", 0},
        {"--type Invoice --field 'Invoice: RefNumber equals 100'", 0},
        // A date rule takes its whole day; relative values count from today.
        {field + "le 2024-04-30'", 4},
        {field + "eq last-quarter'", 2},
        // A global date rule tries every date and date-time element (the day of a time).
        {"--type Invoice --rule 'date eq 2024-04-30'", 2},
        // The date range takes the same values, a span's first day for --from and its
        // last for --to.
        {"--type Invoice --today 2026-11-02 --from last-year --to last-year", 4},
        {"--type Invoice --today 2026-11-02 --from this-year", 5},
        // Overdue invoices, one field rule on the due date and one on the balance.
        {"--type Invoice --today 2027-01-02 --field 'Invoice: DueDate lt today' --field "
         "'Invoice: BalanceRemaining gt 0'",
         1},
        {"--type Invoice --today 2027-01-01 --field 'Invoice: DueDate lt today' --field "
         "'Invoice: BalanceRemaining gt 0'",
         0},
        // The saved last quarter: July to September 2026 holds 1016 and 1017, April to
        // June 1014 and 1015; a date range from September keeps only 1017.
        {"--saved 'Last quarter' --today 2026-11-02", 2},
        {"--saved 'Last quarter' --today 2026-08-02", 2},
        {"--saved 'Last quarter' --today 2026-11-02 --from 2026-09-01", 1},
    };
    for (const Case& c : cases) {
        const CliRun run = Search(c.arguments);
        EXPECT_EQ(run.exitCode, 0) << c.arguments << "\n" << run.err;
        EXPECT_NE(run.out.find("Found " + std::to_string(c.found) + " Done."), std::string::npos)
            << c.arguments << "\n"
            << run.out;
    }
    const CliRun wrong = Search(field + "eq 2026-02-30'");
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_NE(wrong.err.find("is not a date"), std::string::npos) << wrong.err;
    const CliRun text = Search(field + "contains 2026'");
    EXPECT_EQ(text.exitCode, 2);
    EXPECT_NE(text.err.find("a date field"), std::string::npos) << text.err;
    EXPECT_EQ(Search("--saved 'Last quarter' --from 2026-09-01 --to 2026-08-01").exitCode, 2);
}

TEST_F(CliQuestions, AFieldRuleForEveryTypeReachesTheTypesThatHaveTheField) {
    // Invoices 1003 ("balance on backorder") and 1015 ("Backorder items to follow")
    // have the memo; customers have no Memo and keep the global rule (three Acme names).
    const CliRun run = Search(
        "--type Invoice --type Customer --field '*: Memo contains backorder' --rule 'text "
        "contains Acme' --format json");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::regex found("\"name\": \"(\\w+)\"[^}]*\"message\": \"[^\"]*Found (\\d+) Done");
    std::vector<std::string> counts;
    for (std::sregex_iterator it(run.out.begin(), run.out.end(), found), end; it != end; ++it) {
        counts.push_back((*it)[1].str() + " " + (*it)[2].str());
    }
    EXPECT_EQ(counts, (std::vector<std::string>{"Invoice 2", "Customer 3"})) << run.out;
    EXPECT_NE(run.out.find("\"1003\""), std::string::npos);
    EXPECT_NE(run.out.find("\"1015\""), std::string::npos);

    const CliRun none = Search("--type Customer --field '*: Memo contains backorder'");
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_NE(none.err.find("no included type has a field \"Memo\""), std::string::npos)
        << none.err;
    const CliRun wrongOp = Search("--type Invoice --type Customer --field '*: Memo gt 3'");
    EXPECT_EQ(wrongOp.exitCode, 2);
    EXPECT_NE(wrongOp.err.find("Invoice: gt does not fit Memo"), std::string::npos) << wrongOp.err;
}

TEST_F(CliQuestions, ViewFindsARecordByIdentityOrNumberAndNamesIt) {
    // Invoice 1003 of Café Müller, dated 2024-04-30: its TxnID read from the company file.
    const std::string company = ReadAll(company_);
    const std::size_t ref = company.find("<RefNumber>1003</RefNumber>");
    ASSERT_NE(ref, std::string::npos);
    const std::size_t idAt = company.rfind("<TxnID>", ref) + std::string("<TxnID>").size();
    const std::string id = company.substr(idAt, company.find('<', idAt) - idAt);
    const std::string naming = "Invoice 1003, Café Müller, 2024-04-30, key k2.";
    const fs::path page = dir_.Path() / "record.html";
    const std::string view = "--type Invoice --out " + Shell(page.string());
    for (const std::string& which :
         std::vector<std::string>{"--ref 1003", "--id " + Shell(id), "--key k2"}) {
        const CliRun run = Run("view", view + " " + which);
        EXPECT_EQ(run.exitCode, 0) << which << "\n" << run.err;
        EXPECT_NE(run.out.find(naming), std::string::npos) << which << "\n" << run.out;
        EXPECT_NE(ReadAll(page).find("1003"), std::string::npos) << which;
    }
    // The page sits outside the data folder, so it carries its pictures itself.
    const std::string html = ReadAll(page);
    EXPECT_NE(html.find("<html"), std::string::npos);
    EXPECT_EQ(html.find("../dataview.gif"), std::string::npos);
    EXPECT_EQ(html.find("../xml_globe_00_tn.jpg"), std::string::npos);
    EXPECT_NE(html.find("url(data:image/gif;base64,"), std::string::npos);
    EXPECT_NE(html.find("src=\"data:image/jpeg;base64,"), std::string::npos);
    const CliRun another = Run("view", view + " --key k3");
    EXPECT_NE(another.out.find("Invoice 1004, CAFÉ MÜLLER GmbH, 2024-04-30, key k3."),
              std::string::npos)
        << another.out;

    struct Case {
        std::string which;
        int exitCode;
        std::string message;
    };
    const std::vector<Case> refused = {
        {"--ref 99999", 1, "no Invoice record the search received has the number 99999"},
        {"--key k9999", 1, "no Invoice record has the key k9999"},
        {"--key nine", 2, ""},
        {"--id nothing", 1, "has the identity nothing"},
        {"", 2, "give one of --key, --id or --ref"},
        {"--ref 1003 --key k2", 2, "give one of --key, --id or --ref"},
    };
    std::filesystem::remove(page);
    for (const Case& c : refused) {
        const CliRun run = Run("view", view + " " + c.which);
        EXPECT_FALSE(fs::exists(page)) << c.which;
        EXPECT_EQ(run.exitCode, c.exitCode) << c.which;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.which << "\n" << run.err;
    }
}

TEST_F(CliQuestions, AFullListSaysWhyAndEmptyTypesCanBeHidden) {
    // Customer types have no amount, so the amount rule lists all seven of them; no
    // invoice reaches a million.
    const std::string arguments = "--type Invoice --type CustomerType --rule 'amount gt 1000000'";
    const std::string notice =
        "Found 7 Done. Every record is listed: this type has no field of the kind the rules test.";
    const CliRun all = Search(arguments);
    ASSERT_EQ(all.exitCode, 0) << all.err;
    EXPECT_NE(all.out.find("Invoice\n  18/18  Found 0 Done.\n"), std::string::npos) << all.out;
    EXPECT_NE(all.out.find(notice), std::string::npos) << all.out;

    const CliRun hidden = Search(arguments + " --hide-empty");
    EXPECT_EQ(hidden.out.find("Invoice"), std::string::npos) << hidden.out;
    EXPECT_NE(hidden.out.find(notice), std::string::npos) << hidden.out;
    const CliRun json = Search(arguments + " --hide-empty --format json");
    EXPECT_EQ(json.out.find("\"Invoice\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"CustomerType\""), std::string::npos) << json.out;

    // Without rules a full list is what was asked for: no notice.
    const CliRun plain = Search("--type CustomerType");
    EXPECT_NE(plain.out.find("Found 7 Done.\n"), std::string::npos) << plain.out;
}

TEST_F(CliQuestions, CsvFilesCarryAByteOrderMarkOnlyWhenAsked) {
    const fs::path plain = dir_.Path() / "plain";
    const fs::path marked = dir_.Path() / "marked";
    const std::string arguments =
        "--type Customer --type Invoice --rule 'text equals \"Café Müller\"'";
    ASSERT_EQ(Search(arguments + " --export " + Shell(plain.string())).exitCode, 0);
    const CliRun run = Search(arguments + " --bom --export " + Shell(marked.string()));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string bom = "\xEF\xBB\xBF";
    const std::string plainText = ReadAll(plain / "Customer List.csv");
    const std::string markedText = ReadAll(marked / "Customer List.csv");
    EXPECT_NE(plainText.substr(0, 3), bom);
    EXPECT_EQ(markedText.substr(0, 3), bom);
    EXPECT_EQ(markedText.substr(3), plainText) << "the mark is all that differs";
    EXPECT_NE(markedText.find("Café Müller"), std::string::npos);
    const CliRun workbook =
        Search(arguments + " --bom --export " + Shell(marked.string()) + " --as xlsx");
    EXPECT_EQ(workbook.exitCode, 2);
    EXPECT_NE(workbook.err.find("--bom is for csv and tsv files"), std::string::npos)
        << workbook.err;
}

}  // namespace
}  // namespace quarrion::test
