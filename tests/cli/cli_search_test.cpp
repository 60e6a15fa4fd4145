#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "support/temp_home.h"

namespace quarrion::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

class CliSearch : public CliCompany {
  protected:
    // The checker's summary of a JSON or workbook file; fails the test when the file's
    // shape is wrong.
    std::string Checked(const char* kind, const fs::path& file) {
        const fs::path summary = dir_.Path() / "summary.txt";
        const std::string command = std::string("/usr/bin/python3 ") + QUARRION_RESULTS_CHECKER +
                                    " " + kind + " " + Shell(file.string()) + " >" +
                                    Shell(summary.string());
        EXPECT_EQ(std::system(command.c_str()), 0) << kind << " " << file;
        return ReadAll(summary);
    }
    std::string CheckedJson(const std::string& json) {
        const fs::path file = dir_.Path() / "results.json";
        std::ofstream(file, std::ios::binary) << json;
        return Checked("json", file);
    }
};

TEST_F(CliSearch, ListsTheMatchingRecordsAsATable) {
    const CliRun run = Search("--type Invoice --type customer --rule 'text contains supply'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_GE(lines.size(), 6u) << run.out;
    EXPECT_EQ(lines[0], "Invoice");
    EXPECT_NE(lines[1].find(" Done."), std::string::npos) << lines[1];
    EXPECT_NE(run.out.find("Key  Date"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nCustomer\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Match"), std::string::npos);
    EXPECT_GE(Count(run.out, "Supply"), 2u) << run.out;
}

TEST_F(CliSearch, CsvAndTsvExportsWriteAListFilePerType) {
    const fs::path out = dir_.Path() / "exports";
    const CliRun csv = Search("--type Invoice --type Customer --rule 'text contains a' --export " +
                              Shell(out.string()) + " --as csv");
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    EXPECT_EQ(csv.out, (out / "Invoice List.csv").string() + "\n" +
                           (out / "Customer List.csv").string() + "\n");
    const std::string invoices = ReadAll(out / "Invoice List.csv");
    EXPECT_EQ(invoices.rfind("Date,Num,Customer,", 0), 0u) << invoices.substr(0, 80);
    EXPECT_EQ(Count(invoices, "\r\n"), Count(invoices, "\n"));

    // The csv on standard output is the file, byte for byte.
    const CliRun shown = Search("--type Invoice --rule 'text contains a' --format csv");
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(shown.out, invoices);

    const CliRun tsv = Search("--type Invoice --rule 'text contains a' --format tsv --export " +
                              Shell(out.string()) + " --as tsv");
    ASSERT_EQ(tsv.exitCode, 0) << tsv.err;
    const std::string tabbed = ReadAll(out / "Invoice List.txt");
    EXPECT_EQ(tabbed.rfind("Date\tNum\tCustomer\t", 0), 0u);
    EXPECT_EQ(tsv.out, tabbed);
    EXPECT_EQ(tsv.err, (out / "Invoice List.txt").string() + "\n");
}

TEST_F(CliSearch, JsonAndTheWorkbookHoldTheTypesColumnsAndRowsInOrder) {
    const fs::path out = dir_.Path() / "books";
    const CliRun run = Search(
        "--type Invoice --type Customer --rule 'text contains supply' --from 2024-01-01 "
        "--to 2026-11-02 --format json --export " +
        Shell(out.string()) + " --as xlsx");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\"request_type\": 4,"), std::string::npos);
    EXPECT_NE(run.out.find("\"key\": \"//InvoiceRet/TxnDate\", \"heading\": \"Date\""),
              std::string::npos);
    const std::vector<std::string> json = Lines(CheckedJson(run.out));
    ASSERT_GE(json.size(), 3u);
    EXPECT_EQ(json[0], "(2024-01-01 and 2026-11-02)");
    EXPECT_EQ(json[1].rfind("Invoice: k", 0), 0u) << json[1];
    std::size_t rows = 0, customers = 0;
    for (const std::string& line : json) {
        customers += line.rfind("Customer: k", 0) == 0 ? 1 : 0;
        if (line.rfind("  ", 0) != 0) continue;
        ++rows;  // every row matched through its match text
        std::string match = line.substr(line.rfind(" / ") + 3);
        for (char& c : match) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_NE(match.find("supply"), std::string::npos) << line;
    }
    EXPECT_EQ(customers, 1u);
    EXPECT_GE(rows, 2u);

    // The workbook's sheets, headings and first column agree with the JSON.
    const fs::path book = out / "(2024-01-01 and 2026-11-02).xlsx";
    ASSERT_TRUE(fs::exists(book)) << run.err;
    const std::vector<std::string> sheets = Lines(Checked("xlsx", book));
    std::vector<std::string> expected;
    for (std::size_t i = 1; i < json.size(); ++i) {
        if (json[i].rfind("  ", 0) == 0) {
            expected.push_back("  " + json[i].substr(2, json[i].find('|') - 2));
        } else {
            expected.push_back(json[i].substr(0, json[i].find(':')) + ":");
        }
    }
    std::vector<std::string> actual;
    for (const std::string& line : sheets) {
        actual.push_back(line.rfind("  ", 0) == 0 ? line : line.substr(0, line.find(':') + 1));
    }
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(sheets[0], "Invoice: Date|Num|Customer|Due Date|Subtotal|Open Balance|Memo");
}

TEST_F(CliSearch, ASavedSearchRunsAsTheOptionsThatMadeIt) {
    const std::string options =
        "--type Invoice --type Customer --from 2024-01-01 --to 2026-11-02 --date-filter txn "
        "--rule 'text contains supply' --rule 'or amount gt 20000' "
        "--field 'Invoice: CustomerRef/FullName in \"ACME Supply Co.\",\"Baker Lumber\"'";
    const CliRun saved = Search(options + " --save 'Supply watch' --description 'who buys'");
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_EQ(saved.out, "Saved the search \"Supply watch\".\n");

    const CliRun direct = Search(options + " --format json");
    const CliRun again = Search("--saved 'supply WATCH' --format json");
    ASSERT_EQ(again.exitCode, 0) << again.err;
    std::vector<std::string> fromOptions = Lines(CheckedJson(direct.out));
    std::vector<std::string> fromStore = Lines(CheckedJson(again.out));
    EXPECT_EQ(fromStore[0], "Supply watch");
    // The store keeps the included types in type-code order.
    auto byType = [](std::vector<std::string> lines) {
        lines.erase(lines.begin());
        return lines;
    };
    std::vector<std::string> a = byType(fromOptions), b = byType(fromStore);
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
    EXPECT_GT(Count(again.out, "\"key\": \"k"), 0u);

    // The data folder may also be named before the command.
    const CliRun listed = Cli("--home " + Shell(home_.string()) + " searches list");
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_NE(listed.out.find("Supply watch"), std::string::npos);
    EXPECT_NE(listed.out.find("who buys"), std::string::npos);
    const CliRun shown = Home("searches", "show 'Supply watch'");
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_NE(shown.out.find("--rule 'or amount gt 20000'"), std::string::npos) << shown.out;
    EXPECT_NE(
        shown.out.find(
            "--field 'Invoice: CustomerRef/FullName in \"ACME Supply Co.\",\"Baker Lumber\"'"),
        std::string::npos)
        << shown.out;
    EXPECT_NE(shown.out.find("2024-01-01 to 2026-11-02, by transaction date"), std::string::npos);

    const CliRun clash = Search("--type Bill --save 'Supply watch'");
    EXPECT_EQ(clash.exitCode, 1);
    EXPECT_NE(clash.err.find("add --replace"), std::string::npos) << clash.err;
    const CliRun replaced = Search("--type Bill --save 'Supply watch' --replace");
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
    EXPECT_NE(Home("searches", "show 'Supply watch'").out.find("Types:        Bill"),
              std::string::npos);

    EXPECT_EQ(Home("searches", "delete 'Supply watch'").exitCode, 0);
    const CliRun gone = Search("--saved 'Supply watch'");
    EXPECT_EQ(gone.exitCode, 2);
    EXPECT_NE(gone.err.find("no saved search is named \"Supply watch\""), std::string::npos)
        << gone.err;
    EXPECT_EQ(Home("searches", "list").out, "No saved searches.\n");
}

TEST_F(CliSearch, ToPrintMarksEveryListedTransaction) {
    auto printable = [&] {
        const CliRun run =
            Search("--type Invoice --field 'Invoice: IsToBePrinted is-true' --format json");
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return Count(run.out, "\"key\": \"k");
    };
    const std::size_t invoices = Count(Search("--type Invoice --format json").out, "\"key\": \"k");
    const std::size_t before = printable();
    ASSERT_LT(before, invoices);

    const CliRun set = Run("to-print", "set --type Invoice --format csv");
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_NE(set.err.find("Set " + std::to_string(invoices) + " of " + std::to_string(invoices) +
                           " listed Invoice transactions to be printed."),
              std::string::npos)
        << set.err;
    EXPECT_EQ(Count(set.out, "\r\n"), invoices + 1) << "the list follows";
    EXPECT_EQ(printable(), invoices);

    const CliRun cleared =
        Run("to-print", "clear --type invoice --rule 'text contains supply' --double-check");
    ASSERT_EQ(cleared.exitCode, 0) << cleared.err;
    const std::size_t supply = Count(cleared.out, "\nk");
    EXPECT_GT(supply, 0u);
    EXPECT_EQ(printable(), invoices - supply);

    const CliRun refused = Run("to-print", "set --type Customer");
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("Customer has no to-be-printed state"), std::string::npos);
    EXPECT_EQ(Run("to-print", "set").exitCode, 2) << "--type is required";
}

