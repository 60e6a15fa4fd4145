#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <SQLiteCpp/Database.h>

#include "cli_runner.h"
#include "store/database_connection.h"
#include "support/text_parts.h"

namespace quarrion::test {
namespace {

// Accents and letter case asked of the small company through the terminal tool.
class CliTextOptions : public CliCompany {
  protected:
    // The first column of every row found, joined by "|", as tsv prints it.
    std::string Found(const std::string& arguments) {
        const CliRun run = Search("--format tsv " + arguments);
        EXPECT_EQ(run.exitCode, 0) << arguments << "\n" << run.err;
        std::string joined;
        const std::vector<std::string> lines = Lines(run.out);
        for (std::size_t i = 1; i < lines.size(); ++i)  // after the headings
            joined += (i > 1 ? "|" : "") + lines[i].substr(0, lines[i].find('\t'));
        return joined;
    }
};

// The company's customers include Café Müller, Cafe Muller, CAFÉ MÜLLER GmbH, Björk
// Design Studio, Crème de la Crème Catering and Société Générale d'Import.
TEST_F(CliTextOptions, EveryKindOfTextOperationUnderBothOptions) {
    struct Case {
        std::string rule;                             // --field on the customer's Name, or --rule
        std::string plain, accents;                   // field case sensitive (the default)
        std::string insensitive, insensitiveAccents;  // --field-case insensitive
    };
    const std::string cafes = "Café Müller|Cafe Muller|CAFÉ MÜLLER GmbH", cafe = "Cafe Muller";
    const std::vector<Case> cases = {
        // Field rules: contains and equals ignore case whatever the option says.
        {"--field 'Customer: Name contains muller'", cafe, cafes, cafe, cafes},
        {"--field 'Customer: Name equals \"cafe muller\"'", cafe, "Café Müller|Cafe Muller", cafe,
         "Café Müller|Cafe Muller"},
        // Starts with, ends with and whole word follow the case option.
        {"--field 'Customer: Name starts-with Cafe'", cafe, "Café Müller|Cafe Muller", cafe, cafes},
        {"--field 'Customer: Name ends-with \"generale d'\\''import\"'", "", "", "",
         "Société Générale d'Import"},
        {"--field 'Customer: Name whole-word creme'", "", "", "", "Crème de la Crème Catering"},
        {"--field 'Customer: Name matches *bjork*'", "", "Björk Design Studio", "",
         "Björk Design Studio"},
        // Global rules ignore case in every operation; only accents change them.
        {"--rule 'text starts-with cafe'", cafe, cafes, cafe, cafes},
    };
    for (const Case& c : cases) {
        const std::string search = "--type Customer " + c.rule;
        const std::vector<std::string> found = {
            Found(search), Found(search + " --ignore-accents"),
            Found(search + " --field-case insensitive"),
            Found(search + " --field-case insensitive --ignore-accents")};
        EXPECT_EQ(found, (std::vector<std::string>{c.plain, c.accents, c.insensitive,
                                                   c.insensitiveAccents}))
            << c.rule;
    }
}

TEST_F(CliTextOptions, ASavedSearchKeepsItsOptionsAndFlagsOverrideThem) {
    const std::string rule = "--type Customer --field 'Customer: Name starts-with cafe' ";
    ASSERT_EQ(Search(rule + "--ignore-accents --field-case insensitive --save Cafes").exitCode, 0);
    const std::string cafes = "Café Müller|Cafe Muller|CAFÉ MÜLLER GmbH";
    EXPECT_EQ(Found("--saved Cafes"), cafes);
    EXPECT_EQ(Found("--saved Cafes --field-case sensitive"), "");
    EXPECT_EQ(Found("--saved Cafes --ignore-accents=false"), "Cafe Muller");
    EXPECT_NE(Home("searches", "show Cafes").out.find("--ignore-accents --field-case insensitive"),
              std::string::npos);
    // A search saved without the options compares as before.
    ASSERT_EQ(Search(rule + "--save Plain").exitCode, 0);
    EXPECT_EQ(Found("--saved Plain"), "");
    EXPECT_EQ(Found("--saved Plain --ignore-accents --field-case insensitive"), cafes);
}

// The store test holds the file untouched; here the terminal tool says why and fails.
TEST_F(CliTextOptions, ADatabaseOfANewerQuarrionEndsTheRunWithStatusOne) {
    ASSERT_EQ(Search("--type Customer").exitCode, 0);
    const std::filesystem::path database = home_ / "Quarrion.qr3";
    SQLite::Database(database.string(), SQLite::OPEN_READWRITE)
        .exec("UPDATE \"" + std::string(kStoreFormatTable) +
              "\" SET version = " + std::to_string(kStoreFormat + 1));
    const CliRun run = Search("--type Customer");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(database.string()), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("newer version of Quarrion"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace quarrion::test
