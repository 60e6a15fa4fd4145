#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace quarrion::test {
namespace {

namespace fs = std::filesystem;

// What a bookkeeper asks of a search from the terminal.
using CliQuestions = CliCompany;

TEST_F(CliQuestions, TypesAreListedAndNamedByCodeNameOrTitle) {
    const CliRun types = Cli("types");
    EXPECT_EQ(types.exitCode, 0) << types.err;
    EXPECT_EQ(types.out.rfind("Code\tName\tTitle\n", 0), 0u) << types.out;
    EXPECT_EQ(Count(types.out, "\n"), 35u) << "a heading and 34 types";
    for (const char* spelling : {"26", "ItemInventory", "InventoryItem", "'INVENTORY  ITEM'"}) {
        const CliRun run = Search(std::string("--type ") + spelling);
        EXPECT_EQ(run.exitCode, 0) << spelling << "\n" << run.err;
        EXPECT_NE(run.out.find("Inventory Item"), std::string::npos) << spelling;
    }
    const CliRun slip = Search("--type 'Sales Reciept'");
    EXPECT_EQ(slip.exitCode, 2);
    EXPECT_NE(slip.err.find("did you mean SalesReceipt"), std::string::npos) << slip.err;
}

TEST_F(CliQuestions, EveryExampleInMessagesAndHelpRuns) {
    // A message shows in its last parentheses what to write instead; written so, it runs.
    const std::vector<std::array<std::string, 3>> advised = {
        {"--field", "Invoice BalanceRemaining gt 0", "Invoice: RefNumber equals 1001"},
        {"--field", ": BalanceRemaining gt 0", "Invoice: RefNumber equals 1001"},
        {"--rule", "text in \"Cafe Muller,Acme Supply\"", "in \"Cafe Muller\",\"Acme Supply\""},
    };
    for (const auto& [option, wrong, expected] : advised) {
        const CliRun run = Search("--type Invoice " + option + " '" + wrong + "'");
        EXPECT_EQ(run.exitCode, 2) << wrong;
        const std::size_t open = run.err.rfind('('), close = run.err.rfind(')');
        ASSERT_LT(open, close) << run.err;
        const std::string example = run.err.substr(open + 1, close - open - 1);
        EXPECT_EQ(example, expected) << run.err;
        const std::string typed = (option == "--rule" ? "text " : "") + example;
        EXPECT_EQ(Search("--type Invoice " + option + " '" + typed + "'").exitCode, 0) << typed;
    }
    // The examples of search --help, as the help writes them (quotes escaped).
    const std::string help = Cli("search --help").out;
    const std::vector<std::pair<const char*, std::string>> examples = {
        {"--rule", "text contains \\\"Acme Corp\\\""},
        {"--rule", "or amount between 100 500"},
        {"--rule", "text in A,B"},
        {"--rule", "date between 2026-01-01 last-month"},
        {"--field", "Invoice: DueDate lt today"},
        {"--field", "*: Memo contains damaged"},
        {"--field", "Invoice: Memo starts-with Rush"},
    };
    for (const auto& [option, example] : examples) {
        EXPECT_NE(help.find("\"" + example + "\""), std::string::npos) << example;
        const std::string typed = std::regex_replace(example, std::regex(R"(\\")"), "\"");
        const CliRun run = Search("--type Invoice --rule 'text contains a' " + std::string(option) +
                                  " '" + typed + "'");
        EXPECT_EQ(run.exitCode, 0) << example << "\n" << run.err;
    }
    // The help says which letter-case rule applies where.
    for (const char* said : {"text rules here ignore letter case in every operation",
                             "starts-with, ends-with and whole-word match letter case here unless "
                             "--field-case insensitive"})
        EXPECT_NE(help.find(said), std::string::npos) << said;
}

// The company's invoices are dated 2023-11-02 (1001), 2023-11-20, 2024-04-30 (1003
// and 1004), 2024-07-30, 2024-09-23, 2024-09-26, 2024-10-21, 2024-10-31, 2025-05-19,
// 2025-06-23, 2025-10-03, 2025-12-20, 2026-05-11, 2026-06-23, 2026-07-28, 2026-09-23
// and 2026-11-02 (1018): eighteen in all.
TEST_F(CliQuestions, DateRulesAndRangesFindTheRecordsTheySay) {
    // Saved searches keep their relative dates, in a field rule and in the date range.
    const std::string invoices = "--type Invoice --today 2026-11-02 ";
    const std::string quarter = "--field 'Invoice: TxnDate eq last-quarter'";
    ASSERT_EQ(Search(invoices + quarter + " --save 'Last quarter'").exitCode, 0);
    ASSERT_EQ(Search(invoices + "--from last-year --to last-year --save 'Last year'").exitCode, 0);
    EXPECT_NE(Home("searches", "show 'Last quarter'").out.find(quarter), std::string::npos);
    EXPECT_NE(Home("searches", "show 'Last year'").out.find("last-year ("), std::string::npos);
    const std::vector<std::pair<std::string, int>> cases = {
        // A date rule takes its whole day; relative values count from today.
        {invoices + "--field 'Invoice: TxnDate le 2024-04-30'", 4},
        {invoices + quarter, 2},
        // A global date rule tries every date and date-time element (the day of a time).
        {"--type Invoice --rule 'date eq 2024-04-30'", 2},
        // A span's first day for --from and its last for --to.
        {invoices + "--from last-year --to last-year", 4},
        // Saved relative dates count from the day the search runs: April to June 2026
        // holds 1014 and 1015; 2026 holds five. --from and --to replace a saved end.
        {"--saved 'Last quarter' --today 2026-08-02", 2},
        {"--saved 'Last quarter' --today 2026-11-02 --from 2026-09-01", 1},
        {"--saved 'Last year' --today 2027-01-10", 5},
        {"--saved 'Last year' --today 2027-01-10 --to 2026-06-30", 2},
    };
    for (const auto& [arguments, found] : cases) {
        const CliRun run = Search(arguments);
        EXPECT_EQ(run.exitCode, 0) << arguments << "\n" << run.err;
        EXPECT_NE(run.out.find("Found " + std::to_string(found) + " Done."), std::string::npos)
            << arguments << "\n"
            << run.out;
    }
}

TEST_F(CliQuestions, AFieldRuleForEveryTypeReachesTheTypesThatHaveTheField) {
    // Invoices 1003 ("balance on backorder") and 1015 ("Backorder items to follow")
    // have the memo; customers have no Memo and keep the global rule (three Acme names).
    const CliRun run = Search(
        "--type Invoice --type Customer --field '*: Memo contains backorder' --rule 'text "
        "contains Acme' --format json");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::regex counts(
        "\"name\": \"Invoice\"[^}]*Found 2 Done(.|\n)*\"name\": \"Customer\"[^}]*Found 3 Done");
    EXPECT_TRUE(std::regex_search(run.out, counts)) << run.out;
    EXPECT_NE(run.out.find("\"1003\""), std::string::npos);
    EXPECT_NE(run.out.find("\"1015\""), std::string::npos);
}

TEST_F(CliQuestions, ViewFindsARecordByIdentityOrNumberAndNamesIt) {
    // Invoice 1003 of Café Müller, dated 2024-04-30: its TxnID read from the company file.
    const std::string company = ReadAll(company_);
    const std::size_t ref = company.find("<RefNumber>1003</RefNumber>");
    ASSERT_NE(ref, std::string::npos);
    const std::size_t idAt = company.rfind("<TxnID>", ref) + std::string("<TxnID>").size();
    const std::string id = company.substr(idAt, company.find('<', idAt) - idAt);
    const fs::path page = dir_.Path() / "record.html";
    const std::string view = "--type Invoice --out " + Shell(page.string()) + " ";
    for (const std::string& which :
         {std::string("--ref 1003"), "--id " + Shell(id), std::string("--key k2")}) {
        const CliRun run = Run("view", view + which);
        EXPECT_EQ(run.exitCode, 0) << which << "\n" << run.err;
        EXPECT_NE(run.out.find("Invoice 1003, Café Müller, 2024-04-30, key k2."), std::string::npos)
            << which << "\n"
            << run.out;
        EXPECT_NE(ReadAll(page).find("1003"), std::string::npos) << which;
    }
    // The page sits outside the data folder, so it carries its pictures itself.
    const std::string html = ReadAll(page);
    EXPECT_EQ(html.find("../dataview.gif"), std::string::npos);
    EXPECT_NE(html.find("url(data:image/gif;base64,"), std::string::npos);

    struct Case {
        std::string which;
        int exitCode;
        std::string message;
    };
    const std::vector<Case> refused = {
        {"--ref 99999", 1, "no Invoice record the search received has the number 99999"},
        {"--key k9999", 1, "no Invoice record has the key k9999"},
        {"--id nothing", 1, "has the identity nothing"},
        {"--ref 1003 --key k2", 2, "give one of --key, --id or --ref"},
    };
    fs::remove(page);
    for (const Case& c : refused) {
        const CliRun run = Run("view", view + c.which);
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

    // Without rules a full list is what was asked for: no notice.
    EXPECT_NE(Search("--type CustomerType").out.find("Found 7 Done.\n"), std::string::npos);
}

}  // namespace
}  // namespace quarrion::test