TEST_F(CliSearch, UsageErrorsSayWhatIsWrong) {
    struct Case {
        std::string arguments;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"--type Invoices", "\"Invoices\" is not a type"},
        {"--rule 'text contains a'", "You must select at least one transaction type"},
        {"--type Invoice --rule 'text contains Acme Corp'",
         "write a value with blanks in double quotes"},
        {"--type Invoice --field 'Invoice: CustomerRef/FulName eq a'",
         "close matches: CustomerRef/FullName"},
        {"--type Invoice --from 2026-05-01 --to 2026-04-01", "is after --to"},
        {"--type Invoice --as csv", "--as needs --export"},
        {"--type Invoice --responses /tmp", "not both"},
        {"--saved 'never saved'", "no saved search is named"},
        {"--saved 'never saved' --type Invoice", "does not take --type"},
        // Saving checks what the store can keep.
        {"--type Invoice --save " + std::string(51, 'n'),
         "has 51 characters; the store keeps at most 50"},
        {"--type Invoice --rule 'text contains " + std::string(51, 'v') + "' --save ok",
         "The value of the rule"},
    };
    for (const Case& c : cases) {
        const CliRun run = Search(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments << "\n" << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << "\n" << run.err;
        EXPECT_EQ(run.out, "") << c.arguments;
    }
    const CliRun noFolder = Home("search", "--type Invoice --responses /no/such/folder");
    EXPECT_EQ(noFolder.exitCode, 2);
    EXPECT_NE(noFolder.err.find("is not a folder"), std::string::npos) << noFolder.err;
}

