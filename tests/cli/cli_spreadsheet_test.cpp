#include <gtest/gtest.h>

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

namespace quarrion::test {
namespace {

namespace fs = std::filesystem;

// Files a spreadsheet user keeps, from the terminal: what the cells say and what
// becomes of the files already in the export folder.
using CliSpreadsheet = CliCompany;

// Saves "Active customers" in the store QUARRION_HOME names: every customer by name
// with its Active (true/false) column, which the default columns do not show.
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

TEST_F(CliSpreadsheet, TrueFalseFieldsReadYesAndNoInEveryFormat) {
    const HomeOfItsOwn shared;  // the store the tool and the test share
    home_ = shared.Path();
    ASSERT_NO_FATAL_FAILURE(SaveCustomersWithActiveColumn());
    for (const std::string format : {"table", "csv", "tsv", "json"}) {
        const CliRun run = Search("--saved 'Active customers' --format " + format);
        ASSERT_EQ(run.exitCode, 0) << format << "\n" << run.err;
        // The sample company has active and inactive customers. A json cell holds the
        // shown text, as for amounts and dates.
        EXPECT_NE(run.out.find(format == "json" ? "\"Yes\"" : "Yes"), std::string::npos)
            << format << "\n"
            << run.out;
        EXPECT_NE(run.out.find("No"), std::string::npos) << format;
        EXPECT_EQ(run.out.find("false"), std::string::npos) << format << "\n" << run.out;
    }
}

TEST_F(CliSpreadsheet, ExportNeverReplacesAnEarlierFileUnlessAskedTo) {
    const std::string search = "--type Invoice --type Customer --rule 'text contains a'";
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases{
        {"csv", {"Invoice List.csv", "Customer List.csv"}},
        {"xlsx", {"All dates.xlsx"}},
    };
    for (const auto& [as, files] : cases) {
        SCOPED_TRACE(as);
        const fs::path out = dir_.Path() / ("out-" + as);
        const std::string exportTo = " --export " + Shell(out.string()) + " --as " + as;
        ASSERT_EQ(Search(search + exportTo).exitCode, 0);
        const fs::path earlier = out / files.front();
        const std::string earlierBytes = "kept by the user\r\n";
        std::ofstream(earlier, std::ios::binary) << earlierBytes;
        if (files.size() > 1) fs::remove(out / files[1]);

        const CliRun refused = Search(search + exportTo);
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_NE(refused.err.find(earlier.string() + " exists already"), std::string::npos)
            << refused.err;
        EXPECT_NE(refused.err.find("--replace"), std::string::npos) << refused.err;
        EXPECT_EQ(ReadAll(earlier), earlierBytes) << "the earlier file is untouched";
        if (files.size() > 1) EXPECT_FALSE(fs::exists(out / files[1])) << "nor anything else";

        EXPECT_EQ(Search(search + exportTo + " --replace").exitCode, 0);
        EXPECT_NE(ReadAll(earlier), earlierBytes);
        for (const std::string& file : files) EXPECT_TRUE(fs::exists(out / file)) << file;
    }
}

TEST_F(CliSpreadsheet, HideEmptyLeavesTypesWithoutRowsOutOfTheWorkbook) {
    // An e-mail address is on a customer and on no invoice.
    const std::string search =
        "--type Customer --type Invoice --rule 'text equals accounts@bakerlumber.example' "
        "--export " +
        Shell(dir_.Path().string()) + " --as xlsx";
    auto sheets = [&] {
        std::string names;
        for (const std::string& line : Checked("xlsx", dir_.Path() / "All dates.xlsx"))
            if (line.rfind("  ", 0) != 0) names += line.substr(0, line.find(':')) + " ";
        return names;
    };
    ASSERT_EQ(Search(search).exitCode, 0);
    EXPECT_EQ(sheets(), "Customer Invoice ");
    ASSERT_EQ(Search(search + " --hide-empty --replace").exitCode, 0);
    EXPECT_EQ(sheets(), "Customer ");
}

}  // namespace
}  // namespace quarrion::test
