#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalog/qbxml_tags.h"
#include "cli_runner.h"
#include "foundation/codes.h"
#include "model/search_object2.h"
#include "search/search_builder.h"
#include "search/store_session.h"
#include "support/temp_home.h"

namespace quarrion::test {
namespace {

namespace fs = std::filesystem;

// Files a spreadsheet user keeps, from the terminal: what the cells say and what
// becomes of the files already in the export folder.
class CliSpreadsheet : public ::testing::Test {
  protected:
    // One small generated company serves every test; each test has a data folder and
    // an export folder of its own.
    static void SetUpTestSuite() {
        companyFolder_ = new TempDir;
        const CliRun made =
            Cli("sample --scale 0.05 --today 2026-11-02 --out " + Shell(Company().string()));
        ASSERT_EQ(made.exitCode, 0) << made.err;
    }
    static void TearDownTestSuite() {
        delete companyFolder_;
        companyFolder_ = nullptr;
    }
    static fs::path Company() { return companyFolder_->Path() / "company.qbxml"; }

    CliRun Search(const std::string& arguments) {
        return Cli("search --home " + Shell(home_.Path().string()) + " --company " +
                   Shell(Company().string()) + " " + arguments);
    }

    // Saves "Active customers": every customer by name with its Active (true/false)
    // column, which the default columns do not show.
    void SaveCustomersWithActiveColumn() {
        StoreSession store;
        ASSERT_TRUE(store.Open());
        SearchBuilder builder(store.Catalog());
        ASSERT_TRUE(builder.IncludeType(RequestTypeCode::Customer));
        DisplayColumns& columns = builder.Standing(RequestTypeCode::Customer).DisplayColumns;
        columns.Clear();
        for (const char* path : {"//CustomerRet/Name", "//CustomerRet/IsActive"}) {
            QBXMLTag* tag = store.Catalog().Item(RequestTypeCode::Customer, path);
            ASSERT_NE(tag, nullptr) << path;
            columns.Add(*tag);
        }
        SearchObject2 search;
        ASSERT_EQ(builder.Build(search).Message(), "");
        search.Name = "Active customers";
        ASSERT_TRUE(store.Manager().SaveSearchObject(&search));
    }

    inline static TempDir* companyFolder_ = nullptr;
    TempDir dir_;
    HomeOfItsOwn home_;  // the store the tool and the test share
};

TEST_F(CliSpreadsheet, TrueFalseFieldsReadYesAndNoInEveryFormat) {
    ASSERT_NO_FATAL_FAILURE(SaveCustomersWithActiveColumn());
    const std::string saved = "--saved 'Active customers'";
    for (const char* format : {"table", "csv", "tsv", "json"}) {
        const CliRun run = Search(saved + " --format " + format);
        ASSERT_EQ(run.exitCode, 0) << format << "\n" << run.err;
        // The sample company has active and inactive customers. A json cell holds the
        // shown text, as for amounts and dates.
        const std::string yes = std::string(format) == "json" ? "\"Yes\"" : "Yes";
        EXPECT_NE(run.out.find(yes), std::string::npos) << format << "\n" << run.out;
        EXPECT_NE(run.out.find("No"), std::string::npos) << format;
        EXPECT_EQ(run.out.find("false"), std::string::npos) << format << "\n" << run.out;
    }
}

TEST_F(CliSpreadsheet, ExportNeverReplacesAnEarlierFileUnlessAskedTo) {
    const std::string search = "--type Invoice --type Customer --rule 'text contains a'";
    struct Case {
        const char* as;
        std::vector<const char*> files;
    };
    const std::vector<Case> cases{
        {"csv", {"Invoice List.csv", "Customer List.csv"}},
        {"xlsx", {"All dates.xlsx"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.as);
        const fs::path out = dir_.Path() / (std::string("out-") + c.as);
        const std::string exportTo = " --export " + Shell(out.string()) + " --as " + c.as;
        ASSERT_EQ(Search(search + exportTo).exitCode, 0);
        const fs::path earlier = out / c.files.front();
        const std::string earlierBytes = "kept by the user\r\n";
        std::ofstream(earlier, std::ios::binary) << earlierBytes;
        if (c.files.size() > 1) fs::remove(out / c.files[1]);

        const CliRun refused = Search(search + exportTo);
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_NE(refused.err.find(earlier.string() + " exists already"), std::string::npos)
            << refused.err;
        EXPECT_NE(refused.err.find("--replace"), std::string::npos) << refused.err;
        EXPECT_EQ(ReadAll(earlier), earlierBytes) << "the earlier file is untouched";
        if (c.files.size() > 1) {
            EXPECT_FALSE(fs::exists(out / c.files[1])) << "nothing else was exported either";
        }

        const CliRun replaced = Search(search + exportTo + " --replace");
        EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
        EXPECT_NE(ReadAll(earlier), earlierBytes);
        for (const char* file : c.files) EXPECT_TRUE(fs::exists(out / file)) << file;
    }
}

// The sheet names of a workbook as openpyxl reads them, one per line in order.
std::string SheetNames(const fs::path& file) {
    const std::string command = std::string("/usr/bin/python3 '") + QUARRION_READ_BACK +
                                "' cells '" + file.string() + "' | cut -f1 | uniq";
    std::string names;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return names;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) names += buffer;
    pclose(pipe);
    return names;
}

TEST_F(CliSpreadsheet, HideEmptyLeavesTypesWithoutRowsOutOfTheWorkbook) {
    // An e-mail address is on a customer and on no invoice.
    const std::string search =
        "--type Customer --type Invoice --rule 'text equals accounts@bakerlumber.example' "
        "--export " +
        Shell(dir_.Path().string()) + " --as xlsx";
    ASSERT_EQ(Search(search).exitCode, 0);
    EXPECT_EQ(SheetNames(dir_.Path() / "All dates.xlsx"), "Customer\nInvoice\n");
    ASSERT_EQ(Search(search + " --hide-empty --replace").exitCode, 0);
    EXPECT_EQ(SheetNames(dir_.Path() / "All dates.xlsx"), "Customer\n");
}

TEST_F(CliSpreadsheet, ReplaceAloneIsAUsageError) {
    const CliRun alone = Search("--type Invoice --replace");
    EXPECT_EQ(alone.exitCode, 2);
    EXPECT_NE(alone.err.find("--replace needs --export DIR"), std::string::npos) << alone.err;
}

}  // namespace
}  // namespace quarrion::test
