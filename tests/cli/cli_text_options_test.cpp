#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <SQLiteCpp/Database.h>

#include "cli_runner.h"
#include "store/database_connection.h"
#include "support/temp_home.h"

namespace quarrion::test {
namespace {

namespace fs = std::filesystem;

// Accents, letter case and saved relative ranges, asked of one small generated company
// (made once for the suite) through the terminal tool.
class CliTextOptions : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = new TempDir;
        const CliRun made = Cli("sample --scale 0.05 --today 2026-11-02 --out " +
                                Shell((folder_->Path() / "company.qbxml").string()));
        ASSERT_EQ(made.exitCode, 0) << made.err;
    }
    static void TearDownTestSuite() {
        delete folder_;
        folder_ = nullptr;
    }

    CliRun Run(const std::string& command, const std::string& arguments) {
        return Cli(command + " --home " + Shell(home_.string()) + " --company " +
                   Shell((folder_->Path() / "company.qbxml").string()) + " " + arguments);
    }

    // The first column of every row found, joined by "|", as tsv prints it.
    std::string Found(const std::string& arguments) {
        const CliRun run = Run("search", "--format tsv " + arguments);
        EXPECT_EQ(run.exitCode, 0) << arguments << "\n" << run.err;
        std::istringstream lines(run.out);
        std::string line, joined;
        std::getline(lines, line);  // the headings
        while (std::getline(lines, line)) {
            if (!joined.empty()) joined += "|";
            joined += line.substr(0, line.find('\t'));
        }
        return joined;
    }

    static TempDir* folder_;
    TempDir dir_;
    fs::path home_ = dir_.Path() / "home";
};

TempDir* CliTextOptions::folder_ = nullptr;

// The company's customers include Café Müller, Cafe Muller, CAFÉ MÜLLER GmbH, Zoë's
// Bakery, Inc., Björk Design Studio, Crème de la Crème Catering, Société Générale
// d'Import and Ærøskøbing Trading ApS; the first two share an e-mail address with
// "cafemuller" in it, the third has "cafemullergmbh".
TEST_F(CliTextOptions, EveryTextOperationUnderBothOptions) {
    struct Case {
        std::string rule;                             // --field on the customer's Name, or --rule
        std::string plain, accents;                   // field case sensitive (the default)
        std::string insensitive, insensitiveAccents;  // --field-case insensitive
    };
    const std::string cafes = "Café Müller|Cafe Muller|CAFÉ MÜLLER GmbH";
    const std::string societe = "Société Générale d'Import";
    const std::string creme = "Crème de la Crème Catering";
    const std::vector<Case> cases = {
        // Field rules: contains, equals and in ignore case whatever the option says.
        {"--field 'Customer: Name contains muller'", "Cafe Muller", cafes, "Cafe Muller", cafes},
        {"--field 'Customer: Name equals \"cafe muller\"'", "Cafe Muller",
         "Café Müller|Cafe Muller", "Cafe Muller", "Café Müller|Cafe Muller"},
        {"--field 'Customer: Name in \"cafe muller\",\"zoe'\\''s bakery, inc.\"'", "Cafe Muller",
         "Café Müller|Cafe Muller|Zoë's Bakery, Inc.", "Cafe Muller",
         "Café Müller|Cafe Muller|Zoë's Bakery, Inc."},
        // Starts with, ends with and whole word follow the case option.
        {"--field 'Customer: Name starts-with cafe'", "", "", "Cafe Muller", cafes},
        {"--field 'Customer: Name starts-with Cafe'", "Cafe Muller", "Café Müller|Cafe Muller",
         "Cafe Muller", cafes},
        {"--field 'Customer: Name ends-with \"generale d'\\''import\"'", "", "", "", societe},
        {"--field 'Customer: Name whole-word creme'", "", "", "", creme},
        {"--field 'Customer: Name matches *bjork*'", "", "Björk Design Studio", "",
         "Björk Design Studio"},
        // Global rules ignore case in every operation; only accents change them.
        {"--rule 'text starts-with cafe'", "Cafe Muller", cafes, "Cafe Muller", cafes},
    };
    for (const Case& c : cases) {
        const std::string search = "--type Customer " + c.rule;
        EXPECT_EQ(Found(search), c.plain) << c.rule;
        EXPECT_EQ(Found(search + " --ignore-accents"), c.accents) << c.rule << " (accents)";
        EXPECT_EQ(Found(search + " --field-case insensitive"), c.insensitive) << c.rule;
        EXPECT_EQ(Found(search + " --field-case insensitive --ignore-accents"),
                  c.insensitiveAccents)
            << c.rule << " (accents, any case)";
    }
}

