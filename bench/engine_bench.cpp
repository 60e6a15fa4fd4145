// Throughput of the search engine on a large invoice answer, against the parse
// alone (the limit) and the literal copy-and-re-parse examination (the yardstick),
// plus the delimited export's row rate.
//
//   engine_bench [RESPONSE_FILE]
// Without a file, a company is generated (scale 25: about 9,000 invoices with lines)
// and its invoice answer is written to a temporary file first.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include <pugixml.hpp>

#include "catalog/qbxml_tags.h"
#include "model/examinors.h"
#include "model/inc_item.h"
#include "model/request_search_rule.h"
#include "model/search_column_choice.h"
#include "output/delimited_export.h"
#include "results/company_responses.h"
#include "results/reference_examiner.h"
#include "results/response_examiner.h"
#include "sample/sample_company.h"

using namespace quarrion;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(const std::function<void()>& work, int repeats = 3) {
    double best = 1e99;
    for (int i = 0; i < repeats; ++i) {
        auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void Prepare(IncItem& item, const QBXMLTags& catalog) {
    RequestSearchRule standing;
    standing.SetRequestType(RequestTypeCode::Invoice, &catalog);
    item.Name = "Invoice";
    item.SetRequestType(RequestTypeCode::Invoice);
    standing.DisplayColumns.Copy(item.DisplayColumns, CopyDirection::IntoTarget);
}

}  // namespace

int main(int argc, char** argv) {
    auto work = std::filesystem::temp_directory_path() / "quarrion-engine-bench";
    std::filesystem::create_directories(work);
    setenv("QUARRION_HOME", work.c_str(), 1);

    std::filesystem::path responseFile = argc > 1 ? argv[1] : work / "Invoice.xml";
    if (argc <= 1) {
        SampleCompanyOptions options;
        options.scale = 25;
        options.today = "2026-11-02";
        std::string company = GenerateSampleCompany(options);
        std::ofstream(responseFile, std::ios::binary)
            << test::CompanyResponses(company).at(RequestTypeCode::Invoice);
        std::printf("generated %s\n", responseFile.c_str());
        // Measure the rest in a process of its own, so the generated company does not
        // count towards peak memory.
        std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
        return std::system(("'" + self + "' '" + responseFile.string() + "'").c_str()) == 0 ? 0 : 1;
    }

    QBXMLTags catalog;
    if (!test::LoadShippedCatalog(catalog, work.string())) {
        std::fprintf(stderr, "cannot load the shipped catalog\n");
        return 1;
    }
    IncItem item;
    Prepare(item, catalog);
    item.Response = ReadFile(responseFile);
    const double megabytes = item.Response.size() / 1e6;
    IncItem fieldItem;
    Prepare(fieldItem, catalog);
    fieldItem.Response = item.Response;
    // What the answers themselves take is the caller's; the engine's own memory is
    // what comes on top.
    const long baseKb = PeakKilobytes();

    // Three global rules: a text word, an amount and a name start.
    Examinors global;
    Examinor* first = global.Add();
    first->Criteria.Add(Operation::Contains, Choice::Text)->TextCompare.SetValue("supply");
    global.Add()
        ->Criteria.Add(Operation::GreaterThan, Choice::Amount)
        ->NumberCompare.SetValue(5000.0);
    global.Add()->Criteria.Add(Operation::StartsWith, Choice::Text)->TextCompare.SetValue("zz");
    ChooseSearchColumns(item, nullptr, global, catalog);
    ResultList list;
    std::size_t records = 0;
    std::size_t globalRows = 0;
    auto runGlobal = [&] {
        ExamineResponse(item, global, list);
        globalRows = list.Rows.size();
    };
    const std::size_t searchColumns = item.SearchColumns.Count();
    // "engine_bench FILE profile": only the global-rule examination, many times over,
    // for a profiler to look at.
    if (argc > 2 && std::string(argv[2]) == "profile") {
        for (int i = 0; i < 30; ++i) ExamineResponse(item, global, list);
        return 0;
    }

    // Two field rules: customer name starts with A, and subtotal at least 500.
    FieldExaminor* group = fieldItem.FieldExaminors.Add();
    group->FieldCriteria
        .Add(*catalog.Item(RequestTypeCode::Invoice, "//InvoiceRet/CustomerRef/FullName"),
             Operation::StartsWith)
        ->TextCompare.SetValue("A");
    group->FieldCriteria
        .Add(*catalog.Item(RequestTypeCode::Invoice, "//InvoiceRet/Subtotal"),
             Operation::GreaterOrEqual)
        ->NumberCompare.SetValue(500.0);
    Examinors none;
    std::size_t fieldRows = 0;
    auto runField = [&] {
        ExamineResponse(fieldItem, none, list);
        fieldRows = list.Rows.size();
    };

    auto runParse = [&] {
        pugi::xml_document document;
        document.load_buffer(item.Response.data(), item.Response.size(), pugi::parse_default,
                             pugi::encoding_utf8);
        records = 0;
        for (pugi::xml_node rs : document.child("QBXML").child("QBXMLMsgsRs").children()) {
            for (pugi::xml_node r = rs.child("InvoiceRet"); r; r = r.next_sibling("InvoiceRet"))
                ++records;
        }
    };

    // Interleaved rounds, best of each, so the parse and the engine meet the memory
    // allocator in the same state.
    double engineGlobal = 1e99, engineField = 1e99, parse = 1e99;
    for (int round = 0; round < 5; ++round) {
        engineGlobal = std::min(engineGlobal, Seconds(runGlobal, 1));
        engineField = std::min(engineField, Seconds(runField, 1));
        parse = std::min(parse, Seconds(runParse, 1));
    }
    const long engineKb = PeakKilobytes() - baseKb;

    double reference = Seconds([&] { test::ReferenceExamine(item, global); }, 1);

    // Delimited export: a million rows of seven columns.
    ResultList big;
    for (int c = 0; c < 7; ++c)
        big.Columns.push_back({"//InvoiceRet/C" + std::to_string(c), "Column, " + std::to_string(c),
                               DataTypeCode::Str});
    big.Rows.reserve(1'000'000);
    for (int r = 0; r < 1'000'000; ++r) {
        big.Rows.push_back({"k" + std::to_string(r),
                            {"2026-11-02", std::to_string(10000 + r), "Acme, Inc.", "Bill \"Rush\"",
                             "1,250.00", "Net 30", ""},
                            ""});
    }
    double csv = Seconds(
        [&] {
            if (Outcome written = WriteListFile(work / "big.csv", big, {}); !written) {
                std::fprintf(stderr, "%s\n", written.Message().c_str());
            }
        },
        2);

    std::printf("invoice answer: %.1f MB, %zu records, %zu search columns\n", megabytes, records,
                searchColumns);
    std::printf("parse alone                  %7.3f s  %8.0f records/s\n", parse, records / parse);
    std::printf("engine, 3 global rules       %7.3f s  %8.0f records/s  %.2fx parse  rows %zu\n",
                engineGlobal, records / engineGlobal, engineGlobal / parse, globalRows);
    std::printf("engine, 2 field rules        %7.3f s  %8.0f records/s  %.2fx parse  rows %zu\n",
                engineField, records / engineField, engineField / parse, fieldRows);
    std::printf("literal reference, 3 rules   %7.3f s  %8.0f records/s  engine is %.1fx faster\n",
                reference, records / reference, reference / engineGlobal);
    std::printf("engine peak memory above start: %.1f MB = %.2fx the answer\n", engineKb / 1e3,
                engineKb / 1e3 / megabytes);
    std::printf("csv export                   %7.3f s  %8.0f rows/s\n", csv, 1e6 / csv);
    std::filesystem::remove(work / "big.csv");
    return 0;
}
