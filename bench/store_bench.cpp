// Speed of the store on a file of its own in a fresh temporary folder: loading a
// catalog of 3,500 elements from the database, saving one large search, and listing
// 1,000 saved searches. Times are wall-clock per call in milliseconds.
//
//     build/bench/quarrion-bench-store
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "catalog/qbxml_tags.h"
#include "model/search_object2.h"
#include "qbxml/request_type_info.h"
#include "store/control_file.h"
#include "store/io_manager.h"

namespace quarrion {
namespace {

// A folder removed with everything in it when the benchmark ends.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qbench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// A shipped catalog of `types` request types with `perType` elements each, shaped like
// the real one: paths two or three levels deep, a few default columns per type.
void WriteCatalog(const std::filesystem::path& path, int types, int perType) {
    std::ofstream out(path, std::ios::binary);
    out << "Quarrion control file\tversion\t1\r\n";
    for (int code = 1; code <= types; ++code) {
        for (int i = 1; i <= perType; ++i) {
            std::string tag = "//Type" + std::to_string(code) + "Ret/Group" +
                              std::to_string(i % 7) + "/Element" + std::to_string(i);
            out << code << "\tRef" << i << '\t' << (i <= 6 ? i : 0) << "\t0\t" << tag
                << "\tHeading " << i << '\t' << (i % 3 + 1) << "\t\tFalse\t\tTrue\tTrue\tTrue\t"
                << "True\t" << (i % 2 ? "STRTYPE" : "AMTTYPE") << "\tTrue\tFalse\tTrue\r\n";
        }
    }
}

void LoadCatalogOf3500Elements(benchmark::State& state) {
    ScratchFolder folder;
    WriteCatalog(folder.Path() / kControlFileName, 35, 100);
    QBXMLTags catalog;
    IOManager io(catalog);
    io.SetControlFile(folder.Path() / kControlFileName);
    if (!io.CheckDatabase((folder.Path() / "Quarrion.qr3").string()) || !io.InitDataA()) {
        state.SkipWithError("the catalog could not be prepared");
        return;
    }
    for (auto _ : state) {
        if (!io.LoadData()) state.SkipWithError("LoadData failed");
        benchmark::DoNotOptimize(catalog.Count());
    }
    state.counters["elements"] = static_cast<double>(catalog.Count());
}
BENCHMARK(LoadCatalogOf3500Elements)->Unit(benchmark::kMillisecond)->UseRealTime();

// A store with the 3,500-element catalog loaded.
struct PreparedStore {
    ScratchFolder folder;
    QBXMLTags catalog;
    IOManager io{catalog};
    bool ready = false;

    PreparedStore() {
        WriteCatalog(folder.Path() / kControlFileName, 35, 100);
        io.SetControlFile(folder.Path() / kControlFileName);
        ready = io.CheckDatabase((folder.Path() / "Quarrion.qr3").string()) && io.InitDataA() &&
                io.LoadData();
    }
    const QBXMLTag& Tag(long code, int element) {
        return *catalog.Item(static_cast<int>(code), "//Type" + std::to_string(code) + "Ret/Group" +
                                                         std::to_string(element % 7) + "/Element" +
                                                         std::to_string(element));
    }
};

// One included type as a user sets it up: six display columns and a field-rule group
// of two rules, one of them an "in list" of three texts.
void Include(PreparedStore& store, SearchObject2& search, long code) {
    IncItem* item = search.IncludeItems.Add(RequestTypeInfo::TypeName(code), code);
    for (int element = 1; element <= 6; ++element) {
        item->DisplayColumns.Add(store.Tag(code, element), "Column " + std::to_string(element));
    }
    FieldExaminor* group = item->FieldExaminors.Add();
    FieldCriterion* name = group->FieldCriteria.Add(store.Tag(code, 1), Operation::InList);
    for (const char* text : {"ACME", "Globex", "Initech"}) name->TextList.Add(std::string(text));
    FieldCriterion* amount = group->FieldCriteria.Add(store.Tag(code, 2), Operation::Between);
    amount->NumberRange.A().SetValue(100.0);
    amount->NumberRange.B().SetValue(900.0);
}

// Word rules: two groups of two criteria.
void WordRules(SearchObject2& search) {
    for (int g = 0; g < 2; ++g) {
        Examinor* group = search.Examinors.Add();
        group->Criteria.Add(Operation::GreaterThan, Choice::AnyNumber)
            ->NumberCompare.SetValue(500.0);
        group->Criteria.Add(Operation::Contains, Choice::Text)->TextCompare.SetValue("ACME");
    }
}

void SaveSearchWith34Types(benchmark::State& state) {
    PreparedStore store;
    if (!store.ready) {
        state.SkipWithError("the catalog could not be prepared");
        return;
    }
    SearchObject2 search;
    search.Name = "Everything";
    for (const RequestType& type : RequestTypeInfo::All()) Include(store, search, type.code);
    WordRules(search);
    long id = 0;
    for (auto _ : state) {
        // Saving again under its own name replaces the earlier tree, as the console does.
        if (!store.io.SaveSearchObject(&search, &id)) state.SkipWithError("the save failed");
        search.ID = id;
    }
    state.counters["types"] = static_cast<double>(search.IncludeItems.Count());
}
BENCHMARK(SaveSearchWith34Types)->Unit(benchmark::kMillisecond)->UseRealTime();

void ListThousandSavedSearches(benchmark::State& state) {
    PreparedStore store;
    if (!store.ready) {
        state.SkipWithError("the catalog could not be prepared");
        return;
    }
    for (int i = 0; i < 1000; ++i) {
        SearchObject2 search;
        search.Name = "Search " + std::to_string(i);
        for (long code : {4L, 12L, 13L}) Include(store, search, code);
        WordRules(search);
        if (!store.io.SaveSearchObject(&search)) {
            state.SkipWithError("the searches could not be saved");
            return;
        }
    }
    // The first listing of a process also pays for growing its heap (page faults for
    // some 20 MB of search objects); it is timed once on its own and reported as a
    // counter, the loop then measures the listing a user repeats.
    auto started = std::chrono::steady_clock::now();
    std::size_t listed = store.io.SearchObjects()->Count();
    state.counters["first_call_ms"] =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();
    for (auto _ : state) {
        auto all = store.io.SearchObjects();
        listed = all->Count();
        benchmark::DoNotOptimize(all);
    }
    state.counters["searches"] = static_cast<double>(listed);
}
BENCHMARK(ListThousandSavedSearches)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace quarrion

BENCHMARK_MAIN();
