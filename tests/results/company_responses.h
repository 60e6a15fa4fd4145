#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "catalog/qbxml_tags.h"
#include "results/result_list.h"
#include "sample/sample_company.h"
#include "support/temp_home.h"

namespace quarrion {

namespace test {

// Splits a company document into one query response per request type, each a
// document of its own as the link hands it over ("<QBXML><QBXMLMsgsRs>" + that
// type's "...QueryRs" element).
std::map<std::int32_t, std::string> CompanyResponses(const std::string& company);

// Fills `catalog` from the shipped control file through the store's first-time run,
// on a database in `folder`. Returns false when that run fails.
bool LoadShippedCatalog(QBXMLTags& catalog, const std::string& folder);

// The shipped catalog and one answer per type of a sample company (scale 0.2), made
// once per test program and shared by the tests that examine whole answers. Defined
// here, not in the .cpp, so that the benchmarks that share that file need no temporary
// folders.
struct SampleAnswers {
    SampleAnswers() {
        catalogLoaded = LoadShippedCatalog(catalog, folder.Path().string());
        SampleCompanyOptions options;
        options.seed = 7;
        options.scale = 0.2;
        options.today = "2026-11-02";
        responses = CompanyResponses(GenerateSampleCompany(options));
    }
    bool catalogLoaded = false;
    TempDir folder;
    QBXMLTags catalog;
    std::map<std::int32_t, std::string> responses;
};
inline SampleAnswers& SharedSampleAnswers() {
    static SampleAnswers answers;
    return answers;
}

// A list's rows, one line each: key, cells and match text, so that two lists compare
// whole in one check and a failure shows the rows that differ.
std::string RowsText(const ResultList& list);

}  // namespace test
}  // namespace quarrion