TEST_F(CliSearch, AnUnreadableCompanyFileFailsTheSearch) {
    const fs::path missing = dir_.Path() / "missing.qbxml";
    const CliRun absent =
        Home("search", "--company " + Shell(missing.string()) + " --type Invoice");
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_NE(absent.err.find("does not exist"), std::string::npos) << absent.err;
    EXPECT_NE(absent.out.find("Could not get Invoice records"), std::string::npos) << absent.out;

    const fs::path damaged = dir_.Path() / "damaged.qbxml";
    std::ofstream(damaged) << "<QBXML><not closed";
    const CliRun broken =
        Home("search", "--company " + Shell(damaged.string()) + " --type Invoice --format json");
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_NE(broken.err.find("Could not get Invoice records"), std::string::npos) << broken.err;
    EXPECT_NE(CheckedJson(broken.out).find("Invoice: "), std::string::npos)
        << "still one JSON object";

    // The link logged both; the log command shows them and clears them.
    const CliRun log = Home("log", "show");
    EXPECT_EQ(log.exitCode, 0);
    EXPECT_NE(log.out.find("missing.qbxml"), std::string::npos) << log.out;
    EXPECT_EQ(Home("log", "clear").exitCode, 0);
    EXPECT_EQ(Home("log", "show").out, "The error log is empty.\n");
}