TEST_F(CliTextOptions, ASavedSearchKeepsItsOptionsAndFlagsOverrideThem) {
    const std::string rule = "--type Customer --field 'Customer: Name starts-with cafe' ";
    ASSERT_EQ(
        Run("search", rule + "--ignore-accents --field-case insensitive --save Cafes").exitCode, 0);
    const std::string cafes = "Café Müller|Cafe Muller|CAFÉ MÜLLER GmbH";
    EXPECT_EQ(Found("--saved Cafes"), cafes);
    EXPECT_EQ(Found("--saved Cafes --field-case sensitive"), "");
    EXPECT_EQ(Found("--saved Cafes --ignore-accents=false"), "Cafe Muller");

    const CliRun shown = Cli("searches show Cafes --home " + Shell(home_.string()));
    EXPECT_NE(shown.out.find("--ignore-accents --field-case insensitive"), std::string::npos)
        << shown.out;
    // A search saved without the options compares as before.
    ASSERT_EQ(Run("search", rule + "--save Plain").exitCode, 0);
    EXPECT_EQ(Found("--saved Plain"), "");
    EXPECT_EQ(Found("--saved Plain --ignore-accents --field-case insensitive"), cafes);
}

// The company's invoices fall on 2023-11-02, 2023-11-20, 2024-04-30 (two), 2024-07-30,
// 2024-09-23, 2024-09-26, 2024-10-21, 2024-10-31, 2025-05-19, 2025-06-23, 2025-10-03,
// 2025-12-20, 2026-05-11, 2026-06-23, 2026-07-28, 2026-09-23 and 2026-11-02.
TEST_F(CliTextOptions, ASavedRelativeRangeCountsFromTheDayItRuns) {
    struct Saved {
        const char* name;
        const char* range;
    };
    for (const Saved& saved : {Saved{"Last year", "--from last-year --to last-year"},
                               Saved{"Last quarter", "--from last-quarter --to last-quarter"},
                               Saved{"Last month", "--from last-month --to last-month"}}) {
        const CliRun made = Run("search", std::string("--type Invoice --today 2026-11-02 ") +
                                              saved.range + " --save " + Shell(saved.name));
        ASSERT_EQ(made.exitCode, 0) << made.err;
    }
    struct Case {
        const char* name;
        const char* today;
        std::size_t found;
    };
    const Case cases[] = {
        {"Last year", "2026-11-02", 4},    {"Last year", "2027-01-10", 5},
        {"Last quarter", "2024-10-01", 3}, {"Last quarter", "2024-09-30", 2},
        {"Last month", "2024-05-31", 2},   {"Last month", "2024-06-01", 0},
    };
    for (const Case& c : cases) {
        const std::string found = Found("--saved " + Shell(c.name) + " --today " + c.today);
        const std::size_t rows =
            found.empty() ? 0 : 1 + std::count(found.begin(), found.end(), '|');
        EXPECT_EQ(rows, c.found) << c.name << " on " << c.today << ": " << found;
    }
    // --from and --to still replace a saved end, relative or fixed.
    EXPECT_EQ(Found("--saved 'Last year' --today 2027-01-10 --from 2026-06-01").empty(), false);
    const std::string overridden = Found("--saved 'Last year' --today 2027-01-10 --to 2026-06-30");
    EXPECT_EQ(1 + std::count(overridden.begin(), overridden.end(), '|'), 2) << overridden;
    const CliRun shown = Cli("searches show 'Last month' --home " + Shell(home_.string()));
    EXPECT_NE(shown.out.find("last-month ("), std::string::npos) << shown.out;
}

TEST_F(CliTextOptions, HelpSaysWhichCaseRuleApplies) {
    const CliRun help = Cli("search --help");
    for (const char* said :
         {"--ignore-accents", "--field-case sensitive|insensitive",
          "text rules here ignore letter case in every operation",
          "starts-with, ends-with and whole-word match letter case here unless --field-case "
          "insensitive"}) {
        EXPECT_NE(help.out.find(said), std::string::npos) << said;
    }
    // The help's example of the default misses what the other value finds.
    EXPECT_NE(help.out.find("\"Invoice: Memo starts-with Rush\""), std::string::npos);
    EXPECT_EQ(Run("search", "--type Invoice --field 'Invoice: Memo starts-with Rush'").exitCode, 0);
    EXPECT_EQ(Run("search", "--type Invoice --field-case whatever").exitCode, 2);
}

// The store test holds the file untouched; here the terminal tool says why and fails.
TEST_F(CliTextOptions, ADatabaseOfANewerQuarrionEndsTheRunWithStatusOne) {
    ASSERT_EQ(Run("search", "--type Customer").exitCode, 0);
    const fs::path database = home_ / "Quarrion.qr3";
    {
        SQLite::Database db(database.string(), SQLite::OPEN_READWRITE);
        db.exec("UPDATE \"" + std::string(kStoreFormatTable) +
                "\" SET version = " + std::to_string(kStoreFormat + 1));
    }
    const CliRun run = Run("search", "--type Customer");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(database.string()), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("newer version of Quarrion"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace quarrion::test
