#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "support/text_parts.h"

namespace quarrion::test {
namespace {

namespace fs = std::filesystem;

using CliSearch = CliCompany;

TEST_F(CliSearch, ListsTheMatchingRecordsAsATable) {
    const CliRun run = Search("--type Invoice --type customer --rule 'text contains supply'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    // A block per type: its name, its progress, then the rows under aligned headings.
    EXPECT_EQ(run.out.substr(0, run.out.find("\nCustomer\n")), R"(Invoice
  18/18  Found 1 Done.

Key  Date        Num   Customer         Due Date    Subtotal  Open Balance  Memo  Match
---  ----------  ----  ---------------  ----------  --------  ------------  ----  ---------------
k16  2026-09-23  1017  ACME Supply Co.  2026-10-23   2087.25          0.00        ACME Supply Co.
)");
    EXPECT_NE(run.out.find("\nCustomer\n  26/26  Found 3 Done.\n"), std::string::npos) << run.out;
}

TEST_F(CliSearch, CsvAndTsvExportsWriteAListFilePerType) {
    const fs::path out = dir_.Path() / "exports";
    const std::string invoices = "--type Invoice --rule 'text contains a'";
    const CliRun csv =
        Search(invoices + " --type Customer --export " + Shell(out.string()) + " --as csv");
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    EXPECT_EQ(csv.out, (out / "Invoice List.csv").string() + "\n" +
                           (out / "Customer List.csv").string() + "\n");
    const std::string comma = ReadAll(out / "Invoice List.csv");
    EXPECT_EQ(comma.rfind("Date,Num,Customer,", 0), 0u) << comma.substr(0, 80);
    EXPECT_EQ(Count(comma, "\r\n"), Count(comma, "\n"));
    // The csv on standard output is the file, byte for byte.
    EXPECT_EQ(Search(invoices + " --format csv").out, comma);

    const CliRun tsv =
        Search(invoices + " --format tsv --export " + Shell(out.string()) + " --as tsv");
    ASSERT_EQ(tsv.exitCode, 0) << tsv.err;
    const std::string tabbed = ReadAll(out / "Invoice List.txt");
    EXPECT_EQ(tabbed.rfind("Date\tNum\tCustomer\t", 0), 0u);
    EXPECT_EQ(tsv.out, tabbed);
    EXPECT_EQ(tsv.err, (out / "Invoice List.txt").string() + "\n");

    // A byte order mark only when asked, and it is all that differs.
    ASSERT_EQ(Search(invoices + " --bom --export " + Shell((out / "bom").string())).exitCode, 0);
    EXPECT_EQ(ReadAll(out / "bom" / "Invoice List.csv"), "\xEF\xBB\xBF" + comma);
}

TEST_F(CliSearch, JsonAndTheWorkbookHoldTheTypesColumnsAndRowsInOrder) {
    const fs::path out = dir_.Path() / "books";
    const CliRun run = Search(
        "--type Invoice --type Customer --rule 'text contains supply' --from 2024-01-01 "
        "--to 2026-11-02 --format json --export " +
        Shell(out.string()) + " --as xlsx");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> json = CheckedJson(run.out);
    ASSERT_GE(json.size(), 3u);
    EXPECT_EQ(json[0], "(2024-01-01 and 2026-11-02)");
    EXPECT_EQ(json[1].rfind("Invoice: k", 0), 0u) << json[1];
    // Per type its name, per row its first cell: what the workbook's sheets must show.
    std::vector<std::string> expected;
    for (std::size_t i = 1; i < json.size(); ++i) {
        const bool row = json[i].rfind("  ", 0) == 0;
        expected.push_back(row ? json[i].substr(0, json[i].find('|'))
                               : json[i].substr(0, json[i].find(':') + 1));
    }
    EXPECT_EQ(std::count(expected.begin(), expected.end(), "Customer:"), 1);
    EXPECT_GE(expected.size(), 4u) << "two types and rows";

    const fs::path book = out / "(2024-01-01 and 2026-11-02).xlsx";
    ASSERT_TRUE(fs::exists(book)) << run.err;
    const std::vector<std::string> sheets = Checked("xlsx", book);
    std::vector<std::string> actual;
    for (const std::string& line : sheets)
        actual.push_back(line.rfind("  ", 0) == 0 ? line : line.substr(0, line.find(':') + 1));
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(sheets[0], "Invoice: Date|Num|Customer|Due Date|Subtotal|Open Balance|Memo");
}

TEST_F(CliSearch, ASavedSearchRunsAsTheOptionsThatMadeIt) {
    const std::string field =
        "--field 'Invoice: CustomerRef/FullName in \"ACME Supply Co.\",\"Baker Lumber\"'";
    const std::string options =
        "--type Invoice --type Customer --from 2024-01-01 --to 2026-11-02 --date-filter txn "
        "--rule 'text contains supply' --rule 'or amount gt 20000' " +
        field;
    const CliRun saved = Search(options + " --save 'Supply watch' --description 'who buys'");
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_EQ(saved.out, "Saved the search \"Supply watch\".\n");

    const CliRun again = Search("--saved 'supply WATCH' --format json");
    ASSERT_EQ(again.exitCode, 0) << again.err;
    std::vector<std::string> fromOptions = CheckedJson(Search(options + " --format json").out);
    std::vector<std::string> fromStore = CheckedJson(again.out);
    EXPECT_EQ(fromStore[0], "Supply watch");
    // The store keeps the included types in type-code order.
    std::sort(fromOptions.begin() + 1, fromOptions.end());
    std::sort(fromStore.begin() + 1, fromStore.end());
    EXPECT_TRUE(std::equal(fromOptions.begin() + 1, fromOptions.end(), fromStore.begin() + 1,
                           fromStore.end()));
    EXPECT_GT(Count(again.out, "\"key\": \"k"), 0u);

    // The data folder may also be named before the command.
    EXPECT_NE(Cli("--home " + Shell(home_.string()) + " searches list")
                  .out.find("\nSupply watch  Customer, Invoice  who buys\n"),
              std::string::npos);
    const CliRun shown = Home("searches", "show 'Supply watch'");
    for (const std::string& part : {std::string("--rule 'or amount gt 20000'"), field,
                                    std::string("2024-01-01 to 2026-11-02, by transaction date")})
        EXPECT_NE(shown.out.find(part), std::string::npos) << part << "\n" << shown.out;

    const CliRun clash = Search("--type Bill --save 'Supply watch'");
    EXPECT_EQ(clash.exitCode, 1);
    EXPECT_NE(clash.err.find("add --replace"), std::string::npos) << clash.err;
    EXPECT_EQ(Search("--type Bill --save 'Supply watch' --replace").exitCode, 0);
    EXPECT_NE(Home("searches", "show 'Supply watch'").out.find("Types:        Bill"),
              std::string::npos);

    EXPECT_EQ(Home("searches", "delete 'Supply watch'").exitCode, 0);
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
    ASSERT_LT(printable(), invoices);

    const CliRun set = Run("to-print", "set --type Invoice --format csv");
    ASSERT_EQ(set.exitCode, 0) << set.err;
    const std::string all = std::to_string(invoices);
    EXPECT_NE(
        set.err.find("Set " + all + " of " + all + " listed Invoice transactions to be printed."),
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

TEST_F(CliSearch, UsageErrorsSayWhatIsWrongAndPrintNothing) {
    const std::string type = "--type Invoice ", out = " --export " + Shell(dir_.Path().string());
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"--type Invoices", "\"Invoices\" is not a type"},
        {"--rule 'text contains a'", "You must select at least one transaction type"},
        {type + "--rule 'text contains Acme Corp'", "write a value with blanks in double quotes"},
        {type + "--field 'Invoice: TxnDate contains 2026'", "a date field"},
        {type + "--type Customer --field '*: Memo gt 3'", "Invoice: gt does not fit Memo"},
        {type + "--from 2026-05-01 --to 2026-04-01", "is after --to"},
        {type + "--as csv", "--as needs --export"},
        {type + "--replace", "--replace needs --export DIR"},
        {type + "--bom --as xlsx" + out, "--bom is for csv and tsv files"},
        {type + "--field-case whatever", "--field-case"},
        {type + "--max -1", "--max"},
        {type + "--rule 'text contains Acme\"'", "is not balanced"},
        {type + "--responses " + Shell(dir_.Path().string()), "not both"},
        {type + "--save Name" + out, "give --save or --export, not both"},
        {"--saved 'never saved'", "no saved search is named"},
        {"--saved 'never saved' --type Invoice", "does not take --type"},
        // Saving checks what the store can keep.
        {type + "--save " + std::string(51, 'n'), "has 51 characters; the store keeps at most 50"},
        {type + "--rule 'text contains " + std::string(51, 'v') + "' --save ok",
         "The value of the rule"},
    };
    for (const auto& [arguments, message] : cases) {
        const CliRun run = Search(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments << "\n" << run.err;
        EXPECT_NE(run.err.find(message), std::string::npos) << arguments << "\n" << run.err;
        EXPECT_EQ(run.out, "") << arguments;
    }
    const CliRun noFolder = Home("search", "--type Invoice --responses /no/such/folder");
    EXPECT_EQ(noFolder.exitCode, 2);
    EXPECT_NE(noFolder.err.find("is not a folder"), std::string::npos) << noFolder.err;
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
    EXPECT_EQ(ReadAll(out / "Invoice List.csv"), Search("--type Invoice --format csv").out);

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
    EXPECT_EQ(list.out.find("//CustomerRet"), std::string::npos) << "only the type's entries";
    EXPECT_EQ(Home("catalog", "list").exitCode, 2);
    EXPECT_EQ(Home("catalog", "list Nothing").exitCode, 2);
    EXPECT_NE(Home("catalog", "update").out.find("Updated the catalog"), std::string::npos);
    EXPECT_NE(Home("catalog", "reset").out.find("Reset the catalog"), std::string::npos);
}

}  // namespace
}  // namespace quarrion::test