TEST_F(CliSearch, AnUnwritableExportFolderLeavesNoFile) {
    const fs::path file = dir_.Path() / "a-file";
    std::ofstream(file) << "x";
    const CliRun under =
        Search("--type Invoice --export " + Shell((file / "sub").string()) + " --as csv");
    EXPECT_EQ(under.exitCode, 1);
    EXPECT_NE(under.err.find("cannot create the folder"), std::string::npos) << under.err;

    // The second list cannot take its name: the first is whole, nothing else is left.
    const fs::path out = dir_.Path() / "out";
    fs::create_directories(out / "Customer List.csv");
    const CliRun blocked =
        Search("--type Invoice --type Customer --replace --export " + Shell(out.string()));
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_NE(blocked.err.find("--export"), std::string::npos) << blocked.err;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(out))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Customer List.csv", "Invoice List.csv"}));
    EXPECT_TRUE(fs::is_directory(out / "Customer List.csv"));
    EXPECT_EQ(Count(ReadAll(out / "Invoice List.csv"), "\r\n"),
              Count(Search("--type Invoice --format csv").out, "\r\n"));

    const fs::path books = dir_.Path() / "books";
    fs::create_directories(books / "All dates.xlsx");
    const CliRun book =
        Search("--type Invoice --replace --export " + Shell(books.string()) + " --as xlsx");
    EXPECT_EQ(book.exitCode, 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(books), fs::directory_iterator()), 1);
}

TEST_F(CliSearch, TheCatalogIsListedUpdatedAndReset) {
    const CliRun list = Home("catalog", "list Invoice");
    ASSERT_EQ(list.exitCode, 0) << list.err;
    EXPECT_NE(list.out.find("CustomerRef/FullName"), std::string::npos);
    EXPECT_NE(list.out.find("Open Balance"), std::string::npos);
    EXPECT_EQ(list.out.find("//CustomerRet"), std::string::npos) << "only the type's entries";
    EXPECT_EQ(Home("catalog", "list").exitCode, 2);
    EXPECT_EQ(Home("catalog", "list Nothing").exitCode, 2);
    const CliRun update = Home("catalog", "update");
    EXPECT_EQ(update.exitCode, 0) << update.err;
    EXPECT_NE(update.out.find("Updated the catalog"), std::string::npos);
    const CliRun reset = Home("catalog", "reset");
    EXPECT_EQ(reset.exitCode, 0) << reset.err;
    EXPECT_NE(reset.out.find("Reset the catalog"), std::string::npos);
}

TEST(CliHelp, EveryCommandDescribesItsOptions) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> commands = {
        {"search",
         {"--type", "--rule", "--field", "--saved", "--format", "--export", "--as", "--save"}},
        {"to-print", {"--double-check", "--type"}},
        {"view", {"--key", "--out"}},
        {"sample", {"--out", "--seed", "--scale", "--today"}},
    };
    for (const auto& [command, options] : commands) {
        const CliRun run = Cli(command + " --help");
        EXPECT_EQ(run.exitCode, 0) << command;
        EXPECT_NE(run.out.find("--home"), std::string::npos) << command;
        for (const std::string& option : options) {
            EXPECT_NE(run.out.find(option), std::string::npos) << command << " " << option;
        }
    }
}

}  // namespace
}  // namespace quarrion::test
